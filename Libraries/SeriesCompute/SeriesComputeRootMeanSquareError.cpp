#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double rootMeanSquareError(Series& series, std::int32_t last, std::int32_t count)
{
    resolveSeriesRange(series, last, count);
    double cached = 0.0;
    if (lookupCachedStatistic(series, QD_ROOT_MEAN_SQUARE_ERROR, last, count, 0,
                              StatisticInputs::VALUES_AND_FORECASTS, cached))
        return cached;
    const double result = std::sqrt(meanSquareError(series, last, count));
    storeCachedStatistic(series, QD_ROOT_MEAN_SQUARE_ERROR, last, count, 0, result);
    return result;
}

double SeriesComputeRootMeanSquareError::compute(Series& series)
{
    return rootMeanSquareError(series, last, count);
}

} // namespace qd
