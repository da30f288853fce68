// Ordinary least-squares regression of the one dependent series of a
// matrix on every other series of it: fitted values, forecasts with
// confidence half-widths, and per series the coefficient, its standard
// error, t statistic, p-value and elasticity, with the F statistic of the
// fit in the dependent series. Stepwise and polynomial regression, the
// new-product curves and the linear trend regression of one series run it
// as their regression core.
#ifndef QD_MATRIXCOMPUTE_MATRIXFORECASTMULTIPLEREGRESSION_H
#define QD_MATRIXCOMPUTE_MATRIXFORECASTMULTIPLEREGRESSION_H

#include <cstdint>

#include "Foundation/DoubleMatrix.h"
#include "Foundation/FdExceptions.h"
#include "Matrix/MVRBaseException.h"
#include "Matrix/Matrix.h"
#include "Matrix/Series.h"
#include "MatrixCompute/MatrixCompute.h"
#include "SeriesCompute/SharedRoutines.h"

namespace qd {

class MatrixForecastMultipleRegression : public MatrixForecast {
public:
    MatrixForecastMultipleRegression(std::int32_t observationNumber, std::int32_t numHistoricalValues,
                                     bool useConstTerm, std::int32_t numPeriodsToForecast, double ConfidenceLevel,
                                     bool trendIndependent, bool ReplaceOutliers, bool useExistingValues,
                                     bool removeTrailingZeros, std::int32_t laggedDependentSeries);
    ~MatrixForecastMultipleRegression() override;

    // The whole method over the matrix; the flag is not read.
    void compute(Matrix& matrix, std::int32_t flag) override;

    // Arguments.
    std::int32_t observationNumber;     // QD_LAST: last observation of the dependent series
    std::int32_t numHistoricalValues;   // QD_ALL: every observation of the dependent series
    bool useConstTerm;
    std::int32_t numPeriodsToForecast;
    double ConfidenceLevel;             // in [0, 1)
    bool trendIndependent;              // one independent series, a time index
    bool ReplaceOutliers;               // for the forecasts of the independent series
    bool useExistingValues;             // keep independent values that cover the forecast periods
    bool removeTrailingZeros;           // strip trailing zeros of the independent series first
    std::int32_t laggedDependentSeries; // matrix index of the one-period lag of the dependent, -1 none

    // Working state of the last run.
    std::int32_t dependentIndex;
    std::int32_t numSeries;             // k
    std::int32_t numColumns;            // p = k - 1 (+ 1 with the constant)
    std::int32_t numObservations;       // n
    DoubleMatrix X;                     // n x p design
    DoubleMatrix y;                     // n x 1
    DoubleMatrix b;                     // p x 1 coefficients (row 0 the constant when used)
    DoubleMatrix tValues;
    DoubleMatrix pValues;
    DoubleMatrix standardErrors;
    DoubleMatrix elasticities;
    double F;
    double SSE;

private:
    void run(Matrix& matrix);
};

// Stores one fitted or forecast value of a regression at `index` of the
// series: an index at or beyond oldCount first appends a computed
// observation described by the decimal text of index - oldCount; the value
// goes under methodCode and QD_FORECAST, and a computed observation takes
// it as its value.
inline void storeRegressionValue(Series& series, std::int32_t index, std::int32_t oldCount,
                                 std::int32_t methodCode, double value)
{
    storeFittedValue(series, index, oldCount, methodCode, value);
}

// Replaces QD_LAST and QD_ALL by the last index and the count of the
// dependent series and checks the range (at least 2 values; 3000, 3001,
// 3006, 3005 from the shared range check).
void resolveRegressionRange(const Series& dependent, std::int32_t& last, std::int32_t& count);

// Every series but the dependent one: trailing zeros removed when asked,
// then fewer than last + 1 observations fails with 3030 from (file, line).
void checkRegressors(Matrix& matrix, std::int32_t dependentIndex, std::int32_t last, bool removeTrailingZeros,
                     const char* file, std::int32_t line);

// Applies the regression to the whole matrix (the applier, flag 1): true
// when it ran, false when it threw an MVRBaseException, which is passed on
// instead when `rethrow`.
bool runRegressionOn(Matrix& matrix, MatrixForecastMultipleRegression& regression, bool rethrow);

// Runs `work`; a foundation failure inside it (FdInternalErr with
// FdBoundsErr, FdExternalErr: the matrix algebra or an observation index)
// becomes 3024 "Fast matrix computation: Linearly related matrix?" from
// (file, line). Everything else passes unchanged.
template <class Work>
void runGuardingMatrixAlgebra(const char* file, std::int32_t line, Work&& work)
{
    try {
        work();
    } catch (const FdInternalErr&) {
        qdThrow(file, line, ErrorCode::LinearlyRelatedMatrix);
    } catch (const FdExternalErr&) {
        qdThrow(file, line, ErrorCode::LinearlyRelatedMatrix);
    }
}

// The coefficients of the least-squares line y = intercept + slope x over n
// points, by the regression's own normal equations, factorization and
// inverse (the same operations in the same order, on fixed arrays with no
// allocation), so bit for bit the QD_BETA results the regression stores for a
// matrix of the dependent series y and the one independent series x (with
// the constant term, over all observations). Nothing else of the
// regression is computed and nothing is stored. It fails as the regression
// would: on a singular or nearly singular system, on coefficients whose
// t statistic is not a number, and on two points (no degree of freedom for
// the statistics). With sumOfSquares given it also receives the
// regression's sum of squared residuals (its SSE, summed in its order).
void regressionLineCoefficients(const double* x, const double* y, std::int32_t n, double& intercept,
                                double& slope, double* sumOfSquares = nullptr);

// Extends an independent series by `numPeriods` forecasts of the automatic
// method selection (BIC, every seasonal candidate, no hold-out), evaluated
// from observation `start`; its failures pass on.
void forecastIndependentSeries(Series& series, std::int32_t start, std::int32_t numPeriods,
                               bool replaceOutliers);

}  // namespace qd

#endif
