#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double meanSquareError(Series& series, std::int32_t last, std::int32_t count)
{
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 1);
    double cached = 0.0;
    if (lookupCachedStatistic(series, QD_MEAN_SQUARE_ERROR, last, count, 0,
                              StatisticInputs::VALUES_AND_FORECASTS, cached))
        return cached;
    const double result = sumSquaredError(series, last, count) / count;
    storeCachedStatistic(series, QD_MEAN_SQUARE_ERROR, last, count, 0, result);
    return result;
}

double SeriesComputeMeanSquareError::compute(Series& series)
{
    return meanSquareError(series, last, count);
}

} // namespace qd
