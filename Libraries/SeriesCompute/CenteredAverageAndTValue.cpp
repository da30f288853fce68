#include "SeriesCompute/CenteredAverageAndTValue.h"

#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesCompute.h"
#include "SeriesCompute/SeriesStatistics.h"
#include "Statistics/Distributions.h"

namespace qd {
namespace interim {

namespace {

const char* const QD_AVERAGE_PATH = "Libraries\\SeriesCompute\\SeriesComputeCenteredMovingAverage";
const char* const QD_TVALUE_PATH = "Libraries\\SeriesCompute\\SeriesComputeTValue";

}  // namespace

double centeredMovingAverage(Series& series, std::int32_t last, std::int32_t count, std::int32_t L)
{
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 1);
    if (L < 1)
        qdThrow(QD_AVERAGE_PATH, 62, 3051);
    if ((L % 2 == 0 && count < L + 1) || count < L)
        qdThrow(QD_AVERAGE_PATH, 66, 3001);
    const double* v = series.values();
    const std::int32_t h = L / 2;
    const std::int32_t start = last - count + 1;
    double s = 0.0;
    for (std::int32_t k = start; k < start + L; ++k)
        s += v[k];
    double written = 0.0;
    if (L % 2 == 1) {
        written = s / L;
        series.observation(start + h).storedResults.store(QD_CENTERED_MOVING_AVERAGE, written);
        for (std::int32_t i = start + 1; i <= last - L + 1; ++i) {
            s = s - v[i - 1] + v[i + L - 1];
            written = s / L;
            series.observation(i + h).storedResults.store(QD_CENTERED_MOVING_AVERAGE, written);
        }
        return written;
    }
    double previous = s / L;
    for (std::int32_t i = start + 1; i <= last - L + 1; ++i) {
        s = s - v[i - 1] + v[i + L - 1];
        const double m = s / L;
        written = (m + previous) * 0.5;
        series.observation(i + h - 1).storedResults.store(QD_CENTERED_MOVING_AVERAGE, written);
        previous = m;
    }
    return written;
}

double computeTValue(double level, double df, bool oneSided)
{
    if (!(level >= 0.0 && level < 1.0))
        qdThrow(QD_TVALUE_PATH, 41, 3088);
    if (!(df >= 1.0))
        qdThrow(QD_TVALUE_PATH, 44, 3146);
    const double p = oneSided ? level : (level + 1.0) * 0.5;
    return stats_d_t_inverse(p, df);
}

double computeTProbability(double t, double df, bool oneSided)
{
    if (!(t >= 0.0))
        qdThrow(QD_TVALUE_PATH, 58, 3147);
    if (!(df >= 1.0))
        qdThrow(QD_TVALUE_PATH, 61, 3146);
    const double p = stats_d_t_cdf(t, df);
    return oneSided ? p : (p - 0.5) + (p - 0.5);
}

}  // namespace interim
}  // namespace qd
