#include "Foundation/DataView.h"
#include "Foundation/FdBlock.h"
#include "Foundation/FdMathVec.h"
#include "Foundation/IntVector.h"

#include "ExpectRaise.h"
#include "NumericsTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <new>
#include <vector>

using namespace qd;

namespace {

FdMathVec<double> vectorOf(std::initializer_list<double> values)
{
    FdMathVec<double> v(static_cast<std::uint32_t>(values.size()));
    std::int32_t k = 0;
    for (double x : values) {
        v[k++] = x;
    }
    return v;
}

}  // namespace

TEST(FdBlock, ReferenceCountFollowsViews)
{
    FdMathVec<double> a(4);
    FdBlock* block = a.block();
    EXPECT_EQ(block->references(), 0);
    EXPECT_TRUE(a.isSimple());
    {
        FdMathVec<double> b(a);
        EXPECT_EQ(block->references(), 1);
        EXPECT_FALSE(a.isSimple());
        FdMathVec<double> c;
        c = b;
        EXPECT_EQ(block->references(), 2);
        c = c;  // self-assignment keeps the block
        EXPECT_EQ(block->references(), 2);
    }
    EXPECT_EQ(block->references(), 0);
    EXPECT_EQ(block->size(), 32u);
}

TEST(FdBlock, EmptyViewsShareOneBlockThatIsNeverFreed)
{
    FdBlock* empty = FdBlock::sharedEmpty();
    EXPECT_EQ(empty->data(), nullptr);
    EXPECT_EQ(empty->size(), 0u);
    const std::int32_t before = empty->references();
    EXPECT_GE(before, 0);
    {
        FdMathVec<double> v;
        FdMathVec<double> w(0);
        IntVector iv;
        FdMathVec<double> copied = v.copy();
        EXPECT_EQ(v.block(), empty);
        EXPECT_EQ(w.block(), empty);
        EXPECT_EQ(iv.block(), empty);
        EXPECT_EQ(copied.block(), empty);
        EXPECT_EQ(v.data(), nullptr);
        EXPECT_EQ(empty->references(), before + 4);
    }
    EXPECT_EQ(empty->references(), before);
}

TEST(FdBlock, SizesBeyond32BitsAreOutOfMemory)
{
    EXPECT_THROW(FdBlock(0x40000000u, 8u), std::bad_alloc);
    EXPECT_THROW(allocateDoubles(0x20000000u), std::bad_alloc);
    EXPECT_THROW(allocateInts(0x40000000u), std::bad_alloc);
    EXPECT_THROW(FdMathVec<double>(0x20000000u), std::bad_alloc);
}

TEST(FdMathVec, CopySharesAndCopyDuplicates)
{
    FdMathVec<double> a = vectorOf({1.0, 2.0, 3.0});
    FdMathVec<double> shared(a);
    FdMathVec<double> deep = a.copy();
    a[1] = 20.0;
    EXPECT_EQ(shared[1], 20.0);
    EXPECT_EQ(deep[1], 2.0);
    EXPECT_NE(deep.block(), a.block());
    EXPECT_EQ(deep.stride(), 1);
}

TEST(FdMathVec, IndexAndLengthChecks)
{
    FdMathVec<double> v(3, 0.0);
    EXPECT_RAISES(v[3], FdBoundsErr, "[INDEX] Index (3) out of range [0->2]");
    EXPECT_RAISES(v[-1], FdBoundsErr, "[INDEX] Index (-1) out of range [0->2]");
    EXPECT_RAISES(v.lengthCheck(4), FdBoundsErr, "[VNMATCH] Vector lengths do not match (3 vs 4)");
    EXPECT_RAISES(emptyVectorError("minIndex"), FdBoundsErr, "[ZEROVEC] minIndex: vector is empty");
}

TEST(FdMathVec, ViewOfABlockMustFitIt)
{
    DoubleBlock* block = new DoubleBlock(4);
    FdMathVec<double> whole(block, 4);
    EXPECT_EQ(whole.length(), 4u);
    EXPECT_RAISES(FdMathVec<double>(block, 5), FdBoundsErr, "[SHORTBLOCK] Custom FdBlock too short (32<40)");
    EXPECT_EQ(block->references(), 0);
}

TEST(FdMathVec, AssignValuesCopiesAcrossStridesAndFromItsOwnBlock)
{
    FdMathVec<double> a = vectorOf({1.0, 2.0, 3.0, 4.0});
    // Reversed view of the same block: needs the temporary copy.
    FdMathVec<double> reversed(a, a.at(3), 4, -1);
    EXPECT_EQ(valuesOf(reversed), (std::vector<double>{4.0, 3.0, 2.0, 1.0}));
    a.assignValues(reversed);
    EXPECT_EQ(valuesOf(a), (std::vector<double>{4.0, 3.0, 2.0, 1.0}));

    FdMathVec<double> target(2, 0.0);
    FdMathVec<double> evens(a, a.data(), 2, 2);
    target.assignValues(evens);
    EXPECT_EQ(valuesOf(target), (std::vector<double>{4.0, 2.0}));
    EXPECT_RAISES(target.assignValues(a), FdBoundsErr, "[VNMATCH] Vector lengths do not match (2 vs 4)");
}

TEST(FdMathVec, Reductions)
{
    const FdMathVec<double> v = vectorOf({2.0, -4.0, 4.0, 4.0, 5.0, 5.0, 7.0, 9.0});
    EXPECT_DOUBLE_EQ(sum(v), 32.0);
    EXPECT_DOUBLE_EQ(mean(v), 4.0);
    EXPECT_DOUBLE_EQ(l1Norm(v), 40.0);
    EXPECT_DOUBLE_EQ(maxNorm(v), 9.0);
    EXPECT_DOUBLE_EQ(dot(v, v), 232.0);
    EXPECT_DOUBLE_EQ(l2Norm(v), std::sqrt(232.0));
    EXPECT_DOUBLE_EQ(variance(v), 13.0);  // population variance
    // Symmetric data have no skew; two points have kurtosis 1 - 3.
    EXPECT_NEAR(skewness(vectorOf({1.0, 2.0, 3.0})), 0.0, 1e-15);
    EXPECT_DOUBLE_EQ(kurtosis(vectorOf({-1.0, 1.0})), -2.0);
    EXPECT_DOUBLE_EQ(skewness(vectorOf({0.0, 0.0, 3.0})), 1.0 / std::sqrt(2.0));
}

TEST(FdMathVec, ReductionEdgeCases)
{
    const FdMathVec<double> empty;
    EXPECT_TRUE(std::isnan(mean(empty)));
    EXPECT_EQ(maxNorm(empty), 0.0);
    EXPECT_RAISES(variance(vectorOf({1.0})), FdInternalErr, "[NPOINTS] Vector (1) Variance needs minimum of 2");
    EXPECT_RAISES(skewness(vectorOf({3.0, 3.0})), FdInternalErr, "[ZEROSD] Series has zero standard deviation");
    EXPECT_RAISES(kurtosis(vectorOf({3.0, 3.0})), FdInternalErr, "[ZEROSD] Series has zero standard deviation");
    EXPECT_RAISES(dot(FdMathVec<double>(3, 1.0), FdMathVec<double>(4, 1.0)), FdBoundsErr,
                  "[VNMATCH] Vector lengths do not match (3 vs 4)");
    EXPECT_EQ(machineEpsilonTimes(-2.0), 2.0 * std::numeric_limits<double>::epsilon());
}

TEST(FdMathVec, ElementKernelsReadStridedSources)
{
    FdMathVec<double> base = vectorOf({1.0, 10.0, 2.0, 20.0, 3.0, 30.0});
    FdMathVec<double> odd(base, base.data(), 3, 2);  // 1, 2, 3
    EXPECT_EQ(valuesOf(odd - 1.0), (std::vector<double>{0.0, 1.0, 2.0}));
    EXPECT_EQ(valuesOf(odd / 2.0), (std::vector<double>{0.5, 1.0, 1.5}));
    FdMathVec<double> even(base, base.at(1), 3, 2);  // 10, 20, 30
    EXPECT_EQ(valuesOf(odd * even), (std::vector<double>{10.0, 40.0, 90.0}));
}

TEST(IntVector, ResizeKeepsPrefixZeroFillsAndUnshares)
{
    IntVector v(3, 7);
    IntVector other(v);
    v.resize(5);
    EXPECT_EQ(v.length(), 5u);
    EXPECT_EQ(v[2], 7);
    EXPECT_EQ(v[3], 0);
    EXPECT_EQ(v[4], 0);
    EXPECT_EQ(other.length(), 3u);
    // Same length but shared: made private.
    IntVector shared(v);
    v.resize(5);
    EXPECT_TRUE(v.isSimple());
    v[0] = 99;
    EXPECT_EQ(shared[0], 7);
    v.resize(2);
    EXPECT_EQ(v.length(), 2u);
    EXPECT_EQ(v[0], 99);
    EXPECT_RAISES(v[2], FdBoundsErr, "[INDEX] Index (2) out of range [0->1]");
}

TEST(IntVector, IteratesInIndexOrder)
{
    IntVector v(4);
    std::int32_t k = 0;
    for (std::int32_t& x : v) {
        x = 10 * k++;
    }
    std::vector<std::int32_t> seen;
    for (std::int32_t x : v) {
        seen.push_back(x);
    }
    EXPECT_EQ(seen, (std::vector<std::int32_t>{0, 10, 20, 30}));
    EXPECT_TRUE(IntVector().begin() == IntVector().end());
}
