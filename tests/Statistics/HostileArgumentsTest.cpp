// Every public routine of the numerical library apart from the random
// generators, called with NaN, both infinities, zeros, subnormals, the
// largest doubles and the integer limits in each argument: every call
// returns, and a result that is not a number comes with an error posted
// unless an argument was not a number. Run natively under the address and
// undefined-behaviour sanitizers, which stop the test at any memory fault,
// overflowing conversion or overflowing integer arithmetic.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "Statistics/ChebyshevTables.h"
#include "Statistics/Distributions.h"
#include "Statistics/ErrorStack.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/MachineConstants.h"
#include "Statistics/MultivariateNormal.h"
#include "Statistics/SimpleStatistics.h"
#include "Statistics/SpecialFunctions.h"
#include "StatsTestSupport.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
const std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();
const std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();

const std::vector<double> kHostile = {kNaN, kInf,    -kInf, 0.0,  -0.0, 5e-324, -5e-324, 2.2250738585072014e-308,
                                      DBL_MAX, -DBL_MAX, 1e300, 1e-300, 0.5, 1.0, -1.0, 2.0, 0.999999, 30.5};
const std::vector<std::int32_t> kHostileInts = {kIntMin, -1, 0, 1, 2, kIntMax};

// Stops off for the whole test: errors are looked at, not thrown.
struct Quiet {
    FlagSetting fatal = stopFlag(STATS_FATAL, 0);
    FlagSetting terminal = stopFlag(STATS_TERMINAL, 0);
    FlagSetting fatalImmediate = stopFlag(STATS_FATAL_IMMEDIATE, 0);
    CapturedErrorStream stream;
};

std::string args(std::initializer_list<double> values) {
    std::string s;
    for (double v : values) s += (s.empty() ? "" : ", ") + std::to_string(v);
    return s;
}

// NaN only with an error, or from a NaN argument.
void expectNumberOrError(const char* name, double result, std::initializer_list<double> arguments) {
    bool anyNaN = false;
    for (double v : arguments) anyNaN = anyNaN || std::isnan(v);
    if (std::isnan(result) && !anyNaN) {
        EXPECT_NE(STATS_NO_ERROR, l_error_type_at(1)) << name << "(" << args(arguments) << ") gave NaN silently";
    }
}

}  // namespace

TEST(HostileArguments, FunctionsOfOneDouble) {
    Quiet quiet;
    struct Routine {
        const char* name;
        std::function<double(double)> call;
    };
    const Routine routines[] = {
        {"stats_d_normal_cdf", stats_d_normal_cdf},
        {"stats_d_normal_inverse_cdf", stats_d_normal_inverse_cdf},
        {"stats_d_gamma", stats_d_gamma},
        {"stats_r9lgmc", stats_r9lgmc},
        {"stats_d_log_gamma", stats_d_log_gamma},
        {"stats_gamr", stats_gamr},
        {"stats_alnrel", stats_alnrel},
        {"stats_d_erf", stats_d_erf},
        {"stats_d_erfc", stats_d_erfc},
        {"stats_algams", [](double x) {
             double lg = 0.0, sign = 0.0;
             stats_algams(x, &lg, &sign);
             return lg;
         }},
        {"stats_csevl", [](double x) { return stats_csevl(x, stats_cs_gamcs, 10); }},
    };
    for (const Routine& r : routines)
        for (double x : kHostile) expectNumberOrError(r.name, r.call(x), {x});
    EXPECT_EQ(0, l_error_depth());
}

TEST(HostileArguments, FunctionsOfTwoAndThreeDoubles) {
    Quiet quiet;
    struct Routine {
        const char* name;
        std::function<double(double, double)> call;
    };
    const Routine pairs[] = {
        {"stats_d_t_cdf", stats_d_t_cdf},
        {"stats_d_t_inverse", stats_d_t_inverse},
        {"stats_d_chi_squared_cdf", stats_d_chi_squared_cdf},
        {"stats_d_chi_squared_inverse_cdf", stats_d_chi_squared_inverse_cdf},
        {"stats_d_gamma_incomplete", stats_d_gamma_incomplete},
        {"stats_d_beta", stats_d_beta},
        {"stats_d_log_beta", stats_d_log_beta},
    };
    for (const Routine& r : pairs)
        for (double a : kHostile)
            for (double b : kHostile) expectNumberOrError(r.name, r.call(a, b), {a, b});
    for (double a : kHostile)
        for (double b : kHostile)
            for (double c : kHostile) {
                const double inverse = stats_dbetin(a, b, c);
                expectNumberOrError("stats_dbetin", inverse, {a, b, c});
                if (!std::isnan(inverse)) {
                    EXPECT_TRUE(inverse >= 0.0 && inverse <= 1.0) << args({a, b, c});
                }
                const double ratio = stats_d_beta_incomplete(a, b, c);
                expectNumberOrError("stats_d_beta_incomplete", ratio, {a, b, c});
                if (!std::isnan(ratio)) {
                    EXPECT_TRUE(ratio >= 0.0 && ratio <= 1.0) << args({a, b, c});
                }
            }
    EXPECT_EQ(0, l_error_depth());
}

TEST(HostileArguments, IntegerArgumentsAndUtilities) {
    Quiet quiet;
    for (std::int32_t i : kHostileInts) {
        stats_dmach(i);
        stats_d_machine(i);
        stats_i_machine(i);
        EXPECT_GE(stats_d_factorial(i), 0) << i;
        // Term counts beyond the table's length cannot be told from it; the
        // ones below 1 are refused.
        stats_csevl(0.5, stats_cs_gamcs, i < 1 ? i : 10);
        stats_initds(stats_cs_gamcs, i < 1 ? i : 10, 1e-8);
        int print = 0, stop = 0;
        stats_e1pos(i, &print, &stop);
        stats_error_options(STATS_OPT_GET_PRINT, i, &print, 0);
        stats_error_options(STATS_OPT_GET_STOP, i, &stop, 0);
        EXPECT_EQ(kIntMax, stats_i_vmax(3, i, kIntMax, kIntMin));
        EXPECT_EQ(kIntMin, stats_i_vmin(3, i, kIntMax, kIntMin));
    }
    for (std::int32_t n : {kIntMin, -1, 0}) {
        stats_d_vmax(n);
        stats_d_vmin(n);
        stats_i_vmax(n);
        stats_i_vmin(n);
    }
    for (double v : kHostile) {
        stats_d_vmax(3, v, 1.0, -DBL_MAX);
        stats_d_vmin(3, v, -1.0, DBL_MAX);
    }
    stats_free(nullptr);
    EXPECT_EQ(0, l_error_depth());
}

TEST(HostileArguments, SortAndCholeskyFactor) {
    Quiet quiet;
    for (std::int32_t n : {kIntMin, -1, 0}) stats_svrgp(n, nullptr, nullptr, nullptr);
    std::vector<double> values = kHostile, sorted(kHostile.size());
    std::vector<std::int32_t> perm(kHostile.size());
    for (std::size_t i = 0; i < perm.size(); ++i) perm[i] = static_cast<std::int32_t>(i);
    stats_svrgp(static_cast<std::int32_t>(values.size()), values.data(), sorted.data(), perm.data());
    for (std::size_t i = 1; i < sorted.size(); ++i)
        if (!std::isnan(sorted[i])) {
            EXPECT_LE(sorted[i - 1], sorted[i]) << i;
        }
    for (std::int32_t n : {kIntMin, -1, 0}) {
        std::int32_t rank = -1;
        double r[4];
        stats_chfac(n, r, 2, 0.0, &rank, r, 2);
    }
    for (double v : kHostile)
        for (double tol : kHostile) {
            const double a[4] = {v, 0.5, 0.5, 2.0};
            double r[4];
            std::int32_t rank = -1;
            stats_chfac(2, a, 2, tol, &rank, r, 2);
            // A tolerance outside [0, 1] is refused; otherwise a rank.
            if (l_error_type_at(1) < STATS_FATAL) {
                EXPECT_TRUE(rank >= 0 && rank <= 2) << v << " " << tol;
            }
        }
    EXPECT_EQ(0, l_error_depth());
}

TEST(HostileArguments, SimpleStatistics) {
    Quiet quiet;
    for (std::int32_t n : kHostileInts)
        if (n <= 0) {
            EXPECT_EQ(nullptr, stats_d_simple_statistics(n, 2, nullptr, 0));
            EXPECT_EQ(nullptr, stats_d_simple_statistics(2, n, nullptr, 0));
            const double x[4] = {1.0, 2.0, 3.0, 4.0};
            EXPECT_EQ(nullptr, stats_d_simple_statistics(2, 2, x, STATS_OPT_STAT_COL_DIM, n == 0 ? 1 : n, 0));
            EXPECT_EQ(nullptr, stats_d_simple_statistics(2, 2, x, STATS_OPT_X_COL_DIM, n == 0 ? 1 : n, 0));
        }
    for (double v : kHostile) {
        // The value in the data, as a frequency, as a weight and as each
        // confidence level.
        const double x[6] = {v, 1.0, 2.5, v, -3.0, 4.0};
        const double other[3] = {v, 1.0, 2.0};
        double out[17 * 2];
        for (int option : std::initializer_list<int>{0, STATS_OPT_FREQUENCIES, STATS_OPT_WEIGHTS, STATS_OPT_CONF_MEAN,
                                                     STATS_OPT_CONF_VARIANCE})
            for (int mode : std::initializer_list<int>{STATS_OPT_MISSING_LISTWISE, STATS_OPT_MISSING_ELEMENTWISE}) {
                const double* result =
                    option == 0 ? stats_d_simple_statistics(3, 2, x, STATS_OPT_MEDIAN_AND_SCALE, mode, STATS_OPT_RETURN_USER,
                                                            out, 0)
                    : option == STATS_OPT_CONF_MEAN || option == STATS_OPT_CONF_VARIANCE
                        ? stats_d_simple_statistics(3, 2, x, option, v, mode, STATS_OPT_RETURN_USER, out, 0)
                        : stats_d_simple_statistics(3, 2, x, option, other, STATS_OPT_MEDIAN, mode, STATS_OPT_RETURN_USER,
                                                    out, 0);
                if (result != nullptr) {
                    // The count is never missing, and the range is never
                    // negative.
                    EXPECT_FALSE(std::isnan(out[9 * 2])) << v << " " << option;
                    if (!std::isnan(out[7 * 2])) {
                        EXPECT_GE(out[7 * 2], 0.0) << v << " " << option;
                    }
                }
            }
    }
    // The worker's integer arguments at their limits are refused.
    const double x[4] = {1.0, 2.0, 3.0, 4.0};
    double stat[14 * 2] = {};
    std::int32_t nrmiss = 0;
    for (std::int32_t i : {kIntMin, -1, kIntMax}) {
        l_u2sta(i, 2, 2, x, 2, 0, 0, 0, 95.0, 95.0, 0, stat, 2, &nrmiss, nullptr);
        l_u2sta(0, 2, i, x, 2, 0, 0, 0, 95.0, 95.0, 0, stat, 2, &nrmiss, nullptr);
        l_u2sta(0, 2, 2, x, 2, i, 0, 0, 95.0, 95.0, 0, stat, 2, &nrmiss, nullptr);
        l_u2sta(0, 2, 2, x, 2, 0, i, 0, 95.0, 95.0, 0, stat, 2, &nrmiss, nullptr);
        l_u2sta(0, 2, 2, x, 2, 0, 0, i, 95.0, 95.0, 0, stat, 2, &nrmiss, nullptr);
        l_u2sta(0, 2, 2, x, 2, 0, 0, 0, 95.0, 95.0, i, stat, 2, &nrmiss, nullptr);
        l_u2sta(2, i == kIntMax ? -3 : i, 2, x, 2, 0, 0, 0, 95.0, 95.0, 0, stat, 2, &nrmiss, nullptr);
        if (i != kIntMax) l_u2sta(0, 2, 2, x, 2, 0, 0, 0, 95.0, 95.0, 0, stat, i, &nrmiss, nullptr);
        EXPECT_EQ(STATS_TERMINAL, l_error_type_at(1)) << i;
    }
    EXPECT_EQ(0, l_error_depth());
}
