// MatrixQC: the results of a matrix, one table per matrix-level type
// 6000-6002 (one row and one column per series). QuantityMatrix is the
// table: rows x columns slots, cell (row, column) at row x columns + column.
#ifndef QD_MATRIX_MATRIXQC_H
#define QD_MATRIX_MATRIXQC_H

#include <cstdint>

#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityCollection.h"
#include "Matrix/QuantitySlots.h"

namespace qd {

class QuantityMatrix : public QuantitySlots {
public:
    // rows x columns empty cells; both must be at least 1 (rows x columns
    // below 1 throws 3000 from QuantitySlots, both below 1 throws 3042).
    QuantityMatrix(std::int32_t rows, std::int32_t columns);
    QuantityMatrix(const QuantityMatrix& other) = default;
    QuantityMatrix& operator=(const QuantityMatrix& other) = default;
    ~QuantityMatrix() override;

    std::int32_t rows() const { return rows_; }
    std::int32_t columns() const { return columns_; }

    // Cells outside [0, rows) x [0, columns) throw 3042.
    std::int32_t lookupAt(std::int32_t row, std::int32_t column, double& value) const
    {
        checkCell(row, column, publishedLine(45));
        return lookup(row * columns_ + column, value);
    }
    double valueAt(std::int32_t row, std::int32_t column) const
    {
        checkCell(row, column, publishedLine(53));
        return value(row * columns_ + column);
    }
    std::int32_t storeAt(std::int32_t row, std::int32_t column, std::int32_t type, double value)
    {
        checkCell(row, column, publishedLine(61));
        return store(row * columns_ + column, type, value);
    }

private:
    void checkCell(std::int32_t row, std::int32_t column, std::int32_t line) const
    {
        if (row < 0 || row >= rows_ || column < 0 || column >= columns_)
            qdThrow("INCLUDE\\Matrix/MatrixQC", line, ErrorCode::IllegalIndex);
    }

    std::int32_t rows_;
    std::int32_t columns_;
};

class MatrixQC : public QuantityCollection {
public:
    enum : std::int32_t { FIRST_TYPE = 6000, LAST_TYPE = 6002, NUM_TYPES = 3 };

    MatrixQC();
    MatrixQC(const MatrixQC& other);
    MatrixQC& operator=(const MatrixQC& other);
    ~MatrixQC() override;

    void clear() override;
    std::int32_t count(std::int16_t type) const override;
    void restart() override;
    Quantity* next() override;
    // Cell (0, 0) of the type's table; 0.0 / 2 when there is no table.
    double value(std::int32_t type) const override
    {
        const QuantityMatrix* table = tables_[matrixIndex(type)];
        return table != nullptr ? table->valueAt(0, 0) : 0.0;
    }
    std::int32_t lookup(std::int32_t type, double& value) const override
    {
        const QuantityMatrix* table = tables_[matrixIndex(type)];
        return table != nullptr ? table->lookupAt(0, 0, value) : static_cast<std::int32_t>(QD_QUANTITY_ABSENT);
    }
    std::int32_t store(std::int32_t type, double value) override
    {
        QuantityMatrix* table = tables_[matrixIndex(type)];
        return table != nullptr ? table->storeAt(0, 0, type, value) : static_cast<std::int32_t>(QD_QUANTITY_ABSENT);
    }

    // type - 6000; any other type throws 3061.
    static std::int32_t matrixIndex(std::int32_t type)
    {
        if (type < FIRST_TYPE || type > LAST_TYPE)
            qdThrow("INCLUDE\\Matrix/MatrixQC", publishedLine(84), ErrorCode::NotMatrixLevel);
        return type - FIRST_TYPE;
    }

    // Replaces the type's table by rows x columns empty cells; a product of
    // 0 leaves the type without a table. A failed call changes nothing.
    void createStatisticMatrix(std::int32_t type, std::int32_t rows, std::int32_t columns);
    // The table of a type, null when absent.
    const QuantityMatrix* statisticMatrix(std::int32_t type) const { return tables_[matrixIndex(type)]; }
    QuantityMatrix* statisticMatrix(std::int32_t type) { return tables_[matrixIndex(type)]; }

    void swap(MatrixQC& other) noexcept;

private:
    void destroyEntry(std::int32_t k);

    std::int32_t position_;
    QuantityMatrix* tables_[NUM_TYPES];
};

} // namespace qd

#endif
