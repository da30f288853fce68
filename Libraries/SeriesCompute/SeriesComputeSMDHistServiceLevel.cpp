#include "SeriesCompute/SeriesComputeSMDHistServiceLevel.h"

#include <cmath>

#include "Matrix/MVRBaseException.h"
#include "SeriesCompute/SeriesStatistics.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeSMDHistServiceLevel";
}  // namespace

double SeriesComputeSMDHistServiceLevel::compute(Series& series)
{
    std::int32_t l = last;
    std::int32_t c = count;
    resolveSeriesRange(series, l, c);
    checkSeriesRange(series, l, c, 1);
    // Written so that a lead time that is not a number, or infinite, is
    // refused with the same code as a negative one.
    if (!(leadTime >= 0.0 && std::isfinite(leadTime)))
        qdThrow(QD_SOURCE_PATH, 61, ErrorCode::IllegalLeadTime);
    const std::int32_t n = series.numObservations();
    const double* v = series.values(0);
    // Number of periods the lead time touches (the last one may be a
    // fraction of a period).
    const double K = std::ceil(leadTime);
    const double stock = series.storedResults.value(QD_SMD_SAFETY_STOCK);
    double met = 0.0;
    double shortfall = 0.0;
    for (std::int32_t t = l - c + 1; t <= l; ++t) {
        // Terms before the last observation one by one; from the last
        // observation on every term reads the same value, and the weights
        // of terms j0 .. K - 1 add up to leadTime - j0.
        const std::int32_t j0 = n - 1 - t;
        double demand = 0.0;
        if (static_cast<double>(j0) >= K) {
            for (std::int32_t j = 0; static_cast<double>(j) < K; ++j) {
                const double w = j + 1.0 <= leadTime ? 1.0 : leadTime - j;
                demand += w * v[t + j];
            }
        } else {
            for (std::int32_t j = 0; j < j0; ++j)
                demand += v[t + j];
            demand += (leadTime - j0) * v[n - 1];
        }
        if (hslType == 2) {
            if (demand <= stock)
                met += 1.0;
            else
                shortfall += 1.0;
        } else {
            met += demand < stock ? demand : stock;
            if (demand > stock)
                shortfall += demand - stock;
        }
    }
    if (met + shortfall == 0.0)
        return 1.0;
    return met / (met + shortfall);
}

}  // namespace qd
