// Chebyshev series evaluation and term counts.
#include <cmath>

#include "Statistics/ErrorStack.h"
#include "Statistics/MachineConstants.h"
#include "Statistics/RoutineScope.h"
#include "Statistics/SpecialFunctions.h"

namespace {

double csevlWork(double x, const double* cs, std::int32_t n) {
    if (n < 1) {
        l_set_int_arg(1, n);
        l_error_post(STATS_TERMINAL, 9001);
        return stats_dmach(6);
    }
    if (n > 1000) {
        l_set_int_arg(1, n);
        l_error_post(STATS_TERMINAL, 9002);
        return stats_dmach(6);
    }
    if (std::fabs(x) > 1.1) {
        l_set_real_arg(1, x);
        l_error_post(STATS_WARNING, 9003);
    }
    double b0 = 0.0, b1 = 0.0, b2 = 0.0;
    const double twox = 2.0 * x;
    for (std::int32_t i = n - 1; i >= 0; --i) {
        b2 = b1;
        b1 = b0;
        b0 = twox * b1 - b2 + cs[i];
    }
    return (b0 - b2) * 0.5;
}

std::int32_t initdsWork(const double* cs, std::int32_t n, double eta) {
    if (n < 1) {
        l_set_int_arg(1, n);
        l_error_post(STATS_TERMINAL, 9004);
        return 0;
    }
    double err = 0.0;
    for (std::int32_t i = n; i >= 1; --i) {
        err += std::fabs(cs[i - 1]);
        if (err > eta) {
            if (i == n) {
                l_error_post(STATS_TERMINAL, 9005);
                return 0;
            }
            return i;
        }
    }
    return 1;
}

}  // namespace

double stats_csevl(double x, const double* cs, std::int32_t n) {
    RoutineScope scope("stats_csevl");
    const double result = csevlWork(x, cs, n);
    scope.pop();
    return result;
}

std::int32_t stats_initds(const double* cs, std::int32_t n, double eta) {
    RoutineScope scope("stats_initds");
    const std::int32_t result = initdsWork(cs, n, eta);
    scope.pop();
    return result;
}
