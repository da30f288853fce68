// MatrixComputeForecastRank: one error measure for every series of a
// matrix and each series' rank among them (1 for the smallest error), stored
// under QD_FORECAST_RANK (2080); each series also keeps its error under the
// error type. Ties keep the earlier series ahead. In the ranking only, a
// series fitted exactly (sum of squared errors below 1e-9) comes first,
// whatever its stored criterion says. AIC and BIC count each series' own
// method's parameters (1 for a series without a known count).
#ifndef QD_MATRIXCOMPUTE_MATRIXCOMPUTEFORECASTRANK_H
#define QD_MATRIXCOMPUTE_MATRIXCOMPUTEFORECASTRANK_H

#include <cstdint>

#include "Matrix/Matrix.h"
#include "MatrixCompute/MatrixCompute.h"

namespace qd {

// True for the error types the error computation supports.
bool isSupportedErrorType(std::int32_t errorType);

class MatrixComputeForecastRank : public MatrixCompute {
public:
    MatrixComputeForecastRank(std::int32_t last, std::int32_t numHistoricalValues, std::int32_t errorType);

    // All series must have the same number of observations (2000 otherwise).
    void compute(Matrix& matrix) override;

    std::int32_t last;                 // QD_LAST resolved on series 0, kept
    std::int32_t numHistoricalValues;  // QD_ALL resolved on series 0, kept
    std::int32_t errorType;
};

}  // namespace qd

#endif
