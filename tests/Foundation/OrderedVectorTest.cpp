// Ordered vectors.
#include "Foundation/FdCString.h"
#include "Foundation/FdExceptions.h"
#include "Foundation/OrderedVector.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FoundationTestSupport.h"

using namespace qd;

namespace {

template <class T>
std::vector<T> contents(const OrderedVector<T>& v)
{
    std::vector<T> out;
    for (std::uint32_t i = 0; i < v.entries(); ++i)
        out.push_back(v[i]);
    return out;
}

// A record without equality, as the engine's records are.
struct Record {
    int id = -1;
    FdCString name;
};

TEST(OrderedVector, GrowsBySixtyFourPlaces)
{
    OrderedVector<int> v;
    EXPECT_EQ(v.capacity(), 64u);
    EXPECT_EQ(v.entries(), 0u);
    for (int i = 0; i < 64; ++i)
        v.insert(i);
    EXPECT_EQ(v.capacity(), 64u);
    v.insert(64);
    EXPECT_EQ(v.capacity(), 128u);
    for (int i = 0; i < 65; ++i)
        ASSERT_EQ(v[i], i);
    for (int i = 65; i < 129; ++i)
        v.insert(i);
    EXPECT_EQ(v.capacity(), 192u);
}

TEST(OrderedVector, SearchOperationsOnIntegers)
{
    OrderedVector<int> empty;
    EXPECT_EQ(empty.index(3), FD_NPOS);
    EXPECT_EQ(empty.occurrencesOf(3), 0u);
    EXPECT_FALSE(empty.remove(3));
    EXPECT_EQ(empty.removeAll(3), 0u);

    OrderedVector<int> v;
    for (int x : {3, 5, 3, 7})
        v.insert(x);
    EXPECT_EQ(v.index(3), 0u);
    EXPECT_EQ(v.index(7), 3u);
    EXPECT_EQ(v.occurrencesOf(3), 2u);
    EXPECT_EQ(v.removeAll(3), 2u);
    EXPECT_EQ(contents(v), (std::vector<int>{5, 7}));
    EXPECT_EQ(v.data()[2], 0);  // freed places reset
    EXPECT_EQ(v.data()[3], 0);
    EXPECT_TRUE(v.remove(7));
    EXPECT_EQ(contents(v), (std::vector<int>{5}));
    EXPECT_EQ(v.data()[1], 0);
    EXPECT_FALSE(v.remove(7));
}

TEST(OrderedVector, ValueThatLivesInTheVector)
{
    OrderedVector<int> v;
    for (int x : {4, 1, 4, 4, 2})
        v.insert(x);
    EXPECT_EQ(v.removeAll(v[0]), 3u);
    EXPECT_EQ(contents(v), (std::vector<int>{1, 2}));

    OrderedVector<FdCString> s;
    for (int i = 0; i < 64; ++i)
        s.insert(FdCString(std::to_string(i).c_str()));
    s.insert(s[0]);  // the array is replaced while the value is read
    s.insertAt(0, s[64]);
    EXPECT_EQ(s.entries(), 66u);
    EXPECT_TRUE(s[0] == "0");
    EXPECT_TRUE(s[1] == "0");
    EXPECT_TRUE(s[65] == "0");
}

TEST(OrderedVector, InsertAtAndRemoveAt)
{
    OrderedVector<int> v;
    v.insertAt(0, 2);  // into an empty vector
    v.insertAt(0, 1);
    v.insertAt(2, 4);  // at the count: append
    v.insertAt(2, 3);
    EXPECT_EQ(contents(v), (std::vector<int>{1, 2, 3, 4}));
    v.removeAt(0);
    v.removeAt(2);
    EXPECT_EQ(contents(v), (std::vector<int>{2, 3}));
    EXPECT_EQ(v.capacity(), 64u);
}

TEST(OrderedVector, IndexChecks)
{
    OrderedVector<int> v;
    EXPECT_EQ(boundsMessage([&] { v.insertAt(1, 9); }),
              "[INDEXERR] Illegal Index (1) for collection or string with 0 elements");
    EXPECT_EQ(boundsMessage([&] { v[0]; }),
              "[INDEXERR] Illegal Index (0) for collection or string with 0 elements");
    for (int i = 0; i < 3; ++i)
        v.insert(i);
    EXPECT_EQ(boundsMessage([&] { v[3]; }),
              "[INDEXERR] Illegal Index (3) for collection or string with 3 elements");
    EXPECT_EQ(boundsMessage([&] { v.insertAt(4, 9); }),
              "[INDEXERR] Illegal Index (4) for collection or string with 3 elements");
    EXPECT_EQ(boundsMessage([&] { v.removeAt(3); }),
              "[INDEXERR] Illegal Index (3) for collection or string with 3 elements");
    EXPECT_EQ(boundsMessage([&] { v[FD_NPOS]; }),
              "[INDEXERR] Illegal Index (4294967295) for collection or string with 3 elements");
    EXPECT_EQ(contents(v), (std::vector<int>{0, 1, 2}));
}

TEST(OrderedVector, CopiesAndAssignment)
{
    OrderedVector<int> big;
    for (int i = 0; i < 100; ++i)
        big.insert(i);
    OrderedVector<int> copy(big);
    EXPECT_EQ(copy.capacity(), 100u);
    EXPECT_EQ(contents(copy), contents(big));
    copy.insert(100);
    EXPECT_EQ(copy.capacity(), 164u);
    EXPECT_EQ(big.entries(), 100u);

    OrderedVector<int> small;
    small.insert(7);
    OrderedVector<int> smallCopy(small);
    EXPECT_EQ(smallCopy.capacity(), 64u);

    copy = small;  // shrinking assignment resets the freed places
    EXPECT_EQ(contents(copy), (std::vector<int>{7}));
    EXPECT_EQ(copy.data()[1], 0);
    small = big;  // growing assignment
    EXPECT_EQ(contents(small), contents(big));

    OrderedVector<int> moved(std::move(big));
    EXPECT_EQ(moved.entries(), 100u);
    EXPECT_EQ(big.entries(), 0u);  // NOLINT: a moved-from vector stays usable
    big.insert(1);
    EXPECT_EQ(contents(big), (std::vector<int>{1}));
    EXPECT_EQ(big.capacity(), 64u);
}

TEST(OrderedVector, ReserveAndClear)
{
    OrderedVector<double> v;
    v.reserve(1000);
    EXPECT_EQ(v.capacity(), 1000u);
    v.reserve(10);
    EXPECT_EQ(v.capacity(), 1000u);
    for (int i = 0; i < 1000; ++i)
        v.insert(i * 0.5);
    EXPECT_EQ(v.capacity(), 1000u);
    v.insert(1.0);
    EXPECT_EQ(v.capacity(), 1064u);
    v.resizeArray(10);
    EXPECT_EQ(v.entries(), 10u);
    EXPECT_EQ(v[9], 4.5);
    v.clear();
    EXPECT_EQ(v.entries(), 0u);
    EXPECT_EQ(v.capacity(), 10u);
    EXPECT_EQ(v.data()[0], 0.0);
    EXPECT_THROW(v.reserve(0xFFFFFFFFu), std::bad_alloc);
    EXPECT_EQ(v.capacity(), 10u);
}

TEST(OrderedVector, RecordsWithoutEquality)
{
    OrderedVector<Record> v;
    v.insert(Record{1, "one"});
    v.insert(Record{2, "two"});
    EXPECT_EQ(v.index(v[0]), FD_NPOS);
    EXPECT_EQ(v.occurrencesOf(v[0]), 0u);
    v.removeAt(0);
    EXPECT_EQ(v.entries(), 1u);
    EXPECT_EQ(v[0].id, 2);
    EXPECT_TRUE(v[0].name == "two");
    EXPECT_EQ(v.data()[1].id, -1);  // reset to a default record
    EXPECT_TRUE(v.data()[1].name.isNull());
}

// A derived vector's index() is honoured by remove().
struct LastMatchVector : OrderedVector<int> {
    std::uint32_t index(const int& value) const override
    {
        for (std::uint32_t i = entries(); i > 0; --i)
            if ((*this)[i - 1] == value)
                return i - 1;
        return FD_NPOS;
    }
};

TEST(OrderedVector, RemoveUsesTheVirtualIndex)
{
    LastMatchVector v;
    for (int x : {1, 2, 1, 3})
        v.insert(x);
    OrderedVector<int>& base = v;
    EXPECT_TRUE(base.remove(1));
    EXPECT_EQ(contents<int>(v), (std::vector<int>{1, 2, 3}));
}

} // namespace
