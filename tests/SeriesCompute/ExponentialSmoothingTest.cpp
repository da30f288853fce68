// Simple exponential smoothing: given alpha against an independent exact
// computation, fitted alpha against an independent run of the prescribed
// search, the stored results, the checks and the zero-demand mode.
#include <cmath>
#include <cstdint>
#include <limits>
#include <new>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ComputeTestSupport.h"
#include "Matrix/Matrix.h"
#include "Matrix/MatrixOpApplySeriesForecast.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"
#include "SeriesCompute/SeriesStatistics.h"

using namespace qd;

namespace {

#include "SmoothingReference.inc"

const char* const kFile = "Libraries\\SeriesCompute\\SeriesForecastExponentialSmoothing";

std::string descriptionOf(const Observation& o)
{
    return std::string(o.description.data(), o.description.length());
}

// The request as the automation layer makes it: both arrays marked stale,
// then the op applied when the series is not empty.
void forecast(Series& series, SeriesForecastExponentialSmoothing& method)
{
    series.setDirty(true, true);
    SeriesOpApplySeriesForecast op(method);
    op.apply(series);
}

TEST(ExponentialSmoothing, GivenAlphaMatchesExactComputation)
{
    for (const SmoothingCase& c : kSmoothingCases) {
        SCOPED_TRACE("n " + std::to_string(c.n) + " start " + std::to_string(c.start) + " alpha " +
                     std::to_string(c.alpha));
        Series s;
        fillSeries(s, std::vector<double>(c.data, c.data + c.n));
        const std::int32_t h = 3;
        SeriesForecastExponentialSmoothing method(c.start, c.alpha, h, false, 0.0);
        forecast(s, method);

        ASSERT_EQ(s.numObservations(), c.n + h);
        const double tol = 1e-12;
        for (std::int32_t i = c.start; i < c.n; ++i) {
            const double expected = c.fitted[i - c.start];
            EXPECT_NEAR(s.observation(i).storedResults.value(QD_FORECAST), expected, tol * std::fabs(expected)) << i;
            EXPECT_EQ(s.observation(i).storedResults.value(QD_EXPONENTIAL_SMOOTHING),
                      s.observation(i).storedResults.value(QD_FORECAST));
        }
        for (std::int32_t i = 0; i < c.start; ++i)
            EXPECT_EQ(s.observation(i).storedResults.count(-1), 0) << i;
        for (std::int32_t k = 0; k < h; ++k) {
            const Observation& o = s.observation(c.n + k);
            EXPECT_EQ(o.originType, QD_COMPUTED);
            EXPECT_EQ(descriptionOf(o), std::to_string(k));
            EXPECT_NEAR(o.value, c.finalLevel, tol * std::fabs(c.finalLevel));
            EXPECT_EQ(o.storedResults.value(QD_FORECAST), o.value);
        }
        EXPECT_EQ(s.storedResults.value(QD_ALPHA), c.alpha);
        EXPECT_NEAR(s.storedResults.value(QD_LEVEL_FINAL_VALUE), c.finalLevel, tol * std::fabs(c.finalLevel));
        EXPECT_NEAR(sumSquaredError(s, c.n - 1, c.n - c.start), c.sse, 1e-11 * std::fmax(1.0, c.sse));
        EXPECT_EQ(s.forecastMethodNumber, QD_EXPONENTIAL_SMOOTHING);
        EXPECT_EQ(s.seasonalLength, 0);
        EXPECT_EQ(s.decompositionType, 0);
        // The supplied observations keep their values.
        for (std::int32_t i = 0; i < c.n; ++i)
            EXPECT_EQ(s.observation(i).value, c.data[i]);
    }
}

std::vector<double> airline(std::int32_t n)
{
    return std::vector<double>(k_air144, k_air144 + n);
}

#include "FittedAlphaReference.inc"

// The fitted alpha and the kept start against an independent run of the
// prescribed search (make_fitted_alpha_reference.py). The search is
// deterministic, so the alpha it ends at is pinned exactly: inside an
// interval (golden section), at 0 and at 1. The kept start shows in the
// fitted value of observation 0, the starting level.
TEST(ExponentialSmoothing, FittedAlphaMatchesTheReferenceSearch)
{
    for (const FittedAlphaCase& c : kFittedAlphaCases) {
        SCOPED_TRACE(std::string(c.name) + (c.backwardKept ? ", backward start" : ", first-value start"));
        const std::int32_t n = static_cast<std::int32_t>(c.data.size());
        Series s;
        fillSeries(s, c.data);
        SeriesForecastExponentialSmoothing method(0, -3.0, 2, false, 0.0);
        forecast(s, method);
        ASSERT_EQ(s.numObservations(), n + 2);
        EXPECT_EQ(s.storedResults.value(QD_ALPHA), c.alpha);
        EXPECT_NEAR(s.observation(0).storedResults.value(QD_FORECAST), c.startLevel, 1e-12 * std::fabs(c.startLevel));
        EXPECT_NEAR(sumSquaredError(s, n - 1, n), c.sse, 1e-9 * c.sse);
        EXPECT_NEAR(s.storedResults.value(QD_LEVEL_FINAL_VALUE), c.finalLevel, 1e-12 * std::fabs(c.finalLevel));
        EXPECT_EQ(s.observation(n + 1).value, s.storedResults.value(QD_LEVEL_FINAL_VALUE));
        EXPECT_EQ(method.alpha, -3.0);
    }
}

// The system's reference request: defaults (observation 0, alpha -3.0, one
// period) on the airline series.
TEST(ExponentialSmoothing, ReferenceRequest)
{
    Series s;
    fillSeries(s, airline(144));
    SeriesForecastExponentialSmoothing method(0, -3.0, 1, false, 0.0);
    forecast(s, method);
    ASSERT_EQ(s.numObservations(), 145);
    const Observation& last = s.observation(144);
    EXPECT_EQ(last.originType, QD_COMPUTED);
    EXPECT_EQ(descriptionOf(last), "0");
    EXPECT_EQ(last.value, s.storedResults.value(QD_LEVEL_FINAL_VALUE));
    EXPECT_EQ(last.storedResults.value(QD_EXPONENTIAL_SMOOTHING), last.value);
    for (std::int32_t i = 0; i < 145; ++i) {
        double v = 0.0;
        EXPECT_EQ(s.observation(i).storedResults.lookup(QD_FORECAST, v), QD_QUANTITY_FOUND) << i;
    }
    double alpha = 0.0;
    EXPECT_EQ(s.storedResults.lookup(QD_ALPHA, alpha), QD_QUANTITY_FOUND);
    EXPECT_GT(alpha, 0.9);  // a strongly trending series follows its data
    EXPECT_EQ(s.forecastMethodNumber, 5);

    // An empty series is left alone.
    Series empty;
    forecast(empty, method);
    EXPECT_EQ(empty.numObservations(), 0);
    EXPECT_EQ(empty.forecastMethodNumber, -1);
}

TEST(ExponentialSmoothing, EdgeCases)
{
    const std::vector<double> x = {4.0, 7.0, 5.0, 9.0, 6.0};

    // The last observation as start: both starts give error 0, every
    // forecast equals the last value.
    {
        Series s;
        fillSeries(s, x);
        SeriesForecastExponentialSmoothing method(4, -3.0, 3, false, 0.0);
        forecast(s, method);
        ASSERT_EQ(s.numObservations(), 8);
        for (std::int32_t i = 4; i < 8; ++i)
            EXPECT_DOUBLE_EQ(s.observation(i).storedResults.value(QD_FORECAST), 6.0) << i;
    }
    // No periods: fitted values only; the final level is the level after
    // the last observation.
    {
        Series s;
        fillSeries(s, x);
        SeriesForecastExponentialSmoothing method(0, 0.5, 0, false, 0.0);
        forecast(s, method);
        EXPECT_EQ(s.numObservations(), 5);
        const double fitted4 = s.observation(4).storedResults.value(QD_FORECAST);
        EXPECT_DOUBLE_EQ(s.storedResults.value(QD_LEVEL_FINAL_VALUE), 0.5 * 6.0 + 0.5 * fitted4);
        EXPECT_EQ(method.finalLevelValue, s.storedResults.value(QD_LEVEL_FINAL_VALUE));
    }
    // Alpha 0 and 1 are legal; forecasts beyond the data are all equal.
    for (double a : {0.0, 1.0}) {
        Series s;
        fillSeries(s, x);
        SeriesForecastExponentialSmoothing method(0, a, 4, false, 0.0);
        forecast(s, method);
        ASSERT_EQ(s.numObservations(), 9);
        for (std::int32_t i = 6; i < 9; ++i)
            EXPECT_EQ(s.observation(i).value, s.observation(5).value);
        EXPECT_EQ(s.storedResults.value(QD_ALPHA), a);
    }
}

TEST(ExponentialSmoothing, ChecksComeBeforeAnyChange)
{
    const std::vector<double> x = {4.0, 7.0, 5.0};
    struct Case {
        std::int32_t observationNumber;
        double alpha;
        std::int32_t periods;
        std::int32_t code;
        std::int32_t line;
    };
    const Case cases[] = {
        {0, 1.0000001, 1, 3007, 125},
        {0, -0.5, 1, 3007, 125},
        {0, -3.0000000001, 1, 3007, 125},
        {0, std::numeric_limits<double>::quiet_NaN(), 1, 3007, 125},
        {0, 0.5, -1, 3030, 128},
        {QD_LAST, 0.5, 1, 3000, 131},
        {3, 0.5, 1, 3006, 134},
    };
    for (const Case& c : cases) {
        Series s;
        fillSeries(s, x);
        SeriesForecastExponentialSmoothing method(c.observationNumber, c.alpha, c.periods, false, 0.0);
        EXPECT_MVR_AT(forecast(s, method), c.code, kFile, c.line);
        EXPECT_EQ(s.numObservations(), 3);
        EXPECT_EQ(s.observation(0).storedResults.count(-1), 0);
        EXPECT_EQ(s.storedResults.count(-1), 0);
        EXPECT_EQ(s.forecastMethodNumber, -1);
    }
    // A number of periods whose arrays cannot be described fails as out of
    // memory, before anything is written.
    Series s;
    fillSeries(s, x);
    SeriesForecastExponentialSmoothing huge(0, 0.5, std::numeric_limits<std::int32_t>::max(), false, 0.0);
    EXPECT_THROW(forecast(s, huge), std::bad_alloc);
    EXPECT_EQ(s.numObservations(), 3);
}

TEST(ExponentialSmoothing, ZeroDemand)
{
    const std::vector<double> x = {4.0, 7.0, 5.0, 9.0};
    {
        Series s;
        fillSeries(s, x);
        SeriesForecastExponentialSmoothing method(QD_LAST, 0.3, 3, true, 42.5);
        forecast(s, method);
        ASSERT_EQ(s.numObservations(), 7);
        for (std::int32_t i = 4; i < 7; ++i) {
            EXPECT_EQ(s.observation(i).value, 42.5);
            EXPECT_EQ(s.observation(i).storedResults.value(QD_FORECAST), 42.5);
            EXPECT_EQ(s.observation(i).storedResults.value(QD_EXPONENTIAL_SMOOTHING), 42.5);
            EXPECT_EQ(descriptionOf(s.observation(i)), std::to_string(i - 4));
        }
        EXPECT_EQ(s.storedResults.value(QD_LEVEL_FINAL_VALUE), 42.5);
        double alpha = 0.0;
        EXPECT_EQ(s.storedResults.lookup(QD_ALPHA, alpha), QD_QUANTITY_ABSENT);
        EXPECT_EQ(s.forecastMethodNumber, 5);
        // Resolved for this series only: the object keeps QD_LAST and forecasts
        // a longer series from its own last observation.
        EXPECT_EQ(method.observationNumber, QD_LAST);
        Series longer;
        fillSeries(longer, {1.0, 2.0, 3.0, 4.0, 5.0, 6.0});
        forecast(longer, method);
        ASSERT_EQ(longer.numObservations(), 9);
        EXPECT_EQ(longer.observation(5).storedResults.count(-1), 0);
        EXPECT_EQ(longer.observation(6).storedResults.value(QD_FORECAST), 42.5);
    }
    // From inside the data: the following observations are overwritten and
    // only the periods past the end are appended.
    {
        Series s;
        fillSeries(s, x);
        SeriesForecastExponentialSmoothing method(1, -3.0, 4, true, 8.0);
        forecast(s, method);
        ASSERT_EQ(s.numObservations(), 6);
        EXPECT_EQ(s.observation(1).storedResults.count(-1), 0);
        for (std::int32_t i = 2; i < 6; ++i)
            EXPECT_EQ(s.observation(i).storedResults.value(QD_FORECAST), 8.0) << i;
        EXPECT_EQ(s.observation(2).value, 5.0);
        EXPECT_EQ(s.observation(3).value, 9.0);
    }
    // observationNumber -1 forecasts from the first observation on.
    {
        Series s;
        fillSeries(s, x);
        SeriesForecastExponentialSmoothing method(-1, 0.0, 2, true, 1.5);
        forecast(s, method);
        EXPECT_EQ(s.observation(0).storedResults.value(QD_FORECAST), 1.5);
        EXPECT_EQ(s.observation(1).storedResults.value(QD_FORECAST), 1.5);
        EXPECT_EQ(s.observation(2).storedResults.count(-1), 0);
    }
    const struct {
        std::int32_t observationNumber;
        double alpha;
        std::int32_t periods;
        std::int32_t code;
        std::int32_t line;
    } failures[] = {
        {0, 2.0, 1, 3007, 96}, {0, 0.5, -2, 3030, 99}, {-3, 0.5, 1, 3000, 103}, {4, 0.5, 1, 3006, 106}};
    for (const auto& f : failures) {
        Series s;
        fillSeries(s, x);
        SeriesForecastExponentialSmoothing method(f.observationNumber, f.alpha, f.periods, true, 1.0);
        EXPECT_MVR_AT(forecast(s, method), f.code, kFile, f.line);
        EXPECT_EQ(s.numObservations(), 4);
    }
}

// One object applied to every series of a matrix fits each series afresh.
TEST(ExponentialSmoothing, EverySeriesOfAMatrixIsFittedAfresh)
{
    Matrix m;
    const std::vector<double> a = {10, 12, 11, 13, 12, 14, 13, 15, 14, 16};
    const std::vector<double> b = {5, 9, 2, 8, 3, 7, 4, 9, 1, 6};
    for (double v : a)
        m.addObservation(0, v, QD_SUPPLIED, FdCString());
    for (double v : b)
        m.addObservation(1, v, QD_SUPPLIED, FdCString());
    SeriesForecastExponentialSmoothing method(0, -3.0, 2, false, 0.0);
    m.setDirty(true, true);
    MatrixOpApplySeriesForecast op(method);
    m.applyRectangular(op);

    for (std::int32_t k = 0; k < 2; ++k) {
        Series alone;
        fillSeries(alone, k == 0 ? a : b);
        SeriesForecastExponentialSmoothing single(0, -3.0, 2, false, 0.0);
        forecast(alone, single);
        EXPECT_EQ(m.series(k).storedResults.value(QD_ALPHA), alone.storedResults.value(QD_ALPHA)) << k;
        EXPECT_EQ(m.series(k).observation(11).value, alone.observation(11).value) << k;
    }
    EXPECT_EQ(method.alpha, -3.0);
}

// The objective evaluates one pass over the history in the current start
// mode and leaves the method's configuration as it was.
TEST(ExponentialSmoothing, ObjectiveEvaluationCount)
{
    class Counting : public SeriesForecastExponentialSmoothing {
    public:
        using SeriesForecastExponentialSmoothing::SeriesForecastExponentialSmoothing;
        double evaluate(double x) override
        {
            ++evaluations;
            return SeriesForecastExponentialSmoothing::evaluate(x);
        }
        int evaluations = 0;
    };
    Series s;
    fillSeries(s, airline(60));
    Counting fitted(0, -3.0, 1, false, 0.0);
    forecast(s, fitted);
    EXPECT_GT(fitted.evaluations, 2 * 3 * 3);
    EXPECT_LE(fitted.evaluations, 2 * 81);

    Series t;
    fillSeries(t, airline(60));
    Counting fixed(0, 0.4, 1, false, 0.0);
    forecast(t, fixed);
    EXPECT_EQ(fixed.evaluations, 2);
}

// Every trial's objective is the sum of squared errors of the series' own
// fitted values over the fit's range: a statistic asked for inside the fit
// sees the trial just run, never the cached sum of an earlier trial.
TEST(ExponentialSmoothing, ObjectiveIsTheSeriesSumOfSquaredErrorsOfEachTrial)
{
    class Checking : public SeriesForecastExponentialSmoothing {
    public:
        using SeriesForecastExponentialSmoothing::SeriesForecastExponentialSmoothing;
        double evaluate(double x) override
        {
            const double sse = SeriesForecastExponentialSmoothing::evaluate(x);
            const double fromSeries = sumSquaredError(*series, last, count);
            if (!(fromSeries == sse))
                ++mismatches;
            ++evaluations;
            return sse;
        }
        Series* series = nullptr;
        std::int32_t last = 0;
        std::int32_t count = 0;
        int mismatches = 0;
        int evaluations = 0;
    };
    for (std::int32_t start : {0, 7}) {
        Series s;
        fillSeries(s, airline(36));
        Checking method(start, -3.0, 2, false, 0.0);
        method.series = &s;
        method.last = 35;
        method.count = 36 - start;
        forecast(s, method);
        EXPECT_GT(method.evaluations, 2) << start;
        EXPECT_EQ(method.mismatches, 0) << start;
    }
}

// With a given alpha both starts are run; the backward start is kept unless
// the first-value start has the strictly smaller error. With alpha 0 every
// fitted value is the starting level itself.
TEST(ExponentialSmoothing, StartingLevelChoice)
{
    const struct {
        std::vector<double> data;
        double expectedLevel;  // the kept starting level
    } cases[] = {
        {{1.0, 2.0, 3.0}, 3.0},       // errors 5 and 5: the backward start wins the tie
        {{1.0, 2.0, 4.0}, 1.0},       // errors 10 (first value) and 13 (backward)
        {{4.0, 2.0, 1.0}, 1.0},       // errors 13 and 10
        {{2.0, 9.0, 2.0, 2.0}, 2.0},  // equal starts
    };
    for (const auto& c : cases) {
        Series s;
        fillSeries(s, c.data);
        SeriesForecastExponentialSmoothing method(0, 0.0, 1, false, 0.0);
        forecast(s, method);
        const std::int32_t n = static_cast<std::int32_t>(c.data.size());
        for (std::int32_t i = 0; i <= n; ++i)
            EXPECT_EQ(s.observation(i).storedResults.value(QD_FORECAST), c.expectedLevel) << c.data[2] << " " << i;
        EXPECT_EQ(s.storedResults.value(QD_LEVEL_FINAL_VALUE), c.expectedLevel);
    }
}

// A failure during the fit leaves the method configured as it was built.
TEST(ExponentialSmoothing, FailureDuringTheFitRestoresTheConfiguration)
{
    class Failing : public SeriesForecastExponentialSmoothing {
    public:
        using SeriesForecastExponentialSmoothing::SeriesForecastExponentialSmoothing;
        double evaluate(double x) override
        {
            if (++evaluations == 30)
                qdThrow("test", 1, 3);
            return SeriesForecastExponentialSmoothing::evaluate(x);
        }
        int evaluations = 0;
    };
    Series s;
    fillSeries(s, airline(30));
    Failing method(0, -3.0, 4, false, 0.0);
    EXPECT_MVR_CODE(forecast(s, method), 3);
    EXPECT_EQ(method.alpha, -3.0);
    EXPECT_EQ(method.numPeriodsToForecast, 4);
    EXPECT_EQ(s.numObservations(), 30);
    EXPECT_EQ(s.forecastMethodNumber, -1);
    // No fitted value was stored, and none of the trial passes' values
    // shows through the series' fitted-value array.
    EXPECT_EQ(sumSquaredError(s, QD_LAST, QD_ALL), 0.0);
    const double* fitted = s.forecastValues(0);
    for (std::int32_t i = 0; i < 30; ++i)
        EXPECT_EQ(fitted[i], s.observation(i).value) << i;
}

}  // namespace
