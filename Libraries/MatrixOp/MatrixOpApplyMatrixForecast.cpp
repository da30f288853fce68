#include "Matrix/MatrixOpApplyMatrixForecast.h"

#include "Matrix/Matrix.h"

namespace qd {

void MatrixOpApplyMatrixForecast::apply(Matrix& matrix)
{
    compute->compute(matrix, flag);
}

} // namespace qd
