#!/usr/bin/env python3
"""Writes StatisticsReference.inc: reference values of the series statistics.

Run once from this folder (python3 make_statistics_reference.py); the output
is committed, so the tests need nothing but a C++ compiler.

Every value is computed here independently of the engine, in exact rational
arithmetic (fractions.Fraction) wherever the statistic is rational, and
rounded once to a double at the end. Square roots are taken of the exactly
computed radicand. Partial autocorrelations come from the Durbin-Levinson
recursion on the exact autocorrelations, a different route from the
determinant quotient the engine uses.

The divisors are the engine's: sums of squares by nothing, means and mean
errors by n, variance / standard deviation / skewness / kurtosis by n - 1;
autocovariance by n whatever the lag; autocorrelation over the sum of squared
deviations; the coefficient of variation in percent, MAPE as a fraction.
"""
from fractions import Fraction as Fr
import csv
import os

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "..", "examples", "data", "airline-passengers.csv")


def load_airline(n):
    with open(DATA, newline="") as f:
        rows = list(csv.DictReader(f))
    return [Fr(r["passengers"]) for r in rows[:n]]


# Data set 1: the first 36 airline-passenger totals; every observation from 1
# on carries a fitted value 1.01 times the previous actual value (a naive
# forecast with drift), observation 0 none.
air = load_airline(36)
# The fitted values are taken as the doubles the engine holds, exactly.
air_fit = [None] + [Fr(float(a * Fr(101, 100))) for a in air[:-1]]

# Data set 2: mixed signs, zeros and fractions; fitted values on some
# observations only (None: no fitted value, so the error is 0 there).
mixed = [Fr(x) for x in ["3", "-1.5", "0", "4.25", "2", "-3", "7", "0.5", "1", "-2", "2.75", "6"]]
mixed_fit = [None, Fr("1"), Fr("0.5"), None, Fr("2.5"), Fr("-1"), Fr("5.5"), Fr("1.25"),
             Fr("0.75"), Fr("-0.5"), Fr("2"), Fr("5")]

DATASETS = [("air", air, air_fit), ("mixed", mixed, mixed_fit)]


def fitted(values, fit):
    return [f if f is not None else a for a, f in zip(values, fit)]


def rng(n, last, count):
    if last == -2:
        last = n - 1
    if count == -1:
        count = n
    return last - count + 1, last, count


def mean(v):
    return sum(v, Fr(0)) / len(v)


def ssd(v):
    m = mean(v)
    return sum(((x - m) ** 2 for x in v), Fr(0))


def sqrt_fr(q):
    # Correctly rounded square root of a positive rational.
    from decimal import Decimal, getcontext
    getcontext().prec = 60
    return float((Decimal(q.numerator) / Decimal(q.denominator)).sqrt())


def stats_for(name, values, fit, last, count):
    n_all = len(values)
    s, last_r, cnt = rng(n_all, last, count)
    A = values
    F = fitted(values, fit)
    r = A[s:last_r + 1]
    e = [A[i] - F[i] for i in range(s, last_r + 1)]
    out = {}
    m = mean(r)
    q = ssd(r)
    var = q / (cnt - 1)
    out["mean"] = m
    out["sumSquaredDeviation"] = q
    out["variance"] = var
    out["standardDeviation"] = sqrt_fr(var)
    out["meanSquaredDeviation"] = q / cnt
    out["rootMeanSquare"] = sqrt_fr(q / cnt)
    out["meanAbsDeviation"] = sum((abs(x - m) for x in r), Fr(0)) / cnt
    sd = sqrt_fr(var)
    out["coefficientOfVariation"] = 100.0 * sd / float(m)
    # Skewness and kurtosis: the third and fourth central sums over n - 1,
    # divided by the power of the standard deviation (a real number).
    m3 = sum(((x - m) ** 3 for x in r), Fr(0)) / (cnt - 1)
    m4 = sum(((x - m) ** 4 for x in r), Fr(0)) / (cnt - 1)
    # sd^3 = var^(3/2), sd^4 = var^2 (exact).
    skew = float(m3 / var) / sqrt_fr(var)
    kurt = m4 / (var * var)
    out["skewness"] = skew
    out["kurtosis"] = kurt
    out["normalityError"] = cnt / 6.0 * (skew + float((kurt - 3) ** 2) / 4.0)
    out["minimum"] = min(r)
    out["maximum"] = max(r)
    out["range"] = max(r) - min(r)
    for h in range(0, 4):
        out["autocovariance%d" % h] = sum(((A[i + h] - m) * (A[i] - m) for i in range(s, last_r - h + 1)), Fr(0)) / cnt
    acf = []
    for h in range(1, 6):
        acf.append(sum(((A[i] - m) * (A[i + h] - m) for i in range(s, last_r - h + 1)), Fr(0)) / q)
        out["autocorrelation%d" % h] = acf[-1]
    # Durbin-Levinson: phi_kk from the exact autocorrelations.
    phi_prev = []
    for k in range(1, 5):
        if k == 1:
            phi_kk = acf[0]
            phi = [phi_kk]
        else:
            num = acf[k - 1] - sum((phi_prev[j] * acf[k - 2 - j] for j in range(k - 1)), Fr(0))
            den = 1 - sum((phi_prev[j] * acf[j] for j in range(k - 1)), Fr(0))
            phi_kk = num / den
            phi = [phi_prev[j] - phi_kk * phi_prev[k - 2 - j] for j in range(k - 1)] + [phi_kk]
        phi_prev = phi
        out["partialAutocorrelation%d" % k] = phi_kk
    sse = sum((x * x for x in e), Fr(0))
    out["sumSquaredError"] = sse
    out["meanSquareError"] = sse / cnt
    out["rootMeanSquareError"] = sqrt_fr(sse / cnt)
    out["standardDeviationError"] = sqrt_fr(sse / (cnt - 1))
    out["meanError"] = sum(e, Fr(0)) / cnt
    out["meanAbsoluteError"] = sum((abs(x) for x in e), Fr(0)) / cnt
    terms = [abs((A[i] - F[i]) / A[i]) for i in range(s, last_r + 1) if abs(A[i]) > Fr(1, 10 ** 12)]
    out["meanAbsolutePercentageError"] = sum(terms, Fr(0)) / len(terms) if terms else Fr(0)
    full_e = [A[j] - F[j] for j in range(n_all)]
    for d in (1, 2):
        start = max(0, s + d)
        p = sum(((full_e[i] - full_e[i - d]) ** 2 for i in range(start, last_r + 1)), Fr(0))
        out["durbinWatson%d" % d] = p / sse
    return out


def theil_for(values, fit, last, count):
    # Pairs (i, i + 1) for i = s .. last; 0.0 when an observation i + 1 has
    # no fitted value or the denominator vanishes.
    n = len(values)
    if last == -2:
        last = n - 2
    if count == -1:
        count = n - 1
    s = last - count + 1
    A = values
    D = Fr(0)
    N = Fr(0)
    for i in range(s, last + 1):
        if abs(A[i]) > Fr(1, 10 ** 6):
            D += ((A[i + 1] - A[i]) / A[i]) ** 2
    if abs(D) < Fr(1, 10 ** 6):
        return 0.0
    for i in range(s, last + 1):
        if fit[i + 1] is None:
            return 0.0
        if abs(A[i]) > Fr(1, 10 ** 6):
            N += ((fit[i + 1] - A[i + 1]) / A[i]) ** 2
    return sqrt_fr(N / D)


RANGES = [(-2, -1), (8, 6), (10, 9)]

KEYS = None
lines = []
lines.append("// Generated by make_statistics_reference.py; do not edit.")
lines.append("// Reference values of the series statistics (exact rational arithmetic,")
lines.append("// rounded once to double).")
lines.append("")


def lit(x):
    return repr(float(x))


for name, values, fit in DATASETS:
    lines.append("static const double k_%s_values[] = {%s};" % (name, ", ".join(lit(v) for v in values)))
    lines.append("static const bool k_%s_hasFit[] = {%s};" % (name, ", ".join("true" if f is not None else "false" for f in fit)))
    lines.append("static const double k_%s_fit[] = {%s};" % (name, ", ".join(lit(f if f is not None else 0) for f in fit)))
lines.append("")
lines.append("struct StatisticReference {")
lines.append("    const char* dataset;")
lines.append("    std::int32_t last;")
lines.append("    std::int32_t count;")
lines.append("    const char* statistic;")
lines.append("    double value;")
lines.append("};")
lines.append("")
lines.append("static const StatisticReference kStatisticReferences[] = {")
for name, values, fit in DATASETS:
    for last, count in RANGES:
        st = stats_for(name, values, fit, last, count)
        for key in sorted(st):
            lines.append('    {"%s", %d, %d, "%s", %s},' % (name, last, count, key, lit(st[key])))
    for last, count in [(-2, -1), (7, 5)]:
        lines.append('    {"%s", %d, %d, "theil", %s},' % (name, last, count, lit(theil_for(values, fit, last, count))))
lines.append("};")
lines.append("")

with open(os.path.join(HERE, "StatisticsReference.inc"), "w") as f:
    f.write("\n".join(lines))
print("wrote", len(lines), "lines")
