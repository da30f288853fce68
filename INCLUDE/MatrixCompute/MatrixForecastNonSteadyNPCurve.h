// MatrixForecastNonSteadyNPCurve: a new-product curve of the dependent
// series of a matrix fitted against the values of its independent series
// instead of against time (cumulative sales against cumulative
// distribution, say). curveType QD_COMPUTE (-3) tries the three curves and
// keeps the best; 1, 2 or 3 fits that curve. The matrix records the method
// that the dependent series recorded.
#ifndef QD_MATRIXCOMPUTE_MATRIXFORECASTNONSTEADYNPCURVE_H
#define QD_MATRIXCOMPUTE_MATRIXFORECASTNONSTEADYNPCURVE_H

#include <cstdint>

#include "Matrix/Matrix.h"
#include "MatrixCompute/MatrixCompute.h"

namespace qd {

class MatrixForecastNonSteadyNPCurve : public MatrixForecast {
public:
    MatrixForecastNonSteadyNPCurve(std::int32_t observationNumber, std::int32_t numHistoricalValues,
                                   std::int32_t numPeriodsToForecast, double minValue, double maxValue,
                                   std::int32_t MinMaxType, std::int16_t curveType);

    // The flag is not used.
    void compute(Matrix& matrix, std::int32_t flag) override;

    std::int32_t observationNumber;
    std::int32_t numHistoricalValues;
    std::int32_t numPeriodsToForecast;
    double minValue;
    double maxValue;
    std::int32_t MinMaxType;
    std::int16_t curveType;
    std::int32_t dependentIndex = -1;
    std::int32_t independentIndex = -1;
};

} // namespace qd

#endif
