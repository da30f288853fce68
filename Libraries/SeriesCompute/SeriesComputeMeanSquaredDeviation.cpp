#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"
#include "SeriesCompute/SharedRoutines.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeMeanSquaredDeviation";
}  // namespace

double meanSquaredDeviation(Series& series, std::int32_t last, std::int32_t count)
{
    const CacheRule rule{QD_MEAN_SQUARED_DEVIATION, StatisticInputs::VALUES, CacheRule::noRangeCheck};
    return cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        // The sum's range check runs before the division by count.
        const double ssd = sumSquaredDeviation(series, range.last, range.count);
        const double result = ssd / range.count;
        if (!std::isfinite(result)) {
            const ScaledDeviations scaled(series.values(0), range.first(), range.count);
            return unscaled(scaled.powerSum(2) / range.count, 2 * scaled.exponent);
        }
        return result;
    });
}

double SeriesComputeMeanSquaredDeviation::compute(Series& series)
{
    return finiteResult(meanSquaredDeviation(series, last, count), QD_SOURCE_PATH, __LINE__);
}

} // namespace qd
