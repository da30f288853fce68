// The iterated series statistic on every series of a matrix, over the
// observation indexes from `start` to the last observation of series 0.
#ifndef QD_MATRIX_MATRIXOPAPPLYITERATEDSERIESCOMPUTE_H
#define QD_MATRIX_MATRIXOPAPPLYITERATEDSERIESCOMPUTE_H

#include <cstdint>

#include "Matrix/ComputeOp.h"
#include "Matrix/SeriesCompute.h"

namespace qd {

class MatrixOpApplyIteratedSeriesCompute : public MatrixOp {
public:
    MatrixOpApplyIteratedSeriesCompute(SeriesCompute& compute, std::int32_t start) : start(start), compute(&compute) {}
    void apply(Matrix& target) override;

    std::int32_t start;       // first observation; -2 (QD_LAST): the last one of series 0
    SeriesCompute* compute;   // not owned
};

} // namespace qd

#endif
