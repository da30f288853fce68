// Multiple regression against exact least squares (RegressionReference.inc,
// made by make_regression_reference.py), its argument and data errors, and
// the t-value service it uses for p-values and half-widths.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "MatrixCompute/MatrixForecastMultipleRegression.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "SeriesCompute/SeriesForecastSelvane.h"
#include "SeriesCompute/FitCriteria.h"
#include "SeriesCompute/SeriesComputeTValue.h"
#include "RegressionTestSupport.h"

using namespace regtest;
using qd::MatrixForecastMultipleRegression;

namespace {
#include "RegressionReference.inc"

using namespace qd;

const std::int32_t kN = 12;
const double kTol = 1e-10;
// The t distribution function and its inverse follow Hill's algorithms,
// whose precision bounds the p-values and the interval half-widths.
const double kTTol = 1e-6;

// Dependent series of 12 values and two regressors of 14 (values for the
// two forecast periods included).
void buildMatrix(Matrix& m, std::int32_t regressorLength = kN + 2)
{
    m.addSeries(makeSeries(kRegY, kN, QD_DEPENDENT, "Y"));
    m.addSeries(makeSeries(kRegX1, regressorLength, QD_INDEPENDENT, "X1"));
    m.addSeries(makeSeries(kRegX2, regressorLength, QD_INDEPENDENT, "X2"));
}

MatrixForecastMultipleRegression regression(bool constant, std::int32_t periods, double level,
                                            bool useExisting = true)
{
    return MatrixForecastMultipleRegression(QD_LAST, QD_ALL, constant, periods, level, false, false, useExisting,
                                            false, -1);
}

struct Expected {
    const double* beta;  // constant first when used
    const double* stdErr;
    const double* t;
    const double* p;
    const double* elasticity;
    const double* fitted;
    const double* forecast;
    const double* halfWidth;
    double F;
    double rSquare;
    double adjustedRSquare;
};

void checkAgainstReference(bool constant, const Expected& x)
{
    Matrix m;
    buildMatrix(m);
    MatrixForecastMultipleRegression method = regression(constant, 2, 0.95);
    runForecast(method, m);
    const Series& y = m.series(0);
    const std::int32_t off = constant ? 1 : 0;

    EXPECT_REL(method.SSE, constant ? kRegConstSSE : kRegNoConstSSE, kTol);
    EXPECT_REL(y.storedResults.value(QD_F_TEST), x.F, kTol);
    if (constant) {
        EXPECT_REL(y.storedResults.value(QD_BETA), x.beta[0], kTol);
        EXPECT_REL(y.storedResults.value(QD_REGRESSION_STANDARD_ERROR), x.stdErr[0], kTol);
        EXPECT_REL(multiple(y, QD_T_TEST), x.t[0], kTol);
        EXPECT_NEAR(multiple(y, QD_P_VALUE), x.p[0], kTTol);
    } else {
        EXPECT_EQ(y.storedResults.value(QD_BETA), 0.0);
        EXPECT_EQ(multiple(y, QD_T_TEST), 0.0);
        EXPECT_EQ(multiple(y, QD_P_VALUE), 0.0);
    }
    EXPECT_EQ(y.storedResults.value(QD_REGRESSION_ELASTICITY), 0.0);
    for (std::int32_t i = 0; i < 2; ++i) {
        const Series& s = m.series(1 + i);
        SCOPED_TRACE(i);
        EXPECT_EQ(s.dependenceType, QD_REGRESSION_SELECTED);
        EXPECT_REL(s.storedResults.value(QD_BETA), x.beta[off + i], kTol);
        EXPECT_REL(s.storedResults.value(QD_REGRESSION_STANDARD_ERROR), x.stdErr[off + i], kTol);
        EXPECT_REL(multiple(s, QD_T_TEST), x.t[off + i], kTol);
        EXPECT_NEAR(multiple(s, QD_P_VALUE), x.p[off + i], kTTol);
        EXPECT_REL(s.storedResults.value(QD_REGRESSION_ELASTICITY), x.elasticity[i], kTol);
        // The regressors' values for the forecast periods are used as they
        // stand and recorded as their forecasts.
        EXPECT_EQ(s.numObservations(), kN + 2);
        EXPECT_EQ(forecastOf(s, kN), s.observation(kN).value);
    }
    ASSERT_EQ(y.numObservations(), kN + 2);
    for (std::int32_t r = 0; r < kN; ++r) {
        EXPECT_REL(forecastOf(y, r), x.fitted[r], kTol) << r;
        EXPECT_EQ(y.observation(r).storedResults.value(QD_MULTIPLE_REGRESSION), forecastOf(y, r));
    }
    for (std::int32_t j = 0; j < 2; ++j) {
        const Observation& o = y.observation(kN + j);
        EXPECT_EQ(o.originType, QD_COMPUTED);
        EXPECT_EQ(text(o.description), j == 0 ? "0" : "1");
        EXPECT_REL(o.value, x.forecast[j], kTol);
        EXPECT_REL(forecastOf(y, kN + j), x.forecast[j], kTol);
        EXPECT_REL(o.storedResults.value(QD_CONFIDENCE_INTERVAL), x.halfWidth[j], kTTol);
    }
    EXPECT_EQ(m.forecastMethodNumber, QD_MULTIPLE_REGRESSION);
    EXPECT_EQ(y.forecastMethodNumber, QD_MULTIPLE_REGRESSION);

    // R square and adjusted R square of the fitted values over the history,
    // with the regression's number of coefficients as k.
    Series& dependent = m.series(0);
    const std::int32_t k = constant ? 3 : 2;
    EXPECT_REL(computeRSquare(dependent, kN - 1, kN), x.rSquare, kTol);
    EXPECT_REL(computeAdjustedRSquare(dependent, kN - 1, kN, k), x.adjustedRSquare, kTol);
}
}  // namespace

TEST(MultipleRegression, WithConstantMatchesExactLeastSquares)
{
    checkAgainstReference(true, {kRegConstBeta, kRegConstStdErr, kRegConstT, kRegConstP, kRegConstElasticity,
                                 kRegConstFitted, kRegConstForecast, kRegConstHalfWidth95, kRegConstF,
                                 kRegConstRSquare, kRegConstAdjustedRSquare});
}

// Without the constant the F statistic and R square still use the centred
// total sum of squares.
TEST(MultipleRegression, WithoutConstantMatchesExactLeastSquares)
{
    checkAgainstReference(false, {kRegNoConstBeta, kRegNoConstStdErr, kRegNoConstT, kRegNoConstP,
                                  kRegNoConstElasticity, kRegNoConstFitted, kRegNoConstForecast,
                                  kRegNoConstHalfWidth95, kRegNoConstF, kRegNoConstRSquare,
                                  kRegNoConstAdjustedRSquare});
}

TEST(MultipleRegression, NoForecastPeriodsLeavesRegressorsAlone)
{
    Matrix m;
    buildMatrix(m, kN);
    MatrixForecastMultipleRegression method = regression(true, 0, 0.0, false);
    runForecast(method, m);
    EXPECT_EQ(m.series(0).numObservations(), kN);
    EXPECT_REL(forecastOf(m.series(0), 3), kRegConstFitted[3], kTol);
    for (std::int32_t i = 1; i <= 2; ++i) {
        EXPECT_EQ(m.series(i).numObservations(), kN);
        double v = 0.0;
        EXPECT_EQ(m.series(i).observation(kN - 1).storedResults.lookup(QD_FORECAST, v), QD_QUANTITY_ABSENT);
    }
}

// Regressors without values for the forecast periods are extended by the
// automatic method selection (BIC, every seasonal candidate, no hold-out)
// from the regression's first observation; the dependent forecast applies
// the fitted coefficients to those values.
TEST(MultipleRegression, RegressorsExtendedByTheSelection)
{
    std::vector<double> extended[2];
    for (std::int32_t i = 0; i < 2; ++i) {
        Series copy = makeSeries(i == 0 ? kRegX1 : kRegX2, kN, QD_INDEPENDENT, "X");
        SeriesForecastSelvane selvane(0, 2, QD_BIC, QD_OPTIMIZE_ALL, 0, 0, QD_SELVANE_STANDARD);
        SeriesOpApplySeriesForecast(selvane).apply(copy);
        ASSERT_EQ(copy.numObservations(), kN + 2);
        for (std::int32_t j = 0; j < 2; ++j)
            extended[i].push_back(copy.observation(kN + j).value);
    }
    Matrix m;
    buildMatrix(m, kN);
    MatrixForecastMultipleRegression method = regression(true, 2, 0.95, false);
    runForecast(method, m);
    for (std::int32_t i = 0; i < 2; ++i) {
        const Series& x = m.series(1 + i);
        ASSERT_EQ(x.numObservations(), kN + 2);
        for (std::int32_t j = 0; j < 2; ++j) {
            EXPECT_EQ(x.observation(kN + j).value, extended[i][j]);
            EXPECT_EQ(forecastOf(x, kN + j), extended[i][j]);
        }
    }
    const Series& y = m.series(0);
    ASSERT_EQ(y.numObservations(), kN + 2);
    for (std::int32_t j = 0; j < 2; ++j) {
        const double expected =
            kRegConstBeta[0] + kRegConstBeta[1] * extended[0][j] + kRegConstBeta[2] * extended[1][j];
        EXPECT_REL(y.observation(kN + j).value, expected, 1e-9);
    }
}

TEST(MultipleRegression, ArgumentAndDataErrors)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        std::function<void(Matrix&)> setup;
        MatrixForecastMultipleRegression method;
        std::int32_t code;
    };
    auto standard = [](Matrix& m) { buildMatrix(m, kN); };
    auto base = [](std::int32_t h, double level) {
        return MatrixForecastMultipleRegression(QD_LAST, QD_ALL, true, h, level, false, false, false, false, -1);
    };
    const Case cases[] = {
        {"no dependent series",
         [](Matrix& m) { m.addSeries(makeSeries(kRegX1, kN, QD_INDEPENDENT)); m.addSeries(makeSeries(kRegX2, kN, QD_INDEPENDENT)); },
         base(0, 0.0), 3094},
        {"one series", [](Matrix& m) { m.addSeries(makeSeries(kRegY, kN, QD_DEPENDENT)); }, base(0, 0.0), 3099},
        {"trend with two regressors", standard,
         MatrixForecastMultipleRegression(QD_LAST, QD_ALL, true, 0, 0.0, true, false, false, false, -1), 3099},
        {"negative periods", standard, base(-1, 0.0), 3030},
        {"level 1", standard, base(0, 1.0), 3088},
        {"level not a number", standard, base(0, nan), 3088},
        // (level + 1) / 2 rounds to 1: refused before the t inverse.
        {"level just below 1", standard, base(0, 0.9999999999999999), 3088},
        {"short regressor",
         [](Matrix& m) { buildMatrix(m, kN); m.series(2).removeObservationAt(kN - 1); }, base(0, 0.0), 3030},
        {"fewer observations than columns", standard,
         MatrixForecastMultipleRegression(QD_LAST, 2, true, 0, 0.0, false, false, false, false, -1), 3099},
        // n = p passes the checks; the statistics have no degree of freedom.
        {"no degree of freedom", standard,
         MatrixForecastMultipleRegression(QD_LAST, 3, true, 0, 0.0, false, false, false, false, -1), 3146},
        {"history beyond the start", standard,
         MatrixForecastMultipleRegression(4, 6, true, 0, 0.0, false, false, false, false, -1), 3005},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Matrix m;
        c.setup(m);
        MatrixForecastMultipleRegression method = c.method;
        EXPECT_EQ(codeOf([&] { runForecast(method, m); }), c.code);
    }
}

TEST(MultipleRegression, IdenticalRegressorsAreSingularBeforeAnythingIsStored)
{
    Matrix m;
    m.addSeries(makeSeries(kRegY, kN, QD_DEPENDENT));
    m.addSeries(makeSeries(kRegX1, kN, QD_INDEPENDENT));
    m.addSeries(makeSeries(kRegX1, kN, QD_INDEPENDENT));
    MatrixForecastMultipleRegression method = regression(true, 0, 0.0, false);
    try {
        runForecast(method, m);
        ADD_FAILURE() << "no exception";
    } catch (const MVRBaseException& e) {
        EXPECT_EQ(e.code, 3025);
        EXPECT_EQ(text(e.file()), "Libraries\\MatrixCompute\\MatrixForecastMultipleRegression");
        EXPECT_EQ(e.line, 106);
    }
    double v = 0.0;
    EXPECT_EQ(m.series(0).observation(0).storedResults.lookup(QD_FORECAST, v), QD_QUANTITY_ABSENT);
    EXPECT_EQ(m.series(1).dependenceType, QD_INDEPENDENT);
}

// The least-squares line of the new-product curves takes its coefficients
// by its own path on fixed arrays; it must give the regression's QD_BETA
// results bit for bit and fail with the regression's code wherever the
// regression fails, the failures decided by the condition estimate alone
// included, and two points, where the regression has no degree of freedom
// for its statistics.
TEST(MultipleRegression, RegressionLineIsTheRegressionsOwnCoefficients)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* name;
        std::vector<double> x;
        std::vector<double> y;
        std::int32_t code;  // 0: both succeed
    };
    std::vector<double> logs;
    std::vector<double> curve;
    for (std::int32_t k = 0; k < 20; ++k) {
        logs.push_back(std::log(k + 1.0));
        curve.push_back(-std::log(-std::log((3.0 + 0.7 * k) / 40.0)));
    }
    const Case cases[] = {
        {"a curve's linearised values over 0, 1, ...",
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}, curve, 0},
        {"over the logarithms of 1, 2, ...", logs, curve, 0},
        {"three points", {0.5, -1.25, 7.0}, {2.0, 3.5, -0.125}, 0},
        {"two points", {0.5, -1.25}, {2.0, 3.5}, 3146},
        {"two points on a line", {0.0, 1.0}, {1.0, 3.0}, 3146},
        {"negative and mixed signs", {-3, -2, -1, 0, 1, 2}, {-0.0, 1e-300, -2.5, 4.0, 1e5, -7.0}, 0},
        {"huge values", {1, 2, 3, 4}, {1e300, -1e300, 1.5e300, 0.0}, 0},
        {"not a number in y", {0, 1, 2, 3}, {1.0, nan, 2.0, 3.0}, 0},
        {"a constant regressor", {3, 3, 3, 3}, {1, 2, 3, 4}, 3025},
        // The determinant is about 50, far above its tolerance; the
        // condition estimate alone declares the system singular.
        {"near-collinear at a large offset", {1e7, 1e7 + 1, 1e7 + 2, 1e7 + 3, 1e7 + 4}, {1, 2, 3, 4, 6}, 3025},
        {"a determinant below the tolerance", {0, 1e-6, 2e-6, 3e-6}, {1, 2, 3, 5}, 3025},
        {"an infinite regressor", {0, 1, inf, 3}, {1, 2, 3, 4}, 3025},
        {"not a number in x", {0, nan, 2, 3}, {1, 2, 3, 4}, 3025},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.x.size(), c.y.size());
        const std::int32_t n = static_cast<std::int32_t>(c.x.size());
        Matrix m;
        m.addSeries(makeSeries(c.y, QD_DEPENDENT));
        m.addSeries(makeSeries(c.x, QD_INDEPENDENT));
        MatrixForecastMultipleRegression method = regression(true, 0, 0.0, true);
        const std::int32_t regressionCode = codeOf([&] { runForecast(method, m); });
        double intercept = 0.0;
        double slope = 0.0;
        const std::int32_t lineCode =
            codeOf([&] { regressionLineCoefficients(c.x.data(), c.y.data(), n, intercept, slope); });
        EXPECT_EQ(regressionCode, c.code);
        EXPECT_EQ(lineCode, c.code);
        if (regressionCode != 0 || lineCode != 0)
            continue;
        const double beta0 = m.series(0).storedResults.value(QD_BETA);
        const double beta1 = m.series(1).storedResults.value(QD_BETA);
        EXPECT_EQ(std::memcmp(&intercept, &beta0, sizeof(double)), 0) << intercept << " " << beta0;
        EXPECT_EQ(std::memcmp(&slope, &beta1, sizeof(double)), 0) << slope << " " << beta1;
    }
}

TEST(TValue, QuantilesAndProbabilities)
{
    for (const auto& q : kTQuantiles) {
        // Two-sided level l reads the quantile at (l + 1) / 2.
        EXPECT_REL(qd::computeTValue(2.0 * q[0] - 1.0, q[1], false), q[2], kTTol) << q[0] << " " << q[1];
        EXPECT_REL(qd::computeTValue(q[0], q[1], true), q[2], kTTol) << q[0] << " " << q[1];
    }
    for (const auto& p : kTTwoSided)
        EXPECT_NEAR(qd::computeTProbability(p[0], p[1], false), p[2], kTTol) << p[0] << " " << p[1];
    EXPECT_EQ(qd::computeTValue(0.0, 5.0, false), 0.0);
}

TEST(TValue, RefusedArguments)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        std::function<double()> call;
        std::int32_t code;
    };
    const Case cases[] = {
        {[] { return qd::computeTValue(-0.1, 5.0, false); }, 3088},
        {[] { return qd::computeTValue(1.0, 5.0, false); }, 3088},
        {[&] { return qd::computeTValue(nan, 5.0, false); }, 3088},
        // One-sided level 0 would ask the inverse for p = 0.
        {[] { return qd::computeTValue(0.0, 5.0, true); }, 3088},
        {[] { return qd::computeTValue(0.9999999999999999, 5.0, false); }, 3088},
        {[] { return qd::computeTValue(0.95, 0.5, false); }, 3146},
        {[&] { return qd::computeTValue(0.95, nan, false); }, 3146},
        {[] { return qd::computeTProbability(-1.0, 5.0, false); }, 3147},
        {[] { return qd::computeTProbability(1.0, 0.0, false); }, 3146},
        {[] { return qd::normalQuantileFromTable(0.999, false); }, 3088},
        {[&] { return qd::normalQuantileFromTable(nan, false); }, 3088},
    };
    for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(codeOf([&] { cases[i].call(); }), cases[i].code) << "case " << i;
}

TEST(TValue, NormalQuantileTable)
{
    EXPECT_NEAR(qd::normalQuantileFromTable(0.95, false), 1.96, 1e-15);
    EXPECT_NEAR(qd::normalQuantileFromTable(0.95, true), 1.645, 1e-12);
    EXPECT_NEAR(qd::normalQuantileFromTable(0.925, false), (1.645 + 1.96) / 2.0, 1e-12);
    EXPECT_EQ(qd::normalQuantileFromTable(0.0, false), 0.0);
}
