// Runs a computation over a whole matrix.
#ifndef QD_MATRIX_MATRIXOPAPPLYMATRIXCOMPUTE_H
#define QD_MATRIX_MATRIXOPAPPLYMATRIXCOMPUTE_H

#include <cstdint>

#include "Matrix/ComputeOp.h"
#include "Matrix/MatrixCompute.h"

namespace qd {

class MatrixOpApplyMatrixCompute : public MatrixOp {
public:
    explicit MatrixOpApplyMatrixCompute(MatrixCompute& compute) : compute(&compute) {}
    void apply(Matrix& target) override;

    MatrixCompute* compute;   // not owned
};

} // namespace qd

#endif
