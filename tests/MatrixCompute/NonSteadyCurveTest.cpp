// The new-product curve of a matrix against its independent series: an
// exact logistic in the independent values is recovered and forecast at the
// independent series' future values; the optimised choice is recorded in the
// matrix; the role, range and curve-type checks.
#include <cmath>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "Foundation/FdCString.h"
#include "Matrix/MVRBaseException.h"
#include "Matrix/Matrix.h"
#include "Matrix/MatrixOpApplyMatrixForecast.h"
#include "Matrix/QuantityTypes.h"
#include "MatrixCompute/MatrixForecastNonSteadyNPCurve.h"

using namespace qd;

namespace {

// Independent values: cumulative distribution, growing unevenly.
const double kX[] = {0.5, 1.0, 2.0, 2.5, 3.5, 5.0, 5.5, 6.0, 7.5, 8.0, 9.0, 11.0};

double logisticOf(double x)
{
    return 10.0 + 90.0 / (1.0 + std::exp(3.0 - 0.8 * x));
}

// Dependent: n values; independent: all 12 values.
void build(Matrix& m, std::int32_t n, bool withDependent = true, bool withIndependent = true)
{
    Series y(64);
    Series x(64);
    for (std::int32_t k = 0; k < n; ++k)
        y.addObservation(logisticOf(kX[k]), QD_SUPPLIED, FdCString());
    for (double v : kX)
        x.addObservation(v, QD_SUPPLIED, FdCString());
    y.dependenceType = withDependent ? QD_DEPENDENT : 0;
    x.dependenceType = withIndependent ? QD_INDEPENDENT : 0;
    m.addSeries(y);
    m.addSeries(x);
}

void run(Matrix& m, MatrixForecastNonSteadyNPCurve& method)
{
    MatrixOpApplyMatrixForecast op(method);
    op.apply(m);
}

TEST(NonSteadyCurve, RecoversACurveInTheIndependentValues)
{
    Matrix m;
    build(m, 10);
    MatrixForecastNonSteadyNPCurve method(QD_LAST, QD_ALL, 2, 10.0, 100.0, 1, 2);
    run(m, method);
    const Series& y = m.series(0);
    ASSERT_EQ(y.numObservations(), 12);
    EXPECT_NEAR(y.storedResults.value(QD_BETA), 3.0, 1e-9);
    EXPECT_NEAR(y.storedResults.value(QD_GAMMA), 0.8, 1e-9);
    for (std::int32_t k = 10; k < 12; ++k)
        EXPECT_NEAR(y.observation(k).storedResults.value(QD_FORECAST), logisticOf(kX[k]), 1e-9 * logisticOf(kX[k]));
    EXPECT_EQ(m.forecastMethodNumber, QD_LOGISTIC_CURVE);

    Matrix best;
    build(best, 10);
    MatrixForecastNonSteadyNPCurve optimised(QD_LAST, QD_ALL, 0, 10.0, 100.0, 1, QD_COMPUTE);
    run(best, optimised);
    EXPECT_EQ(best.forecastMethodNumber, QD_NEW_PRODUCT_FORECASTING);
    EXPECT_EQ(best.series(0).numObservations(), 10);
    EXPECT_NEAR(best.series(0).observation(9).storedResults.value(QD_FORECAST), logisticOf(kX[9]), 1e-9 * 100);
}

TEST(NonSteadyCurve, Refusals)
{
    struct Case { std::int32_t n; bool dependent; bool independent; std::int16_t curve; std::int32_t code; };
    const Case cases[] = {
        {10, true, false, 2, 3093},
        {10, false, false, 2, 3094},
        {10, false, true, 2, 3094},
        {2, true, true, 2, 3001},
        {10, true, true, 4, 3117},
        {11, true, true, 2, 3115},  // the independent series ends at the forecast period
    };
    for (const Case& c : cases) {
        Matrix m;
        build(m, c.n, c.dependent, c.independent);
        m.forecastMethodNumber = -1;
        MatrixForecastNonSteadyNPCurve method(QD_LAST, QD_ALL, c.code == 3115 ? 2 : 1, -3.0, -3.0, 2, c.curve);
        try {
            run(m, method);
            ADD_FAILURE() << "no exception, expected " << c.code;
        } catch (const MVRBaseException& e) {
            EXPECT_EQ(e.code, c.code);
        }
        EXPECT_EQ(m.forecastMethodNumber, -1);
        EXPECT_EQ(m.series(0).numObservations(), c.n);
    }
}

}  // namespace
