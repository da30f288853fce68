// The iterated observation compute on every series of a matrix, over the
// observation indexes from `start` to the last observation of series 0.
#ifndef QD_MATRIX_MATRIXOPAPPLYITERATEDOBSERVATIONCOMPUTE_H
#define QD_MATRIX_MATRIXOPAPPLYITERATEDOBSERVATIONCOMPUTE_H

#include <cstdint>

#include "Matrix/ComputeOp.h"
#include "Matrix/ObservationCompute.h"

namespace qd {

class MatrixOpApplyIteratedObservationCompute : public MatrixOp {
public:
    MatrixOpApplyIteratedObservationCompute(ObservationCompute& compute, std::int32_t start) : start(start), compute(&compute) {}
    void apply(Matrix& target) override;

    std::int32_t start;            // first observation; -2 (QD_LAST): the last one of series 0
    ObservationCompute* compute;   // not owned
};

} // namespace qd

#endif
