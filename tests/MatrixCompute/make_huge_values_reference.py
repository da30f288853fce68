#!/usr/bin/env python3
"""Reference values for the statistics of values near the limits of a
double (HugeValuesTest.cpp): descriptive statistics, autocovariance and
autocorrelation, Box-Cox error sums, the covariance, correlation and
determination of pairs, and the confidence half-widths of the linear trend.

Every figure is computed in 60-digit arithmetic (mpmath) from the exact
binary values of the data, straight from the definitions: sums of powers of
deviations from the mean, the least-squares line by its normal equations,
Student's t quantile by root finding on the distribution function written
through the regularized incomplete beta function. A figure whose magnitude
a double cannot hold is written as "unrepresentable" (the test then expects
the failure 3004 instead of a value).

Writes HugeValuesReference.inc next to this script.
"""
import os

import mpmath as mp

mp.mp.dps = 60
DBL_MAX = mp.mpf(2) ** 1024 - mp.mpf(2) ** 971

# ---- data --------------------------------------------------------------------------------
# Near 1e300 with a trend: deviations of about 1e299 to 1e300.
NEAR_1E300 = [c * 1e300 for c in (1.0, 1.25, 0.9, 1.6, 1.45, 1.1, 1.95, 1.7, 1.3, 2.05, 1.85, 2.2)]
# A second series near 1e300 for the pairs.
PARTNER_1E300 = [c * 1e300 for c in (-0.5, 0.75, 0.1, 1.2, -1.3, 0.45, 2.1, -0.8, 0.6, 1.5, -0.35, 0.95)]
# Forty values alternating near +-3e153: every squared deviation about 9e306, their sum past the largest
# double, the variance below it.
ALTERNATING = [(-1) ** i * (3.0 + 0.05 * (i % 7)) * 1e153 for i in range(40)]
ALTERNATING_PARTNER = [(-1) ** i * (2.5 + 0.1 * (i % 5)) * 1e153 for i in range(40)]
# Near the largest double: the plain sum of the values overflows.
NEAR_MAX = [c * 1e308 for c in (1.0, 1.7, 1.2, 1.6, 1.1, 1.5, 1.3, 1.75, 1.05, 1.4)]


def mpf_list(xs):
    return [mp.mpf(x) for x in xs]


def mean(x):
    return mp.fsum(x) / len(x)


def dev_sum(x, p):
    m = mean(x)
    return mp.fsum((v - m) ** p for v in x)


def statistics(x):
    n = len(x)
    m = mean(x)
    ssd = dev_sum(x, 2)
    var = ssd / (n - 1)
    sd = mp.sqrt(var)
    out = [
        ("mean", m),
        ("sum of squared deviations", ssd),
        ("mean squared deviation", ssd / n),
        ("variance", var),
        ("standard deviation", sd),
        ("skewness", (dev_sum(x, 3) / (n - 1)) / sd ** 3),
        ("kurtosis", (dev_sum(x, 4) / (n - 1)) / sd ** 4),
        ("root mean square", mp.sqrt(ssd / n)),
        ("coefficient of variation", 100 * sd / m),
    ]
    for lag in (1, 2):
        cross = mp.fsum((x[i + lag] - m) * (x[i] - m) for i in range(n - lag))
        out.append((f"autocovariance {lag}", cross / n))
        out.append((f"autocorrelation {lag}", cross / ssd))
    return out


def line_sse(y):
    # least squares line through (t, y), t = 1 .. n
    n = len(y)
    t = [mp.mpf(i + 1) for i in range(n)]
    st, sy = mp.fsum(t), mp.fsum(y)
    stt = mp.fsum(v * v for v in t)
    sty = mp.fsum(a * b for a, b in zip(t, y))
    slope = (n * sty - st * sy) / (n * stt - st * st)
    intercept = (sy - slope * st) / n
    return mp.fsum((yy - intercept - slope * tt) ** 2 for tt, yy in zip(t, y)), slope, intercept


def box_cox(x, lam):
    # 700 digits: x^lam - 1 keeps the part of x^lam near 1e-300
    with mp.workdps(700):
        return box_cox_at(x, lam)


def box_cox_at(x, lam):
    lam = mp.mpf(lam)
    g = mp.exp(mp.fsum(mp.log(v) for v in x) / len(x))
    if lam != 0:
        z = [(v ** lam - 1) / (lam * g ** (lam - 1)) for v in x]
    else:
        z = [g * mp.log(v) for v in x]
    return line_sse(z)[0]


def pair(a, b):
    n = len(a)
    ma, mb = mean(a), mean(b)
    cov = mp.fsum((x - ma) * (y - mb) for x, y in zip(a, b)) / (n - 1)
    sa = mp.sqrt(dev_sum(a, 2) / (n - 1))
    sb = mp.sqrt(dev_sum(b, 2) / (n - 1))
    r = cov / (sa * sb)
    return cov, r, r * r


def tcdf(t, df):
    t = mp.mpf(t)
    x = df / (df + t * t)
    tail = mp.betainc(mp.mpf(df) / 2, mp.mpf(1) / 2, 0, x, regularized=True) / 2
    return 1 - tail if t >= 0 else tail


def tquantile(p, df):
    return mp.findroot(lambda t: tcdf(t, df) - p, mp.sqrt(2) * mp.erfinv(2 * mp.mpf(p) - 1))


def trend_half_widths(y, level, h):
    # the half-width of the trend forecast of period n + j: t . s . sqrt(1 + x0' (X'X)^-1 x0)
    n = len(y)
    sse, _, _ = line_sse(y)
    df = n - 2
    s = mp.sqrt(sse / df)
    q = tquantile((1 + mp.mpf(level)) / 2, df)
    t = [mp.mpf(i + 1) for i in range(n)]
    a, b, d = mp.mpf(n), mp.fsum(t), mp.fsum(v * v for v in t)
    det = a * d - b * b
    out = []
    for j in range(1, h + 1):
        x0 = mp.mpf(n + j)
        quad = (d - 2 * b * x0 + a * x0 * x0) / det
        out.append(q * s * mp.sqrt(1 + quad))
    return out


# ---- output ------------------------------------------------------------------------------

def fmt(x):
    if abs(x) > DBL_MAX:
        return "kUnrepresentable"
    return repr(float(x))


def values(xs):
    return "{" + ", ".join(repr(float(v)) for v in xs) + "}"


L = ["// Generated by make_huge_values_reference.py; do not edit.",
     "// kUnrepresentable: the figure is beyond the largest double."]
sets = [("kNear1e300", NEAR_1E300), ("kPartner1e300", PARTNER_1E300), ("kAlternating", ALTERNATING),
        ("kAlternatingPartner", ALTERNATING_PARTNER), ("kNearMax", NEAR_MAX)]
for name, data in sets:
    L.append(f"static const std::vector<double> {name} = {values(data)};")

L.append("struct HugeStatisticCase { const char* data; const std::vector<double>* values; const char* what;"
         " double expected; };")
L.append("static const HugeStatisticCase kHugeStatisticCases[] = {")
for name, data in [("kNear1e300", NEAR_1E300), ("kAlternating", ALTERNATING), ("kNearMax", NEAR_MAX)]:
    for what, v in statistics(mpf_list(data)):
        L.append(f'    {{"{name}", &{name}, "{what}", {fmt(v)}}},')
L.append("};")

L.append("struct HugeBoxCoxCase { const char* data; const std::vector<double>* values; double lamda;"
         " double expected; };")
L.append("static const HugeBoxCoxCase kHugeBoxCoxCases[] = {")
for name, data in [("kNear1e300", NEAR_1E300), ("kNearMax", NEAR_MAX)]:
    for lam in (1.0, 0.5, 0.0, -0.5, -1.0):
        L.append(f'    {{"{name}", &{name}, {lam!r}, {fmt(box_cox(mpf_list(data), lam))}}},')
L.append("};")

L.append("struct HugePairCase { const char* what; const std::vector<double>* a; const std::vector<double>* b;"
         " double covariance; double correlation; double determination; };")
L.append("static const HugePairCase kHugePairCases[] = {")
for what, a, b, an, bn in [("near 1e300", NEAR_1E300, PARTNER_1E300, "kNear1e300", "kPartner1e300"),
                           ("alternating", ALTERNATING, ALTERNATING_PARTNER, "kAlternating",
                            "kAlternatingPartner"),
                           ("near the largest double", NEAR_MAX, NEAR_1E300[:10], "kNearMax", "kNear1e300")]:
    cov, r, r2 = pair(mpf_list(a), mpf_list(b))
    L.append(f'    {{"{what}", &{an}, &{bn}, {fmt(cov)}, {fmt(r)}, {fmt(r2)}}},')
L.append("};")

L.append("struct HugeTrendCase { const char* data; const std::vector<double>* values; double level;"
         " std::vector<double> halfWidths; };")
L.append("static const HugeTrendCase kHugeTrendCases[] = {")
for name, data in [("kNear1e300", NEAR_1E300), ("kNearMax", NEAR_MAX)]:
    w = trend_half_widths(mpf_list(data), 0.9, 3)
    L.append(f'    {{"{name}", &{name}, 0.9, {{{", ".join(fmt(v) for v in w)}}}}},')
L.append("};")

here = os.path.dirname(os.path.abspath(__file__))
with open(os.path.join(here, "HugeValuesReference.inc"), "w") as f:
    f.write("\n".join(L) + "\n")
