// Polynomial regression: the dependent series of a matrix regressed on the
// independent series and their products and powers. The degree rises one
// step at a time while a partial F test says the new degree's terms add
// enough; every accepted product term becomes a series of its own in the
// matrix, so the fit itself is the multiple regression (or, with F limits,
// the stepwise regression) over the grown matrix.
#ifndef QD_MATRIXCOMPUTE_MATRIXFORECASTPOLYNOMIALREGRESSION_H
#define QD_MATRIXCOMPUTE_MATRIXFORECASTPOLYNOMIALREGRESSION_H

#include <cstdint>

#include "Foundation/OrderedVector.h"
#include "Matrix/Matrix.h"
#include "MatrixCompute/MatrixCompute.h"

namespace qd {

// One regressor of the polynomial.
class PolynomialTerm {
public:
    PolynomialTerm() : sourceSeries(-1), exponents(), factorA(-1), factorB(-1) {}

    // Terms are the same regressor when they read the same series.
    bool operator==(const PolynomialTerm& other) const { return sourceSeries == other.sourceSeries; }

    std::int32_t sourceSeries;              // matrix index of its values; -1 until created
    OrderedVector<std::int32_t> exponents;  // power of each independent series, in matrix order
    std::int32_t factorA;                   // first degree: ordinal of its series; else the extended term
    std::int32_t factorB;                   // first degree: -1; else the first-degree factor
};

class PolynomialTermSet {
public:
    // One first-degree term per series other than the dependent one.
    PolynomialTermSet(const Matrix& matrix, std::int32_t dependentIndex);

    // Appends the terms of the next degree: every previous-degree term
    // times every first-degree term, each exponent vector once.
    void addNextDegree();
    // Creates the series of the new terms in the matrix, as products of
    // their factors' series.
    void createProductSeries(Matrix& matrix);
    // Removes the terms (and their series) of the highest degree.
    void removeNewestDegree(Matrix& matrix);
    // Removes every product term, and the series of those that have one.
    void removeProductTerms(Matrix& matrix);
    // Removes term x and its series, if it has one.
    void removeTerm(Matrix& matrix, std::int32_t x);

    std::int32_t numTerms() const { return static_cast<std::int32_t>(terms.entries()); }
    std::int32_t numNewTerms() const { return newEnd - newStart + 1; }

    std::int32_t degree;
    std::int32_t firstStart, firstEnd;
    std::int32_t previousStart, previousEnd;
    std::int32_t newStart, newEnd;
    OrderedVector<PolynomialTerm> terms;
};

class MatrixForecastPolynomialRegression : public MatrixForecast {
public:
    MatrixForecastPolynomialRegression(std::int32_t observationNumber, std::int32_t numHistoricalValues,
                                       std::int32_t maxDegree, double partialF, double minFIn, double maxFOut,
                                       bool useConstTerm, std::int32_t numPeriodsToForecast, double ConfidenceLevel,
                                       bool ReplaceOutliers, bool useExistingValues, bool removeTrailingZeros);
    ~MatrixForecastPolynomialRegression() override;

    void compute(Matrix& matrix, std::int32_t flag) override;

    std::int32_t observationNumber;
    std::int32_t numHistoricalValues;
    std::int32_t maxDegree;   // -3: 3 for one independent series, else 2
    double partialF;
    double minFIn;
    double maxFOut;
    bool useConstTerm;
    std::int32_t numPeriodsToForecast;
    double ConfidenceLevel;
    bool ReplaceOutliers;
    bool useExistingValues;
    bool removeTrailingZeros;
    // Set by the validation.
    std::int32_t numSeries;
    std::int32_t dependentIndex;
    std::int32_t maxNumTerms;   // observations of the dependent series - 2

private:
    void validate(Matrix& matrix);
    void fitDegrees(Matrix& matrix, PolynomialTermSet& termSet);
    // One multiple regression over the matrix; false on MVRBaseException
    // unless `rethrow`.
    bool runRegression(Matrix& matrix, bool rethrow = false);
};

}  // namespace qd

#endif
