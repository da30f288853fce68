#include <cmath>

#include "Matrix/Observation.h"
#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double meanAbsolutePercentageError(Series& series, std::int32_t last, std::int32_t count)
{
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 1);
    double cached = 0.0;
    if (lookupCachedStatistic(series, QD_MEAN_ABSOLUTE_PERCENTAGE_ERROR, last, count, 0,
                              StatisticInputs::VALUES_AND_FORECASTS, cached))
        return cached;
    const double* a = series.values(0);
    const double* f = series.forecastValues(0);
    double sum = 0.0;
    std::int32_t used = 0;
    for (std::int32_t i = last - count + 1; i <= last; ++i) {
        // The forecast periods appended after the data end the walk.
        if (series.observation(i).originType == QD_COMPUTED)
            break;
        if (std::fabs(a[i]) > 1e-12) {
            sum += std::fabs((a[i] - f[i]) / a[i]);
            ++used;
        }
    }
    const double result = used == 0 ? 0.0 : sum / used;
    storeCachedStatistic(series, QD_MEAN_ABSOLUTE_PERCENTAGE_ERROR, last, count, 0, result);
    return result;
}

double SeriesComputeMeanAbsolutePercentageError::compute(Series& series)
{
    return meanAbsolutePercentageError(series, last, count);
}

} // namespace qd
