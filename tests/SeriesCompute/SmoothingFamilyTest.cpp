// Brown's double and triple smoothing, Holt, adaptive smoothing and
// Holt-Winters against an independent computation (bit for bit in the
// written order of the operations, and against 50-digit arithmetic), the
// checks and their order, the horizon guard, objects applied to series of
// different lengths, the seasonal-length detection, the moving averages,
// and the mode and the median.
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ComputeTestSupport.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "SeriesCompute/SeasonalLengthDetection.h"
#include "SeriesCompute/SeriesComputeModeMedian.h"
#include "SeriesCompute/SeriesForecastAdaptiveExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingBrown.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingHolt.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastMovingAverage.h"
#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingBrown.h"
#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingWinters.h"
#include "SeriesCompute/SeriesForecastWeightedMovingAverage.h"
#include "SeriesCompute/SeriesStatistics.h"

namespace {

#include "SmoothingFamilyReference.inc"

using namespace qd;

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const std::int32_t kHuge = std::numeric_limits<std::int32_t>::max();

void forecast(Series& series, SeriesForecast& method)
{
    series.setDirty(true, true);
    SeriesOpApplySeriesForecast op(method);
    op.apply(series);
}

Series seriesOf(const std::vector<double>& values)
{
    Series s;
    fillSeries(s, values);
    return s;
}

std::vector<double> airline(std::int32_t n)
{
    return std::vector<double>(k_air144, k_air144 + n);
}

std::unique_ptr<SeriesForecast> methodFor(const FamilyCase& c)
{
    const std::string m = c.method;
    if (m == "brown2")
        return std::make_unique<SeriesForecastDoubleExponentialSmoothingBrown>(c.start, c.periods, c.c1);
    if (m == "brown3")
        return std::make_unique<SeriesForecastTripleExponentialSmoothingBrown>(c.start, c.periods, c.c1);
    if (m == "holt")
        return std::make_unique<SeriesForecastDoubleExponentialSmoothingHolt>(c.start, c.periods, c.c1, c.c2);
    if (m == "adaptive")
        return std::make_unique<SeriesForecastAdaptiveExponentialSmoothing>(c.start, c.c1, c.periods);
    return std::make_unique<SeriesForecastTripleExponentialSmoothingWinters>(c.start, c.length, c.periods, c.c1,
                                                                             c.c2, c.c3, c.decompType);
}

TEST(SmoothingFamily, MatchesIndependentComputation)
{
    for (const FamilyCase& c : kFamilyCases) {
        const std::string m = c.method;
        SCOPED_TRACE(m + " n " + std::to_string(c.n) + " start " + std::to_string(c.start) + " constants " +
                     std::to_string(c.c1) + " " + std::to_string(c.c2) + " " + std::to_string(c.c3) + " type " +
                     std::to_string(c.decompType));
        Series s;
        fillSeries(s, std::vector<double>(c.data, c.data + c.n));
        std::unique_ptr<SeriesForecast> method = methodFor(c);
        forecast(s, *method);

        ASSERT_EQ(s.numObservations(), c.n + c.periods);
        std::int32_t code = 0;
        for (std::int32_t i = c.start; i < c.n + c.periods; ++i) {
            const Observation& o = s.observation(i);
            const double fitted = o.storedResults.value(QD_FORECAST);
            const double expected = c.fit[i - c.start];
            EXPECT_EQ(fitted, expected) << i;
            EXPECT_NEAR(fitted, c.exact[i - c.start], 1e-9 * std::fmax(1.0, std::fabs(c.exact[i - c.start]))) << i;
            if (i >= c.n) {
                EXPECT_EQ(o.originType, QD_COMPUTED);
                EXPECT_EQ(o.value, expected);
            }
        }
        for (std::int32_t i = 0; i < c.start; ++i)
            EXPECT_EQ(s.observation(i).storedResults.count(-1), 0) << i;
        if (m == "brown2" || m == "brown3") {
            code = m == "brown2" ? QD_DOUBLE_EXPONENTIAL_SMOOTHING_BROWN : QD_TRIPLE_EXPONENTIAL_SMOOTHING_BROWN;
            EXPECT_EQ(s.storedResults.value(QD_ALPHA), c.k1);
            double unused = 0.0;
            EXPECT_EQ(s.storedResults.lookup(QD_LEVEL_FINAL_VALUE, unused), QD_QUANTITY_ABSENT);
        } else if (m == "adaptive") {
            code = QD_ADAPTIVE_EXPONENTIAL_SMOOTHING;
            EXPECT_EQ(s.storedResults.value(QD_BETA), c.k1);
        } else if (m == "holt") {
            code = QD_DOUBLE_EXPONENTIAL_SMOOTHING_HOLT;
            EXPECT_EQ(s.storedResults.value(QD_ALPHA), c.k1);
            EXPECT_EQ(s.storedResults.value(QD_GAMMA), c.k2);
            EXPECT_EQ(s.storedResults.value(QD_LEVEL_FINAL_VALUE), c.finalLevel);
            EXPECT_EQ(s.storedResults.value(QD_TREND_FINAL_VALUE), c.finalTrend);
        } else {
            code = QD_HOLT_WINTERS;
            EXPECT_EQ(s.storedResults.value(QD_ALPHA), c.k1);
            EXPECT_EQ(s.storedResults.value(QD_BETA), c.k2);
            EXPECT_EQ(s.storedResults.value(QD_GAMMA), c.k3);
            EXPECT_EQ(s.storedResults.value(QD_LEVEL_FINAL_VALUE), c.finalLevel);
            EXPECT_EQ(s.storedResults.value(QD_TREND_FINAL_VALUE), c.finalTrend);
            for (std::int32_t i = 0; i < c.length; ++i) {
                double v = 0.0;
                ASSERT_EQ(s.storedResults.lookupMultiple(QD_SEASONAL_INDEX, i, v), QD_QUANTITY_FOUND);
                EXPECT_EQ(v, c.factors[i]) << i;
                ASSERT_EQ(s.storedResults.lookupMultiple(QD_INITIAL_SEASONAL_INDEX, i, v), QD_QUANTITY_FOUND);
                EXPECT_NEAR(v, c.initial[i], 1e-12 * std::fmax(1.0, std::fabs(c.initial[i]))) << i;
            }
            EXPECT_EQ(s.seasonalLength, c.length);
            EXPECT_EQ(s.decompositionType, c.typeUsed);
        }
        EXPECT_EQ(s.forecastMethodNumber, code);
        EXPECT_EQ(s.observation(c.start).storedResults.value(code),
                  s.observation(c.start).storedResults.value(QD_FORECAST));
        if (m != "winters") {
            EXPECT_EQ(s.seasonalLength, 0);
            EXPECT_EQ(s.decompositionType, 0);
        }
        // The supplied observations keep their values.
        for (std::int32_t i = 0; i < c.n; ++i)
            EXPECT_EQ(s.observation(i).value, c.data[i]);
    }
}

// Brown's double smoothing with alpha a is Holt's recurrence with level
// constant a(2 - a) and trend constant a / (2 - a), once both have the
// same level and trend.
TEST(SmoothingFamily, BrownDoubleIsTheEquivalentHoltModel)
{
    const std::vector<double> y = airline(36);
    for (double a : {0.1, 0.35, 0.8}) {
        Series s = seriesOf(y);
        SeriesForecastDoubleExponentialSmoothingBrown brown(0, 4, a);
        forecast(s, brown);
        // Level and trend after observation 0 from Brown's two smoothings.
        const double s0 = (y[0] + y[1] + y[2]) / 3.0;
        const double s1 = a * y[0] + (1.0 - a) * s0;
        const double s2 = a * s1 + (1.0 - a) * s0;
        double level = 2.0 * s1 - s2;
        double trend = a * (s1 - s2) / (1.0 - a);
        const double ha = a * (2.0 - a);
        const double hg = a / (2.0 - a);
        for (std::size_t t = 1; t < y.size(); ++t) {
            EXPECT_NEAR(s.observation(static_cast<std::int32_t>(t)).storedResults.value(QD_FORECAST), level + trend,
                        1e-9 * y[t]) << t;
            const double next = ha * y[t] + (1.0 - ha) * (level + trend);
            trend = hg * (next - level) + (1.0 - hg) * trend;
            level = next;
        }
        for (std::int32_t m = 1; m <= 4; ++m)
            EXPECT_NEAR(s.observation(35 + m).value, level + m * trend, 1e-9 * level) << m;
    }
}

struct CheckCase {
    const char* name;
    std::function<SeriesForecast*()> make;
    std::int32_t code;
    const char* file;
    std::int32_t line;
};

const char* const kBrown2 = "Libraries\\SeriesCompute\\SeriesForecastDoubleExponentialSmoothingBrown";
const char* const kBrown3 = "Libraries\\SeriesCompute\\SeriesForecastTripleExponentialSmoothingBrown";
const char* const kHolt = "Libraries\\SeriesCompute\\SeriesForecastDoubleExponentialSmoothingHolt";
const char* const kAdaptive = "Libraries\\SeriesCompute\\SeriesForecastAdaptiveExponentialSmoothing";
const char* const kWinters = "Libraries\\SeriesCompute\\SeriesForecastTripleExponentialSmoothingWinters";
const char* const kMovingAverage = "Libraries\\SeriesCompute\\SeriesForecastMovingAverage";
const char* const kWeighted = "Libraries\\SeriesCompute\\SeriesForecastWeightedMovingAverage";
const char* const kBase = "INCLUDE\\SeriesCompute/SeriesCompute";

using W = SeriesForecastTripleExponentialSmoothingWinters;

// Every check fails before anything is written, in each class's order;
// a constant that is not a number fails with the constant's own code.
TEST(SmoothingFamily, ChecksComeBeforeAnyChange)
{
    static const double factors[] = {1.0, 1.0};
    const std::vector<CheckCase> cases = {
        {"brown2 alpha 1", [] { return new SeriesForecastDoubleExponentialSmoothingBrown(0, 1, 1.0); }, 3007, kBrown2, 75},
        {"brown2 alpha NaN", [] { return new SeriesForecastDoubleExponentialSmoothingBrown(0, 1, kNaN); }, 3007, kBrown2, 75},
        {"brown2 order", [] { return new SeriesForecastDoubleExponentialSmoothingBrown(-1, 1, 2.0); }, 3007, kBrown2, 75},
        {"brown2 last", [] { return new SeriesForecastDoubleExponentialSmoothingBrown(QD_LAST, 1, 0.5); }, 3000, kBrown2, 78},
        {"brown2 end", [] { return new SeriesForecastDoubleExponentialSmoothingBrown(8, 1, 0.5); }, 3006, kBrown2, 81},
        {"brown2 periods", [] { return new SeriesForecastDoubleExponentialSmoothingBrown(0, -1, 0.5); }, 3030, kBrown2, 84},
        {"brown3 order", [] { return new SeriesForecastTripleExponentialSmoothingBrown(-1, 1, 2.0); }, 3000, kBrown3, 81},
        {"brown3 end", [] { return new SeriesForecastTripleExponentialSmoothingBrown(8, 1, 0.5); }, 3006, kBrown3, 84},
        {"brown3 periods", [] { return new SeriesForecastTripleExponentialSmoothingBrown(0, -1, 0.5); }, 3030, kBrown3, 87},
        {"brown3 alpha 1", [] { return new SeriesForecastTripleExponentialSmoothingBrown(0, 1, 1.0); }, 3007, kBrown3, 90},
        {"brown3 alpha NaN", [] { return new SeriesForecastTripleExponentialSmoothingBrown(0, 1, kNaN); }, 3007, kBrown3, 90},
        {"holt alpha", [] { return new SeriesForecastDoubleExponentialSmoothingHolt(0, 1, 1.0000001, 0.5); }, 3007, kHolt, 96},
        {"holt alpha NaN", [] { return new SeriesForecastDoubleExponentialSmoothingHolt(0, 1, kNaN, 0.5); }, 3007, kHolt, 96},
        {"holt gamma NaN", [] { return new SeriesForecastDoubleExponentialSmoothingHolt(0, 1, 0.5, kNaN); }, 3013, kHolt, 99},
        {"holt negative", [] { return new SeriesForecastDoubleExponentialSmoothingHolt(-1, 1, 0.5, 0.5); }, 3000, kHolt, 104},
        {"holt end", [] { return new SeriesForecastDoubleExponentialSmoothingHolt(7, 1, 0.5, 0.5); }, 3006, kHolt, 107},
        {"holt periods", [] { return new SeriesForecastDoubleExponentialSmoothingHolt(0, -1, 0.5, 0.5); }, 3030, kHolt, 110},
        {"adaptive order", [] { return new SeriesForecastAdaptiveExponentialSmoothing(0, 2.0, -1); }, 3030, kAdaptive, 74},
        {"adaptive negative", [] { return new SeriesForecastAdaptiveExponentialSmoothing(-1, 0.5, 1); }, 3000, kAdaptive, 77},
        {"adaptive end", [] { return new SeriesForecastAdaptiveExponentialSmoothing(8, 0.5, 1); }, 3006, kAdaptive, 80},
        {"adaptive beta NaN", [] { return new SeriesForecastAdaptiveExponentialSmoothing(0, kNaN, 1); }, 3008, kAdaptive, 83},
        {"winters negative", [] { return new W(-1, 4, 1, 0.5, 0.5, 0.5, 1); }, 3000, kWinters, 235},
        {"winters zero demand -3", [] { return new W(-3, 2, 1, 0.5, 0.5, 0.5, 1, true, 1.0, 0.0, factors); }, 3000, kWinters, 235},
        {"winters end", [] { return new W(8, 4, 1, 0.5, 0.5, 0.5, 1); }, 3006, kWinters, 238},
        {"winters periods", [] { return new W(0, 4, -1, 0.5, 0.5, 0.5, 1); }, 3030, kWinters, 241},
        {"winters alpha NaN", [] { return new W(0, 4, 1, kNaN, 0.5, 0.5, 1); }, 3007, kWinters, 244},
        {"winters beta NaN", [] { return new W(0, 4, 1, 0.5, kNaN, 0.5, 1); }, 3008, kWinters, 247},
        {"winters gamma NaN", [] { return new W(0, 4, 1, 0.5, 0.5, kNaN, 1); }, 3013, kWinters, 250},
        {"winters alpha", [] { return new W(0, 4, 1, 1.0000001, 0.5, 0.5, 1); }, 3007, kWinters, 244},
        {"winters type 0", [] { return new W(0, 4, 1, 0.5, 0.5, 0.5, 0); }, 3082, kWinters, 253},
        {"winters length -1", [] { return new W(0, -1, 1, 0.5, 0.5, 0.5, 1); }, 3051, kWinters, 269},
        {"winters zero demand 0", [] { return new W(0, 0, 1, 0.5, 0.5, 0.5, 1, true, 1.0, 0.0, factors); }, 3051, kWinters, 269},
        {"winters zero demand none", [] { return new W(0, 2, 1, 0.5, 0.5, 0.5, 1, true, 1.0, 0.0, nullptr); }, 3051, kWinters, 269},
        {"winters length 9", [] { return new W(0, 9, 1, 0.5, 0.5, 0.5, 1); }, 3051, kWinters, 272},
        {"moving average window", [] { return new SeriesForecastMovingAverage(3, 5, 1); }, 3005, kBase, 148},
        {"moving average periods", [] { return new SeriesForecastMovingAverage(QD_LAST, 2, -1); }, 3030, kMovingAverage, 47},
        {"weighted periods", [] { return new SeriesForecastWeightedMovingAverage(QD_LAST, 2, -1); }, 3030, kWeighted, 52},
        {"weighted window", [] { return new SeriesForecastWeightedMovingAverage(QD_LAST, 0, 1); }, 3001, kBase, 142},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        Series s = seriesOf({4.0, 7.0, 5.0, 9.0, 6.0, 8.0, 5.0, 7.0});
        std::unique_ptr<SeriesForecast> method(c.make());
        EXPECT_MVR_AT(forecast(s, *method), c.code, c.file, c.line);
        EXPECT_EQ(s.numObservations(), 8);
        for (std::int32_t i = 0; i < 8; ++i)
            EXPECT_EQ(s.observation(i).storedResults.count(-1), 0) << i;
        EXPECT_EQ(s.storedResults.count(-1), 0);
        EXPECT_EQ(s.forecastMethodNumber, -1);
    }
}

// A horizon whose arrays cannot be described fails as out of memory before
// anything is written, in every class and in the zero-demand path.
TEST(SmoothingFamily, HugeHorizonIsRefusedBeforeAnyWrite)
{
    static const double factors[] = {1.0, 2.0, 3.0, 4.0};
    const std::vector<std::function<SeriesForecast*(std::int32_t)>> makers = {
        [](std::int32_t h) { return new SeriesForecastDoubleExponentialSmoothingBrown(0, h, 0.5); },
        [](std::int32_t h) { return new SeriesForecastTripleExponentialSmoothingBrown(0, h, 0.5); },
        [](std::int32_t h) { return new SeriesForecastDoubleExponentialSmoothingHolt(0, h, 0.5, 0.5); },
        [](std::int32_t h) { return new SeriesForecastAdaptiveExponentialSmoothing(0, 0.5, h); },
        [](std::int32_t h) { return new W(0, 4, h, 0.5, 0.5, 0.5, 1); },
        [](std::int32_t h) { return new W(QD_LAST, 4, h, 0.0, 0.0, 0.0, 2, true, 10.0, 1.0, factors); },
        [](std::int32_t h) { return new SeriesForecastMovingAverage(QD_LAST, 3, h); },
        [](std::int32_t h) { return new SeriesForecastWeightedMovingAverage(QD_LAST, 3, h); },
    };
    for (std::size_t k = 0; k < makers.size(); ++k) {
        for (std::int32_t h : {kHuge, kHuge - 5}) {
            SCOPED_TRACE("method " + std::to_string(k) + " periods " + std::to_string(h));
            Series s = seriesOf({4.0, 7.0, 5.0, 9.0, 6.0, 8.0, 5.0, 7.0});
            std::unique_ptr<SeriesForecast> method(makers[k](h));
            EXPECT_THROW(forecast(s, *method), std::bad_alloc);
            EXPECT_EQ(s.numObservations(), 8);
            EXPECT_EQ(s.observation(7).storedResults.count(-1), 0);
            EXPECT_EQ(s.forecastMethodNumber, -1);
        }
    }
}

// QD_LAST is resolved for each series: one object applied to a short and
// then a longer series forecasts each from its own end.
TEST(SmoothingFamily, LastObservationIsResolvedPerSeries)
{
    static const double factors[] = {1.0, 2.0};
    const std::vector<std::function<SeriesForecast*()>> makers = {
        [] { return new SeriesForecastDoubleExponentialSmoothingHolt(QD_LAST, 1, 0.5, 0.5); },
        [] { return new W(QD_LAST, 2, 1, 0.0, 0.0, 0.0, 1, true, 10.0, 1.0, factors); },
        [] { return new SeriesForecastMovingAverage(QD_LAST, 2, 1); },
        [] { return new SeriesForecastWeightedMovingAverage(QD_LAST, 2, 1); },
    };
    for (std::size_t k = 0; k < makers.size(); ++k) {
        SCOPED_TRACE("method " + std::to_string(k));
        std::unique_ptr<SeriesForecast> method(makers[k]());
        Series shorter = seriesOf({1.0, 2.0, 3.0, 4.0, 5.0});
        forecast(shorter, *method);
        EXPECT_EQ(shorter.numObservations(), 6);
        Series longer = seriesOf({1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0});
        forecast(longer, *method);
        ASSERT_EQ(longer.numObservations(), 9);
        EXPECT_EQ(longer.observation(8).originType, QD_COMPUTED);
        EXPECT_EQ(shorter.numObservations(), 6);
        // A series shorter than the first fails nowhere either.
        Series shortest = seriesOf({1.0, 2.0, 3.0});
        EXPECT_NO_THROW(forecast(shortest, *method));
        EXPECT_EQ(shortest.numObservations(), 4);
    }
}

TEST(SmoothingFamily, HoltEdgeCases)
{
    // Fewer than two observations: nothing tested, written or stored.
    Series one = seriesOf({5.0});
    SeriesForecastDoubleExponentialSmoothingHolt bad(-7, -1, 9.0, 9.0);
    EXPECT_NO_THROW(forecast(one, bad));
    EXPECT_EQ(one.numObservations(), 1);
    EXPECT_EQ(one.storedResults.count(-1), 0);
    // QD_LAST starts at the last but one observation.
    Series s = seriesOf({4.0, 7.0, 5.0, 9.0, 6.0});
    SeriesForecastDoubleExponentialSmoothingHolt last(QD_LAST, 0, 0.5, 0.5);
    forecast(s, last);
    EXPECT_EQ(s.observation(2).storedResults.count(-1), 0);
    EXPECT_EQ(s.observation(3).storedResults.count(-1), 2);
    // The constants come back after a fit.
    SeriesForecastDoubleExponentialSmoothingHolt fitted(0, 1, -3.0, -3.0);
    Series t = seriesOf(airline(24));
    forecast(t, fitted);
    EXPECT_EQ(fitted.alpha, -3.0);
    EXPECT_EQ(fitted.gamma, -3.0);
}

TEST(SmoothingFamily, BrownTripleFromTheLastObservationRepeatsIt)
{
    Series s = seriesOf({4.0, 7.0, 5.0, 9.0, 6.0});
    SeriesForecastTripleExponentialSmoothingBrown method(4, 3, -3.0);
    forecast(s, method);
    ASSERT_EQ(s.numObservations(), 8);
    for (std::int32_t i = 4; i < 8; ++i)
        EXPECT_EQ(s.observation(i).storedResults.value(QD_FORECAST), 6.0) << i;
}

TEST(SmoothingFamily, AdaptiveOnConstantDataKeepsBeta)
{
    Series s = seriesOf({3.0, 3.0, 3.0, 3.0, 3.0});
    SeriesForecastAdaptiveExponentialSmoothing method(0, 0.4, 2);
    forecast(s, method);
    for (std::int32_t i = 0; i < 7; ++i)
        EXPECT_EQ(s.observation(i).storedResults.value(QD_FORECAST), 3.0) << i;
    EXPECT_EQ(s.storedResults.value(QD_BETA), 0.4);
}

TEST(HoltWinters, LengthZeroRunsHolt)
{
    Series s = seriesOf(airline(24));
    W method(0, 0, 2, 0.4, -3.0, 0.2, 2);
    forecast(s, method);
    Series holt = seriesOf(airline(24));
    SeriesForecastDoubleExponentialSmoothingHolt reference(0, 2, 0.4, 0.2);
    forecast(holt, reference);
    ASSERT_EQ(s.numObservations(), 26);
    for (std::int32_t i = 0; i < 26; ++i) {
        EXPECT_EQ(s.observation(i).storedResults.value(QD_FORECAST),
                  holt.observation(i).storedResults.value(QD_FORECAST)) << i;
        EXPECT_EQ(s.observation(i).storedResults.value(QD_DOUBLE_EXPONENTIAL_SMOOTHING_HOLT),
                  holt.observation(i).storedResults.value(QD_FORECAST)) << i;
    }
    EXPECT_EQ(s.forecastMethodNumber, QD_HOLT_WINTERS);
    EXPECT_EQ(s.seasonalLength, 0);
    EXPECT_EQ(s.storedResults.value(QD_BETA), 0.0);
    EXPECT_EQ(s.storedResults.multiple(QD_SEASONAL_INDEX), nullptr);
    EXPECT_EQ(method.beta, -3.0);
}

TEST(HoltWinters, DetectedLengthAndDefaults)
{
    // Defaults with a detected length on the airline series.
    Series s = seriesOf(airline(144));
    W method(0, QD_COMPUTE, 12, -3.0, -3.0, -3.0, 2);
    forecast(s, method);
    EXPECT_EQ(s.seasonalLength, 12);
    EXPECT_EQ(s.decompositionType, 2);
    ASSERT_EQ(s.numObservations(), 156);
    // Seasonal forecasts: the summer peak of the last year comes back.
    EXPECT_GT(s.observation(144 + 6).value, s.observation(144 + 10).value);
    EXPECT_GT(s.observation(144 + 6).value, 550.0);
    EXPECT_EQ(method.seasonalityLength, QD_COMPUTE);
    // Too short to detect: the detection's failure reaches the caller.
    Series seven = seriesOf(airline(7));
    W detect(0, QD_COMPUTE, 1, 0.5, 0.5, 0.5, 1);
    EXPECT_MVR_AT(forecast(seven, detect), 3039, "Libraries\\MatrixLib\\Series", 568);
    EXPECT_EQ(seven.numObservations(), 7);
    EXPECT_EQ(method.alpha, -3.0);
    // Fewer than two observations from the start: nothing is done.
    Series t = seriesOf(airline(24));
    W late(23, 12, 3, -3.0, -3.0, -3.0, 2);
    forecast(t, late);
    EXPECT_EQ(t.numObservations(), 24);
    EXPECT_EQ(t.storedResults.count(-1), 0);
}

TEST(HoltWinters, ZeroDemand)
{
    static const double factors[] = {0.5, 1.5, 1.0};
    // On an empty series from -1: observations 0 .. h - 1.
    Series empty;
    W mult(-1, 3, 4, 0.0, 0.0, 0.0, 2, true, 10.0, 2.0, factors);
    mult.compute(empty, 1);
    ASSERT_EQ(empty.numObservations(), 4);
    const double expected[] = {12.0 * 0.5, 14.0 * 1.5, 16.0 * 1.0, 18.0 * 0.5};
    for (std::int32_t i = 0; i < 4; ++i)
        EXPECT_EQ(empty.observation(i).value, expected[i]) << i;
    EXPECT_EQ(empty.decompositionType, 2);
    EXPECT_EQ(empty.seasonalLength, 3);
    EXPECT_EQ(empty.storedResults.value(QD_LEVEL_FINAL_VALUE), 10.0);
    // Any type but 2 is additive and records 1.
    Series s = seriesOf({1.0, 2.0, 3.0});
    W other(QD_LAST, 3, 2, 0.0, 0.0, 0.0, 7, true, 10.0, 2.0, factors);
    forecast(s, other);
    ASSERT_EQ(s.numObservations(), 5);
    EXPECT_EQ(s.observation(3).value, 12.5);
    EXPECT_EQ(s.observation(4).value, 15.5);
    EXPECT_EQ(s.decompositionType, 1);
}

TEST(HoltWinters, DecompositionChoice)
{
    // With given constants a type-3 call still compares both forms and
    // keeps the smaller error; data with a zero are fitted additively.
    Series pos = seriesOf(airline(48));
    W choose(0, 12, 1, 0.3, 0.2, 0.1, 3);
    forecast(pos, choose);
    Series add = seriesOf(airline(48));
    W additive(0, 12, 1, 0.3, 0.2, 0.1, 1);
    forecast(add, additive);
    Series mul = seriesOf(airline(48));
    W multiplicative(0, 12, 1, 0.3, 0.2, 0.1, 2);
    forecast(mul, multiplicative);
    const double addError = sumSquaredError(add, 47, 48);
    const double mulError = sumSquaredError(mul, 47, 48);
    EXPECT_EQ(pos.decompositionType, mulError <= addError ? 2 : 1);
    EXPECT_EQ(pos.observation(48).value, (mulError <= addError ? mul : add).observation(48).value);

    std::vector<double> withZero = airline(48);
    withZero[20] = 0.0;
    Series z = seriesOf(withZero);
    W zeroChoice(0, 12, 1, 0.3, 0.2, 0.1, 3);
    forecast(z, zeroChoice);
    EXPECT_EQ(z.decompositionType, 1);
}

// ---- seasonal-length detection --------------------------------------------

std::vector<double> quarterly(std::int32_t n)
{
    const double pattern[] = {80.0, 120.0, 140.0, 60.0};
    std::vector<double> v;
    for (std::int32_t i = 0; i < n; ++i)
        v.push_back(pattern[i % 4] + 2.0 * i + ((i * 7) % 5));
    return v;
}

TEST(SeasonalLength, FindsTheSeason)
{
    std::int32_t length = -1;
    Series air = seriesOf(airline(144));
    EXPECT_EQ(detectSeasonalLength(air, 0, 0.4, 0.0, &length, 2.0), QD_SEASONALITY_FOUND);
    EXPECT_EQ(length, 12);
    // The series itself is unchanged.
    EXPECT_EQ(air.observation(0).storedResults.count(-1), 0);
    EXPECT_EQ(air.storedResults.count(-1), 0);

    Series q = seriesOf(quarterly(40));
    length = -1;
    EXPECT_EQ(detectSeasonalLength(q, 0, 0.4, 0.0, &length, 2.0), QD_SEASONALITY_FOUND);
    EXPECT_EQ(length, 4);
}

TEST(SeasonalLength, CandidatesAndChecks)
{
    const char* const file = "Libraries\\MatrixLib\\Series";
    std::int32_t length = -1;
    Series twenty = seriesOf(airline(20));
    EXPECT_MVR_AT(detectSeasonalLength(twenty, 0, 0.2, 0.3, &length, 2.0), 3055, file, 535);
    EXPECT_MVR_AT(detectSeasonalLength(twenty, 0, kNaN, 0.0, &length, 2.0), 3055, file, 535);
    EXPECT_MVR_AT(detectSeasonalLength(twenty, 0, 1.5, 0.0, &length, 2.0), 3055, file, 535);
    EXPECT_MVR_AT(detectSeasonalLength(twenty, -1, 0.4, 0.0, &length, 2.0), 3000, file, 526);
    EXPECT_MVR_AT(detectSeasonalLength(twenty, 20, 0.4, 0.0, &length, 2.0), 3006, file, 530);
    // 20 observations try 4, 6 and 7; 8 try only 4; 7 too few.
    detectSeasonalLength(twenty, 0, 1.0, -1.0, &length, 2.0);
    EXPECT_TRUE(length == 4 || length == 6 || length == 7) << length;
    Series eight = seriesOf(airline(8));
    length = -1;
    detectSeasonalLength(eight, 0, 1.0, -1.0, &length, 2.0);
    EXPECT_EQ(length, 4);
    Series seven = seriesOf(airline(7));
    length = -1;
    EXPECT_MVR_AT(detectSeasonalLength(seven, 0, 0.4, 0.0, &length, 2.0), 3039, file, 568);
    EXPECT_EQ(length, -1);
    // Starting later copies only the observations from the start on.
    Series air = seriesOf(airline(30));
    EXPECT_MVR_AT(detectSeasonalLength(air, 23, 0.4, 0.0, &length, 2.0), 3039, file, 568);
}

// ---- moving averages ----------------------------------------------------------

TEST(MovingAverage, WindowsAndForecasts)
{
    Series s = seriesOf({1.0, 2.0, 3.0, 4.0});
    SeriesForecastMovingAverage method(QD_LAST, 2, 3);
    forecast(s, method);
    ASSERT_EQ(s.numObservations(), 7);
    EXPECT_EQ(s.observation(4).value, 3.5);
    EXPECT_EQ(s.observation(5).value, 3.75);
    EXPECT_EQ(s.observation(6).value, 3.625);
    EXPECT_EQ(s.observation(6).storedResults.value(QD_MOVING_AVERAGE), 3.625);
    // The window carries the fits of exponential smoothing with alpha 0.2.
    Series smoothed = seriesOf({1.0, 2.0, 3.0, 4.0});
    SeriesForecastExponentialSmoothing es(0, 0.2, 0, false, 0.0);
    forecast(smoothed, es);
    for (std::int32_t i = 2; i < 4; ++i)
        EXPECT_EQ(s.observation(i).storedResults.value(QD_MOVING_AVERAGE),
                  smoothed.observation(i).storedResults.value(QD_FORECAST)) << i;
    EXPECT_EQ(s.observation(1).storedResults.value(QD_MOVING_AVERAGE), 0.0);
    EXPECT_EQ(s.storedResults.value(QD_PERIOD_LENGTH), 2.0);
    EXPECT_EQ(s.storedResults.value(QD_ALPHA), 0.2);
    EXPECT_EQ(s.forecastMethodNumber, QD_MOVING_AVERAGE);
    EXPECT_EQ(method.observationNumber, QD_LAST);
    EXPECT_EQ(method.numHistoricalValues, 2);

    // From inside the data the actual values stay and later windows use them.
    Series t = seriesOf({1.0, 2.0, 3.0, 4.0, 10.0});
    SeriesForecastMovingAverage inside(2, 2, 3);
    forecast(t, inside);
    ASSERT_EQ(t.numObservations(), 6);
    EXPECT_EQ(t.observation(3).storedResults.value(QD_FORECAST), 2.5);
    EXPECT_EQ(t.observation(3).value, 4.0);
    EXPECT_EQ(t.observation(4).storedResults.value(QD_FORECAST), 3.5);
    EXPECT_EQ(t.observation(5).value, 7.0);
}

TEST(WeightedMovingAverage, WeightsAndHistory)
{
    Series s = seriesOf({1.0, 2.0, 3.0});
    SeriesForecastWeightedMovingAverage method(QD_LAST, 3, 3);
    forecast(s, method);
    ASSERT_EQ(s.numObservations(), 6);
    const double f1 = 14.0 / 6.0;
    const double f2 = (2.0 + 6.0 + 3.0 * f1) / 6.0;
    EXPECT_DOUBLE_EQ(s.observation(3).value, f1);
    EXPECT_DOUBLE_EQ(s.observation(4).value, f2);
    EXPECT_DOUBLE_EQ(s.observation(5).value, (3.0 + 2.0 * f1 + 3.0 * f2) / 6.0);
    Series smoothed = seriesOf({1.0, 2.0, 3.0});
    SeriesForecastExponentialSmoothing es(0, 0.2, 0, false, 0.0);
    forecast(smoothed, es);
    for (std::int32_t i = 0; i < 3; ++i)
        EXPECT_EQ(s.observation(i).storedResults.value(QD_WEIGHTED_MOVING_AVERAGE),
                  smoothed.observation(i).storedResults.value(QD_FORECAST)) << i;
    EXPECT_EQ(s.storedResults.value(QD_PERIOD_LENGTH), 3.0);
    EXPECT_EQ(s.forecastMethodNumber, QD_WEIGHTED_MOVING_AVERAGE);

    // The history step leaves the values of computed observations (earlier
    // forecasts) as they were; the forecasts average those values.
    Series t = seriesOf({1.0, 2.0, 3.0});
    t.addObservation(10.0, QD_COMPUTED, FdCString("0"));
    SeriesForecastWeightedMovingAverage again(QD_LAST, 2, 1);
    forecast(t, again);
    EXPECT_EQ(t.observation(3).value, 10.0);
    EXPECT_NE(t.observation(3).storedResults.value(QD_WEIGHTED_MOVING_AVERAGE), 10.0);
    EXPECT_DOUBLE_EQ(t.observation(4).value, (3.0 + 2.0 * 10.0) / 3.0);

    // N = 1 repeats the last value.
    Series u = seriesOf({4.0, 9.0});
    SeriesForecastWeightedMovingAverage one(QD_LAST, 1, 3);
    forecast(u, one);
    for (std::int32_t i = 2; i < 5; ++i)
        EXPECT_EQ(u.observation(i).value, 9.0);
}

// 1 + ... + N beyond 32 bits (N >= 65,536 is reached with the defaults).
TEST(WeightedMovingAverage, LongWindowWeightSum)
{
    Series s = seriesOf(std::vector<double>(70000, 5.0));
    SeriesForecastWeightedMovingAverage method(QD_LAST, QD_ALL, 1);
    forecast(s, method);
    ASSERT_EQ(s.numObservations(), 70001);
    EXPECT_NEAR(s.observation(70000).value, 5.0, 1e-9);
}

// ---- mode and median ------------------------------------------------------------

TEST(ModeMedian, Values)
{
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        std::vector<double> values;
        double mode;
        double median;
    } cases[] = {
        {{1, 2, 3}, 0.0, 2.0},
        {{5}, 0.0, 5.0},
        {{2, 7, 7, 2}, 2.0, 4.5},
        {{1, 3, 3, 1, 1}, 1.0, 1.0},
        {{2.4, 2.9, 2.9, 2.4, 2.9}, 2.9, 2.9},
        {{3, 1, 2}, 0.0, 2.0},
        {{4, 1, 3, 2}, 0.0, 2.5},
        // Keys that have no 32-bit or 64-bit integer conversion.
        {{1e300, -1e300, 1e300, 3e9, 3e9, 3e9}, 3e9, 3e9},
        {{inf, -inf, inf, 5e18, 1.0}, inf, 5e18},
        {{DBL_MAX, DBL_MAX * 0.75}, 0.0, DBL_MAX * 0.875},
        {{-DBL_MAX, -DBL_MAX}, -DBL_MAX, -DBL_MAX},
    };
    for (const auto& c : cases) {
        Series s = seriesOf(c.values);
        SCOPED_TRACE(c.values.size());
        EXPECT_EQ(mode(s, QD_LAST, QD_ALL), c.mode);
        EXPECT_EQ(median(s, QD_LAST, QD_ALL), c.median);
    }
    // Values that are not numbers are counted and sorted without harm.
    Series nan = seriesOf({kNaN, 2, kNaN, 2});
    EXPECT_EQ(mode(nan, QD_LAST, QD_ALL), 2.0);
    EXPECT_NO_THROW(median(nan, QD_LAST, QD_ALL));
    Series s = seriesOf({1, 2, 3});
    EXPECT_MVR_AT(median(s, QD_LAST, 4), 3005, kBase, 148);
    EXPECT_MVR_AT(mode(s, 3, 1), 3006, kBase, 145);
    SeriesComputeMedian functor(QD_LAST, QD_ALL);
    EXPECT_EQ(functor.quantityId(), QD_MEDIAN);
    EXPECT_EQ(SeriesComputeMode(QD_LAST, QD_ALL).quantityId(), QD_MODE);
}

TEST(ModeMedian, CachedPerRange)
{
    Series s = seriesOf({9, 1, 2, 3, 3});
    EXPECT_EQ(median(s, QD_LAST, QD_ALL), 3.0);
    EXPECT_EQ(median(s, 2, 3), 2.0);
    EXPECT_EQ(mode(s, QD_LAST, QD_ALL), 3.0);
    EXPECT_EQ(mode(s, 2, 3), 0.0);
    // A changed value is seen after the values are marked stale.
    s.observation(0).value = -1.0;
    s.setDirty(true, false);
    EXPECT_EQ(median(s, QD_LAST, QD_ALL), 2.0);
}

}  // namespace
