// MatrixComputeErlangPoisson: solves the number of servers N or the offered
// load A of the Poisson loss relation for every observation, from the series
// of the other item (role QD_ERLANG_A or QD_ERLANG_N) and the probability
// given to the constructor. The answers go into a new series of computed
// observations with the role of the solved item, appended to the matrix
// once every observation is solved.
#ifndef QD_MATRIXCOMPUTE_MATRIXCOMPUTEERLANGPOISSON_H
#define QD_MATRIXCOMPUTE_MATRIXCOMPUTEERLANGPOISSON_H

#include <cstdint>

#include "MatrixCompute/ErlangCalculators.h"
#include "MatrixCompute/MatrixCompute.h"

namespace qd {

class MatrixComputeErlangPoisson : public MatrixCompute {
public:
    // doType: 1 solves N, 2 solves A (XCalculate_Erlang_Type).
    MatrixComputeErlangPoisson(std::int32_t doType, double p);
    void compute(Matrix& matrix) override;

    ErlangPoissonCalculator calculator;
    std::int32_t doType;
    double p;
};

}  // namespace qd

#endif
