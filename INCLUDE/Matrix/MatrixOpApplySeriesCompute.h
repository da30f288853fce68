// The series statistic on every series of a matrix, each result stored as
// SeriesOpApplySeriesCompute does, with a shorter list of types left to the
// statistic (safety stock and service level are stored here).
#ifndef QD_MATRIX_MATRIXOPAPPLYSERIESCOMPUTE_H
#define QD_MATRIX_MATRIXOPAPPLYSERIESCOMPUTE_H

#include <cstdint>

#include "Matrix/ComputeOp.h"
#include "Matrix/SeriesCompute.h"

namespace qd {

class MatrixOpApplySeriesCompute : public MatrixOp {
public:
    explicit MatrixOpApplySeriesCompute(SeriesCompute& compute) : compute(&compute) {}
    void apply(Matrix& target) override;

    SeriesCompute* compute;   // not owned
};

} // namespace qd

#endif
