#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double standardDeviation(Series& series, std::int32_t last, std::int32_t count)
{
    resolveSeriesRange(series, last, count);
    double cached = 0.0;
    if (lookupCachedStatistic(series, QD_STANDARD_DEVIATION, last, count, 0, StatisticInputs::VALUES, cached))
        return cached;
    const double result = std::sqrt(variance(series, last, count));
    storeCachedStatistic(series, QD_STANDARD_DEVIATION, last, count, 0, result);
    return result;
}

double SeriesComputeStandardDeviation::compute(Series& series)
{
    return standardDeviation(series, last, count);
}

} // namespace qd
