#include "Matrix/SeriesOpApplyIteratedObservationCompute.h"

#include "Matrix/MVRBaseException.h"
#include "Matrix/Series.h"

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesOp\\SeriesOpApplyIteratedObservationCompute";
}

void SeriesOpApplyIteratedObservationCompute::apply(Series& series)
{
    const std::int32_t n = series.numObservations();
    resolveLastIndex(start, -2, n - 1);
    if (start < 0)
        qdThrow(QD_SOURCE_PATH, 17, 3000);
    if (start >= n)
        qdThrow(QD_SOURCE_PATH, 21, 3006);
    for (std::int32_t i = start; i < n; ++i) {
        Observation& observation = series.observation(i);
        const double v = compute->compute(observation);
        series.observation(i).storedResults.store(compute->quantityId(), v);
    }
}
