#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double maximum(Series& series, std::int32_t last, std::int32_t count)
{
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 1);
    double cached = 0.0;
    if (lookupCachedStatistic(series, QD_MAX, last, count, 0, StatisticInputs::VALUES, cached))
        return cached;
    const double* a = series.values(0);
    double result = a[last - count + 1];
    for (std::int32_t i = last - count + 2; i <= last; ++i) {
        if (a[i] > result)
            result = a[i];
    }
    storeCachedStatistic(series, QD_MAX, last, count, 0, result);
    return result;
}

double SeriesComputeMax::compute(Series& series)
{
    return maximum(series, last, count);
}

} // namespace qd
