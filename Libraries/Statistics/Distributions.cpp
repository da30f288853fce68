// Normal, Student's t and chi-squared distribution functions, the normal
// and t inverses and the inverse of the incomplete beta ratio.
#include "Statistics/Distributions.h"

#include <cmath>
#include <cstdint>

#include "Statistics/ErrorStack.h"
#include "Statistics/MachineConstants.h"
#include "Statistics/RoutineScope.h"
#include "Statistics/SpecialFunctions.h"

namespace {

const double kTwoOverPi = 0.63661977236758;  // the value of Hill's algorithm
const double kHalfPi7 = 1.570796;             // pi/2 to seven digits, as in Hill's inverse

double normalCdfWork(double x) {
    const double result = 0.5 * stats_d_erfc(x * -0.7071067811865476);
    if (l_error_type_at(0) == STATS_ALERT) stats_e1mes(0, 0, nullptr);
    return result;
}

// Inverse error function by rational approximations in four ranges.
double erfinvTail(double w) {
    double c0, c1, c2, c3, d0, d1, d2, u;
    if (w < 2.5) {
        u = w;
        c0 = -0.1146666; c1 = -0.1314774; c2 = -0.2368201; c3 = 0.05073975;
        d0 = -44.27977; d1 = 21.98546; d2 = -7.586103;
    } else if (w < 4.0) {
        u = w;
        c0 = -0.05668422; c1 = 0.3937021; c2 = -0.3166501; c3 = 0.06208963;
        d0 = -6.266786; d1 = 4.666263; d2 = -2.962883;
    } else {
        u = 1.0 / w;
        c0 = 0.0001851159; c1 = -0.002028152; c2 = -0.1498384; c3 = 0.01078639;
        d0 = 0.09952975; d1 = 0.5211733; d2 = -0.06888301;
    }
    return w * (1.0 + c0 + u * (c1 + u * (c2 + u * c3)) / (d0 + u * (d1 + u * (d2 + u))));
}

double normalInverseWork(double p) {
    static const double eps = stats_dmach(4);
    if (p <= 0.0 || p >= 1.0) {
        l_set_real_arg(1, p);
        l_error_post(STATS_TERMINAL, 9041);
        return stats_dmach(6);
    }
    double erfinv;
    if (p <= eps || p >= 1.0 - 3.0 * eps) {
        const double q = 2.0 * l_dmin(p, 1.0 - p);
        const double w = std::sqrt(-std::log((q - q * q) + q));
        const double u = 1.0 / w;
        erfinv = w * (1.0 + 0.0001851159 + u * (-0.002028152 + u * (-0.1498384 + u * 0.01078639)) /
                                              (0.09952975 + u * (0.5211733 + u * (-0.06888301 + u))));
    } else {
        const double y = std::fabs(1.0 - 2.0 * p);
        if (y <= 0.85) {
            const double z = y * y;
            erfinv = y * (1.0 + -0.113773 +
                          -0.5751703 * z / (z + -3.293474 + -1.896513 / (z + -2.374996 + -0.05496261 / (z + -1.187515))));
        } else {
            erfinv = erfinvTail(std::sqrt(-std::log((1.0 - y) * (1.0 + y))));
        }
    }
    double x = 1.4142135623730951 * erfinv;
    if (p < 0.5) x = -x;
    return x;
}

// Two-tailed probability P(|T| > |t|) for Student's t (Hill's algorithm).
double tTwoTailed(double t, double df) {
    const double t2 = t * t;
    if (t2 >= df) return stats_d_beta_incomplete(df / (df + t2), df * 0.5, 0.5);
    double y = t2 / df;
    const double b = 1.0 + y;
    const bool integral = df == std::floor(df);
    if (!integral || df >= 20.0 || df > 200.0) {
        // Normal approximation.
        if (b - 1.0 != 0.0) y = y * std::log(b) / (b - 1.0);
        const double a = df - 0.5;
        const double bb = 48.0 * (a * a);
        y = a * y;
        double z = ((((-0.4 * y - 3.3) * y - 24.0) * y - 85.5) / (0.8 * (y * y) + 100.0 + bb) + y + 3.0) / bb + 1.0;
        z = z * std::sqrt(y);
        if (z >= 18.8125) return 0.0;
        return stats_d_erfc(z * std::sqrt(0.5));
    }
    const int n = static_cast<int>(df);
    if (t2 < 4.0) {
        // Nested cosine series.
        y = std::sqrt(y);
        double a = n == 1 ? 0.0 : y;
        int k = n - 2;
        while (k > 1) {
            a = (k - 1) / (b * k) * a + y;
            k -= 2;
        }
        if (k == 0)
            a = a / std::sqrt(b);
        else
            a = (std::atan(y) + a / b) * kTwoOverPi;
        return 1.0 - a;
    }
    // Tail series for large t.
    y = df;
    double a = 1.0;
    double j = 0.0;
    for (;;) {
        j += 2.0;
        y = y * (j - 1.0) / (j * b);
        const double previous = a;
        a = a + y / (df + j);
        if (a == previous) break;
    }
    int k = n;
    if (df > 1.0) {
        for (;;) {
            if (a < 1e-30) break;
            a = a * (k - 1) / (b * k);
            k -= 2;
            if (k <= 1) break;
        }
    }
    if (k == 0) return a;
    return a * std::sqrt(b) * kTwoOverPi / b;
}

double tCdfWork(double t, double df) {
    if (std::isnan(t)) return t;
    if (std::isinf(t)) return t > 0.0 ? 1.0 : 0.0;
    if (df < 1.0) {
        l_set_real_arg(1, df);
        l_error_post(STATS_TERMINAL, 9042);
        return stats_dmach(6);
    }
    // Infinite degrees of freedom: the normal distribution, the limit.
    if (std::isinf(df)) return stats_d_normal_cdf(t);
    const double p = tTwoTailed(t, df);
    return t <= 0.0 ? 0.5 * p : 1.0 - 0.5 * p;
}

double dbetinWork(double p, double a, double b) {
    const double eps = stats_dmach(4);
    if (!(a > 0.0)) {
        l_set_real_arg(1, a);
        l_error_post(STATS_TERMINAL, 9044);
        return stats_dmach(6);
    }
    if (!(b > 0.0)) {
        l_set_real_arg(1, b);
        l_error_post(STATS_TERMINAL, 9045);
        return stats_dmach(6);
    }
    if (!(p > 0.0 && p < 1.0)) {
        l_set_real_arg(1, p);
        l_error_post(STATS_TERMINAL, 9046);
        return stats_dmach(6);
    }
    if (l_dmin(a, b) > kBetaNormalShape) {
        // Both shapes so large that the distribution is normal but for its
        // skewness to within 1/min(a, b): the Cornish-Fisher quantile,
        // then Newton steps on the ratio (whose normal form is what the
        // quantile of the approximate normal inverse misses).
        double mean, sd, skewness;
        l_beta_normal_form(a, b, &mean, &sd, &skewness);
        const double z = stats_d_normal_inverse_cdf(p);
        double x = l_dmax(0.0, l_dmin(1.0, mean + sd * (z + skewness / 6.0 * (z * z - 1.0))));
        for (int step = 0; step < 3; ++step) {
            const double w = l_beta_offset(x, a, b) / sd;
            const double density = std::exp(-0.5 * w * w) * 0.39894228040143267794 / sd;
            if (!(density > 0.0)) break;
            x = l_dmax(0.0, l_dmin(1.0, x - (stats_d_beta_incomplete(x, a, b) - p) / density));
        }
        return x;
    }
    if (l_dmin(a, b) > 1.0 && l_dmax(a, b) < 10.0 * l_dmin(a, b)) {
        // Bisection; fLow is the value at the lower end (-p at x = 0).
        double low = 0.0, high = 1.0, fLow = -p;
        for (int step = 0; step < 31; ++step) {
            const double x = 0.5 * (low + high);
            const double f = stats_d_beta_incomplete(x, a, b) - p;
            if ((f < 0.0) == (fLow < 0.0)) {
                low = x;
                fLow = f;
            } else {
                high = x;
            }
            if (high - low <= eps && std::fabs(f) <= eps) return x;
        }
    }
    // Damped Newton iteration on ln I_x(a, b) = ln p, on the smaller tail.
    const bool exchanged = p > 0.5;
    const double pp = exchanged ? 1.0 - p : p;
    const double aa = exchanged ? b : a;
    const double bb = exchanged ? a : b;
    const double s = aa + bb;
    const double lnBeta = stats_d_log_beta(aa, bb);
    const double lnP = std::log(pp);
    const double lnFloor = std::log(stats_dmach(1)) + 10.0;
    double x = aa / s;
    // A starting point that underflows lies below the floor of step 6.
    if (!(x > 0.0) || std::log(x) <= lnFloor) return exchanged ? 1.0 : 0.0;
    double previousDelta = 1.0;
    for (int step = 0; step < 100; ++step) {
        const double ix = stats_d_beta_incomplete(x, aa, bb);
        double delta;
        if (ix > 0.0) {
            const double lnI = std::log(ix);
            // I_x = x^a (1-x)^b / (a B(a, b)) times the continued fraction.
            const double fraction = std::exp(lnI + std::log(aa) + lnBeta - aa * std::log(x) - bb * std::log1p(-x));
            delta = (lnP - lnI) * fraction * (1.0 - x) / aa;
        } else {
            delta = 0.5 / x - 0.5;
        }
        if (std::isnan(delta)) break;
        delta = l_dmax(-0.99, l_dmin(delta, 0.5 / x - 0.5));
        x = x * (1.0 + delta);
        if (std::fabs(delta) < eps) return exchanged ? 1.0 - x : x;
        // The ratio itself is good to a few units in the last place: once
        // the steps are that small and stop shrinking, x is as good as the
        // ratio allows.
        if (std::fabs(delta) <= 64.0 * eps && std::fabs(delta) >= std::fabs(previousDelta))
            return exchanged ? 1.0 - x : x;
        previousDelta = delta;
        if (std::log(x) <= lnFloor) return exchanged ? 1.0 : 0.0;
    }
    l_set_real_arg(1, p);
    l_set_real_arg(2, x);
    l_error_post(STATS_WARNING, 9047);
    return exchanged ? 1.0 - x : x;
}

double tInverseWork(double p, double df) {
    static double eps = 0.0;
    eps = stats_dmach(4);
    if (!(df >= 1.0)) {
        l_set_real_arg(1, df);
        l_error_post(STATS_TERMINAL, 9042);
        return stats_dmach(6);
    }
    if (!(p > 0.0 && p < 1.0)) {
        l_set_real_arg(1, p);
        l_error_post(STATS_TERMINAL, 9043);
        return stats_dmach(6);
    }
    if (0.5 - eps < p && p < 0.5 + eps) return 0.0;
    if (std::isinf(df)) return stats_d_normal_inverse_cdf(p);  // the normal limit
    const double pp = 2.0 * l_dmin(p, 1.0 - p);
    double t;
    if (std::fabs(df - 2.0) <= eps) {
        t = std::sqrt(2.0 / ((2.0 - pp) * pp) - 2.0);
    } else if (std::fabs(df - 1.0) <= eps) {
        t = std::cos(kHalfPi7 * pp) / std::sin(kHalfPi7 * pp);
    } else if (df > 2.0) {
        // Hill's inverse.
        const double a = 1.0 / (df - 0.5);
        const double bb = 48.0 / (a * a);
        double c = ((20700.0 * a / bb - 98.0) * a - 16.0) * a + 96.36;
        const double d = ((94.5 / (bb + c) - 3.0) / bb + 1.0) * std::sqrt(a * kHalfPi7) * df;
        double y = std::pow(d * pp, 2.0 / df);
        if (y > a + 0.05) {
            const double x = stats_d_normal_inverse_cdf(0.5 * pp);
            y = x * x;
            if (df < 5.0) c = c + 0.3 * (df - 4.5) * (x + 0.6);
            c = (((0.05 * d * x - 5.0) * x - 7.0) * x - 2.0) * x + bb + c;
            y = (((((0.4 * y + 6.3) * y + 36.0) * y + 94.5) / c - y - 3.0) / bb + 1.0) * x;
            y = a * (y * y);
            y = y > 0.002 ? std::exp(y) - 1.0 : y + 0.5 * (y * y);
        } else {
            y = ((1.0 / (((df + 6.0) / (df * y) - 0.089 * d - 0.822) * (df + 2.0) * 3.0) + 0.5 / (df + 4.0)) * y -
                 1.0) * (df + 1.0) / (df + 2.0) + 1.0 / y;
        }
        t = std::sqrt(df * y);
    } else {
        const double x = stats_dbetin(pp, df * 0.5, 0.5);
        if (x == 0.0) {
            l_error_post(STATS_FATAL, 9008);
            return stats_dmach(7);
        }
        t = std::sqrt(df * (1.0 / x - 1.0));
    }
    if (p < 0.5) t = -t;
    return t;
}

double chiSquaredCdfWork(double chi2, double df) {
    const double eps = stats_dmach(4);
    const bool negative = chi2 < 0.0;
    if (negative) {
        l_set_real_arg(1, chi2);
        l_set_string_arg(1, "chi_squared");
        l_error_post(STATS_NOTE, 9055);
    }
    if (df < 0.5) {
        l_set_real_arg(1, df);
        l_error_post(STATS_TERMINAL, 9051);
        return stats_dmach(6);
    }
    if (negative || chi2 <= 1e-12) return 0.0;
    if (std::isinf(chi2)) return 1.0;
    if (df <= 65.0) {
        if (chi2 > 200.0) return 1.0;
        const double a = df * 0.5;
        const double z = chi2 * 0.5;
        const double g = stats_d_gamma(a);
        if (z >= l_dmax(a * 0.5, 13.0)) {
            // Upper-tail asymptotic series.
            const double r = 1.0 / z;
            double c = a - 1.0;
            double term = r * c;
            double sum = 1.0 + term;
            for (int i = 2; i <= 50; ++i) {
                c -= 1.0;
                term = r * term * c;
                if (term <= sum * eps) break;
                sum += term;
            }
            return 1.0 - std::exp(a * std::log(z) - z) * sum * r / g;
        }
        if (df <= 25.0 || chi2 >= 2.0) {
            // Power series.
            double t = 1.0 / (g * a);
            double sum = t;
            for (int i = 1; i <= 50; ++i) {
                t = z * t / (a + i);
                if (t <= sum * eps) break;
                sum += t;
            }
            return std::exp(a * std::log(z) - z) * sum;
        }
        return 0.0;
    }
    if (chi2 < 2.0) return 0.0;
    // Wilson-Hilferty transform.
    const double c = (2.0 / 9.0) / df;
    const double z = (std::pow(chi2 / df, 1.0 / 3.0) - (1.0 - c)) / std::sqrt(c);
    if (z > 5.0) return 1.0;
    if (z < -18.8055) {
        l_error_post(STATS_ALERT, 9019);
        return 0.0;
    }
    return stats_d_normal_cdf(z);
}

}  // namespace

double stats_d_normal_cdf(double x) {
    RoutineScope scope("stats_d_normal_cdf");
    const double result = normalCdfWork(x);
    scope.pop();
    return result;
}

double stats_d_normal_inverse_cdf(double p) {
    RoutineScope scope("stats_d_normal_inverse_cdf");
    const double result = normalInverseWork(p);
    scope.pop();
    return result;
}

double stats_d_t_cdf(double t, double df) {
    RoutineScope scope("stats_d_t_cdf");
    const double result = tCdfWork(t, df);
    scope.pop();
    return result;
}

double stats_d_t_inverse(double p, double df) {
    RoutineScope scope("stats_d_t_inverse");
    const double result = tInverseWork(p, df);
    scope.pop();
    return result;
}

double stats_dbetin(double p, double a, double b) {
    RoutineScope scope("stats_dbetin");
    const double result = dbetinWork(p, a, b);
    scope.pop();
    return result;
}

double stats_d_chi_squared_cdf(double chi2, double df) {
    RoutineScope scope("stats_d_chi_squared_cdf");
    const double result = chiSquaredCdfWork(chi2, df);
    scope.pop();
    return result;
}
