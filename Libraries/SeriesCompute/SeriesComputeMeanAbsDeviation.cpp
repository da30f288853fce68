#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double SeriesComputeMeanAbsDeviation::compute(Series& series)
{
    const CacheRule rule{QD_MEAN_ABS_DEVIATION, StatisticInputs::VALUES, CacheRule::noRangeCheck};
    return cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        const double m = checkedMean(series, range.last, range.count);
        const double* a = series.values(0);
        double sum = 0.0;
        for (std::int32_t i = range.first(); i <= range.last; ++i)
            sum += std::fabs(a[i] - m);
        const double result = sum / range.count;
        return result;
    });
}

} // namespace qd
