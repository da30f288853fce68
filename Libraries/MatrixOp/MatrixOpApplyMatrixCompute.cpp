#include "Matrix/MatrixOpApplyMatrixCompute.h"

#include "Matrix/Matrix.h"

namespace qd {

void MatrixOpApplyMatrixCompute::apply(Matrix& matrix)
{
    compute->compute(matrix);
}

} // namespace qd
