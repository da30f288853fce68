// The distribution generators: their first deviates from a fixed seed
// against an independent model of each published algorithm
// (make_generator_reference.py), their parameter errors, and the parameters
// on which the straightforward methods fail (heavy-tailed t, tiny von Mises
// concentration, underflowing probabilities, out-of-range integers).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "Statistics/ErrorStack.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"
#include "GeneratorReference.h"
#include "StatsTestSupport.h"

namespace {

using namespace generator_reference;

const std::int32_t R = STATS_OPT_RETURN_USER;

void restart(std::int32_t seed = 12345) {
    stats_random_option(1);
    stats_set_random_seed(seed);
}

using RealCall = std::function<void(int n, double* x)>;
using IntCall = std::function<void(int n, std::int32_t* x)>;

const std::map<std::string, RealCall>& realCalls() {
    static const std::map<std::string, RealCall> calls = {
        {"uniform", [](int n, double* x) { stats_d_random_uniform(n, R, x, 0); }},
        {"normal inversion", [](int n, double* x) { stats_d_random_normal(n, R, x, 0); }},
        {"normal accept-reject", [](int n, double* x) { stats_d_random_normal(n, STATS_OPT_ACCEPT_REJECT, R, x, 0); }},
        {"normal mean 10 variance 4",
         [](int n, double* x) { stats_d_random_normal(n, STATS_OPT_VARIANCE, 4.0, STATS_OPT_MEAN, 10.0, R, x, 0); }},
        {"cauchy", [](int n, double* x) { stats_d_random_cauchy(n, R, x, 0); }},
        {"cauchy n=1", [](int n, double* x) { stats_d_random_cauchy(n, R, x, 0); }},
        {"chi-squared df 2", [](int n, double* x) { stats_d_random_chi_squared(n, 2.0, R, x, 0); }},
        {"chi-squared df 16", [](int n, double* x) { stats_d_random_chi_squared(n, 16.0, R, x, 0); }},
        {"chi-squared df 3", [](int n, double* x) { stats_d_random_chi_squared(n, 3.0, R, x, 0); }},
        {"beta 1 1", [](int n, double* x) { stats_d_random_beta(n, 1.0, 1.0, R, x, 0); }},
        {"beta 0.5 1", [](int n, double* x) { stats_d_random_beta(n, 0.5, 1.0, R, x, 0); }},
        {"beta 1 2.5", [](int n, double* x) { stats_d_random_beta(n, 1.0, 2.5, R, x, 0); }},
        {"beta 0.5 3 switching", [](int n, double* x) { stats_d_random_beta(n, 0.5, 3.0, R, x, 0); }},
        {"beta 4 0.7 switching", [](int n, double* x) { stats_d_random_beta(n, 4.0, 0.7, R, x, 0); }},
        {"beta 3 4 n=4", [](int n, double* x) { stats_d_random_beta(n, 3.0, 4.0, R, x, 0); }},
        {"beta 3 4 envelope", [](int n, double* x) { stats_d_random_beta(n, 3.0, 4.0, R, x, 0); }},
        {"beta 30 2 envelope", [](int n, double* x) { stats_d_random_beta(n, 30.0, 2.0, R, x, 0); }},
        {"beta 0.6 0.8 Johnk", [](int n, double* x) { stats_d_random_beta(n, 0.6, 0.8, R, x, 0); }},
        {"beta 0.001 0.002 Johnk in logs", [](int n, double* x) { stats_d_random_beta(n, 0.001, 0.002, R, x, 0); }},
        {"exponential", [](int n, double* x) { stats_d_random_exponential(n, R, x, 0); }},
        {"exponential mix 2 1 0.5", [](int n, double* x) { stats_d_random_exponential_mix(n, 2.0, 1.0, 0.5, R, x, 0); }},
        {"exponential mix 2 1 0.01", [](int n, double* x) { stats_d_random_exponential_mix(n, 2.0, 1.0, 0.01, R, x, 0); }},
        {"exponential mix 2 1 1.5", [](int n, double* x) { stats_d_random_exponential_mix(n, 2.0, 1.0, 1.5, R, x, 0); }},
        {"exponential mix 2 1 1.99", [](int n, double* x) { stats_d_random_exponential_mix(n, 2.0, 1.0, 1.99, R, x, 0); }},
        {"exponential mix 2 1 0", [](int n, double* x) { stats_d_random_exponential_mix(n, 2.0, 1.0, 0.0, R, x, 0); }},
        {"gamma 0.5", [](int n, double* x) { stats_d_random_gamma(n, 0.5, R, x, 0); }},
        {"gamma 1", [](int n, double* x) { stats_d_random_gamma(n, 1.0, R, x, 0); }},
        {"gamma 0.3", [](int n, double* x) { stats_d_random_gamma(n, 0.3, R, x, 0); }},
        {"gamma 1.5", [](int n, double* x) { stats_d_random_gamma(n, 1.5, R, x, 0); }},
        {"gamma 5", [](int n, double* x) { stats_d_random_gamma(n, 5.0, R, x, 0); }},
        {"gamma 200", [](int n, double* x) { stats_d_random_gamma(n, 200.0, R, x, 0); }},
        {"lognormal 1 0.5", [](int n, double* x) { stats_d_random_lognormal(n, 1.0, 0.5, R, x, 0); }},
        {"t 5", [](int n, double* x) { stats_d_random_student_t(n, 5.0, R, x, 0); }},
        {"t 1", [](int n, double* x) { stats_d_random_student_t(n, 1.0, R, x, 0); }},
        {"t 60", [](int n, double* x) { stats_d_random_student_t(n, 60.0, R, x, 0); }},
        {"t 5 mean 1 variance 4",
         [](int n, double* x) { stats_d_random_student_t(n, 5.0, STATS_OPT_VARIANCE, 4.0, STATS_OPT_MEAN, 1.0, R, x, 0); }},
        {"t 0.5", [](int n, double* x) { stats_d_random_student_t(n, 0.5, R, x, 0); }},
        {"von Mises 1", [](int n, double* x) { stats_d_random_von_mises(n, 1.0, R, x, 0); }},
        {"von Mises 20", [](int n, double* x) { stats_d_random_von_mises(n, 20.0, R, x, 0); }},
        {"von Mises 1e-8", [](int n, double* x) { stats_d_random_von_mises(n, 1e-8, R, x, 0); }},
        {"Weibull 2", [](int n, double* x) { stats_d_random_weibull(n, 2.0, R, x, 0); }},
        {"Weibull 2 scale 3", [](int n, double* x) { stats_d_random_weibull(n, 2.0, STATS_OPT_SCALE, 3.0, R, x, 0); }},
        {"Weibull 0.005", [](int n, double* x) { stats_d_random_weibull(n, 0.005, R, x, 0); }},
    };
    return calls;
}

const std::map<std::string, IntCall>& intCalls() {
    static const std::map<std::string, IntCall> calls = {
        {"binomial 10 0.7", [](int n, std::int32_t* x) { stats_d_random_binomial(n, 10, 0.7, R, x, 0); }},
        {"binomial 1000 0.5", [](int n, std::int32_t* x) { stats_d_random_binomial(n, 1000, 0.5, R, x, 0); }},
        {"binomial 5000 0.3", [](int n, std::int32_t* x) { stats_d_random_binomial(n, 5000, 0.3, R, x, 0); }},
        {"geometric 0.5", [](int n, std::int32_t* x) { stats_d_random_geometric(n, 0.5, R, x, 0); }},
        {"geometric 0.01", [](int n, std::int32_t* x) { stats_d_random_geometric(n, 0.01, R, x, 0); }},
        {"hypergeometric 5 10 30", [](int n, std::int32_t* x) { stats_d_random_hypergeometric(n, 5, 10, 30, R, x, 0); }},
        {"hypergeometric 25 20 30", [](int n, std::int32_t* x) { stats_d_random_hypergeometric(n, 25, 20, 30, R, x, 0); }},
        {"hypergeometric 1000 1000 4000 direct",
         [](int n, std::int32_t* x) { stats_d_random_hypergeometric(n, 1000, 1000, 4000, R, x, 0); }},
        {"hypergeometric 3000 3000 6000 underflow",
         [](int n, std::int32_t* x) { stats_d_random_hypergeometric(n, 3000, 3000, 6000, R, x, 0); }},
        {"logarithmic 0.5", [](int n, std::int32_t* x) { stats_d_random_logarithmic(n, 0.5, R, x, 0); }},
        {"logarithmic 0.97", [](int n, std::int32_t* x) { stats_d_random_logarithmic(n, 0.97, R, x, 0); }},
        {"negative binomial 2.5 0.4", [](int n, std::int32_t* x) { stats_d_random_neg_binomial(n, 2.5, 0.4, R, x, 0); }},
        {"negative binomial 50 0.9", [](int n, std::int32_t* x) { stats_d_random_neg_binomial(n, 50.0, 0.9, R, x, 0); }},
        {"Poisson 3.5", [](int n, std::int32_t* x) { stats_random_poisson(n, 3.5, R, x, 0); }},
        {"Poisson 40", [](int n, std::int32_t* x) { stats_random_poisson(n, 40.0, R, x, 0); }},
        {"Poisson 1000", [](int n, std::int32_t* x) { stats_random_poisson(n, 1000.0, R, x, 0); }},
        {"uniform discrete 6", [](int n, std::int32_t* x) { stats_d_random_uniform_discrete(n, 6, R, x, 0); }},
    };
    return calls;
}

}  // namespace

// Continuous deviates agree with the model to a few units in the last place
// (the elementary functions of the platforms may differ by an ulp), except
// where they pass through the library's normal quantile, which is good to
// about 1e-7 while the model's is exact; integer deviates agree exactly.
TEST(GeneratorStreams, FirstDeviatesMatchTheModel) {
    for (const RealReference& ref : kRealReference) {
        const auto it = realCalls().find(ref.name);
        ASSERT_NE(it, realCalls().end()) << ref.name;
        restart();
        std::vector<double> x(static_cast<std::size_t>(ref.count), -1.0);
        it->second(ref.count, x.data());
        const std::string name = ref.name;
        // The smallest Weibull shapes warn that uniforms below a bound are
        // drawn again.
        EXPECT_EQ(name == "Weibull 0.005" ? STATS_WARNING : 0, l_error_type_at(1)) << ref.name;
        const bool viaQuantile = name == "normal inversion" || name == "normal mean 10 variance 4" || name == "gamma 0.5";
        const double tolerance = viaQuantile ? 1e-6 : 1e-12;
        for (int i = 0; i < ref.count; ++i)
            EXPECT_NEAR(ref.values[i], x[static_cast<std::size_t>(i)], tolerance * std::fabs(ref.values[i]) + 1e-300)
                << ref.name << " deviate " << i;
    }
    for (const IntReference& ref : kIntReference) {
        const auto it = intCalls().find(ref.name);
        ASSERT_NE(it, intCalls().end()) << ref.name;
        restart();
        std::vector<std::int32_t> x(static_cast<std::size_t>(ref.count), -1);
        it->second(ref.count, x.data());
        EXPECT_EQ(0, l_error_type_at(1)) << ref.name;
        for (int i = 0; i < ref.count; ++i) EXPECT_EQ(ref.values[i], x[static_cast<std::size_t>(i)]) << ref.name << " " << i;
    }
}

// Parameter errors: the code of each check, nothing written into the
// caller's array, and null returned.
TEST(GeneratorStreams, RefusedParameters) {
    auto keepGoing = stopFlag(STATS_TERMINAL, 0);
    CapturedErrorStream quiet;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* label;
        std::function<const void*(double*, std::int32_t*)> call;
        std::int32_t code;
    };
    const Case cases[] = {
        {"n 0", [](double* x, std::int32_t*) { return (const void*)stats_d_random_gamma(0, 2.0, R, x, 0); }, 603},
        {"unknown option", [](double* x, std::int32_t*) { return (const void*)stats_d_random_gamma(3, 2.0, 20410, 1.0, R, x, 0); }, 11001},
        {"gamma 0", [](double* x, std::int32_t*) { return (const void*)stats_d_random_gamma(3, 0.0, R, x, 0); }, 11036},
        {"gamma NaN", [&](double* x, std::int32_t*) { return (const void*)stats_d_random_gamma(3, nan, R, x, 0); }, 11036},
        {"normal variance 0", [](double* x, std::int32_t*) { return (const void*)stats_d_random_normal(3, STATS_OPT_VARIANCE, 0.0, R, x, 0); }, 20457},
        {"normal variance NaN", [&](double* x, std::int32_t*) { return (const void*)stats_d_random_normal(3, STATS_OPT_VARIANCE, nan, R, x, 0); }, 20457},
        {"normal variance Inf", [&](double* x, std::int32_t*) { return (const void*)stats_d_random_normal(3, STATS_OPT_VARIANCE, inf, R, x, 0); }, 20457},
        {"chi-squared NaN", [&](double* x, std::int32_t*) { return (const void*)stats_d_random_chi_squared(3, nan, R, x, 0); }, 20748},
        {"beta p 0", [](double* x, std::int32_t*) { return (const void*)stats_d_random_beta(3, 0.0, 1.0, R, x, 0); }, 11033},
        {"beta q NaN", [&](double* x, std::int32_t*) { return (const void*)stats_d_random_beta(3, 1.0, nan, R, x, 0); }, 11034},
        {"mixture p 2.5", [](double* x, std::int32_t*) { return (const void*)stats_d_random_exponential_mix(3, 2.0, 1.0, 2.5, R, x, 0); }, 20576},
        {"mixture theta2 > theta1", [](double* x, std::int32_t*) { return (const void*)stats_d_random_exponential_mix(3, 1.0, 2.0, 0.5, R, x, 0); }, 20575},
        {"lognormal sd NaN", [&](double* x, std::int32_t*) { return (const void*)stats_d_random_lognormal(3, 0.0, nan, R, x, 0); }, 20664},
        {"t df 0", [](double* x, std::int32_t*) { return (const void*)stats_d_random_student_t(3, 0.0, R, x, 0); }, 20560},
        {"t variance 0", [](double* x, std::int32_t*) { return (const void*)stats_d_random_student_t(3, 4.0, STATS_OPT_VARIANCE, 0.0, R, x, 0); }, 20569},
        {"von Mises 7e-9", [](double* x, std::int32_t*) { return (const void*)stats_d_random_von_mises(3, 7e-9, R, x, 0); }, 20572},
        {"Weibull NaN", [&](double* x, std::int32_t*) { return (const void*)stats_d_random_weibull(3, nan, R, x, 0); }, 20570},
        {"binomial p 1", [](double*, std::int32_t* k) { return (const void*)stats_d_random_binomial(3, 10, 1.0, R, k, 0); }, 120},
        {"binomial p NaN", [&](double*, std::int32_t* k) { return (const void*)stats_d_random_binomial(3, 10, nan, R, k, 0); }, 120},
        {"binomial trials 0", [](double*, std::int32_t* k) { return (const void*)stats_d_random_binomial(3, 0, 0.5, R, k, 0); }, 603},
        {"binomial option", [](double*, std::int32_t*) { return (const void*)stats_d_random_binomial(3, 10, 0.5, 20410, 1.0, 0); }, 11001},
        {"geometric NaN", [&](double*, std::int32_t* k) { return (const void*)stats_d_random_geometric(3, nan, R, k, 0); }, 20662},
        {"logarithmic 1", [](double*, std::int32_t* k) { return (const void*)stats_d_random_logarithmic(3, 1.0, R, k, 0); }, 20570},
        {"negative binomial p eps", [](double*, std::int32_t* k) { return (const void*)stats_d_random_neg_binomial(3, 1.0, 1e-17, R, k, 0); }, 20660},
        {"negative binomial r NaN", [&](double*, std::int32_t* k) { return (const void*)stats_d_random_neg_binomial(3, nan, 0.5, R, k, 0); }, 20661},
        {"Poisson 0", [](double*, std::int32_t* k) { return (const void*)stats_random_poisson(3, 0.0, R, k, 0); }, 11032},
        {"Poisson NaN", [&](double*, std::int32_t* k) { return (const void*)stats_random_poisson(3, nan, R, k, 0); }, 11032},
        {"Poisson 2^31", [](double*, std::int32_t* k) { return (const void*)stats_random_poisson(3, 2147483648.0, R, k, 0); }, 11032},
        {"Poisson 1e300", [](double*, std::int32_t* k) { return (const void*)stats_random_poisson(3, 1e300, R, k, 0); }, 11032},
        {"uniform discrete 0", [](double*, std::int32_t* k) { return (const void*)stats_d_random_uniform_discrete(3, 0, R, k, 0); }, 603},
    };
    for (const Case& c : cases) {
        double x[3] = {7.0, 7.0, 7.0};
        std::int32_t k[3] = {7, 7, 7};
        EXPECT_EQ(nullptr, c.call(x, k)) << c.label;
        EXPECT_EQ(STATS_TERMINAL, l_error_type_at(1)) << c.label;
        EXPECT_EQ(c.code, l_error_code_at(1)) << c.label;
    }
    // The hypergeometric checks post their own texts.
    std::int32_t k[3];
    EXPECT_EQ(nullptr, stats_d_random_hypergeometric(3, 11, 5, 10, R, k, 0));
    EXPECT_EQ(STATS_TERMINAL, l_error_type_at(1));
    EXPECT_EQ(nullptr, stats_d_random_hypergeometric(3, 10, 5, 10, R, k, 0));  // certain outcome
    EXPECT_EQ(STATS_TERMINAL, l_error_type_at(1));
    EXPECT_NE(std::string::npos, quiet.text().find("MAX(0, N-L+M) is computed to be"));
}

// Parameters on which the straightforward methods fail.
TEST(GeneratorStreams, HardParametersGiveSoundDeviates) {
    // von Mises just above the smallest concentration used to loop for ever.
    for (double c : {7.5e-9, 1e-8, 1.5e-8, 1.99e-8}) {
        restart();
        double x[200];
        ASSERT_NE(nullptr, stats_d_random_von_mises(200, c, R, x, 0)) << c;
        for (double v : x) EXPECT_TRUE(std::fabs(v) <= 3.141592653589794) << c;
    }
    // A single-precision uniform of exactly 1.0 (seed chosen so that the
    // first value is 2147483600, within 64 of 2^31) ends the Poisson search
    // where its term underflows.
    restart(411174057);
    float u;
    stats_rnun(1, &u);
    EXPECT_EQ(1.0f, u);
    restart(411174057);
    std::int32_t k = -1;
    ASSERT_NE(nullptr, stats_random_poisson(1, 3.5, R, &k, 0));
    EXPECT_GE(k, 10);
    // A negative binomial whose gamma-Poisson mean rounds to 0 in single
    // precision gives 0.
    restart();
    std::int32_t nb[50];
    ASSERT_NE(nullptr, stats_d_random_neg_binomial(50, 1e-30, 0.5, R, nb, 0));
    for (std::int32_t v : nb) EXPECT_EQ(0, v);
    // Tiny beta shapes give deviates in [small, 1 - eps], no NaN.
    restart();
    double b[1000];
    ASSERT_NE(nullptr, stats_d_random_beta(1000, 1e-4, 1e-4, R, b, 0));
    for (double v : b) EXPECT_TRUE(v > 0.0 && v < 1.0);
    // Geometric deviates beyond 32 bits saturate instead of overflowing.
    restart();
    std::int32_t g[20];
    ASSERT_NE(nullptr, stats_d_random_geometric(20, 1e-300, R, g, 0));
    for (std::int32_t v : g) EXPECT_EQ(2147483647, v);
    EXPECT_EQ(0, l_trunc_int32(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(-2147483647 - 1, l_trunc_int32(-1e300));
    EXPECT_EQ(-7, l_trunc_int32(-7.9));
}

// A new array without STATS_OPT_RETURN_USER; the normal generator alone
// returns null when it wrote into the caller's array.
TEST(GeneratorStreams, ResultArrays) {
    restart();
    double* a = stats_d_random_exponential(5, 0);
    ASSERT_NE(nullptr, a);
    for (int i = 0; i < 5; ++i) EXPECT_GT(a[i], 0.0);
    stats_free(a);
    double x[2];
    EXPECT_EQ(nullptr, stats_d_random_normal(2, R, x, 0));
    EXPECT_EQ(0, l_error_type_at(1));
    // The t generator runs its set-up again for a new df only: the
    // deviates of a df are the same whether its set-up was kept from the
    // previous call or made again after another df.
    double kept[3], again[3], other[3];
    restart();
    stats_d_random_student_t(3, 7.0, R, kept, 0);
    restart();
    stats_d_random_student_t(3, 7.0, R, kept, 0);
    restart();
    stats_d_random_student_t(3, 9.0, R, other, 0);
    restart();
    stats_d_random_student_t(3, 7.0, R, again, 0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(kept[i], again[i]);
    EXPECT_NE(kept[0], other[0]);
}
