// Every generator called with hostile parameters (NaN, infinities, zeros,
// subnormals, the largest doubles, integer limits, and the sizes at which
// the methods' constants stop being numbers): every call returns, and either
// stores only finite deviates inside the distribution's support or refuses
// with one of the generator's own codes. A call that never returns fails the
// test by its time limit.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "Statistics/ErrorStack.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/MultivariateNormal.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"
#include "StatsTestSupport.h"

namespace {

const std::int32_t R = STATS_OPT_RETURN_USER;
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
const double kPi = 3.141592653589793;

const std::vector<double> kHostile = {kNaN, kInf, -kInf, 0.0, -1.0, 5e-324, -5e-324, 1e-320, DBL_MIN, 1e-300,
                                      1e-18, 7e-9, 0.3, 0.5, 1.0, 2.0, 1e12, 1e18, 1e20, 1e50, 1e300, DBL_MAX,
                                      -DBL_MAX};
const std::vector<std::int32_t> kHostileInt = {INT_MIN, -1, 0, 1, 2, 1000, INT_MAX};

struct Generator {
    const char* name;
    std::vector<double> typical;  // parameters that draw without trouble
    std::vector<std::int32_t> codes;
    bool integer;
    std::function<void(int n, const std::vector<double>& a, double* x, std::int32_t* k)> call;
    std::function<bool(double)> inSupport;
};

bool anyFinite(double v) { return std::isfinite(v); }
bool nonNegative(double v) { return std::isfinite(v) && v >= 0.0; }

std::vector<Generator> realGenerators() {
    return {
        {"normal", {0.0, 1.0}, {20457}, false,
         [](int n, const std::vector<double>& a, double* x, std::int32_t*) {
             stats_d_random_normal(n, STATS_OPT_MEAN, a[0], STATS_OPT_VARIANCE, a[1], R, x, 0);
         }, anyFinite},
        {"normal accept-reject", {0.0, 1.0}, {20457}, false,
         [](int n, const std::vector<double>& a, double* x, std::int32_t*) {
             stats_d_random_normal(n, STATS_OPT_MEAN, a[0], STATS_OPT_VARIANCE, a[1], STATS_OPT_ACCEPT_REJECT, R, x, 0);
         }, anyFinite},
        {"chi-squared", {3.0}, {20748}, false,
         [](int n, const std::vector<double>& a, double* x, std::int32_t*) {
             stats_d_random_chi_squared(n, a[0], R, x, 0);
         }, nonNegative},
        {"beta", {2.0, 3.0}, {11033, 11034}, false,
         [](int n, const std::vector<double>& a, double* x, std::int32_t*) { stats_d_random_beta(n, a[0], a[1], R, x, 0); },
         [](double v) { return v > 0.0 && v < 1.0; }},
        {"exponential mixture", {2.0, 1.0, 0.5}, {20573, 20574, 20575, 20576}, false,
         [](int n, const std::vector<double>& a, double* x, std::int32_t*) {
             stats_d_random_exponential_mix(n, a[0], a[1], a[2], R, x, 0);
         }, nonNegative},
        {"gamma", {2.0}, {11036, 11037}, false,
         [](int n, const std::vector<double>& a, double* x, std::int32_t*) { stats_d_random_gamma(n, a[0], R, x, 0); },
         nonNegative},
        {"lognormal", {0.0, 1.0}, {20664}, false,
         [](int n, const std::vector<double>& a, double* x, std::int32_t*) {
             stats_d_random_lognormal(n, a[0], a[1], R, x, 0);
         }, nonNegative},
        {"t", {5.0, 0.0, 1.0}, {20560, 20569}, false,
         [](int n, const std::vector<double>& a, double* x, std::int32_t*) {
             stats_d_random_student_t(n, a[0], STATS_OPT_MEAN, a[1], STATS_OPT_VARIANCE, a[2], R, x, 0);
         }, anyFinite},
        {"von Mises", {1.0}, {20572}, false,
         [](int n, const std::vector<double>& a, double* x, std::int32_t*) {
             stats_d_random_von_mises(n, a[0], R, x, 0);
         }, [](double v) { return std::fabs(v) <= kPi; }},
        {"Weibull", {2.0, 1.0}, {20570}, false,
         [](int n, const std::vector<double>& a, double* x, std::int32_t*) {
             stats_d_random_weibull(n, a[0], STATS_OPT_SCALE, a[1], R, x, 0);
         }, anyFinite},
        {"Cauchy", {}, {}, false,
         [](int n, const std::vector<double>&, double* x, std::int32_t*) { stats_d_random_cauchy(n, R, x, 0); },
         anyFinite},
        {"exponential", {}, {}, false,
         [](int n, const std::vector<double>&, double* x, std::int32_t*) { stats_d_random_exponential(n, R, x, 0); },
         nonNegative},
        {"uniform", {}, {}, false,
         [](int n, const std::vector<double>&, double* x, std::int32_t*) { stats_d_random_uniform(n, R, x, 0); },
         [](double v) { return v > 0.0 && v < 1.0; }},
        {"geometric", {0.5}, {20662}, true,
         [](int n, const std::vector<double>& a, double*, std::int32_t* k) {
             stats_d_random_geometric(n, a[0], R, k, 0);
         }, [](double v) { return v >= 1.0; }},
        {"logarithmic", {0.5}, {20570}, true,
         [](int n, const std::vector<double>& a, double*, std::int32_t* k) {
             stats_d_random_logarithmic(n, a[0], R, k, 0);
         }, [](double v) { return v >= 1.0; }},
        {"negative binomial", {2.0, 0.5}, {20660, 20661, 11032}, true,
         [](int n, const std::vector<double>& a, double*, std::int32_t* k) {
             stats_d_random_neg_binomial(n, a[0], a[1], R, k, 0);
         }, nonNegative},
        {"Poisson", {3.0}, {11032}, true,
         [](int n, const std::vector<double>& a, double*, std::int32_t* k) { stats_random_poisson(n, a[0], R, k, 0); },
         nonNegative},
        {"binomial p", {0.5}, {120}, true,
         [](int n, const std::vector<double>& a, double*, std::int32_t* k) {
             stats_d_random_binomial(n, 10, a[0], R, k, 0);
         }, [](double v) { return v >= 0.0 && v <= 10.0; }},
    };
}

// One call with n deviates: it returns, and either refuses with one of
// codes (TERMINAL, no deviate required) or leaves n deviates in support.
void expectSound(const Generator& g, int n, const std::vector<double>& a, const std::string& label) {
    std::vector<double> x(static_cast<std::size_t>(n > 0 ? n : 1), kNaN);
    std::vector<std::int32_t> k(static_cast<std::size_t>(n > 0 ? n : 1), INT_MIN);
    g.call(n, a, x.data(), k.data());
    const int type = l_error_type_at(1);
    if (type >= STATS_FATAL && type != STATS_WARNING_IMMEDIATE) {
        EXPECT_EQ(STATS_TERMINAL, type) << label;
        const std::int32_t code = l_error_code_at(1);
        bool known = code == 603;
        for (std::int32_t c : g.codes) known = known || c == code;
        EXPECT_TRUE(known) << label << ": code " << code;
        return;
    }
    ASSERT_GE(n, 1) << label << " drew for n < 1";
    for (int i = 0; i < n; ++i) {
        const double v = g.integer ? static_cast<double>(k[static_cast<std::size_t>(i)]) : x[static_cast<std::size_t>(i)];
        EXPECT_TRUE(g.inSupport(v)) << label << " deviate " << i << " = " << v;
    }
}

std::string labelOf(const char* name, const std::vector<double>& a) {
    std::string s = name;
    char buffer[64];
    s += " (";
    for (double v : a) {
        std::snprintf(buffer, sizeof buffer, "%.17g ", v);
        s += buffer;
    }
    return s + ")";
}

}  // namespace

TEST(GeneratorHostile, EveryCallReturnsWithFiniteDeviatesOrItsOwnCode) {
    auto keepGoing = stopFlag(STATS_TERMINAL, 0);
    auto keepGoingFatal = stopFlag(STATS_FATAL, 0);
    CapturedErrorStream quiet;
    stats_random_option(1);
    stats_set_random_seed(12345);
    for (const Generator& g : realGenerators()) {
        for (int n : {0, -1, INT_MIN}) expectSound(g, n, g.typical, labelOf(g.name, g.typical) + " n " + std::to_string(n));
        for (int n : {1, 4, 5, 40}) {
            for (std::size_t j = 0; j < g.typical.size(); ++j) {
                for (double h : kHostile) {
                    std::vector<double> a = g.typical;
                    a[j] = h;
                    expectSound(g, n, a, labelOf(g.name, a) + " n " + std::to_string(n));
                }
            }
            if (g.typical.size() > 1) {
                for (double h : kHostile) {
                    const std::vector<double> a(g.typical.size(), h);
                    expectSound(g, n, a, labelOf(g.name, a) + " n " + std::to_string(n));
                }
            }
        }
    }
}

// The integer parameters at their limits.
TEST(GeneratorHostile, IntegerParametersAtTheirLimits) {
    auto keepGoing = stopFlag(STATS_TERMINAL, 0);
    CapturedErrorStream quiet;
    stats_random_option(1);
    stats_set_random_seed(12345);
    auto check = [](const std::string& label, std::int32_t low, std::int32_t high, std::vector<std::int32_t> codes) {
        const int type = l_error_type_at(1);
        if (type >= STATS_FATAL) {
            EXPECT_EQ(STATS_TERMINAL, type) << label;
            bool known = false;
            for (std::int32_t c : codes) known = known || c == l_error_code_at(1);
            EXPECT_TRUE(known) << label << ": code " << l_error_code_at(1);
            return false;
        }
        (void)low;
        (void)high;
        return true;
    };
    for (std::int32_t t : kHostileInt) {
        std::int32_t k[5] = {-7, -7, -7, -7, -7};
        stats_d_random_binomial(5, t, 0.5, R, k, 0);
        if (check("binomial " + std::to_string(t), 0, t, {603, 120}))
            for (std::int32_t v : k) EXPECT_TRUE(v >= 0 && v <= t) << t << ": " << v;
        stats_d_random_uniform_discrete(5, t, R, k, 0);
        if (check("uniform discrete " + std::to_string(t), 1, t, {603}))
            for (std::int32_t v : k) EXPECT_TRUE(v >= 1 && v <= t) << t << ": " << v;
    }
    for (std::int32_t n : {1, 2, 1000})
        for (std::int32_t m : kHostileInt)
            for (std::int32_t l : kHostileInt) {
                std::int32_t k[5] = {-7, -7, -7, -7, -7};
                const std::string label = "hypergeometric " + std::to_string(n) + " " + std::to_string(m) + " " +
                                          std::to_string(l);
                stats_d_random_hypergeometric(5, n, m, l, R, k, 0);
                if (check(label, 0, n, {601, 603, 11030, 11031}))
                    for (std::int32_t v : k) EXPECT_TRUE(v >= 0 && v <= n && v <= m) << label << ": " << v;
            }
}

// The parameters the review found hanging or storing what is not a number,
// each with what it must give now.
TEST(GeneratorHostile, ReportedParametersReturnTheirLimitsOrCodes) {
    auto keepGoing = stopFlag(STATS_TERMINAL, 0);
    CapturedErrorStream quiet;
    stats_random_option(1);
    stats_set_random_seed(12345);
    const double small = std::ldexp(1.0, -53), nearOne = 1.0 - std::ldexp(1.0, -52);
    struct Case {
        const char* label;
        int n;
        double p, q;
        double point;  // every deviate, or NaN for a refusal
        std::int32_t code;
    };
    const Case beta[] = {
        {"2, DBL_MAX", 1, 2.0, DBL_MAX, small, 0},
        {"DBL_MAX, 2", 5, DBL_MAX, 2.0, nearOne, 0},
        {"1e300, 1e300", 5, 1e300, 1e300, 0.5, 0},
        {"1e300, 3e300", 5, 1e300, 3e300, 0.25, 0},
        {"1e12, 1e18", 5, 1e12, 1e18, kNaN, 11034},
        {"1e18, 1e12", 2, 1e18, 1e12, kNaN, 11033},
        {"1e18, 2", 2, 1e18, 2.0, kNaN, 11033},
        {"1e30, 2", 5, 1e30, 2.0, nearOne, 0},
        {"2, 1e30", 5, 2.0, 1e30, small, 0},
    };
    for (const Case& c : beta) {
        std::vector<double> x(static_cast<std::size_t>(c.n), -1.0);
        stats_d_random_beta(c.n, c.p, c.q, R, x.data(), 0);
        if (std::isnan(c.point)) {
            EXPECT_EQ(STATS_TERMINAL, l_error_type_at(1)) << c.label;
            EXPECT_EQ(c.code, l_error_code_at(1)) << c.label;
        } else {
            EXPECT_EQ(0, l_error_type_at(1)) << c.label;
            for (double v : x) EXPECT_EQ(c.point, v) << c.label;
        }
    }
    // Shapes so small that every logarithm overflows: about half of the
    // deviates at each end.
    for (double s : {1e-320, 5e-324}) {
        std::vector<double> x(400);
        stats_d_random_beta(400, s, s, R, x.data(), 0);
        EXPECT_EQ(0, l_error_type_at(1));
        int high = 0;
        for (double v : x) {
            EXPECT_TRUE(v == small || v == nearOne) << v;
            high += v == nearOne;
        }
        EXPECT_GT(high, 140);
        EXPECT_LT(high, 260);
    }
    // Gamma shapes where the squeeze method's constants used to overflow
    // or turn into NaN: deviates near the shape, at most a few standard
    // deviations away; from 2^118 on every deviate is the shape itself.
    for (double a : {1e17, 1e20, 1e25, 1e30, 1e50, 1e100, 1e300, DBL_MAX}) {
        std::vector<double> x(50);
        stats_d_random_gamma(50, a, R, x.data(), 0);
        EXPECT_EQ(0, l_error_type_at(1)) << a;
        for (double v : x) {
            EXPECT_TRUE(std::fabs(v - a) <= 8.0 * std::sqrt(a)) << a << ": " << v;
            if (a >= 1e36) EXPECT_EQ(a, v) << a;
        }
    }
    // t with an infinite or huge df is the standard normal; von Mises with
    // a huge concentration is z / sqrt(c); between the method's range and
    // that limit it is refused.
    for (double df : {1e20, 1e300, kInf}) {
        double x[20];
        stats_d_random_student_t(20, df, R, x, 0);
        EXPECT_EQ(0, l_error_type_at(1)) << df;
        for (double v : x) EXPECT_TRUE(std::fabs(v) < 8.0) << df;
    }
    for (double c : {1e18, 2e18, 1e300, kInf}) {
        double x[20];
        stats_d_random_von_mises(20, c, R, x, 0);
        if (c < 1.2e18) {
            EXPECT_EQ(STATS_TERMINAL, l_error_type_at(1)) << c;
            EXPECT_EQ(20572, l_error_code_at(1)) << c;
            continue;
        }
        EXPECT_EQ(0, l_error_type_at(1)) << c;
        for (double v : x) EXPECT_TRUE(std::fabs(v) * std::sqrt(c) < 8.0 || (c == kInf && v == 0.0)) << c << ": " << v;
    }
    // Chi-squared with a df whose half rounds to 0: its own code, not the
    // gamma generator's.
    double x[3];
    stats_d_random_chi_squared(3, 5e-324, R, x, 0);
    EXPECT_EQ(STATS_TERMINAL, l_error_type_at(1));
    EXPECT_EQ(20748, l_error_code_at(1));
    // A huge df gives a deviate of 2 x gamma(df / 2), finite.
    stats_d_random_chi_squared(3, 1e100, R, x, 0);
    EXPECT_EQ(0, l_error_type_at(1));
    for (double v : x) EXPECT_EQ(1e100, v);
}

// The multivariate normal generator with hostile sizes and covariances:
// every call returns.
TEST(GeneratorHostile, MultivariateNormalReturns) {
    auto keepGoing = stopFlag(STATS_TERMINAL, 0);
    auto keepGoingFatal = stopFlag(STATS_FATAL, 0);
    CapturedErrorStream quiet;
    for (double h : kHostile) {
        const double covariance[4] = {1.0, h, h, 2.0};
        double x[6];
        stats_d_random_normal_multivariate(3, 2, covariance, R, x, 0);
        const double diagonal[4] = {h, 0.0, 0.0, h};
        stats_d_random_normal_multivariate(3, 2, diagonal, R, x, 0);
    }
    for (std::int32_t n : kHostileInt) {
        if (n > 3) continue;  // the caller's array holds 3 vectors
        const double covariance[4] = {1.0, 0.5, 0.5, 2.0};
        double x[6];
        stats_d_random_normal_multivariate(n, 2, covariance, R, x, 0);
        stats_d_random_normal_multivariate(1, n < 2 ? n : 2, covariance, R, x, 0);
    }
}
