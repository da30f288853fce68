// Discrete generators: binomial (inversion, or Kachitvichyanukul and
// Schmeiser's BTPE), geometric, hypergeometric (inversion from the smallest
// value, or direct sampling without replacement), logarithmic (search, or
// Kemp's LK), negative binomial (inversion, or the gamma-Poisson mixture),
// Poisson in single precision (inversion, or PTPE) and discrete uniform.
#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <limits>
#include <vector>

#include "Statistics/ErrorStack.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/MachineConstants.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomSupport.h"
#include "Statistics/RoutineScope.h"

namespace {

using Int = std::int32_t;

bool checkCount(Int n, const char* name, const char* routine) {
    if (n >= 1) return true;
    l_error_push(routine);
    int counter = 0;
    l_check_range(n, name, 1, 0, &counter);
    l_error_pop(routine);
    return false;
}

void postReal(const char* routine, Int code, double r1, double r2 = std::numeric_limits<double>::quiet_NaN()) {
    l_error_push(routine);
    l_set_real_arg(1, r1);
    if (!std::isnan(r2)) l_set_real_arg(2, r2);
    l_error_post(STATS_TERMINAL, code);
    l_error_pop(routine);
}

// Single-precision helpers: the elementary functions are taken in double
// and rounded once, so every platform gives the same float.
inline float flog(float x) { return static_cast<float>(std::log(static_cast<double>(x))); }
inline float fexp(float x) { return static_cast<float>(std::exp(static_cast<double>(x))); }
inline float fsqrt(float x) { return static_cast<float>(std::sqrt(static_cast<double>(x))); }
inline float ftrunc(float x) { return std::trunc(x); }

inline float drawSingle() {
    float u;
    stats_rnun(1, &u);
    return u;
}

// ---- binomial ----
struct BinomialSetup {
    Int trials = -1;
    double p = -1.0;
    double pp, q, np, npq, xm, xl, xr, c, ll, lr, p1, p2, p3, p4, s, a;
    Int m;
};

BinomialSetup& binomialSetup() {
    static BinomialSetup b;
    return b;
}

Int btpe(const BinomialSetup& b, Int trials) {
    for (;;) {
        double u = l_draw_uniform();
        double v = l_draw_uniform();
        u *= b.p4;
        double kd;
        if (u <= b.p1) return l_trunc_int32(b.xm - b.p1 * v + u);
        if (u <= b.p2) {
            const double x = b.xl + (u - b.p1) / b.c;
            v = v * b.c + 1.0 - std::fabs(b.m - x + 0.5) / b.p1;
            if (v > 1.0) continue;
            kd = std::trunc(x);
        } else if (u <= b.p3) {
            kd = std::trunc(b.xl + std::log(v) / b.ll);
            if (kd < 0.0) continue;
            v = v * (u - b.p2) * b.ll;
        } else {
            kd = std::trunc(b.xr - std::log(v) / b.lr);
            if (kd > trials) continue;
            v = v * (u - b.p3) * b.lr;
        }
        const Int k = static_cast<Int>(kd);
        const double d = std::fabs(kd - b.m);
        if (d <= 20.0 || d >= b.npq / 2.0 - 1.0) {
            double f = 1.0;
            if (k > b.m) {
                for (Int i = b.m + 1; i <= k; ++i) f *= b.a / i - b.s;
            } else if (k < b.m) {
                for (Int i = k + 1; i <= b.m; ++i) f *= b.a / i - b.s;
                f = 1.0 / f;
            }
            if (v <= f) return k;
            continue;
        }
        const double rho = (d / b.npq) * (((d / 3.0 + 0.625) * d + 1.0 / 6.0) / b.npq + 0.5);
        const double t = -d * d / (2.0 * b.npq);
        const double lv = std::log(v);
        if (lv < t - rho) return k;
        if (lv > t + rho) continue;
        const double x1 = kd + 1.0, f1 = b.m + 1.0, z = trials + 1.0 - b.m, w = trials - kd + 1.0;
        auto corr = [](double y) {
            const double y2 = y * y;
            return (13860.0 - (462.0 - (132.0 - (99.0 - 140.0 / y2) / y2) / y2) / y2) / y / 166320.0;
        };
        const double bound = b.xm * std::log(f1 / x1) + (trials - b.m + 0.5) * std::log(z / w) +
                             (kd - b.m) * std::log(w * b.pp / (x1 * b.q)) + corr(f1) + corr(z) + corr(x1) + corr(w);
        if (lv <= bound) return k;
    }
}

void l_rnbin(Int n, Int trials, double p, Int* x) {
    if (!checkCount(n, "n_random", "l_rnbin")) return;
    if (!checkCount(trials, "n", "l_rnbin")) return;
    if (!(p > 0.0 && p < 1.0)) {
        if (l_error_type_at(0) == 0) {
            l_error_push("l_rnbin");
            l_set_string_arg(1, "p");
            l_set_real_arg(1, 0.0);
            l_set_real_arg(2, 1.0);
            l_set_real_arg(3, p);
            l_error_post(STATS_TERMINAL, 120);
            l_error_pop("l_rnbin");
        }
        return;
    }
    const double eps = stats_dmach(4), small = stats_dmach(3);
    const double pp = std::min(p, 1.0 - p);
    const double q = 1.0 - pp;
    const double np = trials * pp;
    const bool flip = p > 0.5;
    if (np <= 10.0 || p < eps) {
        const double f0 = l_power_double(q, trials);
        const double s = pp / q;
        const double a = (trials + 1.0) * s;
        for (Int i = 0; i < n; ++i) {
            const double u = l_draw_uniform();
            Int k = 0;
            double f = f0, big = f0;
            while (u > big && big <= 1.0 - small && f >= small) {
                ++k;
                f *= a / k - s;
                big += f;
            }
            x[i] = flip ? trials - k : k;
        }
        return;
    }
    BinomialSetup& b = binomialSetup();
    if (b.trials != trials || b.p != p) {
        b.trials = trials;
        b.p = p;
        b.pp = pp;
        b.q = q;
        b.np = np;
        const double ffm = np + pp;
        b.m = static_cast<Int>(ffm);
        b.npq = np * q;
        b.p1 = std::trunc(2.195 * std::sqrt(b.npq) - 4.6 * q) + 0.5;
        b.xm = b.m + 0.5;
        b.xl = b.xm - b.p1;
        b.xr = b.xm + b.p1;
        b.c = 0.134 + 20.5 / (15.3 + b.m);
        double al = (ffm - b.xl) / (ffm - b.xl * pp);
        b.ll = al * (1.0 + al / 2.0);
        al = (b.xr - ffm) / (b.xr * q);
        b.lr = al * (1.0 + al / 2.0);
        b.p2 = b.p1 * (1.0 + 2.0 * b.c);
        b.p3 = b.p2 + b.c / b.ll;
        b.p4 = b.p3 + b.c / b.lr;
        b.s = pp / q;
        b.a = (trials + 1.0) * b.s;
    }
    for (Int i = 0; i < n; ++i) {
        const Int k = btpe(b, trials);
        x[i] = flip ? trials - k : k;
    }
}

// ---- geometric, discrete uniform, logarithmic ----
void l_rngeo(Int n, double p, Int* x) {
    if (!checkCount(n, "NR", "l_rngeo")) return;
    if (!(p > 0.0 && p < 1.0)) {
        postReal("l_rngeo", 20662, p);
        return;
    }
    double c = std::log(1.0 - p);
    if (c == 0.0) c = -p;  // 1 - p rounds to 1
    for (Int i = 0; i < n; ++i) x[i] = l_trunc_int32(std::log(l_draw_uniform()) / c + 1.0);
}

void l_rnund(Int n, Int k, Int* x) {
    if (!checkCount(n, "NR", "l_rnund")) return;
    if (!checkCount(k, "K", "l_rnund")) return;
    for (Int i = 0; i < n; ++i) x[i] = l_trunc_int32(l_draw_uniform() * k + 1.0);
}

void l_rnlgr(Int n, double a, Int* x) {
    if (!checkCount(n, "NR", "l_rnlgr")) return;
    if (!(a > 0.0 && a < 1.0)) {
        postReal("l_rnlgr", 20570, a);
        return;
    }
    if (a < 0.95) {
        const double p1 = -a / std::log(1.0 - a);
        for (Int i = 0; i < n; ++i) {
            double u = l_draw_uniform();
            Int k = 1;
            double f = p1;
            // The term can underflow before u is used up; the search ends
            // there.
            while (u > f && f > 0.0) {
                u -= f;
                ++k;
                f = f * a * (k - 1) / k;
            }
            x[i] = k;
        }
        return;
    }
    const double h = std::log(1.0 - a);
    for (Int i = 0; i < n; ++i) {
        const double v = l_draw_uniform();
        if (v > a) {
            x[i] = 1;
            continue;
        }
        const double u = l_draw_uniform();
        const double q = 1.0 - std::exp(u * h);
        if (v < q * q) x[i] = l_trunc_int32(1.0 + std::log(v) / std::log(q));
        else if (v > q) x[i] = 1;
        else x[i] = 2;
    }
}

// ---- Poisson (single precision) ----
struct PoissonSetup {
    float theta = -1.0f;
    float e, m, p1, xm, xl, xr, c, ll, lr, p2, p3, p4;
};

PoissonSetup& poissonSetup() {
    static PoissonSetup s;
    return s;
}

// Refuses theta <= 0, NaN and theta >= 2^31 (the deviates would leave the
// 32-bit range).
bool poissonThetaValid(float theta) { return theta > 0.0f && theta < 2147483648.0f; }

Int ptpe(const PoissonSetup& s, float theta) {
    for (;;) {
        float u = drawSingle();
        float v = drawSingle();
        u = u * s.p4;
        float kf;
        if (u <= s.p1) return l_trunc_int32(ftrunc(s.xm - s.p1 * v + u));
        if (u <= s.p2) {
            const float x = s.xl + (u - s.p1) / s.c;
            v = v * s.c + 1.0f - std::fabs(s.m - x + 0.5f) / s.p1;
            if (v > 1.0f) continue;
            kf = ftrunc(x);
        } else if (u <= s.p3) {
            kf = ftrunc(s.xl + flog(v) / s.ll);
            if (kf < 0.0f) continue;
            v = v * (u - s.p2) * s.ll;
        } else {
            kf = ftrunc(s.xr - flog(v) / s.lr);
            v = v * (u - s.p3) * s.lr;
        }
        if (s.m < 100.0f || kf <= 50.0f) {
            float f = 1.0f;
            if (kf > s.m) {
                for (float i = s.m + 1.0f; i <= kf; i += 1.0f) f = f * theta / i;
            } else if (kf < s.m) {
                for (float i = kf + 1.0f; i <= s.m; i += 1.0f) f = f * i / theta;
            }
            if (v <= f) return l_trunc_int32(kf);
            continue;
        }
        const float x = kf;
        const float delta = (theta - x) / x;
        const float bound = (x - theta) + delta * (delta * (-0.5f + delta / 3.0f) + 1.0f) * (x + 0.5f) + 0.00084f;
        const float lv = flog(v);
        if (lv > bound) continue;
        float e = delta * delta * delta * delta * (x + 0.5f) / 4.0f;
        if (delta < 0.0f) e = e / (delta + 1.0f);
        if (lv < bound - e - 0.004f) return l_trunc_int32(kf);
        const float m = s.m;
        const float exact = x - m + (x + 0.5f) * flog(theta / x) + (m + 0.5f) * flog(m / theta) +
                            (1.0f / m - 1.0f / x) / 12.0f + 1.0f / (360.0f * x * x * x) - 1.0f / (360.0f * m * m * m);
        if (lv <= exact) return l_trunc_int32(kf);
    }
}

void l_rnpoi(Int n, float theta, Int* x) {
    if (!checkCount(n, "nr", "l_rnpoi")) return;
    if (!poissonThetaValid(theta)) {
        postReal("l_rnpoi", 11032, theta);
        return;
    }
    PoissonSetup& s = poissonSetup();
    if (theta < 15.0f) {
        if (s.theta != theta) {
            s.theta = theta;
            s.e = fexp(-theta);
        }
        for (Int i = 0; i < n; ++i) {
            float u = drawSingle();
            Int k = 0;
            float f = s.e;
            // A uniform of 1.0 exceeds every partial sum; the search ends
            // once the term is 0.
            while (u > f && f > 0.0f) {
                u = u - f;
                ++k;
                f = f * theta / static_cast<float>(k);
            }
            x[i] = k;
        }
        return;
    }
    if (s.theta != theta) {
        s.theta = theta;
        s.m = ftrunc(theta);
        s.p1 = ftrunc(2.195f * fsqrt(s.m) - 2.2f) + 0.5f;
        s.xm = s.m + 0.5f;
        s.xl = s.xm - s.p1;
        s.xr = s.xm + s.p1;
        s.c = 0.133f + 8.56f / (6.83f + theta);
        s.ll = (theta - s.xl) / theta;
        s.ll = s.ll * (1.0f + s.ll / 2.0f);
        s.lr = (s.xr - theta) / s.xr;
        s.lr = s.lr * (1.0f + s.lr / 2.0f);
        s.p2 = s.p1 * (1.0f + 2.0f * s.c);
        s.p3 = s.p2 + (0.109f + 8.25f / (10.86f + theta)) / s.ll;
        s.p4 = s.p3 + s.c / s.lr;
    }
    for (Int i = 0; i < n; ++i) x[i] = ptpe(s, theta);
}

// ---- negative binomial ----
void l_rnnbn(Int n, double r, double p, Int* x) {
    if (!checkCount(n, "NR", "l_rnnbn")) return;
    const double eps = stats_dmach(4);
    bool bad = false;
    if (!(p > eps && p < 1.0)) {
        postReal("l_rnnbn", 20660, p, eps);
        bad = true;
    }
    // An infinite r has no distribution (the gamma-Poisson mixture would
    // draw a gamma deviate of infinite shape).
    if (!(r > 0.0 && r <= stats_dmach(2))) {
        postReal("l_rnnbn", 20661, r);
        bad = true;
    }
    if (bad) return;
    const double f0 = std::pow(1.0 - p, r);
    if (f0 <= eps || f0 >= 1.0 || r * p / (1.0 - p) >= 100.0) {
        for (Int i = 0; i < n; ++i) {
            double g = 0.0;
            stats_d_random_gamma(1, r, STATS_OPT_RETURN_USER, &g, 0);
            if (l_error_type_at(0) >= STATS_FATAL) return;
            const float mean = static_cast<float>(g * p / (1.0 - p));
            // A mean that rounds to 0 in single precision gives 0.
            if (!(mean > 0.0f)) {
                x[i] = 0;
                continue;
            }
            // A mean beyond the 32-bit range gives the largest integer
            // rather than a Poisson request that would be refused.
            if (mean >= 2147483648.0f) {
                x[i] = 2147483647;
                continue;
            }
            stats_random_poisson(1, mean, STATS_OPT_RETURN_USER, &x[i], 0);
            if (l_error_type_at(0) >= STATS_FATAL) return;
        }
        return;
    }
    for (Int i = 0; i < n; ++i) {
        const double u = l_draw_uniform();
        Int k = 0;
        double f = f0, big = f0;
        while (u > big) {
            if (big > 1.0 - eps || f < eps) break;
            ++k;
            f = f * (p + (r - 1.0) * p / k);
            big += f;
        }
        x[i] = k;
    }
}

// ---- hypergeometric ----
struct HypergeometricCache {
    Int N = -1, M = -1, L = -1;
    double p0 = 0.0;
};

HypergeometricCache& hypergeometricCache() {
    static HypergeometricCache h;
    return h;
}

void l_rnhyp(Int n, Int N, Int M, Int L, Int* x) {
    if (!checkCount(n, "NR", "l_rnhyp")) return;
    if (N > L || M > L || N < 1 || M < 1) {
        l_error_push("l_rnhyp");
        l_set_int_arg(1, N);
        l_set_int_arg(2, M);
        l_set_int_arg(3, L);
        stats_e1mes(STATS_TERMINAL, 11031,
                    "N = %(i1), M = %(i2) and L = %(i3), but both N and M must be no greater than L, and N and M "
                    "must be positive.");
        l_error_pop("l_rnhyp");
        return;
    }
    const Int k0 = std::max<std::int64_t>(0, static_cast<std::int64_t>(N) + M - L);
    const double p0 = l_hyprr(N, M, L);
    if (p0 >= 1.0 || p0 < 0.0 || std::isnan(p0)) {
        l_error_push("l_rnhyp");
        l_set_real_arg(1, p0);
        l_set_int_arg(1, N);
        l_set_int_arg(2, M);
        l_set_int_arg(3, L);
        stats_e1mes(STATS_TERMINAL, 11030,
                    "The hypergeometric probability associated with MAX(0, N-L+M) is computed to be %(r1).  This "
                    "does not allow the generation algorithm to process, that is N = %(i1), M = %(i2) and L = "
                    "%(i3) are not acceptable in this algorithm.");
        l_error_pop("l_rnhyp");
        return;
    }
    const double eps = stats_dmach(4);
    // A probability that underflows to 0 takes the direct method too.
    if (p0 > 1.0 - eps || p0 < eps) {
        const Int batch = n <= 100 ? 2 * n : 200;
        std::vector<double> u(static_cast<std::size_t>(batch));
        Int next = batch;
        for (Int i = 0; i < n; ++i) {
            std::int64_t lot = L, defectives = M;
            Int k = 0;
            for (Int j = 0; j < N && k < M; ++j) {
                if (next >= batch) {
                    stats_drnun(batch, u.data());
                    next = 0;
                }
                const double pick = std::trunc(u[static_cast<std::size_t>(next++)] * static_cast<double>(lot) + 1.0);
                if (pick <= static_cast<double>(defectives)) {
                    ++k;
                    --defectives;
                }
                --lot;
            }
            x[i] = k;
        }
        return;
    }
    const double dN = N, dM = M, dL = L;
    for (Int i = 0; i < n; ++i) {
        const double u = l_draw_uniform();
        double k = k0, f = p0, big = p0;
        while (u > big) {
            if (big > 1.0 - eps || f < eps) break;
            f = f * (dM - k) * (dN - k) / ((k + dL - dN - dM + 1.0) * (k + 1.0));
            big += f;
            k += 1.0;
        }
        x[i] = static_cast<Int>(k);
    }
}

}  // namespace

std::int32_t l_trunc_int32(double x) {
    if (!(x == x)) return 0;
    if (x >= 2147483647.0) return 2147483647;
    if (x <= -2147483648.0) return -2147483647 - 1;
    return static_cast<std::int32_t>(x);
}

// P(X = k0) for k0 = max(0, N + M - L): the product of the ratios
// (L - M - i)/(L - i), i < N, when k0 = 0, else (M - i)/(L - i), i < L - N.
// The product stops at 0 once it underflows.
double l_hyprr(std::int32_t N, std::int32_t M, std::int32_t L) {
    RoutineScope scope("l_hyprr");
    int counter = 0;
    l_check_range(N, "n", 1, 0, &counter);
    l_check_range(M, "m", 0, -1, &counter);
    double result = 0.0;
    if (l_error_type_at(0) == 0) {
        HypergeometricCache& h = hypergeometricCache();
        if (h.N == N && h.M == M && h.L == L) {
            result = h.p0;
        } else {
            if (N == L || M == L) {
                result = 1.0;
            } else {
                const std::int64_t k0 = std::max<std::int64_t>(0, static_cast<std::int64_t>(N) + M - L);
                const double top = k0 == 0 ? static_cast<double>(L) - M : static_cast<double>(M);
                const std::int64_t terms = k0 == 0 ? N : static_cast<std::int64_t>(L) - N;
                result = 1.0;
                for (std::int64_t i = 0; i < terms && result > 0.0; ++i)
                    result *= (top - static_cast<double>(i)) / (static_cast<double>(L) - static_cast<double>(i));
            }
            h.N = N;
            h.M = M;
            h.L = L;
            h.p0 = result;
        }
    }
    scope.pop();
    return result;
}

std::int32_t* stats_d_random_binomial(std::int32_t n_random, std::int32_t trials, double p, ...) {
    va_list ap;
    va_start(ap, p);
    std::int32_t* result = l_run_generator<std::int32_t>("stats_d_random_binomial", n_random, &ap, 4, false,
        [&](std::int32_t* x) { l_rnbin(n_random, trials, p, x); });
    va_end(ap);
    return result;
}

std::int32_t* stats_d_random_geometric(std::int32_t n_random, double p, ...) {
    va_list ap;
    va_start(ap, p);
    std::int32_t* result = l_run_generator<std::int32_t>("stats_d_random_geometric", n_random, &ap, 3, false,
        [&](std::int32_t* x) { l_rngeo(n_random, p, x); });
    va_end(ap);
    return result;
}

std::int32_t* stats_d_random_hypergeometric(std::int32_t n_random, std::int32_t N, std::int32_t M, std::int32_t L,
                                            ...) {
    va_list ap;
    va_start(ap, L);
    std::int32_t* result = l_run_generator<std::int32_t>("stats_d_random_hypergeometric", n_random, &ap, 5, false,
        [&](std::int32_t* x) { l_rnhyp(n_random, N, M, L, x); });
    va_end(ap);
    return result;
}

std::int32_t* stats_d_random_logarithmic(std::int32_t n_random, double a, ...) {
    va_list ap;
    va_start(ap, a);
    std::int32_t* result = l_run_generator<std::int32_t>("stats_d_random_logarithmic", n_random, &ap, 3, true,
        [&](std::int32_t* x) { l_rnlgr(n_random, a, x); });
    va_end(ap);
    return result;
}

std::int32_t* stats_d_random_neg_binomial(std::int32_t n_random, double r, double p, ...) {
    va_list ap;
    va_start(ap, p);
    std::int32_t* result = l_run_generator<std::int32_t>("stats_d_random_neg_binomial", n_random, &ap, 4, false,
        [&](std::int32_t* x) { l_rnnbn(n_random, r, p, x); });
    va_end(ap);
    return result;
}

std::int32_t* stats_random_poisson(std::int32_t n_random, double theta, ...) {
    va_list ap;
    va_start(ap, theta);
    // Values beyond the float range round to infinity and are refused.
    const float single = std::fabs(theta) < 3.4e38 ? static_cast<float>(theta)
                                                   : (theta == theta ? std::numeric_limits<float>::infinity()
                                                                     : std::numeric_limits<float>::quiet_NaN());
    std::int32_t* result = l_run_generator<std::int32_t>("stats_random_poisson", n_random, &ap, 3, true,
        [&](std::int32_t* x) { l_rnpoi(n_random, single, x); });
    va_end(ap);
    return result;
}

std::int32_t* stats_d_random_uniform_discrete(std::int32_t n_random, std::int32_t k, ...) {
    va_list ap;
    va_start(ap, k);
    std::int32_t* result = l_run_generator<std::int32_t>("stats_d_random_uniform_discrete", n_random, &ap, 3, false,
        [&](std::int32_t* x) { l_rnund(n_random, k, x); });
    va_end(ap);
    return result;
}
