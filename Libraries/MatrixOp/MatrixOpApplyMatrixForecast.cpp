#include "Matrix/MatrixOpApplyMatrixForecast.h"

#include "Matrix/Matrix.h"

void MatrixOpApplyMatrixForecast::apply(Matrix& matrix)
{
    compute->compute(matrix, flag);
}
