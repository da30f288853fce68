#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/SharedRoutines.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeAutoCorrelation";
}

// The sum of (A[i] - m)(A[i + lag] - m) over the range, divided by the
// range's sum of squared deviations; 0 when that sum is within 1e-9 of
// zero. Not cached.
double autocorrelation(Series& series, std::int32_t last, std::int32_t count, std::int32_t lag, double ssd)
{
    resolveSeriesRange(series, last, count);
    if (lag == QD_COMPUTE)
        lag = 1;
    else if (lag < 0 || lag > count)
        qdThrow(QD_SOURCE_PATH, publishedLine(64), ErrorCode::IllegalNumLagValues);
    double q = 0.0;
    if (ssd >= 0.0) {
        // A sum supplied by the caller skips the sum's own range check; the
        // range is checked all the same before anything is read.
        checkSeriesRange(series, last, count, 1);
        q = ssd;
    } else {
        q = sumSquaredDeviation(series, last, count);
    }
    if (std::fabs(q) < 1e-9)
        return 0.0;
    const double m = meanOfValues(series, last, count);
    const double* a = series.values(0);
    double sum = 0.0;
    for (std::int32_t i = last - count + 1; i <= last - lag; ++i)
        sum += (a[i] - m) * (a[i + lag] - m);
    if (!std::isfinite(q) || !std::isfinite(sum)) {
        // A ratio free of scale: the same on the scaled deviations.
        const ScaledDeviations scaled(a, last - count + 1, count);
        double scaledSum = 0.0;
        for (std::int32_t i = last - count + 1; i <= last - lag; ++i)
            scaledSum += scaled(i) * scaled(i + lag);
        return scaledSum / scaled.powerSum(2);
    }
    return sum / q;
}

double SeriesComputeAutoCorrelation::compute(Series& series)
{
    return finiteResult(autocorrelation(series, last, count, numLagValues, -1.0), QD_SOURCE_PATH, __LINE__);
}

} // namespace qd
