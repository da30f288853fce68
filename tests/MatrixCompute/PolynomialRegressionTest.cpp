// Polynomial regression: degrees accepted by partial F (reference values
// from make_polynomial_reference.py, exact rationals), product series and
// their descriptions, rejected degrees removed, and failures that leave
// the matrix as it was.
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "MatrixCompute/MatrixForecastPolynomialRegression.h"
#include "RegressionTestSupport.h"

using namespace regtest;
using qd::MatrixForecastPolynomialRegression;

namespace {
#include "PolynomialReference.inc"

using namespace qd;

MatrixForecastPolynomialRegression polynomial(std::int32_t history, double partialF, std::int32_t maxDegree = QD_COMPUTE,
                                              double minFIn = 0.0, double maxFOut = 0.0, std::int32_t periods = 0)
{
    return MatrixForecastPolynomialRegression(QD_LAST, history, maxDegree, partialF, minFIn, maxFOut, true, periods, 0.0,
                                              false, false, false);
}

void buildOneRegressor(Matrix& m)
{
    m.addSeries(makeSeries(kPolyY, 12, QD_DEPENDENT, "Y"));
    m.addSeries(makeSeries(kPolyX, 12, QD_INDEPENDENT, "X"));
}
}  // namespace

TEST(PolynomialRegression, OneRegressorAcceptsTheQuadraticOnly)
{
    // F of the quadratic 40811 > 4, of the cubic 0.39: degree 3 is tried
    // (maxDegree -3 with one regressor) and removed again.
    ASSERT_GT(kPolyF2_n12, 4.0);
    ASSERT_LT(kPolyF3_n12, 4.0);
    Matrix m;
    buildOneRegressor(m);
    MatrixForecastPolynomialRegression method = polynomial(QD_ALL, 4.0);
    runForecast(method, m);
    ASSERT_EQ(m.numSeries(), 3);
    EXPECT_EQ(text(m.series(2).description()), "(X)^2");
    EXPECT_EQ(m.series(2).observation(11).value, 144.0);
    EXPECT_REL(m.series(0).storedResults.value(QD_BETA), kPolyQuadratic_n12[0], 1e-9);
    EXPECT_REL(m.series(1).storedResults.value(QD_BETA), kPolyQuadratic_n12[1], 1e-9);
    EXPECT_REL(m.series(2).storedResults.value(QD_BETA), kPolyQuadratic_n12[2], 1e-9);
    const Series& y = m.series(0);
    for (std::int32_t t = 0; t < 12; ++t)
        EXPECT_EQ(y.observation(t).storedResults.value(QD_POLYNOMIAL_REGRESSION), forecastOf(y, t));
    EXPECT_EQ(m.forecastMethodNumber, QD_POLYNOMIAL_REGRESSION);
    EXPECT_EQ(y.forecastMethodNumber, QD_POLYNOMIAL_REGRESSION);
}

// The partial F of a shorter history counts the observations of that
// history (4389 for 8 values), not those of the series (which would give
// 7900).
TEST(PolynomialRegression, PartialFUsesTheHistoryLength)
{
    for (const double threshold : {kPolyF2_n8 * 0.9, kPolyF2_n8 * 1.4}) {
        SCOPED_TRACE(threshold);
        Matrix m;
        buildOneRegressor(m);
        MatrixForecastPolynomialRegression method = polynomial(8, threshold, 2);
        runForecast(method, m);
        const bool accepted = threshold < kPolyF2_n8;
        ASSERT_EQ(m.numSeries(), accepted ? 3 : 2);
        if (accepted) {
            EXPECT_REL(m.series(2).storedResults.value(QD_BETA), kPolyQuadratic_n8[2], 1e-9);
        }
    }
}

TEST(PolynomialRegression, PerfectQuadraticFitRejectsTheDegree)
{
    std::vector<double> y;
    for (double x : kPolyX)
        y.push_back(x * x);
    Matrix m;
    m.addSeries(makeSeries(y, QD_DEPENDENT, "Y"));
    m.addSeries(makeSeries(kPolyX, 12, QD_INDEPENDENT, "X"));
    MatrixForecastPolynomialRegression method = polynomial(QD_ALL, 0.0, 2);
    runForecast(method, m);
    EXPECT_EQ(m.numSeries(), 2);
}

TEST(PolynomialRegression, TwoRegressorsAddThreeSecondDegreeTerms)
{
    const std::vector<double> x1{1, 3, 2, 5, 4, 6, 2, 7, 5, 8, 3, 6};
    const std::vector<double> x2{4, 2, 6, 3, 7, 1, 5, 2, 6, 3, 8, 4};
    std::vector<double> y;
    for (std::size_t t = 0; t < x1.size(); ++t)
        y.push_back(2.0 + x1[t] * x2[t] + 0.5 * x1[t] + ((t % 3) - 1.0) * 0.2);
    Matrix m;
    m.addSeries(makeSeries(y, QD_DEPENDENT, "Y"));
    m.addSeries(makeSeries(x1, QD_INDEPENDENT, "X1"));
    m.addSeries(makeSeries(x2, QD_INDEPENDENT, "X2"));
    MatrixForecastPolynomialRegression method = polynomial(QD_ALL, 4.0);
    runForecast(method, m);
    ASSERT_EQ(m.numSeries(), 6);
    EXPECT_EQ(text(m.series(3).description()), "(X1)^2");
    EXPECT_EQ(text(m.series(4).description()), "(X1)*(X2)");
    EXPECT_EQ(text(m.series(5).description()), "(X2)^2");
    EXPECT_EQ(m.series(4).observation(1).value, 6.0);
    EXPECT_NEAR(m.series(4).storedResults.value(QD_BETA), 1.0, 0.1);
}

TEST(PolynomialRegression, StepwiseFinalFitWithFLimits)
{
    Matrix m;
    buildOneRegressor(m);
    MatrixForecastPolynomialRegression method = polynomial(QD_ALL, 4.0, QD_COMPUTE, 2.0, 1.0);
    runForecast(method, m);
    ASSERT_EQ(m.numSeries(), 3);
    EXPECT_EQ(m.series(2).dependenceType, QD_REGRESSION_SELECTED);
    EXPECT_EQ(m.forecastMethodNumber, QD_POLYNOMIAL_REGRESSION);
    EXPECT_EQ(m.series(0).observation(5).storedResults.value(QD_POLYNOMIAL_REGRESSION), forecastOf(m.series(0), 5));
}

TEST(PolynomialRegression, Errors)
{
    struct Case {
        const char* name;
        MatrixForecastPolynomialRegression method;
        std::int32_t code;
    };
    const Case cases[] = {
        {"negative partial F", polynomial(QD_ALL, -0.5), 3103},
        {"partial F not a number", polynomial(QD_ALL, std::nan("")), 3103},
        {"F-in below F-out", polynomial(QD_ALL, 4.0, QD_COMPUTE, 1.0, 2.0), 3098},
        {"negative F-out", polynomial(QD_ALL, 4.0, QD_COMPUTE, 0.0, -1.0), 3097},
        {"degree 0", polynomial(QD_ALL, 4.0, 0), 3102},
        {"history of one value", polynomial(1, 4.0), 3001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Matrix m;
        buildOneRegressor(m);
        MatrixForecastPolynomialRegression method = c.method;
        EXPECT_EQ(codeOf([&] { runForecast(method, m); }), c.code);
        EXPECT_EQ(m.numSeries(), 2);
    }
    Matrix one;
    one.addSeries(makeSeries(kPolyY, 12, QD_DEPENDENT));
    MatrixForecastPolynomialRegression method = polynomial(QD_ALL, 4.0);
    EXPECT_EQ(codeOf([&] { runForecast(method, one); }), 3100);
}

// Four observations and two regressors allow two terms: the second degree
// is never created. The forecast period extends the regressors by the
// automatic selection, and the matrix keeps exactly its own three series.
TEST(PolynomialRegression, ForecastExtendsTheRegressorsAndKeepsTheMatrix)
{
    Matrix m;
    m.addSeries(makeSeries({3.0, 5.0, 4.0, 7.0}, QD_DEPENDENT, "Y"));
    m.addSeries(makeSeries({1.0, 2.0, 2.0, 4.0}, QD_INDEPENDENT, "X1"));
    m.addSeries(makeSeries({2.0, 1.0, 3.0, 1.0}, QD_INDEPENDENT, "X2"));
    MatrixForecastPolynomialRegression method = polynomial(QD_ALL, 4.0, QD_COMPUTE, 0.0, 0.0, 1);
    EXPECT_EQ(codeOf([&] { runForecast(method, m); }), 0);
    ASSERT_EQ(m.numSeries(), 3);
    EXPECT_EQ(text(m.series(2).description()), "X2");
    EXPECT_EQ(m.series(0).numObservations(), 5);
    EXPECT_EQ(m.series(1).numObservations(), 5);
    EXPECT_EQ(m.series(2).numObservations(), 5);
    EXPECT_TRUE(std::isfinite(m.series(0).observation(4).value));
    double v = 0.0;
    EXPECT_EQ(m.series(0).observation(0).storedResults.lookup(QD_POLYNOMIAL_REGRESSION, v), QD_QUANTITY_FOUND);
}

// The trial fits run without forecast periods, the final fit with them: a
// negative number of periods passes every trial fit and fails only in the
// final fit (3030). Four observations allow two terms, so the quadratic is
// created and accepted and the cubic term is left in the term list without
// a series. The failure must be reported, remove the quadratic's series
// (and no series for the cubic term: it has none) and write nothing back.
TEST(PolynomialRegression, FailedFinalFitLeavesTheMatrixAsItWas)
{
    struct Case {
        const char* name;
        double minFIn;
        double maxFOut;
    };
    const Case cases[] = {
        {"multiple regression final fit", 0.0, 0.0},
        {"stepwise final fit", 2.0, 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto build = [](Matrix& m) {
            m.addSeries(makeSeries({3.0, 5.0, 4.0, 7.0}, QD_DEPENDENT, "Y"));
            m.addSeries(makeSeries({1.0, 2.0, 3.0, 4.0}, QD_INDEPENDENT, "X"));
        };
        // With a valid number of periods the quadratic is kept: the failing
        // run below does reach the final fit with a product series created.
        Matrix good;
        build(good);
        MatrixForecastPolynomialRegression ok = polynomial(QD_ALL, 0.0, QD_COMPUTE, c.minFIn, c.maxFOut, 0);
        ASSERT_EQ(codeOf([&] { runForecast(ok, good); }), 0);
        ASSERT_EQ(good.numSeries(), 3);
        EXPECT_EQ(text(good.series(2).description()), "(X)^2");

        Matrix m;
        build(m);
        MatrixForecastPolynomialRegression method = polynomial(QD_ALL, 0.0, QD_COMPUTE, c.minFIn, c.maxFOut, -1);
        EXPECT_EQ(codeOf([&] { runForecast(method, m); }), 3030);
        ASSERT_EQ(m.numSeries(), 2);
        EXPECT_EQ(text(m.series(0).description()), "Y");
        EXPECT_EQ(text(m.series(1).description()), "X");
        // The trial fits ran on the matrix and left their own results (the
        // multiple regression's method and roles); the polynomial result is
        // not recorded.
        EXPECT_NE(m.forecastMethodNumber, QD_POLYNOMIAL_REGRESSION);
        EXPECT_NE(m.series(0).forecastMethodNumber, QD_POLYNOMIAL_REGRESSION);
        const double y[] = {3.0, 5.0, 4.0, 7.0};
        ASSERT_EQ(m.series(0).numObservations(), 4);
        ASSERT_EQ(m.series(1).numObservations(), 4);
        for (std::int32_t t = 0; t < 4; ++t) {
            const Observation& o = m.series(0).observation(t);
            EXPECT_EQ(o.value, y[t]);
            double v = 0.0;
            EXPECT_EQ(o.storedResults.lookup(QD_POLYNOMIAL_REGRESSION, v), QD_QUANTITY_ABSENT) << t;
            EXPECT_EQ(o.storedResults.lookup(QD_STEPWISE, v), QD_QUANTITY_ABSENT) << t;
        }
    }
}
