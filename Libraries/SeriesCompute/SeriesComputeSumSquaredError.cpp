#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double sumSquaredError(Series& series, std::int32_t last, std::int32_t count)
{
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 1);
    double cached = 0.0;
    if (lookupCachedStatistic(series, QD_SUM_SQUARED_ERROR, last, count, 0,
                              StatisticInputs::VALUES_AND_FORECASTS, cached))
        return cached;
    const double* a = series.values(0);
    const double* f = series.forecastValues(0);
    double sum = 0.0;
    for (std::int32_t i = last - count + 1; i <= last; ++i) {
        const double e = a[i] - f[i];
        sum += e * e;
    }
    storeCachedStatistic(series, QD_SUM_SQUARED_ERROR, last, count, 0, sum);
    return sum;
}

double SeriesComputeSumSquaredError::compute(Series& series)
{
    return sumSquaredError(series, last, count);
}

} // namespace qd
