#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double meanSquaredDeviation(Series& series, std::int32_t last, std::int32_t count)
{
    const CacheRule rule{QD_MEAN_SQUARED_DEVIATION, StatisticInputs::VALUES, CacheRule::noRangeCheck};
    return cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        // The sum's range check runs before the division by count.
        const double ssd = sumSquaredDeviation(series, range.last, range.count);
        const double result = ssd / range.count;
        return result;
    });
}

double SeriesComputeMeanSquaredDeviation::compute(Series& series)
{
    return meanSquaredDeviation(series, last, count);
}

} // namespace qd
