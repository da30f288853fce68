#include "SeriesCompute/SeriesComputeCochraneOrcutt.h"

#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

double SeriesComputeCochraneOrcutt::compute(Series& series)
{
    std::int32_t l = last;
    std::int32_t c = count;
    resolveSeriesRange(series, l, c);
    checkSeriesRange(series, l, c, 2);
    const double* a = series.values(0);
    const double* f = series.forecastValues(0);
    double products = 0.0;
    double squares = 0.0;
    for (std::int32_t t = l - c + 2; t <= l; ++t) {
        const double e = a[t] - f[t];
        const double previous = a[t - 1] - f[t - 1];
        products += e * previous;
        squares += previous * previous;
    }
    const double rho = std::fabs(squares) < 1e-9 ? 0.0 : products / squares;
    storeCachedStatistic(series, QD_COCHRANE_ORCUTT, l, c, 0, rho);
    return rho;
}

}  // namespace qd
