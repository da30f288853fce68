#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double meanSquareError(Series& series, std::int32_t last, std::int32_t count)
{
    const CacheRule rule{QD_MEAN_SQUARE_ERROR, StatisticInputs::VALUES_AND_FORECASTS, 1};
    return cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        const double result = sumSquaredError(series, range.last, range.count) / range.count;
        return result;
    });
}

double SeriesComputeMeanSquareError::compute(Series& series)
{
    return meanSquareError(series, last, count);
}

} // namespace qd
