#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

// 100 x standard deviation / mean, a percentage; 0 (not cached) when the
// mean is within 1e-9 of zero.
double SeriesComputeCoefficientOfVariation::compute(Series& series)
{
    std::int32_t l = last;
    std::int32_t n = count;
    resolveSeriesRange(series, l, n);
    checkSeriesRange(series, l, n, 1);
    double cached = 0.0;
    if (lookupCachedStatistic(series, QD_COEFFICIENT_OF_VARIATION, l, n, 0, StatisticInputs::VALUES, cached))
        return cached;
    const double sd = standardDeviation(series, l, n);
    const double m = mean(series, l, n);
    if (std::fabs(m) < 1e-9)
        return 0.0;
    const double result = 100.0 * sd / m;
    storeCachedStatistic(series, QD_COEFFICIENT_OF_VARIATION, l, n, 0, result);
    return result;
}

} // namespace qd
