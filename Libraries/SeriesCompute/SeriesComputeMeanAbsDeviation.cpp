#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double SeriesComputeMeanAbsDeviation::compute(Series& series)
{
    std::int32_t l = last;
    std::int32_t n = count;
    resolveSeriesRange(series, l, n);
    double cached = 0.0;
    if (lookupCachedStatistic(series, QD_MEAN_ABS_DEVIATION, l, n, 0, StatisticInputs::VALUES, cached))
        return cached;
    const double m = checkedMean(series, l, n);
    const double* a = series.values(0);
    double sum = 0.0;
    for (std::int32_t i = l - n + 1; i <= l; ++i)
        sum += std::fabs(a[i] - m);
    const double result = sum / n;
    storeCachedStatistic(series, QD_MEAN_ABS_DEVIATION, l, n, 0, result);
    return result;
}

} // namespace qd
