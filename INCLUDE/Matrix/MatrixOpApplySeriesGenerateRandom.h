// Generates a random series into every series of a matrix, in order.
#ifndef QD_MATRIX_MATRIXOPAPPLYSERIESGENERATERANDOM_H
#define QD_MATRIX_MATRIXOPAPPLYSERIESGENERATERANDOM_H

#include <cstdint>

#include "Matrix/ComputeOp.h"
#include "Matrix/SeriesCompute.h"

namespace qd {

class MatrixOpApplySeriesGenerateRandom : public MatrixOp {
public:
    explicit MatrixOpApplySeriesGenerateRandom(SeriesGenerateRandom& compute) : compute(&compute) {}
    void apply(Matrix& target) override;

    SeriesGenerateRandom* compute;   // not owned
};

} // namespace qd

#endif
