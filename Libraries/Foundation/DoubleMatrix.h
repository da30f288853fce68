// DoubleMatrix: a rows x cols view of doubles over a shared, reference-
// counted block. Element (i, j) lies at begin + i * rowStride + j * colStride.
// Storage order COLUMN_MAJOR (0) has rowStride 1 and colStride rows,
// ROW_MAJOR (1) has colStride 1 and rowStride cols.
//
// Copy construction, copy assignment and reference() share the block; only
// copy(), resize() and assignValues() write values into another block.
// Shape, index and slice errors raise FdBoundsErr, a bad storage order
// FdInternalErr, with the "fdmath" messages. Every view handed out (slices,
// transposes, rows, columns, line views) is checked to lie inside the matrix.
#ifndef FOUNDATION_DOUBLEMATRIX_H
#define FOUNDATION_DOUBLEMATRIX_H

#include "Foundation/DataView.h"
#include "Foundation/FdMathVec.h"
#include "Foundation/VectorKernels.h"

#include <cstddef>
#include <cstdint>

namespace qd {

// A run of indexes {start, count, step}; a negative count means "up to the
// end" and is resolved against the dimension it is applied to.
struct FdRange {
    std::int32_t start;
    std::int32_t count;
    std::int32_t step;
};

// Every index of a dimension.
constexpr FdRange FD_WHOLE_RANGE{0, -1, 1};

class DoubleMatrix : public DataView {
public:
    static constexpr std::int32_t COLUMN_MAJOR = 0;
    static constexpr std::int32_t ROW_MAJOR = 1;

    // 0 x 0 on the shared empty block, rowStride 1, colStride 1.
    DoubleMatrix() noexcept;
    // A view of a block in the given storage order (SHORTBLOCK when the
    // block holds fewer than rows * cols doubles).
    DoubleMatrix(FdBlock* block, std::uint32_t rows, std::uint32_t cols, std::int32_t storage = COLUMN_MAJOR);
    // A new block of rows * cols doubles, values not set.
    DoubleMatrix(std::uint32_t rows, std::uint32_t cols, std::int32_t storage = COLUMN_MAJOR);
    // A view sharing the block of view; the caller guarantees that every
    // element lies in it.
    DoubleMatrix(const DataView& view, double* begin, std::uint32_t rows, std::uint32_t cols,
                 std::int32_t rowStride, std::int32_t colStride) noexcept;

    DoubleMatrix(const DoubleMatrix& other) noexcept;
    // Shares the other's block, data, shape and strides (as reference()).
    DoubleMatrix& operator=(const DoubleMatrix& other) noexcept;
    ~DoubleMatrix() = default;

    DoubleMatrix& reference(const DoubleMatrix& other) noexcept;

    std::uint32_t rows() const noexcept { return rows_; }
    std::uint32_t cols() const noexcept { return cols_; }
    std::int32_t rowStride() const noexcept { return rowStride_; }
    std::int32_t colStride() const noexcept { return colStride_; }
    double* data() const noexcept { return static_cast<double*>(begin_); }

    // Checked element access.
    double& operator()(std::int32_t i, std::int32_t j) { elementCheck(i, j); return *at(i, j); }
    double operator()(std::int32_t i, std::int32_t j) const { elementCheck(i, j); return *at(i, j); }

    // Unchecked address of element (i, j).
    double* at(std::int64_t i, std::int64_t j) const noexcept
    {
        return data() + static_cast<std::ptrdiff_t>(i * rowStride_ + j * colStride_);
    }

    // i outside [0, rows), then j outside [0, cols): FdBoundsErr INDEX.
    void elementCheck(std::int32_t i, std::int32_t j) const;
    // A shape other than rows x cols: FdBoundsErr MNMATCH.
    void shapeCheck(std::uint32_t rows, std::uint32_t cols) const;
    // n != rows: FdBoundsErr NMATCH.
    void innerDimensionCheck(std::uint32_t n) const;
    // A line of n elements from (i, j) stepping (di, dj) must lie inside the
    // matrix: FdBoundsErr SLICEBEG / SLICEEND, rows before columns.
    void sliceCheck(std::int32_t i, std::int32_t j, std::uint32_t n, std::int32_t di, std::int32_t dj) const;

    // An m x n view from element (i, j); moving down one row of the view
    // steps (ri, rj) in this matrix, moving right one column steps (ci, cj).
    DoubleMatrix slice(std::int32_t i, std::int32_t j, std::uint32_t m, std::uint32_t n,
                       std::int32_t ri, std::int32_t rj, std::int32_t ci, std::int32_t cj) const;
    // The m x n block whose top-left element is (i, j).
    DoubleMatrix subMatrix(std::int32_t i, std::int32_t j, std::uint32_t m, std::uint32_t n) const;
    // The leading k x k block.
    DoubleMatrix leadingBlock(std::uint32_t k) const;
    // Rows and columns exchanged, same data.
    DoubleMatrix transpose() const;

    // A vector of n elements from (i, j) stepping (rowStep, colStep).
    FdMathVec<double> lineView(std::int32_t i, std::int32_t j, std::uint32_t n,
                               std::int32_t rowStep, std::int32_t colStep) const;
    // Columns range.start, start + step, ... of row i.
    FdMathVec<double> row(std::int32_t i, const FdRange& range = FD_WHOLE_RANGE) const;
    // Rows range.start, start + step, ... of column j.
    FdMathVec<double> col(std::int32_t j, const FdRange& range = FD_WHOLE_RANGE) const;

    // True when rowStride is 1 and colStride equals rows.
    bool isContiguousColumnMajor() const noexcept;

    // A new matrix in the given storage order with the same values.
    DoubleMatrix copy(std::int32_t storage = COLUMN_MAJOR) const;
    // Copies the source's values into this view (shapes must match); safe
    // when both share a block.
    DoubleMatrix& assignValues(const DoubleMatrix& source);
    // Sets every element to value.
    DoubleMatrix& fill(double value) noexcept;
    // A new zero-filled rows x cols block keeping the overlapping top-left
    // values; nothing happens when the shape is unchanged.
    void resize(std::uint32_t rows, std::uint32_t cols, std::int32_t storage = COLUMN_MAJOR);

private:
    std::uint32_t rows_;
    std::uint32_t cols_;
    std::int32_t rowStride_;
    std::int32_t colStride_;
};

// The transposed view of a matrix (no copy).
DoubleMatrix transposeView(const DoubleMatrix& m);

// a - b element by element, as a new column-major matrix (MNMATCH when the
// shapes differ).
DoubleMatrix operator-(const DoubleMatrix& a, const DoubleMatrix& b);

} // namespace qd

#endif
