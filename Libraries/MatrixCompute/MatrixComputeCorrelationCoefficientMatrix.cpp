#include "MatrixCompute/MatrixStatistics.h"

#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesComputeCovariance.h"

namespace qd {

std::int32_t MatrixComputeCorrelationCoefficientMatrix::quantityId() const
{
    return QD_CORRELATION_COEFFICIENT;
}

double MatrixComputeCorrelationCoefficientMatrix::pairValue(Series& a, Series& b, std::int32_t last, std::int32_t count)
{
    return correlation(a, b, last, count);
}

}  // namespace qd
