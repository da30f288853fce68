// Decomposition index, Fourier coefficients, histogram, safety stock,
// service level and confidence interval: checked against an independent
// computation on the airline series and two M3 series
// (make_seriesstats_reference.py), plus the errors and edge cases.
#include <cmath>
#include <cstdint>
#include <limits>
#include <new>
#include <vector>

#include <gtest/gtest.h>

#include "ComputeTestSupport.h"
#include "SeriesCompute/SeriesComputeApplyDecompositionIndex.h"
#include "SeriesCompute/SeriesComputeConfidenceInterval.h"
#include "SeriesCompute/SeriesComputeCreateDecompositionIndex.h"
#include "SeriesCompute/SeriesComputeFourier.h"
#include "SeriesCompute/SeriesComputeHistogram.h"
#include "SeriesCompute/SeriesComputeSafetyStock.h"
#include "SeriesCompute/SeriesComputeTValue.h"
#include "SeriesCompute/SeriesForecastSelvane.h"
#include "SeriesCompute/SeriesStatistics.h"

namespace {

#include "SeriesStatsReference.inc"

using namespace qd;

using qd::SeriesComputeApplyDecompositionIndex;
using qd::SeriesComputeConfidenceInterval;
using qd::SeriesComputeCreateDecompositionIndex;
using qd::SeriesComputeFourier;
using qd::SeriesComputeHistogram;
using qd::SeriesComputeSafetyStock;
using qd::SeriesComputeServiceLevel;

std::vector<double> multipleValues(const Series& s, std::int32_t type)
{
    std::vector<double> v;
    const std::int32_t n = s.storedResults.count(static_cast<std::int16_t>(type));
    for (std::int32_t j = 0; j < n; ++j) {
        double x = 0.0;
        s.storedResults.lookupMultiple(type, j, x);
        v.push_back(x);
    }
    return v;
}

void expectAllNear(const std::vector<double>& actual, const std::vector<double>& expected, double relative,
                   double absolute = 0.0)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], std::max(absolute, relative * std::fabs(expected[i]))) << "at " << i;
}

bool holds(const Observation& o, std::int32_t type)
{
    double v = 0.0;
    return o.storedResults.lookup(type, v) == QD_QUANTITY_FOUND;
}

// The airline series with a naive forecast (the previous actual value) as
// the fitted value of every observation but the first.
void fillNaiveFits(Series& s, const std::vector<double>& values)
{
    fillSeries(s, values);
    for (std::int32_t i = 1; i < s.numObservations(); ++i)
        s.observation(i).storedResults.store(QD_FORECAST, values[static_cast<std::size_t>(i - 1)]);
    s.setDirty(true, true);
}

// ---- decomposition index --------------------------------------------------------------

TEST(DecompositionIndex, AgreesWithIndependentComputation)
{
    for (const DecompositionCase& c : kDecompositionCases) {
        SCOPED_TRACE(c.what);
        Series s;
        fillSeries(s, *c.data);
        SeriesComputeCreateDecompositionIndex create(c.last, c.count, c.L, c.type, false);
        EXPECT_EQ(create.compute(s), 0.0);
        expectAllNear(multipleValues(s, QD_DECOMPOSITION_INDEX), c.factors, 1e-12, 1e-12);
        EXPECT_EQ(multipleValues(s, QD_INITIAL_SEASONAL_INDEX), multipleValues(s, QD_DECOMPOSITION_INDEX));
        EXPECT_EQ(s.seasonalLength, c.L);
        EXPECT_EQ(s.decompositionType, c.type);
    }
}

TEST(DecompositionIndex, ApplyChangesValuesAndForecastsOfTheRangeOnly)
{
    Series s;
    fillSeries(s, kAirline);
    SeriesComputeCreateDecompositionIndex(-2, -1, 12, 2, false).compute(s);
    const std::vector<double> f = multipleValues(s, QD_DECOMPOSITION_INDEX);
    s.observation(140).storedResults.store(QD_FORECAST, 500.0);
    // Range 132 .. 143: position 0 is observation 132.
    SeriesComputeApplyDecompositionIndex(-2, 12, 2).compute(s);
    EXPECT_DOUBLE_EQ(s.observation(131).value, kAirline[131]);
    EXPECT_DOUBLE_EQ(s.observation(132).value, kAirline[132] * f[0]);
    EXPECT_DOUBLE_EQ(s.observation(143).value, kAirline[143] * f[11]);
    EXPECT_DOUBLE_EQ(s.observation(140).storedResults.value(QD_FORECAST), 500.0 * f[8]);
    EXPECT_EQ(s.decompositionType, 2);

    // Additive twice adds twice.
    Series t;
    fillSeries(t, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    t.storedResults.createMultiple(QD_DECOMPOSITION_INDEX, 2);
    t.storedResults.storeMultiple(QD_DECOMPOSITION_INDEX, 0, 0.5);
    t.storedResults.storeMultiple(QD_DECOMPOSITION_INDEX, 1, -0.5);
    SeriesComputeApplyDecompositionIndex(-2, -1, 1).compute(t);
    SeriesComputeApplyDecompositionIndex(-2, -1, 1).compute(t);
    EXPECT_DOUBLE_EQ(t.observation(0).value, 2.0);
    EXPECT_DOUBLE_EQ(t.observation(1).value, 1.0);
}

// A seasonal length to detect: twelve on the airline series, and the index
// is the one made with twelve.
TEST(DecompositionIndex, DetectedSeasonalLength)
{
    for (std::int32_t type : {1, 2}) {
        Series detected;
        fillSeries(detected, kAirline);
        SeriesComputeCreateDecompositionIndex(-2, -1, -3, type, false).compute(detected);
        Series given;
        fillSeries(given, kAirline);
        SeriesComputeCreateDecompositionIndex(-2, -1, 12, type, false).compute(given);
        EXPECT_EQ(detected.seasonalLength, 12);
        ASSERT_EQ(detected.storedResults.count(static_cast<std::int16_t>(QD_DECOMPOSITION_INDEX)), 12);
        for (std::int32_t j = 0; j < 12; ++j) {
            double a = 0.0, b = 0.0;
            detected.storedResults.lookupMultiple(QD_DECOMPOSITION_INDEX, j, a);
            given.storedResults.lookupMultiple(QD_DECOMPOSITION_INDEX, j, b);
            EXPECT_EQ(a, b) << j;
        }
    }
}

TEST(DecompositionIndex, Errors)
{
    Series s;
    fillSeries(s, kAirline);
    EXPECT_MVR_CODE(SeriesComputeCreateDecompositionIndex(-2, -1, 12, 3, false).compute(s), 3083);
    EXPECT_MVR_CODE(SeriesComputeCreateDecompositionIndex(-2, -1, 0, 2, false).compute(s), 3051);
    EXPECT_MVR_AT(SeriesComputeCreateDecompositionIndex(-2, 6, 12, 2, false).compute(s), 3001,
                  "Libraries\\SeriesCompute\\SeriesComputeCreateDecompositionIndex", 109);
    // Too few values to detect a season: the detection's own refusal.
    Series shortSeries;
    fillSeries(shortSeries, {1, 2, 3, 4, 5, 6, 7});
    EXPECT_MVR_CODE(SeriesComputeCreateDecompositionIndex(-2, -1, -3, 2, false).compute(shortSeries), 3039);
    EXPECT_MVR_CODE(SeriesComputeApplyDecompositionIndex(-2, -1, 2).compute(s), 3081);
    // A type other than 1 or 2 would add multiplicative factors: refused
    // before any value changes.
    SeriesComputeCreateDecompositionIndex(-2, -1, 12, 2, false).compute(s);
    for (std::int32_t type : {0, 3, -1}) {
        EXPECT_MVR_AT(SeriesComputeApplyDecompositionIndex(-2, -1, type).compute(s), 3082,
                      "Libraries\\SeriesCompute\\SeriesComputeApplyDecompositionIndex", 35);
    }
    for (std::int32_t i = 0; i < s.numObservations(); ++i)
        ASSERT_EQ(s.observation(i).value, kAirline[static_cast<std::size_t>(i)]);
    EXPECT_EQ(s.storedResults.count(static_cast<std::int16_t>(QD_DECOMPOSITION_INDEX)), 12);
}

TEST(DecompositionIndex, EdgeCases)
{
    // Zero averages: every multiplicative factor is 1.0.
    Series zeros;
    fillSeries(zeros, std::vector<double>(24, 0.0));
    SeriesComputeCreateDecompositionIndex(-2, -1, 12, 2, false).compute(zeros);
    EXPECT_EQ(multipleValues(zeros, QD_DECOMPOSITION_INDEX), std::vector<double>(12, 1.0));

    // From the stored initial indexes: measurements kept, no index stored.
    Series s;
    fillSeries(s, {5, 6, 7, 8});
    s.storedResults.createMultiple(QD_INITIAL_SEASONAL_INDEX, 2);
    s.storedResults.storeMultiple(QD_INITIAL_SEASONAL_INDEX, 0, 1.2);
    s.storedResults.storeMultiple(QD_INITIAL_SEASONAL_INDEX, 1, 0.8);
    SeriesComputeCreateDecompositionIndex(-2, -1, 0, 2, true).compute(s);
    EXPECT_EQ(s.seasonalLength, 2);
    EXPECT_EQ(s.observation(3).storedResults.value(QD_MEASUREMENT), 8.0);
    EXPECT_EQ(s.storedResults.count(static_cast<std::int16_t>(QD_DECOMPOSITION_INDEX)), 0);
}

// ---- Fourier ---------------------------------------------------------------------------

TEST(Fourier, AgreesWithDirectSums)
{
    for (const FourierCase& c : kFourierCases) {
        SCOPED_TRACE(c.what);
        Series s;
        fillSeries(s, *c.data);
        SeriesComputeFourier(c.last, c.count).compute(s);
        const double scale = std::fabs(c.a[0]);
        expectAllNear(multipleValues(s, QD_FOURIER_ALPHA), c.a, 0.0, 1e-11 * scale);
        expectAllNear(multipleValues(s, QD_FOURIER_BETA), c.b, 0.0, 1e-11 * scale);
    }
}

TEST(Fourier, SmallCases)
{
    Series s;
    fillSeries(s, {1, 2, 3, 4});
    SeriesComputeFourier(-2, -1).compute(s);
    expectAllNear(multipleValues(s, QD_FOURIER_ALPHA), {2.5, 1.0}, 0.0, 1e-14);
    expectAllNear(multipleValues(s, QD_FOURIER_BETA), {0.0, -1.0}, 0.0, 1e-14);
    SeriesComputeFourier(2, 1).compute(s);
    EXPECT_EQ(multipleValues(s, QD_FOURIER_ALPHA), std::vector<double>{3.0});

    Series one;
    fillSeries(one, {7});
    SeriesComputeFourier(-2, -1).compute(one);
    EXPECT_EQ(one.storedResults.count(-1), 0);
}

// ---- histogram -------------------------------------------------------------------------

TEST(Histogram, AgreesWithExactEdges)
{
    for (const HistogramCase& c : kHistogramCases) {
        SCOPED_TRACE(c.what);
        Series s;
        fillSeries(s, *c.data);
        SeriesComputeHistogram(-2, -1, c.bins, c.byMinMax, c.min, c.max, -1).compute(s);
        EXPECT_EQ(multipleValues(s, QD_HISTOGRAM), c.counts);
        EXPECT_EQ(s.storedResults.value(QD_HISTOGRAM_NUM_SMALLER), c.smaller);
        EXPECT_EQ(s.storedResults.value(QD_HISTOGRAM_NUM_LARGER), c.larger);
        EXPECT_EQ(s.storedResults.value(QD_HISTOGRAM_NUM_BINS), c.bins);
        EXPECT_DOUBLE_EQ(s.storedResults.value(QD_HISTOGRAM_BASE_VALUE), c.base);
        EXPECT_NEAR(s.storedResults.value(QD_HISTOGRAM_STEP_LENGTH), c.step, 1e-12 * c.step);
    }
}

TEST(Histogram, SmallCasesAndStatisticType)
{
    Series s;
    fillSeries(s, {1, 2, 3, 4});
    SeriesComputeHistogram(-2, -1, 3, false, 0.0, 0.0, -1).compute(s);
    EXPECT_EQ(multipleValues(s, QD_HISTOGRAM), (std::vector<double>{2, 1, 1}));
    SeriesComputeHistogram(-2, -1, 2, true, 0.0, 2.0, -1).compute(s);
    EXPECT_EQ(multipleValues(s, QD_HISTOGRAM), (std::vector<double>{1, 1}));
    EXPECT_EQ(s.storedResults.value(QD_HISTOGRAM_NUM_LARGER), 2.0);
    // Quantity 29 where only some observations hold it: the others count as 0.
    s.observation(0).storedResults.store(QD_FORECAST, 5.0);
    SeriesComputeHistogram(-2, -1, 1, false, 0.0, 0.0, QD_FORECAST).compute(s);
    EXPECT_EQ(s.storedResults.value(QD_HISTOGRAM_BASE_VALUE), 0.0);
    EXPECT_EQ(multipleValues(s, QD_HISTOGRAM), std::vector<double>{4});
}

TEST(Histogram, ErrorsAndHugeBinCountsChangeNothing)
{
    Series s;
    fillSeries(s, kAirline);
    SeriesComputeHistogram(-2, -1, 10, false, 0.0, 0.0, -1).compute(s);
    const std::vector<double> before = multipleValues(s, QD_HISTOGRAM);
    const double nan = std::nan("");
    EXPECT_MVR_CODE(SeriesComputeHistogram(-2, -1, 0, false, 0.0, 0.0, -1).compute(s), 3118);
    EXPECT_MVR_CODE(SeriesComputeHistogram(-2, -1, 3, false, 0.0, 0.0, 37).compute(s), 3145);
    EXPECT_MVR_CODE(SeriesComputeHistogram(-2, -1, 3, false, 0.0, 0.0, -2).compute(s), 3145);
    EXPECT_MVR_CODE(SeriesComputeHistogram(-2, -1, 3, true, 5.0, 1.0, -1).compute(s), 3121);
    EXPECT_MVR_CODE(SeriesComputeHistogram(-2, -1, 3, true, nan, 1.0, -1).compute(s), 3121);
    EXPECT_THROW(SeriesComputeHistogram(-2, -1, std::numeric_limits<std::int32_t>::max(), false, 0.0, 0.0, -1)
                     .compute(s),
                 std::bad_alloc);
    EXPECT_THROW(SeriesComputeHistogram(-2, -1, SeriesComputeHistogram::maxBins() + 1, false, 0.0, 0.0, -1)
                     .compute(s),
                 std::bad_alloc);
    EXPECT_EQ(multipleValues(s, QD_HISTOGRAM), before);
    EXPECT_EQ(s.storedResults.value(QD_HISTOGRAM_NUM_BINS), 10.0);
}

// ---- safety stock and service level ------------------------------------------------------

TEST(SafetyStock, AgreesWithIndependentComputation)
{
    for (const SafetyStockCase& c : kSafetyStockCases) {
        SCOPED_TRACE(c.what);
        Series s;
        fillNaiveFits(s, kAirline);
        double r;
        if (c.mode == 1)
            r = SeriesComputeSafetyStock(c.last, c.count, c.lead, c.value, c.cl, c.periods, c.includeF).compute(s);
        else
            r = SeriesComputeServiceLevel(c.last, c.count, c.lead, c.value, c.cl, c.periods, c.includeF).compute(s);
        EXPECT_NEAR(r, c.results.back(), 1e-7 * std::fabs(c.results.back()));
        // The series and the matrix level store the value of the last
        // period among the series' results, the observation level per
        // observation.
        if (c.cl != 1) {
            EXPECT_EQ(s.storedResults.value(c.mode == 1 ? QD_SAFETY_STOCK : QD_SERVICE_LEVEL), r);
            EXPECT_FALSE(holds(s.observation(c.last), QD_SAFETY_STOCK_RES_OBS));
        } else {
            for (std::int32_t i = 0; i < c.periods; ++i)
                EXPECT_NEAR(s.observation(c.last + i).storedResults.value(QD_SAFETY_STOCK_RES_OBS),
                            c.results[static_cast<std::size_t>(i)], 1e-7 * c.results[static_cast<std::size_t>(i)]);
        }
        EXPECT_EQ(s.numObservations(), static_cast<std::int32_t>(kAirline.size()));
    }
}

TEST(SafetyStock, LevelOneHalfGivesTheDemandAndExactFitsGiveCertainty)
{
    Series s;
    fillNaiveFits(s, kAirline);
    const double demand = kAirline[131] + kAirline[132] + 0.5 * kAirline[133];
    EXPECT_NEAR(SeriesComputeSafetyStock(131, 120, 2.5, 0.5, 2, 1, true).compute(s), demand, 1e-9);
    Series exact;
    fillSeries(exact, {10, 12, 14, 16, 18, 20});
    for (std::int32_t i = 0; i < 6; ++i)
        exact.observation(i).storedResults.store(QD_FORECAST, exact.observation(i).value);
    EXPECT_EQ(SeriesComputeServiceLevel(3, 4, 1.0, 100.0, 2, 1, true).compute(exact), 1.0);
}

TEST(SafetyStock, Errors)
{
    const double nan = std::nan("");
    struct Case {
        const char* what;
        std::int32_t last, count;
        double lead, level;
        std::int32_t cl, periods;
        bool includeF;
        std::int32_t code;
    } cases[] = {
        {"level 0.4", 131, 120, 2.0, 0.4, 2, 1, true, 3088},
        {"level 1.0", 131, 120, 2.0, 1.0, 2, 1, true, 3088},
        {"level NaN", 131, 120, 2.0, nan, 2, 1, true, 3088},
        {"negative lead time", 131, 120, -1.0, 0.9, 2, 1, false, 3089},
        {"NaN lead time", 131, 120, nan, 0.9, 2, 1, false, 3089},
        {"zero lead time with forecasts", 131, 120, 0.0, 0.9, 2, 1, true, 3089},
        {"no periods", 131, 120, 2.0, 0.9, 1, 0, true, 3148},
        {"calculation level 0", 131, 120, 2.0, 0.9, 0, 1, true, 3044},
        {"calculation level 4", 131, 120, 2.0, 0.9, 4, 1, true, 3044},
        {"two observations only", 131, 2, 2.0, 0.9, 2, 1, false, 3001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Series s;
        fillNaiveFits(s, kAirline);
        EXPECT_MVR_CODE(SeriesComputeSafetyStock(c.last, c.count, c.lead, c.level, c.cl, c.periods, c.includeF)
                            .compute(s),
                        c.code);
        EXPECT_EQ(s.numObservations(), 144);
        EXPECT_EQ(s.storedResults.count(-1), 0);
        EXPECT_FALSE(holds(s.observation(c.last), QD_SAFETY_STOCK_RES_OBS));
    }
    Series s;
    fillNaiveFits(s, kAirline);
    EXPECT_THROW(SeriesComputeSafetyStock(120, 60, 2.0, 0.9, 1, std::numeric_limits<std::int32_t>::max(), true)
                     .compute(s),
                 std::bad_alloc);
    EXPECT_THROW(SeriesComputeSafetyStock(120, 60, 1e300, 0.9, 2, 1, true).compute(s), std::bad_alloc);
}

// Forecasts beyond the data come from the automatic selection run on a
// copy of the actual values (hold-out and error type chosen by it, every
// seasonal candidate tried); the series itself only gains the forecasts it
// needs at the observation level.
TEST(SafetyStock, ForecastsBeyondTheDataFromTheSelection)
{
    Series copy;
    fillSeries(copy, kAirline);
    SeriesForecastSelvane selvane(0, 3, QD_COMPUTE, QD_OPTIMIZE_ALL, 1, QD_COMPUTE, QD_SELVANE_STANDARD);
    SeriesOpApplySeriesForecast(selvane).apply(copy);
    const double f144 = copy.observation(144).storedResults.value(QD_FORECAST);
    const double f145 = copy.observation(145).storedResults.value(QD_FORECAST);
    const double f146 = copy.observation(146).storedResults.value(QD_FORECAST);

    Series s;
    fillNaiveFits(s, kAirline);
    const double sdE = standardDeviationError(s, 142, 143);
    // Lead time 2.5 at the series level: F(144) + F(145) + 0.5 F(146).
    const double stock = SeriesComputeSafetyStock(143, -1, 2.5, 0.9, 2, 1, true).compute(s);
    const double z = computeTValue(0.9, 10000.0, true);
    EXPECT_NEAR(stock, z * sdE * std::pow(2.5, 0.7) + f144 + f145 + 0.5 * f146, 1e-9 * stock);
    EXPECT_EQ(s.numObservations(), 144);

    // Observation level, three periods from the last observation: the two
    // periods beyond the data are appended with their forecasts.
    Series t;
    fillNaiveFits(t, kAirline);
    SeriesComputeSafetyStock(143, -1, 1.0, 0.9, 1, 3, true).compute(t);
    ASSERT_EQ(t.numObservations(), 146);
    EXPECT_NEAR(t.observation(144).value, f144, 1e-9 * f144);
    EXPECT_NEAR(t.observation(145).storedResults.value(QD_FORECAST), f145, 1e-9 * f145);
    EXPECT_TRUE(holds(t.observation(145), QD_SAFETY_STOCK_RES_OBS));
}

// ---- confidence interval ------------------------------------------------------------------

TEST(ConfidenceInterval, AgreesWithIndependentComputation)
{
    for (const ConfidenceCase& c : kConfidenceCases) {
        SCOPED_TRACE(c.what);
        Series s;
        fillNaiveFits(s, kAirline);
        s.forecastMethodNumber = c.method;
        s.storedResults.store(QD_ALPHA, 0.3);
        s.storedResults.store(QD_GAMMA, 0.5);
        SeriesComputeConfidenceInterval(c.last, c.count, c.level).compute(s);
        std::vector<double> w;
        for (std::int32_t i = c.last + 1; i < s.numObservations(); ++i)
            w.push_back(s.observation(i).storedResults.value(QD_CONFIDENCE_INTERVAL));
        expectAllNear(w, c.widths, 1e-7);
        EXPECT_FALSE(holds(s.observation(c.last), QD_CONFIDENCE_INTERVAL));
    }
}

TEST(ConfidenceInterval, Errors)
{
    Series s;
    fillNaiveFits(s, kAirline);
    EXPECT_MVR_CODE(SeriesComputeConfidenceInterval(-2, -1, 0.9).compute(s), 3000);
    EXPECT_MVR_CODE(SeriesComputeConfidenceInterval(143, -1, 0.9).compute(s), 3001);
    EXPECT_MVR_CODE(SeriesComputeConfidenceInterval(131, 60, 0.998).compute(s), 3088);
    EXPECT_MVR_CODE(SeriesComputeConfidenceInterval(131, 60, std::nan("")).compute(s), 3088);
    SeriesComputeConfidenceInterval(143, 10, 0.9).compute(s);
    EXPECT_FALSE(holds(s.observation(143), QD_CONFIDENCE_INTERVAL));
}

}  // namespace
