#include "MatrixCompute/MatrixForecastPolynomialRegression.h"

#include <cstdint>
#include <cstdio>

#include "Foundation/FdExceptions.h"
#include "Matrix/MVRBaseException.h"
#include "Matrix/MatrixOpApplyMatrixForecast.h"
#include "Matrix/QuantityTypes.h"
#include "MatrixCompute/MatrixForecastMultipleRegression.h"
#include "MatrixCompute/MatrixForecastStepwise.h"
#include "SeriesCompute/SeriesCompute.h"
#include "SeriesCompute/SeriesStatistics.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\MatrixCompute\\MatrixForecastPolynomialRegression";
const std::int32_t kMatrixAlgebraLine = 287;

bool sameExponents(const OrderedVector<std::int32_t>& a, const OrderedVector<std::int32_t>& b)
{
    if (a.entries() != b.entries())
        return false;
    for (std::uint32_t i = 0; i < a.entries(); ++i)
        if (a[i] != b[i])
            return false;
    return true;
}
}  // namespace

// ---- term set ----------------------------------------------------------

PolynomialTermSet::PolynomialTermSet(const Matrix& matrix, std::int32_t dependentIndex)
    : degree(1), firstStart(0), firstEnd(-1), previousStart(0), previousEnd(-1), newStart(0), newEnd(-1), terms()
{
    const std::int32_t numIndependent = matrix.numSeries() - 1;
    std::int32_t t = 0;
    for (std::int32_t i = 0; i < matrix.numSeries(); ++i) {
        if (i == dependentIndex)
            continue;
        PolynomialTerm term;
        term.sourceSeries = i;
        for (std::int32_t j = 0; j < numIndependent; ++j)
            term.exponents.insert(j == t ? 1 : 0);
        term.factorA = t;
        term.factorB = -1;
        terms.insert(term);
        ++t;
    }
    firstEnd = previousEnd = newEnd = t - 1;
}

void PolynomialTermSet::addNextDegree()
{
    const std::int32_t begin = numTerms();
    for (std::int32_t bi = firstStart; bi <= firstEnd; ++bi) {
        for (std::int32_t ai = previousStart; ai <= previousEnd; ++ai) {
            PolynomialTerm term;
            const PolynomialTerm& a = terms[static_cast<std::uint32_t>(ai)];
            const PolynomialTerm& b = terms[static_cast<std::uint32_t>(bi)];
            for (std::uint32_t j = 0; j < a.exponents.entries(); ++j)
                term.exponents.insert(a.exponents[j] + b.exponents[j]);
            bool duplicate = false;
            for (std::int32_t x = begin; x < numTerms() && !duplicate; ++x)
                duplicate = sameExponents(terms[static_cast<std::uint32_t>(x)].exponents, term.exponents);
            if (duplicate)
                continue;
            term.sourceSeries = -1;
            term.factorA = ai;
            term.factorB = bi;
            terms.insert(term);
        }
    }
    newStart = begin;
    newEnd = numTerms() - 1;
    ++degree;
}

void PolynomialTermSet::createProductSeries(Matrix& matrix)
{
    for (std::int32_t x = newStart; x <= newEnd; ++x) {
        PolynomialTerm& term = terms[static_cast<std::uint32_t>(x)];
        Series product;
        {
            const Series& a = matrix.series(terms[static_cast<std::uint32_t>(term.factorA)].sourceSeries);
            const Series& b = matrix.series(terms[static_cast<std::uint32_t>(term.factorB)].sourceSeries);
            const std::int32_t n = a.numObservations() < b.numObservations() ? a.numObservations()
                                                                             : b.numObservations();
            for (std::int32_t t = 0; t < n; ++t)
                product.addObservation(a.observation(t).value * b.observation(t).value, QD_SUPPLIED, FdCString());
            FdCString description;
            bool firstPiece = true;
            for (std::uint32_t j = 0; j < term.exponents.entries(); ++j) {
                const std::int32_t e = term.exponents[j];
                if (e <= 0)
                    continue;
                if (!firstPiece)
                    description += "*";
                firstPiece = false;
                description += "(";
                description += matrix.series(terms[j].sourceSeries).description();
                description += ")";
                if (e > 1) {
                    char text[24];
                    std::snprintf(text, sizeof text, "^%ld", static_cast<long>(e));
                    description += static_cast<const char*>(text);
                }
            }
            product.setDescription(description);
        }
        product.dependenceType = 0;
        matrix.addSeries(product);
        term.sourceSeries = matrix.numSeries() - 1;
    }
    previousStart = newStart;
    previousEnd = newEnd;
}

void PolynomialTermSet::removeNewestDegree(Matrix& matrix)
{
    for (std::int32_t x = numTerms() - 1; x >= previousStart; --x)
        removeTerm(matrix, x);
}

void PolynomialTermSet::removeProductTerms(Matrix& matrix)
{
    // Terms beyond the largest number of terms never had a series.
    for (std::int32_t x = numTerms() - 1; x > firstEnd; --x)
        removeTerm(matrix, x);
}

void PolynomialTermSet::removeTerm(Matrix& matrix, std::int32_t x)
{
    PolynomialTerm& term = terms[static_cast<std::uint32_t>(x)];
    if (term.sourceSeries >= 0) {
        matrix.removeSeriesAt(term.sourceSeries);
        // The series is gone: should removing the term itself run out of
        // memory, a later clean-up must not remove at this index again.
        term.sourceSeries = -1;
    }
    terms.removeAt(static_cast<std::uint32_t>(x));
}

// ---- regression --------------------------------------------------------

MatrixForecastPolynomialRegression::MatrixForecastPolynomialRegression(
    std::int32_t observationNumber, std::int32_t numHistoricalValues, std::int32_t maxDegree, double partialF,
    double minFIn, double maxFOut, bool useConstTerm, std::int32_t numPeriodsToForecast, double ConfidenceLevel,
    bool ReplaceOutliers, bool useExistingValues, bool removeTrailingZeros)
    : observationNumber(observationNumber),
      numHistoricalValues(numHistoricalValues),
      maxDegree(maxDegree),
      partialF(partialF),
      minFIn(minFIn),
      maxFOut(maxFOut),
      useConstTerm(useConstTerm),
      numPeriodsToForecast(numPeriodsToForecast),
      ConfidenceLevel(ConfidenceLevel),
      ReplaceOutliers(ReplaceOutliers),
      useExistingValues(useExistingValues),
      removeTrailingZeros(removeTrailingZeros),
      numSeries(0),
      dependentIndex(-1),
      maxNumTerms(0)
{
}

MatrixForecastPolynomialRegression::~MatrixForecastPolynomialRegression() = default;

void MatrixForecastPolynomialRegression::validate(Matrix& matrix)
{
    numSeries = matrix.numSeries();
    if (numSeries < 2)
        qdThrow(QD_SOURCE_PATH, 96, ErrorCode::NotEnoughSeriesForRegression);
    dependentIndex = matrix.dependentSeriesIndex(QD_DEPENDENT);
    if (dependentIndex < 0)
        qdThrow(QD_SOURCE_PATH, 100, ErrorCode::NoDependentSeries);
    Series& ys = matrix.series(dependentIndex);
    maxNumTerms = ys.numObservations() - 2;
    if (maxNumTerms < numSeries - 1)
        qdThrow(QD_SOURCE_PATH, 105, ErrorCode::NotEnoughObservationsForRegression);
    resolveRegressionRange(ys, observationNumber, numHistoricalValues);
    checkRegressors(matrix, dependentIndex, observationNumber, removeTrailingZeros, QD_SOURCE_PATH, 119);
    removeTrailingZeros = false;
    if (maxDegree == QD_COMPUTE)
        maxDegree = numSeries == 2 ? 3 : 2;
    if (maxDegree < 1)
        qdThrow(QD_SOURCE_PATH, 126, ErrorCode::IllegalPolynomialDegree);
    if (!(partialF >= 0.0))
        qdThrow(QD_SOURCE_PATH, 129, ErrorCode::IllegalPolynomialPartialF);
    if (!(minFIn >= 0.0) || !(maxFOut >= 0.0))
        qdThrow(QD_SOURCE_PATH, 132, ErrorCode::NegativeStepwiseF);
    if (minFIn < maxFOut)
        qdThrow(QD_SOURCE_PATH, 135, ErrorCode::StepwiseFInAboveFOut);
}

bool MatrixForecastPolynomialRegression::runRegression(Matrix& matrix, bool rethrow)
{
    MatrixForecastMultipleRegression regression(observationNumber, numHistoricalValues, useConstTerm,
                                                numPeriodsToForecast, ConfidenceLevel, false, ReplaceOutliers,
                                                useExistingValues, false, -1);
    return runRegressionOn(matrix, regression, rethrow);
}

void MatrixForecastPolynomialRegression::fitDegrees(Matrix& matrix, PolynomialTermSet& termSet)
{
    if (!runRegression(matrix))
        qdThrow(QD_SOURCE_PATH, 170, ErrorCode::LinearlyRelatedMatrix);
    const std::int32_t last = observationNumber;
    const std::int32_t n = numHistoricalValues;
    matrix.series(dependentIndex).setDirty(true, true);
    double sse1 = sumSquaredError(matrix.series(dependentIndex), last, n);
    for (std::int32_t d = 2; d <= maxDegree; ++d) {
        termSet.addNextDegree();
        if (termSet.numTerms() > maxNumTerms)
            break;
        termSet.createProductSeries(matrix);
        if (runRegression(matrix)) {
            Series& ys = matrix.series(dependentIndex);
            ys.setDirty(true, true);
            const double sse2 = sumSquaredError(ys, last, n);
            const double q = termSet.numNewTerms();
            const double p = termSet.numTerms();
            // The sums of squares cover the history range, so its length
            // is the number of observations of the test.
            const double F = ((sse1 - sse2) / q) / (sse2 / (n - p - 1.0));
            if (sse2 > 1e-9 && F > partialF) {
                sse1 = sse2;
                continue;
            }
        }
        termSet.removeNewestDegree(matrix);
        break;
    }
}

void MatrixForecastPolynomialRegression::compute(Matrix& matrix, std::int32_t flag)
{
    (void)flag;
    validate(matrix);
    PolynomialTermSet termSet(matrix, dependentIndex);
    const std::int32_t periods = numPeriodsToForecast;
    numPeriodsToForecast = 0;
    try {
        fitDegrees(matrix, termSet);
        numPeriodsToForecast = periods;
        // The final fit's failure is reported, before anything is copied.
        if (minFIn == 0.0 && maxFOut == 0.0) {
            runRegression(matrix, true);
        } else {
            MatrixForecastStepwise stepwise(observationNumber, numHistoricalValues, kStepwiseWithRemoval, QD_COMPUTE,
                                            QD_COMPUTE, minFIn, maxFOut, 0, 0, false, useConstTerm,
                                            numPeriodsToForecast, ConfidenceLevel, ReplaceOutliers,
                                            useExistingValues, false);
            MatrixOpApplyMatrixForecast op(stepwise);
            op.apply(matrix);
        }
    } catch (const FdInternalErr&) {
        numPeriodsToForecast = periods;
        termSet.removeProductTerms(matrix);
        qdThrow(QD_SOURCE_PATH, kMatrixAlgebraLine, ErrorCode::LinearlyRelatedMatrix);
    } catch (const FdExternalErr&) {
        numPeriodsToForecast = periods;
        termSet.removeProductTerms(matrix);
        qdThrow(QD_SOURCE_PATH, kMatrixAlgebraLine, ErrorCode::LinearlyRelatedMatrix);
    } catch (...) {
        numPeriodsToForecast = periods;
        termSet.removeProductTerms(matrix);
        throw;
    }

    Series& ys = matrix.series(dependentIndex);
    const std::int32_t end = observationNumber + numPeriodsToForecast;
    for (std::int32_t t = 0; t <= end && t < ys.numObservations(); ++t) {
        Observation& o = ys.observation(t);
        double v = 0.0;
        // An observation without a fitted value keeps its slot empty.
        if (o.storedResults.lookup(QD_FORECAST, v) == QD_QUANTITY_FOUND)
            o.storedResults.store(QD_POLYNOMIAL_REGRESSION, v);
    }
    matrix.recordForecastMethod(QD_POLYNOMIAL_REGRESSION);
    ys.recordForecastMethod(QD_POLYNOMIAL_REGRESSION);
}

}  // namespace qd
