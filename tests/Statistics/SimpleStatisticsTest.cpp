// Summary statistics with frequencies, both missing-value modes, the median
// and robust scale, and the confidence limits, against exact rationals and
// 40-digit quantiles (make_simple_statistics_reference.py).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "Statistics/ErrorStack.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/Distributions.h"
#include "Statistics/SimpleStatistics.h"
#include "StatsTestSupport.h"

namespace {
#include "simple_statistics_reference.inc"
}

TEST(SimpleStatistics, MatchesTheReference) {
    CapturedErrorStream quiet;  // the missing-value warning is printed
    for (int mode = 0; mode < 2; ++mode) {
        double out[17 * 2];
        const double* r = stats_d_simple_statistics(8, 2, &kSimpleData[0][0], STATS_OPT_FREQUENCIES, kSimpleFrequencies,
                                                    STATS_OPT_MEDIAN_AND_SCALE,
                                                    mode == 0 ? STATS_OPT_MISSING_LISTWISE : STATS_OPT_MISSING_ELEMENTWISE,
                                                    STATS_OPT_RETURN_USER, out, 0);
        ASSERT_EQ(out, r);
        EXPECT_EQ(mode == 0 ? 11062 : 11288, l_error_code_at(1));
        for (const SimpleReference& ref : kSimpleReference) {
            if ((std::string(ref.mode).rfind("listwise", 0) == 0) != (mode == 0)) continue;
            for (int row = 0; row < 17; ++row) {
                // The limits go through the library's quantiles (Hill's t
                // approximation, the chi-squared search), as does the robust
                // scale (the normal quartile): 1e-7 relative.
                const double tolerance = (row >= 10 && row <= 13) || row == 16 ? 1e-7 : 1e-13;
                EXPECT_NEAR(ref.rows[row], out[row * 2 + ref.variable], tolerance * std::fabs(ref.rows[row]))
                    << ref.mode << " variable " << ref.variable << " row " << row + 1;
            }
        }
    }
}

TEST(SimpleStatistics, ShapesAndErrors) {
    // Without options: 14 rows in a new array, one column per variable.
    const double x[4] = {1.0, 2.0, 3.0, 4.0};
    double* r = stats_d_simple_statistics(4, 1, x, 0);
    ASSERT_NE(nullptr, r);
    EXPECT_EQ(2.5, r[0]);
    EXPECT_DOUBLE_EQ(5.0 / 3.0, r[1]);
    EXPECT_EQ(4.0, r[9]);
    stats_free(r);
    // Constant data: zero spread, no skewness or kurtosis.
    const double c[3] = {2.0, 2.0, 2.0};
    double out[14];
    CapturedErrorStream quiet;
    stats_d_simple_statistics(3, 1, c, STATS_OPT_RETURN_USER, out, 0);
    EXPECT_EQ(0.0, out[1]);
    EXPECT_TRUE(std::isnan(out[3]));

    auto keepGoing = stopFlag(STATS_TERMINAL, 0);
    EXPECT_EQ(nullptr, stats_d_simple_statistics(4, 1, x, STATS_OPT_MEDIAN, STATS_OPT_MEDIAN_AND_SCALE, 0));
    EXPECT_EQ(11117, l_error_code_at(1));
    EXPECT_EQ(nullptr, stats_d_simple_statistics(4, 0, x, 0));
    EXPECT_EQ(603, l_error_code_at(1));
    EXPECT_EQ(nullptr, stats_d_simple_statistics(4, 1, x, 20410, 0));
    EXPECT_EQ(11001, l_error_code_at(1));
    EXPECT_TRUE(std::isnan(stats_d_chi_squared_inverse_cdf(0.0, 3.0)));
    EXPECT_EQ(9043, l_error_code_at(1));
    EXPECT_TRUE(std::isnan(stats_d_chi_squared_inverse_cdf(std::nan(""), 3.0)));
    EXPECT_TRUE(std::isnan(stats_d_chi_squared_inverse_cdf(0.5, 0.2)));
    EXPECT_EQ(9051, l_error_code_at(1));
}

// The chi-squared quantile inverts the distribution function.
TEST(SimpleStatistics, ChiSquaredQuantile) {
    for (double df : {0.5, 1.0, 2.0, 7.5, 30.0, 300.0})
        for (double p : {0.01, 0.3, 0.5, 0.9, 0.999}) {
            const double x = stats_d_chi_squared_inverse_cdf(p, df);
            EXPECT_NEAR(p, stats_d_chi_squared_cdf(x, df), 1e-9 + 1e-7 * p) << df << " " << p;
        }
}
