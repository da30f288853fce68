#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/SharedRoutines.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeCoefficientOfVariation";
}  // namespace

// 100 x standard deviation / mean, a percentage; 0 (not cached) when the
// mean is within 1e-9 of zero.
double SeriesComputeCoefficientOfVariation::compute(Series& series)
{
    const CacheRule rule{QD_COEFFICIENT_OF_VARIATION, StatisticInputs::VALUES, 1};
    const double value = cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        const double sd = standardDeviation(series, range.last, range.count);
        const double m = meanOfValues(series, range.last, range.count);
        if (std::fabs(m) < 1e-9)
            return StatisticValue::notCached(0.0);
        const double result = 100.0 * sd / m;
        if (!std::isfinite(result)) {
            // The ratio of the scaled deviation to the scaled mean.
            const ScaledDeviations scaled(series.values(0), range.first(), range.count);
            return 100.0 * (std::sqrt(scaled.powerSum(2) / (range.count - 1)) / scaled.mean);
        }
        return result;
    });
    return finiteResult(value, QD_SOURCE_PATH, __LINE__);
}

} // namespace qd
