#include "SeriesCompute/SeriesComputeCenteredMovingAverage.h"

#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesCompute.h"
#include "SeriesCompute/SeriesStatistics.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeCenteredMovingAverage";
}  // namespace

double SeriesComputeCenteredMovingAverage(Series& series, std::int32_t last, std::int32_t count,
                                          std::int32_t seasonalLength)
{
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 1);
    const std::int32_t L = seasonalLength;
    if (L < 1)
        qdThrow(QD_SOURCE_PATH, 52, ErrorCode::InvalidSeasonalLength);
    const bool even = L % 2 == 0;
    if (count < (even ? L + 1 : L))
        qdThrow(QD_SOURCE_PATH, 56, ErrorCode::IllegalNumHistoricalValues);
    const double* v = series.values(0);
    const std::int32_t h = L / 2;
    const std::int32_t start = last - count + 1;
    double s = 0.0;
    for (std::int32_t i = start; i < start + L; ++i)
        s += v[i];
    double written = 0.0;
    if (!even) {
        written = s / L;
        series.observation(start + h).storedResults.store(QD_CENTERED_MOVING_AVERAGE, written);
        for (std::int32_t i = start + 1; i <= last - L + 1; ++i) {
            s = s - v[i - 1] + v[i + L - 1];
            written = s / L;
            series.observation(i + h).storedResults.store(QD_CENTERED_MOVING_AVERAGE, written);
        }
    } else {
        double previous = s / L;
        for (std::int32_t i = start + 1; i <= last - L + 1; ++i) {
            s = s - v[i - 1] + v[i + L - 1];
            const double m = s / L;
            written = (m + previous) * 0.5;
            series.observation(i + h - 1).storedResults.store(QD_CENTERED_MOVING_AVERAGE, written);
            previous = m;
        }
    }
    return written;
}

}  // namespace qd
