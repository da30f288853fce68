#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"
#include "SeriesCompute/SharedRoutines.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeKurtosis";
}  // namespace

// The fourth central sum over count - 1, divided by the fourth power of the
// standard deviation (3 for normal data, not the excess); 0 (not cached)
// when the deviation is within 1e-9 of zero.
double kurtosis(Series& series, std::int32_t last, std::int32_t count)
{
    const CacheRule rule{QD_KURTOSIS, StatisticInputs::VALUES, CacheRule::noRangeCheck};
    return cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        const double sd = standardDeviation(series, range.last, range.count);
        const double m = meanOfValues(series, range.last, range.count);
        if (std::fabs(sd) < 1e-9)
            return StatisticValue::notCached(0.0);
        const double* a = series.values(0);
        double sum = 0.0;
        for (std::int32_t i = range.first(); i <= range.last; ++i) {
            const double d = a[i] - m;
            const double d2 = d * d;
            sum += d2 * d2;
        }
        const double sd2 = sd * sd;
        const double fourth = sd2 * sd2;
        const double result = (sum / (range.count - 1)) / fourth;
        if (!std::isfinite(result) || !std::isfinite(fourth)) {
            // A ratio free of scale: the same on the scaled deviations.
            const ScaledDeviations scaled(a, range.first(), range.count);
            const double s2 = scaled.powerSum(2) / (range.count - 1);
            return (scaled.powerSum(4) / (range.count - 1)) / (s2 * s2);
        }
        return result;
    });
}

double SeriesComputeKurtosis::compute(Series& series)
{
    return finiteResult(kurtosis(series, last, count), QD_SOURCE_PATH, __LINE__);
}

} // namespace qd
