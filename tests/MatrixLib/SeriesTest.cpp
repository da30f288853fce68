// Observations, series, the value cache and the series operations.
#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "Matrix/Observation.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"
#include "TestSupport.h"

using namespace qd;

namespace {

Series makeSeries(const std::vector<double>& values, const std::vector<int>& origins = {})
{
    Series s;
    for (std::size_t i = 0; i < values.size(); ++i)
        s.addObservation(values[i], origins.empty() ? QD_SUPPLIED : origins[i], FdCString(""));
    return s;
}

std::vector<double> valuesOf(const Series& s)
{
    std::vector<double> v;
    for (std::int32_t i = 0; i < s.numObservations(); ++i)
        v.push_back(s.observation(i).value);
    return v;
}

std::string text(const FdCString& s)
{
    return std::string(s.data(), s.length());
}

TEST(Observation, Defaults)
{
    Observation o;
    EXPECT_EQ(o.value, 0.0);
    EXPECT_EQ(o.originType, 0);
    EXPECT_EQ(o.description.length(), 0u);
    EXPECT_EQ(o.storedResults.count(-1), 0);
    EXPECT_EQ(o.identity(), 0u);
}

TEST(Observation, AssignmentCopiesEverythingAndIgnoresItself)
{
    Observation a(3.5, QD_COMPUTED, FdCString("p"));
    a.storedResults.store(29, 4.0);
    Observation b;
    b = a;
    a.storedResults.store(29, -1.0);
    EXPECT_EQ(b.value, 3.5);
    EXPECT_EQ(b.originType, QD_COMPUTED);
    EXPECT_EQ(text(b.description), "p");
    EXPECT_EQ(b.storedResults.value(29), 4.0);
    Observation& alias = b;
    b = alias;
    EXPECT_EQ(b.storedResults.value(29), 4.0);
}

TEST(Series, Defaults)
{
    Series s;
    EXPECT_EQ(s.numObservations(), 0);
    EXPECT_EQ(s.capacity(), 64u);
    EXPECT_EQ(s.dependenceType, 0);
    EXPECT_EQ(s.valueType, 0);
    EXPECT_EQ(s.forecastMethodNumber, -1);
    EXPECT_EQ(s.seasonalLength, 0);
    EXPECT_EQ(s.decompositionType, 0);
    EXPECT_EQ(s.storedResults.count(-1), 0);
    EXPECT_EQ(s.userSetting1, 0);
    EXPECT_EQ(s.userSetting2, 0);
    EXPECT_EQ(s.eventOffset, 0.0);
    EXPECT_TRUE(s.valueCache.valuesDirty());
    EXPECT_TRUE(s.valueCache.forecastsDirty());
    EXPECT_EQ(s.valueCache.owner(), &s);
    EXPECT_EQ(Series(200).capacity(), 200u);
    EXPECT_EQ(Series(40).capacity(), 64u);
}

TEST(Series, CopyOfSeventyObservations)
{
    Series s;
    for (int i = 0; i < 70; ++i) {
        s.addObservation(i * 1.5, i % 2 ? QD_COMPUTED : QD_SUPPLIED, FdCString(std::to_string(i).c_str()));
        s.observation(i).storedResults.store(29, i + 0.25);
    }
    s.setDescription("sales");
    s.dependenceType = QD_DEPENDENT;
    s.valueType = 1;
    s.forecastMethodNumber = 5;
    s.seasonalLength = 12;
    s.decompositionType = 2;
    s.userSetting1 = 7;
    s.eventOffset = 1.0;
    s.storedResults.store(2028, 0.3);
    s.storedResults.createMultiple(4001, 2);
    s.storedResults.storeMultiple(4001, 1, 0.8);
    s.values();
    s.valueCache.cachedStatistics.store(2019, 9.0);

    Series c(s);
    ASSERT_EQ(c.numObservations(), 70);
    for (int i = 0; i < 70; ++i) {
        EXPECT_EQ(c.observation(i).value, i * 1.5);
        EXPECT_EQ(c.observation(i).originType, i % 2 ? QD_COMPUTED : QD_SUPPLIED);
        EXPECT_EQ(text(c.observation(i).description), std::to_string(i));
        EXPECT_EQ(c.observation(i).storedResults.value(29), i + 0.25);
    }
    EXPECT_EQ(text(c.description()), "sales");
    EXPECT_EQ(c.dependenceType, QD_DEPENDENT);
    EXPECT_EQ(c.valueType, 1);
    EXPECT_EQ(c.forecastMethodNumber, 5);
    EXPECT_EQ(c.seasonalLength, 12);
    EXPECT_EQ(c.decompositionType, 2);
    EXPECT_EQ(c.userSetting1, 7);
    EXPECT_EQ(c.eventOffset, 1.0);
    EXPECT_EQ(c.storedResults.value(2028), 0.3);
    double v = 0.0;
    EXPECT_EQ(c.storedResults.lookupMultiple(4001, 1, v), QD_QUANTITY_FOUND);
    EXPECT_EQ(v, 0.8);
    EXPECT_TRUE(c.valueCache.valuesDirty());
    EXPECT_TRUE(c.valueCache.forecastsDirty());
    EXPECT_EQ(c.valueCache.cachedStatistics.count(-1), 0);
    EXPECT_EQ(c.valueCache.owner(), &c);
    // Deep: changing the source leaves the copy alone.
    s.storedResults.storeMultiple(4001, 1, -5.0);
    s.observation(3).storedResults.store(29, -5.0);
    EXPECT_EQ(c.observation(3).storedResults.value(29), 3.25);
}

TEST(Series, SelfAssignmentChangesNothingNotEvenTheCache)
{
    Series s = makeSeries({1, 2, 3});
    const double* before = s.values();
    s.valueCache.cachedStatistics.store(2019, 2.0);
    Series& alias = s;
    s = alias;
    EXPECT_FALSE(s.valueCache.valuesDirty());
    EXPECT_EQ(s.valueCache.cachedStatistics.value(2019), 2.0);
    EXPECT_EQ(s.values(), before);
    EXPECT_EQ(valuesOf(s), (std::vector<double>{1, 2, 3}));
}

TEST(Series, AssignmentReplacesContentsAndEmptiesCachedStatistics)
{
    Series source = makeSeries({4, 5});
    source.values();
    source.valueCache.cachedStatistics.store(2019, 4.5);
    source.forecastMethodNumber = 9;
    Series target = makeSeries({1, 2, 3, 4, 5, 6});
    target.values();
    target.valueCache.cachedStatistics.store(2019, 3.5);
    target = source;
    EXPECT_EQ(valuesOf(target), (std::vector<double>{4, 5}));
    EXPECT_EQ(target.forecastMethodNumber, 9);
    EXPECT_EQ(target.valueCache.cachedStatistics.count(-1), 0);
    EXPECT_TRUE(target.valueCache.valuesDirty());
    EXPECT_TRUE(target.valueCache.forecastsDirty());
    EXPECT_EQ(target.values()[1], 5.0);
    EXPECT_EQ(target.valueCache.owner(), &target);
}

TEST(Series, AppendingOneByOneGrowsGeometrically)
{
    Series s;
    std::uint32_t reallocations = 0;
    std::uint32_t capacity = s.capacity();
    for (int i = 0; i < 100000; ++i) {
        s.addObservation(i, QD_SUPPLIED);
        if (s.capacity() != capacity) {
            ++reallocations;
            capacity = s.capacity();
        }
    }
    EXPECT_EQ(s.numObservations(), 100000);
    EXPECT_LE(reallocations, 12u);
    EXPECT_LT(s.capacity(), 2u * 100000u);
    EXPECT_EQ(s.observation(99999).value, 99999.0);
}

TEST(Series, ReserveAndReshape)
{
    Series s = makeSeries({1, 2});
    s.reserve(64);  // below 65: nothing
    EXPECT_EQ(s.capacity(), 64u);
    s.reserve(300);
    EXPECT_EQ(s.capacity(), 300u);
    EXPECT_EQ(valuesOf(s), (std::vector<double>{1, 2}));
    s.values();
    s.reshape(10);
    EXPECT_EQ(s.capacity(), 10u);
    EXPECT_EQ(s.numObservations(), 2);
    EXPECT_FALSE(s.valueCache.valuesDirty());  // nothing dropped
    // Dropping observations makes the arrays stale: a refill with other
    // values must not be served the old ones.
    s.reshape(1);
    EXPECT_EQ(valuesOf(s), (std::vector<double>{1}));
    EXPECT_TRUE(s.valueCache.valuesDirty());
    s.addObservation(7, QD_SUPPLIED);
    EXPECT_EQ(s.values()[1], 7.0);
}

TEST(Series, ObservationAccessIsBoundsChecked)
{
    Series s = makeSeries({1, 2, 3});
    EXPECT_INDEX_ERROR(s.observation(3), 3, 3);
    EXPECT_INDEX_ERROR(s.observation(-1), 4294967295u, 3);
}

// ---- value cache ----

TEST(SeriesValueCache, ValuesAreBuiltOnceAndNoticeGrowth)
{
    Series s = makeSeries({1, 2, 3});
    double* a = s.values();
    EXPECT_EQ(a[0], 1.0);
    EXPECT_EQ(a[2], 3.0);
    s.observation(0).value = 10.0;  // not marked: served unchanged
    EXPECT_EQ(s.values(), a);
    EXPECT_EQ(a[0], 1.0);
    s.addObservation(4.0, QD_SUPPLIED);  // growth is noticed
    double* b = s.values();
    EXPECT_EQ(b[3], 4.0);
    EXPECT_EQ(b[0], 10.0);
}

TEST(SeriesValueCache, ExtraPlacesBelongToTheCaller)
{
    Series s = makeSeries({1, 2, 3});
    double* a = s.values(2);
    EXPECT_EQ(s.valueCache.valuesCapacity(), 5);
    a[3] = 7.0;
    a[4] = 8.0;
    double* b = s.values();
    EXPECT_EQ(b, a);
    EXPECT_EQ(b[3], 7.0);
    EXPECT_EQ(b[4], 8.0);
}

TEST(SeriesValueCache, ReallocationRule)
{
    const struct {
        int extraFirst;      // gives the capacity 4 + extraFirst
        int capacityAfter;   // after values() on the stale 4-observation series
    } cases[] = {{6, 4}, {3, 7}, {0, 4}, {4, 4}};
    for (const auto& c : cases) {
        Series s = makeSeries({1, 2, 3, 4});
        s.values(c.extraFirst);
        ASSERT_EQ(s.valueCache.valuesCapacity(), 4 + c.extraFirst);
        s.setDirty(true, false);
        s.values();
        EXPECT_EQ(s.valueCache.valuesCapacity(), c.capacityAfter) << c.extraFirst;
        EXPECT_EQ(s.valueCache.valuesCount(), 4);
    }
}

TEST(SeriesValueCache, ForecastValuesPreferStoredForecasts)
{
    Series s = makeSeries({1, 2, 3});
    s.observation(1).storedResults.store(29, 9.5);
    double* f = s.forecastValues();
    EXPECT_EQ(f[0], 1.0);
    EXPECT_EQ(f[1], 9.5);
    EXPECT_EQ(f[2], 3.0);
    EXPECT_FALSE(s.valueCache.valuesDirty());
}

TEST(SeriesValueCache, StoreForecastsAppendsDescribedPeriods)
{
    Series s = makeSeries({1, 2, 3});
    s.valueCache.cachedStatistics.store(2019, 2.0);
    double* f = s.forecastValues(2);
    for (int i = 0; i < 5; ++i)
        f[i] = 10.0 + i;
    s.storeForecasts(QD_EXPONENTIAL_SMOOTHING, 0, 4, false);
    ASSERT_EQ(s.numObservations(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(s.observation(i).storedResults.value(5), 10.0 + i);
        EXPECT_EQ(s.observation(i).storedResults.value(29), 10.0 + i);
    }
    EXPECT_EQ(valuesOf(s), (std::vector<double>{1, 2, 3, 13, 14}));
    EXPECT_EQ(s.observation(3).originType, QD_COMPUTED);
    EXPECT_EQ(text(s.observation(3).description), "0");
    EXPECT_EQ(text(s.observation(4).description), "1");
    EXPECT_TRUE(s.valueCache.valuesDirty());
    EXPECT_TRUE(s.valueCache.forecastsDirty());
    EXPECT_EQ(s.valueCache.cachedStatistics.count(-1), 0);
}

TEST(SeriesValueCache, StoreForecastsOverwritesComputedValuesOnlyWhenAsked)
{
    for (bool overwrite : {true, false}) {
        Series s = makeSeries({1, 2, 3}, {QD_SUPPLIED, QD_SUPPLIED, QD_COMPUTED});
        double* f = s.forecastValues();
        f[0] = 5.0;
        f[1] = 6.0;
        f[2] = 7.0;
        s.storeForecasts(QD_FORECAST, 0, 2, overwrite);
        EXPECT_EQ(s.observation(2).value, overwrite ? 7.0 : 3.0);
        EXPECT_EQ(s.observation(0).value, 1.0);  // supplied values never change
        EXPECT_EQ(s.valueCache.valuesDirty(), overwrite);
        EXPECT_TRUE(s.valueCache.forecastsDirty());
    }
}

TEST(SeriesValueCache, StoreForecastsFailingPartWayLeavesTheArraysStale)
{
    Series s = makeSeries({1, 2, 3});
    double* f = s.forecastValues(1);
    f[3] = 4.0;
    s.valueCache.cachedStatistics.store(2019, 2.0);
    ASSERT_FALSE(s.valueCache.forecastsDirty());
    // The period is appended, then the store under type 37 fails.
    EXPECT_MVR(s.storeForecasts(37, 3, 3, false), 3059, "INCLUDE\\Matrix/ObservationQC", 62);
    EXPECT_EQ(s.numObservations(), 4);
    EXPECT_TRUE(s.valueCache.forecastsDirty());
    EXPECT_TRUE(s.valueCache.valuesDirty());
    EXPECT_EQ(s.valueCache.cachedStatistics.count(-1), 0);
}

TEST(SeriesValueCache, StoreForecastsRefusesPlacesOutsideTheArray)
{
    Series s = makeSeries({1, 2, 3});
    s.forecastValues();
    EXPECT_INDEX_ERROR(s.storeForecasts(29, 0, 3, false), 3, 3);  // no extra place was asked for
    EXPECT_INDEX_ERROR(s.storeForecasts(29, 4, 4, false), 4, 3);  // would leave a gap
    EXPECT_EQ(s.numObservations(), 3);
    s.storeForecasts(29, 2, 1, false);  // empty range: nothing stored
    EXPECT_EQ(s.observation(0).storedResults.count(-1), 0);
}

TEST(SeriesValueCache, StoreForecastsKeepsAStaleValuesArrayStale)
{
    Series s = makeSeries({1, 2});
    double* f = s.forecastValues();
    f[0] = 5.0;
    s.observation(1).value = 20.0;
    s.setDirty(true, false);  // a value changed after the forecast array was taken
    s.storeForecasts(QD_FORECAST, 0, 0, false);
    EXPECT_TRUE(s.valueCache.valuesDirty());
    EXPECT_EQ(s.values()[1], 20.0);
}

TEST(SeriesValueCache, ExtraPlacesBeyondThirtyTwoBitsFailAsOutOfMemory)
{
    // The most observations a series holds: one block of them, bookkeeping
    // included, fits 32 bits; one more would not. The same on every
    // architecture, whatever its address space.
    const std::uint64_t most = static_cast<std::uint64_t>(Series::maxObservations());
    EXPECT_LE(most * sizeof(Observation), 0xFFFFFFFFull - 64u);
    EXPECT_GT((most + 1) * sizeof(Observation), 0xFFFFFFFFull - 64u);

    Series s = makeSeries({1, 2});
    const double* before = s.values();
    EXPECT_THROW(s.values(INT32_MAX), std::bad_alloc);
    EXPECT_THROW(s.forecastValues(INT32_MAX), std::bad_alloc);
    // Places for more observations than a series can hold are refused
    // before anything is allocated.
    EXPECT_THROW(s.values(Series::maxObservations() - 1), std::bad_alloc);
    EXPECT_THROW(s.forecastValues(Series::maxObservations() - 1), std::bad_alloc);
    EXPECT_EQ(s.values(), before);  // the built array is untouched
    EXPECT_EQ(s.values()[1], 2.0);
}

TEST(SeriesValueCache, DirtyFlagsAndCachedStatistics)
{
    Series s = makeSeries({1});
    s.valueCache.cachedStatistics.store(2019, 1.0);
    s.valueCache.setValuesDirty(false);
    EXPECT_EQ(s.valueCache.cachedStatistics.count(-1), 1);
    s.valueCache.setForecastsDirty(false);
    EXPECT_EQ(s.valueCache.cachedStatistics.count(-1), 1);
    s.valueCache.setValuesDirty(true);
    EXPECT_EQ(s.valueCache.cachedStatistics.count(-1), 0);
    s.valueCache.cachedStatistics.store(2019, 1.0);
    s.valueCache.setForecastsDirty(true);
    EXPECT_EQ(s.valueCache.cachedStatistics.count(-1), 0);
}

// ---- series operations ----

TEST(SeriesOperations, NumObservationsByOriginType)
{
    const struct {
        std::vector<int> origins;
        int supplied;
        int computed;
    } cases[] = {
        {{1, 2, 1, 2, 2}, 3, 2},
        {{2, 2}, 0, 2},
        {{}, 0, 0},
        {{1, 1, 0}, 3, 0},
        {{0, 2}, 1, 1},
    };
    for (const auto& c : cases) {
        Series s = makeSeries(std::vector<double>(c.origins.size(), 1.0), c.origins);
        EXPECT_EQ(s.numObservationsByOriginType(1), c.supplied);
        EXPECT_EQ(s.numObservationsByOriginType(2), c.computed);
    }
    Series s;
    for (int bad : {-1, 0, 3})
        EXPECT_MVR(s.numObservationsByOriginType(bad), 3111, "Libraries\\MatrixLib\\Series", 97);
}

TEST(SeriesOperations, RemoveAllCalculations)
{
    Series s = makeSeries({1, 2, 3, 4, 5}, {1, 2, 1, 2, 2});
    for (int i = 0; i < 5; ++i)
        s.observation(i).storedResults.store(29, i);
    s.storedResults.store(2028, 0.5);
    s.forecastMethodNumber = 5;
    s.seasonalLength = 4;
    s.decompositionType = 1;
    s.dependenceType = 2;
    s.setDescription("d");
    s.removeAllCalculations();
    EXPECT_EQ(valuesOf(s), (std::vector<double>{1, 3}));
    EXPECT_EQ(s.observation(0).storedResults.count(-1), 0);
    EXPECT_EQ(s.observation(1).storedResults.count(-1), 0);
    EXPECT_EQ(s.storedResults.count(-1), 0);
    EXPECT_EQ(s.forecastMethodNumber, -1);
    EXPECT_EQ(s.seasonalLength, 0);
    EXPECT_EQ(s.decompositionType, 1);
    EXPECT_EQ(s.dependenceType, 2);
    EXPECT_EQ(text(s.description()), "d");
    EXPECT_TRUE(s.valueCache.valuesDirty());
}

TEST(SeriesOperations, RangeForecast)
{
    struct Case {
        const char* name;
        std::vector<double> values;
        std::vector<int> origins;
        bool checkHistory, forecastOnly, useCeiling;
        double ceiling;
        bool useFloor;
        double floor;
        std::vector<double> forecasts;  // empty: nothing stored
    };
    const Case cases[] = {
        {"history above ceiling drops it", {12, 5, 30}, {1, 1, 2}, true, false, true, 10, false, 0, {}},
        {"ceiling clamps", {12, 5, 30}, {1, 1, 2}, true, false, true, 20, false, 0, {12, 5, 20}},
        {"forecast period only", {25, 5, 30}, {1, 1, 2}, false, true, true, 20, false, 0, {25, 5, 20}},
        {"floor above ceiling wins", {1, 4, 9}, {1, 2, 2}, false, false, true, 3, true, 5, {5, 5, 5}},
        {"floor only", {1, 4, 9}, {1, 2, 2}, false, false, false, 0, true, 2, {2, 4, 9}},
        {"nothing in force", {1, 4, 9}, {1, 2, 2}, false, false, false, 0, false, 0, {}},
    };
    for (const Case& c : cases) {
        Series s = makeSeries(c.values, c.origins);
        s.rangeForecast(c.checkHistory, c.forecastOnly, c.useCeiling, c.ceiling, c.useFloor, c.floor);
        EXPECT_EQ(valuesOf(s), c.values) << c.name;  // values never change
        for (std::int32_t i = 0; i < s.numObservations(); ++i) {
            if (c.forecasts.empty())
                EXPECT_EQ(s.observation(i).storedResults.count(29), 0) << c.name;
            else
                EXPECT_EQ(s.observation(i).storedResults.value(29), c.forecasts[i]) << c.name << " " << i;
        }
    }
    Series empty;
    empty.rangeForecast(false, false, true, 1.0, true, 0.0);
    EXPECT_EQ(empty.numObservations(), 0);
}

TEST(SeriesOperations, RemoveMissingValues)
{
    struct Case {
        const char* name;
        std::vector<double> values;
        int observationNumber, numHistoricalValues;
        double lower, upper;
        std::vector<double> expected;
        bool rebuilt;
    };
    const Case cases[] = {
        {"zeros removed", {3, 0, 4, 0}, -2, -1, 0.0, 0.0, {3, 4}, true},
        {"nothing to remove", {3, 4}, -2, -1, 0.0, 0.0, {3, 4}, false},
        // Observation 0 lies before the range, 3 after it: both stay.
        {"outside the range stays", {0, 5, 0, 7}, 2, 2, 0.0, 0.0, {0, 5, 7}, true},
        {"band", {1, 2, 3, 4, 5}, -2, -1, 2.0, 4.0, {1, 5}, true},
        {"whole series in band", {1, 1}, -2, -1, 0.0, 2.0, {}, true},
    };
    for (const Case& c : cases) {
        Series s = makeSeries(c.values);
        s.forecastMethodNumber = 5;
        s.storedResults.store(2028, 0.1);
        s.observation(0).storedResults.store(29, 1.0);
        s.removeMissingValues(c.observationNumber, c.numHistoricalValues, c.lower, c.upper);
        EXPECT_EQ(valuesOf(s), c.expected) << c.name;
        EXPECT_EQ(s.forecastMethodNumber, c.rebuilt ? -1 : 5) << c.name;
        EXPECT_EQ(s.storedResults.count(-1), c.rebuilt ? 0 : 1) << c.name;
        if (!c.expected.empty() && c.expected[0] == c.values[0]) {
            EXPECT_EQ(s.observation(0).storedResults.value(29), 1.0) << c.name;
        }
    }
}

TEST(SeriesOperations, RemoveMissingValuesRangeChecksLeaveTheSeriesAlone)
{
    const char* file = "INCLUDE\\SeriesCompute/SeriesCompute";
    const struct {
        int observationNumber, numHistoricalValues, code, line;
    } cases[] = {
        {-5, -7, 3000, 139}, {-3, 1, 3000, 139}, {1, -2, 3001, 142}, {3, 1, 3006, 145}, {1, 3, 3005, 148},
        {1, -1, 3005, 148},
    };
    for (const auto& c : cases) {
        Series s = makeSeries({0, 0, 0});
        EXPECT_MVR(s.removeMissingValues(c.observationNumber, c.numHistoricalValues, 0.0, 0.0), c.code, file,
                   c.line);
        EXPECT_EQ(s.numObservations(), 3);
    }
}

TEST(SeriesOperations, RemoveTrailingZerosAndRemoveObservationAt)
{
    Series a = makeSeries({1, 0, 2, 0, 0});
    a.values();
    a.removeTrailingZeros();
    EXPECT_EQ(valuesOf(a), (std::vector<double>{1, 0, 2}));
    EXPECT_TRUE(a.valueCache.valuesDirty());
    Series b = makeSeries({0, 0});
    b.removeTrailingZeros();
    EXPECT_EQ(b.numObservations(), 0);
    Series c = makeSeries({1, 2});
    c.values();
    c.removeTrailingZeros();
    EXPECT_FALSE(c.valueCache.valuesDirty());

    Series s = makeSeries({4, 5, 6});
    s.values();
    s.forecastValues();
    s.removeObservationAt(1);
    EXPECT_EQ(valuesOf(s), (std::vector<double>{4, 6}));
    EXPECT_TRUE(s.valueCache.valuesDirty());
    EXPECT_TRUE(s.valueCache.forecastsDirty());
    EXPECT_MVR(s.removeObservationAt(2), 3006, "INCLUDE\\Matrix/Series", 178);
    EXPECT_MVR(s.removeObservationAt(-1), 3000, "INCLUDE\\Matrix/Series", 175);
    EXPECT_EQ(s.numObservations(), 2);
}

TEST(SeriesOperations, NumParameters)
{
    Series s;
    EXPECT_MVR(s.numParameters(-3), 3114, "Libraries\\MatrixLib\\Series", 775);
    const struct {
        int method, expected;
    } counts[] = {{4, 1}, {5, 1}, {7, 1}, {8, 1}, {10, 1}, {15, 1}, {24, 1}, {30, 1}, {6, 2}, {9, 2},
                  {14, 3}, {25, 4}, {26, 4}, {27, 4}, {28, 4}};
    for (const auto& c : counts)
        EXPECT_EQ(s.numParameters(c.method), c.expected) << c.method;
    for (int method : {-1, 11, 12, 13, 19})
        EXPECT_MVR(s.numParameters(method), 3114, "Libraries\\MatrixLib\\Series", 775);
    for (int method : {0, 16, 29, 31, 99})
        EXPECT_MVR(s.numParameters(method), 3114, "Libraries\\MatrixLib\\Series", 779);

    s.forecastMethodNumber = 18;
    EXPECT_EQ(s.numParameters(), 0);
    s.storedResults.store(2049, 1.0);
    s.storedResults.store(2050, 1.0);
    s.storedResults.store(2051, 0.0);
    s.storedResults.store(2052, 1.0);
    EXPECT_EQ(s.numParameters(-3), 3);
    s.storedResults.store(2053, 0.0);  // a stored constant counts, whatever its value
    EXPECT_EQ(s.numParameters(-3), 4);
}

TEST(SeriesOperations, SignTestsAndTheirRanges)
{
    Series s = makeSeries({-1, 0, 2, 3});
    EXPECT_TRUE(s.allPositive(2, 1));
    EXPECT_TRUE(s.allPositive(2, 3));
    EXPECT_FALSE(s.allPositive(0, 3));
    EXPECT_FALSE(s.allPositive(1, 1));
    std::int32_t p = -1, z = -1, n = -1;
    s.countSigns(0, 3, p, z, n);
    EXPECT_EQ(p, 2);
    EXPECT_EQ(z, 1);
    EXPECT_EQ(n, 1);
    s.countSigns(3, 0, p, z, n);
    EXPECT_EQ(p + z + n, 0);

    const char* file = "Libraries\\MatrixLib\\Series";
    EXPECT_MVR(s.allPositive(-1, 2), 3000, file, 640);
    EXPECT_MVR(s.allPositive(2, 4), 3006, file, 643);
    EXPECT_MVR(s.countSigns(-1, 0, p, z, n), 3000, file, 660);
    EXPECT_MVR(s.countSigns(0, 4, p, z, n), 3006, file, 663);
    Series target;
    EXPECT_MVR(s.copyValuesTo(target, -1, 1), 3000, file, 612);
    EXPECT_MVR(s.copyValuesTo(target, 0, 4), 3006, file, 615);
    EXPECT_EQ(target.numObservations(), 0);
}

TEST(SeriesOperations, CopyValuesTo)
{
    Series s = makeSeries({1, 2, 3, 4}, {1, 1, 2, 2});
    s.observation(1).value = 20.0;
    s.setDirty(true, true);
    Series target = makeSeries({9});
    target.values();
    s.copyValuesTo(target, 1, 3);
    EXPECT_EQ(valuesOf(target), (std::vector<double>{9, 20, 3, 4}));
    EXPECT_EQ(target.observation(3).originType, QD_SUPPLIED);
    EXPECT_TRUE(target.valueCache.valuesDirty());
    s.copyValuesTo(s, 0, 1);  // onto itself
    EXPECT_EQ(valuesOf(s), (std::vector<double>{1, 20, 3, 4, 1, 20}));

    Series big;
    for (int i = 0; i < 100; ++i)
        big.addObservation(i, QD_SUPPLIED);
    Series into;
    big.copyValuesTo(into, 0, 99);
    EXPECT_EQ(into.capacity(), 100u);
    EXPECT_EQ(into.numObservations(), 100);
}

TEST(SeriesOperations, MergeReplacedValues)
{
    Series s = makeSeries({1, 2, 3, 4});
    s.values();
    s.forecastValues();
    Series working = makeSeries({20, 30, 40});
    working.observation(0).storedResults.store(QD_MEASUREMENT, 2.0);
    working.observation(2).storedResults.store(QD_MEASUREMENT, 4.0);
    s.mergeReplacedValues(working, 1);
    EXPECT_EQ(valuesOf(s), (std::vector<double>{1, 20, 3, 40}));
    EXPECT_EQ(s.observation(1).storedResults.value(QD_MEASUREMENT), 2.0);
    EXPECT_EQ(s.observation(3).storedResults.value(QD_MEASUREMENT), 4.0);
    EXPECT_EQ(s.observation(2).storedResults.count(QD_MEASUREMENT), 0);
    EXPECT_TRUE(s.valueCache.valuesDirty());
    EXPECT_TRUE(s.valueCache.forecastsDirty());  // both arrays
    EXPECT_EQ(s.forecastValues()[1], 20.0);

    // A missing target observation is found before anything changes.
    Series t = makeSeries({1, 2});
    EXPECT_INDEX_ERROR(t.mergeReplacedValues(working, 0), 2, 2);
    EXPECT_EQ(valuesOf(t), (std::vector<double>{1, 2}));
    EXPECT_EQ(t.observation(0).storedResults.count(-1), 0);
}

TEST(SeriesOperations, ClearAndResetValues)
{
    Series s;
    for (int i = 0; i < 200; ++i)
        s.addObservation(i, QD_SUPPLIED);
    s.storedResults.store(2028, 0.5);
    s.forecastMethodNumber = 5;
    s.seasonalLength = 3;
    s.decompositionType = 2;
    s.resetValues();
    EXPECT_EQ(s.numObservations(), 0);
    EXPECT_EQ(s.capacity(), 64u);
    EXPECT_EQ(s.forecastMethodNumber, -1);
    EXPECT_EQ(s.seasonalLength, 0);
    EXPECT_EQ(s.decompositionType, 2);
    EXPECT_EQ(s.storedResults.value(2028), 0.5);
    EXPECT_TRUE(s.valueCache.valuesDirty());
}

TEST(SeriesOperations, ClearedSeriesRefilledWithFewerValuesServesTheNewValues)
{
    Series s = makeSeries({1, 2, 3, 4, 5});
    s.values();
    s.forecastValues();
    s.valueCache.cachedStatistics.store(2019, 3.0);
    s.clearObservations();
    EXPECT_TRUE(s.valueCache.valuesDirty());
    EXPECT_TRUE(s.valueCache.forecastsDirty());
    EXPECT_EQ(s.valueCache.cachedStatistics.count(-1), 0);
    s.addObservation(7, QD_SUPPLIED);
    s.addObservation(8, QD_SUPPLIED);
    const double* v = s.values();
    EXPECT_EQ(v[0], 7.0);
    EXPECT_EQ(v[1], 8.0);
    const double* f = s.forecastValues();
    EXPECT_EQ(f[0], 7.0);
    EXPECT_EQ(f[1], 8.0);
}

TEST(SeriesOperations, StoredParameterGetters)
{
    Series s;
    double alpha = -1, beta = -1, gamma = -1, delta = -1;
    EXPECT_EQ(s.storedAlpha(alpha), QD_QUANTITY_ABSENT);
    EXPECT_EQ(alpha, -1.0);
    s.storedResults.store(QD_ALPHA, 0.1);
    s.storedResults.store(QD_BETA, 0.2);
    s.storedResults.store(QD_GAMMA, 0.3);
    s.storedResults.store(QD_DELTA, 0.4);
    s.decompositionType = 2;
    s.seasonalLength = 12;
    EXPECT_EQ(s.storedAlpha(alpha), QD_QUANTITY_FOUND);
    EXPECT_EQ(alpha, 0.1);
    s.storedSmoothingParameters(alpha, beta, delta, gamma);
    EXPECT_EQ(beta, 0.2);
    EXPECT_EQ(delta, 0.4);
    EXPECT_EQ(gamma, 0.3);
    std::int32_t decomposition = 0, seasonal = 0;
    s.storedHoltWintersParameters(alpha, gamma, beta, decomposition, seasonal);
    EXPECT_EQ(decomposition, 2);
    EXPECT_EQ(seasonal, 12);

    std::int32_t p = -9, d = -9, q = -9, P = -9, D = -9, Q = -9, S = -9, transform = -9;
    s.storedResults.store(2049, 2.9);
    s.storedResults.store(2037, 1.0);
    s.storedResults.store(2042, 12.0);
    s.storedResults.store(2034, 1.0);
    s.storedBoxJenkinsOrders(p, d, q, P, D, Q, S, transform);
    EXPECT_EQ(p, 2);
    EXPECT_EQ(d, 1);
    EXPECT_EQ(q, -9);  // absent: left as it was
    EXPECT_EQ(S, 12);
    EXPECT_EQ(transform, 1);
    s.storedResults.store(2034, 0.0);
    s.storedBoxJenkinsOrders(p, d, q, P, D, Q, S, transform);
    EXPECT_EQ(transform, 3);
}

}  // namespace
