#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double mean(Series& series, std::int32_t last, std::int32_t count)
{
    resolveSeriesRange(series, last, count);
    // Callers check the range first; a range that would read outside the
    // series, or an empty one (no mean), is refused all the same.
    checkSeriesRange(series, last, count, 1);
    double cached = 0.0;
    if (lookupCachedStatistic(series, QD_MEAN, last, count, 0, StatisticInputs::VALUES, cached))
        return cached;
    const double* a = series.values(0);
    double sum = 0.0;
    for (std::int32_t i = last - count + 1; i <= last; ++i)
        sum += a[i];
    const double result = sum / count;
    storeCachedStatistic(series, QD_MEAN, last, count, 0, result);
    return result;
}

double checkedMean(Series& series, std::int32_t last, std::int32_t count)
{
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 1);
    return mean(series, last, count);
}

double SeriesComputeMean::compute(Series& series)
{
    return checkedMean(series, last, count);
}

} // namespace qd
