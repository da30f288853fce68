// Incomplete gamma function after Fullerton: gamma(a, x) through Tricomi's
// function gamma*(a, x) = x^-a gamma(a, x) / Gamma(a), with its series for
// small x and the continued fractions of the complementary function and of
// log gamma*.
#include <cmath>

#include "Statistics/ErrorStack.h"
#include "Statistics/MachineConstants.h"
#include "Statistics/RoutineScope.h"
#include "Statistics/SpecialFunctions.h"

namespace {

void clearAlert() {
    if (l_error_type_at(0) == STATS_ALERT) stats_e1mes(0, 0, nullptr);
}

double r9gmitWork(double a, double x, double algap1, double sgngam, double alx) {
    const double eps = 0.5 * stats_dmach(3);
    const double bot = std::log(stats_dmach(1));
    double ma = a < 0.0 ? std::trunc(a - 0.5) : std::trunc(a + 0.5);
    const double aeps = a - ma;
    const double ae = a < -0.5 ? aeps : a;
    double t = 1.0, te = ae, s = t;
    bool converged = false;
    for (int k = 1; k <= 200; ++k) {
        const double fk = k;
        te = -x * te / fk;
        t = te / (ae + fk);
        s += t;
        if (std::fabs(t) < eps * std::fabs(s)) {
            converged = true;
            break;
        }
    }
    if (!converged) {
        l_set_real_arg(1, a);
        l_set_real_arg(2, x);
        l_error_post(STATS_FATAL, 9034);
    }
    if (a >= -0.5) return std::exp(-algap1 + std::log(s));

    double algs = -stats_d_log_gamma(1.0 + aeps) + std::log(s);
    s = 1.0;
    const double m = -ma - 1.0;
    if (m > 0.0) {
        t = 1.0;
        const int count = m >= 2147483646.0 ? 2147483646 : static_cast<int>(m);
        for (int k = 1; k <= count; ++k) {
            t = x * t / (aeps - (m + 1.0 - k));
            s += t;
            if (std::fabs(t) < eps * std::fabs(s)) break;
        }
    }
    algs = -ma * alx + algs;
    if (s == 0.0 || aeps == 0.0) return std::exp(algs);
    const double sgng2 = sgngam * (s < 0.0 ? -1.0 : 1.0);
    const double alg2 = -x - algap1 + std::log(std::fabs(s));
    double result = 0.0;
    if (alg2 > bot) result = sgng2 * std::exp(alg2);
    if (algs > bot) result += std::exp(algs);
    return result;
}

double r9lgicWork(double a, double x, double alx) {
    const double eps = 0.5 * stats_dmach(3);
    const double xpa = x + 1.0 - a;
    const double xma = x - 1.0 - a;
    double r = 0.0, p = 1.0, s = p;
    bool converged = false;
    for (int k = 1; k <= 200; ++k) {
        const double fk = k;
        const double t = fk * (a - fk) * (1.0 + r);
        r = -t / ((xma + 2.0 * fk) * (xpa + 2.0 * fk) + t);
        p = r * p;
        s += p;
        if (std::fabs(p) < eps * s) {
            converged = true;
            break;
        }
    }
    if (!converged) {
        l_set_real_arg(1, a);
        l_set_real_arg(2, x);
        l_error_post(STATS_FATAL, 9035);
    }
    return a * alx - x + std::log(s / xpa);
}

double r9lgitWork(double a, double x, double algap1) {
    const double eps = 0.5 * stats_dmach(3);
    const double sqeps = std::sqrt(stats_dmach(4));
    if (!(x > 0.0) || a < x) {
        l_set_real_arg(1, a);
        l_set_real_arg(2, x);
        l_error_post(STATS_TERMINAL, 9036);
        return stats_dmach(6);
    }
    const double ax = a + x;
    const double a1x = ax + 1.0;
    double r = 0.0, p = 1.0, s = p;
    bool converged = false;
    for (int k = 1; k <= 200; ++k) {
        const double fk = k;
        const double t = (a + fk) * x * (1.0 + r);
        r = t / ((ax + fk) * (a1x + fk) - t);
        p = r * p;
        s += p;
        if (std::fabs(p) < eps * s) {
            converged = true;
            break;
        }
    }
    if (!converged) {
        l_set_real_arg(1, a);
        l_set_real_arg(2, x);
        l_error_post(STATS_TERMINAL, 9036);
        return stats_dmach(6);
    }
    const double hstar = 1.0 - x * s / a1x;
    if (hstar < sqeps) {
        l_set_real_arg(1, hstar);
        l_error_post(STATS_WARNING, 9037);
    }
    return -x - algap1 - std::log(hstar);
}

double gamitWork(double a, double x) {
    const double alneps = -std::log(stats_dmach(3));
    const double sqeps = std::sqrt(stats_dmach(4));
    const double bot = std::log(stats_dmach(1));
    if (x < 0.0) {
        l_set_real_arg(1, x);
        l_error_post(STATS_TERMINAL, 9033);
        return stats_dmach(6);
    }
    const double alx = x != 0.0 ? std::log(x) : 0.0;
    const double sga = a != 0.0 ? (a < 0.0 ? -1.0 : 1.0) : 1.0;
    const double ainta = std::trunc(a + 0.5 * sga);
    const double aeps = a - ainta;
    double algap1 = 0.0, sgngam = 0.0;
    if (x <= 0.0) {
        if (ainta > 0.0 || aeps != 0.0) return stats_gamr(a + 1.0);
        return 0.0;
    }
    if (x <= 1.0) {
        if (a >= -0.5 || aeps != 0.0) stats_algams(a + 1.0, &algap1, &sgngam);
        const double result = l_r9gmit(a, x, algap1, sgngam, alx);
        clearAlert();
        return result;
    }
    if (a >= x) {
        const double t = l_r9lgit(a, x, stats_d_log_gamma(a + 1.0));
        if (t < bot) clearAlert();
        return std::exp(t);
    }
    const double alng = l_r9lgic(a, x, alx);
    double h = 1.0;
    if (!(aeps == 0.0 && ainta <= 0.0)) {
        stats_algams(a + 1.0, &algap1, &sgngam);
        double t = std::log(std::fabs(a)) + alng - algap1;
        if (t > alneps) {
            t = t - a * alx;
            if (t < bot) clearAlert();
            return -sga * sgngam * std::exp(t);
        }
        if (t > -alneps) h = 1.0 - sga * sgngam * std::exp(t);
        if (std::fabs(h) <= sqeps) {
            clearAlert();
            l_set_real_arg(1, a);
            l_error_post(STATS_WARNING, 9020);
        }
    }
    const double t = -a * alx + std::log(std::fabs(h));
    if (t < bot) clearAlert();
    return std::copysign(std::exp(t), h);
}

double gammaIncompleteWork(double a, double x) {
    if (!(a > 0.0)) {
        l_set_real_arg(1, a);
        l_error_post(STATS_TERMINAL, 9032);
    }
    if (x < 0.0) {
        l_set_real_arg(1, x);
        l_error_post(STATS_TERMINAL, 9033);
    }
    if (l_error_type_at(0) == STATS_TERMINAL) return stats_dmach(6);
    if (x == 0.0) return 0.0;
    // The whole integral: Gamma(a), with its own report when it overflows.
    if (std::isinf(x)) return stats_d_gamma(a);
    const double lnFactor = stats_d_log_gamma(a) + a * std::log(x);
    const double tricomi = l_gamit(a, x);
    const double result = std::exp(lnFactor) * tricomi;
    if (!std::isnan(result)) return result;
    // x^a Gamma(a) overflowed while Tricomi's function, about x^-a, did not
    // or underflowed: the product in logarithms, or, with all the mass below
    // x (forty standard deviations and more), Gamma(a) itself.
    if (tricomi > 0.0) return std::exp(lnFactor + std::log(tricomi));
    if (x >= a + 40.0 * std::sqrt(a) + 40.0) return stats_d_gamma(a);
    // Otherwise a is huge: x^a e^-x / a times the series
    // 1 + x/(a+1) + x^2/((a+1)(a+2)) + ..., in logarithms (its terms fall
    // at least by x/(a+1) each; a bounded number of them).
    double sum = 1.0, term = 1.0;
    for (int k = 1; k <= 100000 && term > stats_dmach(4) * sum; ++k) {
        term *= x / (a + k);
        sum += term;
    }
    return std::exp(a * std::log(x) - x - std::log(a) + std::log(sum));
}

}  // namespace

double l_r9gmit(double a, double x, double algap1, double sgngam, double alx) {
    RoutineScope scope("l_r9gmit");
    const double result = r9gmitWork(a, x, algap1, sgngam, alx);
    scope.pop();
    return result;
}

double l_r9lgic(double a, double x, double alx) {
    RoutineScope scope("l_r9lgic");
    const double result = r9lgicWork(a, x, alx);
    scope.pop();
    return result;
}

double l_r9lgit(double a, double x, double algap1) {
    RoutineScope scope("l_r9lgit");
    const double result = r9lgitWork(a, x, algap1);
    scope.pop();
    return result;
}

double l_gamit(double a, double x) {
    RoutineScope scope("l_gamit");
    const double result = gamitWork(a, x);
    scope.pop();
    return result;
}

double stats_d_gamma_incomplete(double a, double x) {
    RoutineScope scope("stats_d_gamma_incomplete");
    const double result = gammaIncompleteWork(a, x);
    scope.pop();
    return result;
}
