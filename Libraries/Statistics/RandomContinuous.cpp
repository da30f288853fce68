// Continuous generators: exponential and the mixture of two exponentials,
// gamma (Ahrens and Dieter's GS below shape 1, Schmeiser and Lal's G4PE
// above), lognormal, Student's t, von Mises (Best and Fisher), Weibull and
// the standard normal core of Kinderman and Ramage.
#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdlib>
#include <limits>

#include "Statistics/Distributions.h"
#include "Statistics/ErrorStack.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/MachineConstants.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomSupport.h"
#include "Statistics/RoutineScope.h"
#include "Statistics/SpecialFunctions.h"

namespace {

const double kPi = 3.141592653589793;

// Posts one error with up to three real arguments under a routine name of
// its own.
void postReal(const char* name, int type, std::int32_t code, double r1,
              double r2 = std::numeric_limits<double>::quiet_NaN(), double r3 = std::numeric_limits<double>::quiet_NaN()) {
    l_error_push(name);
    l_set_real_arg(1, r1);
    if (!std::isnan(r2)) l_set_real_arg(2, r2);
    if (!std::isnan(r3)) l_set_real_arg(3, r3);
    l_error_post(type, code);
    l_error_pop(name);
}

// Reads an option list that holds only STATS_OPT_RETURN_USER.
bool readPlainOptions(va_list* ap, int firstPosition, GeneratorArray<double>* array) {
    return l_read_options(ap, firstPosition, array, [](int, va_list*) { return -1; });
}

// ln of the gamma density of shape x3 + 1 relative to its mode,
// x3 (ln(1 + t) - t) with t = (x - x3) / x3. Near the mode the two terms
// of the plain form x3 ln(x / x3) + x3 - x cancel: for large shapes every
// digit goes (the envelope constants turn into noise, or overflow), so
// there the difference ln(1 + t) - t is summed as its series.
double logRelativeGamma(double x, double x3) {
    const double t = (x - x3) / x3;
    if (!(std::fabs(t) < 0.125)) return x3 * std::log(x / x3) + x3 - x;
    // -t^2/2 + t^3/3 - t^4/4 + ...: |t| < 1/8, so 18 terms reach 2^-54.
    double sum = 0.0;
    double power = t * t;
    for (int k = 2; k < 20; ++k) {
        sum += (k % 2 == 0 ? -power : power) / k;
        power *= t;
    }
    return x3 * sum;
}

// From this shape on the gamma deviate is its mean plus its normal
// expansion, a + sqrt(a) z + (z^2 - 1) / 3: the terms left out are below
// 2^-48 while the spacing of the doubles at a is 2^44 or more, so the
// expansion is exact in double precision. Below it the squeeze method
// keeps at least 16 doubles per standard deviation.
const double kGammaNormalShape = 79228162514264337593543950336.0;  // 2^96

void gammaExpansion(std::int32_t n, double a, double* out) {
    stats_rnnoa(n, out);
    const double root = std::sqrt(a);
    for (std::int32_t i = 0; i < n; ++i) {
        const double z = out[i];
        out[i] = a + (root * z + (z * z - 1.0) / 3.0);
    }
}

// The G4PE method for shape a > 1.
void gammaSqueeze(std::int32_t n, double a, double* out) {
    const double eps = stats_dmach(4);
    const double lnHuge = std::log(stats_dmach(2));
    const double x3 = a - 1.0;
    const double d = std::sqrt(x3);
    double x1 = 0.0, x2 = 0.0, f1 = 0.0, f2 = 0.0, l1 = 1.0;
    bool overflow = false;
    auto expChecked = [&](double lnf) {
        if (!(lnf < lnHuge - 0.001)) {
            overflow = true;
            return 0.0;
        }
        return std::exp(lnf);
    };
    if ((1.0 + eps) * d < x3) {
        x2 = x3 - d;
        x1 = x2 * (1.0 - 1.0 / d);
        // 1 - x3 / x1, without losing the digits of a difference near 0.
        l1 = (x1 - x3) / x1;
        f1 = expChecked(logRelativeGamma(x1, x3));
        f2 = expChecked(logRelativeGamma(x2, x3));
    }
    const double x4 = x3 + d;
    const double x5 = x4 * (1.0 + 1.0 / d);
    const double l5 = (x5 - x3) / x5;
    const double f4 = expChecked(logRelativeGamma(x4, x3));
    const double f5 = expChecked(logRelativeGamma(x5, x3));
    if (overflow) {
        l_error_push("l_rngam ");
        l_error_post(STATS_TERMINAL, 11037);
        l_error_pop("l_rngam ");
        return;
    }
    const double p1 = f2 * (x3 - x2);
    const double p2 = p1 + f4 * (x4 - x3);
    const double p3 = p2 + f1 * (x2 - x1);
    const double p4 = p3 + f5 * (x5 - x4);
    const double p5 = p4 + (1.0 - f2) * (x3 - x2);
    const double p6 = p5 + (1.0 - f4) * (x4 - x3);
    const double p7 = p6 + (f2 - f1) * (x2 - x1) / 2.0;
    const double p8 = p7 + (f4 - f5) * (x5 - x4) / 2.0;
    const double p9 = p8 - f1 / l1;
    const double p10 = p9 + f5 / l5;
    // The first uniform of every deviate comes from the filled array, every
    // further one from the stream.
    stats_drnun(n, out);
    for (std::int32_t i = 0; i < n; ++i) {
        double x = 0.0;
        double first = out[i];
        for (;;) {
            const double u = p10 * (first > 0.0 ? first : l_draw_uniform());
            first = 0.0;
            if (u <= p1) { x = x2 + u / f2; break; }
            if (u <= p2) { x = x3 + (u - p1) / f4; break; }
            if (u <= p3) { x = x1 + (u - p2) / f1; break; }
            if (u <= p4) { x = x4 + (u - p3) / f5; break; }
            double w = l_draw_uniform();
            double v;
            if (u <= p5) {
                x = x2 + w * (x3 - x2);
                if (!(w < (u - p4) / (p5 - p4))) break;
                v = f2 + (u - p4) / (x3 - x2);
            } else if (u <= p6) {
                x = x3 + w * (x4 - x3);
                if (!((p6 - u) / (p6 - p5) < w)) break;
                v = f4 + (u - p5) / (x4 - x3);
            } else if (u <= p8) {
                w = std::max(w, l_draw_uniform());
                if (u <= p7) {
                    x = x1 + w * (x2 - x1);
                    v = f1 + 2.0 * w * (u - p6) / (x2 - x1);
                    if (v <= f2 * w) break;
                } else {
                    x = x5 - w * (x5 - x4);
                    v = f5 + 2.0 * w * (u - p7) / (x5 - x4);
                    if (v <= f4 * w) break;
                }
            } else {
                double wt, f;
                if (u >= p9) {
                    if (u == p10) continue;
                    wt = (p10 - u) / (p10 - p9);
                    x = x5 - std::log(wt) / l5;
                    v = ((x5 - x) * l5 + 1.0) / wt;
                    f = f5;
                } else {
                    wt = (p9 - u) / (p9 - p8);
                    x = x1 - std::log(wt) / l1;
                    if (x <= 0.0) continue;
                    v = ((x1 - x) * l1 + 1.0) / wt;
                    f = f1;
                }
                if (!(v <= w)) break;
                v = f * w * wt;
            }
            if (std::log(v) <= logRelativeGamma(x, x3)) break;
        }
        out[i] = x;
    }
}

// The GS method for shape a < 1.
void gammaSmallShape(std::int32_t n, double a, double* out) {
    const double e = 2.718281828459045;
    const double b = (e + a) / e;
    const double inverse = 1.0 / a;
    const double tiny = stats_dmach(1);
    const double lnTiny = std::log(tiny);
    stats_drnun(n, out);
    for (std::int32_t i = 0; i < n; ++i) {
        double x;
        double first = out[i];
        for (;;) {
            const double big = -std::log(first > 0.0 ? first : l_draw_uniform());
            first = 0.0;
            const double p = b * l_draw_uniform();
            if (p <= 1.0) {
                x = std::log(p) * inverse < lnTiny ? tiny : std::pow(p, inverse);
                if (x <= big) break;
            } else {
                x = -std::log((b - p) / a);
                if ((1.0 - a) * std::log(x) <= big) break;
            }
        }
        out[i] = x;
    }
}

// rho of the von Mises envelope. Below this concentration the textbook
// form (tau - sqrt(2 tau)) / (2c) loses every digit to cancellation; the
// equal form without the difference is used there only.
const double kVonMisesSmall = 1e-7;

double vonMisesRho(double c) {
    const double s = std::sqrt(1.0 + 4.0 * c * c);
    const double tau = 1.0 + s;
    if (c >= kVonMisesSmall) return (tau - std::sqrt(2.0 * tau)) / (2.0 * c);
    return 2.0 * c * tau / ((s + 1.0) * (tau + std::sqrt(2.0 * tau)));
}

// The rejection method's constant r exceeds 1 by about 1/(2c). Up to
// this concentration the difference keeps about four digits; beyond it
// they go, and from about 4.5e15 on r rounds to 1 and every candidate is
// rejected. The largest concentrations need no method: from 2^60 on the
// angle is z / sqrt(c) for a standard normal z, exactly in double precision
// (the density exp(c (cos x - 1)) differs from exp(-c x^2 / 2) by less than
// 2^-53 over the whole range of the normal deviates, and arcsin of the
// half-angle form equals its argument). Between the two the concentration
// is refused.
const double kVonMisesLargestMethod = 1e12;
const double kVonMisesNormal = 1152921504606846976.0;  // 2^60

// Best and Fisher's method; the first uniform of every deviate comes from
// the filled array, every further one from the stream.
void vonMisesBestFisher(std::int32_t n, double c, double* out) {
    const double rho = vonMisesRho(c);
    const double r = (1.0 + rho * rho) / (2.0 * rho);
    stats_drnun(n, out);
    for (std::int32_t i = 0; i < n; ++i) {
        double f, u1;
        double first = out[i];
        for (;;) {
            u1 = first > 0.0 ? first : l_draw_uniform();
            first = 0.0;
            const double u2 = l_draw_uniform();
            const double a = u1 - 0.5, b = u2 - 0.5;
            if (a * a + b * b > 0.25) continue;
            const double t = a * a / (b * b);
            const double z = (1.0 - t) / (1.0 + t);
            f = (1.0 + r * z) / (r + z);
            const double w = c * (r - f);
            const double v = l_draw_uniform();
            if (w * (2.0 - w) > v) break;
            if (w <= 0.0) continue;
            if (std::log(w / v) + 1.0 >= w) break;
        }
        const double angle = std::atan2(std::sqrt(std::max(0.0, 1.0 - f * f)), f);
        out[i] = u1 < 0.5 ? -angle : angle;
    }
}

struct TSetup {
    double df = 0.0;
    double q = 0.0;
    double r = 0.0;
    double gMin = 0.0;
};
TSetup& tSetup() {
    static TSetup s;
    return s;
}

// From this df on t is the standard normal in double precision: the log
// densities differ by about x^4 / (4 df), below 2^-53 over the whole range
// of the normal deviates. (For an infinite df the method's constants are
// not even numbers.)
const double kTNormalDf = 18446744073709551616.0;  // 2^64

// Student's t for df >= 1 by the centre-and-tails rejection method; the
// first uniform of every deviate comes from the filled array, every
// further one from the stream.
void tRejection(std::int32_t n, double df, double* out) {
    const double eps = stats_dmach(4);
    TSetup& s = tSetup();
    if (df != s.df) {
        const double h = l_poch(df / 2.0, 0.5);
        s.q = 2.0 * h / std::sqrt(kPi * df);
        s.r = 1.0680176321 / 1.5680176321;
        s.gMin = std::log(stats_dmach(1)) + 3.0;
        s.df = df;
    }
    const double half = (df + 1.0) / 2.0;
    // ln(1 + y) keeps its digits for the small y of a large df.
    auto g = [&](double x) { return -half * std::log1p(x * x / df); };
    stats_drnun(n, out);
    for (std::int32_t i = 0; i < n; ++i) {
        double u = out[i];
        double x;
        if (u < s.q) {
            const double v = l_draw_uniform();
            x = 2.0 * ((v - 1.0) + u / s.q);
        } else {
            for (;;) {
                u = l_draw_uniform();
                if (u > 0.3622520694) {
                    if (u > s.r - eps && u < s.r + eps) continue;
                    x = 1.0 / (1.0680176321 - 1.5680176321 * u);
                    const double v = l_draw_uniform();
                    const double gx = g(x);
                    if (gx >= s.gMin && v <= std::exp(gx) * x * x) break;
                } else if (u <= 0.053009608) {
                    const double y = 7.840088159 * u - 0.2087;
                    x = std::copysign(std::fabs(y) + 1.7922, y);
                    const double v = l_draw_uniform();
                    const double gx = g(x);
                    if (gx >= s.gMin && 0.2 * v <= std::exp(gx) - 1.0 + std::fabs(x) / 2.0) break;
                } else {
                    x = 11.5909050257 * u - 2.406629332;
                    const double v = l_draw_uniform();
                    const double gx = g(x);
                    if (gx >= s.gMin && 0.13528 * v <= std::exp(gx) - 1.0 + std::fabs(x) / 2.0) break;
                }
            }
        }
        out[i] = x;
    }
}

// Student's t for 0 < df < 1 as Z / sqrt(2G/df), G of shape df/2: the
// rejection method above assumes a density no heavier than Cauchy's.
void tHeavy(std::int32_t n, double df, double* out) {
    for (std::int32_t i = 0; i < n; ++i) {
        double g = 0.0, z = 0.0;
        l_rngam(1, df / 2.0, &g);
        stats_rnnoa(1, &z);
        out[i] = z / std::sqrt(2.0 * g / df);
    }
}

struct WeibullBound {
    double shapeForLimit = std::numeric_limits<double>::quiet_NaN();
    double limit = 0.0;
    double shapeForLow = std::numeric_limits<double>::quiet_NaN();
    double low = 0.0;
};
WeibullBound& weibullBound() {
    static WeibullBound w;
    return w;
}

void l_rnwib(std::int32_t n, double a, double* x) {
    if (!(a > 0.0)) {
        postReal("l_rnwib", STATS_TERMINAL, 20570, a);
        return;
    }
    stats_drnun(n, x);
    if (a <= 0.06) {
        WeibullBound& wb = weibullBound();
        if (a != wb.shapeForLimit) {
            wb.limit = std::log(-std::log(stats_dmach(1))) / std::log(stats_dmach(2));
            wb.shapeForLimit = a;
        }
        if (a <= wb.limit) {
            if (a != wb.shapeForLow) {
                wb.low = 1.0 / std::exp(std::pow(stats_dmach(2), a));
                wb.shapeForLow = a;
            }
            if (wb.low > stats_dmach(4)) postReal("l_rnwib", STATS_WARNING, 20571, a, wb.low);
            for (std::int32_t i = 0; i < n; ++i)
                while (!(x[i] > wb.low)) x[i] = l_draw_uniform();
        }
    }
    const double inverse = 1.0 / a;
    for (std::int32_t i = 0; i < n; ++i) x[i] = std::pow(-std::log(x[i]), inverse);
}

void l_rnext(std::int32_t n, double t1, double t2, double p, double* x) {
    bool bad = false;
    if (!(p >= 0.0)) { postReal("l_rnext", STATS_TERMINAL, 20573, p); bad = true; }
    if (!(t1 > 0.0)) { postReal("l_rnext", STATS_TERMINAL, 20574, t1); bad = true; }
    if (!(t2 > 0.0) || t2 > t1) { postReal("l_rnext", STATS_TERMINAL, 20575, t1, t2); bad = true; }
    if (!bad && t1 != t2 && !(p <= t1 / (t1 - t2))) { postReal("l_rnext", STATS_TERMINAL, 20576, p, t1, t2); bad = true; }
    if (bad) return;
    const double lo = 0.015625, hi = 0.984375;
    if (p > 0.0 && p < 1.0 && t1 != t2) {
        stats_drnun(n, x);
        if (p >= lo && p <= hi) {
            const double lp = std::log(p), lq = std::log(1.0 - p);
            for (std::int32_t i = 0; i < n; ++i) {
                const double u = x[i];
                x[i] = u <= p ? -t1 * (std::log(u) - lp) : -t2 * (std::log(u - p) - lq);
            }
        } else {
            for (std::int32_t i = 0; i < n; ++i) {
                const double u = x[i];
                const double v = l_draw_uniform();
                x[i] = u <= p ? -t1 * std::log(v) : -t2 * std::log(v);
            }
        }
    } else if (p > 1.0 && t1 != t2) {
        const double q = p - (p - 1.0) * t1 / t2;
        stats_drnun(n, x);
        if (q >= lo && q <= hi) {
            const double lq = std::log(1.0 - q);
            for (std::int32_t i = 0; i < n; ++i) {
                const double u = x[i];
                const double v = l_draw_uniform();
                x[i] = u > 1.0 - q ? -t1 * std::log(v) : -t1 * std::log(v) - t2 * (std::log(u) - lq);
            }
        } else {
            for (std::int32_t i = 0; i < n; ++i) {
                const double u = x[i];
                const double v = l_draw_uniform();
                const double w = l_draw_uniform();
                x[i] = u > 1.0 - q ? -t1 * std::log(v) : -t1 * std::log(v) - t2 * std::log(w);
            }
        }
    } else {
        stats_d_random_exponential(n, STATS_OPT_RETURN_USER, x, 0);
        l_vector_scale(n, p != 0.0 ? t1 : t2, x, 1);
    }
}

}  // namespace

double* l_refuse_unless_finite(std::int32_t n, double* result, bool owned, std::int32_t code, double parameter) {
    if (result == nullptr || l_all_finite(n, result)) return result;
    l_set_real_arg(1, parameter);
    l_error_post(STATS_TERMINAL, code);
    if (owned) std::free(result);
    return nullptr;
}

// The normal core: Kinderman and Ramage's regions, uniforms one at a time.
void l_normal_accept_reject(std::int32_t n, double* x) {
    static const double c1 = 1.0 / std::sqrt(2.0 * kPi);
    const double xi = 2.216035867166471;
    auto g = [&](double t) { return c1 * std::exp(-t * t / 2.0) - 0.180025191068563 * (xi - std::fabs(t)); };
    for (std::int32_t i = 0; i < n; ++i) {
        const double u1 = l_draw_uniform();
        if (u1 < 0.884070402298758) {
            const double u2 = l_draw_uniform();
            x[i] = xi * (1.13113163544418 * u1 + u2 - 1.0);
            continue;
        }
        if (u1 >= 0.973310954173898) {
            double e;
            for (;;) {
                const double u2 = l_draw_uniform();
                const double u3 = l_draw_uniform();
                e = 2.45540748228412 - std::log(u3);
                if (!(2.45540748228412 < u2 * u2 * e)) break;
            }
            const double t = std::sqrt(2.0 * e);
            x[i] = u1 >= 0.986655477086949 ? -t : t;
            continue;
        }
        double t;
        double u2, u3;
        for (;;) {
            u2 = l_draw_uniform();
            u3 = l_draw_uniform();
            const double m = std::min(u2, u3), mx = std::max(u2, u3);
            const double z = std::fabs(u2 - u3);
            if (u1 >= 0.958720824790463) {
                t = xi - 0.63083480192196 * m;
                if (mx <= 0.755591531667601 || 0.034240503750111 * z <= g(t)) break;
            } else if (u1 >= 0.911312780288703) {
                t = 0.479727404222441 + 1.10547366102207 * m;
                if (mx <= 0.87283497667179 || 0.049264496373128 * z <= g(t)) break;
            } else {
                t = 0.479727404222441 - 0.59550713801594 * m;
                if (t < 0.0) continue;
                if (mx <= 0.805577924423817 || 0.053377549506886 * z <= g(t)) break;
            }
        }
        x[i] = u2 < u3 ? t : -t;
    }
}

void stats_rnnoa(std::int32_t n, double* x) {
    if (n < 1) {
        RoutineScope scope("stats_rnnoa ");
        int counter = 0;
        l_check_range(n, "NR", 1, 0, &counter);
        scope.pop();
        return;
    }
    l_normal_accept_reject(n, x);
}

void l_rngam(std::int32_t n, double a, double* x) {
    // An infinite shape has no deviates.
    if (!(a > 0.0 && a <= stats_dmach(2))) {
        postReal("stats_d_random_gamma", STATS_TERMINAL, 11036, a);
        return;
    }
    if (a == 0.5) {
        stats_d_random_normal(n, STATS_OPT_RETURN_USER, x, 0);
        if (l_error_type_at(0) >= STATS_FATAL) return;
        for (std::int32_t i = 0; i < n; ++i) x[i] = x[i] * x[i] / 2.0;
    } else if (a == 1.0) {
        stats_drnun(n, x);
        for (std::int32_t i = 0; i < n; ++i) x[i] = -std::log(x[i]);
    } else if (a < 1.0) {
        gammaSmallShape(n, a, x);
    } else if (a < kGammaNormalShape) {
        gammaSqueeze(n, a, x);
    } else {
        gammaExpansion(n, a, x);
    }
}

double* stats_d_random_exponential(std::int32_t n_random, ...) {
    va_list ap;
    va_start(ap, n_random);
    double* result = l_run_generator<double>("stats_d_random_exponential", n_random, &ap, 2, false,
        [&](double* x) {
            stats_drnun(n_random, x);
            for (std::int32_t i = 0; i < n_random; ++i) x[i] = -std::log(x[i]);
    });
    va_end(ap);
    return result;
}

double* stats_d_random_exponential_mix(std::int32_t n_random, double theta1, double theta2, double p, ...) {
    va_list ap;
    va_start(ap, p);
    double* result = l_run_generator<double>("stats_d_random_exponential_mix", n_random, &ap, 5, false,
        [&](double* x) {
            l_rnext(n_random, theta1, theta2, p, x);
            // theta1 near the largest double takes the deviates beyond it.
            if (l_error_type_at(0) == 0 && !l_all_finite(n_random, x))
                postReal("l_rnext", STATS_TERMINAL, 20574, theta1);
        });
    va_end(ap);
    return result;
}

double* stats_d_random_gamma(std::int32_t n_random, double a, ...) {
    va_list ap;
    va_start(ap, a);
    double* result = l_run_generator<double>("stats_d_random_gamma", n_random, &ap, 3, false,
        [&](double* x) { l_rngam(n_random, a, x); });
    va_end(ap);
    return result;
}

double* stats_d_random_lognormal(std::int32_t n_random, double mean, double sd, ...) {
    va_list ap;
    va_start(ap, sd);
    double* result = l_run_generator<double>("stats_d_random_lognormal", n_random, &ap, 4, false,
        [&](double* x) {
            if (!(sd > 0.0)) {
                postReal("l_rnlnl", STATS_TERMINAL, 20664, sd);
            } else {
                stats_rnnoa(n_random, x);
                for (std::int32_t i = 0; i < n_random; ++i) x[i] = std::exp(mean + sd * x[i]);
                if (!l_all_finite(n_random, x)) postReal("l_rnlnl", STATS_TERMINAL, 20664, std::isfinite(mean) ? sd : mean);
            }
    });
    va_end(ap);
    return result;
}

double* stats_d_random_student_t(std::int32_t n_random, double df, ...) {
    RoutineScope scope("stats_d_random_student_t");
    GeneratorArray<double> array;
    double mean = 0.0, variance = 1.0;
    bool haveMean = false, haveVariance = false;
    va_list ap;
    va_start(ap, df);
    const bool parsed = l_read_options(&ap, 3, &array, [&](int code, va_list* list) {
        switch (code) {
            case STATS_OPT_MEAN: mean = va_arg(*list, double); haveMean = true; return 1;
            case STATS_OPT_MEAN_ADR: mean = *va_arg(*list, double*); haveMean = true; return 1;
            case STATS_OPT_VARIANCE: variance = va_arg(*list, double); haveVariance = true; return 1;
            case STATS_OPT_VARIANCE_ADR: variance = *va_arg(*list, double*); haveVariance = true; return 1;
            default: return -1;
        }
    });
    va_end(ap);
    const double eps = stats_dmach(4);
    if (parsed) {
        int counter = 0;
        l_check_range(n_random, "n_random", 1, 0, &counter);
    }
    if (parsed && l_error_type_at(0) == 0) {
        if (!(df > eps)) {
            l_set_real_arg(1, df);
            l_error_post(STATS_TERMINAL, 20560);
        }
        if (haveVariance && !(variance > eps)) {
            l_set_real_arg(1, variance);
            l_error_post(STATS_TERMINAL, 20569);
        }
    }
    if (parsed && l_error_type_at(0) == 0 && l_prepare_result(n_random, &array)) {
        if (df < 1.0) tHeavy(n_random, df, array.data);
        else if (df < kTNormalDf) tRejection(n_random, df, array.data);
        else stats_rnnoa(n_random, array.data);
    }
    double* result = l_finish_result(&array);
    if (result != nullptr) {
        if (haveVariance) l_vector_scale(n_random, std::sqrt(variance), result, 1);
        if (haveMean) l_vector_add_constant(n_random, mean, result, 1);
        result = l_refuse_unless_finite(n_random, result, array.owned, 20569, std::isfinite(mean) ? variance : mean);
    }
    scope.pop();
    return result;
}

double* stats_d_random_von_mises(std::int32_t n_random, double c, ...) {
    RoutineScope scope("stats_d_random_von_mises");
    GeneratorArray<double> array;
    va_list ap;
    va_start(ap, c);
    const bool parsed = readPlainOptions(&ap, 3, &array);
    va_end(ap);
    if (parsed) {
        int counter = 0;
        l_check_range(n_random, "n_random", 1, 0, &counter);
        if (l_error_type_at(0) == 0 && !(c >= std::sqrt(stats_dmach(4)) / 2.0)) {
            l_set_real_arg(1, c);
            l_error_post(STATS_TERMINAL, 20572);
        }
    }
    if (parsed && l_error_type_at(0) == 0 && c > kVonMisesLargestMethod && c < kVonMisesNormal) {
        l_set_real_arg(1, c);
        l_error_post(STATS_TERMINAL, 20572);
    }
    if (parsed && l_error_type_at(0) == 0 && l_prepare_result(n_random, &array)) {
        if (c >= kVonMisesNormal) {
            stats_rnnoa(n_random, array.data);
            const double root = std::sqrt(c);
            for (std::int32_t i = 0; i < n_random; ++i) array.data[i] /= root;
        } else {
            vonMisesBestFisher(n_random, c, array.data);
        }
    }
    double* result = l_finish_result(&array);
    scope.pop();
    return result;
}

double* stats_d_random_weibull(std::int32_t n_random, double a, ...) {
    RoutineScope scope("stats_d_random_weibull");
    GeneratorArray<double> array;
    double scale = 1.0;
    bool haveScale = false;
    va_list ap;
    va_start(ap, a);
    const bool parsed = l_read_options(&ap, 3, &array, [&](int code, va_list* list) {
        if (code == STATS_OPT_SCALE) { scale = va_arg(*list, double); haveScale = true; return 1; }
        if (code == STATS_OPT_SCALE_ADR) { scale = *va_arg(*list, double*); haveScale = true; return 1; }
        return -1;
    });
    va_end(ap);
    if (parsed) {
        int counter = 0;
        l_check_range(n_random, "n_random", 1, 0, &counter);
        if (l_error_type_at(0) == 0 && !(a > 0.0)) {
            l_set_real_arg(1, a);
            l_error_post(STATS_TERMINAL, 20570);
        }
    }
    if (parsed && l_error_type_at(0) == 0 && l_prepare_result(n_random, &array)) l_rnwib(n_random, a, array.data);
    double* result = l_finish_result(&array);
    if (result != nullptr && haveScale) {
        l_vector_scale(n_random, scale, result, 1);
        result = l_refuse_unless_finite(n_random, result, array.owned, 20570, scale);
    }
    scope.pop();
    return result;
}
