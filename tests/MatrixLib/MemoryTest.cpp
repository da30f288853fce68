// Memory taken by observations: the record itself, and what storing a
// result adds. Counts every allocation made through operator new.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "Matrix/Matrix.h"
#include "Matrix/QuantityTypes.h"

using namespace qd;

namespace {
bool counting = false;
std::size_t allocations = 0;
std::size_t bytes = 0;
std::size_t failAt = 0;  // while counting: the allocation that fails (0: none)

void* countedAllocate(std::size_t n)
{
    if (counting) {
        ++allocations;
        bytes += n;
        if (failAt != 0 && allocations == failAt)
            throw std::bad_alloc();
    }
    if (void* p = std::malloc(n == 0 ? 1 : n))
        return p;
    throw std::bad_alloc();
}

struct Count {
    explicit Count(std::size_t failing = 0)
    {
        allocations = 0;
        bytes = 0;
        failAt = failing;
        counting = true;
    }
    ~Count()
    {
        counting = false;
        failAt = 0;
    }
};
}  // namespace

void* operator new(std::size_t n) { return countedAllocate(n); }
void* operator new[](std::size_t n) { return countedAllocate(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

TEST(ObservationMemory, RecordIsAtMostSixtyFourBytes)
{
    EXPECT_LE(sizeof(Observation), 64u);
}

TEST(ObservationMemory, AppendingWithoutResultsAllocatesNothingPerObservation)
{
    const int n = 20000;
    Series s;
    s.reserve(n);
    {
        Count c;
        for (int i = 0; i < n; ++i)
            s.addObservation(i, QD_SUPPLIED);
        EXPECT_EQ(allocations, 0u);
    }
    EXPECT_LE(s.capacity() * sizeof(Observation) / n, 64u);

    // Appending without reserving: the array doubles, so the whole series
    // costs less than twice its observations.
    Series grown;
    {
        Count c;
        for (int i = 0; i < n; ++i)
            grown.addObservation(i, QD_SUPPLIED);
        EXPECT_LE(allocations, 16u);
    }
    EXPECT_LT(grown.capacity(), 2u * n);
}

TEST(ObservationMemory, ResultSlotsExistOnlyOnceSomethingIsStored)
{
    Series s;
    for (int i = 0; i < 1000; ++i)
        s.addObservation(i, QD_SUPPLIED);
    {
        Count c;
        for (int i = 0; i < 1000; ++i)
            s.observation(i).storedResults.value(QD_FORECAST);  // reading makes nothing
        EXPECT_EQ(allocations, 0u);
    }
    {
        Count c;
        for (int i = 0; i < 1000; ++i)
            s.observation(i).storedResults.store(QD_FORECAST, i);
        EXPECT_EQ(allocations, 1000u);
        EXPECT_LE(bytes / 1000, 40u);  // room for two results: a few dozen bytes
    }
    {
        Count c;
        for (int i = 0; i < 1000; ++i)
            s.observation(i).storedResults.store(QD_FORECAST, -i);  // replacing allocates nothing
        EXPECT_EQ(allocations, 0u);
    }
    s.observation(0).storedResults.clear();
    EXPECT_FALSE(s.observation(0).storedResults.holdsStorage());
}

// Every allocation of an assignment is made to fail in turn: the target
// is then either unchanged or a complete copy, never half released.
TEST(OutOfMemory, SeriesAssignmentFailsWithoutDamage)
{
    Series source;
    for (int i = 0; i < 100; ++i) {
        source.addObservation(i, QD_SUPPLIED);
        source.observation(i).storedResults.store(QD_FORECAST, i);
    }
    source.storedResults.createMultiple(4001, 3);
    bool succeeded = false;
    for (std::size_t k = 1; !succeeded && k < 1000; ++k) {
        Series target;
        target.addObservation(1.0, QD_SUPPLIED);
        target.observation(0).storedResults.store(QD_FORECAST, 2.0);
        try {
            Count c(k);
            target = source;
            succeeded = true;
        } catch (const std::bad_alloc&) {
            ASSERT_EQ(target.numObservations(), 1) << k;
            EXPECT_EQ(target.observation(0).storedResults.value(QD_FORECAST), 2.0);
            EXPECT_EQ(target.storedResults.multiple(4001), nullptr);
        }
        if (succeeded) {
            EXPECT_EQ(target.numObservations(), 100);
            EXPECT_EQ(target.observation(99).storedResults.value(QD_FORECAST), 99.0);
        }
    }
    EXPECT_TRUE(succeeded);
}

TEST(OutOfMemory, ValueArrayIsAbsentAfterAFailedRebuild)
{
    Series s;
    for (int i = 0; i < 10; ++i)
        s.addObservation(i, QD_SUPPLIED);
    s.values();
    s.addObservation(10.0, QD_SUPPLIED);
    s.setDirty(true, true);
    {
        Count c(1);
        EXPECT_THROW(s.values(30), std::bad_alloc);
    }
    EXPECT_EQ(s.valueCache.valuesCapacity(), 0);
    EXPECT_EQ(s.values()[10], 10.0);
}

TEST(OutOfMemory, StoringIntoQuantityCollectionsFailsCleanly)
{
    ObservationQC qc;
    qc.store(3, 3.0);
    qc.store(5, 5.0);
    {
        Count c(1);
        EXPECT_THROW(qc.store(4, 4.0), std::bad_alloc);  // the block must grow
    }
    EXPECT_EQ(qc.count(-1), 2);
    EXPECT_EQ(qc.value(3), 3.0);
    EXPECT_EQ(qc.value(5), 5.0);

    SeriesQC series;
    series.createMultiple(4002, 2);
    series.storeMultiple(4002, 1, 0.5);
    {
        Count c(1);
        EXPECT_THROW(series.createMultiple(4002, 5), std::bad_alloc);
    }
    double v = 0.0;
    EXPECT_EQ(series.lookupMultiple(4002, 1, v), QD_QUANTITY_FOUND);
    EXPECT_EQ(v, 0.5);
}

}  // namespace
