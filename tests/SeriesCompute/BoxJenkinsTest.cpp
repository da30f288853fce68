// Box-Jenkins: the model's recursion and search, the identification, the
// forecast end to end on the airline series, and the t-test of the
// coefficients. Reference values: make_boxjenkins_reference.py.
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "ComputeTestSupport.h"
#include "Matrix/Observation.h"
#include "Matrix/SeriesOpApplySeriesCompute.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "SeriesCompute/BJ_identifyModelClass.h"
#include "SeriesCompute/BJ_identify_dDClass.h"
#include "SeriesCompute/BoxJenkinsModel.h"
#include "SeriesCompute/SeriesComputePACF.h"
#include "SeriesCompute/SeriesComputeTtest.h"
#include "SeriesCompute/SeriesForecastBoxJenkinsNew.h"
#include "SeriesCompute/SharedRoutines.h"

namespace {

#include "BoxJenkinsReference.inc"
#include "SeriesStatsReference.inc"

const char* const kForecastFile = "Libraries\\SeriesCompute\\SeriesForecastBoxJenkinsNew";

// Relative closeness for values that pass through exp/log, whose last bit
// differs between C runtimes.
void expectClose(double actual, double expected, double relative, const char* what)
{
    EXPECT_NEAR(actual, expected, relative * std::fabs(expected)) << what;
}

std::vector<double> differencedLogAirline()
{
    std::vector<double> v;
    for (double x : kAirline)
        v.push_back(std::log(x));
    std::vector<double> d1;
    for (std::size_t i = 1; i < v.size(); ++i)
        d1.push_back(v[i] - v[i - 1]);
    std::vector<double> d;
    for (std::size_t i = 12; i < d1.size(); ++i)
        d.push_back(d1[i] - d1[i - 12]);
    return d;
}

// The airline model: (0,1,1)(0,1,1)12, no constant, log transform,
// ForceThrough on, 12 periods.
void forecastAirline(Series& s, std::int32_t last = QD_LAST, std::int32_t count = QD_ALL)
{
    SeriesForecastBoxJenkinsNew bj(last, count, 12, QD_COMPUTE, 0, 1, 1, 0, 1, 1, 12, true, QD_LOG_TRANSFORM);
    SeriesOpApplySeriesForecast op(bj);
    op.apply(s);
}

std::vector<double> valuesOf(const Series& s)
{
    std::vector<double> v;
    for (std::int32_t i = 0; i < s.numObservations(); ++i)
        v.push_back(s.observation(i).value);
    return v;
}

TEST(BoxJenkinsModel, FitsTheAirlineModelByCoordinateSearch)
{
    const std::vector<double> w = differencedLogAirline();
    Series s;
    fillSeries(s, w);
    const std::int32_t n = s.numObservations();
    BoxJenkinsModel model(n - 1, n, 0, 36, false, 12, 0, 1, 0, 1);
    model.fit(s);
    expectClose(model.maCoefficient(0), kAirlineTheta, 1e-9, "theta");
    expectClose(model.seasonalMaCoefficient(0), kAirlineSeasonalTheta, 1e-9, "Theta");
    expectClose(model.residualSumOfSquares, kAirlineCss, 1e-9, "css");
    EXPECT_NEAR(model.residualSumOfSquares, 0.18193, 5e-6);
    EXPECT_NEAR(model.residualSumOfSquares, kAirlineCssExact, 1e-12);

    // Diagnostics store fitted values only and score the model.
    model.diagnose(s);
    EXPECT_EQ(s.numObservations(), n);
    EXPECT_EQ(model.score.numParameters, 2);
    EXPECT_EQ(model.score.ljungBoxQ, model.ljungBoxQ);
    EXPECT_GT(model.ljungBoxQ, 0.0);
    EXPECT_LT(model.bic, 0.0);  // small residuals of logarithms

    // A forecast appends its periods as computed observations.
    model.numPeriodsToForecast = 3;
    model.compute(s, 1);
    ASSERT_EQ(s.numObservations(), n + 3);
    EXPECT_EQ(s.observation(n).originType, QD_COMPUTED);
    EXPECT_EQ(s.observation(n).value, s.observation(n).storedResults.value(QD_FORECAST));
    EXPECT_EQ(s.observation(n + 2).value, s.observation(n + 2).storedResults.value(QD_BOX_JENKINS));
}

TEST(BoxJenkinsModel, CoefficientsCopiesAndEmptySearch)
{
    BoxJenkinsModel model(9, 10, 0, 2, true, 4, 2, 1, 1, 0);
    model.setArCoefficient(1, 0.25);
    model.setSeasonalArCoefficient(0, -0.5);
    EXPECT_EQ(model.arCoefficient(1), 0.25);
    const char* file = "Libraries\\SeriesCompute\\BoxJenkinsModel";
    EXPECT_MVR_CODE(model.arCoefficient(-1), 3000);
    EXPECT_MVR_CODE(model.setArCoefficient(2, 1.0), 3006);
    EXPECT_MVR_CODE(model.seasonalMaCoefficient(0), 3006);  // Q = 0: empty group
    try {
        model.maCoefficient(1);
        ADD_FAILURE();
    } catch (const MVRBaseException& e) {
        EXPECT_EQ(pathOf(e), file);
    }

    // Copies are deep, in both directions.
    BoxJenkinsModel copy(model);
    BoxJenkinsModel assigned;
    assigned = model;
    model.setArCoefficient(1, 0.75);
    EXPECT_EQ(copy.arCoefficient(1), 0.25);
    EXPECT_EQ(assigned.arCoefficient(1), 0.25);
    EXPECT_EQ(assigned.seasonalArCoefficient(0), -0.5);
    assigned = assigned;
    EXPECT_EQ(assigned.P, 1);

    // Without coefficients the search makes two empty passes.
    Series s;
    fillSeries(s, {1.0, 2.0, 3.0, 2.0, 1.0});
    BoxJenkinsModel none(4, 5, 0, 1, false, 0, 0, 0, 0, 0);
    none.fit(s);
    EXPECT_EQ(none.residualSumOfSquares, 0.0);
}

TEST(BoxJenkinsModel, PredictionTermsAndBackcasts)
{
    // AR(1) x seasonal AR(1) at S = 2 with a constant, written out by hand:
    // yhat(t) = mu (1 - phi - Phi + phi Phi) + Phi y(t-2) + phi y(t-1)
    //           - Phi phi y(t-3).
    BoxJenkinsModel m(5, 6, 0, 0, true, 2, 1, 0, 1, 0);
    m.setArCoefficient(0, 0.5);
    m.setSeasonalArCoefficient(0, 0.25);
    m.processMean = 2.0;
    const double y[] = {1.0, 3.0, 2.0, 5.0, 4.0, 6.0};
    const double none[6] = {};
    EXPECT_DOUBLE_EQ(m.predict(y, none, 4, nullptr),
                     2.0 * (1 - 0.5 - 0.25 + 0.125) + 0.25 * 2.0 + 0.5 * 5.0 - 0.125 * 3.0);
    // At t = 1 only the lag-1 terms lie inside the data.
    EXPECT_DOUBLE_EQ(m.predict(y, none, 1, nullptr), 2.0 * (1 - 0.5) + 0.5 * 1.0);
    // With initial values every term enters: y(-1) = 7, y(-2) = 8.
    const double initial[] = {0.0, 7.0, 8.0, 9.0};
    EXPECT_DOUBLE_EQ(m.predict(y, none, 1, initial),
                     2.0 * (1 - 0.5 - 0.25 + 0.125) + 0.25 * 7.0 + 0.5 * 1.0 - 0.125 * 8.0);
    // Backcasts run the reversed series forward: element k holds y(-k).
    double out[4] = {};
    m.backcast(6, 3, y, out);
    const double r[] = {6.0, 4.0, 5.0, 2.0, 3.0, 1.0};
    const double b1 = m.predict(r, none, 6, nullptr);
    EXPECT_DOUBLE_EQ(out[1], b1);
}

TEST(BoxJenkinsModel, ScoreOrdering)
{
    struct Case {
        BoxJenkinsScore a;
        BoxJenkinsScore b;
        bool aFirst;
        const char* why;
    };
    const Case cases[] = {
        {{3.0, 100.0, 1}, {4.0, 50.0, 1}, true, "only a passes (3.84 at 1 degree)"},
        {{4.0, 50.0, 1}, {3.0, 100.0, 1}, false, "only b passes"},
        {{1.0, 100.0, 1}, {1.0, 100.5, 2}, true, "within 1%: fewer parameters"},
        {{1.0, 100.5, 2}, {1.0, 100.0, 1}, false, "within 1%: more parameters"},
        {{1.0, 100.0, 2}, {1.0, 100.5, 2}, false, "within 1%, same count: neither"},
        {{1.0, 90.0, 3}, {1.0, 100.0, 1}, true, "outside 1%: lower BIC"},
        {{20.0, 90.0, 3}, {20.0, 100.0, 1}, true, "both fail: lower BIC"},
        // Negative BIC values (usual after a log transform): the band is
        // mirrored so that the simpler model still wins inside it.
        {{1.0, -100.0, 1}, {1.0, -100.5, 2}, true, "negative, within 1%: fewer parameters"},
        {{1.0, -100.5, 2}, {1.0, -100.0, 1}, false, "negative, within 1%: more parameters"},
        {{1.0, -110.0, 2}, {1.0, -100.0, 1}, true, "negative, outside 1%: lower BIC"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BoxJenkinsModel::isBetterThan(c.a, c.b), c.aFirst) << c.why;
    const BoxJenkinsScore same{1.0, 1.0, 1};
    EXPECT_FALSE(BoxJenkinsModel::isBetterThan(same, same));
}

TEST(BoxJenkinsIdentification, AutocorrelationsAndPartialAutocorrelations)
{
    Series s;
    fillSeries(s, differencedLogAirline());
    Series acf;
    autocorrelationsToSeries(s, acf, QD_LAST, QD_ALL, 10);
    Series pacf;
    SeriesComputePACF(acf, pacf, 10);
    ASSERT_EQ(pacf.numObservations(), 10);
    for (std::int32_t k = 0; k < 10; ++k) {
        EXPECT_NEAR(acf.observation(k).value, kDifferencedLogAcf[static_cast<std::size_t>(k)], 1e-13) << k;
        EXPECT_NEAR(pacf.observation(k).value, kDifferencedLogPacf[static_cast<std::size_t>(k)], 1e-12) << k;
        EXPECT_EQ(pacf.observation(k).originType, QD_COMPUTED);
    }
    EXPECT_MVR_AT(SeriesComputePACF(acf, pacf, -1), 3002, "Libraries\\SeriesCompute\\SeriesComputePACF", 44);
}

TEST(BoxJenkinsIdentification, SpikeAndDecayReadings)
{
    Series v;
    fillSeries(v, {0.9, 0.7, 0.5, 0.3, 0.25, 0.05, 0.02, 0.01});
    std::vector<double> spikes;
    // Bound 0.2, S = 0: five spikes, the fifth (lag 5) is kept since there
    // are more than four.
    EXPECT_EQ(BJ_identify_dDClass::leadingSpikes(v, 0.2, 0, 8, false, spikes), 5);
    // Steady decay: gaps 0.2, 0.2, 0.05 against 0.9 x 0.9 / 6 = 0.135.
    EXPECT_EQ(BJ_identify_dDClass::steadyDecay(spikes, 5), 0);
    // Bound 0.4: three spikes (lags 1-3), no trailing drop needed.
    EXPECT_EQ(BJ_identify_dDClass::leadingSpikes(v, 0.4, 0, 8, false, spikes), 3);
    Series late;
    fillSeries(late, {0.1, 0.1, 0.1, 0.1, 0.5, 0.6, 0.0, 0.0});
    // Spikes only at lags 5 and 6: dropped from the end, none remains.
    EXPECT_EQ(BJ_identify_dDClass::leadingSpikes(late, 0.2, 0, 8, false, spikes), 0);
    EXPECT_EQ(BJ_identify_dDClass::steadyDecay({0.9, 0.6}, 2), 0);  // fewer than 3
    EXPECT_EQ(BJ_identify_dDClass::steadyDecay({0.9, 0.6, 0.3, 0.1}, 4), 1);

    // Seasonal spikes at S = 4, offset 0: positions 3, 7 (lags 4, 8).
    Series seasonal;
    fillSeries(seasonal, {0.0, 0.0, 0.0, 0.8, 0.0, 0.0, 0.0, 0.5, 0.0, 0.0, 0.0, 0.1});
    EXPECT_EQ(BJ_identify_dDClass::seasonalSpikes(seasonal, 4, 0, 0.2, 12), 2);
    // With the seasonal check on, spikes at nearly every multiple mean -1.
    Series periodic;
    fillSeries(periodic, {0.0, 0.0, 0.0, 0.8, 0.0, 0.0, 0.0, 0.7, 0.0, 0.0, 0.0, 0.6});
    EXPECT_EQ(BJ_identify_dDClass::leadingSpikes(periodic, 0.2, 4, 12, true, spikes), -1);
}

// A seasonal pattern whose amplitude grows with time: one seasonal
// difference leaves a periodic series, which no plain differencing makes
// stationary.
std::vector<double> growingSeason(std::int32_t n)
{
    std::vector<double> v;
    for (std::int32_t t = 0; t < n; ++t)
        v.push_back(100.0 + (t + 1) * std::sin(2.0 * 3.141592653589793 * t / 12.0) + 0.01 * ((t * 7) % 5));
    return v;
}

TEST(BoxJenkinsIdentification, WhiteNoiseAndRequestedSeasonZero)
{
    Series noise;
    for (std::int32_t t = 0; t < 80; ++t)
        noise.addObservation(std::sin(t * 1.7) * std::cos(t * t * 0.3), QD_SUPPLIED, FdCString());
    Series working(noise);
    BJ_identifyModelClass id(0, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, false, 12,
                             working);
    id.identify();
    EXPECT_EQ(id.d, 0);
    EXPECT_EQ(id.D, 0);
    EXPECT_EQ(id.p, 1);
    EXPECT_EQ(id.q + id.P + id.Q, 0);
    EXPECT_EQ(id.modelClass, 1);
    EXPECT_EQ(id.acfSeries.numObservations(), 12);
    EXPECT_NEAR(id.acfBoundary, 1.96 / std::sqrt(80.0), 1e-15);
    EXPECT_EQ(valuesOf(working), valuesOf(noise));  // not differenced

    // S = 0 requested with a seasonal difference requested.
    Series again(noise);
    BJ_identifyModelClass seasonal(0, QD_COMPUTE, 1, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, false, 12, again);
    EXPECT_MVR_AT(seasonal.identify(), 3027, "Libraries\\SeriesCompute\\BJ_identifyModelClass", 112);
}

TEST(BoxJenkinsIdentification, SeasonalRandomWalkNeedsOneSeasonalDifference)
{
    // y(t) = y(t - 12) + small noise from a fixed linear congruential
    // sequence: (0,0), (1,0) and (2,0) fail, (0,1) passes.
    std::uint32_t state = 12345u;
    std::vector<double> y;
    for (std::int32_t t = 0; t < 120; ++t) {
        state = state * 1103515245u + 12345u;
        const double e = ((state >> 16) & 0x7fffu) / 32768.0 - 0.5;
        y.push_back((t < 12 ? 10.0 * std::sin(t * 0.5236) + 50.0 : y[static_cast<std::size_t>(t - 12)]) + e);
    }
    Series s;
    fillSeries(s, y);
    BJ_identifyModelClass id(12, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, false, 36, s);
    id.identify();
    EXPECT_EQ(id.d, 0);
    EXPECT_EQ(id.D, 1);
    EXPECT_EQ(id.modelClass, 3);
    EXPECT_LE(id.p, 2);
    EXPECT_LE(id.q, 2);
    EXPECT_NEAR(id.acfBoundary, 1.96 / std::sqrt(108.0), 1e-15);
    ASSERT_EQ(s.numObservations(), 108);
    for (std::int32_t i = 0; i < 108; ++i)
        EXPECT_EQ(s.observation(i).value, y[static_cast<std::size_t>(i + 12)] - y[static_cast<std::size_t>(i)]);
}

TEST(BoxJenkinsIdentification, ForcedThroughWithTheSeasonalDifferenceRequested)
{
    const std::vector<double> v = growingSeason(96);
    Series s;
    fillSeries(s, v);
    // Without ForceThrough no d makes the seasonally differenced series
    // stationary.
    Series refused(s);
    BJ_identifyModelClass strict(12, QD_COMPUTE, 1, QD_COMPUTE, 0, QD_COMPUTE, 0, false, 36, refused);
    EXPECT_MVR_CODE(strict.identify(), 3022);

    // With it, the requested D is applied and kept (d = 0), so the orders
    // reported are the orders applied.
    Series forced(s);
    BJ_identifyModelClass id(12, QD_COMPUTE, 1, QD_COMPUTE, 0, QD_COMPUTE, 0, true, 36, forced);
    id.identify();
    EXPECT_EQ(id.d, 0);
    EXPECT_EQ(id.D, 1);
    ASSERT_EQ(forced.numObservations(), 96 - 12);
    for (std::int32_t i = 0; i < forced.numObservations(); ++i)
        EXPECT_EQ(forced.observation(i).value, v[static_cast<std::size_t>(i + 12)] - v[static_cast<std::size_t>(i)]);

    // End to end the forecasts follow the growing season.
    SeriesForecastBoxJenkinsNew bj(QD_LAST, QD_ALL, 12, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, 0, 1, 0, 12,
                                   true, QD_NO_TRANSFORM);
    bj.compute(s, 1);
    EXPECT_EQ(s.storedResults.value(QD_BOX_JENKINS_NONSEASONAL_D), 0.0);
    EXPECT_EQ(s.storedResults.value(QD_BOX_JENKINS_SEASONAL_D), 1.0);
    const std::vector<double> truth = growingSeason(108);
    for (std::int32_t i = 96; i < 108; ++i)
        EXPECT_NEAR(s.observation(i).value, truth[static_cast<std::size_t>(i)], 2.0) << i;
}

TEST(BoxJenkinsForecast, AirlineSeasonalModelWithLogTransform)
{
    Series s;
    fillSeries(s, kAirline);
    forecastAirline(s);
    ASSERT_EQ(s.numObservations(), 156);
    for (std::int32_t i = 0; i < 144; ++i) {
        // Supplied values are never touched, bit for bit.
        EXPECT_EQ(s.observation(i).value, kAirline[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(s.observation(i).originType, QD_SUPPLIED);
    }
    // The first D S + d = 13 fitted values are the actual values.
    EXPECT_EQ(s.observation(12).storedResults.value(QD_FORECAST), kAirline[12]);
    for (std::int32_t j = 0; j < 12; ++j) {
        const Observation& o = s.observation(144 + j);
        EXPECT_EQ(o.originType, QD_COMPUTED);
        expectClose(o.value, kAirlineForecasts[static_cast<std::size_t>(j)], 1e-8, "forecast");
        EXPECT_EQ(o.storedResults.value(QD_FORECAST), o.value);
        EXPECT_EQ(o.storedResults.value(QD_BOX_JENKINS), o.value);
    }
    EXPECT_NEAR(s.observation(144).value, 450.0, 0.5);
    EXPECT_NEAR(s.observation(145).value, 426.0, 0.5);
    EXPECT_NEAR(s.observation(146).value, 479.0, 0.5);

    const SeriesQC& r = s.storedResults;
    EXPECT_EQ(s.forecastMethodNumber, QD_BOX_JENKINS);
    EXPECT_EQ(s.seasonalLength, 12);
    EXPECT_EQ(s.decompositionType, 2);
    EXPECT_EQ(r.value(QD_LAMDA), 0.0);
    EXPECT_EQ(r.value(QD_BOX_JENKINS_NONSEASONAL_D), 1.0);
    EXPECT_EQ(r.value(QD_BOX_JENKINS_SEASONAL_D), 1.0);
    EXPECT_EQ(r.value(QD_BOX_JENKINS_SEASONAL_LENGTH), 12.0);
    EXPECT_EQ(r.value(QD_BOX_JENKINS_NONSEASONAL_Q), 1.0);
    EXPECT_EQ(r.value(QD_BOX_JENKINS_SEASONAL_Q), 1.0);
    EXPECT_EQ(r.value(QD_BOX_JENKINS_NONSEASONAL_P), 0.0);
    EXPECT_EQ(r.value(QD_BOX_JENKINS_NUM_LAG_VALUES), 48.0);
    double v = 0.0;
    ASSERT_EQ(r.lookupMultiple(QD_BOX_JENKINS_MA_PARAM, 0, v), QD_QUANTITY_FOUND);
    expectClose(v, kAirlineTheta, 1e-8, "theta");
    ASSERT_EQ(r.lookupMultiple(QD_BOX_JENKINS_MA_SEASONAL_PARAM, 0, v), QD_QUANTITY_FOUND);
    expectClose(v, kAirlineSeasonalTheta, 1e-8, "Theta");
    EXPECT_EQ(r.multiple(QD_BOX_JENKINS_AR_PARAM), nullptr);
    EXPECT_NE(r.lookup(QD_BOX_JENKINS_CONSTANT_PARAM, v), QD_QUANTITY_FOUND);  // d + D > 0
    ASSERT_NE(r.multiple(QD_AUTO_CORRELATION), nullptr);
    EXPECT_EQ(r.multiple(QD_AUTO_CORRELATION)->capacity(), 48);
    EXPECT_EQ(s.numParameters(QD_COMPUTE), 2);
}

TEST(BoxJenkinsForecast, LogTransformNeverTouchesTheCallersData)
{
    // A window that ends early: the observations after it keep their
    // values, the window's supplied values stay bit for bit, and only
    // computed observations take values.
    std::vector<double> data(kAirline.begin(), kAirline.end());
    data.push_back(1e300);
    data.push_back(0.3);
    Series s;
    fillSeries(s, data);
    forecastAirline(s, 143, 144);
    ASSERT_EQ(s.numObservations(), 156);
    for (std::int32_t i = 0; i < 146; ++i) {
        EXPECT_EQ(s.observation(i).value, data[static_cast<std::size_t>(i)]) << i;
        EXPECT_TRUE(std::isfinite(s.observation(i).storedResults.value(QD_FORECAST))) << i;
    }
    // Observations 144 and 145 hold the first two forecasts as fitted
    // values; the later ones are appended.
    expectClose(s.observation(144).storedResults.value(QD_FORECAST), kAirlineForecasts[0], 1e-8, "f1");
    expectClose(s.observation(146).value, kAirlineForecasts[2], 1e-8, "f3");

    // A failure after the window was taken leaves the series as it was.
    Series t;
    fillSeries(t, growingSeason(96));
    const std::vector<double> before = valuesOf(t);
    SeriesForecastBoxJenkinsNew failing(QD_LAST, QD_ALL, 12, QD_COMPUTE, QD_COMPUTE, 0, QD_COMPUTE, 0, 0, 0, 12,
                                        false, QD_LOG_TRANSFORM);
    EXPECT_MVR_CODE(failing.compute(t, 1), 3022);
    EXPECT_EQ(valuesOf(t), before);
    EXPECT_EQ(t.forecastMethodNumber, -1);
    double v = 0.0;
    EXPECT_NE(t.observation(5).storedResults.lookup(QD_FORECAST, v), QD_QUANTITY_FOUND);
}

TEST(BoxJenkinsForecast, ArgumentChecks)
{
    Series s;
    fillSeries(s, kAirline);
    const std::int32_t C = QD_COMPUTE;
    struct Case {
        std::int32_t last, count, h, p, d, q, P, D, Q, S;
        std::int32_t code;
        std::int32_t line;
    };
    const std::int32_t big = std::numeric_limits<std::int32_t>::max();
    const Case cases[] = {
        {-5, -1, 1, C, C, C, C, C, C, 0, 3000, 140},
        {144, -1, 1, C, C, C, C, C, C, 0, 3006, 143},
        {10, 12, 1, C, C, C, C, C, C, 0, 3001, 146},
        {-2, -1, -1, C, C, C, C, C, C, 0, 3030, 149},
        {-2, -1, big - 100, C, C, C, C, C, C, 0, 3030, 149},  // past the 32-bit index range
        {-2, -1, 1, -1, C, C, C, C, C, 0, 3032, 153},
        {-2, -1, 1, C, 3, C, C, C, C, 0, 3033, 156},
        {-2, -1, 1, C, C, -2, C, C, C, 0, 3034, 159},
        {-2, -1, 1, C, C, C, -1, C, C, 12, 3035, 162},
        {-2, -1, 1, C, C, C, C, 3, C, 12, 3036, 165},
        {-2, -1, 1, C, C, C, C, C, -1, 12, 3037, 168},
        {-2, -1, 1, C, C, C, C, C, C, 145, 3038, 171},
        {-2, -1, 1, C, C, C, 1, C, C, 0, 3027, 177},
        // Spans that reach over the window are refused before any work.
        {-2, -1, 1, 1000000000, C, C, C, C, C, 0, 3032, 153},
        {-2, -1, 1, 1, C, C, 12, C, C, 12, 3035, 162},
        {-2, -1, 1, C, C, 144, C, C, C, 0, 3034, 159},
        {-2, -1, 1, C, C, 1, C, C, 2000000000, 12, 3037, 168},
        // The same with the seasonal length detected (12 on this series).
        {-2, -1, 1, 1, C, C, 12, C, C, C, 3035, 162},
        {-2, -1, 1, C, C, C, 20, C, C, C, 3035, 162},
        {-2, -1, 1, C, C, C, 2000, C, C, C, 3035, 162},
        {-2, -1, 1, C, C, 1, C, C, 12, C, 3037, 168},
        {-2, -1, 1, C, C, C, C, C, 2000000000, C, 3037, 168},
        {-2, 7, 1, C, C, C, C, C, C, 0, 3039, 236},
    };
    for (const Case& c : cases) {
        SeriesForecastBoxJenkinsNew bj(c.last, c.count, c.h, C, c.p, c.d, c.q, c.P, c.D, c.Q, c.S, false,
                                       QD_NO_TRANSFORM);
        EXPECT_MVR_AT(bj.compute(s, 1), c.code, kForecastFile, c.line);
    }
    EXPECT_EQ(s.numObservations(), 144);
    EXPECT_MVR_AT(SeriesForecastBoxJenkinsNew(-2, -1, 1, 2, C, C, C, C, C, C, 0, false, 1), 3031, kForecastFile, 72);

    // Log transform of a window holding zero: refused before any change.
    Series z;
    fillSeries(z, kAirline);
    z.observation(40).value = 0.0;
    SeriesForecastBoxJenkinsNew logged(QD_LAST, QD_ALL, 1, C, 0, 1, 1, 0, 1, 1, 12, true, QD_LOG_TRANSFORM);
    EXPECT_MVR_CODE(logged.compute(z, 1), 3075);
    EXPECT_EQ(z.numObservations(), 144);
    // The default transform chooses no transform there, without scoring.
    SeriesForecastBoxJenkinsNew optimised(QD_LAST, QD_ALL, 1, C, 0, 1, 1, 0, 1, 1, 12, true, QD_OPTIMIZE_TRANSFORM);
    optimised.compute(z, 1);
    EXPECT_EQ(z.storedResults.value(QD_LAMDA), 1.0);
    // On the airline series the default transform picks the logarithms.
    Series a;
    fillSeries(a, kAirline);
    SeriesForecastBoxJenkinsNew chosen(QD_LAST, QD_ALL, 1, C, 0, 1, 1, 0, 1, 1, 12, true, QD_OPTIMIZE_TRANSFORM);
    chosen.compute(a, 1);
    EXPECT_EQ(a.storedResults.value(QD_LAMDA), 0.0);
}

TEST(BoxJenkinsForecast, ConstantStoredOnlyWithTheModel)
{
    Series s;
    fillSeries(s, kArmaSeries);
    SeriesForecastBoxJenkinsNew with(QD_LAST, QD_ALL, 2, 1, 1, 0, 0, 0, 0, 0, 0, true, QD_NO_TRANSFORM);
    with.compute(s, 1);
    double v = 0.0;
    ASSERT_EQ(s.storedResults.lookup(QD_BOX_JENKINS_CONSTANT_PARAM, v), QD_QUANTITY_FOUND);
    EXPECT_EQ(s.numParameters(QD_COMPUTE), 2);
    SeriesForecastBoxJenkinsNew without(QD_LAST, 20, 2, 0, 1, 0, 0, 0, 0, 0, 0, true, QD_NO_TRANSFORM);
    without.compute(s, 1);
    EXPECT_NE(s.storedResults.lookup(QD_BOX_JENKINS_CONSTANT_PARAM, v), QD_QUANTITY_FOUND);
    EXPECT_EQ(s.numParameters(QD_COMPUTE), 1);
}

TEST(BoxJenkinsTtest, AirlineModelOnTheLogScale)
{
    Series s;
    fillSeries(s, kAirline);
    forecastAirline(s);
    struct Case {
        std::int32_t parameter;
        double expected;
    };
    const Case cases[] = {{QD_BOX_JENKINS_MA_PARAM, kAirlineTValues[0]},
                          {QD_BOX_JENKINS_MA_SEASONAL_PARAM, kAirlineTValues[1]}};
    for (const Case& c : cases) {
        SeriesComputeTtest t(QD_BOX_JENKINS, c.parameter);
        SeriesOpApplySeriesCompute op(t);
        op.apply(s);
        double v = 0.0;
        ASSERT_EQ(s.storedResults.lookupMultiple(QD_T_TEST, 0, v), QD_QUANTITY_FOUND);
        EXPECT_EQ(s.storedResults.multiple(QD_T_TEST)->capacity(), 1);
        // The reference uses the reference coefficients; the engine's own
        // agree with them to about 1e-12.
        expectClose(v, c.expected, 1e-7, "t");
    }
    // A group of order 0 gives an empty entry.
    SeriesComputeTtest ar(QD_BOX_JENKINS, QD_BOX_JENKINS_AR_PARAM);
    ar.compute(s);
    EXPECT_EQ(s.storedResults.multiple(QD_T_TEST), nullptr);
}

// A series whose stored results describe an ARMA(1,1) with a constant.
void storeArmaModel(Series& s, const std::vector<double>& values, double mu, double phi, double theta)
{
    fillSeries(s, values);
    for (std::int32_t i = 0; i < s.numObservations(); ++i)
        s.observation(i).storedResults.store(QD_BOX_JENKINS, values[static_cast<std::size_t>(i)]);
    s.forecastMethodNumber = QD_BOX_JENKINS;
    SeriesQC& r = s.storedResults;
    r.store(QD_BOX_JENKINS_NONSEASONAL_P, 1);
    r.store(QD_BOX_JENKINS_NONSEASONAL_Q, 1);
    r.store(QD_BOX_JENKINS_CONSTANT_PARAM, mu);
    r.createMultiple(QD_BOX_JENKINS_AR_PARAM, 1);
    r.storeMultiple(QD_BOX_JENKINS_AR_PARAM, 0, phi);
    r.createMultiple(QD_BOX_JENKINS_MA_PARAM, 1);
    r.storeMultiple(QD_BOX_JENKINS_MA_PARAM, 0, theta);
}

TEST(BoxJenkinsTtest, ConstantAndArmaCoefficientsAgainstXtXInverse)
{
    Series s;
    storeArmaModel(s, kArmaSeries, 13.0, 0.6, 0.3);
    // A forecast period after the history never enters the test.
    s.addObservation(1e9, QD_COMPUTED, FdCString());
    const std::int32_t parameters[] = {QD_BOX_JENKINS_CONSTANT_PARAM, QD_BOX_JENKINS_AR_PARAM, QD_BOX_JENKINS_MA_PARAM};
    for (std::int32_t k = 0; k < 3; ++k) {
        SeriesComputeTtest t(QD_BOX_JENKINS, parameters[k]);
        t.compute(s);
        double v = 0.0;
        ASSERT_EQ(s.storedResults.lookupMultiple(QD_T_TEST, 0, v), QD_QUANTITY_FOUND);
        EXPECT_NEAR(v, kArmaTValues[static_cast<std::size_t>(k)], 1e-10) << parameters[k];
    }
}

TEST(BoxJenkinsTtest, Refusals)
{
    const char* file = "Libraries\\SeriesCompute\\SeriesComputeTtest";
    Series shortSeries;
    storeArmaModel(shortSeries, {1, 2, 3, 4, 5, 6, 7}, 1.0, 0.5, 0.5);
    EXPECT_MVR_AT(SeriesComputeTtest(18, 4005).compute(shortSeries), 3058, file, 60);

    Series s;
    storeArmaModel(s, kArmaSeries, 13.0, 0.6, 0.3);
    EXPECT_MVR_AT(SeriesComputeTtest(5, 4005).compute(s), 3057, file, 64);
    EXPECT_MVR_AT(SeriesComputeTtest(18, 4009).compute(s), 3057, file, 75);
    s.storedResults.createMultiple(QD_T_TEST, 1);
    s.storedResults.storeMultiple(QD_T_TEST, 0, 42.0);
    Series noMa(s);
    noMa.storedResults.createMultiple(QD_BOX_JENKINS_MA_PARAM, 0);
    EXPECT_MVR_AT(SeriesComputeTtest(18, 4006).compute(noMa), 3057, file, 86);
    Series noConstant(s);
    noConstant.storedResults.removeQuantity(QD_BOX_JENKINS_CONSTANT_PARAM);
    EXPECT_MVR_AT(SeriesComputeTtest(18, 2053).compute(noConstant), 3057, file, 82);
    Series other(s);
    other.forecastMethodNumber = QD_EXPONENTIAL_SMOOTHING;
    EXPECT_MVR_AT(SeriesComputeTtest(18, 4005).compute(other), 3057, file, 64);

    // A constant history makes X'X singular, at any scale; nothing is stored.
    for (double level : {5.0, 3e8}) {
        Series flat;
        storeArmaModel(flat, std::vector<double>(20, level), level, 0.5, 0.2);
        flat.storedResults.createMultiple(QD_T_TEST, 1);
        flat.storedResults.storeMultiple(QD_T_TEST, 0, 42.0);
        EXPECT_MVR_CODE(SeriesComputeTtest(18, 4005).compute(flat), 3025);
        double v = 0.0;
        EXPECT_EQ(flat.storedResults.lookupMultiple(QD_T_TEST, 0, v), QD_QUANTITY_FOUND);
        EXPECT_EQ(v, 42.0) << level;
    }
    // More regressors than rows.
    Series wide;
    storeArmaModel(wide, {1, 3, 2, 5, 4, 6, 5, 8, 7, 9}, 5.0, 0.5, 0.2);
    wide.storedResults.store(QD_BOX_JENKINS_SEASONAL_LENGTH, 2);
    wide.storedResults.store(QD_BOX_JENKINS_SEASONAL_P, 2);
    wide.storedResults.createMultiple(QD_BOX_JENKINS_AR_SEASONAL_PARAM, 2);
    EXPECT_MVR_CODE(SeriesComputeTtest(18, 4005).compute(wide), 3058);
}

}  // namespace

namespace {

// S left to the engine: the seasonal-length detection finds 12 on the
// airline series; the lags are then 4 S = 48.
TEST(BoxJenkinsForecast, DetectedSeasonalLength)
{
    Series s;
    fillSeries(s, kAirline);
    SeriesForecastBoxJenkinsNew bj(QD_LAST, QD_ALL, 3, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE,
                                   QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, true, QD_OPTIMIZE_TRANSFORM);
    bj.compute(s, 1);
    EXPECT_EQ(s.storedResults.value(QD_BOX_JENKINS_SEASONAL_LENGTH), 12.0);
    EXPECT_EQ(s.storedResults.value(QD_BOX_JENKINS_NUM_LAG_VALUES), 48.0);
    EXPECT_EQ(s.seasonalLength, 12);
    EXPECT_EQ(s.numObservations(), 147);
}

}  // namespace

namespace {

// Records the trial values of the first minimisation.
class RecordingModel : public BoxJenkinsModel {
public:
    using BoxJenkinsModel::BoxJenkinsModel;
    double evaluate(double x) override
    {
        if (trials.size() < 3)
            trials.push_back(x);
        return BoxJenkinsModel::evaluate(x);
    }
    std::vector<double> trials;
};

TEST(BoxJenkinsModel, SearchIntervalTurnedTheRightWayUp)
{
    // From order 3 a neighbour can lie above 1: phi(1) is then searched on
    // [phi(2) - 1, 1 - phi(2)] = [0.5, -0.5], taken as [-0.5, 0.5], so that
    // no trial value leaves the interval (the midpoint of the reversed
    // ends would be 1.0).
    Series s;
    fillSeries(s, kArmaSeries);
    RecordingModel model(19, 20, 0, 4, false, 0, 3, 0, 0, 0);
    model.setArCoefficient(1, 1.5);
    model.fit(s);
    ASSERT_EQ(model.trials.size(), 3u);
    for (double x : model.trials) {
        EXPECT_GE(x, -0.5);
        EXPECT_LE(x, 0.5);
    }
    EXPECT_TRUE(std::isfinite(model.residualSumOfSquares));
}

}  // namespace
