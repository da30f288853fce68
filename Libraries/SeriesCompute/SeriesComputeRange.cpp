#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double SeriesComputeRange::compute(Series& series)
{
    std::int32_t l = last;
    std::int32_t n = count;
    resolveSeriesRange(series, l, n);
    double cached = 0.0;
    if (lookupCachedStatistic(series, QD_RANGE, l, n, 0, StatisticInputs::VALUES, cached))
        return cached;
    const double high = maximum(series, l, n);
    const double result = high - minimum(series, l, n);
    storeCachedStatistic(series, QD_RANGE, l, n, 0, result);
    return result;
}

} // namespace qd
