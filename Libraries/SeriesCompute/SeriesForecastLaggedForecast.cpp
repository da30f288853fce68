#include "SeriesCompute/SeriesForecastLaggedForecast.h"

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
    const std::int32_t end = n + numPeriodsToForecast - 1;
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
