// Normal, t and chi-squared distribution functions against mpmath reference
// values, with tolerances that follow from the prescribed approximations.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "Statistics/Distributions.h"
#include "Statistics/ErrorStack.h"
#include "Statistics/SpecialFunctions.h"
#include "Statistics/StatsError.h"
#include "StatsTestSupport.h"

namespace {

#include "reference_values.inc"

double relativeError(double value, double reference) {
    if (std::fabs(reference) < 1e-30) return std::fabs(value - reference);
    return std::fabs(value - reference) / std::fabs(reference);
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

// Hill's approximations are reproduced as stated, to the last bit: the
// normal approximation of the t distribution function (df not an integer
// or df >= 20, with t^2 < df) and the inverse for df > 2 in both of its
// branches, written out here step by step.
TEST(Distributions, HillApproximationsAsStated) {
    const double h = 1.570796;
    auto tailByNormalApproximation = [](double t, double df) {
        double y = t * t / df;
        const double b = 1.0 + y;
        if (b - 1.0 != 0.0) y = y * std::log(b) / (b - 1.0);
        const double a = df - 0.5;
        const double bigB = 48.0 * (a * a);
        y = a * y;
        double z = ((((-0.4 * y - 3.3) * y - 24.0) * y - 85.5) / (0.8 * (y * y) + 100.0 + bigB) + y + 3.0) / bigB + 1.0;
        z = z * std::sqrt(y);
        return z >= 18.8125 ? 0.0 : stats_d_erfc(z * std::sqrt(0.5));
    };
    const double cdfCases[][2] = {{0.3, 2.5}, {-1.1, 3.7}, {1.7, 7.5}, {2.9, 12.25}, {-0.01, 40.0}, {3.5, 20.0},
                                  {4.2, 150.0}, {6.0, 60.5}};
    for (const auto& c : cdfCases) {
        const double p = tailByNormalApproximation(c[0], c[1]);
        EXPECT_EQ(c[0] <= 0.0 ? 0.5 * p : 1.0 - 0.5 * p, stats_d_t_cdf(c[0], c[1])) << c[0] << " " << c[1];
    }

    auto hillInverse = [h](double p, double df) {
        const double P = 2.0 * std::min(p, 1.0 - p);
        const double a = 1.0 / (df - 0.5);
        const double bigB = 48.0 / (a * a);
        double c = ((20700.0 * a / bigB - 98.0) * a - 16.0) * a + 96.36;
        const double d = ((94.5 / (bigB + c) - 3.0) / bigB + 1.0) * std::sqrt(a * h) * df;
        double y = std::pow(d * P, 2.0 / df);
        if (y > a + 0.05) {
            const double x = stats_d_normal_inverse_cdf(P / 2.0);
            y = x * x;
            if (df < 5.0) c = c + 0.3 * (df - 4.5) * (x + 0.6);
            c = (((0.05 * d * x - 5.0) * x - 7.0) * x - 2.0) * x + bigB + c;
            y = (((((0.4 * y + 6.3) * y + 36.0) * y + 94.5) / c - y - 3.0) / bigB + 1.0) * x;
            y = a * (y * y);
            y = y > 0.002 ? std::exp(y) - 1.0 : y + 0.5 * (y * y);
        } else {
            y = ((1.0 / (((df + 6.0) / (df * y) - 0.089 * d - 0.822) * (df + 2.0) * 3.0) + 0.5 / (df + 4.0)) * y -
                 1.0) * (df + 1.0) / (df + 2.0) + 1.0 / y;
        }
        const double t = std::sqrt(df * y);
        return p < 0.5 ? -t : t;
    };
    // p near 1/2 takes the first branch, the tails the second.
    const double inverseCases[][2] = {{0.6, 3.0},  {0.975, 3.0}, {0.3, 4.5},  {0.999, 5.0},  {0.55, 9.0},
                                      {0.9, 12.0}, {0.01, 30.0}, {0.7, 2.5},  {0.9999, 100.0}, {0.52, 250.0},
                                      {0.51, 12.4}, {0.5237, 5.8}, {0.9621, 15.7}};
    for (const auto& c : inverseCases)
        EXPECT_EQ(hillInverse(c[0], c[1]), stats_d_t_inverse(c[0], c[1])) << c[0] << " " << c[1];
}

TEST(Distributions, BetaInverse) {
    // Newton's iteration on ln I_x stops at the accuracy of I_x itself.
    for (const auto& r : kBetaInverse)
        EXPECT_LE(relativeError(stats_dbetin(r[0], r[1], r[2]), r[3]), 1e-13) << r[0] << " " << r[1] << " " << r[2];
    EXPECT_EQ(0, l_error_type_at(1));
}

// The t inverse for 1 < df < 2 inverts the beta ratio by Newton's method.
// The ratio is good to a few units in the last place, so the relative step
// cannot always fall below the double spacing; the iteration then stops at
// that accuracy instead of running out of steps and reporting a failure
// to converge (it would do so for about a quarter of these arguments).
TEST(Distributions, BetaInverseConvergesWithoutWarnings) {
    CapturedErrorStream stream;
    int calls = 0;
    for (int i = 1; i < 10; ++i) {
        const double df = 1.0 + 0.1 * i;
        for (int j = 1; j < 50; ++j) {
            const double p = 0.02 * j;
            const double t = stats_d_t_inverse(p, df);
            EXPECT_EQ(0, l_error_type_at(1)) << p << " " << df;
            // The two-tailed probability of t is the beta ratio at df / (df + t^2).
            const double twoTailed = stats_d_beta_incomplete(df / (df + t * t), 0.5 * df, 0.5);
            EXPECT_NEAR(2.0 * std::min(p, 1.0 - p), twoTailed, 1e-13) << p << " " << df;
            ++calls;
        }
    }
    EXPECT_EQ(441, calls);
    EXPECT_EQ("", stream.text());
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
    const StoppingCall cases[] = {
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
        // A probability that is not a number is refused like one outside
        // (0, 1), never turned into a finite quantile.
        {"tinv(p=NaN)", [] { return stats_d_t_inverse(std::nan(""), 1.5); }, STATS_TERMINAL, 9043, "stats_d_t_inverse", true},
        {"tinv(df=NaN)", [] { return stats_d_t_inverse(0.9, std::nan("")); }, STATS_TERMINAL, 9042, "stats_d_t_inverse", true},
        {"dbetin(p=NaN)", [] { return stats_dbetin(std::nan(""), 2.0, 3.0); }, STATS_TERMINAL, 9046, "stats_dbetin", true},
        {"chi2(df=0.4)", [] { return stats_d_chi_squared_cdf(3.0, 0.4); }, STATS_TERMINAL, 9051,
         "stats_d_chi_squared_cdf", true},
    };
    for (const StoppingCall& c : cases) {
        CapturedErrorStream stream;
        expectStops(c);
        EXPECT_EQ(0, l_error_depth()) << c.label;
        // A TERMINAL error is written once, when it is posted.
        const std::string expected =
            std::string("\n*** TERMINAL Error from ") + c.routine + ".  Error code " + std::to_string(c.code) + ".\n\n";
        EXPECT_EQ(expected, stream.text()) << c.label;
        expectReturnsWithoutStop(c);
    }
}
