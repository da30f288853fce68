#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/SharedRoutines.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeRootMeanSquare";
}  // namespace

// The root of the mean squared deviation from the mean (not of the mean
// square of the values).
double SeriesComputeRootMeanSquare::compute(Series& series)
{
    const CacheRule rule{QD_ROOT_MEAN_SQUARE, StatisticInputs::VALUES, CacheRule::noRangeCheck};
    const double value = cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        const double ssd = sumSquaredDeviation(series, range.last, range.count);
        const double result = std::sqrt(ssd / range.count);
        if (!std::isfinite(result)) {
            const ScaledDeviations scaled(series.values(0), range.first(), range.count);
            return unscaled(std::sqrt(scaled.powerSum(2) / range.count), scaled.exponent);
        }
        return result;
    });
    return finiteResult(value, QD_SOURCE_PATH, __LINE__);
}

} // namespace qd
