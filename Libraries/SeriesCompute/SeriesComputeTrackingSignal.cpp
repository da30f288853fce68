#include <cmath>
#include <vector>

#include "SeriesCompute/FitCriteria.h"

namespace qd {

double computeTrackingSignal(Series& series, std::int32_t last, std::int32_t count, std::int32_t TSType,
                             double TSSmoothingWeight)
{
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 1);
    const std::int32_t n = series.numObservations();
    const double* actual = series.values(0);
    const double* fitted = series.forecastValues(0);
    std::vector<double> error(static_cast<std::size_t>(n));
    for (std::int32_t i = 0; i < n; ++i)
        error[static_cast<std::size_t>(i)] = actual[i] - fitted[i];

    const std::int32_t start = last - count + 1;
    double e = error[static_cast<std::size_t>(start)];
    double a = std::fabs(e);
    const double w = TSSmoothingWeight;  // not validated
    for (std::int32_t i = start + 1; i <= last; ++i) {
        const double ei = error[static_cast<std::size_t>(i)];
        if (TSType == 1) {
            e = (1.0 - w) * e + w * ei;
            a = (1.0 - w) * a + w * std::fabs(ei);
        } else if (TSType == 2) {
            e = e + ei;
            a = a + std::fabs(ei);
        } else {
            return 0.0;
        }
    }
    if (a < 1e-12)
        return 0.0;
    return e / a;
}

double SeriesComputeTrackingSignal::compute(Series& series)
{
    return computeTrackingSignal(series, last, count, TSType, TSSmoothingWeight);
}

}  // namespace qd
