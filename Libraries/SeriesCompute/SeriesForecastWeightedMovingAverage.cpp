#include "SeriesCompute/SeriesForecastWeightedMovingAverage.h"

#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"
#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/SharedRoutines.h"
#include "SeriesCompute/SmoothingSupport.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesForecastWeightedMovingAverage";
}

std::int32_t SeriesForecastWeightedMovingAverage::compute(Series& series, std::int32_t flag)
{
    (void)flag;
    std::int32_t last = observationNumber;
    std::int32_t window = numHistoricalValues;
    resolveSeriesRange(series, last, window);
    checkSeriesRange(series, last, window, 1);
    const std::int32_t h = numPeriodsToForecast;
    // A negative horizon is refused before anything is written.
    if (h < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(52), ErrorCode::IllegalForecastPeriods);
    const std::int32_t n = series.numObservations();
    checkForecastLength(n, h);

    SeriesForecastExponentialSmoothing smoothing(0, 0.2, 0, false, 0.0);
    smoothing.compute(series, 1);
    series.valueCache.setForecastsDirty(true);

    // History: the smoothed values stand as the window's fitted values; the
    // observations keep their values (also computed ones).
    for (std::int32_t i = last - window + 1; i <= last; ++i) {
        Observation& o = series.observation(i);
        const double fitted = o.storedResults.value(QD_FORECAST);
        o.storedResults.store(QD_WEIGHTED_MOVING_AVERAGE, fitted);
        o.storedResults.store(QD_FORECAST, fitted);
    }
    series.valueCache.setForecastsDirty(true);

    // 1 + 2 + ... + N, exact in 64 bits for every 32-bit N.
    const std::int64_t nn = window;
    const double weightSum = static_cast<double>(nn * (nn + 1) / 2);
    for (std::int32_t i = last; i < last + h; ++i) {
        double sum = 0.0;
        for (std::int32_t k = 1; k <= window; ++k)
            sum += k * series.observation(i - window + k).value;
        storeFittedValue(series, i + 1, n, QD_WEIGHTED_MOVING_AVERAGE, sum / weightSum);
    }
    series.setDirty(true, true);
    series.storedResults.store(QD_PERIOD_LENGTH, static_cast<double>(window));
    series.recordForecastMethod(QD_WEIGHTED_MOVING_AVERAGE);
    return 0;
}

}  // namespace qd
