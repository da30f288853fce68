#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double standardDeviation(Series& series, std::int32_t last, std::int32_t count)
{
    const CacheRule rule{QD_STANDARD_DEVIATION, StatisticInputs::VALUES, CacheRule::noRangeCheck};
    return cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        const double result = std::sqrt(variance(series, range.last, range.count));
        return result;
    });
}

double SeriesComputeStandardDeviation::compute(Series& series)
{
    return standardDeviation(series, last, count);
}

} // namespace qd
