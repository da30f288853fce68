// Stepwise regression on the cement data (cement.csv; partial F values of
// every model on the path from make_cement_reference.py, exact rationals):
// forward selection enters x4 (F 22.80), x1 (108.22) and x2 (5.03);
// selection with removal then drops x4 (1.86); backward elimination drops
// x3, then x4.
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "MatrixCompute/MatrixForecastStepwise.h"
#include "RegressionTestSupport.h"

using namespace regtest;
using qd::MatrixForecastStepwise;

namespace {
#include "CementReference.inc"

using namespace qd;

const std::int32_t kN = 13;
const double kTol = 1e-9;

// Matrix: y (dependent), x1, x2, x3, x4.
void buildCement(Matrix& m)
{
    m.addSeries(makeSeries(kCement_y, kN, QD_DEPENDENT, "y"));
    m.addSeries(makeSeries(kCement_x1, kN, QD_INDEPENDENT, "x1"));
    m.addSeries(makeSeries(kCement_x2, kN, QD_INDEPENDENT, "x2"));
    m.addSeries(makeSeries(kCement_x3, kN, QD_INDEPENDENT, "x3"));
    m.addSeries(makeSeries(kCement_x4, kN, QD_INDEPENDENT, "x4"));
}

MatrixForecastStepwise stepwise(std::int16_t type, double fIn = 4.0, double fOut = 3.0,
                                std::int32_t minSeries = QD_COMPUTE, std::int32_t maxSeries = QD_COMPUTE)
{
    return MatrixForecastStepwise(QD_LAST, QD_ALL, type, minSeries, maxSeries, fIn, fOut, 0, 0, false, true, 0, 0.0,
                                  false, false, false);
}

double partialFOf(const Matrix& m, std::int32_t i)
{
    const double t = multiple(m.series(i), QD_T_TEST);
    return t * t;
}

// Expected partial F per matrix index 1..4 (x1..x4); NAN: not selected.
void expectModel(const Matrix& m, const double (&f)[5])
{
    EXPECT_EQ(m.series(0).dependenceType, QD_DEPENDENT);
    for (std::int32_t i = 1; i <= 4; ++i) {
        SCOPED_TRACE("x" + std::to_string(i));
        if (std::isnan(f[i])) {
            EXPECT_EQ(m.series(i).dependenceType, QD_REGRESSION_NOT_SELECTED);
        } else {
            EXPECT_EQ(m.series(i).dependenceType, QD_REGRESSION_SELECTED);
            EXPECT_NEAR(partialFOf(m, i), f[i], kTol * f[i]);
        }
    }
}

const double kOut = std::nan("");
}  // namespace

TEST(StepwiseRegression, ForwardSelectionFollowsTheTextbookPath)
{
    {
        // Limited to one regressor: x4 enters first with F 22.80.
        Matrix m;
        buildCement(m);
        MatrixForecastStepwise method = stepwise(qd::kForwardSelection, 4.0, 3.0, QD_COMPUTE, 2);
        runForecast(method, m);
        expectModel(m, {0, kOut, kOut, kOut, kCementF_x4__x4});
        EXPECT_NEAR(partialFOf(m, 4), 22.80, 0.005);
    }
    {
        // Then x1 with F 108.22.
        Matrix m;
        buildCement(m);
        MatrixForecastStepwise method = stepwise(qd::kForwardSelection, 4.0, 3.0, QD_COMPUTE, 3);
        runForecast(method, m);
        expectModel(m, {0, kCementF_x4_x1__x1, kOut, kOut, kCementF_x4_x1__x4});
        EXPECT_NEAR(partialFOf(m, 1), 108.22, 0.005);
    }
    {
        // Then x2 with F 5.03; x3 (F 0.02 after them) stays out.
        Matrix m;
        buildCement(m);
        MatrixForecastStepwise method = stepwise(qd::kForwardSelection);
        runForecast(method, m);
        expectModel(m, {0, kCementF_x4_x1_x2__x1, kCementF_x4_x1_x2__x2, kOut, kCementF_x4_x1_x2__x4});
        EXPECT_NEAR(partialFOf(m, 2), 5.03, 0.005);
        EXPECT_NEAR(partialFOf(m, 4), 1.86, 0.005);
        EXPECT_EQ(m.forecastMethodNumber, QD_STEPWISE);
        EXPECT_EQ(m.series(0).forecastMethodNumber, QD_STEPWISE);
        // Default lags 0 .. 0: lag 0 recorded for every series.
        for (std::int32_t i = 0; i < 5; ++i)
            EXPECT_EQ(m.series(i).storedResults.value(QD_REGRESSION_LAG_VALUE), 0.0);
    }
}

TEST(StepwiseRegression, RemovalAndBackwardEliminationEndWithX1AndX2)
{
    for (std::int16_t type : {qd::kStepwiseWithRemoval, qd::kBackwardElimination}) {
        SCOPED_TRACE(type);
        Matrix m;
        buildCement(m);
        MatrixForecastStepwise method = stepwise(type);
        runForecast(method, m);
        expectModel(m, {0, kCementF_x1_x2__x1, kCementF_x1_x2__x2, kOut, kOut});
        // The fitted values are the final model's, under 12 and 29.
        const Series& y = m.series(0);
        for (std::int32_t r = 0; r < kN; ++r) {
            EXPECT_EQ(y.observation(r).storedResults.value(QD_STEPWISE), forecastOf(y, r));
            EXPECT_NEAR(forecastOf(y, r), kCement_y[r], 5.0);
        }
        EXPECT_GT(y.storedResults.value(QD_F_TEST), 200.0);
    }
}

TEST(StepwiseRegression, BackwardEliminationKeepsEverySeriesAtTheMinimum)
{
    Matrix m;
    buildCement(m);
    MatrixForecastStepwise method = stepwise(qd::kBackwardElimination, 4.0, 3.0, 5);
    runForecast(method, m);
    expectModel(m, {0, kCementF_x1_x2_x3_x4__x1, kCementF_x1_x2_x3_x4__x2, kCementF_x1_x2_x3_x4__x3,
                    kCementF_x1_x2_x3_x4__x4});
}

TEST(StepwiseRegression, Errors)
{
    struct Case {
        const char* name;
        MatrixForecastStepwise method;
        std::int32_t code;
    };
    const Case cases[] = {
        {"F-in below F-out with removal", stepwise(qd::kStepwiseWithRemoval, 3.0, 4.0), 3098},
        {"negative F", stepwise(qd::kForwardSelection, -1.0, 0.0), 3097},
        {"F not a number", stepwise(qd::kForwardSelection, std::nan(""), 0.0), 3097},
        {"nothing enters", stepwise(qd::kForwardSelection, 1e6, 0.0), 3101},
        {"minimum above the series", stepwise(qd::kForwardSelection, 4.0, 3.0, 6), 3095},
        {"minimum above maximum with removal", stepwise(qd::kStepwiseWithRemoval, 4.0, 3.0, 4, 3), 3106},
        {"negative lag",
         MatrixForecastStepwise(QD_LAST, QD_ALL, 2, QD_COMPUTE, QD_COMPUTE, 4.0, 3.0, -1, 0, false, true, 0, 0.0, false,
                                false, false),
         3107},
        {"level 1",
         MatrixForecastStepwise(QD_LAST, QD_ALL, 2, QD_COMPUTE, QD_COMPUTE, 4.0, 3.0, 0, 0, false, true, 0, 1.0, false,
                                false, false),
         3088},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Matrix m;
        buildCement(m);
        MatrixForecastStepwise method = c.method;
        EXPECT_EQ(codeOf([&] { runForecast(method, m); }), c.code);
    }
    // Forward selection takes F-in below F-out.
    Matrix m;
    buildCement(m);
    MatrixForecastStepwise method = stepwise(qd::kForwardSelection, 3.0, 4.0);
    EXPECT_EQ(codeOf([&] { runForecast(method, m); }), 0);
}

// Forecast periods extend the selected regressors by the automatic
// selection; the final fit forecasts the dependent series.
TEST(StepwiseRegression, ForecastPeriodsExtendTheRegressors)
{
    Matrix m;
    buildCement(m);
    MatrixForecastStepwise method(QD_LAST, QD_ALL, 2, QD_COMPUTE, QD_COMPUTE, 4.0, 3.0, 0, 0, false, true, 2, 0.0,
                                  false, false, false);
    EXPECT_EQ(codeOf([&] { runForecast(method, m); }), 0);
    ASSERT_EQ(m.series(0).numObservations(), kN + 2);
    for (std::int32_t j = kN; j < kN + 2; ++j)
        EXPECT_TRUE(std::isfinite(m.series(0).observation(j).value));
    double v = 0.0;
    EXPECT_EQ(m.series(0).observation(0).storedResults.lookup(QD_STEPWISE, v), QD_QUANTITY_FOUND);
}

TEST(StepwiseRegression, LaggedDependentSeriesIsACandidate)
{
    // An autoregressive series: y(t) = 0.9 y(t-1) + 1 + a small wobble.
    std::vector<double> y{0.0};
    for (int t = 1; t < 20; ++t)
        y.push_back(0.9 * y.back() + 1.0 + ((t % 3) - 1) * 0.05);
    Matrix m;
    m.addSeries(makeSeries(y, QD_DEPENDENT, "Y"));
    MatrixForecastStepwise method(QD_LAST, QD_ALL, 2, QD_COMPUTE, QD_COMPUTE, 4.0, 3.0, 0, 0, true, true, 0, 0.0,
                                  false, false, false);
    ASSERT_EQ(codeOf([&] { runForecast(method, m); }), 0);
    ASSERT_EQ(m.numSeries(), 2);
    const Series& lag = m.series(1);
    EXPECT_EQ(text(lag.description()), "Y(Lag)");
    EXPECT_EQ(lag.observation(0).value, y[0]);
    EXPECT_EQ(lag.observation(1).value, y[0]);
    EXPECT_EQ(lag.observation(19).value, y[18]);
    EXPECT_EQ(lag.dependenceType, QD_REGRESSION_SELECTED);
}

TEST(StepwiseRegression, BestLagShiftsTheRegressor)
{
    // y(t) = 2 x(t - 2) + small noise: lag 2 fits best among 0 .. 3.
    std::vector<double> x{3, 7, 1, 8, 2, 9, 4, 6, 5, 10, 2, 7, 3, 8, 1, 9, 6, 4};
    std::vector<double> y(x.size());
    for (std::size_t t = 0; t < x.size(); ++t)
        y[t] = (t >= 2 ? 2.0 * x[t - 2] : 5.0) + ((t % 4) - 1.5) * 0.1;
    Matrix m;
    m.addSeries(makeSeries(y, QD_DEPENDENT, "Y"));
    m.addSeries(makeSeries(x, QD_INDEPENDENT, "X"));
    MatrixForecastStepwise method(QD_LAST, QD_ALL, 2, QD_COMPUTE, QD_COMPUTE, 4.0, 3.0, 0, 3, false, true, 0, 0.0,
                                  false, false, false);
    runForecast(method, m);
    EXPECT_EQ(m.series(1).storedResults.value(QD_REGRESSION_LAG_VALUE), 2.0);
    EXPECT_EQ(text(m.series(1).description()), "X(Lag 2)");
    // The first L history observations keep their own values as fits.
    EXPECT_EQ(forecastOf(m.series(0), 0), y[0]);
    EXPECT_EQ(forecastOf(m.series(0), 1), y[1]);
    EXPECT_NEAR(forecastOf(m.series(0), 5), 2.0 * x[3], 0.3);
}
