#include "Matrix/MatrixOpApplyIteratedObservationCompute.h"

#include "Matrix/Matrix.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\MatrixOp\\MatrixOpApplyIteratedObservationCompute";
}

void MatrixOpApplyIteratedObservationCompute::apply(Matrix& matrix)
{
    const std::int32_t firstLength = matrix.series(0).numObservations();
    resolveIteratedStart(start, firstLength, QD_SOURCE_PATH, publishedLine(15), publishedLine(19));
    for (std::int32_t j = 0; j < matrix.numSeries(); ++j) {
        Series& series = matrix.series(j);
        // series.observation(i) checks the index before the compute object
        // sees the observation: a shorter series fails at its first missing
        // observation.
        for (std::int32_t i = start; i < firstLength; ++i) {
            const double v = compute->compute(series.observation(i));
            series.observation(i).storedResults.store(compute->quantityId(), v);
        }
    }
}

} // namespace qd
