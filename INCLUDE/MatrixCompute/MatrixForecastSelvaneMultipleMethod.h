// MatrixForecastSelvaneMultipleMethod: forecasts the first series of a
// matrix once per requested method, each run on its own copy of the series
// (one series of the matrix per run; the moving averages run twice, over 3
// and over 6 periods), then ranks the runs with MatrixComputeForecastRank.
// Every run stays in the matrix; the winner is the series of rank 1.
//
// All arguments (method codes, error type, seasonal type, range) are
// checked before the matrix changes, and the runs and the ranking are made
// on a working matrix: a method or a measure that fails leaves the matrix
// as it was.
#ifndef QD_MATRIXCOMPUTE_MATRIXFORECASTSELVANEMULTIPLEMETHOD_H
#define QD_MATRIXCOMPUTE_MATRIXFORECASTSELVANEMULTIPLEMETHOD_H

#include <cstdint>

#include "Matrix/Matrix.h"
#include "MatrixCompute/MatrixCompute.h"

namespace qd {

class MatrixForecastSelvaneMultipleMethod : public MatrixForecast {
public:
    // methodList: methodCount codes, owned by the caller, valid during compute.
    MatrixForecastSelvaneMultipleMethod(std::int32_t observationNumber, std::int32_t numPeriodsToForecast,
                                        std::int32_t errorType, std::int32_t seasonalType, bool ReplaceOutliers,
                                        std::int32_t methodCount, const std::int32_t* methodList);

    // The flag is not used.
    void compute(Matrix& matrix, std::int32_t flag) override;

    // True for the fifteen method codes the selection can run.
    static bool methodSupported(std::int32_t code);

    std::int32_t observationNumber;
    std::int32_t numPeriodsToForecast;
    std::int32_t numObservations;
    std::int32_t errorType;
    bool ReplaceOutliers;
    std::int32_t seasonalType;
    std::int32_t seasonalLength;
    std::int32_t detectionStatus;
    const std::int32_t* methodList;
    std::int32_t methodCount;
    std::int32_t numHistoricalValues;

private:
    void validateArguments(Matrix& matrix);
    void chooseSeasonalLength(Matrix& matrix);
    void prepareMatrix(Matrix& matrix);
    void runMethod(Series& series, std::int32_t code, std::int32_t period);
};

}  // namespace qd

#endif
