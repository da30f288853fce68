#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeNormalityError";
}

// count / 6 x (skewness + (kurtosis - 3)^2 / 4); k is only checked.
double normalityError(Series& series, std::int32_t last, std::int32_t count, std::int32_t k)
{
    resolveSeriesRange(series, last, count);
    if (k < 0 || k > count)
        qdThrow(QD_SOURCE_PATH, publishedLine(43), ErrorCode::IllegalNormalityK);
    const CacheRule rule{QD_NORMALITY_ERROR, StatisticInputs::VALUES, CacheRule::noRangeCheck, k};
    return cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        const double s = skewness(series, range.last, range.count);
        const double excess = kurtosis(series, range.last, range.count) - 3.0;
        const double result = range.count / 6.0 * (s + excess * excess / 4.0);
        return result;
    });
}

double SeriesComputeNormalityError::compute(Series& series)
{
    return normalityError(series, last, count, k);
}

} // namespace qd
