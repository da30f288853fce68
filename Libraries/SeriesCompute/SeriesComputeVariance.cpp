#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double variance(Series& series, std::int32_t last, std::int32_t count)
{
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 2);
    double cached = 0.0;
    if (lookupCachedStatistic(series, QD_VARIANCE, last, count, 0, StatisticInputs::VALUES, cached))
        return cached;
    const double result = sumSquaredDeviation(series, last, count) / (count - 1);
    storeCachedStatistic(series, QD_VARIANCE, last, count, 0, result);
    return result;
}

double SeriesComputeVariance::compute(Series& series)
{
    return variance(series, last, count);
}

} // namespace qd
