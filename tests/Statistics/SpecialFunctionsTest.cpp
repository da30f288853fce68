// Special functions against mpmath reference values (reference_values.inc,
// written by make_reference.py) and the edge cases of their domains.
#include <gtest/gtest.h>


#include <cmath>
#include <limits>

#include "Statistics/ChebyshevTables.h"
#include "Statistics/ErrorStack.h"
#include "Statistics/MachineConstants.h"
#include "Statistics/SpecialFunctions.h"
#include "Statistics/StatsError.h"
#include "StatsTestSupport.h"

namespace {

#include "reference_values.inc"

double relativeError(double value, double reference) {
    if (reference == 0.0) return std::fabs(value);
    return std::fabs(value - reference) / std::fabs(reference);
}

// The Fullerton series are summed to 0.1 of the double spacing, and the
// functions built on them (products, exponentials, the Bosten-Battiste sums)
// lose at most a few dozen units in the last place over these arguments.
const double kSeriesTolerance = 1e-13;

}  // namespace

TEST(SpecialFunctions, MatchReferenceValues) {
    for (const auto& r : kGamma) EXPECT_LE(relativeError(stats_d_gamma(r[0]), r[1]), kSeriesTolerance) << r[0];
    for (const auto& r : kLogGamma)
        EXPECT_LE(relativeError(stats_d_log_gamma(r[0]), r[1]), kSeriesTolerance) << r[0];
    for (const auto& r : kErf) {
        EXPECT_LE(relativeError(stats_d_erf(r[0]), r[1]), kSeriesTolerance) << r[0];
        EXPECT_LE(relativeError(stats_d_erfc(r[0]), r[2]), kSeriesTolerance) << r[0];
    }
    for (const auto& r : kLnRel) {
        EXPECT_LE(relativeError(l_alnrel(r[0]), r[1]), kSeriesTolerance) << r[0];
        EXPECT_LE(relativeError(stats_alnrel(r[0]), r[1]), kSeriesTolerance) << r[0];
    }
    for (const auto& r : kBeta) {
        EXPECT_LE(relativeError(stats_d_beta(r[0], r[1]), r[2]), kSeriesTolerance) << r[0] << " " << r[1];
        EXPECT_LE(relativeError(stats_d_log_beta(r[0], r[1]), r[3]), kSeriesTolerance) << r[0] << " " << r[1];
    }
    for (const auto& r : kBetaIncomplete)
        EXPECT_LE(relativeError(stats_d_beta_incomplete(r[0], r[1], r[2]), r[3]), kSeriesTolerance)
            << r[0] << " " << r[1] << " " << r[2];
    // Shapes up to 1e10 take the continued fraction, whose length is
    // bounded by the shapes (the term-by-term sum needed billions of terms).
    // The prefactor's exponent is a difference of numbers near 1e10, so a
    // few parts in 1e6 are all that double precision keeps there.
    for (const auto& r : kBetaIncompleteLarge)
        EXPECT_NEAR(r[3], stats_d_beta_incomplete(r[0], r[1], r[2]), 5e-6) << r[0] << " " << r[1] << " " << r[2];
    for (const auto& r : kGammaIncomplete)
        EXPECT_LE(relativeError(stats_d_gamma_incomplete(r[0], r[1]), r[2]), kSeriesTolerance) << r[0] << " " << r[1];
    EXPECT_EQ(0, l_error_depth());
}

TEST(SpecialFunctions, ExactValues) {
    EXPECT_EQ(24.0, stats_d_gamma(5.0));
    EXPECT_DOUBLE_EQ(1.772453850905516, stats_d_gamma(0.5));
    EXPECT_DOUBLE_EQ(-2.0 * 1.772453850905516, stats_d_gamma(-0.5));
    // Positive integers up to 13 give the factorial exactly (the factorial
    // truncates gamma, and 12! is the last that fits a 32-bit integer);
    // above 10 the asymptotic form alone would give 12! just below the
    // integer. From 14 on, gamma is the asymptotic form itself.
    double factorial = 1.0;
    for (int n = 1; n <= 13; ++n) {
        EXPECT_EQ(factorial, stats_d_gamma(n)) << n;
        factorial *= n;
    }
    for (double y : {14.0, 15.0, 19.0, 20.0, 23.0, 30.0}) {
        const double asymptotic = std::exp((y - 0.5) * std::log(y) - y + 0.91893853320467274178032973640562 +
                                           stats_r9lgmc(y));
        EXPECT_EQ(asymptotic, stats_d_gamma(y)) << y;
    }
    EXPECT_DOUBLE_EQ(359.1342053695754, stats_d_log_gamma(100.0));
    EXPECT_NEAR(-0.0562437164976740, stats_d_log_gamma(-2.5), 1e-15);
    EXPECT_EQ(1.0, stats_d_erfc(0.0));
    EXPECT_EQ(2.0, stats_d_erfc(-30.0));
    EXPECT_EQ(0.5, stats_d_beta_incomplete(0.5, 2.0, 2.0));
    EXPECT_EQ(0.0, stats_d_beta_incomplete(0.0, 2.5, 1.5));
    EXPECT_EQ(1.0, stats_d_beta_incomplete(1.0, 2.5, 1.5));
    EXPECT_EQ(0.0, stats_d_log_beta(1.0, 1.0));
    EXPECT_EQ(1e-20, l_alnrel(1e-20));
    EXPECT_EQ(0.0, stats_d_gamma_incomplete(2.0, 0.0));
    double logGamma = 0.0, sign = 0.0;
    stats_algams(-0.5, &logGamma, &sign);
    EXPECT_EQ(-1.0, sign);
    stats_algams(-1.5, &logGamma, &sign);
    EXPECT_EQ(1.0, sign);
    EXPECT_NEAR(std::log(2.363271801207355), logGamma, 1e-15);
    EXPECT_EQ(0.0, stats_gamr(-3.0));
    EXPECT_DOUBLE_EQ(1.0 / 24.0, stats_gamr(5.0));
    EXPECT_LE(relativeError(stats_gamr(50.5), 1.0 / 4.29046291235196e+63), kSeriesTolerance);
}

// Infinite arguments: the limits where they exist, and no conversion of a
// non-finite value to an integer on the way.
TEST(SpecialFunctions, InfiniteArguments) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(1.0, stats_d_beta_incomplete(0.5, 3.0, inf));
    EXPECT_EQ(0.0, stats_d_beta_incomplete(0.0, 3.0, inf));
    EXPECT_EQ(0.0, stats_d_beta_incomplete(0.5, inf, 3.0));
    EXPECT_EQ(1.0, stats_d_beta_incomplete(1.0, inf, 3.0));
    EXPECT_EQ(0, l_error_type_at(1));
    auto keepGoing = stopFlag(STATS_TERMINAL, 0);
    auto keepGoingFatal = stopFlag(STATS_FATAL, 0);
    CapturedErrorStream quiet;
    double lg = 0.0, sign = 0.0;
    stats_algams(-inf, &lg, &sign);
    EXPECT_TRUE(std::isnan(sign));
}

TEST(SpecialFunctions, ChebyshevSeries) {
    // Clenshaw's recurrence weights the first coefficient by one half.
    const double c[3] = {2.0, 3.0, 5.0};
    for (double x : {-1.0, -0.3, 0.0, 0.7, 1.0})
        EXPECT_DOUBLE_EQ(1.0 + 3.0 * x + 5.0 * (2.0 * x * x - 1.0), stats_csevl(x, c, 3)) << x;
    EXPECT_EQ(2, stats_initds(c, 3, 6.0));
    EXPECT_EQ(1, stats_initds(c, 3, 9.0));
    EXPECT_EQ(1, stats_initds(c, 3, 100.0));
    {
        // The last coefficient alone is too large: the series is too short.
        CapturedErrorStream stream;
        auto keepGoing = stopFlag(STATS_TERMINAL, 0);
        EXPECT_EQ(0, stats_initds(c, 3, 1.0));
        expectError(STATS_TERMINAL, 9005);
    }
    // The term counts of the tables follow from the asked accuracy.
    EXPECT_EQ(23, stats_initds(stats_cs_gamcs, 42, 0.1 * stats_dmach(3)));
    EXPECT_EQ(12, stats_initds(stats_cs_erfcs, 21, 0.1 * stats_dmach(3)));
}

TEST(SpecialFunctions, WarningsAreReportedAndTheValueKept) {
    CapturedErrorStream stream;
    const double c[3] = {2.0, 3.0, 5.0};
    EXPECT_DOUBLE_EQ(1.0 + 3.6 + 5.0 * (2.0 * 1.44 - 1.0), stats_csevl(1.2, c, 3));
    expectError(STATS_WARNING, 9003);
    EXPECT_EQ("\n*** WARNING  Error 9003 from stats_csevl.  Error code 9003.\n\n", stream.text());
}

TEST(SpecialFunctions, AlertsAreSilent) {
    CapturedErrorStream stream;
    EXPECT_EQ(0.0, stats_d_erfc(30.0));
    expectError(STATS_ALERT, 9015);
    EXPECT_EQ(0.0, stats_d_gamma(-180.5));
    expectError(STATS_ALERT, 9014);
    EXPECT_EQ("", stream.text());
}

// Errors that stop: with the stop flags on (the default) they leave the
// library as StatsError; with them off the routine returns its fixed value.
TEST(SpecialFunctions, DomainErrors) {
    const StoppingCall cases[] = {
        {"gamma(0)", [] { return stats_d_gamma(0.0); }, STATS_TERMINAL, 9024, "stats_d_gamma", true},
        {"gamma(-2)", [] { return stats_d_gamma(-2.0); }, STATS_TERMINAL, 9006, "stats_d_gamma", true},
        {"gamma(200)", [] { return stats_d_gamma(200.0); }, STATS_FATAL, 9009, "stats_d_gamma", true},
        {"betai(1.5)", [] { return stats_d_beta_incomplete(1.5, 1.0, 1.0); }, STATS_TERMINAL, 120,
         "stats_d_beta_incomplete", true},
        {"betai(a=0)", [] { return stats_d_beta_incomplete(0.5, 0.0, 1.0); }, STATS_TERMINAL, 9031,
         "stats_d_beta_incomplete", true},
        {"betai(a=b=Inf)", [] { return stats_d_beta_incomplete(0.5, INFINITY, INFINITY); }, STATS_TERMINAL, 9031,
         "stats_d_beta_incomplete", true},
        {"logbeta(0,1)", [] { return stats_d_log_beta(0.0, 1.0); }, STATS_TERMINAL, 9038, "stats_d_log_beta", true},
        {"alnrel(-1)", [] { return l_alnrel(-1.0); }, STATS_TERMINAL, 9039, "l_alnrel", true},
        {"alnrel(-2)", [] { return stats_alnrel(-2.0); }, STATS_TERMINAL, 20400, "stats_alnrel", true},
        {"gami(a=0)", [] { return stats_d_gamma_incomplete(0.0, 1.0); }, STATS_TERMINAL, 9032,
         "stats_d_gamma_incomplete", true},
        {"r9lgmc(5)", [] { return stats_r9lgmc(5.0); }, STATS_FATAL, 60002, "stats_r9lgmc", true},
        {"csevl(n=0)", [] { return stats_csevl(0.0, stats_cs_gamcs, 0); }, STATS_TERMINAL, 9001, "stats_csevl",
         true},
    };
    for (const StoppingCall& c : cases) {
        CapturedErrorStream stream;
        expectStops(c);
        EXPECT_EQ(c.type, l_error_type_at(0)) << c.label;
        EXPECT_EQ(0, l_error_depth()) << c.label;
        EXPECT_NE(std::string::npos, stream.text().find(c.routine)) << c.label;
        expectReturnsWithoutStop(c);
    }
}
