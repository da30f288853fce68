// The X-11 style adjustment: the decomposition against an independent
// transcription of its steps (make_x11_reference.py) on the airline and two
// M3 series; the full compute's stored results, appended forecast periods,
// trading days and the choice of decomposition; the validation codes.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Matrix/QuantityTypes.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "MatrixCompute/MatrixForecastCensusX11.h"
#include "MatrixComputeTestSupport.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"
#include "SeriesCompute/SharedRoutines.h"

namespace {

#include "X11Reference.inc"

using namespace qd;

using qd::MatrixForecastCensusX11;

void expectClose(const std::vector<double>& a, const std::vector<double>& b, double relative)
{
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        EXPECT_NEAR(a[i], b[i], relative * std::max(1.0, std::fabs(b[i]))) << "at " << i;
}

std::vector<double> quantity(const Series& s, std::int32_t type, std::int32_t from, std::int32_t to)
{
    std::vector<double> v;
    for (std::int32_t i = from; i < to; ++i)
        v.push_back(s.observation(i).storedResults.value(type));
    return v;
}

// The exponential-smoothing fit (fitted alpha) of the trend-cycle, with f
// periods ahead: what the adjustment uses as its extended trend.
std::vector<double> smoothedTrend(const std::vector<double>& trend, std::int32_t f)
{
    Series work;
    for (double v : trend)
        work.addObservation(v, QD_SUPPLIED, FdCString());
    SeriesForecastExponentialSmoothing method(0, -3.0, f, false, 0.0);
    SeriesOpApplySeriesForecast(method).apply(work);
    const double* fitted = work.forecastValues();
    return std::vector<double>(fitted, fitted + trend.size() + f);
}

Matrix& dataMatrix(Matrix& m, const std::vector<double>& data)
{
    addRoleSeries(m, 0, {1.0, 2.0});  // another series, of another length
    addRoleSeries(m, QD_ACTUAL_X11_DATA, data);
    return m;
}

TEST(CensusX11, DecompositionAgreesWithIndependentTranscription)
{
    for (const X11Case& c : kX11Cases) {
        SCOPED_TRACE(c.what);
        const MatrixForecastCensusX11::Parts parts = MatrixForecastCensusX11::decompose(c.data, c.s, c.d, c.r);
        expectClose(parts.seasonal, c.seasonal, 1e-10);
        expectClose(parts.trend, c.trend, 1e-10);
        expectClose(parts.irregular, c.irregular, 1e-10);
        EXPECT_NEAR(parts.averageIrregular, c.averageIrregular, 1e-12);
    }
}

TEST(CensusX11, StoresPartsFitsAndForecastPeriods)
{
    const X11Case& c = kX11Cases[0];  // airline, multiplicative, s 12
    Matrix m;
    dataMatrix(m, c.data);
    MatrixForecastCensusX11(-2, -1, 12, 12, 2, 2.0, false, QD_EXPONENTIAL_SMOOTHING).compute(m, 1);
    const Series& s = m.series(1);
    ASSERT_EQ(s.numObservations(), 156);
    expectClose(quantity(s, QD_SEASONAL_FACTOR, 0, 144), c.seasonal, 1e-10);
    expectClose(quantity(s, QD_TREND_CYCLE, 0, 144), c.trend, 1e-10);
    expectClose(quantity(s, QD_IRREGULAR, 0, 144), c.irregular, 1e-10);
    EXPECT_NEAR(s.storedResults.value(QD_AVERAGE_IRREGULAR), c.averageIrregular, 1e-12);

    // Fitted values and forecasts: seasonal factor (extended by
    // (3 S[i-s] - S[i-2s]) / 2) times the smoothed trend-cycle.
    const std::vector<double> tx = smoothedTrend(c.trend, 12);
    std::vector<double> seasonal = c.seasonal;
    for (std::int32_t i = 144; i < 156; ++i)
        seasonal.push_back((3.0 * seasonal[i - 12] - seasonal[i - 24]) * 0.5);
    for (std::int32_t i = 0; i < 156; ++i) {
        const Observation& o = s.observation(i);
        const double fit = seasonal[i] * tx[i];
        EXPECT_NEAR(o.storedResults.value(QD_CENSUS_X11), fit, 1e-9 * fit) << i;
        EXPECT_EQ(o.storedResults.value(QD_FORECAST), o.storedResults.value(QD_CENSUS_X11));
        if (i >= 144) {
            EXPECT_NEAR(o.storedResults.value(QD_SEASONAL_FACTOR), seasonal[i], 1e-10);
            EXPECT_NEAR(o.storedResults.value(QD_TREND_CYCLE), tx[i], 1e-9 * tx[i]);
            double irregular = 0.0;
            EXPECT_NE(o.storedResults.lookup(QD_IRREGULAR, irregular), QD_QUANTITY_FOUND);
            EXPECT_EQ(o.originType, QD_COMPUTED);
            EXPECT_EQ(o.value, o.storedResults.value(QD_CENSUS_X11));
            EXPECT_EQ(std::string(o.description.data(), o.description.length()), std::to_string(i - 144));
        }
    }
    // The season's indexes: stored trend-cycle values averaged by position,
    // normalised multiplicatively.
    std::vector<double> indexes(12, 0.0);
    for (std::int32_t i = 0; i < 156; ++i)
        indexes[i % 12] += s.observation(i).storedResults.value(QD_TREND_CYCLE) / 13.0;
    normalizeSeasonalIndexes(12, 2, indexes.data());
    for (std::int32_t p = 0; p < 12; ++p) {
        double v = 0.0;
        s.storedResults.lookupMultiple(QD_INITIAL_SEASONAL_INDEX, p, v);
        EXPECT_NEAR(v, indexes[p], 1e-12);
    }
    EXPECT_EQ(s.forecastMethodNumber, QD_CENSUS_X11);
    EXPECT_EQ(s.seasonalLength, 12);
    EXPECT_EQ(s.decompositionType, 2);
    EXPECT_EQ(m.forecastMethodNumber, QD_CENSUS_X11);
    EXPECT_EQ(m.decompositionType, 2);
    EXPECT_EQ(m.series(0).numObservations(), 2);
}

TEST(CensusX11, PartialRangeAndNoForecastPeriods)
{
    const X11Case& c = kX11Cases[2];  // the first 100 airline values
    std::vector<double> data = c.data;
    data.insert(data.begin(), 7.0);   // one observation before the range
    data.push_back(999.0);            // and one after it
    Matrix m;
    dataMatrix(m, data);
    MatrixForecastCensusX11(100, 100, 0, 12, 2, 1.5, false, QD_EXPONENTIAL_SMOOTHING).compute(m, 1);
    const Series& s = m.series(1);
    EXPECT_EQ(s.numObservations(), 102);
    expectClose(quantity(s, QD_SEASONAL_FACTOR, 1, 101), c.seasonal, 1e-10);
    double v = 0.0;
    EXPECT_NE(s.observation(0).storedResults.lookup(QD_SEASONAL_FACTOR, v), QD_QUANTITY_FOUND);
    EXPECT_NE(s.observation(101).storedResults.lookup(QD_SEASONAL_FACTOR, v), QD_QUANTITY_FOUND);
}

TEST(CensusX11, OptimizeKeepsAdditiveOnEqualFits)
{
    // A flat series: both decompositions fit it exactly.
    Matrix m;
    dataMatrix(m, std::vector<double>(36, 5.0));
    MatrixForecastCensusX11(-2, -1, 2, 4, 3, 2.0, false, QD_EXPONENTIAL_SMOOTHING).compute(m, 1);
    EXPECT_EQ(m.series(1).decompositionType, 1);
    EXPECT_EQ(m.decompositionType, 1);
    EXPECT_NEAR(m.series(1).observation(37).storedResults.value(QD_FORECAST), 5.0, 1e-12);
}

TEST(CensusX11, TradingDays)
{
    const X11Case& c = kX11Cases[3];  // M3 quarterly, s 4
    const std::int32_t h = static_cast<std::int32_t>(c.data.size());
    std::vector<double> days;
    for (std::int32_t i = 0; i < h + 2; ++i)
        days.push_back(60.0 + (i * 7) % 5);
    Matrix m;
    dataMatrix(m, c.data);
    addRoleSeries(m, QD_TRADING_DAYS, days);
    MatrixForecastCensusX11(-2, -1, 2, 4, 2, 2.0, true, QD_EXPONENTIAL_SMOOTHING).compute(m, 1);
    // The decomposition runs on the data divided by the day factors.
    std::vector<double> mean(4, 0.0);
    for (std::int32_t i = 0; i < h; ++i)
        mean[i % 4] += days[i] / (h / 4);
    std::vector<double> adjusted;
    for (std::int32_t i = 0; i < h; ++i)
        adjusted.push_back(c.data[i] / (days[i] / mean[i % 4]));
    const MatrixForecastCensusX11::Parts parts = MatrixForecastCensusX11::decompose(adjusted, 4, 2, 2.0);
    const Series& s = m.series(1);
    expectClose(quantity(s, QD_SEASONAL_FACTOR, 0, h), parts.seasonal, 1e-12);
    const std::vector<double> tx = smoothedTrend(parts.trend, 2);
    for (std::int32_t i = 0; i < h; ++i) {
        const double fit = parts.seasonal[i] * tx[i] * days[i] / mean[i % 4];
        EXPECT_NEAR(s.observation(i).storedResults.value(QD_CENSUS_X11), fit, 1e-9 * fit);
    }
}

TEST(CensusX11, ValidationChangesNothing)
{
    const std::vector<double> data36(36, 10.0);
    // Zero data: the centred averages vanish, so the ratios cannot be formed.
    const std::vector<double> withZero(36, 0.0);
    // One zero among seasonal data: its ratio to the trend would be 0, which
    // a multiplicative model cannot hold.
    std::vector<double> oneZero(36);
    for (std::size_t i = 0; i < oneZero.size(); ++i)
        oneZero[i] = 10.0 + static_cast<double>(i % 4) + 0.25 * static_cast<double>(i);
    oneZero[17] = 0.0;
    struct Case {
        const char* what;
        std::vector<double> data;
        std::int32_t f, s, d;
        std::int16_t method;
        bool trading;
        std::vector<double> days;
        std::int32_t code;
    } cases[] = {
        {"negative periods", data36, -1, 4, 2, 5, false, {}, 3030},
        {"decomposition type 4", data36, 1, 4, 4, 5, false, {}, 3082},
        {"trend method 7", data36, 1, 4, 2, 7, false, {}, 3085},
        {"trend method 4", data36, 1, 4, 2, 4, false, {}, 3085},
        // 11 values hold fewer than three cycles of any candidate.
        {"season to detect, too short", std::vector<double>(11, 10.0), 1, -3, 2, 5, false, {}, 3084},
        {"season 0", data36, 1, 0, 2, 5, false, {}, 3051},
        {"season longer than the history", data36, 1, 37, 2, 5, false, {}, 3051},
        {"history of 3 s - 1", std::vector<double>(35, 10.0), 1, 12, 2, 5, false, {}, 3084},
        {"a zero, multiplicative", withZero, 1, 4, 2, 5, false, {}, 3080},
        {"a zero, best of both", withZero, 1, 4, 3, 5, false, {}, 3080},
        {"one zero among good data, multiplicative", oneZero, 1, 4, 2, 5, false, {}, 3080},
        {"one zero among good data, best of both", oneZero, 1, 4, 3, 5, false, {}, 3080},
        {"no trading days", data36, 1, 4, 2, 5, true, {}, 3092},
        {"too few trading days", data36, 1, 4, 2, 5, true, std::vector<double>(36, 20.0), 3086},
        {"a zero trading day", data36, 1, 4, 2, 5, true, std::vector<double>(37, 0.0), 3087},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Matrix m;
        dataMatrix(m, c.data);
        if (!c.days.empty())
            addRoleSeries(m, QD_TRADING_DAYS, c.days);
        EXPECT_MVR_CODE(MatrixForecastCensusX11(-2, -1, c.f, c.s, c.d, 2.0, c.trading, c.method).compute(m, 1),
                        c.code);
        EXPECT_EQ(seriesValues(m.series(1)), c.data);
        EXPECT_EQ(m.series(1).storedResults.count(-1), 0);
        EXPECT_EQ(m.forecastMethodNumber, -1);
        double v = 0.0;
        EXPECT_NE(m.series(1).observation(0).storedResults.lookup(QD_SEASONAL_FACTOR, v), QD_QUANTITY_FOUND);
    }
    Matrix none;
    addRoleSeries(none, 0, data36);
    EXPECT_MVR_CODE(MatrixForecastCensusX11(-2, -1, 1, 4, 2, 2.0, false, 5).compute(none, 1), 3091);
    // The additive model takes the zero.
    Matrix additive;
    dataMatrix(additive, oneZero);
    MatrixForecastCensusX11(-2, -1, 1, 4, 1, 2.0, false, 5).compute(additive, 1);
    EXPECT_EQ(additive.series(1).numObservations(), 37);
    // h = 3 s is enough.
    Matrix exact;
    dataMatrix(exact, std::vector<double>(36, 10.0));
    MatrixForecastCensusX11(-2, -1, 1, 12, 2, 2.0, false, 5).compute(exact, 1);
    EXPECT_EQ(exact.series(1).numObservations(), 37);
}

}  // namespace

// Every trend-cycle method of the table extends the trend: the seasonal
// factors of the fitted periods are those of the decomposition whatever the
// method, and the forecast periods hold finite fits.
TEST(CensusX11, EveryTrendMethodExtendsTheTrend)
{
    const X11Case& c = kX11Cases[2];
    for (std::int16_t method : {5, 6, 8, 9, 10, 18, -3}) {
        SCOPED_TRACE(method);
        Matrix m;
        dataMatrix(m, c.data);
        MatrixForecastCensusX11(-2, -1, 3, 12, 2, 1.5, false, method).compute(m, 1);
        const Series& s = m.series(1);
        ASSERT_EQ(s.numObservations(), 103);
        expectClose(quantity(s, QD_SEASONAL_FACTOR, 0, 100), c.seasonal, 1e-10);
        for (std::int32_t i = 100; i < 103; ++i) {
            EXPECT_TRUE(std::isfinite(s.observation(i).value));
            EXPECT_GT(s.observation(i).value, 0.0);
        }
        EXPECT_EQ(m.forecastMethodNumber, QD_CENSUS_X11);
    }
}

// A detected season: the airline values show their twelve-month cycle and
// give the decomposition of the given length.
TEST(CensusX11, DetectedSeasonalLength)
{
    const X11Case& c = kX11Cases[2];
    Matrix given;
    dataMatrix(given, c.data);
    MatrixForecastCensusX11(-2, -1, 2, 12, 2, 1.5, false, 5).compute(given, 1);
    Matrix detected;
    dataMatrix(detected, c.data);
    MatrixForecastCensusX11(-2, -1, 2, QD_COMPUTE, 2, 1.5, false, 5).compute(detected, 1);
    EXPECT_EQ(detected.seasonalLength, 12);
    EXPECT_EQ(seriesValues(detected.series(1)), seriesValues(given.series(1)));
}
