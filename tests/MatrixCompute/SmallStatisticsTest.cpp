// Centered moving average, historical service level, the fit statistics
// (chi-square, Cochrane-Orcutt, rolling and cumulative MAPE, standardized
// MAE) and the average, Bass and lagged forecasts. Expected values are
// hand computations given in comments, or from
// make_small_statistics_reference.py.
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "Matrix/SeriesOpApplySeriesCompute.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "SeriesCompute/SeriesComputeCenteredMovingAverage.h"
#include "SeriesCompute/SeriesComputeChiSquare.h"
#include "SeriesCompute/SeriesComputeCochraneOrcutt.h"
#include "SeriesCompute/SeriesComputeCumulativeMAPE.h"
#include "SeriesCompute/SeriesComputeRollingMAPE.h"
#include "SeriesCompute/SeriesComputeSMDHistServiceLevel.h"
#include "SeriesCompute/SeriesComputeStandardizedMAE.h"
#include "SeriesCompute/SeriesForecastAverage.h"
#include "SeriesCompute/SeriesForecastBassModel.h"
#include "SeriesCompute/SeriesForecastCroston.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastLaggedForecast.h"
#include "SeriesCompute/SeriesForecastLinearRegression.h"
#include "SeriesCompute/SeriesForecastNewProductCurve.h"
#include "SeriesCompute/SeriesForecastSelvane.h"
#include "RegressionTestSupport.h"

using namespace regtest;

namespace {
#include "SmallStatisticsReference.inc"

using namespace qd;

Series withFits(const std::vector<double>& actual, const std::vector<double>& fitted)
{
    Series s = makeSeries(actual, 0);
    for (std::size_t i = 0; i < fitted.size(); ++i)
        s.observation(static_cast<std::int32_t>(i)).storedResults.store(QD_FORECAST, fitted[i]);
    s.setDirty(true, true);
    return s;
}

double runForecastOn(SeriesForecast& method, Series& s)
{
    SeriesOpApplySeriesForecast op(method);
    op.apply(s);
    return 0.0;
}

double cma(const Series& s, std::int32_t i)
{
    double v = std::nan("");
    s.observation(i).storedResults.lookup(QD_CENTERED_MOVING_AVERAGE, v);
    return v;
}
}  // namespace

TEST(CenteredMovingAverage, EvenAndOddWindows)
{
    // 1..8 with L = 4: the 2 x 4 averages 3, 4, 5, 6 at positions 2..5.
    Series s = makeSeries({1, 2, 3, 4, 5, 6, 7, 8}, 0);
    EXPECT_EQ(qd::SeriesComputeCenteredMovingAverage(s, QD_LAST, QD_ALL, 4), 6.0);
    EXPECT_TRUE(std::isnan(cma(s, 1)));
    for (std::int32_t i = 2; i <= 5; ++i)
        EXPECT_EQ(cma(s, i), i + 1.0);
    EXPECT_TRUE(std::isnan(cma(s, 6)));
    // 2, 4, 9 with L = 3: one average, 5, at position 1.
    Series t = makeSeries({2, 4, 9}, 0);
    EXPECT_EQ(qd::SeriesComputeCenteredMovingAverage(t, QD_LAST, QD_ALL, 3), 5.0);
    EXPECT_EQ(cma(t, 1), 5.0);
    EXPECT_EQ(codeOf([&] { qd::SeriesComputeCenteredMovingAverage(t, QD_LAST, QD_ALL, 0); }), 3051);
    Series four = makeSeries({1, 2, 3, 4}, 0);
    EXPECT_EQ(codeOf([&] { qd::SeriesComputeCenteredMovingAverage(four, QD_LAST, QD_ALL, 4); }), 3001);
}

TEST(HistoricalServiceLevel, LeadTimeWeightsAndTypes)
{
    // Demand 1, 2, 3; lead time 1.5 gives D = 1 + 0.5 x 2 = 2,
    // 2 + 0.5 x 3 = 3.5 and 3 + 0.5 x 3 = 4.5 (beyond the data the last
    // value). Stock 3.5: by period 2 of 3 met (equal counts as met); by
    // amount met 2 + 3.5 + 3.5 = 9, short 1.
    Series s = makeSeries({1, 2, 3}, 0);
    s.storedResults.store(QD_SMD_SAFETY_STOCK, 3.5);
    qd::SeriesComputeSMDHistServiceLevel byPeriod(QD_LAST, QD_ALL, 1.5, 2);
    EXPECT_NEAR(byPeriod.compute(s), 2.0 / 3.0, 1e-15);
    qd::SeriesComputeSMDHistServiceLevel byAmount(QD_LAST, QD_ALL, 1.5, 1);
    EXPECT_NEAR(byAmount.compute(s), 0.9, 1e-15);
    qd::SeriesComputeSMDHistServiceLevel none(QD_LAST, QD_ALL, 0.0, 1);
    EXPECT_EQ(none.compute(s), 1.0);
}

// A huge lead time ends at once: once t + j reaches the last observation
// the remaining terms are added in one step. D = 3e12 - 3, 3e12 - 1 and
// 3e12 against a stock of 3e12 - 1: two of three periods met.
TEST(HistoricalServiceLevel, HugeAndNonFiniteLeadTimes)
{
    Series s = makeSeries({1, 2, 3}, 0);
    s.storedResults.store(QD_SMD_SAFETY_STOCK, 3e12 - 1.0);
    // A lead time of 1e12 periods: term by term the test would not end;
    // the cost against the lead time is measured by bench_servicelevel.
    qd::SeriesComputeSMDHistServiceLevel huge(QD_LAST, QD_ALL, 1e12, 2);
    EXPECT_NEAR(huge.compute(s), 2.0 / 3.0, 1e-15);
    for (double lead : {-1.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
        qd::SeriesComputeSMDHistServiceLevel bad(QD_LAST, QD_ALL, lead, 2);
        EXPECT_EQ(codeOf([&] { bad.compute(s); }), 3089) << lead;
    }
}

TEST(ChiSquare, StatisticProbabilityAndPerfectFit)
{
    Series s = withFits(std::vector<double>(kChiActual, kChiActual + 6), std::vector<double>(kChiFitted, kChiFitted + 6));
    qd::SeriesComputeChiSquare statistic(QD_LAST, QD_ALL, 1, false);
    EXPECT_NEAR(statistic.compute(s), kChiSquare, 1e-15);
    qd::SeriesComputeChiSquare probability(QD_LAST, QD_ALL, 1, true);
    EXPECT_NEAR(probability.compute(s), kChiSquareUpperTail, 1e-9);
    // A perfect fit has upper-tail probability 1, like every fit near it.
    Series perfect = withFits({10, 12, 9, 11, 13, 8}, {10, 12, 9, 11, 13, 8});
    EXPECT_EQ(probability.compute(perfect), 1.0);
    // No method recorded: k = 1.
    qd::SeriesComputeChiSquare ownCount(QD_LAST, QD_ALL, QD_COMPUTE, false);
    EXPECT_NEAR(ownCount.compute(s), kChiSquare, 1e-15);
    qd::SeriesComputeChiSquare tooMany(QD_LAST, 3, 2, false);
    EXPECT_EQ(codeOf([&] { tooMany.compute(s); }), 3001);
    qd::SeriesComputeChiSquare zero(QD_LAST, QD_ALL, 0, false);
    EXPECT_EQ(codeOf([&] { zero.compute(s); }), 3053);
}

TEST(FitStatistics, CochraneOrcuttAndMAPEs)
{
    // Errors 1, -1, 1, -1: rho = -3 / 3.
    Series alternating = withFits({11, 9, 11, 9}, {10, 10, 10, 10});
    EXPECT_NEAR(qd::SeriesComputeCochraneOrcutt(QD_LAST, QD_ALL).compute(alternating), -1.0, 1e-15);
    Series perfect = withFits({1, 2, 3}, {1, 2, 3});
    EXPECT_EQ(qd::SeriesComputeCochraneOrcutt(QD_LAST, QD_ALL).compute(perfect), 0.0);

    // Ten observations; percentage errors 0.1 except a zero actual value
    // (observation 7) that contributes 0 but still counts.
    std::vector<double> actual{10, 10, 10, 10, 10, 10, 10, 0, 10, 10};
    std::vector<double> fitted{11, 11, 11, 11, 11, 11, 11, 5, 11, 11};
    Series s = withFits(actual, fitted);
    qd::SeriesComputeRollingMAPE rolling(6, 3);
    SeriesOpApplySeriesCompute(rolling).apply(s);
    double v = 0.0;
    EXPECT_EQ(s.observation(5).storedResults.lookup(QD_ROLLING_MAPE, v), QD_QUANTITY_ABSENT);
    EXPECT_NEAR(s.observation(6).storedResults.value(QD_ROLLING_MAPE), 0.1, 1e-15);
    EXPECT_NEAR(s.observation(7).storedResults.value(QD_ROLLING_MAPE), 0.2 / 3.0, 1e-15);
    EXPECT_NEAR(s.observation(9).storedResults.value(QD_ROLLING_MAPE), 0.2 / 3.0, 1e-15);
    qd::SeriesComputeCumulativeMAPE cumulative(6, 3);
    SeriesOpApplySeriesCompute(cumulative).apply(s);
    EXPECT_NEAR(s.observation(6).storedResults.value(QD_CUMULATIVE_MAPE), 0.1, 1e-15);
    EXPECT_NEAR(s.observation(9).storedResults.value(QD_CUMULATIVE_MAPE), 0.5 / 6.0, 1e-15);

    Series zeros = makeSeries({0, 0, 0}, 0);
    EXPECT_EQ(qd::SeriesComputeStandardizedMAE(QD_LAST, QD_ALL).compute(zeros), 0.0);
    // MAE 1 over mean |actual| 10.
    EXPECT_NEAR(qd::SeriesComputeStandardizedMAE(QD_LAST, QD_ALL).compute(alternating), 0.1, 1e-15);
}

// The largest horizon is refused before any index past the 32-bit range is
// formed (the sanitizer build stops at a signed overflow) and before the
// series changes, in every forecast of a single series.
TEST(SimpleForecasts, LargestHorizonIsRefusedBeforeAnyWrite)
{
    using Maker = std::function<SeriesForecast*(std::int32_t)>;
    const std::vector<std::pair<const char*, Maker>> makers = {
        {"average", [](std::int32_t h) { return new qd::SeriesForecastAverage(QD_LAST, QD_ALL, h); }},
        {"Bass", [](std::int32_t h) { return new qd::SeriesForecastBassModel(QD_LAST, QD_ALL, h, 0.03, 0.38, 100.0); }},
        {"lagged", [](std::int32_t h) { return new qd::SeriesForecastLaggedForecast(0, h, 1); }},
        {"lagged from the last", [](std::int32_t h) { return new qd::SeriesForecastLaggedForecast(7, h, 0); }},
        {"exponential smoothing", [](std::int32_t h) { return new qd::SeriesForecastExponentialSmoothing(0, 0.5, h); }},
        {"Croston", [](std::int32_t h) { return new qd::SeriesForecastCroston(0, h, 0.5); }},
        {"linear regression",
         [](std::int32_t h) {
             return new qd::SeriesForecastLinearRegression(QD_LAST, QD_ALL, h, true, 0.9, false, 0.0, 0.0);
         }},
        {"new-product curve",
         [](std::int32_t h) {
             return new qd::SeriesForecastNewProductCurve(QD_LAST, QD_ALL, h, -3.0, -3.0, QD_CURVE_MAXIMUM_FIXED, 1);
         }},
        {"automatic selection",
         [](std::int32_t h) { return new qd::SeriesForecastSelvane(0, h, QD_COMPUTE, 0, 0, 0, QD_SELVANE_STANDARD); }},
    };
    const std::int32_t largest = std::numeric_limits<std::int32_t>::max();
    for (const auto& maker : makers) {
        for (std::int32_t h : {largest, largest - 5}) {
            SCOPED_TRACE(std::string(maker.first) + ", " + std::to_string(h) + " periods");
            Series s = makeSeries({4, 7, 5, 9, 6, 8, 5, 7}, 0);
            std::unique_ptr<SeriesForecast> method(maker.second(h));
            EXPECT_ANY_THROW(runForecastOn(*method, s));
            EXPECT_EQ(s.numObservations(), 8);
            EXPECT_EQ(s.observation(7).storedResults.count(-1), 0);
            EXPECT_EQ(s.forecastMethodNumber, -1);
        }
    }
}

TEST(SimpleForecasts, AverageBassAndLagged)
{
    Series s = makeSeries({2, 4, 6}, 0);
    qd::SeriesForecastAverage average(QD_LAST, QD_ALL, 2);
    runForecastOn(average, s);
    ASSERT_EQ(s.numObservations(), 5);
    for (std::int32_t i = 0; i < 5; ++i)
        EXPECT_EQ(forecastOf(s, i), 4.0);
    EXPECT_EQ(s.observation(4).value, 4.0);
    EXPECT_EQ(s.storedResults.value(QD_PERIOD_LENGTH), 3.0);
    EXPECT_EQ(s.forecastMethodNumber, QD_AVERAGE);
    qd::SeriesForecastAverage negative(QD_LAST, QD_ALL, -1);
    EXPECT_EQ(codeOf([&] { runForecastOn(negative, s); }), 3030);

    // Q1 = 0.03 x 100 = 3; Q2 = 3 + (0.03 + 0.38 x 0.03) x 97 = 7.0158.
    Series bass = makeSeries({1, 1}, 0);
    qd::SeriesForecastBassModel model(QD_LAST, QD_ALL, 0, 0.03, 0.38, 100.0);
    runForecastOn(model, bass);
    EXPECT_NEAR(forecastOf(bass, 0), 3.0, 1e-13);
    EXPECT_NEAR(forecastOf(bass, 1), 7.0158, 1e-13);
    qd::SeriesForecastBassModel noMarket(QD_LAST, QD_ALL, 0, 0.03, 0.38, 0.0);
    EXPECT_EQ(codeOf([&] { runForecastOn(noMarket, bass); }), 3150);

    struct LagCase {
        std::int32_t lag;
        std::vector<double> expected;  // observations 0 .. 6 (4 values, 3 periods)
    };
    const LagCase cases[] = {
        {1, {0, 1, 2, 3, 4, 4, 4}},
        {0, {1, 2, 3, 4, 4, 4, 4}},
        {-1, {0, 0, 0, 0, 0, 0, 0}},
        // Beyond the data the values already forecast: the last two repeat.
        {2, {0, 0, 1, 2, 3, 4, 3}},
    };
    for (const LagCase& c : cases) {
        SCOPED_TRACE(c.lag);
        Series lagged = makeSeries({1, 2, 3, 4}, 0);
        qd::SeriesForecastLaggedForecast method(0, 3, c.lag);
        runForecastOn(method, lagged);
        ASSERT_EQ(lagged.numObservations(), 7);
        for (std::int32_t i = 0; i < 7; ++i)
            EXPECT_EQ(forecastOf(lagged, i), c.expected[static_cast<std::size_t>(i)]) << i;
    }
}
