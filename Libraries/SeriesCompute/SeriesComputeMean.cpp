#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"
#include "SeriesCompute/SharedRoutines.h"

namespace qd {

double meanOfValues(Series& series, std::int32_t last, std::int32_t count)
{
    // Callers check the range first; a range that would read outside the
    // series, or an empty one (no mean), is refused all the same.
    const CacheRule rule{QD_MEAN, StatisticInputs::VALUES, 1};
    return cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        const double* a = series.values(0);
        double sum = 0.0;
        for (std::int32_t i = range.first(); i <= range.last; ++i)
            sum += a[i];
        const double result = sum / range.count;
        if (!std::isfinite(result)) {
            // The sum overflowed: the mean of the scaled values, scaled back.
            const ScaledDeviations scaled(a, range.first(), range.count);
            return unscaled(scaled.mean, scaled.exponent);
        }
        return result;
    });
}

double checkedMean(Series& series, std::int32_t last, std::int32_t count)
{
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 1);
    return meanOfValues(series, last, count);
}

double SeriesComputeMean::compute(Series& series)
{
    return checkedMean(series, last, count);
}

} // namespace qd
