// The series-by-series tables of a matrix: coefficient of determination
// (6000), correlation coefficient (6001) and covariance (6002) of every
// ordered pair of series over one range, stored as k x k tables in the
// matrix's results (row i, column j: series i against series j).
#ifndef QD_MATRIXCOMPUTE_MATRIXSTATISTICS_H
#define QD_MATRIXCOMPUTE_MATRIXSTATISTICS_H

#include <cstdint>

#include "Matrix/Matrix.h"
#include "MatrixCompute/MatrixCompute.h"

namespace qd {

class MatrixComputeStatisticTable : public MatrixCompute {
public:
    MatrixComputeStatisticTable(std::int32_t observationNumber, std::int32_t numHistoricalValues)
        : observationNumber(observationNumber), numHistoricalValues(numHistoricalValues)
    {
    }
    // Resolves the range on series 0 (an empty matrix fails with the
    // container's bounds error), replaces the type's table by an empty
    // k x k one and fills every cell; a failing pair ends the compute with
    // the cells filled so far.
    void compute(Matrix& matrix) override;
    virtual std::int32_t quantityId() const = 0;
    virtual double pairValue(Series& a, Series& b, std::int32_t last, std::int32_t count) = 0;

    std::int32_t observationNumber;
    std::int32_t numHistoricalValues;
};

class MatrixComputeCoefficientDeterminationMatrix : public MatrixComputeStatisticTable {
public:
    using MatrixComputeStatisticTable::MatrixComputeStatisticTable;
    std::int32_t quantityId() const override;
    double pairValue(Series& a, Series& b, std::int32_t last, std::int32_t count) override;
};

class MatrixComputeCorrelationCoefficientMatrix : public MatrixComputeStatisticTable {
public:
    using MatrixComputeStatisticTable::MatrixComputeStatisticTable;
    std::int32_t quantityId() const override;
    double pairValue(Series& a, Series& b, std::int32_t last, std::int32_t count) override;
};

class MatrixComputeCovarianceMatrix : public MatrixComputeStatisticTable {
public:
    using MatrixComputeStatisticTable::MatrixComputeStatisticTable;
    std::int32_t quantityId() const override;
    double pairValue(Series& a, Series& b, std::int32_t last, std::int32_t count) override;
};

}  // namespace qd

#endif
