#!/usr/bin/env python3
"""Expected values of the script clients StatisticsExtensionClientTest.vbs
and SelectionExtensionClientTest.vbs, on their small fixtures.

Written from the definitions, independently of the engine: Fourier
coefficients as direct cosine and sine sums, centred moving averages and
Erlang figures in exact rationals, Student's t at 10,000 degrees of
freedom by root finding on its distribution function (regularized
incomplete beta function), Poisson tails at 40 digits, Croston's forecast
from make_croston_reference.py. Prints the constants the scripts hold:
    python3 make_script_reference.py
"""
import os
import sys
from fractions import Fraction as F

import mpmath as mp

mp.mp.dps = 40
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "SeriesCompute"))
from make_croston_reference import croston  # noqa: E402

X = [3, 1, 4, 1, 5, 9, 2, 6, 5]                                     # Fourier, histogram
STOCK = [20, 22, 21, 25, 24, 27, 26, 30, 29, 33, 31, 35]            # safety stock, intervals
SEASONAL = [10, 14, 8, 12, 11, 15, 9, 13, 12, 16, 10, 14]           # decomposition, L = 4


def out(name, value):
    if isinstance(value, F):
        value = mp.mpf(value.numerator) / value.denominator
    print("Const %s = %s" % (name, mp.nstr(mp.mpf(value), 17, min_fixed=-30, max_fixed=30)))


def t_cdf(t, df=10000):
    t = mp.mpf(t)
    tail = mp.betainc(mp.mpf(df) / 2, mp.mpf(1) / 2, 0, df / (df + t * t), regularized=True) / 2
    return 1 - tail if t >= 0 else tail


def t_quantile(p):
    return mp.findroot(lambda t: t_cdf(t) - p, 1)


def fourier(x):
    n = len(x)
    for j in range((n - 1) // 2 + 1):
        a = sum(v * mp.cos(2 * mp.pi * j * t / n) for t, v in enumerate(x, 1)) * 2 / n
        b = sum(v * mp.sin(2 * mp.pi * j * t / n) for t, v in enumerate(x, 1)) * 2 / n
        out("FOURIER_A%d" % j, a / 2 if j == 0 else a)
        out("FOURIER_B%d" % j, 0 if j == 0 else b)


def sd_error(x, last, count):
    # naive fits: the error of period i is x[i] - x[i - 1]; count - 1
    # errors ending at last - 1, over count - 2
    s = sum(F(x[i] - x[i - 1]) ** 2 for i in range(last - count + 1, last))
    return mp.sqrt(mp.mpf(s.numerator) / s.denominator / (count - 2))


def safety_stock():
    x = STOCK
    # series level, no forecasts: z(0.9) sdE 2^0.7
    out("STOCK_SERIES", t_quantile(mp.mpf("0.9")) * sd_error(x, 11, 10) * mp.mpf(2) ** mp.mpf("0.7"))
    # observation level at 7 and 8, lead 2.5 with the naive fits as forecasts
    sigma = sd_error(x, 7, 7) * mp.mpf("2.5") ** mp.mpf("0.7")
    for t in (7, 8):
        demand = x[t] + x[t + 1] + mp.mpf("0.5") * x[t + 2]      # F(t+1) + F(t+2) + 0.5 F(t+3)
        out("STOCK_OBS%d" % t, t_quantile(mp.mpf("0.95")) * sigma + demand)
    # service level of a stock of 5, lead 1.5, no forecasts
    out("SERVICE_SERIES", t_cdf(5 / (sd_error(x, 11, 10) * mp.mpf("1.5") ** mp.mpf("0.7"))))
    # SeriesX.CalculateSafetyStock(8, 8, 2, 0.9): forecasts included
    out("STOCK_MEMBER", t_quantile(mp.mpf("0.9")) * sd_error(x, 8, 8) * mp.mpf(2) ** mp.mpf("0.7") + x[8] + x[9])
    # confidence interval after smoothing with alpha 1 (fits = previous
    # values): 1.25 MAE t((1 + 0.9) / 2), MAE over periods 4..11
    mae = mp.mpf(sum(abs(x[i] - x[i - 1]) for i in range(4, 12))) / 8
    out("INTERVAL_WIDTH", mp.mpf("1.25") * mae * t_quantile(mp.mpf("0.95")))


def decomposition():
    x, L = SEASONAL, 4
    sums, cnt = [F(0)] * L, [0] * L
    for p in range(2, len(x) - 2):
        avg = (F(x[p - 2], 2) + x[p - 1] + x[p] + x[p + 1] + F(x[p + 2], 2)) / L
        sums[p % L] += x[p] - avg
        cnt[p % L] += 1
    f = [s / c for s, c in zip(sums, cnt)]
    mean = sum(f) / L
    for j, v in enumerate(f):
        out("DECOMP_F%d" % j, v - mean)


def erlang_b(n, a):
    a = F(a)
    term, total = F(1), F(1)
    for k in range(1, n + 1):
        term = term * a / k
        total += term
    return term / total


def erlang_c(n, a):
    e = erlang_b(n, a)
    return n * e / (n - a * (1 - e))


def poisson_servers(a, p):
    # smallest N with P(X >= N) <= p, or one less when that count's figure
    # is below p + 1e-6
    def tail(n):
        return 1 - sum(mp.exp(-a) * mp.mpf(a) ** k / mp.factorial(k) for k in range(n))
    n = 1
    while tail(n) > p:
        n += 1
    if n - 1 >= 1 and tail(n - 1) < p + mp.mpf("1e-6"):
        n -= 1
    return n


def event_index():
    # values 10, 12, 30, 11, 13, 33 with events (flag 1) at 2 and 5, fits
    # the previous value, offset 1, weight 0.5
    first = F(31, 13)
    index = F(1, 2) * F(34, 14) + F(1, 2) * first
    out("EVENT_INDEX", index)
    adjusted = F(34) / index - 1
    out("EVENT_ADJUSTED5", adjusted)
    out("EVENT_FORECAST6", (adjusted + 1) * index - 1)     # after a naive forecast of the adjusted values


def main():
    fourier(X)
    safety_stock()
    decomposition()
    out("ERLANGC_12_10", erlang_c(12, 10))
    out("ERLANGC_8_5", erlang_c(8, 5))
    out("POISSON_5", poisson_servers(5, mp.mpf("0.05")))
    out("POISSON_20", poisson_servers(20, mp.mpf("0.05")))
    event_index()
    x = [F(v) for v in [1, 0, 0, 7, 0, 0, 0, 0, 2, 50]]
    out("CROSTON_02", croston(x, 0, F(1, 5), 2)[-1])


if __name__ == "__main__":
    main()
