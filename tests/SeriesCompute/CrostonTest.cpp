// Croston's method: forecasts against exact rational references, the most
// recent demand in the size estimate, the fitted constant, empty ranges and
// the argument checks.
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ComputeTestSupport.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "SeriesCompute/SeriesForecastCroston.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"

using namespace qd;

namespace {

#include "CrostonReference.inc"

bool hasFit(const Series& s, std::int32_t i)
{
    double v = 0.0;
    return s.observation(i).storedResults.lookup(QD_FORECAST, v) == 0;
}

double fitted(const Series& s, std::int32_t i)
{
    return s.observation(i).storedResults.value(QD_FORECAST);
}

// The cases include a series ending "..., 2, 50": its forecast must hold
// the 50 (the size estimate after a demand is the level that includes it).
TEST(Croston, GivenAlphaMatchesExactComputation)
{
    for (const CrostonCase& c : kCrostonCases) {
        SCOPED_TRACE("n " + std::to_string(c.n) + " start " + std::to_string(c.start) + " alpha " +
                     std::to_string(c.alpha));
        Series s;
        fillSeries(s, std::vector<double>(c.data, c.data + c.n));
        SeriesForecastCroston method(c.start, c.periods, c.alpha);
        applyForecast(s, method);
        ASSERT_EQ(s.numObservations(), c.n + c.periods);
        for (std::int32_t k = 0; k < c.count; ++k) {
            const std::int32_t i = c.start + k;
            EXPECT_NEAR(fitted(s, i), c.forecast[k], 1e-12 * std::fabs(c.forecast[k]) + 1e-15) << i;
            EXPECT_EQ(s.observation(i).storedResults.value(QD_CROSTON), fitted(s, i)) << i;
        }
        for (std::int32_t i = c.n; i < c.n + c.periods; ++i) {
            EXPECT_EQ(s.observation(i).originType, QD_COMPUTED);
            EXPECT_EQ(s.observation(i).value, fitted(s, i));
        }
        EXPECT_EQ(s.storedResults.value(QD_ALPHA), c.alpha);
        EXPECT_EQ(s.forecastMethodNumber, QD_CROSTON);
        EXPECT_EQ(method.alpha, c.alpha);
    }
}

// With alpha fitted, Croston uses the constant that the smoothing of the
// sizes alone fits, and the size estimate after the last demand is that
// smoothing's final level.
TEST(Croston, FittedAlphaIsTheSmoothingOfTheSizes)
{
    const std::vector<double> data = {0, 3, 0, 0, 9, 0, 4, 0, 0, 0, 11, 0, 5, 0, 7};
    Series s;
    fillSeries(s, data);
    SeriesForecastCroston method(0, 2, -3.0);
    applyForecast(s, method);
    EXPECT_EQ(method.alpha, -3.0);

    Series sizes;
    for (double v : data)
        if (v != 0.0)
            sizes.addObservation(v, QD_SUPPLIED, FdCString());
    SeriesForecastExponentialSmoothing smoothing(0, -3.0, 1, false, 0.0);
    applyForecast(sizes, smoothing);
    const double a = sizes.storedResults.value(QD_ALPHA);
    EXPECT_EQ(s.storedResults.value(QD_ALPHA), a);

    // Rebuild the interval by its textbook rule and divide.
    const std::int32_t n = static_cast<std::int32_t>(data.size());
    double P = static_cast<double>(n) / 6.0;
    double p = P;
    double q = 1.0;
    for (std::int32_t i = 0; i < n; ++i) {
        if (data[static_cast<std::size_t>(i)] != 0.0) {
            P = p;
            q = 1.0;
        }
        p = (1.0 - a) * P + a * q;
        q += 1.0;
    }
    const double finalSize = sizes.storedResults.value(QD_LEVEL_FINAL_VALUE);
    EXPECT_NEAR(fitted(s, n), finalSize / p, 1e-12 * finalSize / p);
    EXPECT_EQ(fitted(s, n + 1), fitted(s, n));
}

TEST(Croston, NoDemandForecastsZero)
{
    Series s;
    fillSeries(s, {5, 0, 0, 0});
    SeriesForecastCroston method(1, 2, -3.0);
    applyForecast(s, method);
    ASSERT_EQ(s.numObservations(), 6);
    EXPECT_FALSE(hasFit(s, 0));
    for (std::int32_t i = 1; i < 6; ++i)
        EXPECT_EQ(fitted(s, i), 0.0);
    EXPECT_EQ(s.storedResults.value(QD_ALPHA), 0.0);
}

TEST(Croston, ArgumentsRefusedBeforeAnyChange)
{
    const char* const path = "Libraries\\SeriesCompute\\SeriesForecastCroston";
    struct Case { std::int32_t obs; std::int32_t periods; double alpha; std::int32_t code; };
    const Case cases[] = {
        {0, 1, 1.0000001, 3007}, {0, 1, -0.5, 3007}, {0, 1, std::numeric_limits<double>::quiet_NaN(), 3007},
        {0, -1, 0.5, 3030},      {-1, 1, 0.5, 3000}, {4, 1, 0.5, 3006},
    };
    for (const Case& c : cases) {
        Series s;
        fillSeries(s, {1, 0, 2, 0});
        SeriesForecastCroston method(c.obs, c.periods, c.alpha);
        try {
            applyForecast(s, method);
            ADD_FAILURE() << "no exception, expected " << c.code;
        } catch (const MVRBaseException& e) {
            EXPECT_EQ(e.code, c.code);
            EXPECT_EQ(pathOf(e), path);
        }
        EXPECT_EQ(s.numObservations(), 4);
        EXPECT_FALSE(hasFit(s, 0));
        EXPECT_NE(s.forecastMethodNumber, QD_CROSTON);
    }
    // Exactly 1.0 is a legal constant.
    Series s;
    fillSeries(s, {1, 0, 2, 0});
    SeriesForecastCroston method(0, 0, 1.0);
    applyForecast(s, method);
    EXPECT_EQ(s.numObservations(), 4);
}

}  // namespace
