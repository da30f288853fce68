#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double sumSquaredError(Series& series, std::int32_t last, std::int32_t count)
{
    const CacheRule rule{QD_SUM_SQUARED_ERROR, StatisticInputs::VALUES_AND_FORECASTS, 1};
    return cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        const double* a = series.values(0);
        const double* f = series.forecastValues(0);
        double sum = 0.0;
        for (std::int32_t i = range.first(); i <= range.last; ++i) {
            const double e = a[i] - f[i];
            sum += e * e;
        }
        return sum;
    });
}

double SeriesComputeSumSquaredError::compute(Series& series)
{
    return sumSquaredError(series, last, count);
}

} // namespace qd
