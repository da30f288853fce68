// The observation computes, the error-measure dispatch and the shared
// routines (factor normalisation, autocorrelation list, fitted values).
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ComputeTestSupport.h"
#include "Foundation/FdExceptions.h"
#include "Matrix/ObservationOpApplyObservationCompute.h"
#include "Matrix/SeriesOpApplyIteratedObservationCompute.h"
#include "Matrix/SeriesOpApplySeriesCompute.h"
#include "SeriesCompute/ObservationComputeError.h"
#include "SeriesCompute/ObservationComputeLog.h"
#include "SeriesCompute/SeriesComputeError.h"
#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/SharedRoutines.h"

using namespace qd;

namespace {

TEST(ObservationCompute, Error)
{
    Observation withForecast(10.0, QD_SUPPLIED, FdCString());
    withForecast.storedResults.store(QD_FORECAST, 12.0);
    Observation without(10.0, QD_SUPPLIED, FdCString());
    ObservationComputeError error;
    EXPECT_EQ(error.quantityId(), QD_ERRORTERM);
    EXPECT_EQ(error.compute(withForecast), -2.0);
    EXPECT_EQ(error.compute(without), 0.0);
    EXPECT_EQ(observationError(withForecast), -2.0);

    ObservationOpApplyObservationCompute op(error);
    op.apply(withForecast);
    EXPECT_EQ(withForecast.storedResults.value(QD_ERRORTERM), -2.0);
}

TEST(ObservationCompute, Log)
{
    ObservationComputeLog log;
    EXPECT_EQ(log.quantityId(), QD_LOG);
    Observation one(1.0, QD_SUPPLIED, FdCString());
    Observation e(std::exp(2.0), QD_SUPPLIED, FdCString());
    EXPECT_EQ(log.compute(one), 0.0);
    EXPECT_DOUBLE_EQ(log.compute(e), 2.0);
    const char* file = "Libraries\\ObservationCompute\\ObservationComputeLog";
    for (double bad : {0.0, -5.0, std::nan("")}) {
        Observation o(bad, QD_SUPPLIED, FdCString());
        EXPECT_MVR_AT(log.compute(o), 3003, file, 23);
    }

    // Iterated over a series: the observations before a failing one keep
    // their logarithms.
    Series s;
    fillSeries(s, {1.0, std::exp(1.0), -1.0, 4.0});
    SeriesOpApplyIteratedObservationCompute iterated(log, 0);
    EXPECT_MVR_CODE(iterated.apply(s), 3003);
    EXPECT_EQ(s.observation(0).storedResults.value(QD_LOG), 0.0);
    EXPECT_DOUBLE_EQ(s.observation(1).storedResults.value(QD_LOG), 1.0);
    EXPECT_EQ(s.observation(3).storedResults.count(QD_LOG), 0);
}

TEST(ObservationCompute, ErrorOverTheLastObservationByDefault)
{
    Series s;
    fillSeries(s, {3.0, 4.0, 5.0});
    for (std::int32_t i = 0; i < 3; ++i)
        s.observation(i).storedResults.store(QD_FORECAST, 1.0);
    ObservationComputeError error;
    SeriesOpApplyIteratedObservationCompute op(error, QD_LAST);
    op.apply(s);
    EXPECT_EQ(s.observation(0).storedResults.count(QD_ERRORTERM), 0);
    EXPECT_EQ(s.observation(1).storedResults.count(QD_ERRORTERM), 0);
    EXPECT_EQ(s.observation(2).storedResults.value(QD_ERRORTERM), 4.0);
}

TEST(ErrorDispatch, EachTypeComputesItsStatistic)
{
    Series s;
    fillSeries(s, {3.0, 5.0, 4.0, 6.0, 8.0});
    const double fits[] = {2.0, 5.5, 3.0, 6.0, 7.0};
    const bool all[] = {true, true, true, true, true};
    storeFits(s, fits, all, 5);
    struct Case {
        std::int32_t type;
        double expected;
    };
    const Case cases[] = {
        {QD_MEAN_SQUARE_ERROR, meanSquareError(s, QD_LAST, QD_ALL)},
        {QD_MEAN_ABSOLUTE_ERROR, meanAbsoluteError(s, QD_LAST, QD_ALL)},
        {QD_MEAN_ABSOLUTE_PERCENTAGE_ERROR, meanAbsolutePercentageError(s, QD_LAST, QD_ALL)},
        {QD_STANDARD_DEVIATION_ERROR, standardDeviationError(s, QD_LAST, QD_ALL)},
        {QD_DURBIN_WATSON, durbinWatson(s, QD_LAST, QD_ALL, 1)},
        {QD_THEIL, theilStatistic(s, QD_LAST, QD_ALL)},
        {QD_ROOT_MEAN_SQUARE_ERROR, rootMeanSquareError(s, QD_LAST, QD_ALL)},
        {QD_SUM_SQUARED_ERROR, 3.25},
    };
    for (const Case& c : cases) {
        SeriesComputeError error(QD_LAST, QD_ALL, c.type, 4);
        EXPECT_EQ(error.quantityId(), c.type);
        EXPECT_EQ(error.compute(s), c.expected) << c.type;
        EXPECT_EQ(errorValue(s, QD_LAST, QD_ALL, c.type, 2), c.expected) << c.type;
    }
    // Applied to a series, the value is stored under the error type.
    SeriesComputeError mse(QD_LAST, QD_ALL, QD_MEAN_SQUARE_ERROR);
    SeriesOpApplySeriesCompute op(mse);
    op.apply(s);
    EXPECT_EQ(s.storedResults.value(QD_MEAN_SQUARE_ERROR), 3.25 / 5.0);

    const char* file = "Libraries\\SeriesCompute\\SeriesComputeError";
    EXPECT_MVR_AT(errorValue(s, QD_LAST, QD_ALL, QD_MEAN, 1), 3026, file, 68);
    EXPECT_MVR_AT(errorValue(s, QD_LAST, QD_ALL, 0, 1), 3026, file, 68);
    // The information criteria take the number of parameters given
    // (n = 5, SSE = 3.25; values from 30-digit arithmetic). The functor
    // always passes 1.
    EXPECT_NEAR(errorValue(s, QD_LAST, QD_ALL, QD_AIC, 3), 18.035470751441547, 1e-12);
    EXPECT_NEAR(errorValue(s, QD_LAST, QD_ALL, QD_BIC, 3), 16.863784488743846, 1e-12);
    EXPECT_NEAR(SeriesComputeError(QD_LAST, QD_ALL, QD_AIC, 3).compute(s), 14.035470751441546, 1e-12);
    EXPECT_NEAR(SeriesComputeError(QD_LAST, QD_ALL, QD_BIC, 3).compute(s), 13.644908663875647, 1e-12);
    EXPECT_MVR_AT(errorValue(s, QD_LAST, QD_ALL, QD_AIC, 0), 3053, "Libraries\\SeriesCompute\\SeriesComputeAIC", 75);
    // Range errors come from the routine called.
    EXPECT_MVR_CODE(errorValue(s, 9, 2, QD_SUM_SQUARED_ERROR, 1), 3006);
}

TEST(SharedRoutines, NormalizeSeasonalIndexes)
{
    std::vector<double> m = {0.0, 2.0, 2.0, 0.0};
    normalizeSeasonalIndexes(4, 2, m.data());
    EXPECT_DOUBLE_EQ(m[0], 2.0 / 3.0);
    EXPECT_DOUBLE_EQ(m[1], 4.0 / 3.0);
    EXPECT_DOUBLE_EQ(m[2], 4.0 / 3.0);
    EXPECT_DOUBLE_EQ(m[3], 2.0 / 3.0);

    std::vector<double> a = {1.0, 2.0, 3.0};
    normalizeSeasonalIndexes(3, 1, a.data());
    EXPECT_EQ(a, (std::vector<double>{-1.0, 0.0, 1.0}));

    std::vector<double> other = {1.0, 5.0};
    normalizeSeasonalIndexes(2, 3, other.data());
    EXPECT_EQ(other, (std::vector<double>{1.0, 5.0}));
    normalizeSeasonalIndexes(0, 1, nullptr);

    // Multiplicative factors that sum to about zero are only replaced.
    std::vector<double> cancel = {-1.0, 1.0};
    normalizeSeasonalIndexes(2, 2, cancel.data());
    EXPECT_DOUBLE_EQ(cancel[0], 1.0);
    EXPECT_DOUBLE_EQ(cancel[1], 1.0);
}

TEST(SharedRoutines, MeanCachesByRange)
{
    Series s;
    fillSeries(s, {1.0, 2.0, 3.0, 4.0});
    EXPECT_EQ(meanOfValues(s, QD_LAST, 2), 3.5);
    EXPECT_EQ(meanOfValues(s, 1, 2), 1.5);
    EXPECT_EQ(checkedMean(s, QD_LAST, QD_ALL), 2.5);
    EXPECT_MVR_CODE(checkedMean(s, 4, 1), 3006);
    // Never a read outside the series.
    EXPECT_MVR_CODE(meanOfValues(s, 4, 1), 3006);
    EXPECT_MVR_CODE(meanOfValues(s, 1, 3), 3005);
    // No mean of an empty or negative count (nor index arithmetic on it).
    EXPECT_MVR_CODE(meanOfValues(s, 2, 0), 3001);
    EXPECT_MVR_CODE(meanOfValues(s, 2, -2147483647), 3001);
}

TEST(SharedRoutines, AutocorrelationsToSeries)
{
    Series s;
    fillSeries(s, {2.0, 4.0, 3.0, 7.0, 5.0, 6.0});
    Series target;
    target.addObservation(99.0, QD_SUPPLIED, FdCString());
    autocorrelationsToSeries(s, target, QD_LAST, QD_ALL, 3);
    ASSERT_EQ(target.numObservations(), 4);
    for (std::int32_t lag = 1; lag <= 3; ++lag) {
        const Observation& o = target.observation(lag);
        EXPECT_EQ(o.value, autocorrelation(s, QD_LAST, QD_ALL, lag, -1.0)) << lag;
        EXPECT_EQ(o.originType, QD_COMPUTED);
        EXPECT_EQ(o.description.length(), 0u);
    }
    EXPECT_MVR_CODE(autocorrelationsToSeries(s, target, QD_LAST, 3, 4), 3002);

    Series flat;
    fillSeries(flat, std::vector<double>(70, 3.0));
    Series lags;
    autocorrelationsToSeries(flat, lags, QD_LAST, QD_ALL, 66);
    ASSERT_EQ(lags.numObservations(), 66);
    EXPECT_GE(lags.capacity(), 66u);
    for (std::int32_t i = 0; i < 66; ++i)
        EXPECT_EQ(lags.observation(i).value, 0.0);
}

TEST(SharedRoutines, StoreFittedValue)
{
    Series s;
    fillSeries(s, std::vector<double>(10, 1.0));
    s.values(0);
    s.forecastValues(0);
    storeFittedValue(s, 10, 10, QD_WEIGHTED_MOVING_AVERAGE, 7.5);
    ASSERT_EQ(s.numObservations(), 11);
    const Observation& o = s.observation(10);
    EXPECT_EQ(o.originType, QD_COMPUTED);
    EXPECT_EQ(std::string(o.description.data(), o.description.length()), "0");
    EXPECT_EQ(o.value, 7.5);
    EXPECT_EQ(o.storedResults.value(QD_FORECAST), 7.5);
    EXPECT_EQ(o.storedResults.value(QD_WEIGHTED_MOVING_AVERAGE), 7.5);

    // A supplied observation keeps its value; the fitted values change.
    storeFittedValue(s, 3, 10, QD_BOX_JENKINS, 2.5);
    EXPECT_EQ(s.observation(3).value, 1.0);
    EXPECT_EQ(s.observation(3).storedResults.value(QD_BOX_JENKINS), 2.5);
    EXPECT_EQ(s.forecastValues(0)[3], 2.5);
    // A computed observation takes the new value, and the values follow.
    storeFittedValue(s, 10, 11, QD_WEIGHTED_MOVING_AVERAGE, 8.0);
    EXPECT_EQ(s.numObservations(), 11);
    EXPECT_EQ(s.values(0)[10], 8.0);

    // Beyond the end after the append: the container's bounds error.
    EXPECT_THROW(storeFittedValue(s, 13, 11, QD_WEIGHTED_MOVING_AVERAGE, 1.0), FdBoundsErr);
}

}  // namespace
