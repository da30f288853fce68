#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"
#include "SeriesCompute/SharedRoutines.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeVariance";
}  // namespace

double variance(Series& series, std::int32_t last, std::int32_t count)
{
    const CacheRule rule{QD_VARIANCE, StatisticInputs::VALUES, 2};
    return cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        const double result = sumSquaredDeviation(series, range.last, range.count) / (range.count - 1);
        if (!std::isfinite(result)) {
            const ScaledDeviations scaled(series.values(0), range.first(), range.count);
            return unscaled(scaled.powerSum(2) / (range.count - 1), 2 * scaled.exponent);
        }
        return result;
    });
}

double SeriesComputeVariance::compute(Series& series)
{
    return finiteResult(variance(series, last, count), QD_SOURCE_PATH, __LINE__);
}

} // namespace qd
