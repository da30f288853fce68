#include "MatrixCompute/MatrixStatistics.h"

#include "Matrix/QuantityTypes.h"

namespace qd {

void MatrixComputeStatisticTable::compute(Matrix& matrix)
{
    const std::int32_t k = matrix.numSeries();
    const Series& first = matrix.series(0);
    if (observationNumber == QD_LAST)
        observationNumber = first.numObservations() - 1;
    if (numHistoricalValues == QD_ALL)
        numHistoricalValues = first.numObservations();
    const std::int32_t type = quantityId();
    matrix.storedResults.createStatisticMatrix(type, k, k);
    for (std::int32_t i = 0; i < k; ++i) {
        for (std::int32_t j = 0; j < k; ++j) {
            const double value = pairValue(matrix.series(i), matrix.series(j), observationNumber, numHistoricalValues);
            matrix.storedResults.statisticMatrix(type)->storeAt(i, j, type, value);
        }
    }
}

}  // namespace qd
