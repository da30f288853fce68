// The parameter list of the coordinate search: cursor, neighbours, growth
// and clearing.
#include <cstdint>

#include <gtest/gtest.h>

#include "Foundation/FdExceptions.h"
#include "SeriesCompute/ParameterList.h"

using namespace qd;

namespace {

TEST(ParameterList, CursorWalksCyclically)
{
    double p = 1.0;
    double q = 2.0;
    double bound = 7.5;
    ParameterList list;
    EXPECT_EQ(list.capacity(), 64u);
    list.advanceCursor();
    EXPECT_EQ(list.cursor(), 0u);  // empty: back to 0
    list.addParameter(p);
    list.advanceCursor();
    EXPECT_EQ(list.cursor(), 0u);  // one entry: stays at 0
    list.addParameterWithNeighbour(q, bound);
    EXPECT_EQ(&list.currentParameter(), &p);
    EXPECT_EQ(list.currentNeighbourValue(), 0.0);
    list.advanceCursor();
    EXPECT_EQ(&list.currentParameter(), &q);
    EXPECT_EQ(list.currentNeighbourValue(), 7.5);
    list.currentParameter() = 3.0;
    EXPECT_EQ(q, 3.0);
    list.advanceCursor();
    EXPECT_EQ(list.cursor(), 0u);
}

TEST(ParameterList, IndexChecks)
{
    ParameterList list;
    EXPECT_THROW(list.currentParameter(), FdBoundsErr);
    EXPECT_THROW(list.currentNeighbourValue(), FdBoundsErr);
    double p = 0.0;
    list.addParameter(p);
    EXPECT_THROW(list[1], FdBoundsErr);
    EXPECT_THROW(list.removeAt(1), FdBoundsErr);
    list.removeAt(0);
    EXPECT_EQ(list.entries(), 0u);
}

TEST(ParameterList, GrowsBy64AndClearsBackTo64)
{
    double values[65] = {};
    ParameterList list;
    for (double& v : values)
        list.addParameter(v);
    EXPECT_EQ(list.entries(), 65u);
    EXPECT_EQ(list.capacity(), 128u);
    for (std::uint32_t i = 0; i < 65; ++i)
        EXPECT_EQ(list[i].parameter, &values[i]);
    EXPECT_EQ(list[0].neighbour, nullptr);

    list.advanceCursor();
    list.clear();
    EXPECT_EQ(list.entries(), 0u);
    EXPECT_EQ(list.capacity(), 64u);
    EXPECT_EQ(list.cursor(), 1u);  // the cursor keeps its value
    list.addParameter(values[3]);
    EXPECT_EQ(list[0].parameter, &values[3]);
}

}  // namespace
