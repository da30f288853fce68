#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeTheil";
}

// Theil's U over the pairs of consecutive observations (i, i + 1) for
// i = last - count + 1 .. last: the relative errors of the forecasts of
// i + 1 against the relative changes of a no-change forecast.
double theilStatistic(Series& series, std::int32_t last, std::int32_t count)
{
    const std::int32_t n = series.numObservations();
    // The last pair needs observation last + 1.
    if (last == QD_LAST)
        last = n - 2;
    if (count == QD_ALL)
        count = n - 1;
    if (last < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(57), ErrorCode::NegativeIndex);
    if (last >= n - 1)
        qdThrow(QD_SOURCE_PATH, publishedLine(60), ErrorCode::OutOfBounds);
    if (count <= 1)
        qdThrow(QD_SOURCE_PATH, publishedLine(63), ErrorCode::IllegalNumHistoricalValues);
    if (last - count + 1 < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(66), ErrorCode::NotEnoughHistoricalData);

    const CacheRule rule{QD_THEIL, StatisticInputs::VALUES_AND_FORECASTS, CacheRule::noRangeCheck};
    return cachedStatistic(series, last, count, rule, [&](StatisticRange range) -> StatisticValue {
        const double* a = series.values(0);
        const std::int32_t first = range.first();
        double d = 0.0;
        for (std::int32_t i = first; i <= range.last; ++i) {
            if (std::fabs(a[i]) > 1e-6) {
                const double change = (a[i + 1] - a[i]) / a[i];
                d += change * change;
            }
        }
        if (std::fabs(d) < 1e-6)
            return StatisticValue::notCached(0.0);

        double numerator = 0.0;
        for (std::int32_t i = first; i <= range.last; ++i) {
            double forecast = 0.0;
            if (series.observation(i + 1).storedResults.lookup(QD_FORECAST, forecast) != QD_QUANTITY_FOUND)
                return StatisticValue::notCached(0.0);
            if (std::fabs(a[i]) > 1e-6) {
                const double error = (forecast - a[i + 1]) / a[i];
                numerator += error * error;
            }
        }
        const double result = std::sqrt(numerator / d);
        return result;
    });
}

double SeriesComputeTheil::compute(Series& series)
{
    return theilStatistic(series, last, count);
}

} // namespace qd
