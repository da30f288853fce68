// The Box-Jenkins, t-test, Ljung-Box, sum-of-squared-regression and
// fit-criterion members of SeriesX and MatrixX through early binding.
// Reference values: tests/SeriesCompute/make_boxjenkins_reference.py.
#include "ComTestSupport.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace {
#include "../SeriesCompute/BoxJenkinsReference.inc"
#include "../SeriesCompute/SeriesStatsReference.inc"

void fill(ISeriesX* series, const std::vector<double>& values)
{
    for (double v : values)
        ASSERT_EQ(S_OK, series->AddObservation(v, nullptr, 1));
}

void fitted(ISeriesX* series, const std::vector<double>& fits)
{
    for (std::size_t i = 0; i < fits.size(); ++i)
        ASSERT_EQ(S_OK, series->put_StatValueObs(static_cast<LONG>(i), 29, fits[i]));
}

double statistic(ISeriesX* series, short type, LONG slot = 0)
{
    double value = -12345.0;
    EXPECT_EQ(S_OK, series->get_StatValueSeries(type, slot, &value));
    return value;
}

double observationValue(ISeriesX* series, LONG index, short type)
{
    double value = -12345.0;
    EXPECT_EQ(S_OK, series->get_StatValueObs(index, type, &value));
    return value;
}

// The acceptance model: (0,1,1)(0,1,1)12 on the logarithms, ForceThrough.
HRESULT forecastAirline(ISeriesX* series)
{
    return series->ForecastBoxJenkins(-2, -1, 12, -3, 0, 1, 1, 0, 1, 1, 12, 1, 3);
}
}  // namespace

class BoxJenkinsMembersTest : public ComTest {};

TEST_F(BoxJenkinsMembersTest, SeriesForecastAndTtestOnTheAirlineSeries)
{
    Ref<ISeriesX> s;
    create(CLSID_SeriesX, IID_ISeriesX, s);
    fill(s.get(), kAirline);
    ASSERT_EQ(S_OK, forecastAirline(s.get()));
    LONG count = 0;
    EXPECT_EQ(S_OK, s->get_NumObservations(&count));
    ASSERT_EQ(156, count);
    for (LONG j = 0; j < 12; ++j) {
        const double expected = kAirlineForecasts[static_cast<std::size_t>(j)];
        EXPECT_NEAR(expected, observationValue(s.get(), 144 + j, 29), 1e-8 * expected) << j;
    }
    EXPECT_NEAR(450.0, observationValue(s.get(), 144, 29), 0.5);
    // Supplied values are left exactly as they were.
    for (LONG i = 0; i < 144; ++i) {
        double v = 0.0;
        ASSERT_EQ(S_OK, s->get_Value(i, &v));
        EXPECT_EQ(kAirline[static_cast<std::size_t>(i)], v) << i;
    }
    short method = 0;
    EXPECT_EQ(S_OK, s->get_ForecastMethodNumber(&method));
    EXPECT_EQ(18, method);
    EXPECT_EQ(0.0, statistic(s.get(), 2034));
    EXPECT_NEAR(kAirlineTheta, statistic(s.get(), 4006), 1e-8);
    EXPECT_NEAR(kAirlineSeasonalTheta, statistic(s.get(), 4008), 1e-8);

    ASSERT_EQ(S_OK, s->CalculateTtest(18, 4006));
    EXPECT_NEAR(kAirlineTValues[0], statistic(s.get(), 4012), 1e-7 * kAirlineTValues[0]);
    ASSERT_EQ(S_OK, s->CalculateTtest(18, 4008));
    EXPECT_NEAR(kAirlineTValues[1], statistic(s.get(), 4012), 1e-7 * kAirlineTValues[1]);
    EXPECT_REPORTED(3057, s->CalculateTtest(5, 4006));
    EXPECT_REPORTED(3057, s->CalculateTtest(18, 4009));

    // The model's BIC with its own parameter count (2).
    ASSERT_EQ(S_OK, s->CalculateBIC(143, 144, -3));
    EXPECT_LT(statistic(s.get(), 2056), 2000.0);

    // Refusals reach the client with their codes.
    EXPECT_REPORTED(3027, s->ForecastBoxJenkins(-2, -1, 1, -3, -3, -3, -3, 1, -3, -3, 0, 0, 1));
    EXPECT_REPORTED(3033, s->ForecastBoxJenkins(-2, -1, 1, -3, -3, 3, -3, -3, -3, -3, 0, 0, 1));
    EXPECT_REPORTED(3031, s->ForecastBoxJenkins(-2, -1, 1, 5, -3, -3, -3, -3, -3, -3, 0, 0, 1));
    EXPECT_REPORTED(3030, s->ForecastBoxJenkins(-2, -1, 2147483600, -3, 0, 1, 1, 0, 1, 1, 12, 1, 3));
    EXPECT_REPORTED(3037, s->ForecastBoxJenkins(-2, -1, 1, -3, 0, 1, 1, 0, 1, 2000000000, 12, 1, 3));

    Ref<ISeriesX> seven;
    create(CLSID_SeriesX, IID_ISeriesX, seven);
    fill(seven.get(), {1, 2, 3, 4, 5, 6, 7});
    EXPECT_REPORTED(3058, seven->CalculateTtest(18, 4005));
    EXPECT_REPORTED(3039, seven->ForecastBoxJenkins(-2, -1, 1, -3, -3, -3, -3, -3, -3, -3, 0, 0, 1));
}

TEST_F(BoxJenkinsMembersTest, MatrixForecastsEverySeries)
{
    // The airline series and twice its values: the logarithms differ by a
    // constant, which the differencing removes, so the model is the same
    // and every forecast doubles. ForceThrough defaults to 1 on the matrix.
    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    for (std::size_t i = 0; i < kAirline.size(); ++i) {
        ASSERT_EQ(S_OK, m->AddObservation(0, kAirline[i], nullptr, 1));
        ASSERT_EQ(S_OK, m->AddObservation(1, 2.0 * kAirline[i], nullptr, 1));
    }
    ASSERT_EQ(S_OK, m->ForecastBoxJenkins(-2, -1, 12, -3, 0, 1, 1, 0, 1, 1, 12, 1, 3));
    for (LONG j = 0; j < 12; ++j) {
        double first = 0.0;
        double second = 0.0;
        ASSERT_EQ(S_OK, m->get_StatValueObs(0, 144 + j, 29, &first));
        ASSERT_EQ(S_OK, m->get_StatValueObs(1, 144 + j, 29, &second));
        const double expected = kAirlineForecasts[static_cast<std::size_t>(j)];
        EXPECT_NEAR(expected, first, 1e-8 * expected) << j;
        EXPECT_NEAR(2.0 * expected, second, 1e-6 * expected) << j;
    }
    ASSERT_EQ(S_OK, m->CalculateTtest(18, 4008));
    for (LONG k = 0; k < 2; ++k) {
        double t = 0.0;
        ASSERT_EQ(S_OK, m->get_StatValueSeries(k, 4012, 0, &t));
        EXPECT_NEAR(kAirlineTValues[1], t, 1e-6 * kAirlineTValues[1]) << k;
    }
    ASSERT_EQ(S_OK, m->CalculateLjungBox(143, 144, 12));
    double q0 = 0.0;
    double q1 = 0.0;
    ASSERT_EQ(S_OK, m->get_StatValueSeries(0, 2054, 0, &q0));
    ASSERT_EQ(S_OK, m->get_StatValueSeries(1, 2054, 0, &q1));
    EXPECT_GT(q0, 0.0);
    EXPECT_GT(q1, 0.0);
}

TEST_F(BoxJenkinsMembersTest, LjungBoxAndFitCriteriaOfGivenFits)
{
    // Series level: naive fits (the previous value) on 30 airline values.
    Ref<ISeriesX> s;
    create(CLSID_SeriesX, IID_ISeriesX, s);
    std::vector<double> first30(kAirline.begin(), kAirline.begin() + 30);
    fill(s.get(), first30);
    for (LONG i = 1; i < 30; ++i)
        ASSERT_EQ(S_OK, s->put_StatValueObs(i, 29, first30[static_cast<std::size_t>(i - 1)]));
    ASSERT_EQ(S_OK, s->CalculateLjungBox(-2, -1, 5));
    EXPECT_NEAR(kLjungBoxNaive5, statistic(s.get(), 2054), 1e-10);
    EXPECT_REPORTED(3004, s->CalculateLjungBox(4, 5, 5));

    // Ten values with errors of plus and minus sqrt 2: SSE 20.
    Ref<ISeriesX> t;
    create(CLSID_SeriesX, IID_ISeriesX, t);
    std::vector<double> values;
    std::vector<double> fits;
    for (int i = 0; i < 10; ++i) {
        values.push_back(10.0 + i);
        fits.push_back(10.0 + i + (i % 2 ? 1.0 : -1.0) * std::sqrt(2.0));
    }
    fill(t.get(), values);
    fitted(t.get(), fits);
    ASSERT_EQ(S_OK, t->CalculateAIC(-2, -1, 2));
    EXPECT_NEAR(39.310242469407086, statistic(t.get(), 2055), 1e-9);
    ASSERT_EQ(S_OK, t->CalculateBIC(-2, -1, 2));
    EXPECT_NEAR(39.91541265539518, statistic(t.get(), 2056), 1e-9);
    // An untouched series counts one parameter.
    ASSERT_EQ(S_OK, t->CalculateAIC(-2, -1, -3));
    EXPECT_NEAR(39.310242469407086 - 2.0, statistic(t.get(), 2055), 1e-9);
    EXPECT_REPORTED(3053, t->CalculateBIC(-2, -1, 0));
    const double r2 = 1.0 - 20.0 / 82.5;
    ASSERT_EQ(S_OK, t->CalculateRSquare(-2, -1));
    EXPECT_NEAR(r2, statistic(t.get(), 2057), 1e-14);
    ASSERT_EQ(S_OK, t->CalculateAdjustedRSquare(-2, -1, 3));
    EXPECT_NEAR(1.0 - (1.0 - r2) * 9.0 / 7.0, statistic(t.get(), 2058), 1e-14);
    ASSERT_EQ(S_OK, t->CalculateTrackingSignal(-2, -1, 2, 0.125));
    EXPECT_NEAR(0.0, statistic(t.get(), 2059), 1e-15);  // errors alternate in sign
    ASSERT_EQ(S_OK, t->CalculateSumSquaredRegression(-2, -1));
    double ssr = 0.0;
    for (double f : fits)
        ssr += (f - 14.5) * (f - 14.5);
    EXPECT_NEAR(ssr, statistic(t.get(), 2025), 1e-10);

    Ref<ISeriesX> b;
    create(CLSID_SeriesX, IID_ISeriesX, b);
    fill(b.get(), kBoxCoxSeries);
    ASSERT_EQ(S_OK, b->CalculateBoxCox(-2, -1, 0.5));
    EXPECT_NEAR(kBoxCoxSse[1], statistic(b.get(), 2035), 1e-9);
    EXPECT_REPORTED(3074, b->CalculateBoxCox(-2, -1, 1.5));
    EXPECT_REPORTED(3074, b->CalculateBoxCox(-2, -1, std::nan("")));

    // Matrix level: each series its own value.
    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    for (std::size_t i = 0; i < kBoxCoxSeries.size(); ++i) {
        ASSERT_EQ(S_OK, m->AddObservation(0, kBoxCoxSeries[i], nullptr, 1));
        ASSERT_EQ(S_OK, m->AddObservation(1, kBoxCoxSeries[i], nullptr, 1));
    }
    ASSERT_EQ(S_OK, m->CalculateBoxCox(-2, -1, -1.0));
    double v = 0.0;
    ASSERT_EQ(S_OK, m->get_StatValueSeries(1, 2035, 0, &v));
    EXPECT_NEAR(kBoxCoxSse[3], v, 1e-9);
    ASSERT_EQ(S_OK, m->CalculateAIC(-2, -1, -3));  // perfect fits: 0
    ASSERT_EQ(S_OK, m->get_StatValueSeries(0, 2055, 0, &v));
    EXPECT_EQ(0.0, v);
    ASSERT_EQ(S_OK, m->CalculateRSquare(-2, -1));
    ASSERT_EQ(S_OK, m->CalculateAdjustedRSquare(-2, -1, -3));
    ASSERT_EQ(S_OK, m->CalculateTrackingSignal(-2, -1, 1, 0.5));
    ASSERT_EQ(S_OK, m->CalculateSumSquaredRegression(-2, -1));
    ASSERT_EQ(S_OK, m->CalculateBIC(-2, -1, 2));
    EXPECT_REPORTED(3002, m->CalculateLjungBox(-2, -1, 8));
}
