#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"
#include "SeriesCompute/SharedRoutines.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeSkewness";
}  // namespace

// The third central sum over count - 1, divided by the cube of the
// standard deviation; 0 (not cached) when the deviation is within 1e-9 of
// zero.
double skewness(Series& series, std::int32_t last, std::int32_t count)
{
    const CacheRule rule{QD_SKEWNESS, StatisticInputs::VALUES, CacheRule::noRangeCheck};
    return cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        // The standard deviation makes the range checks before anything is read.
        const double sd = standardDeviation(series, range.last, range.count);
        const double m = meanOfValues(series, range.last, range.count);
        if (std::fabs(sd) < 1e-9)
            return StatisticValue::notCached(0.0);
        const double* a = series.values(0);
        double sum = 0.0;
        for (std::int32_t i = range.first(); i <= range.last; ++i) {
            const double d = a[i] - m;
            sum += d * d * d;
        }
        const double cube = sd * sd * sd;
        const double result = (sum / (range.count - 1)) / cube;
        if (!std::isfinite(result) || !std::isfinite(cube)) {
            // A ratio free of scale: the same on the scaled deviations.
            const ScaledDeviations scaled(a, range.first(), range.count);
            const double s = std::sqrt(scaled.powerSum(2) / (range.count - 1));
            return (scaled.powerSum(3) / (range.count - 1)) / (s * s * s);
        }
        return result;
    });
}

double SeriesComputeSkewness::compute(Series& series)
{
    return finiteResult(skewness(series, last, count), QD_SOURCE_PATH, __LINE__);
}

} // namespace qd
