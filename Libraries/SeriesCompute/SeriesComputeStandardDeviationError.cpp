#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double standardDeviationError(Series& series, std::int32_t last, std::int32_t count)
{
    const CacheRule rule{QD_STANDARD_DEVIATION_ERROR, StatisticInputs::VALUES_AND_FORECASTS, 2};
    return cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        const double result = std::sqrt(sumSquaredError(series, range.last, range.count) / (range.count - 1));
        return result;
    });
}

double SeriesComputeStandardDeviationError::compute(Series& series)
{
    return standardDeviationError(series, last, count);
}

} // namespace qd
