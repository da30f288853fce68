#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double meanError(Series& series, std::int32_t last, std::int32_t count)
{
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 1);
    double cached = 0.0;
    if (lookupCachedStatistic(series, QD_MEAN_ERROR, last, count, 0, StatisticInputs::VALUES_AND_FORECASTS,
                              cached))
        return cached;
    const double* a = series.values(0);
    const double* f = series.forecastValues(0);
    double sum = 0.0;
    for (std::int32_t i = last - count + 1; i <= last; ++i)
        sum += a[i] - f[i];
    const double result = sum / count;
    storeCachedStatistic(series, QD_MEAN_ERROR, last, count, 0, result);
    return result;
}

double SeriesComputeMeanError::compute(Series& series)
{
    return meanError(series, last, count);
}

} // namespace qd
