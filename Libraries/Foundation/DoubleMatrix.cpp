#include "Foundation/DoubleMatrix.h"

#include "Foundation/FdExceptions.h"
#include "Foundation/MatrixLoop.h"

#include <algorithm>
#include <limits>
#include <new>

namespace qd {

namespace {

// A block of rows * cols doubles (the shared empty block for none).
FdBlock* newMatrixBlock(std::uint32_t rows, std::uint32_t cols)
{
    const std::uint64_t n = static_cast<std::uint64_t>(rows) * cols;
    if (n == 0) {
        return FdBlock::sharedEmpty();
    }
    if (n > std::numeric_limits<std::uint32_t>::max() / sizeof(double)) {
        throw std::bad_alloc();
    }
    return new DoubleBlock(static_cast<std::uint32_t>(n));
}

void storageCheck(std::int32_t storage)
{
    if (storage != DoubleMatrix::COLUMN_MAJOR && storage != DoubleMatrix::ROW_MAJOR) {
        fdRaiseInternal(FDMATH_STORAGE());
    }
}

// A 64-bit index as the 32-bit value of a message argument.
std::int32_t messageIndex(std::int64_t v)
{
    if (v > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (v < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(v);
}

// The stride of a view along a dimension of count elements. A product that
// does not fit 32 bits can only arise when the dimension holds at most one
// element, where the stride is never used.
std::int32_t combinedStride(std::int64_t stride)
{
    if (stride > std::numeric_limits<std::int32_t>::max() || stride < std::numeric_limits<std::int32_t>::min()) {
        return 1;
    }
    return static_cast<std::int32_t>(stride);
}

}  // namespace

DoubleMatrix::DoubleMatrix() noexcept : DataView(), rows_(0), cols_(0), rowStride_(1), colStride_(1) {}

DoubleMatrix::DoubleMatrix(FdBlock* block, std::uint32_t rows, std::uint32_t cols, std::int32_t storage)
    : DataView(block), rows_(0), cols_(0), rowStride_(1), colStride_(1)
{
    storageCheck(storage);
    // Compared in elements: the element count of two 32-bit dimensions fits
    // 64 bits, its byte count need not (2^31 x 2^30 doubles would wrap to 0).
    const std::uint64_t elements = static_cast<std::uint64_t>(rows) * cols;
    if (elements > block->size() / sizeof(double)) {
        const std::uint64_t needed = elements > 0xFFFFFFFFu / sizeof(double) ? 0xFFFFFFFFu : elements * sizeof(double);
        fdRaiseBounds(FDMATH_SHORTBLOCK(), block->size(), static_cast<std::uint32_t>(needed));
    }
    rows_ = rows;
    cols_ = cols;
    if (storage == COLUMN_MAJOR) {
        rowStride_ = 1;
        colStride_ = static_cast<std::int32_t>(rows);
    } else {
        colStride_ = 1;
        rowStride_ = static_cast<std::int32_t>(cols);
    }
}

DoubleMatrix::DoubleMatrix(std::uint32_t rows, std::uint32_t cols, std::int32_t storage)
    : DoubleMatrix((storageCheck(storage), newMatrixBlock(rows, cols)), rows, cols, storage)
{
}

DoubleMatrix::DoubleMatrix(const DataView& view, double* begin, std::uint32_t rows, std::uint32_t cols,
                           std::int32_t rowStride, std::int32_t colStride) noexcept
    : DataView(view, begin), rows_(rows), cols_(cols), rowStride_(rowStride), colStride_(colStride)
{
}

DoubleMatrix::DoubleMatrix(const DoubleMatrix& other) noexcept
    : DataView(other), rows_(other.rows_), cols_(other.cols_), rowStride_(other.rowStride_), colStride_(other.colStride_)
{
}

DoubleMatrix& DoubleMatrix::operator=(const DoubleMatrix& other) noexcept
{
    return reference(other);
}

DoubleMatrix& DoubleMatrix::reference(const DoubleMatrix& other) noexcept
{
    referenceView(other);
    rows_ = other.rows_;
    cols_ = other.cols_;
    rowStride_ = other.rowStride_;
    colStride_ = other.colStride_;
    return *this;
}

void DoubleMatrix::elementCheck(std::int32_t i, std::int32_t j) const
{
    if (i < 0 || static_cast<std::uint32_t>(i) >= rows_) {
        fdRaiseBounds(FDMATH_INDEX(), i, rows_ - 1u);
    }
    if (j < 0 || static_cast<std::uint32_t>(j) >= cols_) {
        fdRaiseBounds(FDMATH_INDEX(), j, cols_ - 1u);
    }
}

void DoubleMatrix::shapeCheck(std::uint32_t rows, std::uint32_t cols) const
{
    if (rows != rows_ || cols != cols_) {
        fdRaiseBounds(FDMATH_MNMATCH(), rows, cols, rows_, cols_);
    }
}

void DoubleMatrix::innerDimensionCheck(std::uint32_t n) const
{
    if (n != rows_) {
        fdRaiseBounds(FDMATH_NMATCH(), n, rows_);
    }
}

void DoubleMatrix::sliceCheck(std::int32_t i, std::int32_t j, std::uint32_t n, std::int32_t di, std::int32_t dj) const
{
    if (n == 0) {
        return;
    }
    // The ends are computed in 64 bits, so that no product can wrap round
    // into the valid range.
    const std::int64_t last = static_cast<std::int64_t>(n) - 1;
    if (i < 0 || static_cast<std::uint32_t>(i) >= rows_) {
        fdRaiseBounds(FDMATH_SLICEBEG(), i, rows_ - 1u);
    }
    const std::int64_t iEnd = i + last * di;
    if (iEnd < 0 || iEnd >= static_cast<std::int64_t>(rows_)) {
        fdRaiseBounds(FDMATH_SLICEEND(), messageIndex(iEnd), rows_ - 1u);
    }
    if (j < 0 || static_cast<std::uint32_t>(j) >= cols_) {
        fdRaiseBounds(FDMATH_SLICEBEG(), j, cols_ - 1u);
    }
    const std::int64_t jEnd = j + last * dj;
    if (jEnd < 0 || jEnd >= static_cast<std::int64_t>(cols_)) {
        fdRaiseBounds(FDMATH_SLICEEND(), messageIndex(jEnd), cols_ - 1u);
    }
}

DoubleMatrix DoubleMatrix::slice(std::int32_t i, std::int32_t j, std::uint32_t m, std::uint32_t n,
                                 std::int32_t ri, std::int32_t rj, std::int32_t ci, std::int32_t cj) const
{
    const std::int32_t newRowStride =
        combinedStride(static_cast<std::int64_t>(ri) * rowStride_ + static_cast<std::int64_t>(rj) * colStride_);
    const std::int32_t newColStride =
        combinedStride(static_cast<std::int64_t>(ci) * rowStride_ + static_cast<std::int64_t>(cj) * colStride_);
    if (m == 0 || n == 0) {
        // Nothing to check and nothing to view.
        return DoubleMatrix(DataView(), nullptr, m, n, newRowStride, newColStride);
    }
    sliceCheck(i, j, m, ri, rj);
    sliceCheck(i, j, n, ci, cj);
    return DoubleMatrix(*this, at(i, j), m, n, newRowStride, newColStride);
}

DoubleMatrix DoubleMatrix::subMatrix(std::int32_t i, std::int32_t j, std::uint32_t m, std::uint32_t n) const
{
    return slice(i, j, m, n, 1, 0, 0, 1);
}

DoubleMatrix DoubleMatrix::leadingBlock(std::uint32_t k) const
{
    return slice(0, 0, k, k, 1, 0, 0, 1);
}

DoubleMatrix DoubleMatrix::transpose() const
{
    return slice(0, 0, cols_, rows_, 0, 1, 1, 0);
}

DoubleMatrix transposeView(const DoubleMatrix& m)
{
    return m.transpose();
}

FdMathVec<double> DoubleMatrix::lineView(std::int32_t i, std::int32_t j, std::uint32_t n, std::int32_t rowStep,
                                         std::int32_t colStep) const
{
    const std::int32_t stride = combinedStride(
        static_cast<std::int64_t>(rowStep) * rowStride_ + static_cast<std::int64_t>(colStep) * colStride_);
    if (n == 0) {
        return FdMathVec<double>(DataView(), nullptr, 0, stride);
    }
    sliceCheck(i, j, n, rowStep, colStep);
    return FdMathVec<double>(*this, at(i, j), n, stride);
}

namespace {

// The number of elements of a range over a dimension of size extent.
std::uint32_t resolvedCount(const FdRange& range, std::uint32_t extent, bool& outside)
{
    outside = false;
    if (range.count >= 0) {
        return static_cast<std::uint32_t>(range.count);
    }
    if (range.step == 0) {
        fdRaiseBounds(FDMATH_STRIDENZ());
    }
    const std::int64_t count = (static_cast<std::int64_t>(extent) - range.start - 1) / range.step + 1;
    if (count <= 0) {
        outside = true;
        return 0;
    }
    return static_cast<std::uint32_t>(std::min<std::int64_t>(count, std::numeric_limits<std::uint32_t>::max()));
}

}  // namespace

FdMathVec<double> DoubleMatrix::row(std::int32_t i, const FdRange& range) const
{
    bool outside = false;
    const std::uint32_t count = resolvedCount(range, cols_, outside);
    if (outside) {
        // A start beyond the row: report it like any slice out of range.
        sliceCheck(i, range.start, 1, 0, range.step);
    }
    return lineView(i, range.start, count, 0, range.step);
}

FdMathVec<double> DoubleMatrix::col(std::int32_t j, const FdRange& range) const
{
    bool outside = false;
    const std::uint32_t count = resolvedCount(range, rows_, outside);
    if (outside) {
        sliceCheck(range.start, j, 1, range.step, 0);
    }
    return lineView(range.start, j, count, range.step, 0);
}

bool DoubleMatrix::isContiguousColumnMajor() const noexcept
{
    return rowStride_ == 1 && static_cast<std::int64_t>(colStride_) == static_cast<std::int64_t>(rows_);
}

DoubleMatrix DoubleMatrix::copy(std::int32_t storage) const
{
    DoubleMatrix result(rows_, cols_, storage);
    for (std::uint32_t j = 0; j < cols_; ++j) {
        for (std::uint32_t i = 0; i < rows_; ++i) {
            *result.at(i, j) = *at(i, j);
        }
    }
    return result;
}

DoubleMatrix& DoubleMatrix::assignValues(const DoubleMatrix& source)
{
    shapeCheck(source.rows_, source.cols_);
    if (sameBlock(source) && rows_ != 0 && cols_ != 0) {
        const DoubleMatrix temporary = source.copy(COLUMN_MAJOR);
        return assignValues(temporary);
    }
    // Both walked column by column in step, one stretch of a line at a time.
    MatrixLoop target(*this, 0);
    MatrixLoop from(source, 0);
    while (!target.done() && !from.done()) {
        const std::uint64_t n = std::min<std::uint64_t>(
            std::min(target.remainingInLine(), from.remainingInLine()), std::numeric_limits<std::uint32_t>::max());
        copyStrided(static_cast<std::uint32_t>(n), target.current(), target.elementStep(), from.current(),
                    from.elementStep());
        target.advance(n);
        from.advance(n);
    }
    return *this;
}

DoubleMatrix& DoubleMatrix::fill(double value) noexcept
{
    if (rows_ == 0 || cols_ == 0) {
        // An empty view may have a null begin: no address is formed from it.
        return *this;
    }
    for (std::uint32_t j = 0; j < cols_; ++j) {
        fillStrided(rows_, at(0, j), rowStride_, value);
    }
    return *this;
}

void DoubleMatrix::resize(std::uint32_t rows, std::uint32_t cols, std::int32_t storage)
{
    if (rows == rows_ && cols == cols_) {
        return;
    }
    DoubleMatrix grown(rows, cols, storage);
    grown.fill(0.0);
    const std::uint32_t keptRows = std::min(rows, rows_);
    const std::uint32_t keptCols = std::min(cols, cols_);
    for (std::uint32_t j = 0; j < keptCols; ++j) {
        for (std::uint32_t i = 0; i < keptRows; ++i) {
            *grown.at(i, j) = *at(i, j);
        }
    }
    reference(grown);
}

DoubleMatrix operator-(const DoubleMatrix& a, const DoubleMatrix& b)
{
    a.shapeCheck(b.rows(), b.cols());
    DoubleMatrix result(a.rows(), a.cols(), DoubleMatrix::COLUMN_MAJOR);
    for (std::uint32_t j = 0; j < a.cols(); ++j) {
        for (std::uint32_t i = 0; i < a.rows(); ++i) {
            *result.at(i, j) = *a.at(i, j) - *b.at(i, j);
        }
    }
    return result;
}

} // namespace qd
