#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double variance(Series& series, std::int32_t last, std::int32_t count)
{
    const CacheRule rule{QD_VARIANCE, StatisticInputs::VALUES, 2};
    return cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        const double result = sumSquaredDeviation(series, range.last, range.count) / (range.count - 1);
        return result;
    });
}

double SeriesComputeVariance::compute(Series& series)
{
    return variance(series, last, count);
}

} // namespace qd
