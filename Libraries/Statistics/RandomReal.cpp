// Normal (inversion, or Kinderman and Ramage), Cauchy (polar method on the
// half disc), chi-squared (products of uniforms for small even degrees of
// freedom, gamma deviates otherwise) and beta generators (inversion,
// Atkinson and Whittaker's switching method, Cheng's BB, a four-point
// envelope for larger requests, and Johnk's method).
#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <limits>
#include <vector>

#include "Statistics/Distributions.h"
#include "Statistics/ErrorStack.h"
#include "Statistics/ExactArithmetic.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/MachineConstants.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomSupport.h"
#include "Statistics/RoutineScope.h"

namespace {

void l_rnnor(std::int32_t n, double* x) {
    stats_drnun(n, x);
    for (std::int32_t i = 0; i < n; ++i) x[i] = stats_d_normal_inverse_cdf(x[i]);
}

void l_rnchy(std::int32_t n, double* x) {
    const std::int32_t batch = n > 33 ? 100 : 3 * n;
    std::vector<double> u(static_cast<std::size_t>(batch));
    std::int32_t next = batch;
    for (std::int32_t done = 0; done < n;) {
        if (next + 1 >= batch) {
            stats_drnun(batch, u.data());
            next = 0;
        }
        const double a = 2.0 * u[static_cast<std::size_t>(next)] - 1.0;
        const double b = u[static_cast<std::size_t>(next) + 1];
        next += 2;
        if (a * a + b * b <= 1.0) x[done++] = a / b;
    }
}

void l_rnchi(std::int32_t n, double df, double* x) {
    // df/2 is the gamma shape: a df whose half rounds to 0 (the smallest
    // subnormal) or an infinite one is refused here, under its own code.
    if (!(df / 2.0 > 0.0 && df <= stats_dmach(2))) {
        l_error_push("l_rnchi");
        l_set_real_arg(1, df);
        l_error_post(STATS_TERMINAL, 20748);
        l_error_pop("l_rnchi");
        return;
    }
    const std::int32_t m = df <= 16.0 ? static_cast<std::int32_t>(df) / 2 : 0;
    if (df <= 16.0 && df == 2.0 * m) {
        double u[8];
        for (std::int32_t i = 0; i < n; ++i) {
            stats_drnun(m, u);
            double product = 1.0;
            int count = 0;
            for (std::int32_t j = 0; j < m; ++j) {
                product *= u[j];
                if (product <= 9.313226e-10) {
                    while (product < 1.0) {
                        product *= 4294967000.0;
                        count -= 8;
                    }
                }
            }
            x[i] = -2.0 * (2.772589 * count + std::log(product));
        }
        return;
    }
    stats_d_random_gamma(n, df / 2.0, STATS_OPT_RETURN_USER, x, 0);
    if (l_error_type_at(0) >= STATS_FATAL) return;
    for (std::int32_t i = 0; i < n; ++i) x[i] *= 2.0;
}

// Johnk's method for p, q < 1. Where the direct powers underflow (both
// shapes below 1/2), the pair is evaluated in logarithms instead, so tiny
// shapes give their deviates rather than a run of failures.
double johnk(double p, double q, bool guarded) {
    const double small = stats_dmach(3);
    const double lnHuge = std::log(stats_dmach(2));
    double u[2];
    for (;;) {
        stats_drnun(2, u);
        const double x = std::pow(u[0], 1.0 / p);
        const double y = std::pow(u[1], 1.0 / q);
        if (!(x + y <= 1.0)) continue;
        if (!guarded || (x >= small && x + y >= small && std::log(x) - std::log(x + y) <= lnHuge)) return x / (x + y);
        const double lx = std::log(u[0]) / p;
        const double ly = std::log(u[1]) / q;
        if (lx > -HUGE_VAL && ly > -HUGE_VAL) {
            const double top = std::max(lx, ly);
            const double lsum = top + std::log1p(std::exp(std::min(lx, ly) - top));
            if (lsum <= 0.0) return std::exp(lx - lsum);
            continue;
        }
        // Shapes so small that the logarithms overflow: the same test on
        // them scaled by the smaller shape m, finite and of the same order.
        const double m = std::min(p, q);
        const double sx = std::log(u[0]) * (m / p), sy = std::log(u[1]) * (m / q);
        const double lsum = std::max(sx, sy) / m + std::log1p(std::exp(-std::fabs(sx - sy) / m));
        if (lsum <= 0.0) return 1.0 / (1.0 + std::exp((sy - sx) / m));
    }
}

// Both shapes above 1: up to this size of the larger one the two methods
// keep their constants and acceptance tests to a few units in the sixth
// place or better; beyond it their differences of large logarithms lose
// every digit and the envelope's requests no longer end.
const double kBetaLargestMethod = 1099511627776.0;  // 2^40

using statsexact::twoProduct;
using statsexact::twoSum;

// Where both shapes exceed the methods' range, the deviates of beta(p, q)
// (p / (p + q) with the spread of two gamma deviates, rounded to a double
// and kept inside (0, 1)) are one and the same double with overwhelming
// probability in three cases: all deviates at most small (kept at small),
// all within 2^-54 of 1 (rounded to 1, kept at 1 - eps), or the whole
// spread inside the rounding interval of one double around the mean.
// Returns that double, or NaN when the parameters give no such point.
//
// A gamma deviate of shape k lies in [k - 14 sqrt(k), k + 14 sqrt(k) + 200]
// except with probability below e^-90 (Chernoff's bounds), far below the
// resolution of the uniform stream; the beta deviate lies between the
// ratios of these bounds.
double betaPoint(double p, double q) {
    const double small = stats_dmach(3);
    const double eps = stats_dmach(4);
    auto upper = [](double k) { return k + 14.0 * std::sqrt(k) + 200.0; };
    auto lower = [](double k) { return k - 14.0 * std::sqrt(k); };
    // X <= U(p) / L(q) and 1 - X <= U(q) / L(p); both computed to a few
    // ulps, so halving the thresholds keeps the decision safe.
    if (lower(q) > 0.0 && upper(p) / lower(q) <= small / 2.0) return small;
    if (lower(p) > 0.0 && upper(q) / lower(p) <= eps / 8.0) return 1.0 - eps;
    // The central case. Scale both shapes so that the larger lies in
    // [1, 2); the relative half-width of the spread is at most
    // 14 / sqrt(L(min)) + 200 / L(min), doubled for safety.
    const double lo = std::min(p, q);
    if (!(lower(lo) > 0.0)) return std::numeric_limits<double>::quiet_NaN();
    int exponent = 0;
    std::frexp(std::max(p, q), &exponent);
    const double ps = std::ldexp(p, 1 - exponent), qs = std::ldexp(q, 1 - exponent);
    double sh, sl;
    twoSum(ps, qs, &sh, &sl);
    const double mean = ps / sh;
    const double d = mean;  // the candidate double
    const double below = (d - std::nextafter(d, 0.0)) / 2.0;
    const double above = (std::nextafter(d, 1.0) - d) / 2.0;
    const double spread = 2.0 * (14.0 / std::sqrt(lower(lo)) + 200.0 / lower(lo)) * d * (1.0 - d);
    if (!(spread < std::min(below, above) / 4.0)) return std::numeric_limits<double>::quiet_NaN();
    // R = d (sh + sl) - ps exactly enough: the mean rounds to d with room
    // to spare when -(above - spread) (sh + sl) < R < (below - spread) (sh + sl).
    double p1, e1, p2, e2;
    twoProduct(d, sh, &p1, &e1);
    twoProduct(d, sl, &p2, &e2);
    double r1, f1;
    twoSum(p1, -ps, &r1, &f1);
    const double residual = r1 + (f1 + e1 + p2 + e2);
    const double total = sh + sl;
    if (residual > -(above - spread) * total && residual < (below - spread) * total) return d;
    return std::numeric_limits<double>::quiet_NaN();
}

void l_rnbet(std::int32_t n, double p, double q, double* r) {
    bool bad = false;
    // An infinite shape has no deviates: refused like one that is not
    // positive.
    if (!(p > 0.0 && p <= stats_dmach(2))) {
        l_error_push("stats_d_random_beta");
        l_set_real_arg(1, p);
        l_error_post(STATS_TERMINAL, 11033);
        l_error_pop("stats_d_random_beta");
        bad = true;
    }
    if (!(q > 0.0 && q <= stats_dmach(2))) {
        l_error_push("l_rnbet");
        l_set_real_arg(1, q);
        l_error_post(STATS_TERMINAL, 11034);
        l_error_pop("l_rnbet");
        bad = true;
    }
    if (bad) return;
    const double eps = stats_dmach(4);
    const double small = stats_dmach(3);
    if (p > 1.0 && q > 1.0 && std::max(p, q) > kBetaLargestMethod) {
        const double point = betaPoint(p, q);
        if (std::isnan(point)) {
            // Neither method nor a single point: refused, under the code of
            // the larger shape.
            const bool pLarger = p >= q;
            l_error_push(pLarger ? "stats_d_random_beta" : "l_rnbet");
            l_set_real_arg(1, pLarger ? p : q);
            l_error_post(STATS_TERMINAL, pLarger ? 11033 : 11034);
            l_error_pop(pLarger ? "stats_d_random_beta" : "l_rnbet");
            return;
        }
        for (std::int32_t i = 0; i < n; ++i) r[i] = point;
        return;
    }
    if (p == 1.0 || q == 1.0) {
        stats_drnun(n, r);
        for (std::int32_t i = 0; i < n; ++i) r[i] = q == 1.0 ? std::pow(r[i], 1.0 / p) : 1.0 - std::pow(r[i], 1.0 / q);
    } else if ((p < 1.0) != (q < 1.0)) {
        const double a = std::min(p, q), b = std::max(p, q);
        const double t = (1.0 - a) / (b + 1.0 - a);
        const double rr = b * t / (a * std::pow(1.0 - t, b) + b * t);
        double u[2];
        for (std::int32_t i = 0; i < n; ++i) {
            double x;
            for (;;) {
                stats_drnun(2, u);
                if (u[0] <= rr) {
                    x = t * std::pow(u[0] / rr, 1.0 / a);
                    if (u[1] <= std::pow(1.0 - x, b - 1.0)) break;
                } else {
                    x = 1.0 - (1.0 - t) * std::pow((1.0 - u[0]) / (1.0 - rr), 1.0 / b);
                    if (std::pow(t, a - 1.0) * u[1] <= std::pow(x, a - 1.0)) break;
                }
            }
            r[i] = a == p ? x : 1.0 - x;
        }
    } else if (p > 1.0 && n < 5) {
        const double a = std::min(p, q), b = std::max(p, q);
        const double alpha = a + b;
        const double beta = std::sqrt((alpha - 2.0) / (2.0 * a * b - alpha));
        const double gamma = a + 1.0 / beta;
        double u[2];
        for (std::int32_t i = 0; i < n; ++i) {
            double w;
            for (;;) {
                stats_drnun(2, u);
                const double v = beta * std::log(u[0] / (1.0 - u[0]));
                w = a * std::exp(v);
                const double z = u[0] * u[0] * u[1];
                const double rr = gamma * v - 1.386294;
                const double s = a + rr - w;
                if (s + 2.609438 >= 5.0 * z) break;
                const double t = std::log(z);
                if (s >= t) break;
                if (rr + alpha * std::log(alpha / (b + w)) >= t) break;
            }
            r[i] = a == p ? w / (b + w) : b / (b + w);
        }
    } else if (p > 1.0) {
        const double s = p + q - 2.0;
        const double x3 = (p - 1.0) / s;
        const double d = s * std::log(s) - (p - 1.0) * std::log(p - 1.0) - (q - 1.0) * std::log(q - 1.0);
        auto lnDensity = [&](double x) { return (p - 1.0) * std::log(x) + (q - 1.0) * std::log(1.0 - x) + d; };
        auto g = [&](double x) { return std::exp(lnDensity(x)); };
        double x1 = 0.0, x2 = 0.0, x4 = 1.0, x5 = 1.0, f1 = 0.0, f2 = 0.0, f4 = 0.0, f5 = 0.0, l1 = 0.0, l5 = 0.0;
        const double delta = 9.537e-07;
        if (s > 1.0 + delta) {
            const double sigma = std::sqrt((p - 1.0) * (q - 1.0) / (s - 1.0)) / s;
            if ((1.0 + delta) * sigma < x3) {
                x2 = x3 - sigma;
                x1 = x2 - (1.0 - x2) * x2 / ((p - 1.0) - s * x2);
                l1 = (p - 1.0) / x1 - (q - 1.0) / (1.0 - x1);
                f1 = g(x1);
                f2 = g(x2);
            }
            if (sigma < 1.0 - x3 - delta) {
                x4 = x3 + sigma;
                x5 = x4 - (1.0 - x4) * x4 / ((p - 1.0) - s * x4);
                l5 = (q - 1.0) / (1.0 - x5) - (p - 1.0) / x5;
                f4 = g(x4);
                f5 = g(x5);
            }
        }
        const double a1 = f2 > 0.0 ? (x3 - x2) * f2 : 0.0;
        const double a2 = a1 + (f4 > 0.0 ? (x4 - x3) * f4 : 0.0);
        const double a3 = a2 + (f1 > 0.0 ? (x2 - x1) * f1 : 0.0);
        const double a4 = a3 + (f5 > 0.0 ? (x5 - x4) * f5 : 0.0);
        const double a5 = a4 + (x3 - x2) * (1.0 - f2);
        const double a6 = a5 + (x4 - x3) * (1.0 - f4);
        const double a7 = a6 + (f1 < f2 ? (x2 - x1) * (f2 - f1) / 2.0 : 0.0);
        const double a8 = a7 + (f5 < f4 ? (x5 - x4) * (f4 - f5) / 2.0 : 0.0);
        const double a9 = a8 + (f1 > 0.0 ? f1 / l1 : 0.0);
        const double a10 = a9 + (f5 > 0.0 ? f5 / l5 : 0.0);
        for (std::int32_t i = 0; i < n; ++i) {
            double x;
            for (;;) {
                const double u = a10 * l_draw_uniform();
                if (u <= a4) {
                    if (u <= a1) x = x2 + u / f2;
                    else if (u <= a2) x = x3 + (u - a1) / f4;
                    else if (u <= a3) x = x1 + (u - a2) / f1;
                    else x = x4 + (u - a3) / f5;
                    break;
                }
                double w = l_draw_uniform();
                double v;
                if (u <= a5) {
                    x = x2 + (x3 - x2) * w;
                    if ((u - a4) / (a5 - a4) <= w) break;
                    v = (u - a4) / (x3 - x2) + f2;
                } else if (u <= a6) {
                    x = x3 + (x4 - x3) * w;
                    if (w <= (a6 - u) / (a6 - a5)) break;
                    v = (u - a5) / (x4 - x3) + f4;
                } else if (u <= a8) {
                    w = std::max(w, l_draw_uniform());
                    if (u > a7) {
                        x = x5 - (x5 - x4) * w;
                        v = 2.0 * (u - a7) * w / (x5 - x4) + f5;
                        if (v <= f4 * w) break;
                    } else {
                        x = x1 + (x2 - x1) * w;
                        v = 2.0 * (u - a6) * w / (x2 - x1) + f1;
                        if (v < f2 * w) break;
                    }
                } else if (u > a9) {
                    const double e = (a10 - u) / (a10 - a9);
                    x = x5 - std::log(e) / l5;
                    if (x >= 1.0) continue;
                    if (w <= ((x5 - x) * l5 + 1.0) / e) break;
                    v = w * f5 * e;
                } else {
                    const double e = (a9 - u) / (a9 - a8);
                    x = x1 + std::log(e) / l1;
                    if (x <= 0.0) continue;
                    if (w <= ((x - x1) * l1 + 1.0) / e) break;
                    v = w * f1 * e;
                }
                const double lv = std::log(v);
                if (-2.0 * s * (x - x3) * (x - x3) < lv) continue;
                if (lv <= lnDensity(x)) break;
            }
            r[i] = x;
        }
    } else {
        const bool guarded = 1.0 / p > 2.0 && 1.0 / q > 2.0;
        for (std::int32_t i = 0; i < n; ++i) r[i] = johnk(p, q, guarded);
    }
    for (std::int32_t i = 0; i < n; ++i) {
        if (r[i] >= 1.0) r[i] = 1.0 - eps;
        else if (r[i] <= small) r[i] = small;
    }
}

}  // namespace

double* stats_d_random_normal(std::int32_t n_random, ...) {
    RoutineScope scope("stats_d_random_normal");
    GeneratorArray<double> array;
    double mean = 0.0, variance = 1.0;
    bool acceptReject = false;
    va_list ap;
    va_start(ap, n_random);
    const bool parsed = l_read_options(&ap, 2, &array, [&](int code, va_list* list) {
        switch (code) {
            case STATS_OPT_MEAN: mean = va_arg(*list, double); return 1;
            case STATS_OPT_MEAN_ADR: mean = *va_arg(*list, double*); return 1;
            case STATS_OPT_VARIANCE: variance = va_arg(*list, double); return 1;
            case STATS_OPT_VARIANCE_ADR: variance = *va_arg(*list, double*); return 1;
            case STATS_OPT_ACCEPT_REJECT: acceptReject = true; return 0;
            default: return -1;
        }
    });
    va_end(ap);
    const bool callersArray = array.data != nullptr;
    bool ready = false;
    if (parsed) {
        int counter = 0;
        l_check_range(n_random, "n_random", 1, 0, &counter);
        if (l_error_type_at(0) == 0) {
            // An infinite variance would give infinite deviates: refused
            // with the same code as one that is not positive.
            if (!(variance > 0.0 && variance <= stats_dmach(2))) {
                l_set_real_arg(1, variance);
                l_error_post(STATS_TERMINAL, 20457);
            } else if (!(std::fabs(mean) <= stats_dmach(2))) {
                // Nor is a mean that is not a finite number: no deviate
                // could be finite.
                l_set_real_arg(1, mean);
                l_error_post(STATS_TERMINAL, 20457);
            } else {
                ready = l_prepare_result(n_random, &array);
            }
        }
    }
    if (ready) {
        if (acceptReject) l_normal_accept_reject(n_random, array.data);
        else l_rnnor(n_random, array.data);
        if (l_error_type_at(0) < STATS_FATAL) {
            l_vector_scale(n_random, std::sqrt(variance), array.data, 1);
            l_vector_add_constant(n_random, mean, array.data, 1);
        }
    }
    double* result = l_finish_result(&array);
    if (callersArray) result = nullptr;
    scope.pop();
    return result;
}

double* stats_d_random_cauchy(std::int32_t n_random, ...) {
    va_list ap;
    va_start(ap, n_random);
    double* result = l_run_generator<double>("stats_d_random_cauchy", n_random, &ap, 2, true,
        [&](double* x) { l_rnchy(n_random, x); });
    va_end(ap);
    return result;
}

double* stats_d_random_chi_squared(std::int32_t n_random, double df, ...) {
    va_list ap;
    va_start(ap, df);
    double* result = l_run_generator<double>("stats_d_random_chi_squared", n_random, &ap, 3, false,
        [&](double* x) { l_rnchi(n_random, df, x); });
    va_end(ap);
    return result;
}

double* stats_d_random_beta(std::int32_t n_random, double p, double q, ...) {
    va_list ap;
    va_start(ap, q);
    double* result = l_run_generator<double>("stats_d_random_beta", n_random, &ap, 4, true,
        [&](double* x) { l_rnbet(n_random, p, q, x); });
    va_end(ap);
    return result;
}
