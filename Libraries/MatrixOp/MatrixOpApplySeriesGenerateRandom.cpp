#include "Matrix/MatrixOpApplySeriesGenerateRandom.h"

#include "Matrix/Matrix.h"

namespace qd {

void MatrixOpApplySeriesGenerateRandom::apply(Matrix& matrix)
{
    for (std::int32_t j = 0; j < matrix.numSeries(); ++j)
        compute->generate(matrix.series(j));
}

} // namespace qd
