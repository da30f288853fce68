#include "Matrix/SeriesOpApplyIteratedSeriesCompute.h"

#include "Matrix/Series.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesOp\\SeriesOpApplyIteratedSeriesCompute";
}

void SeriesOpApplyIteratedSeriesCompute::apply(Series& series)
{
    const std::int32_t n = series.numObservations();
    resolveIteratedStart(start, n, QD_SOURCE_PATH, publishedLine(16), publishedLine(20));
    for (std::int32_t i = start; i < n; ++i) {
        compute->last = i;
        const double v = compute->compute(series);
        series.observation(i).storedResults.store(compute->quantityId(), v);
    }
}

} // namespace qd
