// Croston's method and the new-product curve through SeriesX and MatrixX:
// forecasts against the exact references of the engine tests
// (tests/SeriesCompute/CrostonReference.inc), the curve chosen on exact
// logistic data, errors reported with the compute class's path, and the
// matrix members on every series.
#include "ComTestSupport.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace {
#include "../SeriesCompute/CrostonReference.inc"

void load(ISeriesX* s, const double* values, int n)
{
    for (int i = 0; i < n; ++i)
        ASSERT_EQ(S_OK, s->AddObservation(values[i], nullptr, 1));
}

double fittedAt(ISeriesX* s, LONG i)
{
    double v = -12345.0;
    EXPECT_EQ(S_OK, s->get_StatValueObs(i, 29, &v));
    return v;
}

double logistic(int k)
{
    return 10.0 + 90.0 / (1.0 + std::exp(3.0 - 0.8 * k));
}
}  // namespace

class NewProductMembersTest : public ComTest {};

TEST_F(NewProductMembersTest, CrostonOfASeries)
{
    const CrostonCase& c = kCrostonCases[0];
    Ref<ISeriesX> s;
    create(CLSID_SeriesX, IID_ISeriesX, s);
    load(s.get(), c.data, c.n);
    ASSERT_EQ(S_OK, s->ForecastCroston(c.start, c.periods, c.alpha));
    LONG count = -1;
    EXPECT_EQ(S_OK, s->get_NumObservations(&count));
    EXPECT_EQ(c.n + c.periods, count);
    for (LONG i = 0; i < c.count; ++i)
        EXPECT_NEAR(fittedAt(s.get(), c.start + i), c.forecast[i], 1e-12 * c.forecast[i]) << i;
    short method = 0;
    EXPECT_EQ(S_OK, s->get_ForecastMethodNumber(&method));
    EXPECT_EQ(24, method);
    double alpha = 0.0;
    EXPECT_EQ(S_OK, s->get_Statistic(2028, &alpha));
    EXPECT_EQ(c.alpha, alpha);

    EXPECT_REPORTED(3007, s->ForecastCroston(0, 1, 1.5));
    SetErrorInfo(0, nullptr);
    EXPECT_EQ(QD_E_REPORTED, s->ForecastCroston(0, -1, 0.5));
    const ErrorReport report = lastError();
    EXPECT_EQ(3030, reportedCode(report));
    EXPECT_EQ(L"Libraries\\SeriesCompute\\SeriesForecastCroston", reportedFile(report));
}

TEST_F(NewProductMembersTest, NewProductOfASeries)
{
    Ref<ISeriesX> s;
    create(CLSID_SeriesX, IID_ISeriesX, s);
    for (int k = 0; k < 12; ++k)
        ASSERT_EQ(S_OK, s->AddObservation(logistic(k), nullptr, 1));
    ASSERT_EQ(S_OK, s->ForecastNewProduct(-2, -1, 2, 10.0, 100.0, 1));
    short method = 0;
    EXPECT_EQ(S_OK, s->get_ForecastMethodNumber(&method));
    EXPECT_EQ(28, method);
    EXPECT_NEAR(fittedAt(s.get(), 13), logistic(13), 1e-9 * logistic(13));
    double q28 = 0.0;
    EXPECT_EQ(S_OK, s->get_StatValueObs(13, 28, &q28));
    EXPECT_EQ(fittedAt(s.get(), 13), q28);

    EXPECT_REPORTED(3104, s->ForecastNewProduct(-2, -1, 1, 5.0, 5.0, 2));
    // Two values: the average.
    Ref<ISeriesX> two;
    create(CLSID_SeriesX, IID_ISeriesX, two);
    const double v[] = {4.0, 9.0};
    load(two.get(), v, 2);
    ASSERT_EQ(S_OK, two->ForecastNewProduct(-2, -1, 1, -3.0, -3.0, 2));
    EXPECT_EQ(S_OK, two->get_ForecastMethodNumber(&method));
    EXPECT_EQ(30, method);
    EXPECT_EQ(6.5, fittedAt(two.get(), 2));
}

TEST_F(NewProductMembersTest, EverySeriesOfAMatrix)
{
    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    const CrostonCase& c = kCrostonCases[0];
    for (int i = 0; i < c.n; ++i) {
        ASSERT_EQ(S_OK, m->AddObservation(0, c.data[i], nullptr, 1));
        ASSERT_EQ(S_OK, m->AddObservation(1, logistic(i), nullptr, 1));
    }
    ASSERT_EQ(S_OK, m->ForecastCroston(c.start, c.periods, c.alpha));
    double v = 0.0;
    EXPECT_EQ(S_OK, m->get_StatValueObs(0, c.n, 29, &v));
    EXPECT_NEAR(v, c.forecast[c.n], 1e-12 * c.forecast[c.n]);
    short method = 0;
    for (LONG i = 0; i < 2; ++i) {
        Ref<ISeriesX> each;
        ASSERT_EQ(S_OK, m->get_Series(i, each.put()));
        EXPECT_EQ(S_OK, each->get_ForecastMethodNumber(&method));
        EXPECT_EQ(24, method);
    }

    ASSERT_EQ(S_OK, m->ForecastNewProduct(c.n - 1, c.n, 1, 10.0, 100.0, 1));
    EXPECT_EQ(S_OK, m->get_StatValueObs(1, c.n, 29, &v));
    EXPECT_NEAR(v, logistic(c.n), 1e-9 * logistic(c.n));
    // The intermittent series has too few values between the bounds: the
    // average.
    Ref<ISeriesX> curve;
    ASSERT_EQ(S_OK, m->get_Series(1, curve.put()));
    EXPECT_EQ(S_OK, curve->get_ForecastMethodNumber(&method));
    EXPECT_EQ(28, method);
    Ref<ISeriesX> sparse;
    ASSERT_EQ(S_OK, m->get_Series(0, sparse.put()));
    EXPECT_EQ(S_OK, sparse->get_ForecastMethodNumber(&method));
    EXPECT_EQ(30, method);

    // Series of different lengths.
    ASSERT_EQ(S_OK, m->AddObservation(0, 1.0, nullptr, 1));
    EXPECT_REPORTED(2000, m->ForecastCroston(0, 1, -3.0));
}
