#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double SeriesComputeRange::compute(Series& series)
{
    const CacheRule rule{QD_RANGE, StatisticInputs::VALUES, CacheRule::noRangeCheck};
    return cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        const double high = maximumOfValues(series, range.last, range.count);
        const double result = high - minimumOfValues(series, range.last, range.count);
        return result;
    });
}

} // namespace qd
