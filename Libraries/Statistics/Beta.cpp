// Beta function family after Fullerton: beta, log-beta and the incomplete
// beta ratio (Bosten and Battiste).
#include <cmath>
#include <cstdint>

#include "Statistics/ErrorStack.h"
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
// evaluated on the side of the mean where it converges fast.
double betaFraction(double x, double a, double b) {
    const double tiny = 1.0e-300;
    const double eps = stats_dmach(4);
    double c = 1.0;
    double d = 1.0 - (a + b) * x / (a + 1.0);
    if (std::fabs(d) < tiny) d = tiny;
    d = 1.0 / d;
    double h = d;
    for (std::int32_t m = 1; m <= 100000000; ++m) {
        const double m2 = 2.0 * m;
        double aa = m * (b - m) * x / ((a - 1.0 + m2) * (a + m2));
        d = 1.0 + aa * d;
        if (std::fabs(d) < tiny) d = tiny;
        c = 1.0 + aa / c;
        if (std::fabs(c) < tiny) c = tiny;
        d = 1.0 / d;
        h *= d * c;
        aa = -(a + m) * (a + b + m) * x / ((a + m2) * (a + 1.0 + m2));
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
    if (x < (a + 1.0) / (a + b + 2.0)) return l_dmin(1.0, std::exp(lead) * betaFraction(x, a, b) / a);
    return l_dmax(0.0, 1.0 - std::exp(lead) * betaFraction(1.0 - x, b, a) / b);
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
    // Large shapes: the series below would need about max(a, b) terms; the
    // continued fraction needs about the square root of that.
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

double stats_d_beta_incomplete(double x, double a, double b) {
    RoutineScope scope("stats_d_beta_incomplete");
    const double result = betaIncompleteWork(x, a, b);
    scope.pop();
    return result;
}
