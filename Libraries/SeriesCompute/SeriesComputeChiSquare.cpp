#include "SeriesCompute/SeriesComputeChiSquare.h"

#include <cmath>

#include "Matrix/MVRBaseException.h"
#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"
#include "Statistics/Distributions.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeChiSquare";
}  // namespace

double SeriesComputeChiSquare::compute(Series& series)
{
    std::int32_t l = last;
    std::int32_t c = count;
    resolveSeriesRange(series, l, c);
    checkSeriesRange(series, l, c, 1);
    std::int32_t k = numParameters;
    if (k == QD_COMPUTE) {
        try {
            k = series.numParameters(QD_COMPUTE);
        } catch (const MVRBaseException&) {
            rethrowOutOfMemory();
            k = 1;
        }
    }
    if (k <= 0)
        qdThrow(QD_SOURCE_PATH, 58, ErrorCode::IllegalDegreesOfFreedom);
    const double df = static_cast<double>(c) - k - 1.0;
    if (df < 1.0)
        qdThrow(QD_SOURCE_PATH, 62, ErrorCode::IllegalNumHistoricalValues);
    const double* a = series.values(0);
    const double* f = series.forecastValues(0);
    double chi2 = 0.0;
    for (std::int32_t i = l - c + 1; i <= l; ++i) {
        if (std::fabs(f[i]) <= 1e-12)
            continue;
        const double e = a[i] - f[i];
        chi2 += e * e / f[i];
    }
    double result = chi2;
    if (bCalculatePossibility) {
        // The upper-tail probability of a perfect fit (no deviation at all)
        // is 1, as it is for every small positive value next to it.
        result = chi2 <= 0.0 ? 1.0 : 1.0 - stats_d_chi_squared_cdf(chi2, df);
    }
    storeCachedStatistic(series, QD_CHI_SQUARE, l, c, 0, result);
    return result;
}

}  // namespace qd
