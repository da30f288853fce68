#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

// The fourth central sum over count - 1, divided by the fourth power of the
// standard deviation (3 for normal data, not the excess); 0 (not cached)
// when the deviation is within 1e-9 of zero.
double kurtosis(Series& series, std::int32_t last, std::int32_t count)
{
    resolveSeriesRange(series, last, count);
    double cached = 0.0;
    if (lookupCachedStatistic(series, QD_KURTOSIS, last, count, 0, StatisticInputs::VALUES, cached))
        return cached;
    const double sd = standardDeviation(series, last, count);
    const double m = mean(series, last, count);
    if (std::fabs(sd) < 1e-9)
        return 0.0;
    const double* a = series.values(0);
    double sum = 0.0;
    for (std::int32_t i = last - count + 1; i <= last; ++i) {
        const double d = a[i] - m;
        const double d2 = d * d;
        sum += d2 * d2;
    }
    const double sd2 = sd * sd;
    const double result = (sum / (count - 1)) / (sd2 * sd2);
    storeCachedStatistic(series, QD_KURTOSIS, last, count, 0, result);
    return result;
}

double SeriesComputeKurtosis::compute(Series& series)
{
    return kurtosis(series, last, count);
}

} // namespace qd
