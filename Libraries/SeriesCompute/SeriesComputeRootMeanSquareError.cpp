#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double rootMeanSquareError(Series& series, std::int32_t last, std::int32_t count)
{
    const CacheRule rule{QD_ROOT_MEAN_SQUARE_ERROR, StatisticInputs::VALUES_AND_FORECASTS, CacheRule::noRangeCheck};
    return cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        const double result = std::sqrt(meanSquareError(series, range.last, range.count));
        return result;
    });
}

double SeriesComputeRootMeanSquareError::compute(Series& series)
{
    return rootMeanSquareError(series, last, count);
}

} // namespace qd
