// The Erlang, event-index, X-11, decomposition-index, safety-stock and
// confidence-interval members of SeriesX and MatrixX through early
// binding: results against values known independently (the Erlang counts
// from 40-digit closed forms, the t quantiles at 30 digits), the
// refusals with their codes and sources, and the shape rules of the
// matrix members.
#include "ComTestSupport.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

// Airline passengers 1949-1960.
const std::vector<double> AIRLINE = {
    112, 118, 132, 129, 121, 135, 148, 148, 136, 119, 104, 118, 115, 126, 141, 135, 125, 149, 170, 170, 158, 133,
    114, 140, 145, 150, 178, 163, 172, 178, 199, 199, 184, 162, 146, 166, 171, 180, 193, 181, 183, 218, 230, 242,
    209, 191, 172, 194, 196, 196, 236, 235, 229, 243, 264, 272, 237, 211, 180, 201, 204, 188, 235, 227, 234, 264,
    302, 293, 259, 229, 203, 229, 242, 233, 267, 269, 270, 315, 364, 347, 312, 274, 237, 278, 284, 277, 317, 313,
    318, 374, 413, 405, 355, 306, 271, 306, 315, 301, 356, 348, 355, 422, 465, 467, 404, 347, 305, 336, 340, 318,
    362, 348, 363, 435, 491, 505, 404, 359, 310, 337, 360, 342, 406, 396, 420, 472, 548, 559, 463, 407, 362, 405,
    417, 391, 419, 461, 472, 535, 622, 606, 508, 461, 390, 432};

// Student's t quantiles at 10,000 degrees of freedom (mpmath, 30 digits).
const double T_075 = 0.674514284483592433591630715172;

std::wstring shown(const wchar_t* path)
{
    std::wstring text(path);
    return text.size() <= 50 ? text : text.substr(text.size() - 50);
}

#define EXPECT_REPORTED_FROM(code, file, call)                                   \
    do {                                                                         \
        HRESULT hr_ = (call);                                                    \
        EXPECT_EQ(QD_E_REPORTED, hr_) << #call;                                  \
        ErrorReport report_ = lastError();                                       \
        EXPECT_EQ(code, reportedCode(report_)) << #call;                         \
        EXPECT_EQ(shown(file), reportedFile(report_)) << #call;                  \
    } while (0)

class MatrixStatsMembersTest : public ComTest {
protected:
    // Appends a series with the given role to the matrix.
    void addSeries(IMatrixX* matrix, short role, const std::vector<double>& values)
    {
        LONG index = 0;
        ASSERT_EQ(S_OK, matrix->get_NumSeries(&index));
        for (double v : values) ASSERT_EQ(S_OK, matrix->AddObservation(index, v, nullptr, 1));
        Ref<ISeriesX> series;
        ASSERT_EQ(S_OK, matrix->get_Series(index, series.put()));
        ASSERT_EQ(S_OK, series->put_DependenceType(role));
    }
    double value(IMatrixX* matrix, LONG series, LONG observation)
    {
        double v = -12345.0;
        EXPECT_EQ(S_OK, matrix->get_Value(series, observation, &v));
        return v;
    }
    LONG numSeries(IMatrixX* matrix)
    {
        LONG n = -1;
        EXPECT_EQ(S_OK, matrix->get_NumSeries(&n));
        return n;
    }
    // The airline series with a naive forecast (the previous value).
    void airlineWithNaiveFits(ISeriesX* series)
    {
        for (std::size_t i = 0; i < AIRLINE.size(); ++i) {
            ASSERT_EQ(S_OK, series->AddObservation(AIRLINE[i], nullptr, 1));
            if (i > 0) {
                ASSERT_EQ(S_OK, series->put_StatValueObs(static_cast<LONG>(i), 29, AIRLINE[i - 1]));
            }
        }
    }
};

} // namespace

TEST_F(MatrixStatsMembersTest, ErlangMembersAppendTheSolvedSeries)
{
    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    addSeries(m.get(), 3, {10.0, 100.0, 1000.0});
    EXPECT_EQ(S_OK, m->CalculateErlangB(1, 0.01));
    ASSERT_EQ(2, numSeries(m.get()));
    EXPECT_EQ(18.0, value(m.get(), 1, 0));
    EXPECT_EQ(117.0, value(m.get(), 1, 1));
    EXPECT_EQ(1029.0, value(m.get(), 1, 2));
    Ref<ISeriesX> result;
    ASSERT_EQ(S_OK, m->get_Series(1, result.put()));
    short role = 0;
    EXPECT_EQ(S_OK, result->get_DependenceType(&role));
    EXPECT_EQ(4, role);

    EXPECT_EQ(S_OK, m->CalculateErlangPoisson(1, 0.01));
    EXPECT_EQ(19.0, value(m.get(), 2, 0));
    EXPECT_EQ(125.0, value(m.get(), 2, 1));

    EXPECT_REPORTED_FROM(3044, L"Libraries\\MatrixCompute\\MatrixComputeErlangB", m->CalculateErlangB(7, 0.01));
    EXPECT_REPORTED_FROM(3047, L"Libraries\\MatrixCompute\\MatrixComputeErlangPoisson",
                         m->CalculateErlangPoisson(1, 0.0));
    // Two N series now exist: the lookup by role refuses them.
    EXPECT_REPORTED(3017, m->CalculateErlangB(2, 0.01));
    EXPECT_EQ(3, numSeries(m.get()));
}

TEST_F(MatrixStatsMembersTest, ErlangCAndItsRefusals)
{
    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    addSeries(m.get(), 4, {12.0, 10.0});
    addSeries(m.get(), 3, {10.0, 12.0});
    // N <= A at the second observation: nothing is appended.
    EXPECT_REPORTED_FROM(3047, L"Libraries\\MatrixCompute\\MatrixComputeErlangC", m->CalculateErlangC(3));
    EXPECT_EQ(2, numSeries(m.get()));
    EXPECT_EQ(S_OK, m->put_Value(1, 1, 9.0));
    EXPECT_EQ(S_OK, m->CalculateErlangC(3));
    ASSERT_EQ(3, numSeries(m.get()));
    EXPECT_GT(value(m.get(), 2, 0), 0.0);
    EXPECT_LT(value(m.get(), 2, 0), 1.0);
    EXPECT_REPORTED_FROM(3045, L"Libraries\\MatrixCompute\\MatrixComputeErlangC", m->CalculateErlangC(3));
}

TEST_F(MatrixStatsMembersTest, ShapeRules)
{
    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    addSeries(m.get(), 3, {10.0, 20.0});
    addSeries(m.get(), 0, {1.0, 2.0, 3.0});
    EXPECT_REPORTED_FROM(2000, L"Libraries\\MatrixLib\\Matrix", m->CalculateErlangB(1, 0.01));
    // The event and X-11 members take any shape and reach their classes.
    EXPECT_REPORTED_FROM(3046, L"Libraries\\MatrixCompute\\EventModelErrorCheck", m->EventIndexCreate(0, 0.5));
    EXPECT_REPORTED_FROM(3091, L"Libraries\\MatrixCompute\\MatrixForecastCensusX11",
                         m->ForecastCensusX11(-2, -1, 1, 12, 2, 2.0, 0, 5));
    // An empty matrix: every member succeeds and stores nothing.
    Ref<IMatrixX> empty;
    create(CLSID_MatrixX, IID_IMatrixX, empty);
    EXPECT_EQ(S_OK, empty->CalculateErlangB(1, 0.01));
    EXPECT_EQ(S_OK, empty->EventIndexApply(0));
    EXPECT_EQ(0, numSeries(empty.get()));
}

TEST_F(MatrixStatsMembersTest, CensusX11OnTheAirlineSeries)
{
    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    addSeries(m.get(), 10, AIRLINE);
    EXPECT_EQ(S_OK, m->ForecastCensusX11(-2, -1, 12, 12, 2, 2.0, 0, 5));
    Ref<ISeriesX> s;
    ASSERT_EQ(S_OK, m->get_Series(0, s.put()));
    LONG n = 0;
    EXPECT_EQ(S_OK, s->get_NumObservations(&n));
    EXPECT_EQ(156, n);
    short method = 0;
    EXPECT_EQ(S_OK, m->get_ForecastMethodNumber(&method));
    EXPECT_EQ(19, method);
    short decomposition = 0;
    EXPECT_EQ(S_OK, m->get_DecompositionType(&decomposition));
    EXPECT_EQ(2, decomposition);
    // Seasonal factors of one year multiply to about one, the July factor
    // well above one; the forecast is the appended value.
    double july = 0, forecast = 0, fitted = 0;
    EXPECT_EQ(S_OK, s->get_StatValueObs(138, 20, &july));
    EXPECT_GT(july, 1.15);
    EXPECT_EQ(S_OK, s->get_StatValueObs(150, 29, &forecast));
    EXPECT_EQ(S_OK, s->get_Value(150, &fitted));
    EXPECT_EQ(forecast, fitted);
    // Adaptive smoothing is no trend method of the adjustment.
    EXPECT_REPORTED_FROM(3085, L"Libraries\\MatrixCompute\\MatrixForecastCensusX11",
                         m->ForecastCensusX11(-2, -1, 1, 12, 2, 2.0, 0, 7));
    EXPECT_REPORTED(3082, m->ForecastCensusX11(-2, -1, 1, 12, 5, 2.0, 0, 5));
}

TEST_F(MatrixStatsMembersTest, EventIndexesThroughTheMatrix)
{
    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    addSeries(m.get(), 0, {10, 12, 30, 11, 13, 33, 12});
    addSeries(m.get(), 9, {0, 0, 1, 0, 0, 1, 0, 1});
    // The series takes part once it has a forecast method.
    EXPECT_EQ(S_OK, m->EventIndexCreate(0, 0.5));
    double v = 0;
    EXPECT_EQ(S_OK, m->get_StatValueSeries(0, 4003, 0, &v));
    EXPECT_EQ(0.0, v);  // nothing stored
    Ref<ISeriesX> s;
    ASSERT_EQ(S_OK, m->get_Series(0, s.put()));
    EXPECT_EQ(S_OK, s->ForecastExponentialSmoothing(0, 0.5, 1));
    EXPECT_EQ(S_OK, m->EventIndexCreate(0, 0.5));
    LONG count = 0;
    EXPECT_EQ(S_OK, s->get_NumStatistics(4003, &count));
    EXPECT_EQ(2, count);
    EXPECT_EQ(S_OK, m->get_StatValueSeries(0, 4003, 1, &v));
    EXPECT_GT(v, 1.5);
    EXPECT_EQ(S_OK, s->get_StatValueObs(2, 16, &v));
    EXPECT_EQ(30.0, v);
    EXPECT_EQ(S_OK, m->EventIndexApply(0));
    EXPECT_EQ(S_OK, s->get_Value(2, &v));
    EXPECT_EQ(30.0, v);
    EXPECT_REPORTED_FROM(3071, L"Libraries\\MatrixCompute\\MatrixComputeEventIndexCreate",
                         m->EventIndexCreate(0, 1.5));
}

TEST_F(MatrixStatsMembersTest, DecompositionIndexOnSeriesAndMatrix)
{
    Ref<ISeriesX> s;
    create(CLSID_SeriesX, IID_ISeriesX, s);
    for (double v : AIRLINE) ASSERT_EQ(S_OK, s->AddObservation(v, nullptr, 1));
    EXPECT_EQ(S_OK, s->DecompositionIndexCreate(-2, -1, 12, 2));
    LONG count = 0;
    EXPECT_EQ(S_OK, s->get_NumStatistics(4004, &count));
    EXPECT_EQ(12, count);
    LONG length = 0;
    EXPECT_EQ(S_OK, s->get_SeasonalLength(&length));
    EXPECT_EQ(12, length);
    // Any other type would corrupt the values: refused by the member before
    // anything runs, on an empty series too (where the compute never runs),
    // and the same through the extension object.
    EXPECT_REPORTED_FROM(3082, L"ActiveX\\QDInterface\\SeriesX", s->DecompositionIndexApply(-2, -1, 3));
    Ref<ISeriesX> empty;
    create(CLSID_SeriesX, IID_ISeriesX, empty);
    EXPECT_REPORTED_FROM(3082, L"ActiveX\\QDInterface\\SeriesX", empty->DecompositionIndexApply(-2, -1, 3));
    Ref<ISeriesXEx1> emptyEx;
    ASSERT_EQ(S_OK, empty->get_Extension1(emptyEx.put()));
    for (short type : {0, 3, -1}) {
        SCOPED_TRACE(type);
        EXPECT_REPORTED_FROM(3082, L"ActiveX\\QDInterface\\SeriesXEx1",
                             emptyEx->indexDecompositionApply(-2, -1, type));
    }
    EXPECT_EQ(S_OK, emptyEx->indexDecompositionApply(-2, -1, 2));
    double first = 0;
    EXPECT_EQ(S_OK, s->get_Value(0, &first));
    EXPECT_EQ(112.0, first);
    EXPECT_REPORTED(3083, s->DecompositionIndexCreate(-2, -1, 12, 3));

    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    addSeries(m.get(), 0, AIRLINE);
    EXPECT_REPORTED_FROM(3082, L"ActiveX\\QDInterface\\MatrixX", m->DecompositionIndexApply(-2, -1, 3));
    EXPECT_REPORTED(3081, m->DecompositionIndexApply(-2, -1, 2));
    EXPECT_EQ(S_OK, m->DecompositionIndexCreate(-2, -1, 12, 1));
    EXPECT_EQ(S_OK, m->DecompositionIndexApply(-2, 12, 1));
    double factor = 0, changed = 0;
    EXPECT_EQ(S_OK, m->get_StatValueSeries(0, 4004, 0, &factor));
    EXPECT_EQ(S_OK, m->get_Value(0, 132, &changed));
    EXPECT_DOUBLE_EQ(AIRLINE[132] + factor, changed);
}

TEST_F(MatrixStatsMembersTest, SafetyStockAndConfidenceInterval)
{
    Ref<ISeriesX> s;
    create(CLSID_SeriesX, IID_ISeriesX, s);
    airlineWithNaiveFits(s.get());
    // Series level, forecasts included: z sdE 3^0.7 + D, the lead time 3
    // taken as 3.0; sdE over the 119 errors ending at 130.
    EXPECT_EQ(S_OK, s->CalculateSafetyStock(131, 120, 3, 0.75));
    double sse = 0;
    for (int i = 12; i <= 130; ++i) sse += (AIRLINE[i] - AIRLINE[i - 1]) * (AIRLINE[i] - AIRLINE[i - 1]);
    const double sdE = std::sqrt(sse / 118.0);
    const double demand = AIRLINE[131] + AIRLINE[132] + AIRLINE[133];
    double stock = 0;
    EXPECT_EQ(S_OK, s->get_Statistic(2066, &stock));
    EXPECT_NEAR(T_075 * sdE * std::pow(3.0, 0.7) + demand, stock, 1e-7 * stock);
    // Forecasts beyond the data come from the automatic selection.
    EXPECT_EQ(S_OK, s->CalculateSafetyStock(-2, -1, 2, 0.9));
    EXPECT_EQ(S_OK, s->get_Statistic(2066, &stock));
    EXPECT_TRUE(std::isfinite(stock));
    EXPECT_GT(stock, 0.0);
    EXPECT_REPORTED(3088, s->CalculateSafetyStock(131, 120, 2, 1.0));

    // After exponential smoothing the interval is the same at every horizon.
    Ref<ISeriesX> f;
    create(CLSID_SeriesX, IID_ISeriesX, f);
    for (double v : AIRLINE) ASSERT_EQ(S_OK, f->AddObservation(v, nullptr, 1));
    EXPECT_EQ(S_OK, f->ForecastExponentialSmoothing(0, 0.5, 3));
    EXPECT_EQ(S_OK, f->CalculateConfidenceInterval(143, 60, 0.9));
    double w1 = 0, w3 = 0;
    EXPECT_EQ(S_OK, f->get_StatValueObs(144, 23, &w1));
    EXPECT_EQ(S_OK, f->get_StatValueObs(146, 23, &w3));
    EXPECT_GT(w1, 0.0);
    EXPECT_EQ(w1, w3);
    EXPECT_REPORTED_FROM(3000, L"INCLUDE\\SeriesCompute/SeriesCompute", f->CalculateConfidenceInterval(-2, -1, 0.9));

    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    addSeries(m.get(), 0, AIRLINE);
    EXPECT_EQ(S_OK, m->ForecastExponentialSmoothing(0, 0.5, 2));
    EXPECT_EQ(S_OK, m->CalculateConfidenceInterval(143, 60, 0.8));
    EXPECT_GT(value(m.get(), 0, 145), 0.0);
    double w = 0;
    EXPECT_EQ(S_OK, m->get_StatValueObs(0, 145, 23, &w));
    EXPECT_GT(w, 0.0);
    EXPECT_EQ(S_OK, m->CalculateSafetyStock(-2, -1, 2, 0.9));
}
