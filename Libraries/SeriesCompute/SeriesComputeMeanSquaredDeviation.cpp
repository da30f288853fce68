#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double meanSquaredDeviation(Series& series, std::int32_t last, std::int32_t count)
{
    resolveSeriesRange(series, last, count);
    double cached = 0.0;
    if (lookupCachedStatistic(series, QD_MEAN_SQUARED_DEVIATION, last, count, 0, StatisticInputs::VALUES, cached))
        return cached;
    // The sum's range check runs before the division by count.
    const double ssd = sumSquaredDeviation(series, last, count);
    const double result = ssd / count;
    storeCachedStatistic(series, QD_MEAN_SQUARED_DEVIATION, last, count, 0, result);
    return result;
}

double SeriesComputeMeanSquaredDeviation::compute(Series& series)
{
    return meanSquaredDeviation(series, last, count);
}

} // namespace qd
