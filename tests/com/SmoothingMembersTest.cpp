// The smoothing-family members of SeriesX and MatrixX through early binding:
// given constants against the independent fixture of the engine tests
// (tests/SeriesCompute/SmoothingFamilyReference.inc), Holt-Winters with its
// defaults on the airline series and its stored constants and factors, the
// moving averages, mode and median, reports of bad arguments, and one
// object run over the series of a matrix.
#include "ComTestSupport.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {
#include "../SeriesCompute/SmoothingFamilyReference.inc"

class SmoothingMembersTest : public ComTest {};

void fill(ISeriesX* series, const double* values, int n)
{
    for (int i = 0; i < n; ++i)
        ASSERT_EQ(S_OK, series->AddObservation(values[i], nullptr, 1));
}

double obs(ISeriesX* series, LONG index, short type)
{
    double value = -12345.0;
    EXPECT_EQ(S_OK, series->get_StatValueObs(index, type, &value));
    return value;
}

double stat(ISeriesX* series, short type, LONG slot = 0)
{
    double value = -12345.0;
    EXPECT_EQ(S_OK, series->get_StatValueSeries(type, slot, &value));
    return value;
}

LONG count(ISeriesX* series)
{
    LONG n = 0;
    EXPECT_EQ(S_OK, series->get_NumObservations(&n));
    return n;
}

short methodOf(ISeriesX* series)
{
    short method = 0;
    EXPECT_EQ(S_OK, series->get_ForecastMethodNumber(&method));
    return method;
}

HRESULT run(ISeriesX* s, const FamilyCase& c)
{
    const std::string m = c.method;
    if (m == "brown2")
        return s->ForecastDoubleExponentialSmoothingBrown(c.start, c.periods, c.c1);
    if (m == "brown3")
        return s->ForecastTripleExponentialSmoothingBrown(c.start, c.periods, c.c1);
    if (m == "holt")
        return s->ForecastDoubleExponentialSmoothingHolt(c.start, c.periods, c.c1, c.c2);
    if (m == "adaptive")
        return s->ForecastAdaptiveExponentialSmoothing(c.start, c.c1, c.periods);
    return s->ForecastHoltWinters(c.start, c.length, c.periods, c.c1, c.c2, c.c3, static_cast<short>(c.decompType));
}

// Every case of the engine's fixture, through the members.
TEST_F(SmoothingMembersTest, MembersMatchTheIndependentComputation)
{
    for (const FamilyCase& c : kFamilyCases) {
        SCOPED_TRACE(std::string(c.method) + " n " + std::to_string(c.n) + " start " + std::to_string(c.start));
        Ref<ISeriesX> s;
        create(CLSID_SeriesX, IID_ISeriesX, s);
        fill(s.get(), c.data, c.n);
        ASSERT_EQ(S_OK, run(s.get(), c));
        ASSERT_EQ(c.n + c.periods, count(s.get()));
        for (LONG i = c.start; i < c.n + c.periods; ++i) {
            const double expected = c.fit[i - c.start];
            EXPECT_NEAR(expected, obs(s.get(), i, 29), 1e-12 * std::fmax(1.0, std::fabs(expected))) << i;
        }
        const std::string m = c.method;
        if (m == "adaptive") {
            EXPECT_EQ(c.k1, stat(s.get(), 2029));
        } else {
            EXPECT_EQ(c.k1, stat(s.get(), 2028));
        }
        if (m == "holt") {
            EXPECT_EQ(c.k2, stat(s.get(), 2030));
        }
        if (m == "winters") {
            EXPECT_EQ(c.k2, stat(s.get(), 2029));
            EXPECT_EQ(c.k3, stat(s.get(), 2030));
            EXPECT_NEAR(c.finalLevel, stat(s.get(), 2032), 1e-9 * std::fabs(c.finalLevel));
            for (LONG k = 0; k < c.length; ++k)
                EXPECT_NEAR(c.factors[k], stat(s.get(), 4002, k), 1e-12 * std::fmax(1.0, std::fabs(c.factors[k])));
            LONG length = 0;
            EXPECT_EQ(S_OK, s->get_SeasonalLength(&length));
            EXPECT_EQ(c.length, length);
            short type = 0;
            EXPECT_EQ(S_OK, s->get_DecompositionType(&type));
            EXPECT_EQ(c.typeUsed, type);
        }
    }
}

// Holt-Winters with every default on the airline series: seasonal
// forecasts, the stored constants and factors readable.
TEST_F(SmoothingMembersTest, HoltWintersDefaultsOnTheAirlineSeries)
{
    Ref<ISeriesX> s;
    create(CLSID_SeriesX, IID_ISeriesX, s);
    fill(s.get(), k_air144, 144);
    ASSERT_EQ(S_OK, s->ForecastHoltWinters(0, 12, 12, -3.0, -3.0, -3.0, 2));
    ASSERT_EQ(156, count(s.get()));
    EXPECT_EQ(14, methodOf(s.get()));
    // The summer peak and the autumn fall of the last year come back.
    double peak = 0, trough = 1e300;
    for (LONG i = 144; i < 156; ++i) {
        const double v = obs(s.get(), i, 29);
        peak = std::fmax(peak, v);
        trough = std::fmin(trough, v);
    }
    EXPECT_GT(obs(s.get(), 150, 29), obs(s.get(), 154, 29));
    EXPECT_GT(peak - trough, 100.0);
    for (short type : {2028, 2029, 2030}) {
        const double v = stat(s.get(), type);
        EXPECT_GE(v, 0.0);
        EXPECT_LE(v, 1.0);
    }
    double sum = 0;
    for (LONG k = 0; k < 12; ++k)
        sum += stat(s.get(), 4015, k);
    EXPECT_NEAR(12.0, sum, 1e-9);
    // The same defaults through the member with one period.
    Ref<ISeriesX> t;
    create(CLSID_SeriesX, IID_ISeriesX, t);
    fill(t.get(), k_air144, 144);
    ASSERT_EQ(S_OK, t->ForecastHoltWinters(0, 12, 1, -3.0, -3.0, -3.0, 2));
    EXPECT_EQ(obs(s.get(), 144, 29), obs(t.get(), 144, 29));
    // A detected length.
    Ref<ISeriesX> d;
    create(CLSID_SeriesX, IID_ISeriesX, d);
    fill(d.get(), k_air144, 144);
    ASSERT_EQ(S_OK, d->ForecastHoltWinters(0, -3, 1, -3.0, -3.0, -3.0, 2));
    LONG length = 0;
    EXPECT_EQ(S_OK, d->get_SeasonalLength(&length));
    EXPECT_EQ(12, length);
}

// One object over every series of a matrix: each series from its own
// origin, the same results as the series alone.
TEST_F(SmoothingMembersTest, MatrixMembersFitEverySeries)
{
    Ref<IMatrixX> matrix;
    create(CLSID_MatrixX, IID_IMatrixX, matrix);
    for (int i = 0; i < 48; ++i) {
        ASSERT_EQ(S_OK, matrix->AddObservation(0, k_air48[i], nullptr, 1));
        ASSERT_EQ(S_OK, matrix->AddObservation(1, k_air144[96 + i], nullptr, 1));
    }
    ASSERT_EQ(S_OK, matrix->ForecastHoltWinters(0, 12, 3, -3.0, -3.0, -3.0, 3));
    ASSERT_EQ(S_OK, matrix->CalculateMedian(-2, -1));
    ASSERT_EQ(S_OK, matrix->CalculateMode(-2, -1));
    for (LONG k = 0; k < 2; ++k) {
        Ref<ISeriesX> each;
        ASSERT_EQ(S_OK, matrix->get_Series(k, each.put()));
        Ref<ISeriesX> alone;
        create(CLSID_SeriesX, IID_ISeriesX, alone);
        fill(alone.get(), k == 0 ? k_air48 : k_air144 + 96, 48);
        ASSERT_EQ(S_OK, alone->ForecastHoltWinters(0, 12, 3, -3.0, -3.0, -3.0, 3));
        ASSERT_EQ(51, count(each.get()));
        EXPECT_EQ(obs(alone.get(), 50, 29), obs(each.get(), 50, 29)) << k;
        EXPECT_EQ(stat(alone.get(), 2028), stat(each.get(), 2028)) << k;
        EXPECT_EQ(14, methodOf(each.get()));
    }
    // The members of the other methods run on every series.
    struct Member {
        const char* name;
        HRESULT (*call)(IMatrixX*);
        short method;
    };
    const Member members[] = {
        {"brown2", [](IMatrixX* m) { return m->ForecastDoubleExponentialSmoothingBrown(0, 1, -3.0); }, 8},
        {"brown3", [](IMatrixX* m) { return m->ForecastTripleExponentialSmoothingBrown(0, 1, -3.0); }, 10},
        {"holt", [](IMatrixX* m) { return m->ForecastDoubleExponentialSmoothingHolt(0, 1, -3.0, -3.0); }, 9},
        {"adaptive", [](IMatrixX* m) { return m->ForecastAdaptiveExponentialSmoothing(0, -3.0, 1); }, 7},
        {"moving", [](IMatrixX* m) { return m->ForecastMovingAverage(-2, 3, 1); }, 4},
        {"weighted", [](IMatrixX* m) { return m->ForecastWeightedMovingAverage(-2, 3, 1); }, 15},
    };
    for (const Member& member : members) {
        SCOPED_TRACE(member.name);
        Ref<IMatrixX> m;
        create(CLSID_MatrixX, IID_IMatrixX, m);
        for (int i = 0; i < 12; ++i) {
            ASSERT_EQ(S_OK, m->AddObservation(0, k_mixed[i], nullptr, 1));
            ASSERT_EQ(S_OK, m->AddObservation(1, k_air48[i], nullptr, 1));
        }
        ASSERT_EQ(S_OK, member.call(m.get()));
        for (LONG k = 0; k < 2; ++k) {
            Ref<ISeriesX> each;
            ASSERT_EQ(S_OK, m->get_Series(k, each.put()));
            EXPECT_EQ(13, count(each.get()));
            EXPECT_EQ(member.method, methodOf(each.get()));
        }
    }
}

TEST_F(SmoothingMembersTest, MovingAveragesModeAndMedian)
{
    Ref<ISeriesX> s;
    create(CLSID_SeriesX, IID_ISeriesX, s);
    const double values[] = {1, 2, 3, 4};
    fill(s.get(), values, 4);
    ASSERT_EQ(S_OK, s->ForecastMovingAverage(-2, 2, 3));
    ASSERT_EQ(7, count(s.get()));
    EXPECT_EQ(3.5, obs(s.get(), 4, 4));
    EXPECT_EQ(3.75, obs(s.get(), 5, 29));
    EXPECT_EQ(3.625, obs(s.get(), 6, 29));
    EXPECT_EQ(2.0, stat(s.get(), 2079));

    Ref<ISeriesX> w;
    create(CLSID_SeriesX, IID_ISeriesX, w);
    fill(w.get(), values, 3);
    ASSERT_EQ(S_OK, w->ForecastWeightedMovingAverage(-2, 3, 1));
    EXPECT_DOUBLE_EQ(14.0 / 6.0, obs(w.get(), 3, 15));
    EXPECT_EQ(15, methodOf(w.get()));
    // A negative horizon is refused and changes nothing.
    EXPECT_REPORTED(3030, w->ForecastWeightedMovingAverage(-2, 3, -1));
    EXPECT_EQ(4, count(w.get()));
    EXPECT_REPORTED(3030, w->ForecastMovingAverage(-2, 3, -1));

    Ref<ISeriesX> m;
    create(CLSID_SeriesX, IID_ISeriesX, m);
    const double data[] = {2, 7, 7, 2, 9};
    fill(m.get(), data, 5);
    ASSERT_EQ(S_OK, m->CalculateMode(-2, -1));
    ASSERT_EQ(S_OK, m->CalculateMedian(-2, -1));
    EXPECT_EQ(2.0, stat(m.get(), 2017));
    EXPECT_EQ(7.0, stat(m.get(), 2016));
    ASSERT_EQ(S_OK, m->CalculateMedian(3, 2));
    EXPECT_EQ(4.5, stat(m.get(), 2016));
    EXPECT_REPORTED(3005, m->CalculateMedian(2, 4));
}

TEST_F(SmoothingMembersTest, BadArgumentsAreReported)
{
    Ref<ISeriesX> s;
    create(CLSID_SeriesX, IID_ISeriesX, s);
    fill(s.get(), k_air48, 24);
    const double nan = std::nan("");
    EXPECT_REPORTED(3007, s->ForecastDoubleExponentialSmoothingBrown(0, 1, 1.0));
    EXPECT_REPORTED(3000, s->ForecastTripleExponentialSmoothingBrown(-1, 1, 2.0));
    EXPECT_REPORTED(3030, s->ForecastAdaptiveExponentialSmoothing(0, 2.0, -1));
    EXPECT_REPORTED(3013, s->ForecastDoubleExponentialSmoothingHolt(0, 1, 0.5, nan));
    EXPECT_REPORTED(3008, s->ForecastHoltWinters(0, 12, 1, 0.5, nan, 0.5, 2));
    EXPECT_REPORTED(3082, s->ForecastHoltWinters(0, 12, 1, 0.5, 0.5, 0.5, 0));
    EXPECT_REPORTED(3051, s->ForecastHoltWinters(0, 25, 1, 0.5, 0.5, 0.5, 2));
    // A horizon no series can hold: code 3, nothing written.
    EXPECT_REPORTED(3, s->ForecastHoltWinters(0, 12, 0x7fffffff, 0.5, 0.5, 0.5, 2));
    EXPECT_REPORTED(3, s->ForecastWeightedMovingAverage(-2, 3, 0x7fffffff));
    EXPECT_EQ(24, count(s.get()));
    EXPECT_EQ(-1, methodOf(s.get()));
}

}  // namespace
