#include "SeriesCompute/SeriesForecastNewProductOptimizedCurve.h"

#include <cstdint>

#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "Matrix/SeriesRange.h"
#include "SeriesCompute/SeriesForecastAverage.h"
#include "SeriesCompute/SeriesForecastNewProductCurve.h"
#include "SeriesCompute/SeriesStatistics.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesForecastNewProductOptimizedCurve";

void runForecast(Series& series, SeriesForecast& method)
{
    SeriesOpApplySeriesForecast op(method);
    op.apply(series);
}
}  // namespace

SeriesForecastNewProductOptimizedCurve::SeriesForecastNewProductOptimizedCurve(
    std::int32_t observationNumber, std::int32_t numHistoricalValues, std::int32_t numPeriodsToForecast,
    double minValue, double maxValue, std::int32_t MinMaxType, Series* independentSeries)
    : observationNumber(observationNumber),
      numHistoricalValues(numHistoricalValues),
      numPeriodsToForecast(numPeriodsToForecast),
      minValue(minValue),
      maxValue(maxValue),
      MinMaxType(MinMaxType),
      independentSeries(independentSeries)
{
}

void SeriesForecastNewProductOptimizedCurve::averageFallback(Series& series, std::int32_t last, std::int32_t count)
{
    SeriesForecastAverage average(last, count, numPeriodsToForecast);
    runForecast(series, average);
    fellBack = true;
}

std::int32_t SeriesForecastNewProductOptimizedCurve::compute(Series& series, std::int32_t flag)
{
    (void)flag;
    chosenCurve = 0;
    fellBack = false;
    if (minValue != -3.0 && maxValue != -3.0 && !(minValue < maxValue))
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::CurveMinimumNotBelowMaximum);
    // Resolved for this series only: the object runs over every series of
    // a matrix.
    std::int32_t last = observationNumber;
    std::int32_t count = numHistoricalValues;
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 1);
    if (numPeriodsToForecast < 0)
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalForecastPeriods);
    if (count < 3) {
        averageFallback(series, last, count);
        return 0;
    }

    const std::int32_t curves[] = {QD_NP_GOMPERTZ_CURVE, QD_NP_LOGISTIC_CURVE, QD_NP_PROBIT_CURVE};
    std::int32_t best = 0;
    double bestSum = 0.0;
    double floor = 0.0;
    double ceiling = 0.0;
    for (std::int32_t curveType : curves) {
        SeriesForecastNewProductCurve trial(last, count, 0, minValue, maxValue,
                                            MinMaxType, curveType, independentSeries);
        series.setDirty(true, true);
        double sum = 0.0;
        if (curveType == QD_NP_PROBIT_CURVE) {
            try {
                runForecast(series, trial);
                sum = sumSquaredError(series, last, count);
            } catch (...) {
                rethrowOutOfMemory();
                sum = bestSum + 1.0;
            }
        } else {
            runForecast(series, trial);
            sum = sumSquaredError(series, last, count);
        }
        if (best == 0 || sum < bestSum) {
            best = curveType;
            bestSum = sum;
            floor = series.storedResults.value(QD_DELTA);
            ceiling = floor + series.storedResults.value(QD_ALPHA);
            if (series.forecastMethodNumber == QD_AVERAGE) {
                averageFallback(series, last, count);
                return 0;
            }
        }
    }

    SeriesForecastNewProductCurve final(last, count, numPeriodsToForecast, floor,
                                        ceiling, QD_CURVE_MAXIMUM_FIXED, best, independentSeries);
    series.setDirty(true, true);
    runForecast(series, final);
    if (series.forecastMethodNumber == QD_AVERAGE) {
        // The kept bounds leave too few values for the final fit.
        fellBack = true;
        return 0;
    }
    chosenCurve = best;

    const std::int32_t first = last - count + 1;
    for (std::int32_t i = first; i <= last + numPeriodsToForecast; ++i) {
        Observation& o = series.observation(i);
        o.storedResults.store(QD_NEW_PRODUCT_FORECASTING, o.storedResults.value(QD_FORECAST));
    }
    series.forecastMethodNumber = QD_NEW_PRODUCT_FORECASTING;
    series.seasonalLength = 0;
    series.decompositionType = 0;
    return 0;
}

}  // namespace qd
