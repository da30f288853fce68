#include "SeriesCompute/SeriesForecastLaggedForecast.h"

#include <cstdint>
#include <new>

#include "Matrix/MVRBaseException.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesForecastLaggedForecast";
}  // namespace

SeriesForecastLaggedForecast::SeriesForecastLaggedForecast(std::int32_t observationNumber,
                                                           std::int32_t numPeriodsToForecast,
                                                           std::int32_t laggedPeriod)
    : observationNumber(observationNumber), numPeriodsToForecast(numPeriodsToForecast), laggedPeriod(laggedPeriod)
{
}

std::int32_t SeriesForecastLaggedForecast::compute(Series& series, std::int32_t flag)
{
    (void)flag;
    const std::int32_t n = series.numObservations();
    if (numPeriodsToForecast < 0)
        qdThrow(QD_SOURCE_PATH, 57, ErrorCode::IllegalForecastPeriods);
    if (observationNumber < 0)
        qdThrow(QD_SOURCE_PATH, 60, ErrorCode::NegativeIndex);
    if (observationNumber >= n)
        qdThrow(QD_SOURCE_PATH, 63, ErrorCode::OutOfBounds);
    const std::int32_t L = laggedPeriod;
    // A horizon past what a series can hold is out of memory, found in 64
    // bits before any index is formed.
    const std::int64_t lastPeriod = static_cast<std::int64_t>(n) + numPeriodsToForecast - 1;
    if (lastPeriod >= Series::maxObservations())
        throw std::bad_alloc();
    const std::int32_t end = static_cast<std::int32_t>(lastPeriod);
    const double* v = series.values(0);
    double* forecasts = series.forecastValues(numPeriodsToForecast);
    for (std::int32_t t = observationNumber; t <= end; ++t) {
        double value = 0.0;
        if (L == 0) {
            value = v[t < n ? t : n - 1];
        } else if (L > 0 && t - L >= 0) {
            // Beyond the data the value already forecast for t - L stands
            // in for the missing actual value: the last L values repeat.
            value = t - L < n ? v[t - L] : forecasts[t - L];
        }
        forecasts[t] = value;
    }
    series.storeForecasts(QD_LAGGED_FORECAST, observationNumber, end, false);
    series.recordForecastMethod(QD_LAGGED_FORECAST);
    return 0;
}

}  // namespace qd
