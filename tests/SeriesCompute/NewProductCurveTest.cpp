// New-product curves: fixed-bound fits against 50-digit references, the
// same curve whatever the unit of the data, the average fallback, values
// whose linearisation overflows, a reversed ceiling interval, the probit
// curve's positive regressor, the checks and the optimised choice.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ComputeTestSupport.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "SeriesCompute/SeriesForecastNewProductCurve.h"
#include "SeriesCompute/SeriesForecastNewProductOptimizedCurve.h"

using namespace qd;

namespace {

#include "NewProductReference.inc"

double fitted(const Series& s, std::int32_t i)
{
    return s.observation(i).storedResults.value(QD_FORECAST);
}

std::vector<double> curveData()
{
    return std::vector<double>(std::begin(kCurveData), std::end(kCurveData));
}

void expectRelative(double actual, double expected, double tol, const std::string& what)
{
    EXPECT_NEAR(actual, expected, tol * (std::fabs(expected) + 1e-300)) << what;
}

TEST(NewProductCurve, FixedBoundsMatchReference)
{
    const std::int32_t n = static_cast<std::int32_t>(curveData().size());
    for (const CurveCase& c : kCurveCases) {
        SCOPED_TRACE("curve " + std::to_string(c.curve) + " bounds " + std::to_string(c.floor) + " " +
                     std::to_string(c.ceiling));
        Series s;
        fillSeries(s, curveData());
        SeriesForecastNewProductCurve method(QD_LAST, QD_ALL, c.periods, c.floor, c.ceiling,
                                             QD_CURVE_MAXIMUM_FIXED, c.curve);
        applyForecast(s, method);
        ASSERT_EQ(s.numObservations(), n + c.periods);
        EXPECT_EQ(s.forecastMethodNumber, 24 + c.curve);
        expectRelative(s.storedResults.value(QD_ALPHA), c.a, 1e-14, "a");
        expectRelative(s.storedResults.value(QD_BETA), c.b, 1e-10, "b");
        expectRelative(s.storedResults.value(QD_GAMMA), c.c, 1e-10, "c");
        EXPECT_EQ(s.storedResults.value(QD_DELTA), c.d);
        for (std::int32_t i = 0; i < n + c.periods; ++i) {
            expectRelative(fitted(s, i), c.forecast[i], 1e-9, "forecast " + std::to_string(i));
            EXPECT_EQ(s.observation(i).storedResults.value(24 + c.curve), fitted(s, i));
        }
    }
    // The default bounds of this data are those of the first case: floor 0
    // (no negative value) and ceiling 55 + 10 x 53.
    Series s;
    fillSeries(s, curveData());
    SeriesForecastNewProductCurve method(QD_LAST, QD_ALL, 3, -3.0, -3.0, QD_CURVE_MAXIMUM_FIXED, 1);
    applyForecast(s, method);
    EXPECT_EQ(s.storedResults.value(QD_DELTA), 0.0);
    EXPECT_EQ(s.storedResults.value(QD_ALPHA), 585.0);
    expectRelative(fitted(s, n + 2), kCurveCases[0].forecast[n + 2], 1e-9, "last forecast");
}

// The ceiling search uses a relative tolerance: data in another unit gives
// the same curve in that unit.
TEST(NewProductCurve, SameCurveWhateverTheUnit)
{
    const double units[] = {1e-3, 7.0, 1e3, 1e6};
    for (std::int32_t curve = 1; curve <= 3; ++curve) {
        Series base;
        fillSeries(base, curveData());
        SeriesForecastNewProductCurve m0(QD_LAST, QD_ALL, 2, -3.0, -3.0, QD_CURVE_MAXIMUM_OPTIMIZED, curve);
        applyForecast(base, m0);
        for (double unit : units) {
            SCOPED_TRACE("curve " + std::to_string(curve) + " unit " + std::to_string(unit));
            std::vector<double> scaled = curveData();
            for (double& v : scaled)
                v *= unit;
            Series s;
            fillSeries(s, scaled);
            SeriesForecastNewProductCurve m(QD_LAST, QD_ALL, 2, -3.0, -3.0, QD_CURVE_MAXIMUM_OPTIMIZED, curve);
            applyForecast(s, m);
            expectRelative(s.storedResults.value(QD_ALPHA) / unit, base.storedResults.value(QD_ALPHA), 1e-8, "a");
            expectRelative(s.storedResults.value(QD_BETA), base.storedResults.value(QD_BETA), 1e-8, "b");
            expectRelative(s.storedResults.value(QD_GAMMA), base.storedResults.value(QD_GAMMA), 1e-8, "c");
            for (std::int32_t i = 0; i < base.numObservations(); ++i)
                expectRelative(fitted(s, i) / unit, fitted(base, i), 1e-8, std::to_string(i));
        }
    }
}

TEST(NewProductCurve, TooFewValuesForecastTheAverage)
{
    // Two values in the range; then bounds that leave two values inside.
    struct Case { std::int32_t count; double floor; double ceiling; };
    const Case cases[] = {{2, -3.0, -3.0}, {QD_ALL, 10.0, 30.0}};
    for (const Case& c : cases) {
        Series s;
        fillSeries(s, curveData());
        SeriesForecastNewProductCurve method(QD_LAST, c.count, 1, c.floor, c.ceiling, QD_CURVE_MAXIMUM_FIXED, 2);
        applyForecast(s, method);
        EXPECT_EQ(s.forecastMethodNumber, QD_AVERAGE);
        const std::int32_t n = static_cast<std::int32_t>(curveData().size());
        EXPECT_EQ(s.numObservations(), n + 1);
        EXPECT_EQ(fitted(s, n), fitted(s, n - 1));
    }
    Series s;
    fillSeries(s, {4.0, 9.0});
    SeriesForecastNewProductOptimizedCurve method(QD_LAST, QD_ALL, 2, -3.0, -3.0, QD_CURVE_MAXIMUM_OPTIMIZED);
    applyForecast(s, method);
    EXPECT_EQ(s.forecastMethodNumber, QD_AVERAGE);
    EXPECT_TRUE(method.fellBack);
    EXPECT_EQ(fitted(s, 3), 6.5);
}

// A value so close to the floor that its linearisation overflows is left
// out of the fit like a value on the bound: same curve as without it.
TEST(NewProductCurve, OverflowingLinearisationLeftOut)
{
    const double ceiling = 1e10;
    std::vector<double> data = {1e-300, 1e9, 3e9, 5e9, 7e9, 8e9};  // a / 1e-300 overflows
    std::vector<double> onFloor = data;
    onFloor[0] = 0.0;
    Series a;
    Series b;
    fillSeries(a, data);
    fillSeries(b, onFloor);
    SeriesForecastNewProductCurve ma(QD_LAST, QD_ALL, 1, 0.0, ceiling, QD_CURVE_MAXIMUM_FIXED, 2);
    SeriesForecastNewProductCurve mb(QD_LAST, QD_ALL, 1, 0.0, ceiling, QD_CURVE_MAXIMUM_FIXED, 2);
    applyForecast(a, ma);
    applyForecast(b, mb);
    EXPECT_EQ(a.forecastMethodNumber, QD_LOGISTIC_CURVE);
    EXPECT_EQ(a.storedResults.value(QD_BETA), b.storedResults.value(QD_BETA));
    EXPECT_EQ(a.storedResults.value(QD_GAMMA), b.storedResults.value(QD_GAMMA));
    for (std::int32_t i = 0; i < a.numObservations(); ++i)
        EXPECT_TRUE(std::isfinite(fitted(a, i))) << i;
}

// A given ceiling below the start of the ceiling search (largest value less
// a tenth of the spread): the interval is searched the right way round.
TEST(NewProductCurve, ReversedCeilingIntervalExchanged)
{
    Series s;
    fillSeries(s, curveData());
    SeriesForecastNewProductCurve method(QD_LAST, QD_ALL, 1, -3.0, 45.0, QD_CURVE_MAXIMUM_OPTIMIZED, 2);
    applyForecast(s, method);
    EXPECT_EQ(s.forecastMethodNumber, QD_LOGISTIC_CURVE);
    const double ceiling = s.storedResults.value(QD_ALPHA) + s.storedResults.value(QD_DELTA);
    EXPECT_GE(ceiling, 45.0);
    EXPECT_LE(ceiling, 55.0 - 5.3 + 1e-12);
    for (std::int32_t i = 0; i < s.numObservations(); ++i)
        EXPECT_TRUE(std::isfinite(fitted(s, i))) << i;
}

TEST(NewProductCurve, ArgumentsRefused)
{
    const char* const path = "Libraries\\SeriesCompute\\SeriesForecastNewProductCurve";
    Series independent;
    fillSeries(independent, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0.0});
    Series shortIndependent;
    fillSeries(shortIndependent, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    struct Case { double low; double high; std::int32_t periods; std::int32_t curve; Series* x; std::int32_t code; };
    const Case cases[] = {
        {5.0, 5.0, 1, 1, nullptr, 3104},
        {0.0, -3.0, -1, 1, nullptr, 3030},
        {-3.0, -3.0, 1, 1, &shortIndependent, 3115},
        // The probit curve would take the logarithm of the 0 at the
        // forecast period.
        {-3.0, -3.0, 1, 3, &independent, 3116},
    };
    for (const Case& c : cases) {
        Series s;
        fillSeries(s, curveData());
        SeriesForecastNewProductCurve method(QD_LAST, QD_ALL, c.periods, c.low, c.high, QD_CURVE_MAXIMUM_FIXED,
                                             c.curve, c.x);
        try {
            applyForecast(s, method);
            ADD_FAILURE() << "no exception, expected " << c.code;
        } catch (const MVRBaseException& e) {
            EXPECT_EQ(e.code, c.code);
            EXPECT_EQ(pathOf(e), path);
        }
        EXPECT_EQ(s.numObservations(), 11);
        EXPECT_EQ(s.forecastMethodNumber, -1);
    }
    // A given floor with a computed ceiling is no conflict; the same
    // independent series without forecast periods is fine for the probit.
    Series s;
    fillSeries(s, curveData());
    SeriesForecastNewProductCurve method(QD_LAST, QD_ALL, 0, 5.0, -3.0, QD_CURVE_MAXIMUM_FIXED, 3, &independent);
    applyForecast(s, method);
    EXPECT_EQ(s.forecastMethodNumber, QD_PROBIT_CURVE);
}

TEST(NewProductOptimizedCurve, ChoosesTheExactLogistic)
{
    // 10 + 90 / (1 + exp(3 - 0.8 k)) exactly representable to rounding.
    std::vector<double> data;
    for (std::int32_t k = 0; k < 12; ++k)
        data.push_back(10.0 + 90.0 / (1.0 + std::exp(3.0 - 0.8 * k)));
    Series s;
    fillSeries(s, data);
    SeriesForecastNewProductOptimizedCurve method(QD_LAST, QD_ALL, 2, 10.0, 100.0, QD_CURVE_MAXIMUM_FIXED);
    applyForecast(s, method);
    EXPECT_EQ(method.chosenCurve, QD_NP_LOGISTIC_CURVE);
    EXPECT_EQ(s.forecastMethodNumber, QD_NEW_PRODUCT_FORECASTING);
    ASSERT_EQ(s.numObservations(), 14);
    for (std::int32_t i = 0; i < 14; ++i)
        EXPECT_EQ(s.observation(i).storedResults.value(QD_NEW_PRODUCT_FORECASTING), fitted(s, i)) << i;
    expectRelative(fitted(s, 13), 10.0 + 90.0 / (1.0 + std::exp(3.0 - 0.8 * 13)), 1e-9, "forecast");
    expectRelative(s.storedResults.value(QD_BETA), 3.0, 1e-9, "b");
    expectRelative(s.storedResults.value(QD_GAMMA), 0.8, 1e-9, "c");
}

}  // namespace
