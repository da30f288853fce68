// The incomplete beta ratio, its inverse and the t distribution function
// with shapes up to the largest double: every call returns, with the limit
// the distribution takes (mass at a / (a + b), or the gamma limit for one
// huge shape) or a value good to about 1 / min(a, b) where both shapes are
// large (make_beta_large_reference.py).
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "Statistics/Distributions.h"
#include "Statistics/ErrorStack.h"
#include "Statistics/SpecialFunctions.h"
#include "StatsTestSupport.h"

namespace {
#include "beta_large_reference.inc"
}

TEST(BetaLargeShapes, RatioReturnsItsLimitOrTheReference) {
    // The exact limits: all mass far on one side of x, or exactly at x for
    // equal shapes; for x = 1e-300 and b = 1e300 the gamma limit
    // P(2, 1) = 1 - 2/e.
    struct Case {
        double x, a, b, value, tolerance;
    };
    const Case limits[] = {
        {0.5, 2.0, 1e300, 1.0, 0.0},
        {0.5, 1e300, 2.0, 0.0, 0.0},
        {0.5, 1e300, 1e300, 0.5, 0.0},
        {0.5, DBL_MAX, DBL_MAX, 0.5, 0.0},
        {0.25, DBL_MAX, DBL_MAX, 0.0, 0.0},
        {0.5, 1e6, 1e300, 1.0, 0.0},
        {0.5, 5e199, 0.5, 0.0, 0.0},
        {1e-300, 2.0, 1e300, 0.26424111765711535, 1e-15},
    };
    for (const Case& c : limits) {
        EXPECT_NEAR(c.value, stats_d_beta_incomplete(c.x, c.a, c.b), c.tolerance) << c.x << " " << c.a << " " << c.b;
        EXPECT_EQ(STATS_NO_ERROR, l_error_type_at(1)) << c.x << " " << c.a << " " << c.b;
    }
    for (const auto& r : kBetaRatioLarge)
        EXPECT_NEAR(r[3], stats_d_beta_incomplete(r[0], r[1], r[2]), 10.0 / std::fmin(r[1], r[2]))
            << r[0] << " " << r[1] << " " << r[2];
    // t's distribution function reaches the ratio with df / 2 as a shape.
    EXPECT_EQ(1.0, stats_d_t_cdf(1e100, 1e200));
    EXPECT_EQ(0.0, stats_d_t_cdf(-1e100, 1e200));
}

TEST(BetaLargeShapes, InverseReturnsTheQuantile) {
    CapturedErrorStream quiet;
    for (const auto& r : kBetaInverseLarge) {
        const double x = stats_dbetin(r[0], r[1], r[2]);
        // Both shapes large: the quantile's offset from the mean to 1e-7 of
        // a standard deviation (the normal form's neglected terms); one
        // huge shape: relative.
        const double sd = std::sqrt(r[3] * (1.0 - r[3]) / (r[1] + r[2]));
        const double tolerance = r[2] == 1e300 ? 1e-12 * r[3] : 1e-7 * sd;
        EXPECT_NEAR(r[3], x, tolerance) << r[0] << " " << r[1] << " " << r[2];
    }
    EXPECT_EQ(0.5, stats_dbetin(0.3, 1e300, 1e300));
    EXPECT_EQ(0.5, stats_dbetin(0.999, DBL_MAX, DBL_MAX));
    EXPECT_EQ(0.0, stats_dbetin(1e-300, 1e-300, 1e300));  // below the smallest double
    EXPECT_EQ(1.0, stats_dbetin(0.3, 1e300, 2.0));
}
