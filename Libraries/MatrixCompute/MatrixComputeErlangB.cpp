#include "MatrixCompute/MatrixComputeErlangB.h"

#include "ErlangLossSolve.h"

namespace qd {

MatrixComputeErlangB::MatrixComputeErlangB(std::int32_t doType, double B) : calculator(), doType(doType), B(B)
{
}

void MatrixComputeErlangB::compute(Matrix& matrix)
{
    calculator.setB(B);
    solveErlangLossSeries(matrix, doType, calculator, "Libraries\\MatrixCompute\\MatrixComputeErlangB", 66, 78,
                          104);
}

}  // namespace qd
