// Stepwise regression: chooses which series of a matrix enter a multiple
// regression of the dependent series (forward selection, forward selection
// with removal, or backward elimination by partial F), optionally with a
// lag per independent series and the dependent series' own one-period lag
// as a candidate, then fits the chosen set and writes its fitted values,
// forecasts, statistics and roles back into the matrix.
#ifndef QD_MATRIXCOMPUTE_MATRIXFORECASTSTEPWISE_H
#define QD_MATRIXCOMPUTE_MATRIXFORECASTSTEPWISE_H

#include <cstdint>

#include "Foundation/OrderedVector.h"
#include "Matrix/Matrix.h"
#include "MatrixCompute/MatrixCompute.h"

namespace qd {

// Selection kinds (the type library's XStepwiseType).
constexpr std::int16_t kStepwiseWithRemoval = 1;
constexpr std::int16_t kForwardSelection = 2;
constexpr std::int16_t kBackwardElimination = 3;

class MatrixForecastStepwise : public MatrixForecast {
public:
    MatrixForecastStepwise(std::int32_t observationNumber, std::int32_t numHistoricalValues, std::int16_t sType,
                           std::int32_t minNumSeries, std::int32_t maxNumSeries, double minFIn, double maxFOut,
                           std::int32_t minLag, std::int32_t maxLag, bool needLagDependent, bool useConstTerm,
                           std::int32_t numPeriodsToForecast, double ConfidenceLevel, bool ReplaceOutliers,
                           bool useExistingValues, bool removeTrailingZeros);
    ~MatrixForecastStepwise() override;

    void compute(Matrix& matrix, std::int32_t flag) override;

    std::int32_t observationNumber;
    std::int32_t numHistoricalValues;
    std::int16_t sType;
    std::int32_t minNumSeries;   // the dependent series counted; -3: 2
    std::int32_t maxNumSeries;   // the dependent series counted; -3: all
    double minFIn;
    double maxFOut;
    std::int32_t minLag;
    std::int32_t maxLag;
    bool needLagDependent;
    bool useConstTerm;
    std::int32_t numPeriodsToForecast;
    double ConfidenceLevel;
    bool ReplaceOutliers;
    bool useExistingValues;
    bool removeTrailingZeros;

    // Working state of the last run.
    std::int32_t numSeries;
    std::int32_t dependentIndex;
    std::int32_t lagDependentIndex;      // -1 none
    OrderedVector<std::int32_t> selected;   // S: model series, the dependent first
    OrderedVector<std::int32_t> candidates; // C

private:
    void run(Matrix& matrix);
    // One regression over the whole matrix; false when it throws an
    // MVRBaseException, unless `rethrow`.
    bool fit(Matrix& matrix, std::int32_t last, std::int32_t count, std::int32_t laggedDependent,
             bool rethrow = false);
    std::int32_t bestLag(Matrix& matrix, std::int32_t i, std::int32_t last, std::int32_t count);
    void forwardSelection(Matrix& source, Matrix& work, std::int32_t last, std::int32_t count, bool withRemoval);
    void backwardElimination(Matrix& source, Matrix& work, std::int32_t last, std::int32_t count);
    // Position (1 ..) of the weakest model series of the fitted work
    // matrix and its partial F, starting from maxFOut + 1.
    std::int32_t weakest(Matrix& work, bool fitted, double& score);
};

// Partial F of the series at `position` of a fitted matrix: the square of
// its t statistic, 0.0 when it has none.
double partialF(const Matrix& matrix, std::int32_t position);

}  // namespace qd

#endif
