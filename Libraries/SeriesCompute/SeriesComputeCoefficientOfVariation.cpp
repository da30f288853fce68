#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

// 100 x standard deviation / mean, a percentage; 0 (not cached) when the
// mean is within 1e-9 of zero.
double SeriesComputeCoefficientOfVariation::compute(Series& series)
{
    const CacheRule rule{QD_COEFFICIENT_OF_VARIATION, StatisticInputs::VALUES, 1};
    return cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        const double sd = standardDeviation(series, range.last, range.count);
        const double m = meanOfValues(series, range.last, range.count);
        if (std::fabs(m) < 1e-9)
            return StatisticValue::notCached(0.0);
        const double result = 100.0 * sd / m;
        return result;
    });
}

} // namespace qd
