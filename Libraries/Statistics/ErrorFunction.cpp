// Error function and its complement after Fullerton.
#include <cmath>

#include "Statistics/ChebyshevTables.h"
#include "Statistics/ErrorStack.h"
#include "Statistics/MachineConstants.h"
#include "Statistics/RoutineScope.h"
#include "Statistics/SpecialFunctions.h"

namespace {

const double kSqrtPi = 1.77245385090551602729816748334115;

struct ErfConstants {
    std::int32_t nterf;
    std::int32_t nterfc;
    std::int32_t nterc2;
    double xsml;
    double xmax;
    double sqeps;
    double xbig;
};

const ErfConstants& erfConstants() {
    static bool ready = false;
    static ErfConstants c;
    if (!ready) {
        const double eta = 0.1 * stats_dmach(3);
        c.nterf = stats_initds(stats_cs_erfcs, 21, eta);
        c.nterfc = stats_initds(stats_cs_erfccs, 59, eta);
        c.nterc2 = stats_initds(stats_cs_erc2cs, 49, eta);
        c.xsml = -std::sqrt(-std::log(kSqrtPi * stats_dmach(3)));
        const double txmax = std::sqrt(-std::log(kSqrtPi * stats_dmach(1)));
        c.xmax = txmax - 0.5 * std::log(txmax) / txmax - 0.01;
        c.sqeps = std::sqrt(2.0 * stats_dmach(3));
        c.xbig = std::sqrt(-std::log(kSqrtPi * stats_dmach(3)));
        ready = true;
    }
    return c;
}

double erfcWork(double x) {
    const ErfConstants& c = erfConstants();
    if (std::isnan(x)) return x;
    if (x <= c.xsml) return 2.0;
    if (x > c.xmax) {
        l_set_real_arg(1, x);
        l_set_real_arg(2, c.xmax);
        l_error_post(STATS_ALERT, 9015);
        return 0.0;
    }
    double y = std::fabs(x);
    if (y <= 1.0) {
        if (y < c.sqeps) return 1.0 - 2.0 * x / kSqrtPi;
        return 1.0 - x * (1.0 + stats_csevl(2.0 * x * x - 1.0, stats_cs_erfcs, c.nterf));
    }
    y = y * y;
    double result;
    if (y <= 4.0)
        result = std::exp(-y) / std::fabs(x) *
                 (0.5 + stats_csevl((8.0 / y - 5.0) / 3.0, stats_cs_erc2cs, c.nterc2));
    else
        result = std::exp(-y) / std::fabs(x) * (0.5 + stats_csevl(8.0 / y - 1.0, stats_cs_erfccs, c.nterfc));
    if (x < 0.0) result = 2.0 - result;
    return result;
}

double erfWork(double x) {
    const ErfConstants& c = erfConstants();
    if (std::isnan(x)) return x;
    const double y = std::fabs(x);
    if (y <= 1.0) {
        if (y <= c.sqeps) return 2.0 * x / kSqrtPi;
        return x * (1.0 + stats_csevl(2.0 * x * x - 1.0, stats_cs_erfcs, c.nterf));
    }
    if (y <= c.xbig) return std::copysign(1.0 - stats_d_erfc(y), x);
    return std::copysign(1.0, x);
}

}  // namespace

double stats_d_erfc(double x) {
    RoutineScope scope("stats_d_erfc");
    const double result = erfcWork(x);
    scope.pop();
    return result;
}

double stats_d_erf(double x) {
    RoutineScope scope("stats_d_erf");
    const double result = erfWork(x);
    scope.pop();
    return result;
}
