// Beta function family after Fullerton: beta, log-beta and the incomplete
// beta ratio (Bosten and Battiste).
#include <cmath>
#include <cstdint>

#include "Statistics/Distributions.h"
#include "Statistics/ErrorStack.h"
#include "Statistics/ExactArithmetic.h"
#include "Statistics/MachineConstants.h"
#include "Statistics/RoutineScope.h"
#include "Statistics/SpecialFunctions.h"

namespace {

const double kLnSqrt2Pi = 0.91893853320467274178032973640562;

// A loop bound taken from a double, kept inside the 32-bit range (one below
// the largest integer, so that a loop counting up to it ends).
std::int32_t boundedCount(double v) {
    if (!(v > 0.0)) return 0;
    if (v >= 2147483646.0) return 2147483646;
    return static_cast<std::int32_t>(v);
}

double logBetaWork(double a, double b) {
    const double p = l_dmin(a, b);
    const double q = l_dmax(a, b);
    if (!(p > 0.0)) {
        l_set_real_arg(1, a);
        l_set_real_arg(2, b);
        l_error_post(STATS_TERMINAL, 9038);
        return stats_dmach(6);
    }
    if (p >= 10.0) {
        const double corr = stats_r9lgmc(p) + stats_r9lgmc(q) - stats_r9lgmc(p + q);
        return -0.5 * std::log(q) + kLnSqrt2Pi + corr + (p - 0.5) * std::log(p / (p + q)) +
               q * l_alnrel(-p / (p + q));
    }
    if (q >= 10.0) {
        const double corr = stats_r9lgmc(q) - stats_r9lgmc(p + q);
        return stats_d_log_gamma(p) + corr + p - p * std::log(p + q) + (q - 0.5) * l_alnrel(-p / (p + q));
    }
    return std::log(stats_d_gamma(p) * (stats_d_gamma(q) / stats_d_gamma(p + q)));
}

double betaWork(double a, double b) {
    static bool ready = false;
    static double xmax = 0.0;
    static double alnsml = 0.0;
    if (!ready) {
        double xmin = 0.0;
        l_r9gaml(&xmin, &xmax);
        alnsml = std::log(stats_dmach(1));
        ready = true;
    }
    if (!(a > 0.0) || !(b > 0.0)) {
        l_set_real_arg(1, a);
        l_set_real_arg(2, b);
        l_error_post(STATS_TERMINAL, 9031);
        return stats_dmach(6);
    }
    if (a + b < xmax) return stats_d_gamma(a) * stats_d_gamma(b) / stats_d_gamma(a + b);
    const double lnb = stats_d_log_beta(a, b);
    if (lnb < alnsml) {
        l_set_real_arg(1, a);
        l_set_real_arg(2, b);
        l_error_post(STATS_ALERT, 9018);
        return 0.0;
    }
    return std::exp(lnb);
}

const double kLargeShape = 1.0e5;

// The continued fraction of the incomplete beta ratio (modified Lentz),
// evaluated on the side of the mean where it converges. Its terms are
// formed as products of ratios, so that no intermediate overflows however
// large the shapes are. Right at the mean it needs about sqrt(min(a, b)) / 30
// terms, a few standard deviations away a few dozen; it is given
// 64 + 2 sqrt(min(a, b)) terms at most.
double betaFraction(double x, double a, double b) {
    const double tiny = 1.0e-300;
    const double eps = stats_dmach(4);
    const double limit = 64.0 + 2.0 * std::sqrt(l_dmin(a, b));
    double c = 1.0;
    double d = 1.0 - (a / (a + 1.0) + b / (a + 1.0)) * x;
    if (std::fabs(d) < tiny) d = tiny;
    d = 1.0 / d;
    double h = d;
    for (double m = 1.0; m <= limit; m += 1.0) {
        const double m2 = 2.0 * m;
        double aa = (m / (a - 1.0 + m2)) * ((b - m) / (a + m2)) * x;
        d = 1.0 + aa * d;
        if (std::fabs(d) < tiny) d = tiny;
        c = 1.0 + aa / c;
        if (std::fabs(c) < tiny) c = tiny;
        d = 1.0 / d;
        h *= d * c;
        aa = -((a + m) / (a + m2)) * (a / (a + 1.0 + m2) + (b + m) / (a + 1.0 + m2)) * x;
        d = 1.0 + aa * d;
        if (std::fabs(d) < tiny) d = tiny;
        c = 1.0 + aa / c;
        if (std::fabs(c) < tiny) c = tiny;
        d = 1.0 / d;
        const double delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1.0) <= eps) break;
    }
    return h;
}

double betaContinuedFractionForm(double x, double a, double b) {
    const double lead = a * std::log(x) + b * std::log1p(-x) - stats_d_log_beta(a, b);
    // The side of (a + 1) / (a + b + 2), formed without the sum when it
    // overflows.
    const double split = std::isfinite(a + b + 2.0) ? (a + 1.0) / (a + b + 2.0) : ((a + 1.0) / b) / (1.0 + (a + 2.0) / b);
    if (x < split) return l_dmin(1.0, std::exp(lead) * betaFraction(x, a, b) / a);
    return l_dmax(0.0, 1.0 - std::exp(lead) * betaFraction(1.0 - x, b, a) / b);
}

// I_x(a, b) for both shapes beyond kBetaNormalShape: Edgeworth's series to
// the skewness term, good to about 1/min(a, b) (the continued fraction's
// prefactor, a difference of terms of the size of the shapes, would lose
// more).
double betaNormalForm(double x, double a, double b) {
    double mean, sd, skewness;
    l_beta_normal_form(a, b, &mean, &sd, &skewness);
    const double z = l_beta_offset(x, a, b) / sd;
    if (z < -38.0) return 0.0;
    if (z > 38.0) return 1.0;
    const double density = std::exp(-0.5 * z * z) * 0.39894228040143267794;
    const double value = stats_d_normal_cdf(z) - density * skewness / 6.0 * (z * z - 1.0);
    return l_dmax(0.0, l_dmin(1.0, value));
}

double betaIncompleteWork(double x, double pin, double qin) {
    const double eps = stats_dmach(3);
    const double alneps = std::log(eps);
    const double sml = stats_dmach(1);
    const double alnsml = 0.95 * std::log(sml);
    if (!(x >= 0.0 && x <= 1.0)) {
        l_set_real_arg(1, 0.0);
        l_set_real_arg(2, 1.0);
        l_set_real_arg(3, x);
        l_set_string_arg(1, "x");
        l_error_post(STATS_TERMINAL, 120);
    }
    if (!(pin > 0.0) || !(qin > 0.0)) {
        l_set_real_arg(1, pin);
        l_set_real_arg(2, qin);
        l_error_post(STATS_TERMINAL, 9031);
    }
    if (l_error_type_at(0) == STATS_TERMINAL) return stats_dmach(6);
    // Infinite shapes: the limits of the distribution function.
    if (std::isinf(pin) || std::isinf(qin)) {
        if (std::isinf(pin) && std::isinf(qin)) {
            l_set_real_arg(1, pin);
            l_set_real_arg(2, qin);
            l_error_post(STATS_TERMINAL, 9031);
            return stats_dmach(6);
        }
        if (std::isinf(qin)) return x > 0.0 ? 1.0 : 0.0;
        return x < 1.0 ? 0.0 : 1.0;
    }
    // The ends of the interval, for any shapes.
    if (x == 0.0 || x == 1.0) return x == 0.0 ? 0.0 : 1.0;
    // Large shapes: the series below would need about max(a, b) terms; the
    // continued fraction needs about the square root of that.
    if (l_dmin(pin, qin) > kBetaNormalShape && x > 0.0 && x < 1.0) return betaNormalForm(x, pin, qin);
    if (l_dmax(pin, qin) > kLargeShape && x > 0.0 && x < 1.0) return betaContinuedFractionForm(x, pin, qin);

    double y = x, p = pin, q = qin;
    bool exchanged = false;
    if ((p < q || x >= 0.8) && x >= 0.2) {
        y = 1.0 - x;
        p = qin;
        q = pin;
        exchanged = true;
    }
    double result = 0.0;
    if ((p + q) * y / (p + 1.0) < eps) {
        const double xb = p * std::log(l_dmax(y, sml)) - std::log(p) - stats_d_log_beta(p, q);
        if (xb > alnsml && y != 0.0) result = std::exp(xb);
    } else {
        // Series for I_y(p, ps) with ps the fractional part of q.
        double ps = q - std::trunc(q);
        if (ps == 0.0) ps = 1.0;
        double xb = p * std::log(y) - stats_d_log_beta(ps, p) - std::log(p);
        result = xb < alnsml ? 0.0 : std::exp(xb);
        if (ps != 1.0) {
            double term = result * p;
            const std::int32_t n = boundedCount(l_dmax(alneps / std::log(y), 4.0));
            for (std::int32_t i = 1; i <= n; ++i) {
                const double xi = i;
                term = term * (xi - ps) * y / xi;
                result += term / (p + xi);
            }
        }
        // Finite sum for the integer part of q.
        if (q > 1.0) {
            xb = p * std::log(y) + q * std::log(1.0 - y) - stats_d_log_beta(p, q) - std::log(q);
            std::int32_t ib = boundedCount(l_dmax(xb / alnsml, 0.0));
            double term = std::exp(xb - ib * alnsml);
            const double c = 1.0 / (1.0 - y);
            const double p1 = q * c / (p + q - 1.0);
            double finsum = 0.0;
            std::int32_t n = boundedCount(q);
            if (q == static_cast<double>(n)) n -= 1;
            for (std::int32_t i = 1; i <= n; ++i) {
                if (p1 <= 1.0 && term / eps <= finsum) break;
                const double xi = i;
                term = (q - xi + 1.0) * c * term / (p + q - xi);
                if (term > 1.0) {
                    ib -= 1;
                    term *= sml;
                }
                if (ib == 0) finsum += term;
            }
            result += finsum;
        }
    }
    if (exchanged) result = 1.0 - result;
    if (std::isnan(result)) {
        l_set_real_arg(1, pin);
        l_set_real_arg(2, qin);
        l_error_post(STATS_TERMINAL, 9031);
        return result;
    }
    return l_dmax(l_dmin(result, 1.0), 0.0);
}

}  // namespace

double stats_d_log_beta(double a, double b) {
    RoutineScope scope("stats_d_log_beta");
    const double result = logBetaWork(a, b);
    scope.pop();
    return result;
}

double stats_d_beta(double a, double b) {
    RoutineScope scope("stats_d_beta");
    const double result = betaWork(a, b);
    scope.pop();
    return result;
}

double l_beta_offset(double x, double a, double b) {
    // Shapes this large are scaled by a power of two (exactly) so that the
    // splitting of the products cannot overflow; the ratio is unchanged.
    if (l_dmax(a, b) > 1.0e290) {
        a = std::ldexp(a, -80);
        b = std::ldexp(b, -80);
    }
    double p1, e1, p2, e2;
    statsexact::twoProduct(x, b, &p1, &e1);
    statsexact::twoProduct(x, a, &p2, &e2);
    const double s = p1 + p2;  // two-sum of the leading parts
    const double bb = s - p1;
    const double e3 = (p1 - (s - bb)) + (p2 - bb);
    const double numerator = (s - a) + (e1 + e2 + e3);  // x (a + b) - a
    return numerator / a / (1.0 + b / a);
}

void l_beta_normal_form(double a, double b, double* mean, double* sd, double* skewness) {
    // Each weight as 1 / (1 + the other shape over its own): no sum of the
    // shapes, which may overflow.
    const double m = 1.0 / (1.0 + b / a);
    const double n = 1.0 / (1.0 + a / b);
    const double total = a + b + 1.0;
    *mean = m;
    *sd = std::isfinite(total) ? std::sqrt(m * n / total) : std::sqrt(m * n) / std::sqrt(a) / std::sqrt(1.0 + b / a);
    *skewness = 2.0 * (n - m) * *sd / (m * n);
}

double stats_d_beta_incomplete(double x, double a, double b) {
    RoutineScope scope("stats_d_beta_incomplete");
    const double result = betaIncompleteWork(x, a, b);
    scope.pop();
    return result;
}
