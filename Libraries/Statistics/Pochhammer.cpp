// Pochhammer's generalised symbol Gamma(a + x) / Gamma(a), and the cosine
// and sine with a check of the accuracy their argument leaves.
#include <cmath>
#include <cstdint>

#include "Statistics/ErrorStack.h"
#include "Statistics/MachineConstants.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RoutineScope.h"
#include "Statistics/SpecialFunctions.h"

namespace {

const double kPi = 3.141592653589793;
const double kHalfPi = 1.5707963267948966;

// The largest argument whose cosine or sine has any correct digit (1/eps)
// and the largest that keeps half of them (its square root).
struct TrigLimits {
    double big;
    double sqrtBig;
};

const TrigLimits& trigLimits() {
    static const TrigLimits limits = [] {
        const double big = 1.0 / stats_dmach(4);
        return TrigLimits{big, std::sqrt(big)};
    }();
    return limits;
}

// One of the two checked functions: the value, or NaN with the terminal
// code when |x| + pi/2 is beyond 1/eps (or x is not a number); the warning
// code when it is beyond the square root of that.
double checkedTrig(double x, double (*f)(double), std::int32_t warningCode, std::int32_t terminalCode) {
    const TrigLimits& limits = trigLimits();
    const double size = std::fabs(x) + kHalfPi;
    if (!(size <= limits.big)) {
        l_set_real_arg(1, x);
        l_set_real_arg(2, limits.big);
        l_set_real_arg(3, kHalfPi);
        l_error_post(STATS_TERMINAL, terminalCode);
        return stats_dmach(6);
    }
    if (size > limits.sqrtBig) {
        l_set_real_arg(1, x);
        l_set_real_arg(2, limits.sqrtBig);
        l_set_real_arg(3, kHalfPi);
        l_error_post(STATS_WARNING, warningCode);
    }
    return f(x);
}

double cosine(double x) { return std::cos(x); }
double sine(double x) { return std::sin(x); }

// sin(pi v) and cos(pi v) for any finite double v. The reduction of v by
// whole periods and the reflections about the quarter periods are exact in
// double arithmetic, so the functions see arguments of at most pi/2 and the
// result is good to a few units in the last place, however large v is.
double sinPi(double v) {
    double r = std::fmod(v, 2.0);  // exact, |r| < 2
    if (r > 1.0) r -= 2.0;
    else if (r < -1.0) r += 2.0;
    if (r > 0.5) r = 1.0 - r;
    else if (r < -0.5) r = -1.0 - r;
    return l_a1sin(kPi * r);
}

double cosPi(double v) {
    double r = std::fabs(std::fmod(v, 2.0));
    if (r > 1.0) r = 2.0 - r;  // now 0 <= r <= 1
    if (r < 0.25) return l_a1cos(kPi * r);
    return l_a1sin(kPi * (0.5 - r));  // 0.5 - r is exact for r >= 0.25
}

bool nonPositiveInteger(double v) { return v <= 0.0 && v == std::trunc(v); }

// exp((b - 1/2) ln(1 + x/b) + x ln(x + b) - x + c(x + b) - c(b)), Stirling's
// form of Gamma(b + x) / Gamma(b) for b and x + b of at least 10.
double stirlingRatio(double b, double x) {
    return std::exp((b - 0.5) * l_alnrel(x / b) + x * std::log(x + b) - x + stats_r9lgmc(x + b) - stats_r9lgmc(b));
}

// Gamma(a + x) / Gamma(a) for a < 0 by reflection: with b = 1 - a - x,
//   Gamma(a + x) / Gamma(a) = Gamma(b + x) / Gamma(b) * sin(pi a) / sin(pi (a + x)),
// and sin(pi (a + x)) / sin(pi a) = cos(pi x) + sin(pi x) cot(pi a). The two
// terms of that sum are each good to a few units in the last place; when
// they cancel (a + x close to an integer) the relative error of the factor
// grows by their size over the sum, which is the estimate checked.
double reflectedRatio(double a, double x) {
    const double eps = stats_dmach(4);
    const double cosX = cosPi(x);
    const double sinTerm = sinPi(x) * (cosPi(a) / sinPi(a));
    const double factor = cosX + sinTerm;
    const double estimate = 4.0 * (std::fabs(cosX) + std::fabs(sinTerm)) / std::fabs(factor);
    if (!(estimate <= 1.0 / eps)) {
        l_set_real_arg(1, a);
        l_set_real_arg(2, a + x);
        l_error_post(STATS_TERMINAL, 20563);
        return stats_dmach(6);
    }
    if (estimate > 1.0 / std::sqrt(eps)) {
        l_set_real_arg(1, a);
        l_set_real_arg(2, a + x);
        l_error_post(STATS_WARNING, 20564);
    }
    return stirlingRatio(1.0 - a - x, x) / factor;
}

double pochWork(double a, double x) {
    const double nan = stats_dmach(6);
    const double eps = stats_dmach(4);
    const double ax = a + x;
    if (std::isnan(a) || std::isnan(x)) return nan;
    if (std::isinf(a) || std::isinf(x)) {
        // Only the limit a -> +Inf with x fixed exists: a^x.
        if (a > 0.0 && std::isfinite(x)) return x > 0.0 ? a : x == 0.0 ? 1.0 : 0.0;
        return nan;
    }
    if (nonPositiveInteger(ax)) {
        if (!nonPositiveInteger(a)) {
            l_set_real_arg(1, ax);
            l_set_real_arg(2, a);
            l_error_post(STATS_TERMINAL, 20561);
            return nan;
        }
        if (x == 0.0) return 1.0;
        // (-1)^x (-a)! / (-a - x)!, as a ratio of log-gammas.
        double lg1, s1, lg2, s2;
        stats_algams(1.0 - a, &lg1, &s1);
        stats_algams(1.0 - a - x, &lg2, &s2);
        const double sign = std::fmod(std::fabs(x), 2.0) == 0.0 ? 1.0 : -1.0;
        return sign * std::exp(lg1 - lg2);
    }
    if (nonPositiveInteger(a)) return 0.0;
    if (x == std::trunc(x) && x >= 0.0 && x <= 20.0) {
        double result = 1.0;
        for (int i = 0; i < static_cast<int>(x); ++i) result *= a + i;
        return result;
    }
    const double larger = l_dmax(std::fabs(ax), std::fabs(a));
    if (larger > 20.0) {
        if (std::fabs(x) <= std::fabs(a) / 2.0) return a > 0.0 ? stirlingRatio(a, x) : reflectedRatio(a, x);
        double lg1, s1, lg2, s2;
        stats_algams(ax, &lg1, &s1);
        stats_algams(a, &lg2, &s2);
        return s1 * s2 * std::exp(lg1 - lg2);
    }
    const double bound = larger / std::sqrt(eps);
    if (std::fabs(x) > bound) {
        l_set_real_arg(1, x);
        l_set_real_arg(2, bound);
        l_error_post(STATS_WARNING, 20562);
    }
    return stats_d_gamma(ax) * stats_gamr(a);
}

}  // namespace

double l_a1cos(double x) {
    RoutineScope scope("l_a1cos");
    const double result = checkedTrig(x, cosine, 20565, 20566);
    scope.pop();
    return result;
}

double l_a1sin(double x) {
    RoutineScope scope("l_a1sin");
    const double result = checkedTrig(x, sine, 20567, 20568);
    scope.pop();
    return result;
}

double l_poch(double a, double x) {
    RoutineScope scope("l_poch");
    const double result = pochWork(a, x);
    scope.pop();
    return result;
}
