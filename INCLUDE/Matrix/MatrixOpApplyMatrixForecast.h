// Runs a forecasting method over a whole matrix.
#ifndef QD_MATRIX_MATRIXOPAPPLYMATRIXFORECAST_H
#define QD_MATRIX_MATRIXOPAPPLYMATRIXFORECAST_H

#include <cstdint>

#include "Matrix/ComputeOp.h"
#include "Matrix/MatrixCompute.h"

namespace qd {

class MatrixOpApplyMatrixForecast : public MatrixOp {
public:
    explicit MatrixOpApplyMatrixForecast(MatrixForecast& compute) : compute(&compute) {}
    void apply(Matrix& target) override;

    MatrixForecast* compute;   // not owned
};

} // namespace qd

#endif
