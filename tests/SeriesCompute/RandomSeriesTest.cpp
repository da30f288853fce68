// The random-series generators: values appended as computed observations,
// the published parameter checks plus every limit the numerical library
// would refuse (each with the generator's own code, and NaN failing every
// test), the scaling of the library's deviates, and the applier over a
// matrix.
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "ComputeTestSupport.h"
#include "Matrix/Matrix.h"
#include "Matrix/MatrixOpApplySeriesGenerateRandom.h"
#include "SeriesCompute/SeriesGenerateRandomBeta.h"
#include "SeriesCompute/SeriesGenerateRandomBinomial.h"
#include "SeriesCompute/SeriesGenerateRandomCauchy.h"
#include "SeriesCompute/SeriesGenerateRandomChiSquared.h"
#include "SeriesCompute/SeriesGenerateRandomExponential.h"
#include "SeriesCompute/SeriesGenerateRandomExponentialMix.h"
#include "SeriesCompute/SeriesGenerateRandomGamma.h"
#include "SeriesCompute/SeriesGenerateRandomGeometric.h"
#include "SeriesCompute/SeriesGenerateRandomHyperGeometric.h"
#include "SeriesCompute/SeriesGenerateRandomLogarithmic.h"
#include "SeriesCompute/SeriesGenerateRandomLognormal.h"
#include "SeriesCompute/SeriesGenerateRandomNegativeBinomial.h"
#include "SeriesCompute/SeriesGenerateRandomNormal.h"
#include "SeriesCompute/SeriesGenerateRandomPoisson.h"
#include "SeriesCompute/SeriesGenerateRandomStudentT.h"
#include "SeriesCompute/SeriesGenerateRandomTriangular.h"
#include "SeriesCompute/SeriesGenerateRandomUniform.h"
#include "SeriesCompute/SeriesGenerateRandomUniformDiscrete.h"
#include "SeriesCompute/SeriesGenerateRandomVonMises.h"
#include "SeriesCompute/SeriesGenerateRandomWeibull.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

using Factory = std::function<std::unique_ptr<SeriesGenerateRandom>()>;

template <class G, class... Args>
Factory make(Args... args)
{
    return [=] { return std::unique_ptr<SeriesGenerateRandom>(new G(args...)); };
}

// Restarts the library's stream at a known state (after the generators'
// own once-per-process seeding has happened).
void restart(std::int32_t seed)
{
    Series s;
    SeriesGenerateRandomUniform(1, 0.0, 1.0).generate(s);
    stats_random_option(1);
    stats_set_random_seed(seed);
}

}  // namespace

TEST(RandomSeries, AppendsComputedObservations)
{
    Series series;
    fillSeries(series, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    SeriesGenerateRandomNormal(5, 100.0, 2.0).generate(series);
    ASSERT_EQ(15, series.numObservations());
    for (std::int32_t i = 0; i < 10; ++i) {
        EXPECT_EQ(i + 1.0, series.observation(i).value);
        EXPECT_EQ(QD_SUPPLIED, series.observation(i).originType);
    }
    for (std::int32_t i = 10; i < 15; ++i) {
        EXPECT_EQ(QD_COMPUTED, series.observation(i).originType);
        EXPECT_EQ(std::string("Normal"), std::string(series.observation(i).description.data()));
        EXPECT_NEAR(100.0, series.observation(i).value, 20.0);
    }
    // The published names, misspelling included.
    struct Named {
        Factory make;
        const char* name;
    };
    const Named names[] = {
        {make<SeriesGenerateRandomExponential>(1, 1.0), "Expenontial"},
        {make<SeriesGenerateRandomChiSquared>(1, 1.0), "Chi-Squared"},
        {make<SeriesGenerateRandomHyperGeometric>(1, 10, 10, 20), "HyperGeometric"},
        {make<SeriesGenerateRandomUniformDiscrete>(1, 0, 1), "UniformDiscrete"},
    };
    for (const Named& n : names) {
        Series s;
        n.make()->generate(s);
        EXPECT_EQ(std::string(n.name), std::string(s.observation(0).description.data()));
    }
}

// Every generator with the automation defaults: count values inside the
// distribution's support.
TEST(RandomSeries, DefaultsGiveValuesInTheSupport)
{
    struct Case {
        const char* label;
        Factory make;
        double low, high;
        bool integral;
    };
    const Case cases[] = {
        {"Normal", make<SeriesGenerateRandomNormal>(200, 0.0, 1.0), -10, 10, false},
        {"Binomial", make<SeriesGenerateRandomBinomial>(200, 10, 0.5), 0, 10, true},
        {"Geometric", make<SeriesGenerateRandomGeometric>(200, 0.5), 1, 100, true},
        {"HyperGeometric", make<SeriesGenerateRandomHyperGeometric>(200, 10, 10, 20), 0, 10, true},
        {"Logarithmic", make<SeriesGenerateRandomLogarithmic>(200, 0.5), 1, 100, true},
        {"NegativeBinomial", make<SeriesGenerateRandomNegativeBinomial>(200, 10.0, 0.5), 0, 200, true},
        {"Poisson", make<SeriesGenerateRandomPoisson>(200, 1.0), 0, 50, true},
        {"Beta", make<SeriesGenerateRandomBeta>(200, 1.0, 1.0), 0, 1, false},
        {"Cauchy", make<SeriesGenerateRandomCauchy>(200), -kInf, kInf, false},
        {"ChiSquared", make<SeriesGenerateRandomChiSquared>(200, 1.0), 0, 100, false},
        {"Exponential", make<SeriesGenerateRandomExponential>(200, 1.0), 0, 100, false},
        {"ExponentialMix", make<SeriesGenerateRandomExponentialMix>(200, 2.0, 1.0, 0.5), 0, 100, false},
        {"Gamma", make<SeriesGenerateRandomGamma>(200, 1.0, 1.0), 0, 100, false},
        {"Lognormal", make<SeriesGenerateRandomLognormal>(200, 0.0, 1.0), 0, 1e6, false},
        {"StudentT", make<SeriesGenerateRandomStudentT>(200, 1.0, 0.0, 1.0), -kInf, kInf, false},
        {"VonMises", make<SeriesGenerateRandomVonMises>(200, 1.0), -3.15, 3.15, false},
        {"Weibull", make<SeriesGenerateRandomWeibull>(200, 1.0, 1.0), 0, 100, false},
        {"Uniform", make<SeriesGenerateRandomUniform>(200, 0.0, 1.0), 0, 1, false},
        {"UniformDiscrete", make<SeriesGenerateRandomUniformDiscrete>(200, 0, 1), 0, 1, true},
        {"Triangular", make<SeriesGenerateRandomTriangular>(200, 0.0, 0.5, 1.0), 0, 1, false},
    };
    for (const Case& c : cases) {
        Series s;
        c.make()->generate(s);
        ASSERT_EQ(200, s.numObservations()) << c.label;
        for (std::int32_t i = 0; i < 200; ++i) {
            const double v = s.observation(i).value;
            EXPECT_TRUE(v >= c.low && v <= c.high) << c.label << " " << v;
            if (c.integral)
                EXPECT_EQ(std::trunc(v), v) << c.label;
        }
    }
}

// The first failing check throws with its code and the generator's path;
// nothing is appended. Beside the published conditions: NaN, infinities,
// and the values the library refuses.
TEST(RandomSeries, RefusedParameters)
{
    struct Case {
        const char* label;
        Factory make;
        std::int32_t code;
        const char* path;
    };
    const char* const base = "INCLUDE\\SeriesCompute/SeriesCompute";
    const Case cases[] = {
        {"count 0", make<SeriesGenerateRandomNormal>(0, 0.0, 1.0), 3119, base},
        {"count -3", make<SeriesGenerateRandomCauchy>(-3), 3119, base},
        {"normal sd 0", make<SeriesGenerateRandomNormal>(1, 0.0, 0.0), 3120, "Normal"},
        {"normal sd NaN", make<SeriesGenerateRandomNormal>(1, 0.0, kNaN), 3120, "Normal"},
        {"normal sd Inf", make<SeriesGenerateRandomNormal>(1, 0.0, kInf), 3120, "Normal"},
        {"normal variance overflows", make<SeriesGenerateRandomNormal>(1, 0.0, 1e200), 3120, "Normal"},
        {"normal variance underflows", make<SeriesGenerateRandomNormal>(1, 0.0, 1e-200), 3120, "Normal"},
        {"binomial n 0", make<SeriesGenerateRandomBinomial>(1, 0, 0.5), 3123, "Binomial"},
        {"binomial p 1", make<SeriesGenerateRandomBinomial>(1, 10, 1.0), 3122, "Binomial"},
        {"binomial p NaN", make<SeriesGenerateRandomBinomial>(1, 10, kNaN), 3122, "Binomial"},
        {"geometric p 0", make<SeriesGenerateRandomGeometric>(1, 0.0), 3122, "Geometric"},
        {"hyper n 0", make<SeriesGenerateRandomHyperGeometric>(1, 0, 5, 10), 3124, "HyperGeometric"},
        {"hyper m 0", make<SeriesGenerateRandomHyperGeometric>(1, 5, 0, 10), 3125, "HyperGeometric"},
        {"hyper l = n", make<SeriesGenerateRandomHyperGeometric>(1, 10, 5, 10), 3126, "HyperGeometric"},
        {"hyper l = m", make<SeriesGenerateRandomHyperGeometric>(1, 5, 10, 10), 3126, "HyperGeometric"},
        {"logarithmic a 1", make<SeriesGenerateRandomLogarithmic>(1, 1.0), 3127, "Logarithmic"},
        {"negbin r NaN", make<SeriesGenerateRandomNegativeBinomial>(1, kNaN, 0.5), 3129, "NegativeBinomial"},
        {"negbin p below eps", make<SeriesGenerateRandomNegativeBinomial>(1, 2.0, 1e-17), 3122, "NegativeBinomial"},
        {"poisson 0", make<SeriesGenerateRandomPoisson>(1, 0.0), 3130, "Poisson"},
        {"poisson 2^31", make<SeriesGenerateRandomPoisson>(1, 2147483648.0), 3130, "Poisson"},
        {"poisson float 0", make<SeriesGenerateRandomPoisson>(1, 1e-50), 3130, "Poisson"},
        {"poisson NaN", make<SeriesGenerateRandomPoisson>(1, kNaN), 3130, "Poisson"},
        {"beta p 0", make<SeriesGenerateRandomBeta>(1, 0.0, 1.0), 3131, "Beta"},
        {"beta q Inf", make<SeriesGenerateRandomBeta>(1, 1.0, kInf), 3132, "Beta"},
        {"chi df NaN", make<SeriesGenerateRandomChiSquared>(1, kNaN), 3133, "ChiSquared"},
        {"mix theta1 0", make<SeriesGenerateRandomExponentialMix>(1, 0.0, 1.0, 0.5), 3134, "ExponentialMix"},
        {"mix theta2 > theta1", make<SeriesGenerateRandomExponentialMix>(1, 1.0, 2.0, 0.5), 3135, "ExponentialMix"},
        {"mix p 2.5", make<SeriesGenerateRandomExponentialMix>(1, 2.0, 1.0, 2.5), 3136, "ExponentialMix"},
        {"mix p NaN", make<SeriesGenerateRandomExponentialMix>(1, 2.0, 2.0, kNaN), 3136, "ExponentialMix"},
        {"gamma alpha NaN", make<SeriesGenerateRandomGamma>(1, kNaN, 1.0), 3137, "Gamma"},
        {"gamma beta 0", make<SeriesGenerateRandomGamma>(1, 1.0, 0.0), 3138, "Gamma"},
        {"lognormal sd 0", make<SeriesGenerateRandomLognormal>(1, 0.0, 0.0), 3120, "Lognormal"},
        {"t df 0", make<SeriesGenerateRandomStudentT>(1, 0.0, 0.0, 1.0), 3139, "StudentT"},
        {"t df below eps", make<SeriesGenerateRandomStudentT>(1, 1e-17, 0.0, 1.0), 3139, "StudentT"},
        {"t sd 0", make<SeriesGenerateRandomStudentT>(1, 3.0, 0.0, 0.0), 3120, "StudentT"},
        {"t variance below eps", make<SeriesGenerateRandomStudentT>(1, 3.0, 0.0, 1e-9), 3120, "StudentT"},
        {"von Mises 0", make<SeriesGenerateRandomVonMises>(1, 0.0), 3140, "VonMises"},
        {"von Mises 1e-9", make<SeriesGenerateRandomVonMises>(1, 1e-9), 3140, "VonMises"},
        // Concentrations the rejection method cannot draw from (it would never end).
        {"von Mises 1e300", make<SeriesGenerateRandomVonMises>(1, 1e300), 3140, "VonMises"},
        {"von Mises 1e16", make<SeriesGenerateRandomVonMises>(1, 1e16), 3140, "VonMises"},
        {"von Mises above 1e12", make<SeriesGenerateRandomVonMises>(1, 1.000001e12), 3140, "VonMises"},
        {"Weibull alpha NaN", make<SeriesGenerateRandomWeibull>(1, kNaN, 1.0), 3141, "Weibull"},
        {"Weibull beta 0", make<SeriesGenerateRandomWeibull>(1, 1.0, 0.0), 3142, "Weibull"},
        {"uniform min > max", make<SeriesGenerateRandomUniform>(1, 2.0, 1.0), 3143, "Uniform"},
        {"uniform NaN", make<SeriesGenerateRandomUniform>(1, kNaN, 1.0), 3143, "Uniform"},
        {"discrete min > max", make<SeriesGenerateRandomUniformDiscrete>(1, 2, 1), 3143, "UniformDiscrete"},
        {"discrete span 2^32", make<SeriesGenerateRandomUniformDiscrete>(1, -2147483647 - 1, 2147483647), 3143,
         "UniformDiscrete"},
        {"triangular", make<SeriesGenerateRandomTriangular>(1, 0.0, 2.0, 1.0), 3144, "Triangular"},
        {"triangular NaN", make<SeriesGenerateRandomTriangular>(1, 0.0, kNaN, 1.0), 3144, "Triangular"},
    };
    for (const Case& c : cases) {
        Series s;
        fillSeries(s, {1.0});
        try {
            c.make()->generate(s);
            ADD_FAILURE() << c.label << ": no exception";
        } catch (const MVRBaseException& e) {
            EXPECT_EQ(c.code, e.code) << c.label;
            const std::string expected =
                c.path == base ? std::string(base) : std::string("Libraries\\SeriesCompute\\SeriesGenerateRandom") + c.path;
            EXPECT_EQ(expected, pathOf(e)) << c.label;
        }
        EXPECT_EQ(1, s.numObservations()) << c.label;
    }
}

// Every real generator with hostile parameters: it appends only finite
// values, or appends nothing and throws one of its own codes (never the
// unforeseen failure 999, never a value that is not a number).
TEST(RandomSeries, HostileParametersGiveFiniteValuesOrTheirOwnCode)
{
    const double big = std::numeric_limits<double>::max();
    const std::vector<double> hostile = {kNaN, kInf, -kInf, 0.0, -1.0, 5e-324, 1e-300, 0.3, 1.0, 2.0,
                                         1e12, 1e18, 1e20, 1e50, 1e100, 1e300, big, -big, -1e308, 1e308};
    using Maker = std::function<std::unique_ptr<SeriesGenerateRandom>(const std::vector<double>&)>;
    struct Generator {
        const char* label;
        std::vector<double> typical;
        std::vector<std::int32_t> codes;
        Maker make;
    };
    auto own = [](auto* g) { return std::unique_ptr<SeriesGenerateRandom>(g); };
    const Generator generators[] = {
        {"Normal", {0.0, 1.0}, {3120}, [&](const std::vector<double>& a) { return own(new SeriesGenerateRandomNormal(5, a[0], a[1])); }},
        {"Beta", {2.0, 3.0}, {3131, 3132}, [&](const std::vector<double>& a) { return own(new SeriesGenerateRandomBeta(5, a[0], a[1])); }},
        {"ChiSquared", {3.0}, {3133}, [&](const std::vector<double>& a) { return own(new SeriesGenerateRandomChiSquared(5, a[0])); }},
        {"Exponential", {2.0}, {3120}, [&](const std::vector<double>& a) { return own(new SeriesGenerateRandomExponential(5, a[0])); }},
        {"ExponentialMix", {2.0, 1.0, 0.5}, {3134, 3135, 3136},
         [&](const std::vector<double>& a) { return own(new SeriesGenerateRandomExponentialMix(5, a[0], a[1], a[2])); }},
        {"Gamma", {2.0, 1.0}, {3137, 3138}, [&](const std::vector<double>& a) { return own(new SeriesGenerateRandomGamma(5, a[0], a[1])); }},
        {"Lognormal", {0.0, 1.0}, {3120}, [&](const std::vector<double>& a) { return own(new SeriesGenerateRandomLognormal(5, a[0], a[1])); }},
        {"StudentT", {3.0, 0.0, 1.0}, {3139, 3120},
         [&](const std::vector<double>& a) { return own(new SeriesGenerateRandomStudentT(5, a[0], a[1], a[2])); }},
        {"VonMises", {1.0}, {3140}, [&](const std::vector<double>& a) { return own(new SeriesGenerateRandomVonMises(5, a[0])); }},
        {"Weibull", {2.0, 1.0}, {3141, 3142}, [&](const std::vector<double>& a) { return own(new SeriesGenerateRandomWeibull(5, a[0], a[1])); }},
        {"Uniform", {0.0, 1.0}, {3143}, [&](const std::vector<double>& a) { return own(new SeriesGenerateRandomUniform(5, a[0], a[1])); }},
        {"Triangular", {0.0, 0.5, 1.0}, {3144},
         [&](const std::vector<double>& a) { return own(new SeriesGenerateRandomTriangular(5, a[0], a[1], a[2])); }},
        {"NegativeBinomial", {10.0, 0.5}, {3129, 3122},
         [&](const std::vector<double>& a) { return own(new SeriesGenerateRandomNegativeBinomial(5, a[0], a[1])); }},
        {"Poisson", {3.0}, {3130}, [&](const std::vector<double>& a) { return own(new SeriesGenerateRandomPoisson(5, a[0])); }},
    };
    auto run = [](const Generator& g, const std::vector<double>& a) {
        std::string label = g.label;
        for (double v : a) label += " " + std::to_string(v);
        Series s;
        try {
            g.make(a)->generate(s);
        } catch (const MVRBaseException& e) {
            bool known = false;
            for (std::int32_t c : g.codes) known = known || c == e.code;
            EXPECT_TRUE(known) << label << ": " << e.code;
            EXPECT_EQ(0, s.numObservations()) << label;
            return;
        }
        ASSERT_EQ(5, s.numObservations()) << label;
        for (std::int32_t i = 0; i < 5; ++i) EXPECT_TRUE(std::isfinite(s.observation(i).value)) << label;
    };
    for (const Generator& g : generators) {
        for (std::size_t j = 0; j < g.typical.size(); ++j)
            for (double h : hostile) {
                std::vector<double> a = g.typical;
                a[j] = h;
                run(g, a);
            }
        for (double h : hostile) run(g, std::vector<double>(g.typical.size(), h));
    }
}

// The reported parameters, with what they give now.
TEST(RandomSeries, ReportedParametersGiveTheirValuesOrTheirOwnCode)
{
    Series s;
    SeriesGenerateRandomUniform(50, -1e308, 1e308).generate(s);
    SeriesGenerateRandomTriangular(50, -1e308, 0.0, 1e308).generate(s);
    SeriesGenerateRandomTriangular(50, -1.7e308, 1.7e308, 1.7e308).generate(s);
    for (std::int32_t i = 0; i < 150; ++i) {
        const double v = s.observation(i).value;
        EXPECT_TRUE(v >= -1.7e308 && v <= 1.7e308) << i << ": " << v;
    }
    // Both halves of the range are reached.
    int negative = 0;
    for (std::int32_t i = 0; i < 50; ++i) negative += s.observation(i).value < 0.0;
    EXPECT_GT(negative, 5);
    EXPECT_LT(negative, 45);
    SeriesGenerateRandomGamma(3, 1e50, 1.0).generate(s);
    SeriesGenerateRandomGamma(3, 1e300, 1.0).generate(s);
    SeriesGenerateRandomChiSquared(3, 1e100).generate(s);
    SeriesGenerateRandomBeta(1, 2.0, std::numeric_limits<double>::max()).generate(s);
    for (std::int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(1e50, s.observation(150 + i).value);
        EXPECT_EQ(1e300, s.observation(153 + i).value);
        EXPECT_EQ(1e100, s.observation(156 + i).value);
    }
    EXPECT_EQ(std::ldexp(1.0, -53), s.observation(159).value);
    struct Case {
        const char* label;
        Factory make;
        std::int32_t code;
    };
    const Case refused[] = {
        {"beta 1e18 2", make<SeriesGenerateRandomBeta>(2, 1e18, 2.0), 3131},
        {"chi-squared 5e-324", make<SeriesGenerateRandomChiSquared>(3, 5e-324), 3133},
        {"gamma overflowing scale", make<SeriesGenerateRandomGamma>(3, 1e300, 1e10), 3138},
        {"exponential mean NaN", make<SeriesGenerateRandomExponential>(3, kNaN), 3120},
        {"normal mean Inf", make<SeriesGenerateRandomNormal>(3, kInf, 1.0), 3120},
    };
    for (const Case& c : refused) {
        Series t;
        try {
            c.make()->generate(t);
            ADD_FAILURE() << c.label << ": no exception";
        } catch (const MVRBaseException& e) {
            EXPECT_EQ(c.code, e.code) << c.label;
        }
        EXPECT_EQ(0, t.numObservations()) << c.label;
    }
}

// Limits that pass: the published edges and the largest discrete span.
TEST(RandomSeries, EdgesThatPass)
{
    Series s;
    SeriesGenerateRandomHyperGeometric(3, 10, 5, 11).generate(s);
    SeriesGenerateRandomExponentialMix(3, 2.0, 2.0, 1e6).generate(s);  // equal means: any p >= 0
    SeriesGenerateRandomExponential(3, -2.0).generate(s);               // a negative mean gives negative values
    for (std::int32_t i = 6; i < 9; ++i)
        EXPECT_LT(s.observation(i).value, 0.0);
    SeriesGenerateRandomUniformDiscrete(50, -1073741824, 1073741822).generate(s);  // span 2^31 - 1
    for (std::int32_t i = 9; i < 59; ++i) {
        EXPECT_GE(s.observation(i).value, -1073741824.0);
        EXPECT_LE(s.observation(i).value, 1073741822.0);
    }
    SeriesGenerateRandomUniformDiscrete(5, 7, 7).generate(s);
    SeriesGenerateRandomUniform(5, 3.5, 3.5).generate(s);
    for (std::int32_t i = 59; i < 64; ++i)
        EXPECT_EQ(7.0, s.observation(i).value);
    for (std::int32_t i = 64; i < 69; ++i)
        EXPECT_EQ(3.5, s.observation(i).value);
    SeriesGenerateRandomNegativeBinomial(5, 1e9, 0.999999).generate(s);  // Poisson means beyond 2^31
    EXPECT_EQ(74, s.numObservations());
    // The largest von Mises concentration: deviates within a few 1e-6 of 0.
    SeriesGenerateRandomVonMises(20, 1e12).generate(s);
    ASSERT_EQ(74 + 20, s.numObservations());
    for (std::int32_t i = 74; i < s.numObservations(); ++i)
        EXPECT_LT(std::fabs(s.observation(i).value), 1e-4);
}

// The scaling of the library's deviates, against the library itself from
// the same point of the stream.
TEST(RandomSeries, ScalesTheLibraryDeviates)
{
    const int n = 20;
    std::vector<double> u(n), e(n), g(n), t(n);
    restart(777);
    stats_d_random_uniform(n, STATS_OPT_RETURN_USER, u.data(), 0);
    restart(777);
    stats_d_random_exponential(n, STATS_OPT_RETURN_USER, e.data(), 0);
    restart(777);
    stats_d_random_gamma(n, 2.5, STATS_OPT_RETURN_USER, g.data(), 0);
    struct Case {
        const char* label;
        Factory make;
        std::function<double(int)> expected;
    };
    const Case cases[] = {
        {"uniform", make<SeriesGenerateRandomUniform>(n, 2.0, 5.0), [&](int i) { return 2.0 + 3.0 * u[i]; }},
        {"exponential", make<SeriesGenerateRandomExponential>(n, 4.0), [&](int i) { return 4.0 * e[i]; }},
        {"gamma", make<SeriesGenerateRandomGamma>(n, 2.5, 3.0), [&](int i) { return 3.0 * g[i]; }},
        {"triangular c = 0", make<SeriesGenerateRandomTriangular>(n, 1.0, 1.0, 3.0),
         [&](int i) { return 3.0 - 2.0 * std::sqrt(1.0 - u[i]); }},
        {"triangular c = 1", make<SeriesGenerateRandomTriangular>(n, 1.0, 3.0, 3.0),
         [&](int i) { return 1.0 + 2.0 * std::sqrt(u[i]); }},
        {"triangular", make<SeriesGenerateRandomTriangular>(n, 0.0, 1.0, 4.0),
         [&](int i) { return u[i] <= 0.25 ? std::sqrt(u[i] / 0.25) : 4.0 - 3.0 * std::sqrt((1.0 - u[i]) / 0.75); }},
        {"uniform discrete", make<SeriesGenerateRandomUniformDiscrete>(n, -3, 3),
         [&](int i) { return std::trunc(u[i] * 7 + 1.0) - 4.0; }},
    };
    for (const Case& c : cases) {
        Series s;
        const auto generator = c.make();
        restart(777);
        generator->generate(s);
        for (int i = 0; i < n; ++i)
            EXPECT_DOUBLE_EQ(c.expected(i), s.observation(i).value) << c.label << " " << i;
    }
}

// Over a matrix each series receives its own run from the one stream.
TEST(RandomSeries, MatrixApplierGivesEverySeriesItsOwnRun)
{
    Matrix matrix;
    matrix.addSeries(Series());
    matrix.addSeries(Series());
    SeriesGenerateRandomUniform generator(4, 0.0, 1.0);
    restart(31);
    std::vector<double> u(8);
    stats_d_random_uniform(8, STATS_OPT_RETURN_USER, u.data(), 0);
    restart(31);
    MatrixOpApplySeriesGenerateRandom op(generator);
    op.apply(matrix);
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(u[static_cast<std::size_t>(4 * j + i)], matrix.series(j).observation(i).value);
}
