#include "Foundation/DoubleMatrix.h"
#include "Foundation/MatrixLoop.h"

#include "ExpectRaise.h"
#include "NumericsTestSupport.h"

#include <gtest/gtest.h>

#include <new>
#include <vector>

using namespace qd;

namespace {

// rows x cols column-major matrix with element (i, j) = 10 i + j.
DoubleMatrix numbered(std::uint32_t rows, std::uint32_t cols, std::int32_t storage = DoubleMatrix::COLUMN_MAJOR)
{
    DoubleMatrix m(rows, cols, storage);
    for (std::uint32_t i = 0; i < rows; ++i) {
        for (std::uint32_t j = 0; j < cols; ++j) {
            m(static_cast<std::int32_t>(i), static_cast<std::int32_t>(j)) = 10.0 * i + j;
        }
    }
    return m;
}

void expectNumbered(const DoubleMatrix& m, std::uint32_t rows, std::uint32_t cols)
{
    ASSERT_EQ(m.rows(), rows);
    ASSERT_EQ(m.cols(), cols);
    for (std::uint32_t i = 0; i < rows; ++i) {
        for (std::uint32_t j = 0; j < cols; ++j) {
            EXPECT_EQ(m(static_cast<std::int32_t>(i), static_cast<std::int32_t>(j)), 10.0 * i + j) << i << "," << j;
        }
    }
}

}  // namespace

TEST(DoubleMatrix, StorageOrders)
{
    const DoubleMatrix c(3, 4, DoubleMatrix::COLUMN_MAJOR);
    EXPECT_EQ(c.rowStride(), 1);
    EXPECT_EQ(c.colStride(), 3);
    EXPECT_TRUE(c.isContiguousColumnMajor());
    const DoubleMatrix r(3, 4, DoubleMatrix::ROW_MAJOR);
    EXPECT_EQ(r.rowStride(), 4);
    EXPECT_EQ(r.colStride(), 1);
    EXPECT_FALSE(r.isContiguousColumnMajor());
    EXPECT_RAISES(DoubleMatrix(3, 4, 2), FdInternalErr,
                  "[STORAGE] Storage type must be either ROW_MAJOR or COLUMN_MAJOR");
    const DoubleMatrix empty;
    EXPECT_EQ(empty.block(), FdBlock::sharedEmpty());
    EXPECT_EQ(DoubleMatrix(0, 5).block(), FdBlock::sharedEmpty());
}

TEST(DoubleMatrix, SizeProductsBeyond32BitsAreOutOfMemory)
{
    // 65536 x 65536 elements wrap to 0 in 32 bits.
    EXPECT_THROW(DoubleMatrix(65536u, 65536u), std::bad_alloc);
    EXPECT_THROW(DoubleMatrix(0x10000u, 0x2001u), std::bad_alloc);
}

TEST(DoubleMatrix, ViewOfABlockMustFitIt)
{
    DoubleBlock* block = new DoubleBlock(6);
    const DoubleMatrix whole(block, 2, 3);
    EXPECT_EQ(whole.colStride(), 2);
    EXPECT_RAISES(DoubleMatrix(block, 3, 3), FdBoundsErr, "[SHORTBLOCK] Custom FdBlock too short (48<72)");
    // 2^31 x 2^30 doubles: the byte count wraps to 0 in 64 bits.
    EXPECT_RAISES(DoubleMatrix(block, 0x80000000u, 0x40000000u), FdBoundsErr,
                  "[SHORTBLOCK] Custom FdBlock too short (48<4294967295)");
    EXPECT_EQ(block->references(), 0);
}

TEST(DoubleMatrix, FillingAnEmptyViewTouchesNothing)
{
    DoubleMatrix m = numbered(3, 4);
    // Empty slices keep their combined strides but view no element.
    DoubleMatrix noRows = m.slice(1, 1, 0, 3, 1, 0, 0, 1);
    DoubleMatrix noCols = m.slice(1, 1, 2, 0, 1, 0, 0, 1);
    noRows.fill(-1.0);
    noCols.fill(-1.0);
    transposeView(noRows).fill(-1.0);
    expectNumbered(m, 3, 4);
}

TEST(DoubleMatrix, ElementShapeAndDimensionChecks)
{
    DoubleMatrix m = numbered(2, 3);
    EXPECT_RAISES(m(2, 0), FdBoundsErr, "[INDEX] Index (2) out of range [0->1]");
    EXPECT_RAISES(m(0, -1), FdBoundsErr, "[INDEX] Index (-1) out of range [0->2]");
    // The row is reported before the column.
    EXPECT_RAISES(m(5, 7), FdBoundsErr, "[INDEX] Index (5) out of range [0->1]");
    EXPECT_RAISES(m.shapeCheck(3, 2), FdBoundsErr, "[MNMATCH] Rows or columns do not match: (3, 2) vs (2, 3)");
    EXPECT_RAISES(m.innerDimensionCheck(3), FdBoundsErr, "[NMATCH] Dimension length doesn't match 3 vs 2");
}

TEST(DoubleMatrix, SliceCheckOrder)
{
    const DoubleMatrix m = numbered(4, 5);
    struct Case {
        std::int32_t i, j;
        std::uint32_t n;
        std::int32_t di, dj;
        const char* text;
    };
    const Case cases[] = {
        {-1, -1, 2, 1, 1, "[SLICEBEG] slice begin (-1) out of range [0->3]"},
        {2, -1, 3, 1, 1, "[SLICEEND] slice end (4) out of range [0->3]"},
        {0, 5, 2, 1, 1, "[SLICEBEG] slice begin (5) out of range [0->4]"},
        {0, 3, 2, 1, 2, "[SLICEEND] slice end (5) out of range [0->4]"},
        {3, 0, 2, -4, 0, "[SLICEEND] slice end (-1) out of range [0->3]"},
        // An end whose 32-bit product would wrap into the range.
        {0, 0, 0x40000001u, 0, 4, "[SLICEEND] slice end (2147483647) out of range [0->4]"},
    };
    for (const Case& c : cases) {
        EXPECT_RAISES(m.sliceCheck(c.i, c.j, c.n, c.di, c.dj), FdBoundsErr, c.text);
    }
    // Nothing is checked for no elements.
    m.sliceCheck(-7, 99, 0, 1, 1);
    m.sliceCheck(3, 4, 4, -1, -1);
}

TEST(DoubleMatrix, SlicesShareDataWithCombinedStrides)
{
    DoubleMatrix m = numbered(4, 5);
    const DoubleMatrix s = m.slice(1, 1, 2, 2, 2, 0, 0, 3);  // rows 1, 3; cols 1, 4
    EXPECT_EQ(s(0, 0), 11.0);
    EXPECT_EQ(s(0, 1), 14.0);
    EXPECT_EQ(s(1, 0), 31.0);
    EXPECT_EQ(s(1, 1), 34.0);
    EXPECT_EQ(s.block(), m.block());
    m(3, 4) = -1.0;
    EXPECT_EQ(s(1, 1), -1.0);

    const DoubleMatrix none = m.slice(99, 99, 0, 3, 1, 0, 0, 1);
    EXPECT_EQ(none.rows(), 0u);
    EXPECT_EQ(none.cols(), 3u);
    EXPECT_RAISES(m.slice(1, 1, 4, 1, 1, 0, 0, 1), FdBoundsErr, "[SLICEEND] slice end (4) out of range [0->3]");
    // 65536 x 65536 wraps to 0 in 32 bits: the checks must still run.
    EXPECT_THROW(m.slice(0, 0, 65536u, 65536u, 1, 0, 0, 1), FdBoundsErr);

    const DoubleMatrix lead = m.leadingBlock(3);
    EXPECT_EQ(lead.rows(), 3u);
    EXPECT_EQ(lead(2, 2), 22.0);
    EXPECT_EQ(m.subMatrix(2, 3, 2, 2)(1, 0), 33.0);
    EXPECT_THROW(m.leadingBlock(5), FdBoundsErr);
}

TEST(DoubleMatrix, TransposeViewsTheSameData)
{
    DoubleMatrix m = numbered(2, 3);
    DoubleMatrix t = transposeView(m);
    ASSERT_EQ(t.rows(), 3u);
    ASSERT_EQ(t.cols(), 2u);
    EXPECT_EQ(t.rowStride(), m.colStride());
    EXPECT_EQ(t.colStride(), m.rowStride());
    EXPECT_EQ(t(2, 1), 12.0);
    t(0, 1) = 100.0;
    EXPECT_EQ(m(1, 0), 100.0);
    EXPECT_EQ(transposeView(DoubleMatrix()).rows(), 0u);
}

TEST(DoubleMatrix, RowsColumnsAndLineViews)
{
    DoubleMatrix m = numbered(3, 10);
    EXPECT_EQ(valuesOf(m.row(2)), (std::vector<double>{20, 21, 22, 23, 24, 25, 26, 27, 28, 29}));
    // {1, -1, 3}: every third column from 1 to the end.
    EXPECT_EQ(valuesOf(m.row(1, FdRange{1, -1, 3})), (std::vector<double>{11.0, 14.0, 17.0}));
    EXPECT_EQ(valuesOf(m.row(0, FdRange{8, 2, -3})), (std::vector<double>{8.0, 5.0}));
    EXPECT_EQ(valuesOf(m.col(4)), (std::vector<double>{4.0, 14.0, 24.0}));
    EXPECT_EQ(valuesOf(m.lineView(0, 0, 3, 1, 1)), (std::vector<double>{0.0, 11.0, 22.0}));
    m.col(9).fill(-5.0);
    EXPECT_EQ(m(1, 9), -5.0);
    EXPECT_EQ(m.row(2).block(), m.block());
}

TEST(DoubleMatrix, RowAndLineViewsAreChecked)
{
    const DoubleMatrix m = numbered(3, 10);
    EXPECT_RAISES(m.row(3), FdBoundsErr, "[SLICEBEG] slice begin (3) out of range [0->2]");
    EXPECT_RAISES(m.row(0, FdRange{4, 4, 2}), FdBoundsErr, "[SLICEEND] slice end (10) out of range [0->9]");
    EXPECT_RAISES(m.row(0, FdRange{10, -1, 1}), FdBoundsErr, "[SLICEBEG] slice begin (10) out of range [0->9]");
    EXPECT_RAISES(m.row(0, FdRange{13, -1, 1}), FdBoundsErr, "[SLICEBEG] slice begin (13) out of range [0->9]");
    EXPECT_RAISES(m.row(0, FdRange{0, -1, 0}), FdBoundsErr, "[STRIDENZ] Stride must not be zero");
    EXPECT_RAISES(m.col(-1), FdBoundsErr, "[SLICEBEG] slice begin (-1) out of range [0->9]");
    EXPECT_RAISES(m.lineView(0, 0, 4, 1, 0), FdBoundsErr, "[SLICEEND] slice end (3) out of range [0->2]");
}

TEST(DoubleMatrix, CopyAndAssignValuesAcrossLayouts)
{
    const DoubleMatrix rowMajor = numbered(3, 4, DoubleMatrix::ROW_MAJOR);
    const DoubleMatrix copied = rowMajor.copy();
    EXPECT_TRUE(copied.isContiguousColumnMajor());
    expectNumbered(copied, 3, 4);
    EXPECT_EQ(rowMajor.copy(DoubleMatrix::ROW_MAJOR).colStride(), 1);

    DoubleMatrix target(3, 4);
    target.assignValues(rowMajor);
    expectNumbered(target, 3, 4);

    DoubleMatrix strided = numbered(6, 8).slice(0, 0, 3, 4, 2, 0, 0, 2);
    strided.assignValues(copied);
    expectNumbered(strided, 3, 4);

    EXPECT_RAISES(target.assignValues(numbered(4, 3)), FdBoundsErr,
                  "[MNMATCH] Rows or columns do not match: (4, 3) vs (3, 4)");
}

TEST(DoubleMatrix, AssignValuesFromItsOwnTranspose)
{
    DoubleMatrix m(3, 3);
    for (std::int32_t i = 0; i < 3; ++i) {
        for (std::int32_t j = 0; j < 3; ++j) {
            m(i, j) = 10.0 * j + i;  // the transpose of numbered(3, 3)
        }
    }
    m.assignValues(transposeView(m));
    expectNumbered(m, 3, 3);
}

TEST(DoubleMatrix, ResizeKeepsTopLeftAndZeroFills)
{
    DoubleMatrix m = numbered(2, 3);
    FdBlock* before = m.block();
    m.resize(2, 3);
    EXPECT_EQ(m.block(), before);

    DoubleMatrix grown = m;
    grown.resize(3, 4);
    EXPECT_EQ(grown(1, 2), 12.0);
    EXPECT_EQ(grown(2, 0), 0.0);
    EXPECT_EQ(grown(0, 3), 0.0);
    EXPECT_EQ(m.rows(), 2u);  // the other view keeps the old block

    m.resize(1, 2, DoubleMatrix::ROW_MAJOR);
    expectNumbered(m, 1, 2);
    EXPECT_EQ(m.colStride(), 1);
}

TEST(DoubleMatrix, FillSubtractAndReference)
{
    DoubleMatrix a = numbered(2, 2);
    DoubleMatrix b(2, 2);
    b.fill(1.0);
    const DoubleMatrix d = a - b;
    EXPECT_EQ(d(1, 1), 10.0);
    EXPECT_EQ(d(0, 0), -1.0);
    EXPECT_RAISES(a - DoubleMatrix(3, 2), FdBoundsErr, "[MNMATCH] Rows or columns do not match: (3, 2) vs (2, 2)");

    DoubleMatrix r;
    r.reference(a);
    r(0, 1) = 42.0;
    EXPECT_EQ(a(0, 1), 42.0);
    EXPECT_EQ(a.block()->references(), 1);
}

TEST(MatrixLoop, WalksAndCollapsesContiguousLines)
{
    const DoubleMatrix c = numbered(3, 4);
    const MatrixLoop byColumns(c, 0);
    EXPECT_EQ(byColumns.lines(), 1u);  // contiguous: one line of 12
    EXPECT_EQ(byColumns.lineLength(), 12u);
    const MatrixLoop byRows(c, 1);
    EXPECT_EQ(byRows.lines(), 3u);
    EXPECT_EQ(byRows.lineLength(), 4u);
    EXPECT_EQ(byRows.elementStep(), 3);
    EXPECT_EQ(byRows.distance(0, 1, 2, 0), 7);
    const MatrixLoop chosen(numbered(3, 4, DoubleMatrix::ROW_MAJOR), 2);
    EXPECT_EQ(chosen.lines(), 1u);  // mode 2 picks rows for row-major data
    EXPECT_EQ(MatrixLoop(DoubleMatrix(0, 4), 0).lines(), 0u);

    MatrixLoop walk(c.slice(0, 0, 3, 2, 1, 0, 0, 2), 0);
    std::vector<double> seen;
    while (!walk.done()) {
        seen.push_back(*walk.current());
        walk.advance(1);
    }
    EXPECT_EQ(seen, (std::vector<double>{0.0, 10.0, 20.0, 2.0, 12.0, 22.0}));
}

TEST(DoubleMatrix, NegativeStepsWalkBackwards)
{
    DoubleMatrix m = numbered(4, 5);
    // Rows and columns both reversed: element (i, j) is m(3 - i, 4 - j).
    const DoubleMatrix reversed = m.slice(3, 4, 4, 5, -1, 0, 0, -1);
    EXPECT_EQ(reversed.rowStride(), -1);
    EXPECT_EQ(reversed.colStride(), -4);
    for (std::int32_t i = 0; i < 4; ++i) {
        for (std::int32_t j = 0; j < 5; ++j) {
            EXPECT_EQ(reversed(i, j), m(3 - i, 4 - j));
        }
    }
    EXPECT_EQ(valuesOf(reversed.row(0)), (std::vector<double>{34, 33, 32, 31, 30}));
    EXPECT_EQ(valuesOf(m.row(1, FdRange{4, 5, -1})), (std::vector<double>{14, 13, 12, 11, 10}));

    // Copying and assigning through the reversed view.
    const DoubleMatrix copied = reversed.copy();
    EXPECT_EQ(copied(0, 0), 34.0);
    EXPECT_EQ(copied(3, 4), 0.0);
    m.assignValues(reversed);  // same block: goes through a temporary
    EXPECT_EQ(m(0, 0), 34.0);
    EXPECT_EQ(m(3, 4), 0.0);
    EXPECT_EQ(m(1, 2), 22.0);
}
