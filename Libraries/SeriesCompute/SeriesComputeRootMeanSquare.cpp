#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

// The root of the mean squared deviation from the mean (not of the mean
// square of the values).
double SeriesComputeRootMeanSquare::compute(Series& series)
{
    std::int32_t l = last;
    std::int32_t n = count;
    resolveSeriesRange(series, l, n);
    double cached = 0.0;
    if (lookupCachedStatistic(series, QD_ROOT_MEAN_SQUARE, l, n, 0, StatisticInputs::VALUES, cached))
        return cached;
    const double ssd = sumSquaredDeviation(series, l, n);
    const double result = std::sqrt(ssd / n);
    storeCachedStatistic(series, QD_ROOT_MEAN_SQUARE, l, n, 0, result);
    return result;
}

} // namespace qd
