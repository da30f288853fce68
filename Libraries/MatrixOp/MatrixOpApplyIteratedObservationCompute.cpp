#include "Matrix/MatrixOpApplyIteratedObservationCompute.h"

#include "Foundation/FdExceptions.h"
#include "Matrix/MVRBaseException.h"
#include "Matrix/Matrix.h"

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\MatrixOp\\MatrixOpApplyIteratedObservationCompute";
}

void MatrixOpApplyIteratedObservationCompute::apply(Matrix& matrix)
{
    const std::int32_t firstLength = matrix.series(0).numObservations();
    resolveLastIndex(start, -2, firstLength - 1);
    if (start < 0)
        qdThrow(QD_SOURCE_PATH, 15, 3000);
    if (start >= firstLength)
        qdThrow(QD_SOURCE_PATH, 19, 3006);
    for (std::int32_t j = 0; j < matrix.numSeries(); ++j) {
        Series& series = matrix.series(j);
        // A shorter series fails at its first missing observation before
        // the compute object sees anything of it.
        if (series.numObservations() < firstLength)
            fdRaiseIndex(static_cast<std::uint32_t>(series.numObservations()),
                         static_cast<std::uint32_t>(series.numObservations()));
        for (std::int32_t i = start; i < firstLength; ++i) {
            const double v = compute->compute(series.observation(i));
            series.observation(i).storedResults.store(compute->quantityId(), v);
        }
    }
}
