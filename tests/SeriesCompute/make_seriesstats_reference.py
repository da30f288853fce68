#!/usr/bin/env python3
"""Reference values for the decomposition index, Fourier coefficients,
histogram, safety stock, service level and confidence interval tests, on
the airline passengers series and two M3 series (N1402 monthly, N0646
quarterly, in-sample part).

Independent of the engine's code paths: centred averages are plain window
means in exact rationals, Fourier coefficients direct cosine and sine sums
at 30 digits, histogram counts against exact rational edges, and t
quantiles by root finding on the t distribution function written through
the regularized incomplete beta function (mpmath).

Writes SeriesStatsReference.inc next to this script.
"""
import os
import sys
from fractions import Fraction

import mpmath as mp

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import reference_data  # noqa: E402

mp.mp.dps = 30


def airline():
    return [float(v) for v in reference_data.airline_text()]


def m3(file, sid):
    return [float(v) for v in reference_data.m3_train_text(file, sid)]


def fmt(x):
    x = float(x)
    return repr(x)


def arr(xs):
    return "{" + ", ".join(fmt(x) for x in xs) + "}"


# ---- decomposition index -------------------------------------------------------

def centred(x, start, last, L):
    h = L // 2
    out = {}
    for p in range(start + h, last - h + 1):
        if L % 2:
            out[p] = sum(Fraction(v) for v in x[p - h:p + h + 1]) / L
        else:
            w = Fraction(x[p - h]) / 2 + Fraction(x[p + h]) / 2 + sum(Fraction(v) for v in x[p - h + 1:p + h])
            out[p] = w / L
    return out


def decomposition(x, last, count, L, kind):
    start = last - count + 1
    avg = centred(x, start, last, L)
    sums = [Fraction(0)] * L
    cnt = [0] * L
    for p, a in avg.items():
        pos = (p - start) % L
        if kind == 2:
            if abs(a) > Fraction(1, 10**12):
                sums[pos] += Fraction(x[p]) / a
                cnt[pos] += 1
        else:
            sums[pos] += Fraction(x[p]) - a
            cnt[pos] += 1
    if kind == 2:
        f = [sums[j] / cnt[j] if cnt[j] and abs(sums[j]) > Fraction(1, 10**12) else Fraction(1) for j in range(L)]
        f = [v if v > Fraction(1, 10**12) else Fraction(1) for v in f]
        total = sum(f)
        f = [v * L / total for v in f]
    else:
        f = [sums[j] / cnt[j] if cnt[j] else Fraction(0) for j in range(L)]
        mean = sum(f) / L
        f = [v - mean for v in f]
    return f


# ---- Fourier -----------------------------------------------------------------------

def fourier(x, last, count):
    xs = x[last - count + 1:last + 1]
    N = count
    m = (N - 1) // 2
    A, B = [], []
    for j in range(m + 1):
        a = mp.mpf(0)
        b = mp.mpf(0)
        for t in range(1, N + 1):
            ang = 2 * mp.pi * j * t / N
            a += xs[t - 1] * mp.cos(ang)
            b += xs[t - 1] * mp.sin(ang)
        a = 2 * a / N
        b = 2 * b / N
        if j == 0:
            a /= 2
            b = 0
        A.append(a)
        B.append(b)
    return A, B


# ---- histogram ---------------------------------------------------------------------

def histogram(data, bins, lo=None, hi=None):
    lo = Fraction(min(data)) if lo is None else Fraction(lo)
    hi = Fraction(max(data)) if hi is None else Fraction(hi)
    edges = [lo + k * (hi - lo) / bins for k in range(bins + 1)]
    counts = [0] * bins
    smaller = larger = 0
    for v in data:
        v = Fraction(v)
        if v < edges[0]:
            smaller += 1
        elif v > edges[-1]:
            larger += 1
        else:
            for k in range(bins):
                if (v >= edges[0] if k == 0 else v > edges[k]) and v <= edges[k + 1]:
                    counts[k] += 1
                    break
    return counts, smaller, larger, edges[0], edges[1] - edges[0]


# ---- t quantiles -------------------------------------------------------------------

def tcdf(t, df):
    t = mp.mpf(t)
    x = df / (df + t * t)
    tail = mp.betainc(df / 2, mp.mpf(1) / 2, 0, x, regularized=True) / 2
    return 1 - tail if t >= 0 else tail


def tquantile(p, df):
    if p == 0.5:
        return mp.mpf(0)
    return mp.findroot(lambda t: tcdf(t, df) - p, mp.sqrt(2) * mp.erfinv(2 * mp.mpf(p) - 1))


# ---- safety stock and confidence interval -------------------------------------------------
# The tests store a naive forecast (the previous actual value) as the
# fitted value of every observation but the first.

def naive_fits(x):
    return [x[0]] + x[:-1]


def sd_error(x, fits, last, count):
    # standard deviation of errors over the count - 1 observations ending
    # at last - 1, divided by count - 2
    s = sum((Fraction(x[i]) - Fraction(fits[i])) ** 2 for i in range(last - count + 1, last))
    return mp.sqrt(mp.mpf(s.numerator) / s.denominator / (count - 2))


def safety(x, last, count, lead, level, incl, periods, mode):
    fits = naive_fits(x)
    sde = sd_error(x, fits, last, count)
    sigma = sde * mp.mpf(lead) ** mp.mpf('0.7') if lead > 0 else sde
    m = int(mp.ceil(lead))
    frac = mp.mpf(lead) - (m - 1)
    out = []
    for i in range(periods):
        t = last + i
        d = mp.mpf(0)
        if incl:
            d = sum(mp.mpf(fits[t + k]) for k in range(1, m)) + frac * fits[t + m]
        if mode == 1:
            out.append(tquantile(mp.mpf(level), 10000) * sigma + d)
        else:
            margin = level - d
            out.append(mp.mpf(-1) if margin <= 0 else tcdf(margin / sigma, 10000))
    return out


def conf_interval(x, last, count, level, method, a):
    fits = naive_fits(x)
    mae = sum(abs(Fraction(x[i]) - Fraction(fits[i])) for i in range(last - count + 1, last + 1)) / count
    mae = mp.mpf(mae.numerator) / mae.denominator
    t = tquantile((mp.mpf(level) + 1) / 2, 10000)
    H = len(x) - last - 1
    out = []
    for h in range(1, H + 1):
        if method == 5:
            g = 1
        elif a is not None:
            b = 1 - mp.mpf(a)
            V = lambda hh: 1 + a * (1 + b) ** 3 * ((1 + 4 * b + 5 * b * b) + 2 * a * (1 + 3 * b) * hh + 2 * a * a * hh * hh)
            g = mp.mpf('1.25') * mp.sqrt(V(h) / V(1))
        else:
            g = mp.sqrt(h)
        out.append(mp.mpf('1.25') * mae * t * g)
    return out


air = airline()
monthly = m3("m3_monthly.csv", "N1402")
quarterly = m3("m3_quarterly.csv", "N0646")

L = []
L.append("// Generated by make_seriesstats_reference.py. Do not edit.")
L.append(f"static const std::vector<double> kAirline = {arr(air)};")
L.append(f"static const std::vector<double> kM3Monthly = {arr(monthly)};  // N1402")
L.append(f"static const std::vector<double> kM3Quarterly = {arr(quarterly)};  // N0646")

L.append("struct DecompositionCase { const char* what; const std::vector<double>* data; std::int32_t last;"
         " std::int32_t count; std::int32_t L; std::int32_t type; std::vector<double> factors; };")
L.append("static const DecompositionCase kDecompositionCases[] = {")
for what, name, x, last, count, Ls, kind in [
        ("airline multiplicative", "kAirline", air, len(air) - 1, len(air), 12, 2),
        ("airline additive", "kAirline", air, len(air) - 1, len(air), 12, 1),
        ("airline partial range", "kAirline", air, 131, 100, 12, 2),
        ("airline odd season", "kAirline", air, 99, 50, 7, 1),
        ("M3 monthly", "kM3Monthly", monthly, len(monthly) - 1, len(monthly), 12, 2),
        ("M3 quarterly", "kM3Quarterly", quarterly, len(quarterly) - 1, len(quarterly), 4, 2)]:
    f = decomposition(x, last, count, Ls, kind)
    L.append(f'    {{"{what}", &{name}, {last}, {count}, {Ls}, {kind}, {arr(f)}}},')
L.append("};")

L.append("struct FourierCase { const char* what; const std::vector<double>* data; std::int32_t last;"
         " std::int32_t count; std::vector<double> a; std::vector<double> b; };")
L.append("static const FourierCase kFourierCases[] = {")
for what, name, x, last, count in [("airline", "kAirline", air, len(air) - 1, len(air)),
                                   ("M3 monthly, odd range", "kM3Monthly", monthly, 40, 25),
                                   ("M3 quarterly", "kM3Quarterly", quarterly, len(quarterly) - 1, len(quarterly))]:
    A, B = fourier(x, last, count)
    L.append(f'    {{"{what}", &{name}, {last}, {count}, {arr(A)}, {arr(B)}}},')
L.append("};")

L.append("struct HistogramCase { const char* what; const std::vector<double>* data; std::int32_t bins;"
         " bool byMinMax; double min; double max; std::vector<double> counts; double smaller; double larger;"
         " double base; double step; };")
L.append("static const HistogramCase kHistogramCases[] = {")
for what, name, x, bins, lo, hi in [("airline by range", "kAirline", air, 10, None, None),
                                     ("airline 7 bins by range", "kAirline", air, 7, None, None),
                                     ("airline 3 bins: the maximum on the last edge", "kAirline", air, 3, None, None),
                                     ("airline by bounds", "kAirline", air, 7, 150, 450),
                                     ("M3 quarterly", "kM3Quarterly", quarterly, 5, None, None)]:
    counts, sm, lg, base, step = histogram(x, bins, lo, hi)
    by = "true" if lo is not None else "false"
    L.append(f'    {{"{what}", &{name}, {bins}, {by}, {fmt(lo or 0)}, {fmt(hi or 0)}, {arr(counts)}, {sm}, {lg},'
             f' {fmt(base)}, {fmt(step)}}},')
L.append("};")

L.append("struct SafetyStockCase { const char* what; std::int32_t last; std::int32_t count; double lead;"
         " double value; bool includeF; std::int32_t cl; std::int32_t periods; std::int32_t mode;"
         " std::vector<double> results; };")
L.append("static const SafetyStockCase kSafetyStockCases[] = {")
for what, last, count, lead, value, incl, cl, periods, mode in [
        ("series level, no forecasts", 131, 120, 2.0, 0.75, False, 2, 1, 1),
        ("lead time 2.5 with forecasts", 131, 132, 2.5, 0.9, True, 2, 1, 1),
        ("observation level, three periods", 120, 60, 3.0, 0.95, True, 1, 3, 1),
        ("service level", 131, 120, 2.5, 1150.0, True, 2, 1, 2),
        ("service level below demand", 131, 120, 2.5, 900.0, True, 2, 1, 2),
        ("matrix level, two periods", 131, 120, 2.0, 0.9, True, 3, 2, 1),
        ("service level at matrix level", 131, 120, 2.5, 1150.0, True, 3, 1, 2)]:
    r = safety(air, last, count, lead, value, incl, periods, mode)
    L.append(f'    {{"{what}", {last}, {count}, {fmt(lead)}, {fmt(value)}, {"true" if incl else "false"}, {cl},'
             f' {periods}, {mode}, {arr(r)}}},')
L.append("};")

L.append("struct ConfidenceCase { const char* what; std::int32_t last; std::int32_t count; double level;"
         " std::int32_t method; std::vector<double> widths; };")
L.append("static const ConfidenceCase kConfidenceCases[] = {")
for what, last, count, level, method, a in [("exponential smoothing", 131, 60, 0.9, 5, None),
                                             ("Holt, largest constant 0.5", 131, 60, 0.95, 9, mp.mpf('0.5')),
                                             ("Box-Jenkins", 131, 132, 0.8, 18, None)]:
    w = conf_interval(air, last, count, level, method, a)
    L.append(f'    {{"{what}", {last}, {count}, {fmt(level)}, {method}, {arr(w)}}},')
L.append("};")

here = os.path.dirname(os.path.abspath(__file__))
with open(os.path.join(here, "SeriesStatsReference.inc"), "w") as f:
    f.write("\n".join(L) + "\n")
