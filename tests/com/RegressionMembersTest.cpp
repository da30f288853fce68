// The regression and matrix-statistics members of SeriesX and MatrixX
// through early binding: linear trend regression, multiple regression
// against exact least squares (tests/MatrixCompute/RegressionReference.inc),
// its fallback to forward selection, stepwise regression on the cement
// data (tests/MatrixCompute/CementReference.inc), polynomial regression and
// the series-by-series tables.
#include "ComTestSupport.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {
#include "../MatrixCompute/CementReference.inc"
#include "../MatrixCompute/RegressionReference.inc"

void addSeries(IMatrixX* matrix, LONG index, const double* values, int n, short role)
{
    for (int i = 0; i < n; ++i)
        ASSERT_EQ(S_OK, matrix->AddObservation(index, values[i], nullptr, 1));
    Ref<ISeriesX> series;
    ASSERT_EQ(S_OK, matrix->get_Series(index, series.put()));
    ASSERT_EQ(S_OK, series->put_DependenceType(role));
}

double seriesStatistic(IMatrixX* matrix, LONG index, short type, LONG slot = 0)
{
    double value = -12345.0;
    EXPECT_EQ(S_OK, matrix->get_StatValueSeries(index, type, slot, &value));
    return value;
}

short roleOf(IMatrixX* matrix, LONG index)
{
    Ref<ISeriesX> series;
    EXPECT_EQ(S_OK, matrix->get_Series(index, series.put()));
    short role = -1;
    EXPECT_EQ(S_OK, series->get_DependenceType(&role));
    return role;
}

std::wstring descriptionOf(IMatrixX* matrix, LONG index)
{
    Ref<ISeriesX> series;
    EXPECT_EQ(S_OK, matrix->get_Series(index, series.put()));
    Text text;
    EXPECT_EQ(S_OK, series->get_Description(text.put()));
    return text.str();
}

void buildCement(IMatrixX* m)
{
    addSeries(m, 0, kCement_y, 13, 1);
    addSeries(m, 1, kCement_x1, 13, 2);
    addSeries(m, 2, kCement_x2, 13, 2);
    addSeries(m, 3, kCement_x3, 13, 2);
    addSeries(m, 4, kCement_x4, 13, 2);
}

double tSquared(IMatrixX* m, LONG index)
{
    const double t = seriesStatistic(m, index, 4012);
    return t * t;
}
}  // namespace

class RegressionMembersTest : public ComTest {};

TEST_F(RegressionMembersTest, LinearRegressionOfASeriesAndOfEverySeries)
{
    // 1, 3, 2, 5, 4 on t = 1..5: slope 0.8, intercept 0.6, forecast 5.4.
    Ref<ISeriesX> series;
    create(CLSID_SeriesX, IID_ISeriesX, series);
    EXPECT_EQ(S_OK, series->ForecastLinearRegression(-2, -1, 1));
    LONG count = -1;
    EXPECT_EQ(S_OK, series->get_NumObservations(&count));
    EXPECT_EQ(0, count);
    for (double v : {1.0, 3.0, 2.0, 5.0, 4.0})
        ASSERT_EQ(S_OK, series->AddObservation(v, nullptr, 1));
    ASSERT_EQ(S_OK, series->ForecastLinearRegression(-2, -1, 1));
    double value = 0.0;
    EXPECT_EQ(S_OK, series->get_Statistic(2061, &value));
    EXPECT_NEAR(0.8, value, 1e-12);
    EXPECT_EQ(S_OK, series->get_Statistic(2060, &value));
    EXPECT_NEAR(0.6, value, 1e-12);
    EXPECT_EQ(S_OK, series->get_StatValueObs(5, 29, &value));
    EXPECT_NEAR(5.4, value, 1e-12);
    short method = 0;
    EXPECT_EQ(S_OK, series->get_ForecastMethodNumber(&method));
    EXPECT_EQ(6, method);
    EXPECT_REPORTED(3030, series->ForecastLinearRegression(-2, -1, -1));

    Ref<IMatrixX> matrix;
    create(CLSID_MatrixX, IID_IMatrixX, matrix);
    const double a[] = {1, 3, 2, 5, 4};
    const double b[] = {2, 4, 6, 8, 10};
    addSeries(matrix.get(), 0, a, 5, 0);
    addSeries(matrix.get(), 1, b, 5, 0);
    ASSERT_EQ(S_OK, matrix->ForecastLinearRegression(-2, -1, 2));
    EXPECT_NEAR(0.8, seriesStatistic(matrix.get(), 0, 2061), 1e-12);
    EXPECT_NEAR(2.0, seriesStatistic(matrix.get(), 1, 2061), 1e-12);
    EXPECT_EQ(S_OK, matrix->get_StatValueObs(1, 6, 29, &value));
    EXPECT_NEAR(14.0, value, 1e-12);
}

TEST_F(RegressionMembersTest, MultipleRegressionMatchesExactLeastSquares)
{
    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    addSeries(m.get(), 0, kRegY, 12, 1);
    addSeries(m.get(), 1, kRegX1, 12, 2);
    addSeries(m.get(), 2, kRegX2, 12, 2);
    ASSERT_EQ(S_OK, m->ForecastMultipleRegression(-2, -1));
    for (int j = 0; j < 3; ++j) {
        SCOPED_TRACE(j);
        EXPECT_NEAR(kRegConstBeta[j], seriesStatistic(m.get(), j, 2029), 1e-10 * std::fabs(kRegConstBeta[j]));
        EXPECT_NEAR(kRegConstStdErr[j], seriesStatistic(m.get(), j, 2062), 1e-10 * kRegConstStdErr[j]);
        EXPECT_NEAR(kRegConstT[j], seriesStatistic(m.get(), j, 4012), 1e-10 * std::fabs(kRegConstT[j]));
        EXPECT_NEAR(kRegConstP[j], seriesStatistic(m.get(), j, 4014), 1e-6);
    }
    EXPECT_NEAR(kRegConstF, seriesStatistic(m.get(), 0, 2026), 1e-10 * kRegConstF);
    double fitted = 0.0;
    EXPECT_EQ(S_OK, m->get_StatValueObs(0, 7, 29, &fitted));
    EXPECT_NEAR(kRegConstFitted[7], fitted, 1e-10 * kRegConstFitted[7]);
    EXPECT_EQ(12, roleOf(m.get(), 1));
    short method = 0;
    EXPECT_EQ(S_OK, m->get_ForecastMethodNumber(&method));
    EXPECT_EQ(11, method);
}

// Two identical regressors: the regression fails (determinant zero) and
// forward selection with no F limits takes one of them. The member
// succeeds, records method 11 and leaves the first failure reported.
TEST_F(RegressionMembersTest, MultipleRegressionFallsBackToForwardSelection)
{
    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    addSeries(m.get(), 0, kRegY, 12, 1);
    addSeries(m.get(), 1, kRegX1, 12, 2);
    addSeries(m.get(), 2, kRegX1, 12, 2);
    SetErrorInfo(0, nullptr);
    ASSERT_EQ(S_OK, m->ForecastMultipleRegression(-2, -1));
    const ErrorReport report = lastError();
    EXPECT_TRUE(report.present);
    EXPECT_EQ(3025, reportedCode(report));
    short method = 0;
    EXPECT_EQ(S_OK, m->get_ForecastMethodNumber(&method));
    EXPECT_EQ(11, method);
    Ref<ISeriesX> dependent;
    ASSERT_EQ(S_OK, m->get_Series(0, dependent.put()));
    EXPECT_EQ(S_OK, dependent->get_ForecastMethodNumber(&method));
    EXPECT_EQ(11, method);
    EXPECT_EQ(12, roleOf(m.get(), 1));
    EXPECT_EQ(13, roleOf(m.get(), 2));

    // Series of different lengths: 2000 from both attempts.
    ASSERT_EQ(S_OK, m->AddObservation(1, 1.0, nullptr, 1));
    EXPECT_REPORTED(2000, m->ForecastMultipleRegression(-2, -1));
}

TEST_F(RegressionMembersTest, StepwiseOnTheCementData)
{
    {
        // Forward selection: x4, x1, x2 enter; x3 stays out.
        Ref<IMatrixX> m;
        create(CLSID_MatrixX, IID_IMatrixX, m);
        buildCement(m.get());
        ASSERT_EQ(S_OK, m->ForecastStepwise(-2, -1, 2, -3, -3, 4.0, 3.0, 0, 0, 0));
        EXPECT_EQ(13, roleOf(m.get(), 3));
        EXPECT_NEAR(kCementF_x4_x1_x2__x2, tSquared(m.get(), 2), 1e-9 * kCementF_x4_x1_x2__x2);
        EXPECT_NEAR(kCementF_x4_x1_x2__x4, tSquared(m.get(), 4), 1e-9 * kCementF_x4_x1_x2__x4);
        short method = 0;
        EXPECT_EQ(S_OK, m->get_ForecastMethodNumber(&method));
        EXPECT_EQ(12, method);
    }
    {
        // With removal x4 leaves again (F 1.86 < 3).
        Ref<IMatrixX> m;
        create(CLSID_MatrixX, IID_IMatrixX, m);
        buildCement(m.get());
        ASSERT_EQ(S_OK, m->ForecastStepwise(-2, -1, 1, -3, -3, 4.0, 3.0, 0, 0, 0));
        EXPECT_EQ(13, roleOf(m.get(), 4));
        EXPECT_EQ(12, roleOf(m.get(), 1));
        EXPECT_NEAR(kCementF_x1_x2__x2, tSquared(m.get(), 2), 1e-9 * kCementF_x1_x2__x2);
        EXPECT_REPORTED(3098, m->ForecastStepwise(-2, -1, 1, -3, -3, 3.0, 4.0, 0, 0, 0));
    }
    {
        // needLagDependent counts as true only when it is 1.
        Ref<IMatrixX> m;
        create(CLSID_MatrixX, IID_IMatrixX, m);
        buildCement(m.get());
        ASSERT_EQ(S_OK, m->ForecastStepwise(-2, -1, 2, -3, -3, 4.0, 3.0, 0, 0, 2));
        LONG n = 0;
        EXPECT_EQ(S_OK, m->get_NumSeries(&n));
        EXPECT_EQ(5, n);
        ASSERT_EQ(S_OK, m->ForecastStepwise(-2, -1, 2, -3, -3, 4.0, 3.0, 0, 0, 1));
        EXPECT_EQ(S_OK, m->get_NumSeries(&n));
        EXPECT_EQ(6, n);
    }
}

TEST_F(RegressionMembersTest, PolynomialRegressionAddsAcceptedPowers)
{
    const double x[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const double y[] = {3.1, 4.9, 9.2, 14.8, 23.1, 32.9, 45.2, 58.8, 75.1, 92.9, 113.2, 134.8};
    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    addSeries(m.get(), 0, y, 12, 1);
    addSeries(m.get(), 1, x, 12, 2);
    ASSERT_TRUE(SUCCEEDED(m->put_Description(Text(L"poly").get())));
    Ref<ISeriesX> xs;
    ASSERT_EQ(S_OK, m->get_Series(1, xs.put()));
    ASSERT_EQ(S_OK, xs->put_Description(Text(L"X").get()));
    EXPECT_REPORTED(3103, m->ForecastPolynomialRegression(-2, -1, -3, -0.5, 0.0, 0.0));
    ASSERT_EQ(S_OK, m->ForecastPolynomialRegression(-2, -1, -3, 4.0, 0.0, 0.0));
    LONG n = 0;
    EXPECT_EQ(S_OK, m->get_NumSeries(&n));
    EXPECT_EQ(3, n);
    EXPECT_EQ(L"(X)^2", descriptionOf(m.get(), 2));
    short method = 0;
    EXPECT_EQ(S_OK, m->get_ForecastMethodNumber(&method));
    EXPECT_EQ(13, method);
}

TEST_F(RegressionMembersTest, MatrixStatisticsTables)
{
    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    const double a[] = {1, 2, 3, 4};
    const double b[] = {-1, -2, -3, -4};
    const double c[] = {5, 5, 5, 5};
    addSeries(m.get(), 0, a, 4, 0);
    addSeries(m.get(), 1, b, 4, 0);
    addSeries(m.get(), 2, c, 4, 0);
    ASSERT_EQ(S_OK, m->CalculateCovarianceMatrix(-2, -1));
    ASSERT_EQ(S_OK, m->CalculateCorrelationCoefficientMatrix(-2, -1));
    ASSERT_EQ(S_OK, m->CalculateCoefficientDeterminationMatrix(-2, -1));
    double v = 0.0;
    EXPECT_EQ(S_OK, m->get_StatValueMatrix(6002, 0, 0, &v));
    EXPECT_NEAR(5.0 / 3.0, v, 1e-15);
    EXPECT_EQ(S_OK, m->get_StatValueMatrix(6001, 0, 1, &v));
    EXPECT_NEAR(-1.0, v, 1e-15);
    EXPECT_EQ(S_OK, m->get_StatValueMatrix(6000, 1, 0, &v));
    EXPECT_NEAR(1.0, v, 1e-15);
    EXPECT_EQ(S_OK, m->get_StatValueMatrix(6001, 2, 2, &v));
    EXPECT_EQ(0.0, v);
    LONG rows = 0;
    EXPECT_EQ(S_OK, m->get_NumStatRows(6000, &rows));
    EXPECT_EQ(3, rows);
    EXPECT_REPORTED(3004, m->CalculateCovarianceMatrix(-2, 1));
}
