#include "MatrixCompute/MatrixStatistics.h"

#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesComputeCovariance.h"

namespace qd {

std::int32_t MatrixComputeCovarianceMatrix::quantityId() const
{
    return QD_COVARIANCE;
}

double MatrixComputeCovarianceMatrix::pairValue(Series& a, Series& b, std::int32_t last, std::int32_t count)
{
    return SeriesComputeCovariance(a, b, last, count);
}

}  // namespace qd
