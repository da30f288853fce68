#include <cmath>

#include "Matrix/Observation.h"
#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double meanAbsolutePercentageError(Series& series, std::int32_t last, std::int32_t count)
{
    const CacheRule rule{QD_MEAN_ABSOLUTE_PERCENTAGE_ERROR, StatisticInputs::VALUES_AND_FORECASTS, 1};
    return cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        const double* a = series.values(0);
        const double* f = series.forecastValues(0);
        double sum = 0.0;
        std::int32_t used = 0;
        for (std::int32_t i = range.first(); i <= range.last; ++i) {
            // The forecast periods appended after the data end the walk.
            if (series.observation(i).originType == QD_COMPUTED)
                break;
            if (std::fabs(a[i]) > 1e-12) {
                sum += std::fabs((a[i] - f[i]) / a[i]);
                ++used;
            }
        }
        const double result = used == 0 ? 0.0 : sum / used;
        return result;
    });
}

double SeriesComputeMeanAbsolutePercentageError::compute(Series& series)
{
    return meanAbsolutePercentageError(series, last, count);
}

} // namespace qd
