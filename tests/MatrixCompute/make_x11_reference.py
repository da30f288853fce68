#!/usr/bin/env python3
"""Reference decompositions for the X-11 style adjustment tests.

A plain transcription of the documented steps (initial centred average,
first extreme-value pass, end fill, block normalisation, 3 x 3 seasonal
averages, trend filter, second pass, final trend, irregular), written
separately from the engine and evaluated in 30-digit arithmetic (mpmath).
Series: the airline passengers (multiplicative and additive, s = 12, the
15-term filter), its first 100 values (a trailing incomplete season block),
the M3 quarterly series N0646 (s = 4, 7-term filter) and the M3 monthly
series N1402 with s = 6 (11-term filter).

Writes X11Reference.inc next to this script.
"""
import os
import sys

import mpmath as mp

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import reference_data  # noqa: E402

mp.mp.dps = 30
M = mp.mpf


def airline():
    return [float(v) for v in reference_data.airline_text()]


def m3(file, sid):
    return [float(v) for v in reference_data.m3_train_text(file, sid)]


def centred(x, s):
    h = len(x)
    half = s // 2
    out = [M(0)] * h
    for p in range(half, h - half):
        if s % 2:
            out[p] = sum(x[p - half:p + half + 1]) / s
        else:
            out[p] = (x[p - half] / 2 + x[p + half] / 2 + sum(x[p - half + 1:p + half])) / s
    return out


def comb(a, b, d):
    if d == 2:
        assert all(abs(v) >= M('1e-12') for v in b)
        return [u / v for u, v in zip(a, b)]
    return [u - v for u, v in zip(a, b)]


def ma(v, m):
    p = m // 2
    out = list(v)
    for j in range(p, len(v) - p):
        out[j] = sum(v[j - p:j + p + 1]) / m
    return out


def seasonal_ma(x, start, length, s, m, e):
    x = list(x)
    pad = 2 * (m // 2)
    for c in range(min(s, length)):
        idx = list(range(start + c, start + length, s))
        vals = [x[i] for i in idx]
        k = len(vals)
        span = min(e, k)
        head = sum(vals[:span]) / span
        tail = sum(vals[k - span:]) / span
        buf = [head] * pad + vals + [tail] * pad
        twice = ma(ma(buf, m), m)
        for q, i in enumerate(idx):
            x[i] = twice[pad + q]
    return x


def extremes(si, start, length, s, r, m, e):
    si = list(si)
    sm = seasonal_ma(si, start, length, s, m, e)
    for c in range(min(s, length)):
        idx = list(range(start + c, start + length, s))
        k = len(idx)
        limit = r * mp.sqrt(sum((si[i] - sm[i]) ** 2 for i in idx) / k)
        if k < 2:
            continue
        for q, i in enumerate(idx):
            if si[i] <= sm[i] - limit or si[i] >= sm[i] + limit:
                if q == 0:
                    si[i] = si[i + s]
                elif q == k - 1:
                    si[i] = si[i - s]
                else:
                    si[i] = (si[i - s] + si[i + s]) / 2
    return si


def norm_block(b, d):
    if d == 2:
        t = sum(b)
        return [v * len(b) / t for v in b]
    mean = sum(b) / len(b)
    return [v - mean for v in b]


def normalise(x, s, d):
    x = list(x)
    h = len(x)
    blocks = h // s
    for j in range(blocks):
        x[j * s:(j + 1) * s] = norm_block(x[j * s:(j + 1) * s], d)
    rest = h % s
    if rest and blocks:
        b = x[blocks * s:] + x[(blocks - 1) * s + rest:blocks * s]
        b = norm_block(b, d)
        x[blocks * s:] = b[:rest]
    return x


def trend(x, s):
    n = len(x)
    if n <= 6 or n <= s:
        return list(x)
    if s < 6:
        w, div, e = [-1, 2, 10, 14, 10, 2, -1], 36, 2
    elif s < 10:
        w, div, e = [-3, -6, 1, 15, 22, 22, 22, 15, 1, -6, -3], 80, 3
    else:
        w, div, e = [-3, -6, -5, 3, 21, 46, 67, 74, 67, 46, 21, 3, -5, -6, -3], 320, 4
    side = (len(w) - 1) // 2
    buf = [sum(x[:e]) / e] * side + list(x) + [sum(x[-e:]) / e] * side
    return [sum(w[t] * buf[q + t] for t in range(len(w))) / div for q in range(n)]


def decompose(values, s, d, r):
    x = [M(v) for v in values]
    r = M(r)
    h = len(x)
    half = s // 2
    t1 = centred(x, s)
    si = [M(0)] * h
    si[half:h - half] = comb(x[half:h - half], t1[half:h - half], d)
    si = extremes(si, half, h - 2 * half, s, r, 3, 2)
    for i in range(half):
        si[i] = si[i + s]
    for i in range(h - half, h):
        si[i] = si[i - s]
    si = normalise(si, s, d)
    S = seasonal_ma(si, 0, h, s, 3, 3)
    T2 = trend(comb(x, S, d), s)
    si = extremes(comb(x, T2, d), 0, h, s, r, 3, 3)
    S = seasonal_ma(si, 0, h, s, 3, 3)
    A = comb(x, S, d)
    T = trend(A, s)
    I = comb(A, T, 2)
    avg = sum(abs(1 - v) for v in I) / h
    return S, T, I, avg


def arr(xs):
    return "{" + ", ".join(repr(float(v)) for v in xs) + "}"


air = airline()
cases = [("airline multiplicative", air, 12, 2, 2.0),
         ("airline additive", air, 12, 1, 2.0),
         ("airline first 100, incomplete last block", air[:100], 12, 2, 1.5),
         ("M3 quarterly N0646", m3("m3_quarterly.csv", "N0646"), 4, 2, 2.0),
         ("M3 monthly N1402, season 6", m3("m3_monthly.csv", "N1402"), 6, 1, 2.0)]
out = ["// Generated by make_x11_reference.py. Do not edit.",
       "struct X11Case { const char* what; std::vector<double> data; std::int32_t s; std::int32_t d; double r;"
       " std::vector<double> seasonal; std::vector<double> trend; std::vector<double> irregular;"
       " double averageIrregular; };",
       "static const X11Case kX11Cases[] = {"]
for what, data, s, d, r in cases:
    S, T, I, avg = decompose(data, s, d, r)
    out.append(f'    {{"{what}", {arr(data)}, {s}, {d}, {r}, {arr(S)}, {arr(T)}, {arr(I)}, {repr(float(avg))}}},')
out.append("};")
here = os.path.dirname(os.path.abspath(__file__))
with open(os.path.join(here, "X11Reference.inc"), "w") as f:
    f.write("\n".join(out) + "\n")
