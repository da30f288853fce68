// Fit criteria, Ljung-Box and the sum of squared regression. Reference
// values: make_boxjenkins_reference.py and the worked examples below.
#include <cmath>
#include <cstring>
#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "ComputeTestSupport.h"
#include "Matrix/SeriesOpApplySeriesCompute.h"
#include "SeriesCompute/FitCriteria.h"
#include "SeriesCompute/SeriesComputeLjungBox.h"
#include "SeriesCompute/SeriesComputeSumSquaredRegression.h"
#include "SeriesCompute/SeriesForecastLinearRegression.h"
#include "SeriesCompute/SeriesStatistics.h"

namespace {

#include "BoxJenkinsReference.inc"
#include "SeriesStatsReference.inc"

// Ten values whose fits leave errors summing to a given SSE: errors of
// +-sqrt(2) give SSE 20.
void tenWithSse20(Series& s)
{
    for (std::int32_t i = 0; i < 10; ++i) {
        s.addObservation(10.0 + i, QD_SUPPLIED, FdCString());
        s.observation(i).storedResults.store(QD_FORECAST, 10.0 + i + (i % 2 ? 1.0 : -1.0) * std::sqrt(2.0));
    }
    s.setDirty(true, true);
}

TEST(FitCriteria, InformationCriteria)
{
    Series s;
    tenWithSse20(s);
    // 10 (ln 6.283185307 + 1 + ln 2) + 4 and + 2 ln 10 (30-digit values).
    EXPECT_NEAR(computeAIC(s, QD_LAST, QD_ALL, 2, -1.0), 39.310242469407086, 1e-9);
    EXPECT_NEAR(computeBIC(s, QD_LAST, QD_ALL, 2, -1.0), 39.91541265539518, 1e-9);
    EXPECT_NEAR(computeAIC(s, QD_LAST, QD_ALL, 2, 20.0), 39.310242469407086, 1e-9);
    // The functors store their values; an untouched series counts one
    // parameter.
    SeriesComputeAIC aic(QD_LAST, QD_ALL, QD_COMPUTE);
    SeriesOpApplySeriesCompute(aic).apply(s);
    EXPECT_NEAR(s.storedResults.value(QD_AIC), 39.310242469407086 - 2.0, 1e-9);
    SeriesComputeBIC bic(QD_LAST, QD_ALL, 3);
    SeriesOpApplySeriesCompute(bic).apply(s);
    EXPECT_NEAR(s.storedResults.value(QD_BIC), 39.91541265539518 + std::log(10.0), 1e-9);

    // A perfect fit: 0.0.
    Series perfect;
    fillSeries(perfect, {1.0, 2.0, 4.0});
    EXPECT_EQ(computeAIC(perfect, QD_LAST, QD_ALL, 1, -1.0), 0.0);
    EXPECT_EQ(computeBIC(perfect, QD_LAST, QD_ALL, 1, -1.0), 0.0);
    EXPECT_MVR_AT(computeBIC(s, QD_LAST, QD_ALL, 0, -1.0), 3053, "Libraries\\SeriesCompute\\SeriesComputeBIC", 75);
    EXPECT_MVR_CODE(computeAIC(s, 10, 1, 1, -1.0), 3006);
}

TEST(FitCriteria, TrackingSignal)
{
    Series s;
    fillSeries(s, {5.0, 5.0, 5.0});
    const double fits[] = {4.0, 6.0, 3.0};  // errors 1, -1, 2
    const bool has[] = {true, true, true};
    storeFits(s, fits, has, 3);
    EXPECT_DOUBLE_EQ(computeTrackingSignal(s, QD_LAST, QD_ALL, 2, 0.125), 0.5);
    EXPECT_DOUBLE_EQ(computeTrackingSignal(s, QD_LAST, QD_ALL, 1, 0.5), 1.0 / 1.5);
    EXPECT_EQ(computeTrackingSignal(s, QD_LAST, QD_ALL, 3, 0.5), 0.0);
    EXPECT_EQ(computeTrackingSignal(s, 1, 1, 3, 0.5), -1.0);  // one value: e / |e|
}

TEST(FitCriteria, BoxCox)
{
    Series s;
    fillSeries(s, kBoxCoxSeries);
    const double lamdas[] = {1.0, 0.5, 0.0, -1.0};
    for (std::int32_t i = 0; i < 4; ++i)
        EXPECT_NEAR(computeBoxCox(s, QD_LAST, QD_ALL, lamdas[i]), kBoxCoxSse[static_cast<std::size_t>(i)], 1e-9)
            << lamdas[i];
    // The source series is not changed.
    EXPECT_EQ(s.numObservations(), 7);
    EXPECT_EQ(s.forecastMethodNumber, -1);
    Series line;
    fillSeries(line, {2.0, 4.0, 6.0, 8.0});
    EXPECT_NEAR(computeBoxCox(line, QD_LAST, QD_ALL, 1.0), 0.0, 1e-12);
    const char* file = "Libraries\\SeriesCompute\\SeriesComputeBoxCox";
    // Outside [-1, 1], and not a number, are refused alike.
    for (double lamda : {1.5, -1.0000001, std::nan(""), -std::numeric_limits<double>::infinity()}) {
        SCOPED_TRACE(lamda);
        EXPECT_MVR_AT(computeBoxCox(s, QD_LAST, QD_ALL, lamda), 3074, file, 52);
    }
    s.observation(3).value = 0.0;
    s.setDirty(true, false);
    EXPECT_MVR_AT(computeBoxCox(s, QD_LAST, QD_ALL, 1.0), 3075, file, 62);
    EXPECT_MVR_AT(computeBoxCox(s, 7, 2, 1.0), 3006, file, 43);
}

// The score at lamda 1 is the error sum of the trend regression of x - 1
// (the scale factor is exactly 1 there): bit for bit what the series' own
// linear trend and its sum of squared errors give, and where that
// regression refuses the values, the score fails alike. Short windows,
// irregular values, a window inside a longer series and values near the
// largest doubles.
TEST(FitCriteria, BoxCoxIsTheTrendRegressionsErrorSum)
{
    struct Case {
        const char* what;
        std::vector<double> values;
        std::int32_t last;
        std::int32_t count;
    };
    const double huge = 0.9 * std::numeric_limits<double>::max();
    const Case cases[] = {
        {"two values", {3.0, 5.5}, QD_LAST, QD_ALL},
        {"three values", {3.1, 5.7, 4.2}, QD_LAST, QD_ALL},
        {"irregular", {3.1, 5.7, 4.2, 7.9, 9.3, 8.8, 11.4, 0.37, 123.25, 1e-3, 17.0}, QD_LAST, QD_ALL},
        {"a window", {3.1, 5.7, 4.2, 7.9, 9.3, 8.8, 11.4, 0.37, 123.25}, 6, 5},
        {"a straight line", {2.0, 4.0, 6.0, 8.0, 10.0}, QD_LAST, QD_ALL},
        {"near the largest doubles", {huge, 0.5 * huge, huge, 0.25 * huge}, QD_LAST, QD_ALL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Series s;
        fillSeries(s, c.values);
        const std::int32_t last = c.last == QD_LAST ? s.numObservations() - 1 : c.last;
        const std::int32_t count = c.count == QD_ALL ? s.numObservations() : c.count;
        Series shifted;
        for (std::int32_t i = last - count + 1; i <= last; ++i)
            shifted.addObservation(s.observation(i).value - 1.0, QD_SUPPLIED, FdCString());
        std::int32_t expectedCode = 0;
        double expected = 0.0;
        try {
            SeriesForecastLinearRegression line(QD_LAST, QD_ALL, 0, true, 0.0, false, 0.0, 0.0);
            applyForecast(shifted, line);
            expected = sumSquaredError(shifted, QD_LAST, QD_ALL);
        } catch (const MVRBaseException& e) {
            expectedCode = e.code;
        }
        if (expectedCode != 0) {
            EXPECT_MVR_CODE(computeBoxCox(s, c.last, c.count, 1.0), expectedCode);
            continue;
        }
        const double score = computeBoxCox(s, c.last, c.count, 1.0);
        EXPECT_EQ(std::memcmp(&score, &expected, sizeof score), 0) << score << " " << expected;
    }
}

TEST(FitCriteria, RSquareAndAdjusted)
{
    Series s;
    tenWithSse20(s);
    // SSD of 10..19 is 82.5.
    const double r2 = 1.0 - 20.0 / 82.5;
    EXPECT_NEAR(computeRSquare(s, QD_LAST, QD_ALL), r2, 1e-14);
    EXPECT_NEAR(computeAdjustedRSquare(s, QD_LAST, QD_ALL, 3), 1.0 - (1.0 - r2) * 9.0 / 7.0, 1e-14);
    EXPECT_MVR_CODE(computeAdjustedRSquare(s, QD_LAST, QD_ALL, 10), 3053);
    Series flat;
    fillSeries(flat, {3.0, 3.0, 3.0});
    EXPECT_EQ(computeRSquare(flat, QD_LAST, QD_ALL), 0.0);
    // Derived k of at least count: 0.0.
    Series two;
    fillSeries(two, {1.0, 2.0});
    two.forecastMethodNumber = QD_HOLT_WINTERS;  // three parameters
    EXPECT_EQ(computeAdjustedRSquare(two, QD_LAST, QD_ALL, QD_COMPUTE), 0.0);
}

TEST(LjungBox, TextbookQAndChiSquareTable)
{
    // Errors of the naive forecast (previous value) on 30 airline values;
    // the first observation has no forecast: its error is 0.0, as in the
    // error measures (not its value).
    Series s;
    std::vector<double> first30(kAirline.begin(), kAirline.begin() + 30);
    fillSeries(s, first30);
    for (std::int32_t i = 1; i < 30; ++i)
        s.observation(i).storedResults.store(QD_FORECAST, first30[static_cast<std::size_t>(i - 1)]);
    s.setDirty(true, true);
    EXPECT_NEAR(ljungBox(s, QD_LAST, QD_ALL, 5), kLjungBoxNaive5, 1e-10);
    SeriesComputeLjungBox functor(QD_LAST, QD_ALL, 5);
    SeriesOpApplySeriesCompute(functor).apply(s);
    EXPECT_NEAR(s.storedResults.value(QD_LJUNG_BOX), kLjungBoxNaive5, 1e-10);

    // Forecasts missing inside the range too (every fourth observation).
    Series gaps;
    fillSeries(gaps, first30);
    for (std::int32_t i = 1; i < 30; ++i)
        if (i % 4 != 0)
            gaps.observation(i).storedResults.store(QD_FORECAST, first30[static_cast<std::size_t>(i - 1)]);
    gaps.setDirty(true, true);
    EXPECT_NEAR(ljungBox(gaps, QD_LAST, QD_ALL, 3), kLjungBoxGaps3, 1e-10);

    // No forecasts at all: every residual is 0.0, whose autocorrelations
    // are 0, so Q is 0 (the values themselves are not taken as residuals).
    Series raw;
    fillSeries(raw, first30);
    EXPECT_EQ(ljungBox(raw, QD_LAST, QD_ALL, 1), 0.0);
    EXPECT_EQ(ljungBox(raw, 20, 10, 4), 0.0);
    EXPECT_MVR_AT(ljungBox(raw, 4, 5, 5), 3004, "Libraries\\SeriesCompute\\SeriesComputeLjungBox", 58);
    EXPECT_MVR_CODE(ljungBox(raw, 4, 5, 6), 3002);
    // The usual range checks, before any observation is read.
    EXPECT_MVR_CODE(ljungBox(raw, 30, 5, 1), 3006);
    EXPECT_MVR_CODE(ljungBox(raw, -5, 5, 1), 3000);
    EXPECT_MVR_CODE(ljungBox(raw, 10, 0, 1), 3001);
    EXPECT_MVR_CODE(ljungBox(raw, 10, 12, 1), 3005);

    EXPECT_EQ(chiSquareCritical95(1), 3.84);
    EXPECT_EQ(chiSquareCritical95(15), 25.0);
    EXPECT_EQ(chiSquareCritical95(30), 43.77);
    EXPECT_EQ(chiSquareCritical95(0), 55.76);
    EXPECT_EQ(chiSquareCritical95(31), 55.76);
    EXPECT_EQ(chiSquareCritical95(-4), 55.76);
}

TEST(SumSquaredRegression, AboutTheMeanAndCached)
{
    Series s;
    fillSeries(s, {1.0, 2.0, 3.0, 6.0});  // mean 3
    const double fits[] = {2.0, 2.0, 4.0, 5.0};
    const bool has[] = {true, false, true, true};
    storeFits(s, fits, has, 4);
    // Fitted values 2, 2 (its own value), 4, 5 about 3: 1 + 1 + 1 + 4.
    EXPECT_EQ(sumSquaredRegression(s, QD_LAST, QD_ALL), 7.0);
    // A second request on the unchanged series answers from the cache.
    s.observation(3).storedResults.store(QD_FORECAST, 100.0);
    EXPECT_EQ(sumSquaredRegression(s, QD_LAST, QD_ALL), 7.0);
    s.setDirty(false, true);
    EXPECT_EQ(sumSquaredRegression(s, QD_LAST, QD_ALL), 3.0 + 97.0 * 97.0);
    EXPECT_MVR_CODE(sumSquaredRegression(s, 4, 1), 3006);
    EXPECT_MVR_CODE(sumSquaredRegression(s, 3, 0), 3001);
}

}  // namespace
