#!/usr/bin/env python3
"""Reference values for the Box-Jenkins, Ljung-Box, t-test and fit-criteria
tests. Writes BoxJenkinsReference.inc next to this script; run once from
this folder (python3 make_boxjenkins_reference.py) and commit the output.

Written independently of the engine:
- The airline model (0,1,1)(0,1,1)12 on the logarithms: the one-step
  recursion with backcasts and the cyclic coordinate search are written out
  here from their definitions in Python floats (the same IEEE doubles, so
  the search takes the same path up to the last bit of log), with the
  minimiser rules of make_minimizer_trace.py; the conditional sum of
  squares at the fitted coefficients is then recomputed at 40 digits.
- Autocorrelations are the textbook sums at 40 digits; partial
  autocorrelations come from the Durbin-Levinson recursion (not from
  inverting the autocorrelation matrix); the Ljung-Box Q is its textbook
  formula over the forecast errors (0 where an observation has no forecast); t values use (X'X)^-1 solved by Gauss-Jordan elimination at 40
  digits; Box-Cox lines are least-squares fits in exact rationals of the
  40-digit transformed values.
"""
import csv
import math
import os
from fractions import Fraction

import mpmath as mp

mp.mp.dps = 40
HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.join(HERE, "..", "..")


def airline():
    with open(os.path.join(REPO, "examples", "data", "airline-passengers.csv")) as f:
        return [float(r["passengers"]) for r in csv.DictReader(f)]


def fmt(x):
    return repr(float(x))


def vec(name, values):
    return "static const std::vector<double> %s = {%s};" % (name, ", ".join(fmt(v) for v in values))


# ---- seasonal ARMA one-step recursion ---------------------------------------

class Model:
    def __init__(self, p, q, P, Q, S, const=False, mu=0.0):
        self.phi = [0.0] * p
        self.theta = [0.0] * q
        self.Phi = [0.0] * P
        self.Theta = [0.0] * Q
        self.S = S
        self.const = const
        self.mu = mu

    def predict(self, y, yhat, t, initial, zero):
        """One-step prediction of time t; lags before 0 come from initial
        (initial[k] = y(-k)) or are left out; residual lags before 0 are
        left out. Terms are added in a fixed order."""
        S = self.S
        def yv(k):
            if k >= 0:
                return y[k]
            if initial is not None:
                return initial[-k]
            return None
        s = zero
        if self.const:
            c = zero + 1
            for i, f in enumerate(self.phi, 1):
                if initial is not None or t - i >= 0:
                    c -= f
            for J, F in enumerate(self.Phi, 1):
                if initial is not None or t - S * J >= 0:
                    c -= F
            for i, f in enumerate(self.phi, 1):
                for J, F in enumerate(self.Phi, 1):
                    if initial is not None or t - S * J - i >= 0:
                        c += f * F
            s += self.mu * c
        for J, F in enumerate(self.Phi, 1):
            v = yv(t - S * J)
            if v is not None:
                s += F * v
        for i, f in enumerate(self.phi, 1):
            v = yv(t - i)
            if v is not None:
                s += f * v
        for i, f in enumerate(self.phi, 1):
            for J, F in enumerate(self.Phi, 1):
                v = yv(t - S * J - i)
                if v is not None:
                    s -= F * f * v
        for J, T in enumerate(self.Theta, 1):
            k = t - S * J
            if k >= 0:
                s -= T * (y[k] - yhat[k])
        for j, th in enumerate(self.theta, 1):
            k = t - j
            if k >= 0:
                s -= th * (y[k] - yhat[k])
        for j, th in enumerate(self.theta, 1):
            for J, T in enumerate(self.Theta, 1):
                k = t - S * J - j
                if k >= 0:
                    s += T * th * (y[k] - yhat[k])
        return s

    def backcasts(self, y, zero):
        n = len(y)
        m = len(self.phi) + self.S * len(self.Phi)
        r = list(reversed(y)) + [zero] * m
        rh = [zero] * (n + m)
        out = [zero] * (m + 1)
        for k in range(n + m):
            rh[k] = self.predict(r, rh, k, None, zero)
            if k >= n:
                r[k] = rh[k]
                out[k - n + 1] = rh[k]
        return out

    def residuals(self, y, zero):
        init = self.backcasts(y, zero)
        yh = [zero] * len(y)
        for t in range(len(y)):
            yh[t] = self.predict(y, yh, t, init, zero)
        return [y[t] - yh[t] for t in range(len(y))]

    def css(self, y, zero=0.0):
        s = zero
        for a in self.residuals(y, zero):
            s += a * a
        return s


# ---- minimiser (bracketing by halving, golden section) ------------------------

R = 0.61803399
C = 0.38196601


def bracket(f, a, b):
    m = a + abs(b - a) * 0.5
    fa, fb, fm = f(a), f(b), f(m)
    for _ in range(11):
        if fa >= fm and fm <= fb:
            return m, fm
        if fa <= fb:
            m = m - abs(m - a) * 0.5
        else:
            m = m + abs(b - m) * 0.5
        fm = f(m)
    return (a, fa) if fa < fb else (b, fb)


def golden(f, ax, bx, cx, tol):
    x0, x3 = ax, cx
    if abs(bx - ax) < abs(cx - bx):
        x1, x2 = bx, bx + C * (cx - bx)
    else:
        x2, x1 = bx, bx - C * (bx - ax)
    f1, f2 = f(x1), f(x2)
    for _ in range(11):
        if not (abs(x3 - x0) > tol * (abs(x1) + abs(x2))):
            break
        if f2 < f1:
            x0, x1, x2 = x1, x2, R * x2 + C * x3
            f1, f2 = f2, f(x2)
        else:
            x3, x2, x1 = x2, x1, R * x1 + C * x0
            f2, f1 = f1, f(x1)
    return (x1, f1) if f1 < f2 else (x2, f2)


def from_bracket(f, low, high, tol):
    p, fp = bracket(f, low, high)
    if abs(p - low) < 1e-10:
        return p, fp
    if abs(p - high) < 1e-10:
        return high, fp
    return golden(f, low, p, high, tol)


def fit_ma(model, y):
    """Cyclic coordinate search over theta(1..q) then Theta(1..Q) (each
    bounded by the next of its group), no constant; at most 21 passes, stop
    when the sum changes by at most 0.01 after the second pass."""
    coords = [("theta", i) for i in range(len(model.theta))] + [("Theta", i) for i in range(len(model.Theta))]
    sse, passes, first = 0.0, 0, True
    while True:
        previous = sse
        for name, i in coords:
            group = getattr(model, name)
            v = group[i + 1] if i + 1 < len(group) else 0.0
            low, high = v - 1.0, 1.0 - v
            if len(group) == 2 and i == 1:
                high = 1.0 - abs(group[0])
            if low > high:
                low, high = high, low
            saved = group[i]
            def f(x):
                group[i] = x
                r = model.css(y)
                group[i] = saved
                return r
            x, sse = from_bracket(f, low, high, 0.01)
            group[i] = x
        passes += 1
        if passes > 20:
            break
        if first:
            first = False
            continue
        if abs(sse - previous) <= 0.01:
            break
    return sse


def difference(v, lag):
    return [v[i + lag] - v[i] for i in range(len(v) - lag)]


# ---- textbook statistics at 40 digits ------------------------------------------

def acf(values, lags):
    x = [mp.mpf(v) for v in values]
    n = len(x)
    mean = mp.fsum(x) / n
    ssd = mp.fsum((v - mean) ** 2 for v in x)
    return [mp.fsum((x[t] - mean) * (x[t + k] - mean) for t in range(n - k)) / ssd for k in range(1, lags + 1)]


def pacf_durbin_levinson(r):
    out = []
    prev = []
    for k in range(1, len(r) + 1):
        if k == 1:
            phi_kk = r[0]
            cur = [phi_kk]
        else:
            num = r[k - 1] - mp.fsum(prev[j] * r[k - 2 - j] for j in range(k - 1))
            den = 1 - mp.fsum(prev[j] * r[j] for j in range(k - 1))
            phi_kk = num / den
            cur = [prev[j] - phi_kk * prev[k - 2 - j] for j in range(k - 1)] + [phi_kk]
        out.append(phi_kk)
        prev = cur
    return out


def ljung_box(errors, lags):
    n = len(errors)
    r = acf(errors, lags)
    return n * (n + 2) * mp.fsum(r[k - 1] ** 2 / (n - k) for k in range(1, lags + 1))


def inverse(a):
    n = len(a)
    m = [[mp.mpf(a[i][j]) for j in range(n)] + [mp.mpf(1 if i == j else 0) for j in range(n)] for i in range(n)]
    for c in range(n):
        piv = max(range(c, n), key=lambda r: abs(m[r][c]))
        m[c], m[piv] = m[piv], m[c]
        d = m[c][c]
        m[c] = [v / d for v in m[c]]
        for r in range(n):
            if r != c and m[r][c] != 0:
                f = m[r][c]
                m[r] = [m[r][j] - f * m[c][j] for j in range(2 * n)]
    return [row[n:] for row in m]


def t_values(y, model):
    """t value of every regressor of the model's design matrix: sigma from
    the residuals with m - (p + q + P + Q) degrees of freedom."""
    p, q, P, Q, S = len(model.phi), len(model.theta), len(model.Phi), len(model.Theta), model.S
    zero = mp.mpf(0)
    ym = [mp.mpf(v) for v in y]
    saved = (model.phi, model.theta, model.Phi, model.Theta, model.mu)
    model.phi = [mp.mpf(v) for v in model.phi]
    model.theta = [mp.mpf(v) for v in model.theta]
    model.Phi = [mp.mpf(v) for v in model.Phi]
    model.Theta = [mp.mpf(v) for v in model.Theta]
    model.mu = mp.mpf(model.mu)
    a = model.residuals(ym, zero)
    m = len(ym)
    t0 = max(0, p + S * P, q + S * Q)
    rows = []
    for t in range(t0, m):
        row = []
        if model.const:
            row.append(mp.mpf(1))
        row += [ym[t - i] for i in range(1, p + 1)]
        row += [-a[t - j] for j in range(1, q + 1)]
        row += [ym[t - S * J] for J in range(1, P + 1)]
        row += [-a[t - S * J] for J in range(1, Q + 1)]
        row += [-ym[t - S * J - i] for i in range(1, p + 1) for J in range(1, P + 1)]
        row += [a[t - S * J - j] for j in range(1, q + 1) for J in range(1, Q + 1)]
        rows.append(row)
    K = len(rows[0])
    xtx = [[mp.fsum(r[i] * r[j] for r in rows) for j in range(K)] for i in range(K)]
    b = inverse(xtx)
    sse = mp.fsum(v * v for v in a)
    sigma = mp.sqrt(sse / (m - (p + q + P + Q)))
    coefs = ([model.mu] if model.const else []) + model.phi + model.theta + model.Phi + model.Theta
    out = [coefs[i] / (mp.sqrt(b[i][i]) * sigma) for i in range(len(coefs))]
    model.phi, model.theta, model.Phi, model.Theta, model.mu = saved
    return out


def box_cox(values, lam):
    x = [mp.mpf(v) for v in values]
    n = len(x)
    g = mp.exp(mp.fsum(mp.log(v) for v in x) / n)
    if lam != 0:
        z = [(v ** lam - 1) / (lam * g ** (lam - 1)) for v in x]
    else:
        z = [mp.log(v) * g for v in x]
    # least-squares line on t = 1..n in exact rationals of the 40-digit values
    zf = [Fraction(mp.nstr(v, 40)) for v in z]
    ts = [Fraction(t) for t in range(1, n + 1)]
    tm = sum(ts) / n
    zm = sum(zf) / n
    slope = sum((t - tm) * (v - zm) for t, v in zip(ts, zf)) / sum((t - tm) ** 2 for t in ts)
    icpt = zm - slope * tm
    return sum((v - icpt - slope * t) ** 2 for t, v in zip(ts, zf))


def main():
    lines = ["// Generated by make_boxjenkins_reference.py; do not edit.", ""]

    # Airline (0,1,1)(0,1,1)12 on the logarithms.
    raw = airline()
    logs = [math.log(v) for v in raw]
    w = difference(difference(logs, 1), 12)
    model = Model(0, 1, 0, 1, 12)
    sse = fit_ma(model, w)
    theta, Theta = model.theta[0], model.Theta[0]
    exact = Model(0, 1, 0, 1, 12)
    exact.theta = [mp.mpf(theta)]
    exact.Theta = [mp.mpf(Theta)]
    css_exact = exact.css([mp.mpf(v) for v in w], mp.mpf(0))
    # Forecasts: the fitted recursion continued with each forecast standing
    # in for its value, then (1 - B)(1 - B^12) undone over the logarithms.
    h = 12
    init = model.backcasts(w, 0.0)
    y = list(w) + [0.0] * h
    yh = [0.0] * len(y)
    for t in range(len(y)):
        yh[t] = model.predict(y, yh, t, init, 0.0)
        if t >= len(w):
            y[t] = yh[t]
    z = list(logs) + [0.0] * h
    for j in range(len(logs), len(z)):
        z[j] = yh[j - 13] + z[j - 1] + z[j - 12] - z[j - 13]
    forecasts = [math.exp(v) for v in z[len(logs):]]
    lines.append("static const double kAirlineTheta = %s;" % fmt(theta))
    lines.append("static const double kAirlineSeasonalTheta = %s;" % fmt(Theta))
    lines.append("static const double kAirlineCss = %s;  // the search's own sum" % fmt(sse))
    lines.append("static const double kAirlineCssExact = %s;  // 40 digits at the fitted coefficients" % fmt(css_exact))
    lines.append(vec("kAirlineForecasts", forecasts))

    # Autocorrelations and partial autocorrelations of the differenced logs.
    r = acf(w, 10)
    lines.append(vec("kDifferencedLogAcf", r))
    lines.append(vec("kDifferencedLogPacf", pacf_durbin_levinson(r)))

    # Ljung-Box of the forecast errors on the first 30 airline values. The
    # error of an observation is its value minus its forecast, and 0 when it
    # has no forecast (as the error measures take it).
    actual = raw[:30]

    def errors_of(forecasts):
        return [0.0 if f is None else a - f for a, f in zip(actual, forecasts)]

    # Naive forecasts (the previous value); the first value has none. 5 lags.
    naive = [None] + [actual[i - 1] for i in range(1, 30)]
    lines.append("static const double kLjungBoxNaive5 = %s;" % fmt(ljung_box(errors_of(naive), 5)))
    # The same forecasts with every fourth one missing (values 0, 4, 8, ...
    # hold none), 3 lags.
    gaps = [None if i % 4 == 0 else f for i, f in enumerate(naive)]
    lines.append("static const double kLjungBoxGaps3 = %s;" % fmt(ljung_box(errors_of(gaps), 3)))

    # t values of the airline model (no constant): theta then Theta.
    tv = t_values(w, model)
    lines.append(vec("kAirlineTValues", tv))
    # An ARMA(1,1) with a constant on a short fixed series, no differencing.
    arma_y = [10.2, 11.5, 10.9, 12.3, 11.8, 12.9, 12.1, 13.4, 12.6, 13.9, 13.1, 12.4, 13.8, 14.6, 13.3,
              14.9, 14.2, 15.1, 14.4, 15.8]
    arma = Model(1, 1, 0, 0, 0, const=True, mu=13.0)
    arma.phi = [0.6]
    arma.theta = [0.3]
    lines.append(vec("kArmaSeries", arma_y))
    lines.append(vec("kArmaTValues", t_values(arma_y, arma)))  # constant, phi, theta

    # Box-Cox sums of squares.
    bc = [3.0, 5.0, 4.0, 7.0, 9.0, 8.0, 11.0]
    lines.append(vec("kBoxCoxSeries", bc))
    lines.append(vec("kBoxCoxSse", [box_cox(bc, mp.mpf(l)) for l in ("1", "0.5", "0", "-1")]))

    with open(os.path.join(HERE, "BoxJenkinsReference.inc"), "w") as f:
        f.write("\n".join(lines) + "\n")
    print("theta %.6f Theta %.6f css %.6f exact %s" % (theta, Theta, sse, mp.nstr(css_exact, 12)))
    print("forecasts", " ".join("%.3f" % v for v in forecasts))


main()
