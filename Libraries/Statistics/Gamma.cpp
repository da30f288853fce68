// Gamma function family after Fullerton: gamma, its domain bounds, the
// log-gamma correction term, log-gamma with sign, reciprocal gamma, and
// ln(1 + x).
#include <cmath>

#include "Statistics/ChebyshevTables.h"
#include "Statistics/ErrorStack.h"
#include "Statistics/MachineConstants.h"
#include "Statistics/RoutineScope.h"
#include "Statistics/SpecialFunctions.h"

namespace {

const double kLnSqrt2Pi = 0.91893853320467274178032973640562;
const double kLnSqrtPiOver2 = 0.225791352644727432363097614947441;
const double kPi = 3.14159265358979323846264338327950;

struct GammaConstants {
    std::int32_t ngam;
    double xmin;
    double xmax;
    double xsml;
    double dxrel;
};

const GammaConstants& gammaConstants() {
    static bool ready = false;
    static GammaConstants c;
    if (!ready) {
        c.ngam = stats_initds(stats_cs_gamcs, 42, 0.1 * stats_dmach(3));
        l_r9gaml(&c.xmin, &c.xmax);
        c.xsml = std::exp(l_dmax(std::log(stats_dmach(1)), -std::log(stats_dmach(2))) + 0.01);
        c.dxrel = std::sqrt(stats_dmach(4));
        ready = true;
    }
    return c;
}

double gammaWork(double x) {
    const GammaConstants& c = gammaConstants();
    const double nan = stats_dmach(6);
    const double y0 = std::fabs(x);
    if (std::isnan(x)) return x;
    if (x >= 1.0 && x <= 13.0 && x == std::trunc(x)) {
        // (x - 1)! exactly for every factorial that fits a 32-bit integer:
        // the asymptotic form gives 12! just below the integer, and the
        // factorial truncates.
        double g = 1.0;
        for (double k = 2.0; k < x; k += 1.0) g *= k;
        return g;
    }
    if (y0 <= 10.0) {
        // Gamma(x) for -10 <= x <= 10: reduce to the interval [1, 2).
        double n = std::trunc(x);
        if (x < 0.0) n -= 1.0;
        const double y = x - n;
        n -= 1.0;
        double g = 0.9375 + stats_csevl(2.0 * y - 1.0, stats_cs_gamcs, c.ngam);
        if (n == 0.0) return g;
        if (n > 0.0) {
            const int count = static_cast<int>(n);
            for (int i = 1; i <= count; ++i) g *= (y + i);
            return g;
        }
        const int m = static_cast<int>(-n);
        if (x == 0.0) {
            l_error_post(STATS_TERMINAL, 9024);
            return nan;
        }
        if (y < c.xsml) {
            l_set_real_arg(1, x);
            l_error_post(STATS_FATAL, 9011);
            return nan;
        }
        if (x < 0.0 && x + m - 2.0 == 0.0) {
            l_set_real_arg(1, x);
            l_error_post(STATS_TERMINAL, 9006);
            return nan;
        }
        if (x < -0.5 && std::fabs((x - std::trunc(x)) / x) < c.dxrel) {
            l_set_real_arg(1, x);
            l_error_post(STATS_WARNING, 9020);
        }
        for (int i = 0; i < m; ++i) g /= (x + i);
        return g;
    }
    if (x > c.xmax) {
        l_set_real_arg(1, x);
        l_set_real_arg(2, c.xmax);
        l_error_post(STATS_FATAL, 9009);
        return nan;
    }
    if (x < c.xmin) {
        l_set_real_arg(1, x);
        l_set_real_arg(2, c.xmin);
        l_error_post(STATS_ALERT, 9014);
        return 0.0;
    }
    const double y = y0;
    const double g = std::exp((y - 0.5) * std::log(y) - y + kLnSqrt2Pi + stats_r9lgmc(y));
    if (x > 0.0) return g;
    if (std::fabs((x - std::trunc(x)) / x) < c.dxrel) {
        l_set_real_arg(1, x);
        l_error_post(STATS_WARNING, 9020);
    }
    const double sinpiy = std::sin(kPi * y);
    if (sinpiy == 0.0) {
        l_set_real_arg(1, x);
        l_error_post(STATS_FATAL, 9021);
        return nan;
    }
    return -kPi / (y * sinpiy * g);
}

void r9gamlWork(double* xmin, double* xmax) {
    const double alnsml = std::log(stats_dmach(1));
    const double alnbig = std::log(stats_dmach(2));
    double lo = -alnsml;
    bool converged = false;
    for (int i = 0; i < 10; ++i) {
        const double old = lo;
        const double xln = std::log(lo);
        lo = lo - lo * ((lo + 0.5) * xln - lo - 0.2258 + alnsml) / (lo * xln + 0.5);
        if (std::fabs(lo - old) < 0.005) {
            converged = true;
            break;
        }
    }
    if (converged) {
        lo = -lo + 0.01;
    } else {
        lo = stats_dmach(6);
        l_error_post(STATS_FATAL, 9022);
    }
    double hi = alnbig;
    converged = false;
    for (int i = 0; i < 10; ++i) {
        const double old = hi;
        const double xln = std::log(hi);
        hi = hi - hi * ((hi - 0.5) * xln - hi + 0.9189 - alnbig) / (hi * xln - 0.5);
        if (std::fabs(hi - old) < 0.005) {
            converged = true;
            break;
        }
    }
    if (converged) {
        hi = hi - 0.01;
    } else {
        hi = stats_dmach(6);
        l_error_post(STATS_FATAL, 9023);
    }
    lo = l_dmax(lo, 1.0 - hi);
    *xmin = lo;
    *xmax = hi;
}

struct LgmcConstants {
    std::int32_t nalgm;
    double xbig;
    double xmax;
};

const LgmcConstants& lgmcConstants() {
    static bool ready = false;
    static LgmcConstants c;
    if (!ready) {
        c.nalgm = stats_initds(stats_cs_algmcs, 15, stats_dmach(3));
        c.xbig = 1.0 / std::sqrt(stats_dmach(3));
        c.xmax = std::exp(l_dmin(std::log(stats_dmach(2) / 12.0), -std::log(12.0 * stats_dmach(1))));
        ready = true;
    }
    return c;
}

double r9lgmcWork(double x) {
    const LgmcConstants& c = lgmcConstants();
    if (x < 10.0) {
        l_set_real_arg(1, x);
        l_set_real_arg(2, 10.0);
        l_error_post(STATS_FATAL, 60002);
        return stats_dmach(6);
    }
    if (x >= c.xmax) {
        l_set_real_arg(1, x);
        l_set_real_arg(2, c.xmax);
        l_error_post(STATS_ALERT, 9015);
        return 0.0;
    }
    if (x < c.xbig) {
        const double t = 10.0 / x;
        return stats_csevl(2.0 * t * t - 1.0, stats_cs_algmcs, c.nalgm) / x;
    }
    return 1.0 / (x * 12.0);
}

double logGammaWork(double x) {
    static const double xmax = stats_dmach(2) / std::log(stats_dmach(2));
    static const double dxrel = std::sqrt(stats_dmach(4));
    if (std::isnan(x)) return x;
    const double y = std::fabs(x);
    if (y <= 10.0) return std::log(std::fabs(stats_d_gamma(x)));
    if (y > xmax) {
        l_set_real_arg(1, x);
        l_set_real_arg(2, xmax);
        l_error_post(STATS_FATAL, 9013);
        return stats_dmach(6);
    }
    if (x > 0.0) return kLnSqrt2Pi + (x - 0.5) * std::log(x) - x + stats_r9lgmc(y);
    const double sinpiy = std::fabs(std::sin(kPi * y));
    if (sinpiy == 0.0) {
        l_set_real_arg(1, x);
        l_error_post(STATS_FATAL, 9006);
        return stats_dmach(6);
    }
    const double result = kLnSqrtPiOver2 + (x - 0.5) * std::log(y) - x - std::log(sinpiy) - stats_r9lgmc(y);
    if (std::fabs((x - std::trunc(x)) * result / x) < dxrel) {
        l_set_real_arg(1, x);
        l_error_post(STATS_WARNING, 9020);
    }
    return result;
}

double gamrWork(double x) {
    if (x <= 0.0 && std::trunc(x) == x) return 0.0;
    double result;
    if (std::fabs(x) > 10.0) {
        double alngx = 0.0, sgngx = 0.0;
        stats_algams(x, &alngx, &sgngx);
        result = sgngx * std::exp(-alngx);
    } else {
        result = 1.0 / stats_d_gamma(x);
    }
    if (l_error_type_at(1) == STATS_WARNING) stats_e1mes(0, 0, nullptr);
    return result;
}

std::int32_t alnrcsTerms() {
    static const std::int32_t n = stats_initds(stats_cs_alnrcs, 43, 0.1 * stats_dmach(3));
    return n;
}

// ln(1 + x); the two entries differ only in how they report a bad x.
double alnrelWork(double x, const double* cs, std::int32_t badCode, int closeType, std::int32_t closeCode) {
    static const double xmin = -1.0 + std::sqrt(stats_dmach(4));
    if (x <= -1.0) {
        l_set_real_arg(1, x);
        l_error_post(STATS_TERMINAL, badCode);
        return stats_dmach(6);
    }
    if (x < xmin) {
        l_set_real_arg(1, x);
        l_set_real_arg(2, xmin);
        l_error_post(closeType, closeCode);
    }
    if (std::fabs(x) <= 0.375) return x * (1.0 - x * stats_csevl(x / 0.375, cs, alnrcsTerms()));
    return std::log(1.0 + x);
}

}  // namespace

double stats_d_gamma(double x) {
    RoutineScope scope("stats_d_gamma");
    const double result = gammaWork(x);
    scope.pop();
    return result;
}

void l_r9gaml(double* xmin, double* xmax) {
    RoutineScope scope("l_r9gaml");
    double lo = 0.0, hi = 0.0;
    r9gamlWork(&lo, &hi);
    if (xmin != nullptr) *xmin = lo;
    if (xmax != nullptr) *xmax = hi;
    scope.pop();
}

double stats_r9lgmc(double x) {
    RoutineScope scope("stats_r9lgmc");
    const double result = r9lgmcWork(x);
    scope.pop();
    return result;
}

double stats_d_log_gamma(double x) {
    RoutineScope scope("stats_d_log_gamma");
    const double result = logGammaWork(x);
    scope.pop();
    return result;
}

void stats_algams(double x, double* logGamma, double* sign) {
    RoutineScope scope("stats_algams");
    const double value = stats_d_log_gamma(x);
    double s = 1.0;
    if (x <= 0.0) {
        // Negative below an even integer; no sign for -Inf.
        const double t = std::trunc(x);
        if (!std::isfinite(t)) s = stats_dmach(6);
        else if (std::fmod(-t, 2.0) == 0.0) s = -1.0;
    }
    if (logGamma != nullptr) *logGamma = value;
    if (sign != nullptr) *sign = s;
    scope.pop();
}

double stats_gamr(double x) {
    RoutineScope scope("stats_gamr");
    const double result = gamrWork(x);
    scope.pop();
    return result;
}

double stats_alnrel(double x) {
    RoutineScope scope("stats_alnrel");
    // Its own copy of the series, filled on the first call.
    static double series[43];
    static bool filled = false;
    if (!filled) {
        for (int i = 0; i < 43; ++i) series[i] = stats_cs_alnrcs[i];
        filled = true;
    }
    const double result = alnrelWork(x, series, 20400, STATS_TERMINAL, 20401);
    scope.pop();
    return result;
}

double l_alnrel(double x) {
    RoutineScope scope("l_alnrel");
    const double result = alnrelWork(x, stats_cs_alnrcs, 9039, STATS_WARNING, 9040);
    scope.pop();
    return result;
}
