#include "MatrixCompute/MatrixComputeErlangPoisson.h"

#include "ErlangLossSolve.h"

namespace qd {

MatrixComputeErlangPoisson::MatrixComputeErlangPoisson(std::int32_t doType, double p)
    : calculator(), doType(doType), p(p)
{
}

void MatrixComputeErlangPoisson::compute(Matrix& matrix)
{
    calculator.setP(p);
    solveErlangLossSeries(matrix, doType, calculator, "Libraries\\MatrixCompute\\MatrixComputeErlangPoisson", 66,
                          78, 104);
}

}  // namespace qd
