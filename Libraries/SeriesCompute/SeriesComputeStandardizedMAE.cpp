#include "SeriesCompute/SeriesComputeStandardizedMAE.h"

#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double SeriesComputeStandardizedMAE::compute(Series& series)
{
    std::int32_t l = last;
    std::int32_t c = count;
    resolveSeriesRange(series, l, c);
    checkSeriesRange(series, l, c, 1);
    double cached = 0.0;
    if (lookupCachedStatistic(series, QD_STANDARDIZED_MAE, l, c, 0, StatisticInputs::VALUES_AND_FORECASTS, cached))
        return cached;
    const double mae = meanAbsoluteError(series, l, c);
    const double* a = series.values(0);
    double sum = 0.0;
    for (std::int32_t i = l - c + 1; i <= l; ++i)
        sum += std::fabs(a[i]);
    const double m = sum / c;
    const double result = m == 0.0 ? 0.0 : mae / m;
    storeCachedStatistic(series, QD_STANDARDIZED_MAE, l, c, 0, result);
    return result;
}

}  // namespace qd
