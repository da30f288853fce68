#!/usr/bin/env python3
"""Writes SmoothingFamilyReference.inc: Brown's double and triple smoothing,
Holt's smoothing, adaptive-response-rate smoothing and Holt-Winters
(additive and multiplicative), written out here from the recurrences,
independently of the engine.

Run once from this folder (python3 make_smoothing_family_reference.py); the
output is committed.

Every case is computed twice:
- in 50-digit arithmetic (mpmath), the data and constants taken exactly
  from their doubles: the engine must agree to rounding;
- in IEEE doubles (Python floats), with the operations in the order the
  recurrences are written: the engine, doing the same operations in the
  same order with SSE2 doubles, must agree bit for bit.
Fitted constants come from the one-dimensional minimiser (bracketing by
halving, golden-section search, three thirds of the interval; the rules as
in make_minimizer_trace.py) driven by the search rules of each method, on
the double objective (the sum of squared one-step errors over the fit's
range, summed in ascending order from 0.0).

Recurrences (y the data, s the start, n the count, h the periods):
- Brown double: S1 = S2 = S0 (the mean of the first up to three values
  from s); per t in s..n-1: S1 = a y + (1-a) S1, S2 = a S1 + (1-a) S2,
  A = 2 S1 - S2, B = a (S1 - S2) / (1-a); fit(t+1) = A + B; forecasts
  A + m B.
- Brown triple: three smoothings of the previous value; A = 3 S1 - 3 S2 + S3,
  B = a ((6-5a) S1 - (10-8a) S2 + (4-3a) S3) / (2 (1-a)^2),
  C = a^2 (S1 - 2 S2 + S3) / (1-a)^2; fit = A + B + C/2; forecasts
  A + B m + C m^2 / 2 after smoothing the last value.
- Holt: level and trend smoothed backwards from the last value, the trend
  turned round; fit(s) = L + T; L0 = a y[s] + (1-a)(L+T),
  T0 = g (L0 - L) + (1-g) T; then L' = a y + (1-a)(L+T),
  T' = g (L' - L) + (1-g) T; fit(t+1) = L + T; forecasts L + m T.
- Adaptive: rate r = b while |M| < 1e-6, else |E/M|; e = y - F;
  M = (1-b) M + b |e|; E = (1-b) E + b e; F = r y + (1-r) F.
- Holt-Winters: season of t = (t - s) mod L (non-negative); factors start at
  1 (multiplicative) or y - mean over the last L observations (additive);
  level and trend smoothed backwards from the end, the trend turned round;
  forward: fit = (a+b) f or (a+b) + f; a' = alpha (y/f) + (1-alpha)(a+b)
  [0 when |f| < 1e-6] or alpha (y-f) + (1-alpha)(a+b); b' = gamma (a'-a) +
  (1-gamma) b; f' = beta (y/a') + (1-beta) f [0 when |a'| < 1e-6] or
  beta (y-a') + (1-beta) f; forecasts (a + k b) f or (a + k b) + f.
"""
import csv
import os

import mpmath

from minimizer_rules import over_interval

mpmath.mp.dps = 50

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "..", "examples", "data", "airline-passengers.csv")

with open(DATA, newline="") as f:
    AIR_TEXT = [r["passengers"] for r in csv.DictReader(f)]


# ---- the minimiser ------------------------------------------------------
def minimise(f, low, high, tol=0.01):
    return over_interval(f, low, high, tol)[0]


# ---- the recurrences (generic over float and Fraction) -------------------
def start_mean(y, s):
    end = min(len(y), s + 3)
    acc = 0
    for i in range(s, end):
        acc = acc + y[i]
    return acc / (end - s)


def sse(y, fit, s):
    acc = 0.0 if isinstance(y[0], float) else 0 * y[0]
    for t in range(s, len(y)):
        e = y[t] - fit[t]
        acc += e * e
    return acc


def brown2(y, s, a, h):
    n = len(y)
    fit = [None] * (n + h)
    s0 = start_mean(y, s)
    fit[s] = s0
    s1 = s2 = s0
    A = B = None
    for t in range(s, n):
        s1 = a * y[t] + (1 - a) * s1
        s2 = a * s1 + (1 - a) * s2
        A = 2 * s1 - s2
        B = a * (s1 - s2) / (1 - a)
        if t + 1 < n:
            fit[t + 1] = A + B
    for m in range(1, h + 1):
        fit[n - 1 + m] = A + m * B
    return {"fit": fit}


def brown3(y, s, a, h):
    n = len(y)
    fit = [None] * (n + h)
    s0 = start_mean(y, s)
    fit[s] = s0
    st = [s0, s0, s0]
    b = 1 - a

    def smooth(v):
        st[0] = a * v + (1 - a) * st[0]
        st[1] = a * st[0] + (1 - a) * st[1]
        st[2] = a * st[1] + (1 - a) * st[2]
        s1, s2, s3 = st
        A = 3 * s1 - 3 * s2 + s3
        B = a * ((6 - 5 * a) * s1 - (10 - 8 * a) * s2 + (4 - 3 * a) * s3) / (2 * (b * b))
        Cc = a * a * (s1 - 2 * s2 + s3) / (b * b)
        return A, B, Cc

    for t in range(s + 1, n):
        A, B, Cc = smooth(y[t - 1])
        fit[t] = A + B + Cc / 2
    A, B, Cc = smooth(y[n - 1])
    for m in range(1, h + 1):
        fit[n - 1 + m] = A + B * m + Cc * (m * m) / 2
    return {"fit": fit}


def holt(y, s, a, g, h):
    n = len(y)
    fit = [None] * (n + h)
    L = y[n - 1]
    T = 0 * L
    for i in range(n - 2, s - 1, -1):
        nxt = a * y[i] + (1 - a) * (L + T)
        T = g * (nxt - L) + (1 - g) * T
        L = nxt
    T = -T
    fit[s] = L + T
    L0 = a * y[s] + (1 - a) * (L + T)
    T = g * (L0 - L) + (1 - g) * T
    L = L0
    for t in range(s, n):
        if t > s:
            nxt = a * y[t] + (1 - a) * (L + T)
            T = g * (nxt - L) + (1 - g) * T
            L = nxt
        if t + 1 < n:
            fit[t + 1] = L + T
    for m in range(1, h + 1):
        fit[n - 1 + m] = L + m * T
    return {"fit": fit, "level": L, "trend": T}


def adaptive(y, s, b, h):
    n = len(y)
    yy = list(y) + [None] * h
    fit = [None] * (n + h)
    E = M = 0 * y[0]
    F = start_mean(y, s)
    fit[s] = F
    for t in range(s, n + h - 1):
        r = b if abs(M) < 1e-6 else abs(E / M)
        e = yy[t] - F
        M = (1 - b) * M + b * abs(e)
        E = (1 - b) * E + b * e
        F = r * yy[t] + (1 - r) * F
        fit[t + 1] = F
        if t + 1 >= n:
            yy[t + 1] = F
    return {"fit": fit}


def winters(y, s, L, alpha, beta, gamma, mult, h):
    n = len(y)
    e = n - 1
    zero = 0 * y[0]

    def season(t):
        return (t - s) % L

    if mult:
        fac = [zero + 1] * L
    else:
        fac = [zero] * L
        acc = zero
        for t in range(s, e + 1):
            acc = acc + y[t]
        mean = acc / (e - s + 1)
        for t in range(e, e - L, -1):
            fac[season(t)] = y[t] - mean
    last = fac[season(e)]
    if not mult:
        a = y[e] - last
    elif abs(last) <= 1e-12:
        a = y[e]
    else:
        a = y[e] / last
    b = zero
    for t in range(e - 1, s - 1, -1):
        k = season(t)
        f = fac[k]
        nxt = a
        if not mult:
            nxt = alpha * (y[t] - f) + (1 - alpha) * (a + b)
        elif abs(f) > 1e-12:
            nxt = alpha * (y[t] / f) + (1 - alpha) * (a + b)
        b = gamma * (nxt - a) + (1 - gamma) * b
        if not mult:
            fac[k] = beta * (y[t] - nxt) + (1 - beta) * f
        elif abs(nxt) > 1e-12:
            fac[k] = beta * (y[t] / nxt) + (1 - beta) * f
        a = nxt
    init_fac = list(fac)
    a, b = a, -b
    fit = [None] * (n + h)
    for t in range(s, e + 1):
        k = season(t)
        f = fac[k]
        if mult:
            fit[t] = (a + b) * f
            nxt = zero if abs(f) < 1e-6 else alpha * (y[t] / f) + (1 - alpha) * (a + b)
        else:
            fit[t] = (a + b) + f
            nxt = alpha * (y[t] - f) + (1 - alpha) * (a + b)
        b = gamma * (nxt - a) + (1 - gamma) * b
        if mult:
            fac[k] = zero if abs(nxt) < 1e-6 else beta * (y[t] / nxt) + (1 - beta) * f
        else:
            fac[k] = beta * (y[t] - nxt) + (1 - beta) * f
        a = nxt
    for k in range(1, h + 1):
        f = fac[season(e + k)]
        fit[e + k] = (a + k * b) * f if mult else (a + k * b) + f
    return {"fit": fit, "level": a, "trend": b, "factors": fac, "initial": init_fac}


def normalise(values, mode):
    v = list(values)
    n = len(v)
    acc = 0.0
    for i in range(n):
        if mode == 2 and v[i] <= 1e-12:
            v[i] = 1.0
        acc += v[i]
    if mode == 1:
        m = acc / n
        v = [x - m for x in v]
    else:
        if abs(acc) >= 1e-12:
            scale = n / acc
            v = [x * scale for x in v]
    return v


# ---- the searches ---------------------------------------------------------
def winters_error(y, s, L, a, b, g, mult):
    r = winters(y, s, L, a, b, g, mult, 0)
    if mult and (any(r["fit"][t] <= 0 for t in range(s, len(y))) or any(f <= 0 for f in r["factors"])):
        return 1e100
    return sse(y, r["fit"], s)


def fit_winters(y, s, L, a, b, g, mult):
    fa, fb, fg = a == -3.0, b == -3.0, g == -3.0
    if not (fa or fb or fg):
        return a, b, g, winters_error(y, s, L, a, b, g, mult)
    for p in range(1, 12):
        pa, pb, pg = a, b, g
        if p == 1:
            if fb and fa:
                a = 0.2
            if fg:
                g = 0.05
        if fb:
            b = minimise(lambda x: winters_error(y, s, L, a, x, g, mult), 0.0, 1.0)
        if fa:
            a = minimise(lambda x: winters_error(y, s, L, x, b, g, mult), 0.0, 1.0)
        if fg:
            g = minimise(lambda x: winters_error(y, s, L, a, b, x, mult), 0.0, 1.0)
        if p >= 2 and (not fa or abs(a - pa) <= 0.005) and (not fb or abs(b - pb) <= 0.005) \
                and (not fg or abs(g - pg) <= 0.005):
            break
    return a, b, g, winters_error(y, s, L, a, b, g, mult)


def fit_holt(y, s, a, g):
    fa, fg = a == -3.0, g == -3.0
    if not (fa or fg):
        return a, g
    p = 0
    while True:
        pa, pg = a, g
        if fa:
            if p == 0 and fg:
                g = 0.5
            a = minimise(lambda x: sse(y, holt(y, s, x, g, 0)["fit"], s), 0.0, 1.0)
        if fg:
            g = minimise(lambda x: sse(y, holt(y, s, a, x, 0)["fit"], s), 0.0, 1.0)
        p += 1
        if p >= 6:
            break
        if p >= 2 and abs(a - pa) <= 0.01 and abs(g - pg) <= 0.01:
            break
    return a, g


# ---- the cases ------------------------------------------------------------
AIR = [float(v) for v in AIR_TEXT]
MIXED = [3.0, 7.0, 4.0, 9.0, 6.0, 12.0, 8.0, 11.0, 10.0, 15.0, 9.0, 14.0]
SHORT = [5.0, 3.0, 8.0, 6.0]
DATASETS = {
    "air48": AIR[:48], "air144": AIR, "mixed": MIXED, "short": SHORT,
    "zeroes": [0.0, 4.0, 9.0, 3.0, 1.0, 5.0, 10.0, 4.0, 2.0, 6.0, 11.0, 5.0],
}

# method, data, start, length, h, c1, c2, c3, decomposition type
CASES = [
    ("brown2", "air48", 0, 0, 4, 0.3, 0, 0, 0),
    ("brown2", "air144", 10, 0, 2, 0.6, 0, 0, 0),
    ("brown2", "short", 2, 0, 3, 0.5, 0, 0, 0),
    ("brown2", "air48", 0, 0, 3, -3.0, 0, 0, 0),
    ("brown3", "air48", 0, 0, 4, 0.2, 0, 0, 0),
    ("brown3", "short", 3, 0, 3, 0.4, 0, 0, 0),
    ("brown3", "mixed", 1, 0, 2, 0.0, 0, 0, 0),
    ("brown3", "air48", 0, 0, 3, -3.0, 0, 0, 0),
    ("holt", "air48", 0, 0, 3, 0.5, 0.1, 0, 0),
    ("holt", "air144", 100, 0, 5, 0.9, 0.3, 0, 0),
    ("holt", "short", 0, 0, 2, 1.0, 0.0, 0, 0),
    ("holt", "air48", 0, 0, 3, -3.0, -3.0, 0, 0),
    ("holt", "mixed", 2, 0, 3, 0.4, -3.0, 0, 0),
    ("holt", "air144", 0, 0, 3, -3.0, 0.2, 0, 0),
    ("adaptive", "air48", 0, 0, 3, 0.2, 0, 0, 0),
    ("adaptive", "mixed", 1, 0, 2, 0.7, 0, 0, 0),
    ("adaptive", "air48", 0, 0, 3, -3.0, 0, 0, 0),
    ("winters", "air48", 0, 12, 12, 0.3, 0.2, 0.1, 1),
    ("winters", "air144", 0, 12, 12, 0.3, 0.4, 0.05, 2),
    ("winters", "air48", 40, 12, 6, 0.5, 0.3, 0.2, 1),   # start later than count - L
    ("winters", "air48", 40, 12, 6, 0.5, 0.3, 0.2, 2),
    ("winters", "mixed", 0, 4, 4, 1.0, 0.0, 1.0, 2),
    ("winters", "air144", 0, 12, 12, -3.0, -3.0, -3.0, 2),
    ("winters", "air48", 0, 12, 12, -3.0, -3.0, -3.0, 1),
    ("winters", "air48", 0, 12, 6, -3.0, 0.3, -3.0, 3),
    ("winters", "zeroes", 0, 4, 4, -3.0, -3.0, -3.0, 3),
]


def run(method, y, s, L, h, c1, c2, c3, dtype):
    """The float run: constants (fitted where -3.0), the result, the type used."""
    if method == "brown2":
        a = c1 if c1 != -3.0 else minimise(lambda x: sse(y, brown2(y, s, x, 0)["fit"], s), 0.0, 0.999)
        return (a, 0.0, 0.0), brown2(y, s, a, h), 0
    if method == "brown3":
        a = c1 if c1 != -3.0 else minimise(lambda x: sse(y, brown3(y, s, x, 0)["fit"], s), 0.0, 0.999)
        return (a, 0.0, 0.0), brown3(y, s, a, h), 0
    if method == "adaptive":
        b = c1 if c1 != -3.0 else minimise(lambda x: sse(y, adaptive(y, s, x, 0)["fit"], s), 0.0, 1.0)
        return (b, 0.0, 0.0), adaptive(y, s, b, h), 0
    if method == "holt":
        a, g = fit_holt(y, s, c1, c2)
        return (a, g, 0.0), holt(y, s, a, g, h), 0
    if dtype in (1, 2):
        a, b, g, _ = fit_winters(y, s, L, c1, c2, c3, dtype == 2)
        used = dtype
    else:
        a, b, g, add_err = fit_winters(y, s, L, c1, c2, c3, False)
        used = 1
        if all(v > 0 for v in y[s:]):
            ma, mb, mg, mul_err = fit_winters(y, s, L, c1, c2, c3, True)
            if mul_err <= add_err:
                a, b, g, used = ma, mb, mg, 2
    return (a, b, g), winters(y, s, L, a, b, g, used == 2, h), used


def exact(method, y, s, L, h, consts, used):
    q = [mpmath.mpf(v) for v in y]
    c = [mpmath.mpf(v) for v in consts]
    if method == "brown2":
        return brown2(q, s, c[0], h)
    if method == "brown3":
        return brown3(q, s, c[0], h)
    if method == "adaptive":
        return adaptive(q, s, c[0], h)
    if method == "holt":
        return holt(q, s, c[0], c[1], h)
    return winters(q, s, L, c[0], c[1], c[2], used == 2, h)


def arr(values):
    return "{%s}" % ", ".join(repr(float(v)) for v in values)


lines = ["// Generated by make_smoothing_family_reference.py; do not edit.", ""]
for name, data in DATASETS.items():
    lines.append("static const double k_%s[] = %s;" % (name, arr(data)))
lines.append("")
rows = []
for k, (method, name, s, L, h, c1, c2, c3, dtype) in enumerate(CASES):
    y = DATASETS[name]
    consts, r, used = run(method, y, s, L, h, c1, c2, c3, dtype)
    x = exact(method, y, s, L, h, consts, used)
    n = len(y)
    lines.append("static const double k_fit%d[] = %s;" % (k, arr(r["fit"][s:])))
    lines.append("static const double k_exact%d[] = %s;" % (k, arr(x["fit"][s:])))
    seasonal = initial = "nullptr"
    if method == "winters":
        lines.append("static const double k_factors%d[] = %s;" % (k, arr(r["factors"])))
        lines.append("static const double k_initial%d[] = %s;" % (k, arr(normalise(r["initial"], used))))
        seasonal, initial = "k_factors%d" % k, "k_initial%d" % k
    level = float(r.get("level", 0.0))
    trend = float(r.get("trend", 0.0))
    rows.append('    {"%s", k_%s, %d, %d, %d, %d, %r, %r, %r, %d, %r, %r, %r, %r, %r, k_fit%d, k_exact%d, %s, %s, %d},'
                % (method, name, n, s, L, h, float(c1), float(c2), float(c3), dtype,
                   float(consts[0]), float(consts[1]), float(consts[2]), level, trend, k, k, seasonal, initial, used))
lines.append("")
lines.append("struct FamilyCase {")
lines.append("    const char* method;  // brown2, brown3, holt, adaptive, winters")
lines.append("    const double* data;")
lines.append("    std::int32_t n;")
lines.append("    std::int32_t start;")
lines.append("    std::int32_t length;")
lines.append("    std::int32_t periods;")
lines.append("    double c1, c2, c3;  // as passed: alpha / beta (adaptive); alpha, gamma (holt); alpha, beta, gamma")
lines.append("    std::int32_t decompType;")
lines.append("    double k1, k2, k3;  // the constants used (fitted where -3.0 was passed)")
lines.append("    double finalLevel;  // holt and winters")
lines.append("    double finalTrend;")
lines.append("    const double* fit;    // observations start .. n - 1 + periods, doubles in the written order")
lines.append("    const double* exact;  // the same, exact with the same constants, rounded")
lines.append("    const double* factors;  // winters: 4002")
lines.append("    const double* initial;  // winters: 4015 (normalised)")
lines.append("    std::int32_t typeUsed;")
lines.append("};")
lines.append("")
lines.append("static const FamilyCase kFamilyCases[] = {")
lines.extend(rows)
lines.append("};")
lines.append("")
with open(os.path.join(HERE, "SmoothingFamilyReference.inc"), "w") as f:
    f.write("\n".join(lines))
print("wrote", len(lines), "lines")
