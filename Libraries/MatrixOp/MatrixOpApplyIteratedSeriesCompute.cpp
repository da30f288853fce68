#include "Matrix/MatrixOpApplyIteratedSeriesCompute.h"

#include "Matrix/Matrix.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\MatrixOp\\MatrixOpApplyIteratedSeriesCompute";
}

void MatrixOpApplyIteratedSeriesCompute::apply(Matrix& matrix)
{
    const std::int32_t firstLength = matrix.series(0).numObservations();
    resolveIteratedStart(start, firstLength, QD_SOURCE_PATH, publishedLine(15), publishedLine(19));
    for (std::int32_t j = 0; j < matrix.numSeries(); ++j) {
        Series& series = matrix.series(j);
        for (std::int32_t i = start; i < firstLength; ++i) {
            // The observation must exist before the statistic is asked to
            // read up to it: a shorter series fails at its first missing
            // observation and is never read past its end.
            (void)series.observation(i);
            compute->last = i;
            const double v = compute->compute(series);
            series.observation(i).storedResults.store(compute->quantityId(), v);
        }
    }
}

} // namespace qd
