#include "Matrix/MatrixOpApplySeriesForecast.h"

#include "Matrix/Matrix.h"

namespace qd {

void MatrixOpApplySeriesForecast::apply(Matrix& matrix)
{
    for (std::int32_t j = 0; j < matrix.numSeries(); ++j)
        compute->compute(matrix.series(j), flag);
}

} // namespace qd
