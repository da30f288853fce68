#include "Foundation/Histogram.h"

#include "ExpectRaise.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <vector>

using namespace qd;

namespace {

FdMathVec<double> vectorOf(const std::vector<double>& values)
{
    FdMathVec<double> v(static_cast<std::uint32_t>(values.size()));
    for (std::size_t k = 0; k < values.size(); ++k) {
        v[static_cast<std::int32_t>(k)] = values[k];
    }
    return v;
}

std::vector<std::int32_t> countsOf(const Histogram& h)
{
    std::vector<std::int32_t> out;
    for (std::uint32_t k = 0; k < h.numBins(); ++k) {
        out.push_back(h.count(static_cast<std::int32_t>(k)));
    }
    return out;
}

struct Tally {
    std::uint32_t smaller;
    std::vector<std::int32_t> counts;
    std::uint32_t larger;
    std::uint32_t total;
};

void expectTally(const Histogram& h, const Tally& t)
{
    EXPECT_EQ(h.smallerCount(), t.smaller);
    EXPECT_EQ(countsOf(h), t.counts);
    EXPECT_EQ(h.largerCount(), t.larger);
    EXPECT_EQ(h.totalCount(), t.total);
}

}  // namespace

TEST(Histogram, BinRulesInBothAddPaths)
{
    // Bin 0 is closed; bin k >= 1 is (b[k], b[k+1]]: an inner boundary
    // belongs to the bin below it, min to bin 0, the last boundary to the last
    // bin.
    const std::vector<double> values = {0.0, 1.0, 1.5, 2.0, 4.0, 4.5, -1.0};
    const Tally expected{1, {2, 2, 0, 1}, 1, 7};

    Histogram all(4, 0.0, 4.0);
    EXPECT_EQ(all.boundary(4), 4.0);
    all.addValues(vectorOf(values));
    expectTally(all, expected);

    Histogram one(4, 0.0, 4.0);
    for (double x : values) {
        one.addValue(x);
    }
    expectTally(one, expected);
}

TEST(Histogram, CallsAccumulateAndClearKeepsBins)
{
    Histogram h(2, 0.0, 2.0);
    const FdMathVec<double> v = vectorOf({0.5, 1.5, 3.0, -3.0});
    h.addValues(v);
    h.addValues(v);
    expectTally(h, {2, {2, 2}, 2, 8});
    h.clear();
    expectTally(h, {0, {0, 0}, 0, 0});
    EXPECT_EQ(h.numBins(), 2u);
    EXPECT_EQ(h.boundary(1), 1.0);
}

TEST(Histogram, NoBinsCountNothing)
{
    Histogram h(0, 0.0, 1.0);
    h.addValues(vectorOf({0.5, 2.0}));
    h.addValue(0.5);
    expectTally(h, {0, {}, 0, 0});
    EXPECT_EQ(h.storedSize(), 22u);
}

TEST(Histogram, BoundariesAreARunningSum)
{
    Histogram h(3, 0.0, 1.0);
    const double width = 1.0 / 3.0;
    EXPECT_EQ(h.boundary(1), width);
    EXPECT_EQ(h.boundary(2), width + width);
    EXPECT_EQ(h.boundary(3), width + width + width);
    // With ten bins of 0.1 the running sum ends below 1.0: the maximum
    // itself counts as larger.
    Histogram tenths(10, 0.0, 1.0);
    ASSERT_LT(tenths.boundary(10), 1.0);
    tenths.addValue(1.0);
    EXPECT_EQ(tenths.largerCount(), 1u);
}

TEST(Histogram, NaNNeverLandsInABinOrPastTheLast)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Histogram h(3, 0.0, 3.0);
    h.addValues(vectorOf({nan, 0.5, nan, 2.5, 1.5, -1.0, nan, 9.0}));
    expectTally(h, {1, {1, 1, 1}, 4, 8});
    h.addValue(nan);
    expectTally(h, {1, {1, 1, 1}, 5, 9});

    // NaN boundaries: nothing can be placed, nothing is written past the bins.
    Histogram broken(2, nan, 1.0);
    broken.addValue(0.5);
    broken.addValues(vectorOf({0.5, 0.7}));
    expectTally(broken, {0, {0, 0}, 3, 3});
}

TEST(Histogram, FromDataUsesItsRange)
{
    Histogram h(3, vectorOf({4.0, 1.0, 2.0, 3.0}));
    EXPECT_EQ(h.boundary(0), 1.0);
    EXPECT_EQ(h.boundary(1), 2.0);
    EXPECT_EQ(h.boundary(2), 3.0);
    EXPECT_EQ(h.boundary(3), 4.0);
    expectTally(h, {0, {2, 1, 1}, 0, 4});
    EXPECT_RAISES(Histogram(3, FdMathVec<double>()), FdBoundsErr, "[ZEROVEC] Histogram: vector is empty");
}

TEST(Histogram, Accessors)
{
    Histogram h(2, 0.0, 2.0);
    h.count(1) = 5;
    h.boundary(0) = -1.0;
    EXPECT_EQ(h.count(1), 5);
    EXPECT_EQ(h.boundaries()[0], -1.0);
    EXPECT_RAISES(h.count(2), FdBoundsErr, "[INDEX] Index (2) out of range [0->1]");
    EXPECT_RAISES(h.boundary(3), FdBoundsErr, "[INDEX] Index (3) out of range [0->2]");
    EXPECT_EQ(h.storedSize(), 8u * 3u + 4u * 2u + 14u);
}

TEST(Histogram, PrintedForm)
{
    Histogram h(2, 0.0, 2.0);
    h.addValues(vectorOf({0.5, 1.5, 1.75, 5.0}));
    std::ostringstream out;
    out << h;
    EXPECT_EQ(out.str(),
              "\nHISTOGRAM:\n\n"
              "Total number of Counts  =  \t4\n"
              "Total number of bins    =  \t2\n"
              "Number of larger values =  \t1\n"
              "Number of smaller values = \t0\n"
              "\n   Bin number        -- Bin boundaries --        Counts\n\n"
              "       0               0                1            1\n"
              "       1               1                2            2\n");
}
