#include "SeriesCompute/SeriesComputeLjungBox.h"

#include "Matrix/MVRBaseException.h"
#include "Matrix/Observation.h"
#include "Matrix/SeriesRange.h"
#include "SeriesCompute/ObservationComputeError.h"
#include "SeriesCompute/SharedRoutines.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeLjungBox";
}  // namespace

double ljungBox(Series& series, std::int32_t last, std::int32_t count, std::int32_t numLagValues)
{
    resolveSeriesRange(series, last, count);
    // The range is checked before any observation is read.
    checkSeriesRange(series, last, count, 1);
    Series residuals(count > 0 ? count : 0);
    for (std::int64_t i = static_cast<std::int64_t>(last) - count + 1; i <= last; ++i) {
        // The residual is the observation's forecast error, as the error
        // measures take it: 0.0 for an observation that holds no forecast.
        // (Counting such an observation with forecast 0.0, so that a series
        // without any forecasts has residuals equal to its values, is the
        // other way to read the rule; this routine does not follow it. A
        // series without forecasts has all residuals 0.0 and Q = 0.)
        residuals.addObservation(observationError(series.observation(static_cast<std::int32_t>(i))), QD_SUPPLIED,
                                 FdCString());
    }
    Series r(numLagValues > 0 ? numLagValues : 0);
    autocorrelationsToSeries(residuals, r, QD_LAST, QD_ALL, numLagValues);
    if (count == numLagValues)
        qdThrow(QD_SOURCE_PATH, 58, ErrorCode::DividedByZero);
    const double n = static_cast<double>(count);
    double sum = 0.0;
    for (std::int32_t k = 1; k <= numLagValues; ++k) {
        const double rk = r.observation(k - 1).value;
        sum += rk * rk / (n - k);
    }
    return n * (n + 2.0) * sum;
}

double chiSquareCritical95(std::int32_t degreesOfFreedom)
{
    // The table is kept as written, two decimals per entry; the df 13 and
    // df 28 entries (22.37 and 41.33) are as published although the
    // quantiles round to 22.36 and 41.34.
    static const double kCritical[30] = {3.84,  5.99,  7.81,  9.49,  11.07, 12.59, 14.07, 15.51, 16.92, 18.31,
                                         19.68, 21.03, 22.37, 23.68, 25.0,  26.3,  27.59, 28.87, 30.14, 31.41,
                                         32.67, 33.92, 35.17, 36.42, 37.65, 38.89, 40.11, 41.33, 42.56, 43.77};
    if (degreesOfFreedom < 1 || degreesOfFreedom > 30)
        return 55.76;
    return kCritical[degreesOfFreedom - 1];
}

double SeriesComputeLjungBox::compute(Series& series)
{
    return ljungBox(series, last, count, numLagValues);
}

}  // namespace qd
