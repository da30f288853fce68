"""The rules of the one-dimensional minimisers, written out step by step
for the reference generators (bracketing by halving with at most 11 moves,
golden-section search with the ratios 0.61803399 / 0.38196601 and at most
11 narrowing steps, the end test 1e-10, three equal thirds of the interval
with the strictly lowest result kept)."""

R = 0.61803399
C = 0.38196601
THIRD = 0.3333333333333333
HALF = 0.5
END = 1e-10
CAP = 11


class Recorder:
    def __init__(self, f):
        self.f = f
        self.points = []

    def __call__(self, x):
        self.points.append(x)
        return self.f(x)


def bracket(f, a, b):
    m = a + abs(b - a) * HALF
    fa = f(a)
    fb = f(b)
    fm = f(m)
    for _ in range(CAP):
        if fa >= fm and fm <= fb:
            return m, fm
        if fa <= fb:
            m = m - abs(m - a) * HALF
        else:
            m = m + abs(b - m) * HALF
        fm = f(m)
    if fa < fb:
        return a, fa
    return b, fb


def golden(f, ax, bx, cx, tol):
    x0, x3 = ax, cx
    if abs(bx - ax) < abs(cx - bx):
        x1 = bx
        x2 = bx + C * (cx - bx)
    else:
        x2 = bx
        x1 = bx - C * (bx - ax)
    f1 = f(x1)
    f2 = f(x2)
    for _ in range(CAP):
        if not (abs(x3 - x0) > tol * (abs(x1) + abs(x2))):
            break
        if f2 < f1:
            x0, x1, x2 = x1, x2, R * x2 + C * x3
            f1 = f2
            f2 = f(x2)
        else:
            x3, x2, x1 = x2, x1, R * x1 + C * x0
            f2 = f1
            f1 = f(x1)
    if f1 < f2:
        return x1, f1
    return x2, f2


def from_bracket(f, low, high, tol):
    p, fp = bracket(f, low, high)
    if abs(p - low) < END:
        return p, fp
    if abs(p - high) < END:
        return high, fp
    return golden(f, low, p, high, tol)


def over_interval(f, low, high, tol):
    s = (high - low) * THIRD
    lo = low
    best = None
    for k in range(3):
        hi = lo + s
        cand = from_bracket(f, lo, hi, tol)
        lo = hi
        if k == 0 or cand[1] < best[1]:
            best = cand
    return best
