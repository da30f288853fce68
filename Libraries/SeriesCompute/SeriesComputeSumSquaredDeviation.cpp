#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"
#include "SeriesCompute/SharedRoutines.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeSumSquaredDeviation";
}  // namespace

double sumSquaredDeviation(Series& series, std::int32_t last, std::int32_t count)
{
    const CacheRule rule{QD_SUM_SQUARED_DEVIATION, StatisticInputs::VALUES, 1};
    return cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        const double m = meanOfValues(series, range.last, range.count);
        const double* a = series.values(0);
        double sum = 0.0;
        for (std::int32_t i = range.first(); i <= range.last; ++i) {
            const double d = a[i] - m;
            sum += d * d;
        }
        if (!std::isfinite(sum)) {
            const ScaledDeviations scaled(a, range.first(), range.count);
            return unscaled(scaled.powerSum(2), 2 * scaled.exponent);
        }
        return sum;
    });
}

double SeriesComputeSumSquaredDeviation::compute(Series& series)
{
    return finiteResult(sumSquaredDeviation(series, last, count), QD_SOURCE_PATH, __LINE__);
}

} // namespace qd
