// Event indexes: Create and Apply against exact rational values
// (make_event_reference.py) on the airline series and an M3 monthly series,
// the checks, and the whole-matrix checks made before anything changes.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "Matrix/QuantityTypes.h"
#include "MatrixCompute/MatrixComputeEventIndexApply.h"
#include "MatrixCompute/MatrixComputeEventIndexCreate.h"
#include "MatrixComputeTestSupport.h"

namespace {

#include "EventReference.inc"

using namespace qd;

using qd::MatrixComputeEventIndexApply;
using qd::MatrixComputeEventIndexCreate;

const std::int32_t kStart = 2;

// A forecast series: the values with a naive forecast (the previous value)
// on every observation but the first, and a recorded method.
Series forecastSeries(const std::vector<double>& values)
{
    Series s;
    for (double v : values)
        s.addObservation(v, QD_SUPPLIED, FdCString());
    for (std::int32_t i = 1; i < s.numObservations(); ++i)
        s.observation(i).storedResults.store(QD_FORECAST, values[static_cast<std::size_t>(i - 1)]);
    s.forecastMethodNumber = QD_EXPONENTIAL_SMOOTHING;
    return s;
}

std::vector<double> shifted(double shift, const std::vector<double>& data = kEventAirline)
{
    std::vector<double> v = data;
    for (double& x : v)
        x += shift;
    return v;
}

std::vector<double> multipleValues(const Series& s, std::int32_t type)
{
    std::vector<double> v;
    for (std::int32_t j = 0; j < s.storedResults.count(static_cast<std::int16_t>(type)); ++j) {
        double x = 0.0;
        s.storedResults.lookupMultiple(type, j, x);
        v.push_back(x);
    }
    return v;
}

void expectNear(const std::vector<double>& a, const std::vector<double>& b, std::size_t from, double tol)
{
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = from; i < a.size(); ++i)
        EXPECT_NEAR(a[i], b[i], tol * std::max(1.0, std::fabs(b[i]))) << "at " << i;
}

TEST(EventIndex, CreateAndApplyAgreeWithExactValues)
{
    for (const EventCase& c : kEventCases) {
        SCOPED_TRACE(c.what);
        Matrix m;
        const std::vector<double> values = shifted(c.shift, *c.data);
        const std::int32_t n = static_cast<std::int32_t>(values.size());
        m.addSeries(forecastSeries(values));
        // The flags of the history and of four periods ahead.
        addRoleSeries(m, QD_EVENT, std::vector<double>(kEventFlags.begin(), kEventFlags.begin() + n + 4));
        addRoleSeries(m, 0, std::vector<double>(10, 1.0));  // never forecast: untouched

        MatrixComputeEventIndexCreate(kStart, 0, -1, c.weight).compute(m);
        Series& s = m.series(0);
        EXPECT_DOUBLE_EQ(s.eventOffset, c.offset);
        expectNear(multipleValues(s, QD_EVENT_INDEX_SERIES), c.index, 0, 1e-13);
        expectNear(multipleValues(s, QD_INITIAL_SEASONAL_INDEX), c.normalised, 0, 1e-13);
        expectNear(seriesValues(s), c.adjusted, 0, 1e-13);
        EXPECT_EQ(s.observation(100).storedResults.value(QD_MEASUREMENT), values[100]);
        EXPECT_EQ(s.seasonalLength, 4);
        EXPECT_EQ(m.seasonalLength, 4);
        EXPECT_EQ(m.decompositionType, 2);
        EXPECT_EQ(seriesValues(m.series(2)), std::vector<double>(10, 1.0));
        EXPECT_EQ(m.series(2).storedResults.count(-1), 0);

        // A new forecast of the adjusted history, four periods ahead.
        const std::vector<double> adjusted = seriesValues(s);
        s.observation(0).storedResults.store(QD_FORECAST, adjusted[0]);
        for (std::int32_t i = 1; i < n; ++i)
            s.observation(i).storedResults.store(QD_FORECAST, adjusted[static_cast<std::size_t>(i - 1)]);
        for (std::int32_t k = 0; k < 4; ++k) {
            s.addObservation(adjusted.back(), QD_COMPUTED, FdCString());
            s.observation(n + k).storedResults.store(QD_FORECAST, adjusted.back());
        }
        MatrixComputeEventIndexApply(kStart, 0, -1).compute(m);
        expectNear(seriesValues(s), c.applied, kStart, 1e-12);
        std::vector<double> forecasts;
        for (std::int32_t i = 0; i < s.numObservations(); ++i)
            forecasts.push_back(s.observation(i).storedResults.value(QD_FORECAST));
        expectNear(forecasts, c.appliedForecasts, kStart, 1e-12);
    }
}

TEST(EventIndex, SecondCreateMeasuresFromTheKeptHistory)
{
    Matrix once;
    once.addSeries(forecastSeries(kEventAirline));
    addRoleSeries(once, QD_EVENT, kEventFlags);
    MatrixComputeEventIndexCreate(kStart, 0, -1, 0.5).compute(once);

    Matrix twice;
    twice.addSeries(forecastSeries(kEventAirline));
    addRoleSeries(twice, QD_EVENT, kEventFlags);
    MatrixComputeEventIndexCreate(kStart, 0, -1, 0.5).compute(twice);
    MatrixComputeEventIndexCreate(kStart, 0, -1, 0.5).compute(twice);

    EXPECT_EQ(seriesValues(twice.series(0)), seriesValues(once.series(0)));
    EXPECT_EQ(multipleValues(twice.series(0), QD_EVENT_INDEX_SERIES),
              multipleValues(once.series(0), QD_EVENT_INDEX_SERIES));
    for (std::int32_t i = kStart; i < 144; ++i)
        ASSERT_EQ(twice.series(0).observation(i).storedResults.value(QD_MEASUREMENT), kEventAirline[i]);
}

TEST(EventIndex, ChecksChangeNothing)
{
    const double nan = std::nan("");
    struct Case {
        const char* what;
        std::vector<double> flags;
        double weight;
        std::int32_t start;
        std::int32_t code;
    } cases[] = {
        {"weight above 1", {0, 1, 0, 0}, 1.5, 0, 3071},
        {"weight NaN", {0, 1, 0, 0}, nan, 0, 3071},
        {"negative start", {0, 1, 0, 0}, 0.5, -1, 3000},
        {"start beyond the flags", {0, 1, 0, 0}, 0.5, 4, 3006},
        {"too few flags", {0, 1, 0}, 0.5, 0, 3067},
        {"negative flag", {0, 1, -1, 0}, 0.5, 0, 3068},
        {"NaN flag", {0, 1, nan, 0}, 0.5, 0, 3068},
        {"flag beyond 32 bits", {0, 1, 3e9, 0}, 0.5, 0, 3068},
        {"no event", {0, 0, 0, 0}, 0.5, 0, 3070},
        {"event 2 without 1", {0, 2, 0, 0}, 0.5, 0, 3069},
        {"huge event number", {0, 1, 2147483647.0, 0}, 0.5, 0, 3069},
        {"an event without a forecast", {1, 0, 0, 0}, 0.5, 0, 3072},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Matrix m;
        m.addSeries(forecastSeries({5, 6, 7, 8}));
        m.addSeries(forecastSeries({9, 10, 11, 12}));
        addRoleSeries(m, QD_EVENT, c.flags);
        EXPECT_MVR_CODE(MatrixComputeEventIndexCreate(c.start, 0, -1, c.weight).compute(m), c.code);
        for (std::int32_t j = 0; j < 2; ++j) {
            EXPECT_EQ(seriesValues(m.series(j)), j == 0 ? (std::vector<double>{5, 6, 7, 8})
                                                        : (std::vector<double>{9, 10, 11, 12}));
            EXPECT_EQ(m.series(j).storedResults.count(-1), 0);
            double q = 0.0;
            EXPECT_NE(m.series(j).observation(1).storedResults.lookup(QD_MEASUREMENT, q), QD_QUANTITY_FOUND);
        }
    }
    Matrix none;
    none.addSeries(forecastSeries({1, 2}));
    EXPECT_MVR_CODE(MatrixComputeEventIndexCreate(0, 0, -1, 0.5).compute(none), 3046);
}

TEST(EventIndex, ApplyChecksEverySeriesFirst)
{
    Matrix m;
    m.addSeries(forecastSeries({5, 6, 7, 8}));
    addRoleSeries(m, QD_EVENT, {0, 1, 0, 1});
    MatrixComputeEventIndexCreate(0, 0, -1, 0.5).compute(m);
    // A second forecast series without indexes: nothing is rewritten.
    m.addSeries(forecastSeries({1, 2, 3, 4}));
    const std::vector<double> before = seriesValues(m.series(0));
    EXPECT_MVR_CODE(MatrixComputeEventIndexApply(0, 0, -1).compute(m), 3073);
    EXPECT_EQ(seriesValues(m.series(0)), before);
    // With all values positive the offset is 1: value 9 against forecast 4
    // gives the ratio 10 / 5 = 2.
    Matrix r;
    Series s = forecastSeries({4, 9});
    s.observation(1).storedResults.store(QD_FORECAST, 4.0);
    r.addSeries(s);
    addRoleSeries(r, QD_EVENT, {0, 1});
    MatrixComputeEventIndexCreate(0, 0, -1, 0.5).compute(r);
    EXPECT_EQ(multipleValues(r.series(0), QD_EVENT_INDEX_SERIES), (std::vector<double>{1.0, 2.0}));
    EXPECT_EQ(r.series(0).observation(1).value, 4.0);
}

// Apply rewrites the forecasts there are and makes none up: an observation
// the method did not forecast (the first of the history, a period beyond it)
// still has no forecast afterwards.
TEST(EventIndex, ApplyStoresNoForecastWhereThereWasNone)
{
    Matrix m;
    m.addSeries(forecastSeries({5, 6, 7, 8}));
    addRoleSeries(m, QD_EVENT, {0, 1, 0, 1, 1});
    MatrixComputeEventIndexCreate(0, 0, -1, 0.5).compute(m);
    Series& s = m.series(0);
    s.addObservation(3.0, QD_COMPUTED, FdCString());
    MatrixComputeEventIndexApply(0, 0, -1).compute(m);
    double f = 0.0;
    EXPECT_NE(s.observation(0).storedResults.lookup(QD_FORECAST, f), QD_QUANTITY_FOUND);
    EXPECT_EQ(s.observation(0).value, 5.0);
    EXPECT_NE(s.observation(4).storedResults.lookup(QD_FORECAST, f), QD_QUANTITY_FOUND);
    EXPECT_EQ(s.observation(4).value, 3.0);
    // The forecasts of the others are rewritten; the history is measured
    // again.
    for (std::int32_t i = 1; i < 4; ++i) {
        EXPECT_EQ(s.observation(i).storedResults.lookup(QD_FORECAST, f), QD_QUANTITY_FOUND) << i;
        EXPECT_EQ(s.observation(i).value, 5.0 + i) << i;
    }
    // Observation 3 (event 1): forecast 7 against 8 gives index
    // (8 + 1) / (7 + 1), smoothed with the index 7 / 6 of observation 1:
    // 0.5 x 9/8 + 0.5 x 7/6; put back on the forecast 7.
    const double index = 0.5 * 9.0 / 8.0 + 0.5 * 7.0 / 6.0;
    EXPECT_DOUBLE_EQ(s.observation(3).storedResults.value(QD_FORECAST), (7.0 + 1.0) * index - 1.0);
}

}  // namespace
