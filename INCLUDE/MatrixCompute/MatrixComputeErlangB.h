// MatrixComputeErlangB: solves the number of servers N or the offered
// load A of the Erlang B blocking relation for every observation, from the series
// of the other item (role QD_ERLANG_A or QD_ERLANG_N) and the probability
// given to the constructor. The answers go into a new series of computed
// observations with the role of the solved item, appended to the matrix
// once every observation is solved.
#ifndef QD_MATRIXCOMPUTE_MATRIXCOMPUTEERLANGB_H
#define QD_MATRIXCOMPUTE_MATRIXCOMPUTEERLANGB_H

#include <cstdint>

#include "MatrixCompute/ErlangCalculators.h"
#include "MatrixCompute/MatrixCompute.h"

namespace qd {

class MatrixComputeErlangB : public MatrixCompute {
public:
    // doType: 1 solves N, 2 solves A (XCalculate_Erlang_Type).
    MatrixComputeErlangB(std::int32_t doType, double B);
    void compute(Matrix& matrix) override;

    ErlangBCalculator calculator;
    std::int32_t doType;
    double B;
};

}  // namespace qd

#endif
