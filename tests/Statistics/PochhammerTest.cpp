// Pochhammer's symbol over each of its cases, the reflection for negative a
// included, and the checked cosine and sine, against mpmath
// (make_pochhammer_reference.py), with the errors they post.
#include <gtest/gtest.h>

#include <cmath>

#include "Statistics/ErrorStack.h"
#include "Statistics/MachineConstants.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/SpecialFunctions.h"
#include "StatsTestSupport.h"

namespace {
#include "pochhammer_reference.inc"
}

TEST(Pochhammer, MatchesTheReference) {
    CapturedErrorStream quiet;  // the last row posts its accuracy warning
    for (const auto& r : kPochhammer) {
        const double value = l_poch(r[0], r[1]);
        // Through exponentials of sums near |a| ln |a| (ln |a| of 1e10 is
        // 23) and of differences of log-gammas, a few hundred units of the
        // last place at most; the reflection at 1e-10 from a pole keeps
        // about six digits.
        const bool nearPole = r[0] == kReflectionWarning[0] && r[1] == kReflectionWarning[1];
        EXPECT_NEAR(r[2], value, (nearPole ? 1e-5 : 1e-12) * std::fabs(r[2])) << r[0] << " " << r[1];
    }
    EXPECT_EQ(0, l_error_depth());
}

TEST(Pochhammer, ErrorsAndLimits) {
    auto keepGoing = stopFlag(STATS_TERMINAL, 0);
    CapturedErrorStream quiet;
    struct Case {
        double a, x;
        int type;
        std::int32_t code;
        double value;  // NaN: not a number expected
    };
    const double nan = std::nan("");
    const Case cases[] = {
        {-0.5, -1.5, STATS_TERMINAL, 20561, nan},  // a + x a pole, a not
        {-3.0, -2.0, STATS_NO_ERROR, 0, 0.05},     // both poles: (-1)^2 3! / 5!
        {-4.0, 0.5, STATS_NO_ERROR, 0, 0.0},       // a a pole, a + x not
        {kReflectionWarning[0], kReflectionWarning[1], STATS_WARNING, 20564, kPochhammer[sizeof kPochhammer / sizeof kPochhammer[0] - 1][2]},
        {1e300, 0.5, STATS_NO_ERROR, 0, 1e150},
        {HUGE_VAL, 0.5, STATS_NO_ERROR, 0, HUGE_VAL},
        {HUGE_VAL, -0.5, STATS_NO_ERROR, 0, 0.0},
        {-HUGE_VAL, 0.5, STATS_NO_ERROR, 0, nan},
        {nan, 0.5, STATS_NO_ERROR, 0, nan},
    };
    for (const Case& c : cases) {
        const double v = l_poch(c.a, c.x);
        if (std::isnan(c.value)) {
            EXPECT_TRUE(std::isnan(v)) << c.a << " " << c.x;
        }
        else if (std::isinf(c.value)) {
            EXPECT_EQ(c.value, v) << c.a << " " << c.x;
        }
        else {
            EXPECT_NEAR(c.value, v, 1e-5 * std::fabs(c.value)) << c.a << " " << c.x;
        }
        EXPECT_EQ(c.type, l_error_type_at(1)) << c.a << " " << c.x;
        if (c.type != STATS_NO_ERROR) {
            EXPECT_EQ(c.code, l_error_code_at(1)) << c.a << " " << c.x;
        }
    }
}

TEST(Pochhammer, CheckedCosineAndSine) {
    auto keepGoing = stopFlag(STATS_TERMINAL, 0);
    CapturedErrorStream quiet;
    const double big = 1.0 / stats_dmach(4);
    for (const auto& r : kTrig) {
        // Below sqrt(1/eps) no error and full accuracy; from there to 1/eps
        // a warning (the platform's reduction of such arguments is not
        // relied on); beyond, NaN and the terminal error.
        const bool warned = std::fabs(r[0]) + 1.5707963267948966 > std::sqrt(big);
        const bool lost = std::fabs(r[0]) + 1.5707963267948966 > big;
        const double c = l_a1cos(r[0]);
        EXPECT_EQ(lost ? STATS_TERMINAL : warned ? STATS_WARNING : STATS_NO_ERROR, l_error_type_at(1)) << r[0];
        if (warned) {
            EXPECT_EQ(lost ? 20566 : 20565, l_error_code_at(1)) << r[0];
        }
        const double s = l_a1sin(r[0]);
        EXPECT_EQ(lost ? STATS_TERMINAL : warned ? STATS_WARNING : STATS_NO_ERROR, l_error_type_at(1)) << r[0];
        if (warned) {
            EXPECT_EQ(lost ? 20568 : 20567, l_error_code_at(1)) << r[0];
        }
        if (lost) {
            EXPECT_TRUE(std::isnan(c) && std::isnan(s)) << r[0];
        } else if (!warned) {
            EXPECT_NEAR(r[1], c, 1e-15) << r[0];
            EXPECT_NEAR(r[2], s, 1e-15) << r[0];
        }
    }
    for (double x : {1e16, -1e300, HUGE_VAL, std::nan("")}) {
        EXPECT_TRUE(std::isnan(l_a1cos(x))) << x;
        EXPECT_EQ(20566, l_error_code_at(1)) << x;
        EXPECT_TRUE(std::isnan(l_a1sin(x))) << x;
        EXPECT_EQ(20568, l_error_code_at(1)) << x;
    }
}
