#include "SeriesCompute/SeriesForecastMovingAverage.h"

#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"
#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/SmoothingSupport.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesForecastMovingAverage";
}

std::int32_t SeriesForecastMovingAverage::compute(Series& series, std::int32_t flag)
{
    (void)flag;
    std::int32_t last = observationNumber;
    std::int32_t w = numHistoricalValues;
    resolveSeriesRange(series, last, w);
    checkSeriesRange(series, last, w, 1);
    const std::int32_t h = numPeriodsToForecast;
    if (h < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(47), ErrorCode::IllegalForecastPeriods);
    checkForecastLength(series.numObservations(), h);

    // The window's fitted values.
    SeriesForecastExponentialSmoothing smoothing(0, 0.2, 0, false, 0.0);
    smoothing.compute(series, 1);
    series.setDirty(true, true);

    double* values = series.values(h);
    double* forecasts = series.forecastValues(h);
    const std::int32_t n = series.numObservations();
    double sum = 0.0;
    for (std::int32_t i = last - w + 1; i < last; ++i)
        sum += values[i];
    for (std::int32_t t = last; t < last + h; ++t) {
        sum += values[t];
        const double average = sum / w;
        forecasts[t + 1] = average;
        // A later window averages the forecasts beyond the data.
        if (t + 1 >= n)
            values[t + 1] = average;
        sum -= values[t - w + 1];
    }
    series.storeForecasts(QD_MOVING_AVERAGE, last - w + 1, last + h, false);
    series.storedResults.store(QD_PERIOD_LENGTH, static_cast<double>(w));
    series.recordForecastMethod(QD_MOVING_AVERAGE);
    return 0;
}

}  // namespace qd
