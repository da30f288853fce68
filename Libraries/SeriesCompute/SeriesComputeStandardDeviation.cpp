#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"
#include "SeriesCompute/SharedRoutines.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeStandardDeviation";
}  // namespace

double standardDeviation(Series& series, std::int32_t last, std::int32_t count)
{
    const CacheRule rule{QD_STANDARD_DEVIATION, StatisticInputs::VALUES, CacheRule::noRangeCheck};
    return cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        const double result = std::sqrt(variance(series, range.last, range.count));
        if (!std::isfinite(result)) {
            // The variance overflowed: the root is taken before scaling back.
            const ScaledDeviations scaled(series.values(0), range.first(), range.count);
            return unscaled(std::sqrt(scaled.powerSum(2) / (range.count - 1)), scaled.exponent);
        }
        return result;
    });
}

double SeriesComputeStandardDeviation::compute(Series& series)
{
    return finiteResult(standardDeviation(series, last, count), QD_SOURCE_PATH, __LINE__);
}

} // namespace qd
