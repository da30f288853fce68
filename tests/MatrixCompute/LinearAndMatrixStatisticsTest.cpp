// The linear trend regression of one series and the matrix statistics
// (covariance, correlation and coefficient-of-determination tables). The
// expected values are small exact hand computations, given in comments.
#include <cmath>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "Matrix/MatrixOpApplyMatrixCompute.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "MatrixCompute/MatrixStatistics.h"
#include "SeriesCompute/SeriesForecastLinearRegression.h"
#include "RegressionTestSupport.h"

using namespace qd;

using namespace regtest;
using qd::SeriesForecastLinearRegression;

namespace {
void runLinear(SeriesForecastLinearRegression& method, Series& s)
{
    SeriesOpApplySeriesForecast op(method);
    op.apply(s);
}

SeriesForecastLinearRegression fitting(std::int32_t last, std::int32_t count, std::int32_t periods)
{
    return SeriesForecastLinearRegression(last, count, periods, true, 0.0, false, 0.0, 0.0);
}

double cell(const Matrix& m, std::int32_t type, std::int32_t i, std::int32_t j)
{
    return m.storedResults.statisticMatrix(type)->valueAt(i, j);
}

void runTable(MatrixCompute& method, Matrix& m)
{
    MatrixOpApplyMatrixCompute op(method);
    op.apply(m);
}
}  // namespace

TEST(LinearRegression, StraightLineThroughTwoFourSix)
{
    Series s = makeSeries({2.0, 4.0, 6.0}, 0);
    SeriesForecastLinearRegression method = fitting(QD_LAST, QD_ALL, 1);
    runLinear(method, s);
    // Time index 1, 2, 3: slope 2, intercept 0.
    EXPECT_NEAR(s.storedResults.value(QD_LINEAR_REGRESSION_SLOPE), 2.0, 1e-12);
    EXPECT_NEAR(s.storedResults.value(QD_LINEAR_REGRESSION_INTERCEPT), 0.0, 1e-12);
    ASSERT_EQ(s.numObservations(), 4);
    for (std::int32_t t = 0; t < 4; ++t) {
        EXPECT_NEAR(forecastOf(s, t), 2.0 * (t + 1), 1e-12);
        EXPECT_EQ(s.observation(t).storedResults.value(QD_LINEAR_REGRESSION), forecastOf(s, t));
    }
    EXPECT_EQ(s.observation(3).originType, QD_COMPUTED);
    EXPECT_EQ(s.forecastMethodNumber, QD_LINEAR_REGRESSION);
}

TEST(LinearRegression, StatisticsOfANoisyLine)
{
    // 1, 3, 2, 5, 4 on t = 1..5: Sxy 8, Sxx 10, slope 0.8, intercept 0.6;
    // SSE 3.6 with 3 degrees of freedom, so se(slope) = sqrt(1.2 / 10)
    // and F = (SST - SSE) / (SSE / 3) = (10 - 3.6) / 1.2.
    Series s = makeSeries({1.0, 3.0, 2.0, 5.0, 4.0}, 0);
    SeriesForecastLinearRegression method = fitting(QD_LAST, QD_ALL, 2);
    runLinear(method, s);
    EXPECT_NEAR(method.slope, 0.8, 1e-12);
    EXPECT_NEAR(method.intercept, 0.6, 1e-12);
    EXPECT_NEAR(s.storedResults.value(QD_F_TEST), 6.4 / 1.2, 1e-11);
    EXPECT_NEAR(multiple(s, QD_T_TEST, 1), 0.8 / std::sqrt(0.12), 1e-11);
    EXPECT_NEAR(forecastOf(s, 6), 0.6 + 0.8 * 7, 1e-12);
    // Confidence level 0: the half-widths are 0.
    EXPECT_EQ(s.observation(5).storedResults.value(QD_CONFIDENCE_INTERVAL), 0.0);
    // Elasticity of the time index: slope x mean t / mean y = 0.8 x 3 / 3.
    EXPECT_NEAR(s.storedResults.value(QD_REGRESSION_ELASTICITY), 0.8, 1e-12);
}

TEST(LinearRegression, RangeEndingEarlyOverwritesTheFollowingObservations)
{
    Series s = makeSeries({2.0, 4.0, 6.0, 100.0, 200.0}, 0);
    SeriesForecastLinearRegression method = fitting(2, 3, 2);
    runLinear(method, s);
    ASSERT_EQ(s.numObservations(), 5);
    EXPECT_NEAR(forecastOf(s, 3), 8.0, 1e-12);
    EXPECT_NEAR(forecastOf(s, 4), 10.0, 1e-12);
    EXPECT_EQ(s.observation(4).value, 200.0);
}

TEST(LinearRegression, GivenCoefficients)
{
    Series s = makeSeries({1.0, 1.0, 1.0, 1.0, 1.0}, 0);
    SeriesForecastLinearRegression method(4, 0, 2, true, 0.0, true, 1.0, 0.0);
    runLinear(method, s);
    // The 0-based observation index, not the time index of the fit.
    ASSERT_EQ(s.numObservations(), 7);
    EXPECT_EQ(forecastOf(s, 5), 5.0);
    EXPECT_EQ(forecastOf(s, 6), 6.0);
    double v = 0.0;
    EXPECT_EQ(s.observation(4).storedResults.lookup(QD_FORECAST, v), QD_QUANTITY_ABSENT);
    EXPECT_EQ(s.storedResults.lookup(QD_F_TEST, v), QD_QUANTITY_ABSENT);
    EXPECT_EQ(s.storedResults.value(QD_LINEAR_REGRESSION_SLOPE), 1.0);

    Series none = makeSeries({1.0, 2.0}, 0);
    SeriesForecastLinearRegression zero(QD_LAST, 0, 0, true, 0.0, true, 3.0, 1.0);
    runLinear(zero, none);
    EXPECT_EQ(none.numObservations(), 2);
    EXPECT_EQ(none.storedResults.value(QD_LINEAR_REGRESSION_SLOPE), 3.0);
    EXPECT_EQ(none.storedResults.value(QD_LINEAR_REGRESSION_INTERCEPT), 1.0);
    EXPECT_EQ(none.forecastMethodNumber, QD_LINEAR_REGRESSION);
}

TEST(LinearRegression, Errors)
{
    Series s = makeSeries({2.0, 4.0, 6.0}, 0);
    SeriesForecastLinearRegression one = fitting(QD_LAST, 1, 1);
    EXPECT_EQ(codeOf([&] { runLinear(one, s); }), 3001);
    // The number of periods is checked before the range.
    SeriesForecastLinearRegression negative = fitting(QD_LAST, 1, -1);
    EXPECT_EQ(codeOf([&] { runLinear(negative, s); }), 3030);
    SeriesForecastLinearRegression beyond(3, 0, 1, true, 0.0, true, 1.0, 0.0);
    EXPECT_EQ(codeOf([&] { runLinear(beyond, s); }), 3006);
    SeriesForecastLinearRegression badLevel(QD_LAST, QD_ALL, 1, true, 1.5, false, 0.0, 0.0);
    EXPECT_EQ(codeOf([&] { runLinear(badLevel, s); }), 3088);
    EXPECT_EQ(s.numObservations(), 3);
}

TEST(MatrixStatistics, TablesOfIdenticalNegatedAndConstantSeries)
{
    Matrix m;
    m.addSeries(makeSeries({1.0, 2.0, 3.0, 4.0}, 0));
    m.addSeries(makeSeries({1.0, 2.0, 3.0, 4.0}, 0));
    m.addSeries(makeSeries({-1.0, -2.0, -3.0, -4.0}, 0));
    m.addSeries(makeSeries({5.0, 5.0, 5.0, 5.0}, 0));
    qd::MatrixComputeCovarianceMatrix covariance(QD_LAST, QD_ALL);
    qd::MatrixComputeCorrelationCoefficientMatrix correlation(QD_LAST, QD_ALL);
    qd::MatrixComputeCoefficientDeterminationMatrix determination(QD_LAST, QD_ALL);
    runTable(covariance, m);
    runTable(correlation, m);
    runTable(determination, m);
    // Sample variance of 1..4: 5/3.
    EXPECT_NEAR(cell(m, QD_COVARIANCE, 0, 0), 5.0 / 3.0, 1e-15);
    EXPECT_NEAR(cell(m, QD_COVARIANCE, 0, 2), -5.0 / 3.0, 1e-15);
    EXPECT_EQ(cell(m, QD_COVARIANCE, 3, 3), 0.0);
    for (std::int32_t i = 0; i < 2; ++i)
        for (std::int32_t j = 0; j < 2; ++j)
            EXPECT_NEAR(cell(m, QD_COEFFICIENT_DETERMINATION, i, j), 1.0, 1e-15);
    EXPECT_NEAR(cell(m, QD_CORRELATION_COEFFICIENT, 0, 2), -1.0, 1e-15);
    EXPECT_NEAR(cell(m, QD_CORRELATION_COEFFICIENT, 2, 1), -1.0, 1e-15);
    EXPECT_NEAR(cell(m, QD_COEFFICIENT_DETERMINATION, 2, 0), 1.0, 1e-15);
    // A constant series correlates 0 with everything, itself included.
    for (std::int32_t j = 0; j < 4; ++j)
        EXPECT_EQ(cell(m, QD_CORRELATION_COEFFICIENT, 3, j), 0.0);
}

TEST(MatrixStatistics, RangesAndErrors)
{
    {
        // Correlation over the last three values only: 2, 3, 4 against
        // 4, 9, 16: covariance 12 / 2 = 6, deviations 1 and
        // sqrt((289 + 4 + 361) / 9 / 2) = sqrt(109 / 3).
        Matrix m;
        m.addSeries(makeSeries({9.0, 2.0, 3.0, 4.0}, 0));
        m.addSeries(makeSeries({-7.0, 4.0, 9.0, 16.0}, 0));
        qd::MatrixComputeCorrelationCoefficientMatrix correlation(QD_LAST, 3);
        runTable(correlation, m);
        EXPECT_NEAR(cell(m, QD_CORRELATION_COEFFICIENT, 0, 1), 6.0 / std::sqrt(109.0 / 3.0), 1e-14);
    }
    {
        Matrix m;
        m.addSeries(makeSeries({1.0, 2.0, 3.0}, 0));
        m.addSeries(makeSeries({1.0, 5.0, 2.0}, 0));
        qd::MatrixComputeCovarianceMatrix single(QD_LAST, 1);
        EXPECT_EQ(codeOf([&] { runTable(single, m); }), 3004);
    }
    {
        // The range comes from series 0; the shorter series 1 does not
        // reach its last index. Cells filled before the failure stay.
        Matrix m;
        m.addSeries(makeSeries({1.0, 2.0, 3.0, 4.0}, 0));
        m.addSeries(makeSeries({1.0, 5.0, 2.0}, 0));
        qd::MatrixComputeCovarianceMatrix covariance(QD_LAST, QD_ALL);
        EXPECT_EQ(codeOf([&] { runTable(covariance, m); }), 3006);
        EXPECT_NEAR(cell(m, QD_COVARIANCE, 0, 0), 5.0 / 3.0, 1e-15);
        double v = 0.0;
        EXPECT_EQ(m.storedResults.statisticMatrix(QD_COVARIANCE)->lookupAt(1, 1, v), QD_QUANTITY_ABSENT);
    }
}
