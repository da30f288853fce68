#include "SeriesCompute/FitCriteria.h"
#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double computeRSquare(Series& series, std::int32_t last, std::int32_t count)
{
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 1);
    double cached = 0.0;
    if (lookupCachedStatistic(series, QD_R_SQUARE, last, count, 0, StatisticInputs::VALUES_AND_FORECASTS, cached))
        return cached;
    const double sse = sumSquaredError(series, last, count);
    const double ssd = sumSquaredDeviation(series, last, count);
    double r2 = 0.0;
    if (!(ssd < 1e-6)) {
        r2 = 1.0 - sse / ssd;
        if (r2 < 0.0)
            r2 = 0.0;
    }
    storeCachedStatistic(series, QD_R_SQUARE, last, count, 0, r2);
    return r2;
}

double SeriesComputeRSquare::compute(Series& series)
{
    return computeRSquare(series, last, count);
}

}  // namespace qd
