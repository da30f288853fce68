// The floor of a forecasting method: the bare arithmetic of the work its
// algorithm does on a series, nothing else.
//
// WorkRecorder listens to the engine (SeriesCompute/WorkCount.h, compiled
// into the bench tree only) while a method runs and keeps every piece of
// work it is told of: the kind, the values it ran over, its settings and
// parameters. replayFloor() then redoes each piece with a plain copy of its
// arithmetic written here, over plain arrays: no series, no value arrays,
// no stored results, no allocation. These copies are this benchmark's own,
// not the engine's code.
#ifndef QD_BENCH_WORKFLOOR_H
#define QD_BENCH_WORKFLOOR_H

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "SeriesCompute/WorkCount.h"

namespace workfloor {

using qd::WorkKind;

struct Item {
    WorkKind kind;
    std::size_t values;  // offset into the recorder's value pool
    std::int32_t count;
    std::int32_t detail[6];
    std::size_t parameters;  // offset into the recorder's parameter pool
    std::int32_t numParameters;
};

class WorkRecorder : public qd::WorkListener {
public:
    WorkRecorder() { previous_ = qd::workListener(); qd::workListener() = this; }
    ~WorkRecorder() override { qd::workListener() = previous_; }
    WorkRecorder(const WorkRecorder&) = delete;
    WorkRecorder& operator=(const WorkRecorder&) = delete;

    void noted(const qd::WorkNote& note) override
    {
        Item item{note.kind, 0, note.count, {}, parameterPool.size(), note.numParameters};
        std::memcpy(item.detail, note.detail, sizeof item.detail);
        // Values equal to the last ones kept are shared (a search passes
        // over the same values again and again).
        const std::size_t n = note.values != nullptr ? static_cast<std::size_t>(note.count) : 0;
        if (lastCount_ == n && (n == 0 || std::memcmp(&valuePool[lastValues_], note.values, n * sizeof(double)) == 0)) {
            item.values = lastValues_;
        } else {
            lastValues_ = valuePool.size();
            lastCount_ = n;
            valuePool.insert(valuePool.end(), note.values, note.values + n);
            item.values = lastValues_;
        }
        if (note.numParameters > 0)
            parameterPool.insert(parameterPool.end(), note.parameters, note.parameters + note.numParameters);
        items.push_back(item);
        ++perKind[static_cast<int>(note.kind)];
    }

    void clear()
    {
        items.clear();
        valuePool.clear();
        parameterPool.clear();
        lastValues_ = 0;
        lastCount_ = static_cast<std::size_t>(-1);
    }

    std::vector<Item> items;
    std::vector<double> valuePool;
    std::vector<double> parameterPool;
    std::int64_t perKind[static_cast<int>(WorkKind::Count)] = {};

private:
    qd::WorkListener* previous_ = nullptr;
    std::size_t lastValues_ = 0;
    std::size_t lastCount_ = static_cast<std::size_t>(-1);
};

// ---- plain copies of the recurrences -------------------------------------

inline double simpleSmoothing(const double* x, std::int32_t n, double a, bool backward)
{
    double level = x[0];
    if (backward) {
        level = x[n - 1];
        for (std::int32_t i = n - 1; i-- > 0;)
            level = (1.0 - a) * level + a * x[i];
    }
    double sse = (x[0] - level) * (x[0] - level);
    for (std::int32_t t = 1; t < n; ++t) {
        level = a * x[t - 1] + (1.0 - a) * level;
        const double e = x[t] - level;
        sse += e * e;
    }
    return sse;
}

inline double brownDouble(const double* x, std::int32_t n, double a, double start)
{
    double f = start, s1 = start, s2 = start, sse = 0.0;
    for (std::int32_t t = 0; t < n; ++t) {
        const double e = x[t] - f;
        sse += e * e;
        s1 = a * x[t] + (1.0 - a) * s1;
        s2 = a * s1 + (1.0 - a) * s2;
        f = (2.0 * s1 - s2) + a * (s1 - s2) / (1.0 - a);
    }
    return sse;
}

inline double brownTriple(const double* x, std::int32_t n, double a, double start)
{
    double s1 = start, s2 = start, s3 = start, f = start, sse = 0.0;
    const double b = 1.0 - a;
    for (std::int32_t t = 0; t < n; ++t) {
        const double e = x[t] - f;
        sse += e * e;
        s1 = a * x[t] + b * s1;
        s2 = a * s1 + b * s2;
        s3 = a * s2 + b * s3;
        const double level = 3.0 * s1 - 3.0 * s2 + s3;
        const double trend = a * ((6.0 - 5.0 * a) * s1 - (10.0 - 8.0 * a) * s2 + (4.0 - 3.0 * a) * s3) / (2.0 * (b * b));
        const double curvature = a * a * (s1 - 2.0 * s2 + s3) / (b * b);
        f = level + trend + curvature / 2.0;
    }
    return sse;
}

inline double adaptive(const double* x, std::int32_t n, double b, double start)
{
    double err = 0.0, absErr = 0.0, f = start, sse = 0.0;
    for (std::int32_t t = 0; t < n; ++t) {
        const double rate = std::fabs(absErr) < 1e-6 ? b : std::fabs(err / absErr);
        const double e = x[t] - f;
        sse += e * e;
        absErr = (1.0 - b) * absErr + b * std::fabs(e);
        err = (1.0 - b) * err + b * e;
        f = rate * x[t] + (1.0 - rate) * f;
    }
    return sse;
}

inline double holt(const double* x, std::int32_t n, double a, double g)
{
    double level = x[n - 1], trend = 0.0;
    for (std::int32_t i = n - 2; i >= 0; --i) {
        const double next = a * x[i] + (1.0 - a) * (level + trend);
        trend = g * (next - level) + (1.0 - g) * trend;
        level = next;
    }
    trend = -trend;
    double f = level + trend;
    double sse = 0.0;
    for (std::int32_t t = 0; t < n; ++t) {
        const double e = x[t] - f;
        sse += e * e;
        const double next = a * x[t] + (1.0 - a) * (level + trend);
        trend = g * (next - level) + (1.0 - g) * trend;
        level = next;
        f = level + trend;
    }
    return sse;
}

inline double winters(const double* x, std::int32_t n, std::int32_t L, bool mult, double al, double be, double ga)
{
    double factors[64];
    double* s = factors;
    std::vector<double> big;
    if (L > 64) {
        big.resize(static_cast<std::size_t>(L));
        s = big.data();
    }
    const std::int32_t e = n - 1;
    if (mult) {
        for (std::int32_t k = 0; k < L; ++k)
            s[k] = 1.0;
    } else {
        double sum = 0.0;
        for (std::int32_t t = 0; t < n; ++t)
            sum += x[t];
        const double mean = sum / n;
        for (std::int32_t t = e; t >= e - L + 1; --t)
            s[t % L] = x[t] - mean;
    }
    std::int32_t k = e % L;
    double a = mult ? x[e] / s[k] : x[e] - s[k];
    double b = 0.0;
    for (std::int32_t t = e - 1; t >= 0; --t) {
        k = k == 0 ? L - 1 : k - 1;
        const double next = mult ? al * (x[t] / s[k]) + (1.0 - al) * (a + b) : al * (x[t] - s[k]) + (1.0 - al) * (a + b);
        b = ga * (next - a) + (1.0 - ga) * b;
        s[k] = mult ? be * (x[t] / next) + (1.0 - be) * s[k] : be * (x[t] - next) + (1.0 - be) * s[k];
        a = next;
    }
    b = -b;
    double sse = 0.0;
    bool rejected = false;
    k = 0;
    for (std::int32_t t = 0; t < n; ++t) {
        const double f = mult ? (a + b) * s[k] : (a + b) + s[k];
        rejected = rejected || (mult && f <= 0.0);
        const double err = x[t] - f;
        sse += err * err;
        const double next = mult ? al * (x[t] / s[k]) + (1.0 - al) * (a + b) : al * (x[t] - s[k]) + (1.0 - al) * (a + b);
        b = ga * (next - a) + (1.0 - ga) * b;
        s[k] = mult ? be * (x[t] / next) + (1.0 - be) * s[k] : be * (x[t] - next) + (1.0 - be) * s[k];
        a = next;
        k = k + 1 == L ? 0 : k + 1;
    }
    return rejected ? 1e100 : sse;
}

// A curve's trial: the values inside the bounds linearised, the straight
// line through them by least squares, the curve at every period and its
// squared errors.
inline double curveFit(const double* x, std::int32_t n, std::int32_t curve, double low, double high)
{
    const double a = high - low;
    double sr = 0.0, sy = 0.0, srr = 0.0, sry = 0.0;
    std::int32_t used = 0;
    for (std::int32_t k = 0; k < n; ++k) {
        const double v = x[k];
        if (!(low < v && v < high))
            continue;
        const double y = curve == 1 ? -std::log(-std::log((v - low) / a)) : -std::log(a / (v - low) - 1.0);
        const double r = curve == 3 ? std::log(k + 1.0) : double(k);
        sr += r;
        sy += y;
        srr += r * r;
        sry += r * y;
        ++used;
    }
    if (used < 3)
        return 1e50;
    const double slope = (used * sry - sr * sy) / (used * srr - sr * sr);
    const double b = -(sy - slope * sr) / used;
    double sse = 0.0;
    for (std::int32_t k = 0; k < n; ++k) {
        const double r = curve == 3 ? std::log(k + 1.0) : double(k);
        double f;
        if (curve == 1)
            f = low + a * std::exp(-std::exp(b - slope * r));
        else
            f = low + a / (1.0 + std::exp(b - slope * r));
        const double e = f - x[k];
        sse += e * e;
    }
    return sse;
}

// One pass of a multiplicative seasonal ARMA model: the backcasts of the
// reversed series, then the one-step predictions and their squared errors.
struct Arma {
    std::int32_t p, q, P, Q, S;
    bool constant;
    const double* ar;
    const double* ma;
    const double* sar;
    const double* sma;
    double mean;

    // One prediction at t from y and the predictions yhat (both indexed from
    // 0); values before 0 come from `before` when given.
    double predict(const double* y, const double* yhat, std::int64_t t, const double* before) const
    {
        auto at = [&](std::int64_t k, double& v) {
            if (k >= 0) {
                v = y[k];
                return true;
            }
            if (before != nullptr) {
                v = before[-k];
                return true;
            }
            return false;
        };
        double sum = 0.0;
        if (constant) {
            double c = 1.0;
            for (std::int32_t i = 1; i <= p; ++i)
                if (before != nullptr || t - i >= 0)
                    c -= ar[i - 1];
            for (std::int32_t J = 1; J <= P; ++J)
                if (before != nullptr || t - S * J >= 0)
                    c -= sar[J - 1];
            for (std::int32_t i = 1; i <= p; ++i)
                for (std::int32_t J = 1; J <= P; ++J)
                    if (before != nullptr || t - S * J - i >= 0)
                        c += ar[i - 1] * sar[J - 1];
            sum += mean * c;
        }
        double v = 0.0;
        for (std::int32_t J = 1; J <= P; ++J)
            if (at(t - S * J, v))
                sum += sar[J - 1] * v;
        for (std::int32_t i = 1; i <= p; ++i)
            if (at(t - i, v))
                sum += ar[i - 1] * v;
        for (std::int32_t i = 1; i <= p; ++i)
            for (std::int32_t J = 1; J <= P; ++J)
                if (at(t - S * J - i, v))
                    sum -= sar[J - 1] * ar[i - 1] * v;
        for (std::int32_t J = 1; J <= Q; ++J)
            if (t - S * J >= 0)
                sum -= sma[J - 1] * (y[t - S * J] - yhat[t - S * J]);
        for (std::int32_t j = 1; j <= q; ++j)
            if (t - j >= 0)
                sum -= ma[j - 1] * (y[t - j] - yhat[t - j]);
        for (std::int32_t j = 1; j <= q; ++j)
            for (std::int32_t J = 1; J <= Q; ++J)
                if (t - S * J - j >= 0)
                    sum += sma[J - 1] * ma[j - 1] * (y[t - S * J - j] - yhat[t - S * J - j]);
        return sum;
    }
};

struct Scratch {
    std::vector<double> a, b, c, d;
};

inline Scratch& scratch()
{
    static Scratch s;
    return s;
}

inline double armaPass(const double* y, std::int32_t n, const Arma& m)
{
    const std::int32_t span = m.p + m.S * m.P;
    const std::size_t total = static_cast<std::size_t>(n) + static_cast<std::size_t>(span);
    Scratch& w = scratch();
    for (std::vector<double>* v : {&w.a, &w.b, &w.c, &w.d})
        if (v->size() < total + 1)
            v->resize(total + 1);
    double* r = w.a.data();
    double* rhat = w.b.data();
    double* before = w.c.data();
    double* yhat = w.d.data();
    for (std::int32_t k = 0; k < n; ++k)
        r[k] = y[n - 1 - k];
    for (std::size_t k = 0; k < total; ++k) {
        rhat[k] = m.predict(r, rhat, static_cast<std::int64_t>(k), nullptr);
        if (k >= static_cast<std::size_t>(n)) {
            r[k] = rhat[k];
            before[k - static_cast<std::size_t>(n) + 1] = rhat[k];
        }
    }
    double sse = 0.0;
    for (std::int32_t t = 0; t < n; ++t) {
        yhat[t] = m.predict(y, yhat, t, before);
        const double e = y[t] - yhat[t];
        sse += e * e;
    }
    return sse;
}

// The score of a power transform: the transformed values scaled by the
// geometric mean, the straight line through them, its squared errors.
inline double boxCox(const double* x, std::int32_t n, double lambda)
{
    Scratch& w = scratch();
    if (w.a.size() < static_cast<std::size_t>(n))
        w.a.resize(static_cast<std::size_t>(n));
    double* y = w.a.data();
    double sumLog = 0.0;
    for (std::int32_t i = 0; i < n; ++i) {
        sumLog += std::log(x[i]);
        y[i] = lambda != 0.0 ? std::pow(x[i], lambda) - 1.0 : std::log(x[i]);
    }
    const double g = std::exp(sumLog / n);
    const double factor = lambda != 0.0 ? 1.0 / (lambda * std::pow(g, lambda - 1.0)) : g;
    double st = 0.0, sy = 0.0, stt = 0.0, sty = 0.0;
    for (std::int32_t i = 0; i < n; ++i) {
        y[i] *= factor;
        st += i;
        sy += y[i];
        stt += double(i) * i;
        sty += i * y[i];
    }
    const double slope = (n * sty - st * sy) / (n * stt - st * st);
    const double intercept = (sy - slope * st) / n;
    double sse = 0.0;
    for (std::int32_t i = 0; i < n; ++i) {
        const double e = y[i] - (intercept + slope * i);
        sse += e * e;
    }
    return sse;
}

inline double correlogram(const double* x, std::int32_t n, std::int32_t lags)
{
    double mean = 0.0;
    for (std::int32_t i = 0; i < n; ++i)
        mean += x[i];
    mean /= n;
    double ssd = 0.0;
    for (std::int32_t i = 0; i < n; ++i)
        ssd += (x[i] - mean) * (x[i] - mean);
    double sum = 0.0;
    for (std::int32_t lag = 1; lag <= lags && lag < n; ++lag) {
        double c = 0.0;
        for (std::int32_t t = 0; t + lag < n; ++t)
            c += (x[t] - mean) * (x[t + lag] - mean);
        sum += c / ssd;
    }
    return sum;
}

// The partial autocorrelations by inverting the autocorrelation matrix of
// every order 1 .. lags (Gauss-Jordan with partial pivoting), on a fixed
// geometric correlogram: the cost does not depend on the values.
inline double partialCorrelogram(std::int32_t lags)
{
    Scratch& w = scratch();
    const std::size_t need = static_cast<std::size_t>(lags) * static_cast<std::size_t>(lags) * 2 + 1;
    if (w.a.size() < need)
        w.a.resize(need);
    double total = 0.0;
    for (std::int32_t k = 1; k <= lags; ++k) {
        double* m = w.a.data();  // k x 2k: the matrix and the identity
        const std::int32_t width = 2 * k;
        for (std::int32_t i = 0; i < k; ++i)
            for (std::int32_t j = 0; j < width; ++j)
                m[i * width + j] = j < k ? std::pow(0.5, std::abs(i - j)) : (j - k == i ? 1.0 : 0.0);
        for (std::int32_t c = 0; c < k; ++c) {
            std::int32_t pivot = c;
            for (std::int32_t i = c + 1; i < k; ++i)
                if (std::fabs(m[i * width + c]) > std::fabs(m[pivot * width + c]))
                    pivot = i;
            if (pivot != c)
                for (std::int32_t j = 0; j < width; ++j)
                    std::swap(m[c * width + j], m[pivot * width + j]);
            const double d = m[c * width + c];
            for (std::int32_t j = 0; j < width; ++j)
                m[c * width + j] /= d;
            for (std::int32_t i = 0; i < k; ++i) {
                if (i == c)
                    continue;
                const double f = m[i * width + c];
                for (std::int32_t j = 0; j < width; ++j)
                    m[i * width + j] -= f * m[c * width + j];
            }
        }
        double last = 0.0;
        for (std::int32_t j = 0; j < k; ++j)
            last += m[(k - 1) * width + k + j] * std::pow(0.5, j + 1);
        total += last;
    }
    return total;
}

inline double crostonPass(const double* x, std::int32_t n, double a)
{
    std::int32_t demands = 0;
    double sum = 0.0;
    for (std::int32_t i = 0; i < n; ++i)
        if (x[i] != 0.0) {
            ++demands;
            sum += x[i];
        }
    if (demands == 0)
        return 0.0;
    double z = sum / demands, P = double(n) / demands, p = P, q = 1.0, out = 0.0;
    for (std::int32_t i = 0; i < n; ++i) {
        out += z / p;
        if (x[i] != 0.0) {
            P = p;
            z = a * x[i] + (1.0 - a) * z;
            q = 1.0;
        }
        p = (1.0 - a) * P + a * q;
        q += 1.0;
    }
    return out;
}

// One simulation of lead-time demand: the classes of the lead periods
// drawn, the mean of the history and of each class, the indexes applied to
// the base forecast over the lead time.
inline double slowMovingSimulation(const double* x, std::int32_t n, std::int32_t lead, std::uint32_t& state)
{
    double classSum[8] = {}, classCount[8] = {}, mean = 0.0;
    for (std::int32_t i = 0; i < n; ++i) {
        const int c = i & 7;
        classSum[c] += x[i];
        classCount[c] += 1.0;
        mean += x[i];
    }
    mean /= n;
    double d = 0.0;
    for (std::int32_t j = 0; j < lead; ++j) {
        state = state * 214013u + 2531011u;
        const int c = static_cast<int>((state >> 16) % static_cast<std::uint32_t>(n)) & 7;
        d += mean * (classCount[c] > 0.0 ? classSum[c] / classCount[c] / mean : 1.0);
    }
    return d;
}

// Redoes every recorded piece of work; returns a sum to keep it alive.
inline double replayFloor(const WorkRecorder& r)
{
    double sink = 0.0;
    std::uint32_t state = 1;
    for (const Item& it : r.items) {
        const double* x = r.valuePool.data() + it.values;
        const double* pm = r.parameterPool.data() + it.parameters;
        const std::int32_t n = it.count;
        switch (it.kind) {
        case WorkKind::SimpleSmoothing: sink += simpleSmoothing(x, n, pm[0], it.detail[0] != 0); break;
        case WorkKind::BrownDouble: sink += brownDouble(x, n, pm[0], pm[1]); break;
        case WorkKind::BrownTriple: sink += brownTriple(x, n, pm[0], pm[1]); break;
        case WorkKind::Adaptive: sink += adaptive(x, n, pm[0], pm[1]); break;
        case WorkKind::Holt: sink += holt(x, n, pm[0], pm[1]); break;
        case WorkKind::Winters:
            sink += winters(x, n, it.detail[0], it.detail[1] != 0, pm[0], pm[1], pm[2]);
            break;
        case WorkKind::CurveFit: sink += curveFit(x, n, it.detail[0], pm[0], pm[1]); break;
        case WorkKind::BoxJenkinsPass: {
            const std::int32_t* d = it.detail;
            Arma m{d[0], d[1], d[2], d[3], d[4], d[5] != 0, pm, pm + d[0], pm + d[0] + d[1],
                   pm + d[0] + d[1] + d[2], pm[d[0] + d[1] + d[2] + d[3]]};
            sink += armaPass(x, n, m);
            break;
        }
        case WorkKind::BoxCoxRegression: sink += boxCox(x, n, pm[0]); break;
        case WorkKind::Correlogram: sink += correlogram(x, n, it.detail[0]); break;
        case WorkKind::PartialCorrelogram: sink += partialCorrelogram(it.detail[0]); break;
        case WorkKind::CrostonPass: sink += crostonPass(x, n, pm[0]); break;
        case WorkKind::SlowMovingSimulation: sink += slowMovingSimulation(x, n, it.detail[0], state); break;
        case WorkKind::Count: break;
        }
    }
    return sink;
}

}  // namespace workfloor

#endif
