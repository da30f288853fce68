#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeDurbinWatson";
}

// The sum of squared differences of the errors `offset` observations apart
// over the sum of squared errors of the range (offset 1: the customary
// statistic; offset 0 gives 0).
double durbinWatson(Series& series, std::int32_t last, std::int32_t count, std::int32_t offset)
{
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 2);
    // A negative offset would pair errors with errors after the range,
    // beyond the end of the series.
    if (offset < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(50), ErrorCode::OutOfBounds);

    const CacheRule rule{QD_DURBIN_WATSON, StatisticInputs::VALUES_AND_FORECASTS, CacheRule::noRangeCheck, offset};
    return cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        const double sse = sumSquaredError(series, range.last, range.count);
        const double* a = series.values(0);
        const double* f = series.forecastValues(0);
        // start = max(0, first + offset), in 64 bits: offset may be huge.
        const std::int64_t first = std::int64_t(range.last) - range.count + 1;
        const std::int64_t start = first + offset;
        double p = 0.0;
        for (std::int64_t i = start; i <= range.last; ++i) {
            const double change = (a[i] - f[i]) - (a[i - offset] - f[i - offset]);
            p += change * change;
        }
        const double result = std::fabs(sse) < 1e-6 ? 0.0 : p / sse;
        return result;
    });
}

double SeriesComputeDurbinWatson::compute(Series& series)
{
    return durbinWatson(series, last, count, offset);
}

} // namespace qd
