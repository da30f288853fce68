#include "SeriesCompute/SeriesComputeSumSquaredRegression.h"

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double sumSquaredRegression(Series& series, std::int32_t last, std::int32_t count)
{
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 1);
    double cached = 0.0;
    if (lookupCachedStatistic(series, QD_SUM_SQUARED_REGRESSION, last, count, 0,
                              StatisticInputs::VALUES_AND_FORECASTS, cached))
        return cached;
    const double mean = meanOfValues(series, last, count);
    const double* fitted = series.forecastValues(0);
    double ssr = 0.0;
    for (std::int32_t i = last - count + 1; i <= last; ++i) {
        const double d = fitted[i] - mean;
        ssr += d * d;
    }
    storeCachedStatistic(series, QD_SUM_SQUARED_REGRESSION, last, count, 0, ssr);
    return ssr;
}

double SeriesComputeSumSquaredRegression::compute(Series& series)
{
    return sumSquaredRegression(series, last, count);
}

}  // namespace qd
