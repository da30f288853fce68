#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/SharedRoutines.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeAutoCovariance";
}

// The sum of (A[i + lag] - m)(A[i] - m) over the range, divided by count
// (not by count - lag). Not cached.
double autocovariance(Series& series, std::int32_t last, std::int32_t count, std::int32_t lag)
{
    resolveSeriesRange(series, last, count);
    if (count == 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(51), ErrorCode::IllegalNumHistoricalValues);
    if (lag < 0 || lag > count)
        qdThrow(QD_SOURCE_PATH, publishedLine(55), ErrorCode::IllegalNumLagValues);
    const double m = checkedMean(series, last, count);
    const double* a = series.values(0);
    double sum = 0.0;
    for (std::int32_t i = last - count + 1; i <= last - lag; ++i)
        sum += (a[i + lag] - m) * (a[i] - m);
    const double result = sum / count;
    if (!std::isfinite(result)) {
        const ScaledDeviations scaled(a, last - count + 1, count);
        double scaledSum = 0.0;
        for (std::int32_t i = last - count + 1; i <= last - lag; ++i)
            scaledSum += scaled(i + lag) * scaled(i);
        return unscaled(scaledSum / count, 2 * scaled.exponent);
    }
    return result;
}

double SeriesComputeAutoCovariance::compute(Series& series)
{
    return finiteResult(autocovariance(series, last, count, numLagValues), QD_SOURCE_PATH, __LINE__);
}

} // namespace qd
