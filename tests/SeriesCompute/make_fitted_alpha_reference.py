#!/usr/bin/env python3
"""Writes FittedAlphaReference.inc: simple exponential smoothing with alpha
fitted, from observation 0, by the prescribed search, computed here on its
own.

Run once from this folder (python3 make_fitted_alpha_reference.py); the
output is committed.

The fit minimises the sum of squared one-step errors over alpha in [0, 1]
with tolerance 0.01, once with the first-value start and once with the
backward start (see make_smoothing_reference.py for the pass), and keeps
the backward run unless the first-value run has the strictly smaller error.

The search: [0, 1] cut into three sub-intervals of width
(1 - 0) * 0.3333333333333333, their ends accumulated; on each a bracketing
step and, when the bracket lies inside, a golden-section search; the
strictly lowest candidate wins, ties keep the earlier one.
  bracket(a, b): m = a + |b - a| * 0.5; f(a), f(b), f(m) in that order; up
    to 11 times: stop with m when f(a) >= f(m) <= f(b), else move m half way
    toward a (when f(a) <= f(b)) or toward b and evaluate it; after the
    11th move, a when f(a) < f(b), else b.
  A bracketed point within 1e-10 of the low end is the candidate itself;
  within 1e-10 of the high end, the high end with that point's value.
  golden(ax, bx, cx): R = 0.61803399, C = 0.38196601; the new inner point
    goes into the larger part; while |x3 - x0| > tol (|x1| + |x2|), at most
    11 steps, drop the end beyond the worse inner point; the better inner
    point wins, ties give x2.

Every trial alpha is computed in IEEE double arithmetic exactly as the
search prescribes (Python floats, one rounding per operation). Each
objective value is computed twice: exactly, in rationals, and in double
arithmetic in the prescribed order. The whole search is run with each, and
a series is used only when both make the same decisions, so that the
expected alpha does not hang on a rounding of the objective. The smallest
relative gap of any comparison the searches made is printed as the margin.
"""
from fractions import Fraction as Fr
import csv
import os

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "..", "examples", "data", "airline-passengers.csv")

with open(DATA, newline="") as f:
    AIR = [float(r["passengers"]) for r in csv.DictReader(f)]

R = 0.61803399
C = 0.38196601
THIRD = 0.3333333333333333
TOL = 0.01


def sse_exact(x, a, backward):
    a = Fr(a)
    xs = [Fr(v) for v in x]
    n = len(xs)
    if backward:
        level = xs[n - 1]
        for i in range(n - 2, -1, -1):
            level = (1 - a) * level + a * xs[i]
    else:
        level = xs[0]
    total = (xs[0] - level) ** 2
    for t in range(1, n):
        level = a * xs[t - 1] + (1 - a) * level
        total += (xs[t] - level) ** 2
    return total, level


def sse_double(x, a, backward):
    n = len(x)
    if backward:
        level = x[n - 1]
        for i in range(n - 2, -1, -1):
            level = (1.0 - a) * level + a * x[i]
    else:
        level = x[0]
    total = 0.0
    total += (x[0] - level) * (x[0] - level)
    for t in range(1, n):
        level = a * x[t - 1] + (1.0 - a) * level
        e = x[t] - level
        total += e * e
    return total, level


class Search:
    """The prescribed search over one objective; records its decisions."""

    def __init__(self, f):
        self.f = f
        self.decisions = []
        self.gaps = []

    def less(self, p, q):
        if p != q:
            self.gaps.append(abs(Fr(p) - Fr(q)) / max(abs(Fr(p)), abs(Fr(q))))
        else:
            self.gaps.append(Fr(0))
        r = p < q
        self.decisions.append(r)
        return r

    def bracket(self, a, b):
        f = self.f
        m = a + abs(b - a) * 0.5
        fa = f(a)
        fb = f(b)
        fm = f(m)
        for _ in range(11):
            # f(a) >= f(m) and f(m) <= f(b)
            if not self.less(fa, fm) and not self.less(fb, fm):
                return m, fm
            if not self.less(fb, fa):
                m = m - abs(m - a) * 0.5
            else:
                m = m + abs(b - m) * 0.5
            fm = f(m)
        if self.less(fa, fb):
            return a, fa
        return b, fb

    def golden(self, ax, bx, cx, tol):
        f = self.f
        x0, x3 = ax, cx
        if abs(bx - ax) < abs(cx - bx):
            x1 = bx
            x2 = bx + C * (cx - bx)
        else:
            x2 = bx
            x1 = bx - C * (bx - ax)
        f1 = f(x1)
        f2 = f(x2)
        steps = 0
        while steps < 11 and abs(x3 - x0) > tol * (abs(x1) + abs(x2)):
            steps += 1
            if self.less(f2, f1):
                x0, x1, x2 = x1, x2, R * x2 + C * x3
                f1 = f2
                f2 = f(x2)
            else:
                x3, x2, x1 = x2, x1, R * x1 + C * x0
                f2 = f1
                f1 = f(x1)
        if self.less(f1, f2):
            return x1, f1
        return x2, f2

    def from_bracket(self, low, high, tol):
        p, fp = self.bracket(low, high)
        if abs(p - low) < 1e-10:
            return p, fp
        if abs(p - high) < 1e-10:
            return high, fp
        return self.golden(low, p, high, tol)

    def over_interval(self, low, high, tol):
        s = (high - low) * THIRD
        lo = low
        best = None
        for _ in range(3):
            hi = lo + s
            cand = self.from_bracket(lo, hi, tol)
            lo = hi
            if best is None or self.less(cand[1], best[1]):
                best = cand
        return best


def fit(x):
    """Returns (alpha, backward kept, sse, start level, final level, margin)."""
    runs = {}
    margin = None
    for backward in (False, True):
        exact = Search(lambda a: sse_exact(x, a, backward)[0])
        ax, ex = exact.over_interval(0.0, 1.0, TOL)
        dbl = Search(lambda a: sse_double(x, a, backward)[0])
        ad, ed = dbl.over_interval(0.0, 1.0, TOL)
        if exact.decisions != dbl.decisions or ax != ad:
            return None
        m = min(exact.gaps)
        margin = m if margin is None else min(margin, m)
        runs[backward] = (ax, ex)
    (a1, e1), (a2, e2) = runs[False], runs[True]
    # Equal errors come only from the same pass (alpha 1: the backward
    # start is then the first value), so a tie is exact in either arithmetic.
    backward_kept = not (e2 > e1)
    alpha, sse = (a2, e2) if backward_kept else (a1, e1)
    n = len(x)
    if backward_kept:
        start = Fr(x[n - 1])
        for i in range(n - 2, -1, -1):
            start = (1 - Fr(alpha)) * start + Fr(alpha) * Fr(x[i])
    else:
        start = Fr(x[0])
    _, level = sse_exact(x, alpha, backward_kept)
    final = Fr(alpha) * Fr(x[n - 1]) + (1 - Fr(alpha)) * level
    return alpha, backward_kept, sse, start, final, margin


CASES = [
    ("air144", AIR),
    ("rising", [10, 12, 11, 13, 12, 14, 13, 15, 14, 16]),
    ("zigzag", [5, 9, 2, 8, 3, 7, 4, 9, 1, 6, 5, 8]),
    ("step", [100, 100, 100, 100, 200, 200, 200, 200]),
    ("falling", [9, 1, 8, 7, 3, 6, 5, 5, 4]),
]

lines = ["// Generated by make_fitted_alpha_reference.py; do not edit.", ""]
lines.append("struct FittedAlphaCase {")
lines.append("    const char* name;")
lines.append("    std::vector<double> data;")
lines.append("    double alpha;         // where the search ends")
lines.append("    bool backwardKept;    // the kept start")
lines.append("    double sse;           // of the kept run")
lines.append("    double startLevel;    // the kept run's fitted value at observation 0")
lines.append("    double finalLevel;")
lines.append("};")
lines.append("")
lines.append("static const FittedAlphaCase kFittedAlphaCases[] = {")
for name, data in CASES:
    data = [float(v) for v in data]
    r = fit(data)
    if r is None:
        raise SystemExit("%s: the search depends on the rounding of the objective; choose other data" % name)
    alpha, backward_kept, sse, start, final, margin = r
    print("%-8s alpha %r %s sse %.6g, smallest relative gap in the searches %.3g" % (
        name, alpha, "backward" if backward_kept else "first-value", float(sse), float(margin)))
    lines.append("    {\"%s\", {%s}, %r, %s, %r, %r, %r}," % (
        name, ", ".join(repr(v) for v in data), alpha, "true" if backward_kept else "false",
        float(sse), float(start), float(final)))
lines.append("};")
lines.append("")
with open(os.path.join(HERE, "FittedAlphaReference.inc"), "w") as f:
    f.write("\n".join(lines))
print("wrote", len(lines), "lines")
