#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double standardDeviationError(Series& series, std::int32_t last, std::int32_t count)
{
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 2);
    double cached = 0.0;
    if (lookupCachedStatistic(series, QD_STANDARD_DEVIATION_ERROR, last, count, 0,
                              StatisticInputs::VALUES_AND_FORECASTS, cached))
        return cached;
    const double result = std::sqrt(sumSquaredError(series, last, count) / (count - 1));
    storeCachedStatistic(series, QD_STANDARD_DEVIATION_ERROR, last, count, 0, result);
    return result;
}

double SeriesComputeStandardDeviationError::compute(Series& series)
{
    return standardDeviationError(series, last, count);
}

} // namespace qd
