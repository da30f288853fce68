#include "Matrix/MatrixOpApplySeriesCompute.h"

#include "Matrix/Matrix.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/SeriesComputeResult.h"

namespace qd {

void MatrixOpApplySeriesCompute::apply(Matrix& matrix)
{
    for (std::int32_t j = 0; j < matrix.numSeries(); ++j) {
        Series& series = matrix.series(j);
        const double v = compute->compute(series);
        const std::int32_t t = compute->quantityId();
        switch (t) {
        case QD_T_TEST:
        case QD_DECOMPOSITION_INDEX:
        case QD_CONFIDENCE_INTERVAL:
        case QD_FOURIER_ALPHA:
        case QD_FOURIER_BETA:
        case QD_HISTOGRAM:
            break;  // stored by the statistic itself
        default:
            storeSeriesComputeResult(series, t, v);
        }
    }
}

} // namespace qd
