#include "MatrixCompute/MatrixStatistics.h"

#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesComputeCovariance.h"

namespace qd {

std::int32_t MatrixComputeCoefficientDeterminationMatrix::quantityId() const
{
    return QD_COEFFICIENT_DETERMINATION;
}

double MatrixComputeCoefficientDeterminationMatrix::pairValue(Series& a, Series& b, std::int32_t last, std::int32_t count)
{
    const double r = correlation(a, b, last, count);
    return r * r;
}

}  // namespace qd
