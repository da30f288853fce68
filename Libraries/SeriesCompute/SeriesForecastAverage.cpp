#include "SeriesCompute/SeriesForecastAverage.h"

#include "Matrix/MVRBaseException.h"
#include "SeriesCompute/SeriesStatistics.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesForecastAverage";
}  // namespace

SeriesForecastAverage::SeriesForecastAverage(std::int32_t last, std::int32_t count, std::int32_t numPeriodsToForecast)
    : last(last), count(count), numPeriodsToForecast(numPeriodsToForecast)
{
}

std::int32_t SeriesForecastAverage::compute(Series& series, std::int32_t flag)
{
    (void)flag;
    // Resolved for this series only: the object runs over every series of
    // a matrix.
    std::int32_t last = this->last;
    std::int32_t count = this->count;
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 1);
    if (numPeriodsToForecast < 0)
        qdThrow(QD_SOURCE_PATH, 64, ErrorCode::IllegalForecastPeriods);
    const double* v = series.values(0);
    double sum = 0.0;
    for (std::int32_t i = last - count + 1; i <= last; ++i)
        sum += v[i];
    const double m = sum / count;
    double* forecasts = series.forecastValues(numPeriodsToForecast);
    for (std::int32_t i = last - count + 1; i <= last + numPeriodsToForecast; ++i)
        forecasts[i] = m;
    series.storeForecasts(QD_AVERAGE, last - count + 1, last + numPeriodsToForecast, false);
    series.storedResults.store(QD_PERIOD_LENGTH, count);
    series.recordForecastMethod(QD_AVERAGE);
    return 0;
}

}  // namespace qd
