#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

// The third central sum over count - 1, divided by the cube of the
// standard deviation; 0 (not cached) when the deviation is within 1e-9 of
// zero.
double skewness(Series& series, std::int32_t last, std::int32_t count)
{
    resolveSeriesRange(series, last, count);
    double cached = 0.0;
    if (lookupCachedStatistic(series, QD_SKEWNESS, last, count, 0, StatisticInputs::VALUES, cached))
        return cached;
    // The standard deviation makes the range checks before anything is read.
    const double sd = standardDeviation(series, last, count);
    const double m = mean(series, last, count);
    if (std::fabs(sd) < 1e-9)
        return 0.0;
    const double* a = series.values(0);
    double sum = 0.0;
    for (std::int32_t i = last - count + 1; i <= last; ++i) {
        const double d = a[i] - m;
        sum += d * d * d;
    }
    const double result = (sum / (count - 1)) / (sd * sd * sd);
    storeCachedStatistic(series, QD_SKEWNESS, last, count, 0, result);
    return result;
}

double SeriesComputeSkewness::compute(Series& series)
{
    return skewness(series, last, count);
}

} // namespace qd
