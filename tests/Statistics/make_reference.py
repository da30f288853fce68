#!/usr/bin/env python3
"""Writes reference_values.inc: arguments and reference values of the special
and distribution functions, computed with mpmath at 40 significant digits.

Run once by hand (python3 make_reference.py) when the table of arguments
changes; the output is committed so that the tests need nothing but a C++
compiler."""
import os
from mpmath import mp, mpf, gamma, loggamma, erf, erfc, betainc, gammainc, beta, log, log1p, sqrt, erfinv, findroot, fabs

mp.dps = 40

def d(v):
    return repr(float(v))

def tcdf(t, df):
    t = mpf(t); df = mpf(df)
    tail = betainc(df / 2, mpf(1) / 2, 0, df / (df + t * t), regularized=True) / 2
    return 1 - tail if t > 0 else tail

def tinv(p, df):
    p = mpf(p)
    guess = 1.0
    lo, hi = mpf(0), mpf(1)
    while tcdf(hi, df) < max(p, 1 - p):
        hi *= 2
    # bisection on [0, hi] for the upper quantile, then sign
    q = max(p, 1 - p)
    for _ in range(200):
        mid = (lo + hi) / 2
        if tcdf(mid, df) < q:
            lo = mid
        else:
            hi = mid
    t = (lo + hi) / 2
    return t if p > 0.5 else -t

def betainv(p, a, b):
    lo, hi = mpf(0), mpf(1)
    for _ in range(200):
        mid = (lo + hi) / 2
        if betainc(a, b, 0, mid, regularized=True) < p:
            lo = mid
        else:
            hi = mid
    return (lo + hi) / 2

def chi2cdf(x, df):
    return gammainc(mpf(df) / 2, 0, mpf(x) / 2, regularized=True)

out = []
def table(name, columns, rows):
    out.append('// %s: %s' % (name, ', '.join(columns)))
    out.append('static const double %s[][%d] = {' % (name, len(columns)))
    for r in rows:
        out.append('    {%s},' % ', '.join(d(v) for v in r))
    out.append('};')
    out.append('')

gx = [0.25, 0.5, 1.5, 2.75, 5, 7.5, 9.99, 10.5, 12, 23.25, 50.5, 100, 170.5, -0.5, -1.5, -2.5, -3.75, -7.25, -9.5, -10.5, -20.25, -55.5, 1e-8, -1e-8]
table('kGamma', ['x', 'gamma(x)'], [(x, gamma(mpf(x))) for x in gx])
lx = [0.25, 0.5, 1.5, 3, 9.5, 10.5, 25, 100, 1000, 1e6, 1e30, -0.5, -2.5, -9.5, -10.5, -33.3, -150.25]
table('kLogGamma', ['x', 'log|gamma(x)|'], [(x, log(fabs(gamma(mpf(x))))) for x in lx])
ex = [0.0, 1e-10, 0.1, 0.5, 0.99, 1.0, 1.5, 2.0, 2.5, 4.0, 6.0, 10.0, 26.0, -0.3, -1.2, -2.2, -5.0]
table('kErf', ['x', 'erf(x)', 'erfc(x)'], [(x, erf(mpf(x)), erfc(mpf(x))) for x in ex])
ax = [-0.9, -0.5, -0.375, -0.1, -1e-9, 1e-12, 0.05, 0.375, 0.4, 2.0, 1e3]
table('kLnRel', ['x', 'ln(1+x)'], [(x, log1p(mpf(x))) for x in ax])
bab = [(0.5, 0.5), (1, 1), (2.5, 3.5), (0.1, 20), (5, 12), (15, 40), (150, 200), (1e-3, 1e-3)]
table('kBeta', ['a', 'b', 'beta(a,b)', 'log beta(a,b)'], [(a, b, beta(mpf(a), mpf(b)), log(beta(mpf(a), mpf(b)))) for a, b in bab])
bi = [(0.5, 2, 2), (0.1, 0.5, 0.5), (0.3, 2.5, 3.5), (0.9, 2.5, 3.5), (0.05, 1, 10), (0.95, 10, 1), (0.5, 40, 45),
      (0.2, 0.7, 7.3), (0.7, 12.5, 3), (0.999, 3, 3), (1e-5, 2, 5), (0.85, 0.25, 1.75), (0.4, 100, 150), (0.35, 3, 4)]
table('kBetaIncomplete', ['x', 'a', 'b', 'I_x(a,b)'], [(x, a, b, betainc(mpf(a), mpf(b), 0, mpf(x), regularized=True)) for x, a, b in bi])
# Shapes large enough that a term-by-term sum over the larger one is out of
# reach (x near the mean, in the tails, and both shapes large).
bl = [(0.1, 0.5, 3e9), (1e-10, 0.5, 3e9), (3e-10, 2.5, 1e10), (0.9, 3e9, 0.5), (0.2857, 2e5, 5e5), (0.2, 4e6, 1e7),
      (0.28575, 4e6, 1e7), (0.5, 1e10, 1e10), (0.4999999, 1e10, 1e10), (0.3, 1e6, 7.5)]
def betainc_large(x, a, b):
    """I_x(a, b) by quadrature of the density, split where it is
    concentrated: around the mean in steps of the standard deviation and
    geometrically towards the ends. The smaller side is integrated and the
    complement taken when x lies beyond the mean."""
    from mpmath import quad, exp, mpf as M
    x, a, b = M(x), M(a), M(b)
    lnb = loggamma(a) + loggamma(b) - loggamma(a + b)
    f = lambda t: exp((a - 1) * log(t) + (b - 1) * log1p(-t) - lnb)
    mean = a / (a + b)
    sd = sqrt(a * b / ((a + b) ** 2 * (a + b + 1)))
    lower = x <= mean
    lo, hi = (M(0), x) if lower else (x, M(1))
    pts = {lo, hi}
    for k in range(-60, 61):
        t = mean + k * sd / 2
        if lo < t < hi:
            pts.add(t)
    for e in range(1, 400):
        for base in (lo, hi):
            t = base + (1 if base == lo else -1) * M(10) ** (-e / 4.0)
            if lo < t < hi:
                pts.add(t)
    pts = sorted(pts)
    v = quad(f, pts, maxdegree=10)
    return v if lower else 1 - v

table('kBetaIncompleteLarge', ['x', 'a', 'b', 'I_x(a,b)'], [(x, a, b, betainc_large(x, a, b)) for x, a, b in bl])
gi = [(0.5, 0.2), (1.0, 1.0), (2.0, 1.5), (2.5, 0.7), (3.0, 5.0), (10.0, 3.0), (5.5, 12.0), (0.3, 4.0), (20.0, 25.0), (1.5, 1e-3)]
table('kGammaIncomplete', ['a', 'x', 'gamma(a,x) lower'], [(a, x, gammainc(mpf(a), 0, mpf(x))) for a, x in gi])
nx = [-40, -10, -5, -3, -1.5, -0.5, 0, 0.25, 1, 2, 3.5, 6, 8.5]
table('kNormalCdf', ['x', 'Phi(x)'], [(x, mp.ncdf(mpf(x))) for x in nx])
npv = [1e-300, 1e-20, 1e-10, 2e-16, 1e-6, 0.001, 0.01, 0.025, 0.05, 0.1, 0.25, 0.4, 0.5, 0.6, 0.75, 0.9, 0.975, 0.99, 0.999, 0.999999, 1 - 1e-15]
def ninv(p):
    p = mpf(p)
    lo, hi = mpf(-40), mpf(40)
    for _ in range(300):
        mid = (lo + hi) / 2
        if mp.ncdf(mid) < p:
            lo = mid
        else:
            hi = mid
    return (lo + hi) / 2
table('kNormalInverse', ['p', 'x'], [(p, ninv(p)) for p in npv])
tc = [(0.5, 1), (-0.5, 1), (1.0, 2), (1.0, 3), (-1.5, 5), (1.9, 7), (2.5, 7), (3.5, 9), (2.2, 19), (0.3, 19), (4.5, 18),
      (1.0, 30), (-2.0, 30), (1.0, 2.5), (1.2, 7.5), (0.7, 150), (2.0, 250), (10.0, 4), (-50.0, 3), (0.01, 12), (6.0, 1), (2.3, 8), (3.0, 16), (-2.1, 6), (1.5, 6), (0.9, 1), (1.99, 4)]
table('kTCdf', ['t', 'df', 'P(T <= t)'], [(t, df, tcdf(t, df)) for t, df in tc])
ti = [(0.975, 1), (0.9, 1), (0.975, 2), (0.1, 2), (0.975, 3), (0.95, 4), (0.99, 5), (0.025, 10), (0.975, 30), (0.6, 12),
      (0.999, 7), (0.9995, 60), (0.975, 1.5), (0.3, 1.25), (0.75, 1.8), (0.52, 25)]
table('kTInverse', ['p', 'df', 't'], [(p, df, tinv(p, df)) for p, df in ti])
db = [(0.3, 2.5, 3.5), (0.05, 0.75, 0.5), (0.95, 0.75, 0.5), (0.5, 1, 1), (0.01, 4, 9), (0.8, 20, 15), (0.2, 0.6, 0.5), (0.7, 3, 45)]
table('kBetaInverse', ['p', 'a', 'b', 'x'], [(p, a, b, betainv(mpf(p), mpf(a), mpf(b))) for p, a, b in db])
cc = [(0.5, 1), (3.0, 4), (1.0, 1), (10.0, 3), (30.0, 10), (25.0, 6), (40.0, 30), (60.0, 40), (2.5, 26), (12.0, 24),
      (150.0, 64), (70.0, 66), (80.0, 70), (100.0, 100), (250.0, 200), (2.5, 200), (5e-12, 3)]
table('kChiSquaredCdf', ['chi2', 'df', 'P(X <= chi2)'], [(x, df, chi2cdf(x, df)) for x, df in cc])

here = os.path.dirname(os.path.abspath(__file__))
with open(os.path.join(here, 'reference_values.inc'), 'w') as f:
    f.write('// Reference values computed with mpmath at 40 digits by make_reference.py.\n')
    f.write('// Generated file: rerun the script instead of editing.\n\n')
    f.write('\n'.join(out))
