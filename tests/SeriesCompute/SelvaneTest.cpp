// The automatic method selection on one series.
#include <algorithm>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "ComputeTestSupport.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesComputeError.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastSelvane.h"

namespace {

Series makeSeries(const std::vector<double>& values)
{
    Series s;
    fillSeries(s, values);
    return s;
}

void runSelvane(Series& s, SeriesForecastSelvane& selvane)
{
    SeriesOpApplySeriesForecast applier(selvane);
    applier.apply(s);
}

std::vector<std::int32_t> candidateCodes(const SeriesForecastSelvane& s)
{
    std::vector<std::int32_t> codes;
    for (std::int32_t i = 0; i < s.candidateCount; ++i)
        codes.push_back(s.candidates[i].method);
    return codes;
}

std::vector<std::int32_t> storedRanking(const Series& s)
{
    std::vector<std::int32_t> codes;
    double v = 0.0;
    for (std::int32_t i = 0; s.storedResults.lookupMultiple(QD_SELVANE_METHOD_RANK, i, v) == QD_QUANTITY_FOUND; ++i)
        codes.push_back(static_cast<std::int32_t>(v));
    return codes;
}

// A trending, noisy series without zeros or seasonality.
std::vector<double> trendData(int n)
{
    std::vector<double> v;
    for (int i = 0; i < n; ++i)
        v.push_back(100.0 + 2.0 * i + 6.0 * std::sin(1.7 * i) + ((i * 37) % 11) - 5.0);
    return v;
}

// A monthly pattern with a mild trend.
std::vector<double> seasonalData(int n)
{
    static const double pattern[12] = {80, 85, 100, 120, 140, 160, 170, 165, 140, 115, 95, 85};
    std::vector<double> v;
    for (int i = 0; i < n; ++i)
        v.push_back(pattern[i % 12] * (1.0 + 0.01 * i) + ((i * 13) % 7) - 3.0);
    return v;
}

// Every stored value beyond the data is finite, the forecasts have the
// requested length and the winner's code is recorded.
void expectForecast(const Series& s, std::int32_t supplied, std::int32_t periods)
{
    ASSERT_EQ(s.numObservations(), supplied + periods);
    for (std::int32_t i = 0; i < s.numObservations(); ++i) {
        EXPECT_TRUE(std::isfinite(s.observation(i).value)) << i;
        EXPECT_TRUE(std::isfinite(s.observation(i).storedResults.value(QD_FORECAST))) << i;
    }
}

TEST(Selvane, TooLittleDataGetsTheAverage)
{
    struct Case {
        std::vector<double> data;
        std::int32_t seasonalType;
    } cases[] = {{{7.0}, QD_OPTIMIZE}, {{1, 2, 3, 4, 5}, QD_SEASONAL}};
    for (const Case& c : cases) {
        Series s = makeSeries(c.data);
        SeriesForecastSelvane selvane(0, 2, 2024, c.seasonalType, 1, 0, QD_SELVANE_STANDARD);
        runSelvane(s, selvane);
        EXPECT_EQ(s.forecastMethodNumber, QD_AVERAGE);
        EXPECT_TRUE(storedRanking(s).empty());
        expectForecast(s, static_cast<std::int32_t>(c.data.size()), 2);
        double mean = 0.0;
        for (double v : c.data)
            mean += v / c.data.size();
        EXPECT_DOUBLE_EQ(s.observation(s.numObservations() - 1).value, mean);
    }
}

TEST(Selvane, ArgumentChecks)
{
    const std::vector<double> data = trendData(20);
    struct Case {
        std::int32_t obs, periods, errorType, seasonalType, rollBack, code, line;
    } cases[] = {
        {0, -1, 2024, QD_OPTIMIZE, 0, 3030, 347},
        {-1, 1, 2024, QD_OPTIMIZE, 0, 3000, 350},
        {20, 1, 2024, QD_OPTIMIZE, 0, 3006, 353},
        {0, 1, 2011, QD_OPTIMIZE, -1, 3078, 371},
        // The hold-out may not take the whole range (n = 20 here, 15 from 5).
        {0, 1, 2011, QD_OPTIMIZE, 20, 3078, 371},
        {0, 1, 2011, QD_OPTIMIZE, 21, 3078, 371},
        {5, 1, 2011, QD_OPTIMIZE, 15, 3078, 371},
        {0, 1, -5, QD_OPTIMIZE, 0, 3026, 379},
        {0, 1, 2010, QD_OPTIMIZE, 4, 3077, 387},
        {0, 1, 2024, -5, 0, 3049, 413},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        Series s = makeSeries(data);
        SeriesForecastSelvane selvane(c.obs, c.periods, c.errorType, c.seasonalType, 1, c.rollBack,
                                      QD_SELVANE_STANDARD);
        try {
            runSelvane(s, selvane);
            ADD_FAILURE() << "no exception";
        } catch (const MVRBaseException& e) {
            EXPECT_EQ(e.code, c.code);
            EXPECT_EQ(e.line, c.line);
            EXPECT_EQ(pathOf(e), "Libraries\\SeriesCompute\\SeriesForecastSelvane");
        }
        ASSERT_EQ(s.numObservations(), 20);
        EXPECT_EQ(s.forecastMethodNumber, -1);
    }
    // Without a hold-out any error type of the error computation is taken.
    Series s = makeSeries(data);
    SeriesForecastSelvane selvane(0, 1, 2010, QD_NON_SEASONAL, 0, 0, QD_SELVANE_STANDARD);
    runSelvane(s, selvane);
    expectForecast(s, 20, 1);
}

TEST(Selvane, ComputedHoldOutAndErrorType)
{
    // 14 values from the origin: no hold-out and the BIC; 15: a hold-out of
    // 4 and the mean absolute error summed over the hold-out steps.
    for (int n : {14, 15}) {
        SCOPED_TRACE(n);
        const std::vector<double> data = trendData(n);
        Series s = makeSeries(data);
        SeriesForecastSelvane selvane(0, 3, QD_COMPUTE, QD_NON_SEASONAL, 0, QD_COMPUTE, QD_SELVANE_STANDARD);
        runSelvane(s, selvane);
        expectForecast(s, n, 3);
        ASSERT_EQ(candidateCodes(selvane), (std::vector<std::int32_t>{QD_EXPONENTIAL_SMOOTHING,
                                                                       QD_DOUBLE_EXPONENTIAL_SMOOTHING_HOLT}));
        if (n == 14) {
            // The candidates' BIC, recomputed on a fresh fit of each method.
            Series es = makeSeries(data);
            SeriesForecastExponentialSmoothing m(0, -3.0, 0);
            SeriesOpApplySeriesForecast(m).apply(es);
            EXPECT_DOUBLE_EQ(selvane.candidates[0].error, errorValue(es, 13, 14, QD_BIC, 1));
        } else {
            // Hold-out errors are sums of mean absolute errors: positive and
            // well above any one-step error of this data's noise.
            EXPECT_GT(selvane.candidates[0].error, 0.0);
            EXPECT_GT(selvane.candidates[1].error, 0.0);
        }
    }
}

TEST(Selvane, RankingFollowsTheErrorsAndTiesGoToTheFirst)
{
    // A constant series: both candidates fit it exactly; the one tried
    // first wins.
    Series s = makeSeries(std::vector<double>(12, 5.0));
    SeriesForecastSelvane selvane(0, 2, 2024, QD_NON_SEASONAL, 0, 0, QD_SELVANE_STANDARD);
    runSelvane(s, selvane);
    EXPECT_EQ(storedRanking(s), (std::vector<std::int32_t>{QD_EXPONENTIAL_SMOOTHING,
                                                           QD_DOUBLE_EXPONENTIAL_SMOOTHING_HOLT}));
    EXPECT_EQ(s.forecastMethodNumber, QD_EXPONENTIAL_SMOOTHING);
    expectForecast(s, 12, 2);

    // A steady trend: Holt's errors are smaller, so Holt wins and runs last
    // on the caller's series.
    std::vector<double> line;
    for (int i = 0; i < 20; ++i)
        line.push_back(10.0 + 3.0 * i + (i % 2 == 0 ? 0.25 : -0.25));
    Series t = makeSeries(line);
    SeriesForecastSelvane second(0, 4, 2024, QD_NON_SEASONAL, 0, 0, QD_SELVANE_STANDARD);
    runSelvane(t, second);
    ASSERT_EQ(second.candidateCount, 3);  // with 20 values Box-Jenkins is tried
    std::vector<std::int32_t> order = candidateCodes(second);
    std::stable_sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
        auto err = [&](std::int32_t code) {
            for (std::int32_t i = 0; i < second.candidateCount; ++i)
                if (second.candidates[i].method == code)
                    return second.candidates[i].error;
            return 0.0;
        };
        return err(a) < err(b);
    });
    EXPECT_EQ(storedRanking(t), order);
    EXPECT_EQ(t.forecastMethodNumber, order[0]);
    EXPECT_NE(order[0], QD_EXPONENTIAL_SMOOTHING);
    expectForecast(t, 20, 4);
}

TEST(Selvane, CandidatesByStage)
{
    struct Case {
        std::vector<double> data;
        std::int32_t obs, seasonalType, productType;
        std::vector<std::int32_t> expected;
    } cases[] = {
        // Non-seasonal: Box-Jenkins only from 20 observations on.
        {trendData(19), 0, QD_NON_SEASONAL, QD_SELVANE_STANDARD, {5, 9}},
        // More zeros than demands: Croston first.
        {{0, 0, 3, 0, 0, 5, 0, 0, 0, 4, 0, 0, 2, 0}, 0, QD_NON_SEASONAL, QD_SELVANE_STANDARD, {24, 5, 9}},
        // New-product curve: always with -1, with -2 only for 3 to 6 values.
        {{3, 8, 20, 35, 48, 55}, 0, QD_NON_SEASONAL, QD_SELVANE_OPTIMIZED_PRODUCT, {28, 5, 9}},
        {{3, 8, 20, 35, 48, 55, 58}, 0, QD_NON_SEASONAL, QD_SELVANE_OPTIMIZED_PRODUCT, {5, 9}},
        {{3, 8, 20, 35, 48, 55, 58}, 0, QD_NON_SEASONAL, QD_SELVANE_NEW_PRODUCT, {28, 5, 9}},
        // Not seasonal by the detection (too short for it to look): no
        // Holt-Winters candidate and no error.
        {trendData(7), 0, QD_OPTIMIZE, QD_SELVANE_STANDARD, {5, 9}},
        // Seasonal data: Holt-Winters first, then the non-seasonal stage.
        {seasonalData(48), 0, QD_OPTIMIZE, QD_SELVANE_STANDARD, {14, 5, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.data.size());
        Series s = makeSeries(c.data);
        SeriesForecastSelvane selvane(c.obs, 2, 2024, c.seasonalType, 0, 0, c.productType);
        runSelvane(s, selvane);
        std::vector<std::int32_t> got = candidateCodes(selvane);
        // The curve may record the average when it cannot fit.
        EXPECT_EQ(got, c.expected);
        expectForecast(s, static_cast<std::int32_t>(c.data.size()), 2);
        std::vector<std::int32_t> ranked = storedRanking(s);
        std::sort(ranked.begin(), ranked.end());
        std::sort(got.begin(), got.end());
        EXPECT_EQ(ranked, got);
    }
}

TEST(Selvane, SeasonsAreCountedFromTheOrigin)
{
    // 30 values, origin 10: only 20 values are evaluated, fewer than two
    // seasons of 12, so no Holt-Winters candidate (the whole series would
    // hold two seasons).
    Series s = makeSeries(seasonalData(30));
    SeriesForecastSelvane selvane(10, 3, 2024, 12, 0, 0, QD_SELVANE_STANDARD);
    runSelvane(s, selvane);
    EXPECT_EQ(candidateCodes(selvane), (std::vector<std::int32_t>{5, 9}));
    expectForecast(s, 30, 3);

    // QD_SEASONAL reports it.
    Series t = makeSeries(seasonalData(30));
    SeriesForecastSelvane seasonal(10, 3, 2024, QD_SEASONAL, 0, 0, QD_SELVANE_STANDARD);
    EXPECT_MVR_CODE(runSelvane(t, seasonal), 3039);

    // With a hold-out the season must fit in the range less the hold-out:
    // 30 values from the origin, 8 held back, 22 left for 2 seasons of 12.
    Series u = makeSeries(seasonalData(30));
    SeriesForecastSelvane held(0, 3, 2011, 12, 0, 8, QD_SELVANE_STANDARD);
    runSelvane(u, held);
    const std::vector<std::int32_t> heldCodes = candidateCodes(held);
    EXPECT_EQ(std::count(heldCodes.begin(), heldCodes.end(), 14), 0);
    expectForecast(u, 30, 3);
    Series v = makeSeries(seasonalData(40));
    SeriesForecastSelvane enough(0, 3, 2011, 12, 0, 8, QD_SELVANE_STANDARD);
    runSelvane(v, enough);
    EXPECT_EQ(enough.candidates[0].method, 14);
    expectForecast(v, 40, 3);
}

TEST(Selvane, FailingBoxJenkinsCandidateDropsOut)
{
    // 25 values from origin 20: Box-Jenkins is tried (the series holds 20
    // values) but 5 values are too few to identify a model; the smoothing
    // candidates stand and the selection succeeds.
    Series s = makeSeries(trendData(25));
    SeriesForecastSelvane selvane(20, 2, 2024, QD_NON_SEASONAL, 0, 0, QD_SELVANE_STANDARD);
    runSelvane(s, selvane);
    EXPECT_EQ(candidateCodes(selvane), (std::vector<std::int32_t>{5, 9}));
    expectForecast(s, 25, 2);
}

TEST(Selvane, ReplacedOutliersReachTheCaller)
{
    std::vector<double> data = trendData(24);
    data[11] += 200.0;
    Series s = makeSeries(data);
    SeriesForecastSelvane selvane(0, 1, 2024, QD_NON_SEASONAL, 1, 0, QD_SELVANE_STANDARD);
    runSelvane(s, selvane);
    EXPECT_LT(s.observation(11).value, data[11]);
    EXPECT_EQ(s.observation(11).storedResults.value(QD_MEASUREMENT), data[11]);
    for (std::int32_t i = 0; i < 24; ++i) {
        if (s.observation(i).storedResults.count(QD_MEASUREMENT) == 0) {
            EXPECT_EQ(s.observation(i).value, data[i]);
        }
    }
    expectForecast(s, 24, 1);
}

}  // namespace
