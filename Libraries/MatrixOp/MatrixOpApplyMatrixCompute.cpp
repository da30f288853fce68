#include "Matrix/MatrixOpApplyMatrixCompute.h"

#include "Matrix/Matrix.h"

void MatrixOpApplyMatrixCompute::apply(Matrix& matrix)
{
    compute->compute(matrix);
}
