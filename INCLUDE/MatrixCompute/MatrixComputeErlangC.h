// MatrixComputeErlangC: solves one item of the Erlang C relations for every
// observation: the number of servers N, the load A, the probability of
// waiting P0, the probability PT that the wait exceeds T1, the threshold T1
// or the mean holding time T2, from the series holding the other items
// (roles QD_ERLANG_A .. QD_ERLANG_T2). The answers go into a new series with
// the role of the solved item, appended to the matrix once every
// observation is solved.
//
// The waiting-time items (PT, T1, T2) need N - A, so they read the N and A
// series in every case; P0 comes from its series when there is one, else
// it is computed from N and A at each observation.
#ifndef QD_MATRIXCOMPUTE_MATRIXCOMPUTEERLANGC_H
#define QD_MATRIXCOMPUTE_MATRIXCOMPUTEERLANGC_H

#include <cstdint>

#include "MatrixCompute/ErlangCalculators.h"
#include "MatrixCompute/MatrixCompute.h"

namespace qd {

class MatrixComputeErlangC : public MatrixCompute {
public:
    // doType 1 N, 2 A, 3 P0, 4 PT, 5 T1, 6 T2 (XCalculate_Erlang_Type).
    explicit MatrixComputeErlangC(std::int32_t doType);
    void compute(Matrix& matrix) override;

    ErlangCCalculator calculator;
    std::int32_t doType;
};

}  // namespace qd

#endif
