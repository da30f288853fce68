#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double minimumOfValues(Series& series, std::int32_t last, std::int32_t count)
{
    const CacheRule rule{QD_MIN, StatisticInputs::VALUES, 1};
    return cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        const double* a = series.values(0);
        double result = a[range.first()];
        for (std::int32_t i = range.last - range.count + 2; i <= range.last; ++i) {
            if (a[i] < result)
                result = a[i];
        }
        return result;
    });
}

double SeriesComputeMin::compute(Series& series)
{
    return minimumOfValues(series, last, count);
}

} // namespace qd
