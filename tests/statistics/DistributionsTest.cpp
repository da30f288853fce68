// Normal, t and chi-squared distribution functions against mpmath reference
// values, with tolerances that follow from the prescribed approximations.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Statistics/Distributions.h"
#include "Statistics/ErrorStack.h"
#include "Statistics/StatsError.h"
#include "StatsTestSupport.h"

namespace {

#include "reference_values.inc"

double relativeError(double value, double reference) {
    if (std::fabs(reference) < 1e-30) return std::fabs(value - reference);
    return std::fabs(value - reference) / std::fabs(reference);
}

void expectError(int type, std::int32_t code) {
    EXPECT_EQ(type, l_error_type_at(1));
    EXPECT_EQ(code, l_error_code_at(1));
}

}  // namespace

TEST(Distributions, NormalCdf) {
    // 0.5 erfc(-x/sqrt 2): the accuracy of the Chebyshev erfc.
    for (const auto& r : kNormalCdf) EXPECT_LE(relativeError(stats_d_normal_cdf(r[0]), r[1]), 1e-13) << r[0];
    EXPECT_EQ(0.5, stats_d_normal_cdf(0.0));
    // The underflow of erfc is cleared: no error stays posted.
    EXPECT_EQ(0.0, stats_d_normal_cdf(-40.0));
    EXPECT_EQ(0, l_error_type_at(0));
    EXPECT_EQ(0, l_error_type_at(1));
}

TEST(Distributions, NormalInverse) {
    // The rational approximation of the inverse error function is good to
    // about 1e-7 relative (measured worst 6.6e-8 for 1e-20 <= p < 1); for
    // p <= 1e-20 the w >= 4 branch loosens to about 1e-5 (5.5e-6 at 1e-300).
    for (const auto& r : kNormalInverse) {
        const double tolerance = r[0] < 1e-20 ? 1e-5 : 1.5e-7;
        if (r[0] == 0.5)
            EXPECT_EQ(0.0, stats_d_normal_inverse_cdf(r[0]));
        else
            EXPECT_LE(relativeError(stats_d_normal_inverse_cdf(r[0]), r[1]), tolerance) << r[0];
    }
    EXPECT_NEAR(1.959964, stats_d_normal_inverse_cdf(0.975), 1e-6);
    // Symmetric by construction.
    for (double p : {0.25, 0.125, 0.0625, 0.001953125})
        EXPECT_EQ(-stats_d_normal_inverse_cdf(p), stats_d_normal_inverse_cdf(1.0 - p)) << p;
}

TEST(Distributions, TCdf) {
    // Exact branches (incomplete beta, the finite series for integer df < 20):
    // a few units in the last place. Hill's normal approximation (df not an
    // integer, or df >= 20, with t^2 < df) is an asymptotic series in 1/df:
    // about 1e-4 absolute at df = 2.5, 1e-8 at df = 7.5, 1e-11 at df = 30.
    for (const auto& r : kTCdf) {
        const double t = r[0], df = r[1];
        const bool approximated = t * t < df && (df != std::floor(df) || df >= 20.0);
        const double tolerance = !approximated ? 1e-14 : df < 5.0 ? 1e-4 : df < 20.0 ? 1e-8 : 1e-11;
        EXPECT_NEAR(r[2], stats_d_t_cdf(t, df), tolerance) << t << " " << df;
    }
    EXPECT_EQ(0.5, stats_d_t_cdf(0.0, 5.0));
    const double inf = std::numeric_limits<double>::infinity();
    for (double df : {0.5, 1.0, 40.0}) {
        EXPECT_EQ(1.0, stats_d_t_cdf(inf, df));
        EXPECT_EQ(0.0, stats_d_t_cdf(-inf, df));
    }
    EXPECT_TRUE(std::isnan(stats_d_t_cdf(std::numeric_limits<double>::quiet_NaN(), 3.0)));
    EXPECT_EQ(0, l_error_type_at(1));
}

TEST(Distributions, TInverse) {
    // df = 2 and 1 < df < 2 are exact up to rounding; df = 1 uses pi/2 to
    // seven digits (about 2.2e-7 relative); Hill's inverse for df > 2 is good
    // to about 1e-6 relative (9.3e-7 at df = 3, p = 0.975).
    for (const auto& r : kTInverse) {
        const double p = r[0], df = r[1];
        const double tolerance = df == 1.0 ? 3e-7 : df > 2.0 ? 2e-6 : 1e-13;
        EXPECT_LE(relativeError(stats_d_t_inverse(p, df), r[2]), tolerance) << p << " " << df;
    }
    EXPECT_EQ(0.0, stats_d_t_inverse(0.5, 7.0));
    EXPECT_NEAR(std::cos(1.570796 * 0.05) / std::sin(1.570796 * 0.05), stats_d_t_inverse(0.975, 1.0), 1e-12);
    EXPECT_NEAR(4.302653, stats_d_t_inverse(0.975, 2.0), 1e-6);
    EXPECT_EQ(-stats_d_t_inverse(0.975, 6.0), stats_d_t_inverse(0.025, 6.0));
}

TEST(Distributions, BetaInverse) {
    // Newton's iteration on ln I_x stops at the accuracy of I_x itself.
    for (const auto& r : kBetaInverse)
        EXPECT_LE(relativeError(stats_dbetin(r[0], r[1], r[2]), r[3]), 1e-13) << r[0] << " " << r[1] << " " << r[2];
    EXPECT_EQ(0, l_error_type_at(1));
}

TEST(Distributions, ChiSquaredCdf) {
    // Power and asymptotic series: the accuracy of the gamma function. The
    // Wilson-Hilferty transform for df > 65 is good to about 1e-4 absolute
    // (1.3e-4 at df = 70, chi2 = 80).
    for (const auto& r : kChiSquaredCdf) {
        const double tolerance = r[1] > 65.0 ? 2e-4 : 1e-14;
        EXPECT_NEAR(r[2], stats_d_chi_squared_cdf(r[0], r[1]), tolerance) << r[0] << " " << r[1];
    }
    EXPECT_EQ(1.0, stats_d_chi_squared_cdf(300.0, 10.0));
    EXPECT_EQ(0.0, stats_d_chi_squared_cdf(1.5, 30.0));
    EXPECT_EQ(0.0, stats_d_chi_squared_cdf(1.9, 70.0));
    EXPECT_EQ(0.0, stats_d_chi_squared_cdf(1e-13, 3.0));
    // A negative value is only a note: no message, no stop.
    CapturedErrorStream stream;
    EXPECT_EQ(0.0, stats_d_chi_squared_cdf(-1.0, 3.0));
    expectError(STATS_NOTE, 9055);
    EXPECT_EQ(0.0, stats_d_chi_squared_cdf(2.5, 200.0));
    expectError(STATS_ALERT, 9019);
    EXPECT_EQ("", stream.text());
}

TEST(Distributions, ArgumentErrors) {
    struct Case {
        const char* label;
        double (*call)();
        int type;
        std::int32_t code;
        const char* routine;
        bool nanResult;
    };
    const Case cases[] = {
        {"ninv(0)", [] { return stats_d_normal_inverse_cdf(0.0); }, STATS_TERMINAL, 9041,
         "stats_d_normal_inverse_cdf", true},
        {"ninv(1)", [] { return stats_d_normal_inverse_cdf(1.0); }, STATS_TERMINAL, 9041,
         "stats_d_normal_inverse_cdf", true},
        {"tcdf(df=0.5)", [] { return stats_d_t_cdf(1.0, 0.5); }, STATS_TERMINAL, 9042, "stats_d_t_cdf", true},
        {"tinv(df=0.5)", [] { return stats_d_t_inverse(0.9, 0.5); }, STATS_TERMINAL, 9042, "stats_d_t_inverse", true},
        {"tinv(p=1)", [] { return stats_d_t_inverse(1.0, 5.0); }, STATS_TERMINAL, 9043, "stats_d_t_inverse", true},
        {"dbetin(a=0)", [] { return stats_dbetin(0.5, 0.0, 1.0); }, STATS_TERMINAL, 9044, "stats_dbetin", true},
        {"dbetin(b=0)", [] { return stats_dbetin(0.5, 1.0, -1.0); }, STATS_TERMINAL, 9045, "stats_dbetin", true},
        {"dbetin(p=0)", [] { return stats_dbetin(0.0, 1.0, 1.0); }, STATS_TERMINAL, 9046, "stats_dbetin", true},
        {"chi2(df=0.4)", [] { return stats_d_chi_squared_cdf(3.0, 0.4); }, STATS_TERMINAL, 9051,
         "stats_d_chi_squared_cdf", true},
    };
    for (const Case& c : cases) {
        CapturedErrorStream stream;
        try {
            c.call();
            ADD_FAILURE() << c.label << " did not stop";
        } catch (const StatsError& e) {
            EXPECT_EQ(c.type, e.type()) << c.label;
            EXPECT_EQ(c.code, e.code()) << c.label;
            EXPECT_EQ(c.routine, e.routine()) << c.label;
        }
        expectError(c.type, c.code);
        EXPECT_EQ(0, l_error_depth()) << c.label;
        // A TERMINAL error is written once, when it is posted.
        const std::string expected =
            std::string("\n*** TERMINAL Error from ") + c.routine + ".  Error code " + std::to_string(c.code) + ".\n\n";
        EXPECT_EQ(expected, stream.text()) << c.label;

        auto keepGoing = stopFlag(c.type, 0);
        EXPECT_EQ(c.nanResult, std::isnan(c.call())) << c.label;
        expectError(c.type, c.code);
    }
}
