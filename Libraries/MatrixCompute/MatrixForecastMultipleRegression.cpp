#include "MatrixCompute/MatrixForecastMultipleRegression.h"

#include <cmath>
#include <cstdint>

#include "Foundation/FdExceptions.h"
#include "Foundation/LUFactorization.h"
#include "Matrix/MVRBaseException.h"
#include "Matrix/MatrixOpApplyMatrixForecast.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "SeriesCompute/SeriesCompute.h"
#include "SeriesCompute/SeriesComputeTValue.h"
#include "SeriesCompute/SeriesForecastSelvane.h"
#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/SharedRoutines.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\MatrixCompute\\MatrixForecastMultipleRegression";
const std::int32_t kMatrixAlgebraLine = 452;
const double kEps = 1e-12;

// The determinant test of the normal equations is absolute, so it depends
// on the scale of the data; it is kept as the method defines it.
const double kDeterminantTolerance = 1e-9;

// The binary exponent of the largest magnitude in a column (0 when all are
// zero or one is not finite).
std::int32_t largestExponent(const DoubleMatrix& column)
{
    double largest = 0.0;
    for (std::uint32_t r = 0; r < column.rows(); ++r)
        largest = std::fmax(largest, std::fabs(column(r, 0)));
    int exponent = 0;
    if (largest > 0.0 && std::isfinite(largest))
        std::frexp(largest, &exponent);
    return exponent;
}

// The sum of the squares of a column multiplied by 2^-exponent.
double scaledSquareSum(const DoubleMatrix& column, std::int32_t exponent)
{
    double sum = 0.0;
    for (std::uint32_t r = 0; r < column.rows(); ++r) {
        const double t = std::ldexp(column(r, 0), -exponent);
        sum += t * t;
    }
    return sum;
}
}  // namespace

void forecastIndependentSeries(Series& series, std::int32_t start, std::int32_t numPeriods,
                               bool replaceOutliers)
{
    SeriesForecastSelvane selvane(start, numPeriods, QD_BIC, QD_OPTIMIZE_ALL, replaceOutliers ? 1 : 0, 0,
                                  QD_SELVANE_STANDARD);
    SeriesOpApplySeriesForecast applier(selvane);
    if (series.numObservations() > 0)
        applier.apply(series);
}

void resolveRegressionRange(const Series& dependent, std::int32_t& last, std::int32_t& count)
{
    if (last == QD_LAST)
        last = dependent.numObservations() - 1;
    if (count == QD_ALL)
        count = dependent.numObservations();
    checkSeriesRange(dependent, last, count, 2);
}

void checkRegressors(Matrix& matrix, std::int32_t dependentIndex, std::int32_t last, bool removeTrailingZeros,
                     const char* file, std::int32_t line)
{
    for (std::int32_t i = 0; i < matrix.numSeries(); ++i) {
        if (i == dependentIndex)
            continue;
        Series& xs = matrix.series(i);
        if (removeTrailingZeros)
            xs.removeTrailingZeros();
        if (xs.numObservations() < static_cast<std::int64_t>(last) + 1)
            qdThrow(file, line, ErrorCode::IllegalForecastPeriods);
    }
}

bool runRegressionOn(Matrix& matrix, MatrixForecastMultipleRegression& regression, bool rethrow)
{
    MatrixOpApplyMatrixForecast op(regression);
    try {
        op.apply(matrix);
    } catch (const MVRBaseException&) {
        rethrowOutOfMemory();
        if (rethrow)
            throw;
        return false;
    }
    return true;
}

namespace {

// The normal equations X'X b = X'y solved through the LU factorization of
// X'X: V = (X'X)^-1 and b = V X'y. A determinant below the tolerance fails.
void solveNormalEquations(const DoubleMatrix& X, const DoubleMatrix& y, DoubleMatrix& V, DoubleMatrix& b)
{
    const DoubleMatrix Xt = transposeView(X);
    const DoubleMatrix XtX = matrixProduct(Xt, X);
    const LUFactorization lu(XtX);
    if (std::fabs(determinantFromLU(lu)) < kDeterminantTolerance)
        qdThrow(QD_SOURCE_PATH, 106, ErrorCode::DeterminantZero);
    V = inverseFromLU(lu);
    b = matrixProduct(V, matrixProduct(Xt, y));
}

}  // namespace

namespace {

// solveNormalEquations for the design of the regression line, the columns
// (1, x): the same floating-point operations in the same order, on fixed
// arrays. matrixProduct forms every element of X'X and X'y as a sum from
// 0.0 over the rows in order; LUFactorization factors X'X with its
// condition estimate (which decides singularity, and with it whether the
// determinant is taken as 0.0) and inverseFromLU inverts the factors.
// V and the factors are column-major 2 x 2.
void solveLineNormalEquations(const double* x, const double* y, std::int32_t n, double* V, double* b)
{
    // X'X(0, 1) = sum 1.0 * x and X'X(1, 0) = sum x * 1.0 are the same sum;
    // X'X(0, 0) = sum 1.0 * 1.0 is n exactly.
    double sx = 0.0;
    double sxx = 0.0;
    double sy = 0.0;
    double sxy = 0.0;
    for (std::int32_t r = 0; r < n; ++r) {
        sx = sx + 1.0 * x[r];
        sxx = sxx + x[r] * x[r];
        sy = sy + 1.0 * y[r];
        sxy = sxy + x[r] * y[r];
    }
    V[0] = static_cast<double>(n);
    V[1] = sx;
    V[2] = sx;
    V[3] = sxx;
    std::int32_t pivots[2];
    double work[2];
    double condition = 0.0;
    if (factorLUWithCondition(V, 2, 2, pivots, &condition, work))
        condition = 0.0;
    double determinant = 0.0;
    if (!isSingularCondition(condition))
        determinantAndInverse(V, 2, 2, pivots, &determinant, nullptr, 10);
    if (std::fabs(determinant) < kDeterminantTolerance)
        qdThrow(QD_SOURCE_PATH, 106, ErrorCode::DeterminantZero);
    determinantAndInverse(V, 2, 2, pivots, nullptr, work, 1);
    // b = V (X'y), each element a sum from 0.0.
    b[0] = (0.0 + V[0] * sy) + V[2] * sxy;
    b[1] = (0.0 + V[1] * sy) + V[3] * sxy;
}

}  // namespace

void regressionLineCoefficients(const double* x, const double* y, std::int32_t n, double& intercept,
                                double& slope, double* sumOfSquares)
{
    if (n < 2)
        qdThrow(QD_SOURCE_PATH, 414, ErrorCode::NotEnoughObservationsForRegression);
    runGuardingMatrixAlgebra(QD_SOURCE_PATH, kMatrixAlgebraLine, [&] {
        // The steps of run() that lead to the coefficients, in its order.
        double V[4];
        double b[2];
        solveLineNormalEquations(x, y, n, V, b);
        // The regression computes the probability of every t statistic: it
        // fails there on a t that is not finite and, for two points, on no
        // degree of freedom; the probability is computed as the regression
        // would in those cases only.
        // The fitted values as matrixProduct(X, b) forms them.
        double sse = 0.0;
        for (std::int32_t r = 0; r < n; ++r) {
            const double f = (0.0 + 1.0 * b[0]) + x[r] * b[1];
            const double e = y[r] - f;
            sse += e * e;
        }
        const double df = static_cast<double>(n - 2);
        const double s = std::sqrt(sse / df);
        for (std::uint32_t j = 0; j < 2; ++j) {
            const double se = std::sqrt(V[3 * j]) * s;
            const double t = se < kEps ? 1.0 / kEps : b[j] / se;
            if (!std::isfinite(t) || !(df > 0.0))
                computeTProbability(std::fabs(t), df, false);
        }
        intercept = b[0];
        slope = b[1];
        if (sumOfSquares != nullptr)
            *sumOfSquares = sse;
    });
}

MatrixForecastMultipleRegression::MatrixForecastMultipleRegression(
    std::int32_t observationNumber, std::int32_t numHistoricalValues, bool useConstTerm,
    std::int32_t numPeriodsToForecast, double ConfidenceLevel, bool trendIndependent, bool ReplaceOutliers,
    bool useExistingValues, bool removeTrailingZeros, std::int32_t laggedDependentSeries)
    : observationNumber(observationNumber),
      numHistoricalValues(numHistoricalValues),
      useConstTerm(useConstTerm),
      numPeriodsToForecast(numPeriodsToForecast),
      ConfidenceLevel(ConfidenceLevel),
      trendIndependent(trendIndependent),
      ReplaceOutliers(ReplaceOutliers),
      useExistingValues(useExistingValues),
      removeTrailingZeros(removeTrailingZeros),
      laggedDependentSeries(laggedDependentSeries),
      dependentIndex(-1),
      numSeries(0),
      numColumns(0),
      numObservations(0),
      F(0.0),
      SSE(0.0)
{
}

MatrixForecastMultipleRegression::~MatrixForecastMultipleRegression() = default;

void MatrixForecastMultipleRegression::compute(Matrix& matrix, std::int32_t flag)
{
    (void)flag;
    runGuardingMatrixAlgebra(QD_SOURCE_PATH, kMatrixAlgebraLine, [&] { run(matrix); });
}

void MatrixForecastMultipleRegression::run(Matrix& matrix)
{
    // 1. Checks.
    const std::int32_t dep = matrix.dependentSeriesIndex(QD_DEPENDENT);
    if (dep < 0)
        qdThrow(QD_SOURCE_PATH, 376, ErrorCode::NoDependentSeries);
    dependentIndex = dep;
    std::int32_t last = observationNumber;
    std::int32_t n = numHistoricalValues;
    resolveRegressionRange(matrix.series(dep), last, n);
    const std::int32_t h = numPeriodsToForecast;
    if (h < 0)
        qdThrow(QD_SOURCE_PATH, 383, ErrorCode::IllegalForecastPeriods);
    if (!(ConfidenceLevel >= 0.0 && ConfidenceLevel < 1.0))
        qdThrow(QD_SOURCE_PATH, 386, ErrorCode::IllegalConfidenceLevel);
    const std::int32_t k = matrix.numSeries();
    if (k < 2 || (trendIndependent && k != 2))
        qdThrow(QD_SOURCE_PATH, 391, ErrorCode::NotEnoughObservationsForRegression);
    checkRegressors(matrix, dep, last, removeTrailingZeros, QD_SOURCE_PATH, 404);
    const std::int32_t p = k - 1 + (useConstTerm ? 1 : 0);
    if (n < p)
        qdThrow(QD_SOURCE_PATH, 414, ErrorCode::NotEnoughObservationsForRegression);
    numSeries = k;
    numColumns = p;
    numObservations = n;

    // 2. Design matrix and dependent vector.
    const std::int32_t start = last - n + 1;
    X = DoubleMatrix(static_cast<std::uint32_t>(n), static_cast<std::uint32_t>(p));
    y = DoubleMatrix(static_cast<std::uint32_t>(n), 1u);
    if (useConstTerm)
        for (std::int32_t r = 0; r < n; ++r)
            X(r, 0) = 1.0;
    {
        std::int32_t column = useConstTerm ? 1 : 0;
        for (std::int32_t i = 0; i < k; ++i) {
            const Series& s = matrix.series(i);
            if (i == dep) {
                for (std::int32_t r = 0; r < n; ++r)
                    y(r, 0) = s.observation(start + r).value;
            } else {
                for (std::int32_t r = 0; r < n; ++r)
                    X(r, column) = s.observation(start + r).value;
                ++column;
            }
        }
    }

    // 3. Normal equations; 4. coefficients, fitted values, residuals.
    DoubleMatrix V;
    solveNormalEquations(X, y, V, b);
    const DoubleMatrix f = matrixProduct(X, b);
    const DoubleMatrix e = y - f;

    // 5. Coefficient statistics.
    tValues = DoubleMatrix(static_cast<std::uint32_t>(p), 1u);
    pValues = DoubleMatrix(static_cast<std::uint32_t>(p), 1u);
    standardErrors = DoubleMatrix(static_cast<std::uint32_t>(p), 1u);
    elasticities = DoubleMatrix(static_cast<std::uint32_t>(p), 1u);
    const double ybar = meanOfValues(matrix.series(dep), last, n);
    SSE = 0.0;
    for (std::int32_t r = 0; r < n; ++r)
        SSE += e(r, 0) * e(r, 0);
    const double df = static_cast<double>(n - p);
    double s = std::sqrt(SSE / df);
    // Residuals whose squares overflow (values near the largest doubles):
    // their root mean square from the residuals scaled by a power of two.
    if (df > 0.0 && !std::isfinite(s)) {
        const std::int32_t exponent = largestExponent(e);
        s = std::ldexp(std::sqrt(scaledSquareSum(e, exponent) / df), exponent);
    }
    for (std::int32_t j = 0; j < p; ++j) {
        const double se = std::sqrt(V(j, j)) * s;
        const double t = se < kEps ? 1.0 / kEps : b(j, 0) / se;
        standardErrors(j, 0) = se;
        tValues(j, 0) = t;
        pValues(j, 0) = 1.0 - computeTProbability(std::fabs(t), df, false);
    }
    {
        std::int32_t row = 0;
        if (useConstTerm)
            elasticities(row++, 0) = 0.0;
        for (std::int32_t i = 0; i < k; ++i) {
            if (i == dep)
                continue;
            if (std::fabs(ybar) <= kEps)
                elasticities(row, 0) = 1.0 / kEps;
            else
                elasticities(row, 0) = b(row, 0) * meanOfValues(matrix.series(i), last, n) / ybar;
            ++row;
        }
    }

    // 6. F statistic over the centred total sum of squares (with or
    // without the constant term).
    F = 0.0;
    if (k > 1 && n > k) {
        double SST = sumSquaredDeviation(matrix.series(dep), last, n);
        double regressionSquares = SSE;
        if (!std::isfinite(SST) || !std::isfinite(SSE)) {
            // A ratio free of scale: both sums on the values scaled by the
            // same power of two.
            const ScaledDeviations deviations(matrix.series(dep).values(0), start, n);
            SST = deviations.powerSum(2);
            regressionSquares = scaledSquareSum(e, deviations.exponent);
        }
        const double MSR = (SST - regressionSquares) / (k - 1);
        const double MSE = regressionSquares / df;
        F = SSE / df < 1e-12 ? 1e12 : MSR / MSE;
    }

    // 7. Future design matrix.
    DoubleMatrix Xf;
    if (h > 0) {
        Xf = DoubleMatrix(static_cast<std::uint32_t>(p), static_cast<std::uint32_t>(h));
        if (useConstTerm)
            for (std::int32_t j = 0; j < h; ++j)
                Xf(0, j) = 1.0;
        std::int32_t row = useConstTerm ? 1 : 0;
        for (std::int32_t i = 0; i < k; ++i) {
            if (i == dep)
                continue;
            Series& xs = matrix.series(i);
            if (trendIndependent) {
                const double lastValue = xs.observation(last).value;
                for (std::int32_t j = 0; j < h; ++j)
                    Xf(row, j) = lastValue + j + 1;
            } else {
                const std::int64_t missing = static_cast<std::int64_t>(last) + h + 1 - xs.numObservations();
                if (!(useExistingValues && missing <= 0) && xs.numObservations() > 0)
                    forecastIndependentSeries(xs, start, missing > 0 ? static_cast<std::int32_t>(missing) : 0,
                                              ReplaceOutliers);
                for (std::int32_t j = 0; j < h; ++j) {
                    Observation& o = xs.observation(last + j + 1);
                    Xf(row, j) = o.value;
                    o.storedResults.store(QD_FORECAST, o.value);
                }
                xs.valueCache.setForecastsDirty(true);
            }
            ++row;
        }
    }

    // 8. Interval factor (also without forecast periods, so that every
    // confidence level is checked the same way).
    const double factor = computeTValue(ConfidenceLevel, df, false) * s;

    // 9. Row of the lagged dependent series in the future design.
    std::int32_t lagRow = -1;
    if (laggedDependentSeries > dep)
        lagRow = laggedDependentSeries - 1 + (useConstTerm ? 1 : 0);

    // 10. Forecasts and half-widths.
    {
        Series& ys = matrix.series(dep);
        const std::int32_t oldCount = ys.numObservations();
        double previous = 0.0;
        for (std::int32_t j = 0; j < h; ++j) {
            if (j > 0 && lagRow >= 0)
                Xf(lagRow, j) = previous;
            double yhat = 0.0;
            for (std::int32_t r = 0; r < p; ++r)
                yhat += Xf(r, j) * b(r, 0);
            double q = 0.0;
            for (std::int32_t r = 0; r < p; ++r) {
                double vx = 0.0;
                for (std::int32_t c = 0; c < p; ++c)
                    vx += V(r, c) * Xf(c, j);
                q += Xf(r, j) * vx;
            }
            const double halfWidth = std::sqrt(1.0 + q) * factor;
            storeRegressionValue(ys, last + j + 1, oldCount, QD_MULTIPLE_REGRESSION, yhat);
            ys.observation(last + j + 1).storedResults.store(QD_CONFIDENCE_INTERVAL, halfWidth);
            previous = yhat;
        }

        // 11. Fitted values.
        const std::int32_t count = ys.numObservations();
        for (std::int32_t r = 0; r < n; ++r)
            storeRegressionValue(ys, start + r, count, QD_MULTIPLE_REGRESSION, f(r, 0));
    }

    // 12. Roles and statistics.
    for (std::int32_t i = 0; i < k; ++i) {
        Series& s2 = matrix.series(i);
        if (s2.dependenceType != QD_DEPENDENT)
            s2.dependenceType = QD_REGRESSION_SELECTED;
    }
    {
        std::int32_t row = useConstTerm ? 1 : 0;
        for (std::int32_t i = 0; i < k; ++i) {
            SeriesQC& results = matrix.series(i).storedResults;
            if (i == dep) {
                results.store(QD_REGRESSION_ELASTICITY, 0.0);
                const bool c = useConstTerm;
                results.store(QD_BETA, c ? b(0, 0) : 0.0);
                results.store(QD_REGRESSION_STANDARD_ERROR, c ? standardErrors(0, 0) : 0.0);
                results.createMultiple(QD_T_TEST, 1);
                results.storeMultiple(QD_T_TEST, 0, c ? tValues(0, 0) : 0.0);
                results.createMultiple(QD_P_VALUE, 1);
                results.storeMultiple(QD_P_VALUE, 0, c ? pValues(0, 0) : 0.0);
                results.store(QD_F_TEST, F);
            } else {
                results.store(QD_BETA, b(row, 0));
                results.store(QD_REGRESSION_ELASTICITY, elasticities(row, 0));
                results.store(QD_REGRESSION_STANDARD_ERROR, standardErrors(row, 0));
                results.createMultiple(QD_T_TEST, 1);
                results.storeMultiple(QD_T_TEST, 0, tValues(row, 0));
                results.createMultiple(QD_P_VALUE, 1);
                results.storeMultiple(QD_P_VALUE, 0, pValues(row, 0));
                ++row;
            }
        }
    }

    // 13. Method record.
    matrix.recordForecastMethod(QD_MULTIPLE_REGRESSION);
    Series& ys = matrix.series(dep);
    ys.recordForecastMethod(QD_MULTIPLE_REGRESSION);
}

}  // namespace qd
