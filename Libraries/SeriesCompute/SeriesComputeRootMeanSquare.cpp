#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

// The root of the mean squared deviation from the mean (not of the mean
// square of the values).
double SeriesComputeRootMeanSquare::compute(Series& series)
{
    const CacheRule rule{QD_ROOT_MEAN_SQUARE, StatisticInputs::VALUES, CacheRule::noRangeCheck};
    return cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        const double ssd = sumSquaredDeviation(series, range.last, range.count);
        const double result = std::sqrt(ssd / range.count);
        return result;
    });
}

} // namespace qd
