#include "SeriesCompute/SeriesComputeCumulativeMAPE.h"

#include <vector>

#include "SeriesCompute/SeriesComputeRollingMAPE.h"
#include "SeriesCompute/SeriesStatistics.h"

namespace qd {

double SeriesComputeCumulativeMAPE::compute(Series& series)
{
    std::int32_t l = last;
    std::int32_t c = count;
    resolveSeriesRange(series, l, c);
    checkSeriesRange(series, l, c, 1);
    const std::int32_t first = l - c + 1;
    const std::vector<double> errors = absolutePercentageErrors(series, first);
    double sum = 0.0;
    for (std::int32_t i = first; i < series.numObservations(); ++i) {
        sum += errors[static_cast<std::size_t>(i - first)];
        if (i >= l)
            series.observation(i).storedResults.store(QD_CUMULATIVE_MAPE, sum / (i - first + 1));
    }
    return 0.0;
}

}  // namespace qd
