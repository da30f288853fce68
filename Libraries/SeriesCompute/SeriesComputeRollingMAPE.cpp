#include "SeriesCompute/SeriesComputeRollingMAPE.h"

#include <cmath>
#include <vector>

#include "SeriesCompute/SeriesStatistics.h"

namespace qd {

std::vector<double> absolutePercentageErrors(Series& series, std::int32_t first)
{
    const double* a = series.values(0);
    const double* f = series.forecastValues(0);
    std::vector<double> errors;
    for (std::int32_t i = first; i < series.numObservations(); ++i)
        errors.push_back(std::fabs(a[i]) < 1e-12 ? 0.0 : std::fabs((a[i] - f[i]) / a[i]));
    return errors;
}

double SeriesComputeRollingMAPE::compute(Series& series)
{
    std::int32_t l = last;
    std::int32_t c = count;
    resolveSeriesRange(series, l, c);
    checkSeriesRange(series, l, c, 1);
    const std::int32_t first = l - c + 1;
    const std::vector<double> errors = absolutePercentageErrors(series, first);
    for (std::int32_t i = l; i < series.numObservations(); ++i) {
        double sum = 0.0;
        for (std::int32_t j = i - c + 1; j <= i; ++j)
            sum += errors[static_cast<std::size_t>(j - first)];
        series.observation(i).storedResults.store(QD_ROLLING_MAPE, sum / c);
    }
    return 0.0;
}

}  // namespace qd
