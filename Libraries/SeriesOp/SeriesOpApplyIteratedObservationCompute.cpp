#include "Matrix/SeriesOpApplyIteratedObservationCompute.h"

#include "Matrix/Series.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesOp\\SeriesOpApplyIteratedObservationCompute";
}

void SeriesOpApplyIteratedObservationCompute::apply(Series& series)
{
    const std::int32_t n = series.numObservations();
    resolveIteratedStart(start, n, QD_SOURCE_PATH, publishedLine(17), publishedLine(21));
    for (std::int32_t i = start; i < n; ++i) {
        Observation& observation = series.observation(i);
        const double v = compute->compute(observation);
        series.observation(i).storedResults.store(compute->quantityId(), v);
    }
}

} // namespace qd
