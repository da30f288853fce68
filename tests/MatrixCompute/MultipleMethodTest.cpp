// The multi-method selection and the forecast rank.
#include <algorithm>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "Foundation/FdCString.h"
#include "Matrix/MVRBaseException.h"
#include "Matrix/Matrix.h"
#include "Matrix/MatrixOpApplyMatrixCompute.h"
#include "Matrix/MatrixOpApplyMatrixForecast.h"
#include "Matrix/Observation.h"
#include "Matrix/QuantityTypes.h"
#include "MatrixCompute/MatrixComputeForecastRank.h"
#include "MatrixCompute/MatrixForecastSelvaneMultipleMethod.h"
#include "SeriesCompute/SeriesForecastSelvane.h"

using namespace qd;

namespace {

Series seriesOf(const std::vector<double>& values, const std::vector<double>& fits = {})
{
    Series s;
    for (std::size_t i = 0; i < values.size(); ++i) {
        s.addObservation(values[i], QD_SUPPLIED, FdCString());
        if (i < fits.size())
            s.observation(static_cast<std::int32_t>(i)).storedResults.store(QD_FORECAST, fits[i]);
    }
    s.setDirty(true, true);
    return s;
}

std::vector<std::int32_t> ranks(Matrix& m)
{
    std::vector<std::int32_t> r;
    for (std::int32_t i = 0; i < m.numSeries(); ++i)
        r.push_back(static_cast<std::int32_t>(m.series(i).storedResults.value(QD_FORECAST_RANK)));
    return r;
}

void rank(Matrix& m, std::int32_t errorType)
{
    MatrixComputeForecastRank r(QD_LAST, QD_ALL, errorType);
    MatrixOpApplyMatrixCompute applier(r);
    m.applyRectangular(applier);
}

std::int32_t runSelection(Matrix& m, std::vector<std::int32_t> codes, std::int32_t periods = 2,
                          std::int32_t errorType = 2024, std::int32_t seasonalType = 0, bool outliers = false,
                          std::int32_t obs = 0)
{
    MatrixForecastSelvaneMultipleMethod sel(obs, periods, errorType, seasonalType, outliers,
                                            static_cast<std::int32_t>(codes.size()), codes.data());
    try {
        sel.compute(m, 1);
    } catch (const MVRBaseException& e) {
        return e.code;
    }
    return 0;
}

std::vector<double> trend(int n)
{
    std::vector<double> v;
    for (int i = 0; i < n; ++i)
        v.push_back(50.0 + 1.5 * i + ((i * 7) % 5) - 2.0);
    return v;
}

TEST(ForecastRank, SmallestErrorFirstAndTiesToTheEarlier)
{
    // Sums of squared errors 4, 2, 2, 5.
    Matrix m;
    m.addSeries(seriesOf({0, 0}, {2, 0}));
    m.addSeries(seriesOf({0, 0}, {1, 1}));
    m.addSeries(seriesOf({0, 0}, {1, 1}));
    m.addSeries(seriesOf({0, 0}, {2, 1}));
    rank(m, QD_SUM_SQUARED_ERROR);
    EXPECT_EQ(ranks(m), (std::vector<std::int32_t>{3, 1, 2, 4}));
    EXPECT_EQ(m.series(3).storedResults.value(QD_SUM_SQUARED_ERROR), 5.0);

    Matrix one;
    one.addSeries(seriesOf({3, 4}, {3, 3}));
    rank(one, QD_MEAN_ABSOLUTE_ERROR);
    EXPECT_EQ(ranks(one), (std::vector<std::int32_t>{1}));

    Matrix ragged;
    ragged.addSeries(seriesOf({1, 2}));
    ragged.addSeries(seriesOf({1}));
    try {
        rank(ragged, QD_SUM_SQUARED_ERROR);
        ADD_FAILURE() << "no exception";
    } catch (const MVRBaseException& e) {
        EXPECT_EQ(e.code, 2000);
    }
}

TEST(ForecastRank, CriteriaCountEachSeriesOwnParameters)
{
    // Equal sums of squared errors; series 0 is Holt's (2 parameters),
    // series 1 exponential smoothing (1): the smaller model ranks first.
    std::vector<double> values(10, 10.0);
    std::vector<double> fits = {10.5, 9.5, 10.5, 9.5, 10.5, 9.5, 10.5, 9.5, 10.5, 9.5};
    for (std::int32_t type : {QD_AIC, QD_BIC}) {
        Matrix m;
        m.addSeries(seriesOf(values, fits));
        m.addSeries(seriesOf(values, fits));
        m.series(0).recordForecastMethod(QD_DOUBLE_EXPONENTIAL_SMOOTHING_HOLT);
        m.series(1).recordForecastMethod(QD_EXPONENTIAL_SMOOTHING);
        rank(m, type);
        EXPECT_EQ(ranks(m), (std::vector<std::int32_t>{2, 1})) << type;
        EXPECT_LT(m.series(1).storedResults.value(type), m.series(0).storedResults.value(type));
    }
}

TEST(ForecastRank, PerfectFitRanksFirstWhateverItsCriterion)
{
    // Small errors give a negative AIC; an exact fit stores 0.0 but fits
    // better than any of them.
    std::vector<double> values = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    std::vector<double> close = values;
    close[4] += 1e-3;
    Matrix m;
    m.addSeries(seriesOf(values, close));
    m.addSeries(seriesOf(values, values));
    m.addSeries(seriesOf(values, close));
    for (std::int32_t i = 0; i < 3; ++i)
        m.series(i).recordForecastMethod(QD_EXPONENTIAL_SMOOTHING);
    rank(m, QD_AIC);
    ASSERT_LT(m.series(0).storedResults.value(QD_AIC), 0.0);
    EXPECT_EQ(ranks(m), (std::vector<std::int32_t>{2, 1, 3}));
}

TEST(MultipleMethod, OneSeriesPerRunAndTheMovingAveragesTwice)
{
    Matrix m;
    m.addSeries(seriesOf(trend(10)));
    m.addSeries(seriesOf({1, 2, 3}));  // removed, though it holds data
    ASSERT_EQ(runSelection(m, {QD_EXPONENTIAL_SMOOTHING, QD_MOVING_AVERAGE}), 0);
    ASSERT_EQ(m.numSeries(), 3);
    EXPECT_EQ(m.series(0).forecastMethodNumber, QD_EXPONENTIAL_SMOOTHING);
    EXPECT_EQ(m.series(1).forecastMethodNumber, QD_MOVING_AVERAGE);
    EXPECT_EQ(m.series(2).forecastMethodNumber, QD_MOVING_AVERAGE);
    for (std::int32_t i = 0; i < 3; ++i)
        EXPECT_EQ(m.series(i).numObservations(), 12);
    std::vector<std::int32_t> r = ranks(m);
    std::sort(r.begin(), r.end());
    EXPECT_EQ(r, (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(m.forecastMethodNumber, -1);

    // Four observations: only the 3-period average; two: none, and series
    // 0 is ranked on its data.
    Matrix four;
    four.addSeries(seriesOf(trend(4)));
    ASSERT_EQ(runSelection(four, {QD_MOVING_AVERAGE}), 0);
    EXPECT_EQ(four.numSeries(), 1);
    EXPECT_EQ(four.series(0).forecastMethodNumber, QD_MOVING_AVERAGE);
    Matrix two;
    two.addSeries(seriesOf(trend(2)));
    ASSERT_EQ(runSelection(two, {QD_WEIGHTED_MOVING_AVERAGE}), 0);
    EXPECT_EQ(two.numSeries(), 1);
    EXPECT_EQ(two.series(0).forecastMethodNumber, -1);
    EXPECT_EQ(ranks(two), (std::vector<std::int32_t>{1}));
}

TEST(MultipleMethod, SkippedFirstMethodLeavesNoUnforecastSeries)
{
    Matrix m;
    m.addSeries(seriesOf(trend(2)));
    ASSERT_EQ(runSelection(m, {QD_MOVING_AVERAGE, QD_EXPONENTIAL_SMOOTHING, QD_DOUBLE_EXPONENTIAL_SMOOTHING_HOLT}),
              0);
    ASSERT_EQ(m.numSeries(), 2);
    EXPECT_EQ(m.series(0).forecastMethodNumber, QD_EXPONENTIAL_SMOOTHING);
    EXPECT_EQ(m.series(1).forecastMethodNumber, QD_DOUBLE_EXPONENTIAL_SMOOTHING_HOLT);
}

TEST(MultipleMethod, EveryArgumentIsCheckedBeforeTheMatrixChanges)
{
    struct Case {
        std::vector<std::int32_t> codes;
        std::int32_t periods, errorType, seasonalType, obs, code;
    } cases[] = {
        {{5, 11}, 1, 2024, 0, 0, 3164},
        {{5}, 1, 9999, 0, 0, 3026},
        {{5}, 1, -3, 0, 0, 3026},
        {{5}, -1, 2024, 0, 0, 3030},
        {{5}, 1, 2024, 0, -1, 3000},
        {{5}, 1, 2024, 0, 8, 3006},
        {{5}, 1, 2024, QD_SEASONAL, 3, 3050},
        {{5}, 1, 2024, -5, 0, 3049},
        {{5}, 1, 2024, QD_SEASONAL, 0, 3039},  // 8 values: too few to detect a season
        // Theil's statistic needs the period after the history, and two
        // values; so do the deviation of the errors and Durbin-Watson.
        {{5, 6}, 0, QD_THEIL, 0, 0, 3006},
        {{5}, 1, QD_THEIL, 0, 7, 3001},
        {{5}, 1, QD_STANDARD_DEVIATION_ERROR, 0, 7, 3001},
        {{5}, 1, QD_DURBIN_WATSON, 0, 7, 3001},
        // A method that cannot forecast one value fails after the others
        // ran: the matrix keeps its series all the same.
        {{5, 6}, 1, 2024, 0, 7, 3001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        Matrix m;
        m.addSeries(seriesOf(trend(8)));
        m.addSeries(seriesOf(trend(8)));
        EXPECT_EQ(runSelection(m, c.codes, c.periods, c.errorType, c.seasonalType, true, c.obs), c.code);
        ASSERT_EQ(m.numSeries(), 2);
        for (std::int32_t i = 0; i < 2; ++i) {
            EXPECT_EQ(m.series(i).numObservations(), 8);
            EXPECT_EQ(m.series(i).forecastMethodNumber, -1);
        }
    }
    Matrix empty;
    EXPECT_EQ(runSelection(empty, {5}), 3159);
}

TEST(MultipleMethod, ReplacedOutliersReachEveryRun)
{
    std::vector<double> data = trend(20);
    data[9] += 120.0;
    Matrix m;
    m.addSeries(seriesOf(data));
    ASSERT_EQ(runSelection(m, {QD_EXPONENTIAL_SMOOTHING, QD_LINEAR_REGRESSION}, 1, 2024, 1, true), 0);
    ASSERT_EQ(m.numSeries(), 2);
    for (std::int32_t i = 0; i < 2; ++i) {
        EXPECT_LT(m.series(i).observation(9).value, data[9]);
        EXPECT_EQ(m.series(i).observation(9).storedResults.value(QD_MEASUREMENT), data[9]);
    }
    EXPECT_EQ(m.seasonalLength, 0);
}

TEST(MultipleMethod, EveryListedMethodRuns)
{
    std::vector<double> data;
    for (int i = 0; i < 48; ++i)
        data.push_back(100.0 + i + 20.0 * std::sin(i * 3.14159265358979 / 6.0) + ((i * 7) % 5));
    Matrix m;
    m.addSeries(seriesOf(data));
    const std::vector<std::int32_t> codes = {6, 5, 7, 9, 8, 14, 10, 4, 15, 18, 25, 26, 27, 28};
    ASSERT_EQ(runSelection(m, codes, 3, 2056, 12), 0);
    ASSERT_EQ(m.numSeries(), 16);
    std::vector<std::int32_t> r = ranks(m);
    std::sort(r.begin(), r.end());
    for (std::int32_t i = 0; i < 16; ++i) {
        EXPECT_EQ(r[i], i + 1);
        EXPECT_EQ(m.series(i).numObservations(), 51) << i;
    }
    EXPECT_EQ(m.seasonalLength, 12);
}

}  // namespace
