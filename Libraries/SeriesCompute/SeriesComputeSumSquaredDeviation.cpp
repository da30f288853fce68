#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double sumSquaredDeviation(Series& series, std::int32_t last, std::int32_t count)
{
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 1);
    double cached = 0.0;
    if (lookupCachedStatistic(series, QD_SUM_SQUARED_DEVIATION, last, count, 0, StatisticInputs::VALUES, cached))
        return cached;
    const double m = mean(series, last, count);
    const double* a = series.values(0);
    double sum = 0.0;
    for (std::int32_t i = last - count + 1; i <= last; ++i) {
        const double d = a[i] - m;
        sum += d * d;
    }
    storeCachedStatistic(series, QD_SUM_SQUARED_DEVIATION, last, count, 0, sum);
    return sum;
}

double SeriesComputeSumSquaredDeviation::compute(Series& series)
{
    return sumSquaredDeviation(series, last, count);
}

} // namespace qd
