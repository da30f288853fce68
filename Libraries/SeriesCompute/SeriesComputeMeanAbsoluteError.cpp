#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double meanAbsoluteError(Series& series, std::int32_t last, std::int32_t count)
{
    const CacheRule rule{QD_MEAN_ABSOLUTE_ERROR, StatisticInputs::VALUES_AND_FORECASTS, 1};
    return cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        const double* a = series.values(0);
        const double* f = series.forecastValues(0);
        double sum = 0.0;
        for (std::int32_t i = range.first(); i <= range.last; ++i)
            sum += std::fabs(a[i] - f[i]);
        const double result = sum / range.count;
        return result;
    });
}

double SeriesComputeMeanAbsoluteError::compute(Series& series)
{
    return meanAbsoluteError(series, last, count);
}

} // namespace qd
