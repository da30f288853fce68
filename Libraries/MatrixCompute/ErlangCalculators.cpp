#include "MatrixCompute/ErlangCalculators.h"

#include <cmath>

namespace qd {

namespace {

const double kLnSqrt2Pi = 0.91893853320467274178;  // ln sqrt(2 pi)
// A term this far below the running sum no longer changes it.
const double kNegligible = 1e-17;
// Beyond this sum the figure it stands for is below 1e-300: 0.0.
const double kHugeSum = 1e300;

bool positiveFinite(double a)
{
    return a > 0.0 && std::isfinite(a);
}

// lgamma(n + 1) - (n + 0.5) ln n + n - ln sqrt(2 pi), the error of
// Stirling's formula, for n >= 1.
double stirlingError(double n)
{
    if (n < 16.0)
        return std::lgamma(n + 1.0) - (n + 0.5) * std::log(n) + n - kLnSqrt2Pi;
    const double nn = n * n;
    const double s0 = 1.0 / 12.0, s1 = 1.0 / 360.0, s2 = 1.0 / 1260.0, s3 = 1.0 / 1680.0, s4 = 1.0 / 1188.0;
    return (s0 - (s1 - (s2 - (s3 - s4 / nn) / nn) / nn) / nn) / n;
}

// x ln(x / m) + m - x, without the cancellation of the plain form when x
// is close to m.
double deviance(double x, double m)
{
    if (std::fabs(x - m) < 0.1 * (x + m)) {
        double v = (x - m) / (x + m);
        double sum = (x - m) * v;
        double ej = 2.0 * x * v;
        v = v * v;
        for (int j = 1; j < 1000; ++j) {
            ej *= v;
            const double next = sum + ej / (2 * j + 1);
            if (next == sum)
                return next;
            sum = next;
        }
        return sum;
    }
    return x * std::log(x / m) + m - x;
}

// ln(e^-a a^k / k!) for k >= 0 (saddle-point form, accurate for large k
// and a where the plain form loses every digit to cancellation).
double logPoissonTerm(double k, double a)
{
    if (k == 0.0)
        return -a;
    return -stirlingError(k) - deviance(k, a) - kLnSqrt2Pi - 0.5 * std::log(k);
}

// The server-count search shared by the three methods: f decreases in n.
// Doubling from `start` while f(n) exceeds the target, then bisection
// between the last two counts; the lower count is kept when its figure is
// below the target plus 1e-6. Without a doubling, `bisectAlways` false
// answers `start`. -1 when no count below 2^30 reaches the target.
template <typename Figure>
std::int64_t searchServerCount(Figure f, double target, std::int64_t start, bool bisectAlways)
{
    if (start < 1 || start > kErlangMaxServers)
        return -1;
    std::int64_t n = start;
    bool doubled = false;
    while (f(n) > target) {
        if (n >= kErlangMaxServers)
            return -1;
        n *= 2;
        doubled = true;
    }
    if (!doubled && !bisectAlways)
        return start;
    std::int64_t hi = n;
    std::int64_t lo = n / 2;
    if (lo < 1)
        return hi;
    while (lo + 1 < hi) {
        const std::int64_t mid = (lo + hi) / 2;
        if (f(mid) <= target)
            hi = mid;
        else
            lo = mid;
    }
    return f(lo) < target + 1e-6 ? lo : hi;
}

// Bisection for a load between lo and hi where f increases in the load:
// stops when |f - target| < tolerance, after a million rounds, or when the
// interval can no longer be split. The last load tried is the answer.
template <typename Figure>
double bisectLoad(Figure f, double target, double tolerance, double lo, double hi)
{
    double a = lo;
    for (long round = 0; round < 1000000L; ++round) {
        a = (lo + hi) * 0.5;
        if (!(a > lo && a < hi))
            break;
        const double fa = f(a);
        if (std::fabs(fa - target) < tolerance)
            break;
        if (fa >= target)
            hi = a;
        else
            lo = a;
    }
    return a;
}

// The count and load solves shared by Erlang B and Poisson; `figure`
// increases in the load and decreases in the count. -1 on failure.
template <typename Figure>
std::int32_t solveLossCount(Figure figure, double a, double target)
{
    const std::int64_t n =
        searchServerCount([&figure, a](std::int64_t k) { return figure(k, a); }, target, 2, true);
    return n < 1 ? -1 : static_cast<std::int32_t>(n);
}

template <typename Figure>
double solveLossLoad(Figure figure, std::int32_t count, double target, double tolerance)
{
    const std::int64_t n = count;
    auto f = [&figure, n](double a) { return figure(n, a); };
    double hi = static_cast<double>(count);
    while (f(hi) < target) {
        hi *= 2.0;
        if (!std::isfinite(hi))
            return -1.0;
    }
    return bisectLoad(f, target, tolerance, 1e-6, hi);
}

}  // namespace

double erlangBlocking(std::int64_t n, double a)
{
    if (n <= 0 || !positiveFinite(a))
        return -1.0;
    // 1 / E = sum over j = 0..n of n (n-1) ... (n-j+1) / a^j.
    double sum = 1.0;
    double term = 1.0;
    for (std::int64_t j = 0; j < n; ++j) {
        const double ratio = static_cast<double>(n - j) / a;
        term *= ratio;
        sum += term;
        if (sum > kHugeSum)
            return 0.0;
        // The later ratios are smaller still: the rest is below a
        // geometric tail.
        if (ratio < 1.0 && term * ratio / (1.0 - ratio) < sum * kNegligible)
            break;
    }
    return 1.0 / sum;
}

double poissonTail(std::int64_t n, double a)
{
    if (!positiveFinite(a))
        return -1.0;
    if (n <= 0)
        return 1.0;
    const double dn = static_cast<double>(n);
    if (dn > a) {
        // P(X >= n) directly: the terms fall from k = n upwards.
        const double first = std::exp(logPoissonTerm(dn, a));
        if (first == 0.0)
            return 0.0;
        double sum = 1.0;
        double term = 1.0;
        for (double k = dn + 1.0;; k += 1.0) {
            term *= a / k;
            sum += term;
            if (term < sum * kNegligible)
                break;
        }
        const double r = first * sum;
        return r > 1.0 ? 1.0 : r;
    }
    // 1 - P(X <= n - 1): the terms fall from k = n - 1 downwards.
    const double top = dn - 1.0;
    const double first = std::exp(logPoissonTerm(top, a));
    double sum = 1.0;
    double term = 1.0;
    for (double k = top; k >= 1.0; k -= 1.0) {
        term *= k / a;
        sum += term;
        if (term < sum * kNegligible)
            break;
    }
    const double r = 1.0 - first * sum;
    return r < 0.0 ? 0.0 : r;
}

double erlangWaiting(std::int64_t n, double a)
{
    if (n < 1 || !positiveFinite(a) || static_cast<double>(n) <= a)
        return -1.0;
    const double dn = static_cast<double>(n);
    if (dn - a < 1e-6)
        return 1.0;
    const double e = erlangBlocking(n, a);
    return dn * e / (dn - a * (1.0 - e));
}

std::int32_t erlangServerCount(double value)
{
    if (!(value > -2147483649.0 && value < 2147483648.0))
        return -1;
    return static_cast<std::int32_t>(value);
}

// ---- Erlang B ----------------------------------------------------------------

void ErlangBCalculator::setN(std::int32_t n)
{
    if (n > 0)
        N = n;
    else
        status = 1;
}

void ErlangBCalculator::setA(double a)
{
    if (positiveFinite(a))
        A = a;
    else
        status = 3;
}

void ErlangBCalculator::setB(double b)
{
    if (b >= 1e-6 && b <= 1.0 - 1e-6)
        B = b;
    else
        status = 2;
}

std::int32_t ErlangBCalculator::solveN()
{
    if (status != 0 || A < 0.0 || B < 0.0) {
        status = 4;
        return -1;
    }
    const std::int32_t n = solveLossCount(erlangBlocking, A, B);
    if (n < 1) {
        status = 4;
        return -1;
    }
    N = n;
    return N;
}

double ErlangBCalculator::solveA()
{
    if (status != 0 || N < 1 || B < 0.0) {
        status = 5;
        return -1.0;
    }
    const double a = solveLossLoad(erlangBlocking, N, B, 1e-6 * B);
    if (a < 0.0) {
        status = 5;
        return -1.0;
    }
    A = a;
    return A;
}

// ---- Poisson -------------------------------------------------------------------

void ErlangPoissonCalculator::setN(std::int32_t n)
{
    if (n > 0)
        N = n;
    else
        status = 1;
}

void ErlangPoissonCalculator::setA(double a)
{
    if (positiveFinite(a))
        A = a;
    else
        status = 3;
}

void ErlangPoissonCalculator::setP(double p)
{
    if (p >= 1e-6 && p <= 1.0 - 1e-6)
        P = p;
    else
        status = 2;
}

std::int32_t ErlangPoissonCalculator::solveN()
{
    if (status != 0 || A < 0.0 || P < 0.0) {
        status = 4;
        return -1;
    }
    const std::int32_t n = solveLossCount(poissonTail, A, P);
    if (n < 1) {
        status = 4;
        return -1;
    }
    N = n;
    return N;
}

double ErlangPoissonCalculator::solveA()
{
    if (status != 0 || N < 1 || P < 0.0) {
        status = 5;
        return -1.0;
    }
    const double a = solveLossLoad(poissonTail, N, P, 1e-6);
    if (a < 0.0) {
        status = 5;
        return -1.0;
    }
    A = a;
    return A;
}

// ---- Erlang C ------------------------------------------------------------------

void ErlangCCalculator::setN(std::int32_t n)
{
    status = 0;
    if (n >= 1) {
        N = n;
    } else {
        N = -1;
        status = 2;
    }
}

void ErlangCCalculator::setA(double a)
{
    status = 0;
    if (a >= 1e-6 && std::isfinite(a)) {
        A = a;
    } else {
        A = -1.0;
        status = 3;
    }
}

void ErlangCCalculator::setP0(double p)
{
    if (p > 0.0 && p < 1.0) {
        P0 = p;
    } else {
        P0 = -1.0;
        status = 4;
    }
}

void ErlangCCalculator::setPT(double p)
{
    if (p > 0.0 && p < 1.0) {
        PT = p;
    } else {
        PT = -1.0;
        status = 4;
    }
}

void ErlangCCalculator::setT1(double t)
{
    status = 0;
    if (positiveFinite(t)) {
        T1 = t;
    } else {
        T1 = -1.0;
        status = 5;
    }
}

void ErlangCCalculator::setT2(double t)
{
    status = 0;
    if (positiveFinite(t)) {
        T2 = t;
    } else {
        T2 = -1.0;
        status = 19;
    }
}

double ErlangCCalculator::solveP0()
{
    const double c = erlangWaiting(N, A);
    if (A < 0.0 || N < 1 || c < 0.0) {
        status = 6;
        return -1.0;
    }
    // Also when N - A is below 1e-6 (1.0): never a value of an earlier
    // observation.
    P0 = c;
    return c;
}

std::int32_t ErlangCCalculator::solveN()
{
    if (status != 0 || A < 0.0 || P0 < 0.0) {
        status = 17;
        return -1;
    }
    const double a = A;
    const double start = std::ceil(a + 1e-6);
    if (!(start <= static_cast<double>(kErlangMaxServers))) {
        status = 17;
        return -1;
    }
    const std::int64_t n = searchServerCount([a](std::int64_t k) { return erlangWaiting(k, a); }, P0,
                                             static_cast<std::int64_t>(start), false);
    if (n < 1) {
        status = 17;
        return -1;
    }
    N = static_cast<std::int32_t>(n);
    return N;
}

double ErlangCCalculator::solveA()
{
    if (status != 0 || N < 1 || P0 < 0.0) {
        status = 16;
        return -1.0;
    }
    const std::int64_t n = N;
    auto f = [n](double a) { return erlangWaiting(n, a); };
    double a = static_cast<double>(N) - 1e-6;
    // C(N, A) falls to 0 with A; a load that underflows is no answer.
    while (a > 0.0 && f(a) > P0)
        a *= 0.5;
    if (!(a > 0.0)) {
        status = 16;
        return -1.0;
    }
    a = bisectLoad(f, P0, 1e-6 * P0, a, 2.0 * a);
    if (!positiveFinite(a) || static_cast<double>(N) <= a) {
        status = 16;
        return -1.0;
    }
    A = a;
    return A;
}

double ErlangCCalculator::solvePT()
{
    if (status != 0 || N < 1 || A < 0.0 || T1 < 0.0 || T2 < 0.0 || static_cast<double>(N) <= A) {
        status = 7;
        return -1.0;
    }
    if (P0 < 0.0 && solveP0() < 0.0) {
        status = 7;
        return -1.0;
    }
    const double pt = P0 * std::exp(-(static_cast<double>(N) - A) * T1 / T2);
    if (!(pt >= 0.0 && pt <= 1.0)) {
        status = 7;
        return -1.0;
    }
    PT = pt;
    return pt;
}

double ErlangCCalculator::solveT1()
{
    if (status != 0 || N < 1 || A < 0.0 || PT < 0.0 || T2 < 0.0 || static_cast<double>(N) <= A) {
        status = 18;
        return -1.0;
    }
    if (P0 < 0.0 && solveP0() < 0.0) {
        status = 18;
        return -1.0;
    }
    // A wait above T1 can only be less likely than waiting at all.
    if (!(PT < P0)) {
        status = 18;
        return -1.0;
    }
    const double t1 = (std::log(P0) - std::log(PT)) * T2 / (static_cast<double>(N) - A);
    if (!positiveFinite(t1)) {
        status = 18;
        return -1.0;
    }
    T1 = t1;
    return t1;
}

double ErlangCCalculator::solveT2()
{
    if (status != 0 || N < 1 || A < 0.0 || PT < 0.0 || T1 < 0.0 || static_cast<double>(N) <= A) {
        status = 8;
        return -1.0;
    }
    if (P0 < 0.0 && solveP0() < 0.0) {
        status = 8;
        return -1.0;
    }
    if (!(PT < P0)) {
        status = 8;
        return -1.0;
    }
    const double t2 = (static_cast<double>(N) - A) * T1 / (std::log(P0) - std::log(PT));
    if (!positiveFinite(t2)) {
        status = 8;
        return -1.0;
    }
    T2 = t2;
    return t2;
}

}  // namespace qd
