// The series cleaning, the automatic selection, the forecast rank and the
// multi-method selection through SeriesX, MatrixX and their extensions, and
// the selection with its defaults over a subset of the M3 series (every
// 30th of the 3,003) through SeriesX.
#include "ComTestSupport.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "M3Data.h"

namespace {

void load(ISeriesX* s, const std::vector<double>& values)
{
    for (double v : values)
        ASSERT_EQ(S_OK, s->AddObservation(v, nullptr, 1));
}

double valueAt(ISeriesX* s, LONG i)
{
    double v = -12345.0;
    EXPECT_EQ(S_OK, s->get_Value(i, &v));
    return v;
}

double statAt(ISeriesX* s, LONG i, short type)
{
    double v = -12345.0;
    EXPECT_EQ(S_OK, s->get_StatValueObs(i, type, &v));
    return v;
}

LONG countOf(ISeriesX* s)
{
    LONG n = -1;
    EXPECT_EQ(S_OK, s->get_NumObservations(&n));
    return n;
}

short methodOf(ISeriesX* s)
{
    short m = -99;
    EXPECT_EQ(S_OK, s->get_ForecastMethodNumber(&m));
    return m;
}

std::vector<double> trend(int n)
{
    std::vector<double> v;
    for (int i = 0; i < n; ++i)
        v.push_back(50.0 + 1.5 * i + ((i * 7) % 5) - 2.0);
    return v;
}

VARIANT longArray(const std::vector<LONG>& codes)
{
    VARIANT v;
    VariantInit(&v);
    SAFEARRAY* a = SafeArrayCreateVector(VT_I4, 0, static_cast<ULONG>(codes.size()));
    for (LONG i = 0; i < static_cast<LONG>(codes.size()); ++i)
        SafeArrayPutElement(a, &i, const_cast<LONG*>(&codes[static_cast<std::size_t>(i)]));
    v.vt = VT_ARRAY | VT_I4;
    v.parray = a;
    return v;
}

VARIANT shortArray(const std::vector<SHORT>& codes)
{
    VARIANT v;
    VariantInit(&v);
    SAFEARRAY* a = SafeArrayCreateVector(VT_I2, 0, static_cast<ULONG>(codes.size()));
    for (LONG i = 0; i < static_cast<LONG>(codes.size()); ++i)
        SafeArrayPutElement(a, &i, const_cast<SHORT*>(&codes[static_cast<std::size_t>(i)]));
    v.vt = VT_ARRAY | VT_I2;
    v.parray = a;
    return v;
}

}  // namespace

class SelvaneMembersTest : public ComTest {};

TEST_F(SelvaneMembersTest, CleaningOfASeriesAndAMatrix)
{
    std::vector<double> data = trend(20);
    data[7] += 60.0;
    data[12] = 0.0;
    Ref<ISeriesX> s;
    create(CLSID_SeriesX, IID_ISeriesX, s);
    load(s.get(), data);
    ASSERT_EQ(S_OK, s->ReplaceMissingValues(-2, -1, -1.0, 0.0, -1));
    EXPECT_GT(valueAt(s.get(), 12), 40.0);
    EXPECT_EQ(0.0, statAt(s.get(), 12, 16));
    ASSERT_EQ(S_OK, s->ReplaceOutliers(-2, -1, 2.0, 1.0, 6, 0));
    EXPECT_LT(valueAt(s.get(), 7), data[7]);
    EXPECT_EQ(data[7], statAt(s.get(), 7, 16));
    EXPECT_REPORTED(3054, s->ReplaceOutliers(-2, -1, 2.0, 1.0, 11, 0));
    EXPECT_REPORTED(3051, s->ReplaceOutliers(-2, -1, 2.0, 1.0, 5, -2));
    EXPECT_REPORTED(3054, s->ReplaceMissingValues(-2, -1, -1.0, 0.0, 10));

    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    for (LONG k = 0; k < 2; ++k)
        for (double v : data)
            ASSERT_EQ(S_OK, m->AddObservation(k, v, nullptr, 1));
    ASSERT_EQ(S_OK, m->ReplaceMissingValues(-2, -1, -1.0, 0.0, -1));
    ASSERT_EQ(S_OK, m->ReplaceOutliers(-2, -1, 2.0, 1.0, 6, 0));
    for (LONG k = 0; k < 2; ++k) {
        Ref<ISeriesX> one;
        ASSERT_EQ(S_OK, m->get_Series(k, one.put()));
        EXPECT_EQ(valueAt(s.get(), 7), valueAt(one.get(), 7));
        EXPECT_EQ(valueAt(s.get(), 12), valueAt(one.get(), 12));
    }
}

TEST_F(SelvaneMembersTest, ExtensionCleaningAndTrend)
{
    std::vector<double> data = trend(16);
    data[5] -= 40.0;
    data[9] += 40.0;
    Ref<ISeriesX> s;
    create(CLSID_SeriesX, IID_ISeriesX, s);
    load(s.get(), data);
    Ref<ISeriesXEx1> ex;
    ASSERT_EQ(S_OK, s->get_Extension1(ex.put()));
    // Above the band only: the dip stays.
    ASSERT_EQ(S_OK, ex->ReplaceOutliersByDirection(-2, -1, 1.5, 1.0, 6, 0, 2));
    EXPECT_LT(valueAt(s.get(), 9), data[9]);
    EXPECT_EQ(data[5], valueAt(s.get(), 5));
    // One period: the line through the anchor and the last value doubles
    // its slope over one period.
    ASSERT_EQ(S_OK, ex->TrendAdjust(15, 1, 1, 2.0, 1, 2.0));
    const double a0 = data[14], a1 = data[15];
    EXPECT_NEAR(statAt(s.get(), 15, 29), a1 + (a1 - a0), 1e-9);
    EXPECT_REPORTED(3151, ex->TrendAdjust(15, 3, -1, 2.0, 1, 2.0));
    EXPECT_REPORTED(3005, ex->TrendAdjust(-2, -1, 1, 2.0, 1, 2.0));

    Ref<ISeriesXEx1> unbound;
    create(CLSID_SeriesXEx1, IID_ISeriesXEx1, unbound);
    EXPECT_REPORTED(3, unbound->ReplaceOutliersByDirection(-2, -1, 2.0, 1.0, 5, -3, 1));
    EXPECT_REPORTED(3, unbound->TrendAdjust(1, 1, 1, 2.0, 1, 2.0));

    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    for (double v : data)
        ASSERT_EQ(S_OK, m->AddObservation(0, v, nullptr, 1));
    Ref<IMatrixXEx1> mex;
    ASSERT_EQ(S_OK, m->get_Extension1(mex.put()));
    ASSERT_EQ(S_OK, mex->ReplaceOutliersByDirection(-2, -1, 1.5, 1.0, 6, 0, 3));
    Ref<ISeriesX> first;
    ASSERT_EQ(S_OK, m->get_Series(0, first.put()));
    EXPECT_GT(valueAt(first.get(), 5), data[5]);
    EXPECT_EQ(data[9], valueAt(first.get(), 9));
    ASSERT_EQ(S_OK, mex->TrendAdjust(15, 1, 1, 2.0, 1, 2.0));
    EXPECT_NEAR(statAt(first.get(), 15, 29), a1 + (a1 - a0), 1e-9);
}

TEST_F(SelvaneMembersTest, SelectionOnASeriesAndAMatrix)
{
    Ref<ISeriesX> s;
    create(CLSID_SeriesX, IID_ISeriesX, s);
    load(s.get(), trend(24));
    ASSERT_EQ(S_OK, s->Selvane(0, 3, 2024, -2, 0, 0, -3));
    EXPECT_EQ(27, countOf(s.get()));
    const short method = methodOf(s.get());
    EXPECT_TRUE(method == 5 || method == 9 || method == 18) << method;
    EXPECT_REPORTED(3077, s->Selvane(0, 1, 2010, -3, 1, 4, -3));
    EXPECT_REPORTED(3078, s->Selvane(0, 1, 2011, -3, 1, 27, -3));
    EXPECT_REPORTED(3049, s->Selvane(0, 1, 2024, -7, 1, 0, -3));

    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    for (LONG k = 0; k < 3; ++k)
        for (double v : trend(20 + 0))
            ASSERT_EQ(S_OK, m->AddObservation(k, v * (k + 1), nullptr, 1));
    ASSERT_EQ(S_OK, m->Selvane(0, 2, 2024, -2, 1, 0, -3));
    for (LONG k = 0; k < 3; ++k) {
        Ref<ISeriesX> one;
        ASSERT_EQ(S_OK, m->get_Series(k, one.put()));
        EXPECT_EQ(22, countOf(one.get()));
        EXPECT_GE(methodOf(one.get()), 0);
    }
    // Series of different lengths: an invalid matrix, nothing computed.
    ASSERT_EQ(S_OK, m->AddObservation(0, 1.0, nullptr, 1));
    EXPECT_REPORTED(2000, m->Selvane(0, 2, 2024, -2, 1, 0, -3));
}

TEST_F(SelvaneMembersTest, ForecastRankAndMultipleMethods)
{
    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    for (double v : trend(12))
        ASSERT_EQ(S_OK, m->AddObservation(0, v, nullptr, 1));
    for (double v : trend(12))
        ASSERT_EQ(S_OK, m->AddObservation(1, v, nullptr, 1));  // removed by the selection
    Ref<IMatrixXEx1> ex;
    ASSERT_EQ(S_OK, m->get_Extension1(ex.put()));

    // Bad lists are refused before anything changes.
    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(L"5");
    EXPECT_REPORTED(3162, ex->SelvaneMultipleMethod(0, 2, 2024, 0, 0, text));
    VariantClear(&text);
    VARIANT empty = longArray({});
    EXPECT_REPORTED(3163, ex->SelvaneMultipleMethod(0, 2, 2024, 0, 0, empty));
    VariantClear(&empty);
    VARIANT bad = longArray({5, 11});
    EXPECT_REPORTED(3164, ex->SelvaneMultipleMethod(0, 2, 2024, 0, 0, bad));
    VariantClear(&bad);
    VARIANT good = shortArray({5, 9, 4});
    EXPECT_REPORTED(3026, ex->SelvaneMultipleMethod(0, 2, 7, 0, 0, good));
    LONG series = -1;
    EXPECT_EQ(S_OK, m->get_NumSeries(&series));
    EXPECT_EQ(2, series);

    ASSERT_EQ(S_OK, ex->SelvaneMultipleMethod(0, 2, 2024, 0, 0, good));
    VariantClear(&good);
    EXPECT_EQ(S_OK, m->get_NumSeries(&series));
    ASSERT_EQ(4, series);  // 5, 9, and the 3- and 6-period moving averages
    std::vector<int> seen(5, 0);
    const short expected[4] = {5, 9, 4, 4};
    for (LONG k = 0; k < 4; ++k) {
        Ref<ISeriesX> one;
        ASSERT_EQ(S_OK, m->get_Series(k, one.put()));
        EXPECT_EQ(expected[k], methodOf(one.get()));
        EXPECT_EQ(14, countOf(one.get()));
        double rank = 0.0;
        EXPECT_EQ(S_OK, one->get_Statistic(2080, &rank));
        ASSERT_GE(rank, 1.0);
        ASSERT_LE(rank, 4.0);
        ++seen[static_cast<int>(rank)];
    }
    EXPECT_EQ(std::vector<int>({0, 1, 1, 1, 1}), seen);

    // The rank of every series by another measure.
    ASSERT_EQ(S_OK, ex->CalculateForecastRank(-2, -1, 2011));
    EXPECT_REPORTED(3026, ex->CalculateForecastRank(-2, -1, 7));

    Ref<IMatrixXEx1> unbound;
    create(CLSID_MatrixXEx1, IID_IMatrixXEx1, unbound);
    EXPECT_REPORTED(3128, unbound->CalculateForecastRank(-2, -1, 2024));
    VARIANT list = longArray({5});
    EXPECT_REPORTED(3128, unbound->SelvaneMultipleMethod(0, 1, 2024, 0, 0, list));
    VariantClear(&list);
    VARIANT none;
    VariantInit(&none);
    EXPECT_REPORTED(3162, unbound->SelvaneMultipleMethod(0, 1, 2024, 0, 0, none));
}

TEST_F(SelvaneMembersTest, DefaultsOnM3Subset)
{
    const std::vector<m3::M3Series> all = m3::loadAll(m3::dataFolder());
    ASSERT_EQ(3003u, all.size());
    int run = 0;
    for (std::size_t k = 0; k < all.size(); k += 30) {
        const m3::M3Series& data = all[k];
        Ref<ISeriesX> s;
        create(CLSID_SeriesX, IID_ISeriesX, s);
        load(s.get(), data.values);
        ASSERT_EQ(S_OK, s->Selvane(0, data.horizon, 2024, -3, 1, 0, -3)) << k;
        const LONG n = static_cast<LONG>(data.values.size());
        ASSERT_EQ(n + data.horizon, countOf(s.get())) << k;
        EXPECT_GE(methodOf(s.get()), 0) << k;
        for (LONG i = 0; i < n + data.horizon; ++i) {
            EXPECT_TRUE(std::isfinite(valueAt(s.get(), i))) << k << " " << i;
            EXPECT_TRUE(std::isfinite(statAt(s.get(), i, 29))) << k << " " << i;
        }
        ++run;
    }
    EXPECT_EQ(101, run);
}

// A forecast on an empty series or matrix answers S_OK and computes
// nothing: the selection, Croston, the new-product curves and slow-moving
// demand alike, with their defaults.
TEST_F(SelvaneMembersTest, ForecastsOnAnEmptySeriesOrMatrixDoNothing)
{
    struct SeriesCase {
        const char* label;
        HRESULT (*call)(ISeriesX*, ISeriesXEx1*);
    };
    const SeriesCase seriesCases[] = {
        {"Selvane", [](ISeriesX* s, ISeriesXEx1*) { return s->Selvane(0, 1, 2024, -3, 1, 0, -3); }},
        {"ForecastCroston", [](ISeriesX* s, ISeriesXEx1*) { return s->ForecastCroston(0, 1, -3.0); }},
        {"ForecastNewProduct", [](ISeriesX* s, ISeriesXEx1*) { return s->ForecastNewProduct(-2, -1, 1, -3.0, -3.0, 2); }},
        {"ForecastGompertzCurve",
         [](ISeriesX*, ISeriesXEx1* x) { return x->ForecastGompertzCurve(-2, -1, 1, -3.0, -3.0, 2); }},
        {"ForecastLogisticCurve",
         [](ISeriesX*, ISeriesXEx1* x) { return x->ForecastLogisticCurve(-2, -1, 1, -3.0, -3.0, 2); }},
        {"ForecastProbitCurve",
         [](ISeriesX*, ISeriesXEx1* x) { return x->ForecastProbitCurve(-2, -1, 1, -3.0, -3.0, 2); }},
        {"ForecastSlowMovingDemand",
         [](ISeriesX*, ISeriesXEx1* x) {
             return x->ForecastSlowMovingDemand(0, 1, QD_SLOWMETHOD_IDX_SEASONAL, -1, 1, 1.0, 0.25, 3.0,
                                                QD_SLOWMETHOD_NUMSIM_FIXED, 100, 5.0, QD_SLOWMETHOD_EVENTREPL_YES,
                                                2019, 1, QD_SLOWMETHOD_BASEFCST_SAME, 2019,
                                                QD_SLOWMETHOD_SLAS_PERTOTAL, 2.0, 0.875,
                                                QD_SLOWMETHOD_HIST_SLAS_AMOUNT);
         }},
    };
    for (const SeriesCase& c : seriesCases) {
        SCOPED_TRACE(c.label);
        Ref<ISeriesX> s;
        create(CLSID_SeriesX, IID_ISeriesX, s);
        Ref<ISeriesXEx1> ex;
        ASSERT_EQ(S_OK, s->get_Extension1(ex.put()));
        EXPECT_EQ(S_OK, c.call(s.get(), ex.get()));
        EXPECT_EQ(0, countOf(s.get()));
        LONG stored = -1;
        EXPECT_EQ(S_OK, s->get_NumStatistics(-1, &stored));
        EXPECT_EQ(0, stored);
    }

    struct MatrixCase {
        const char* label;
        HRESULT (*call)(IMatrixX*, IMatrixXEx1*);
    };
    const MatrixCase matrixCases[] = {
        {"Selvane", [](IMatrixX* m, IMatrixXEx1*) { return m->Selvane(0, 1, 2024, -3, 1, 0, -3); }},
        {"ForecastCroston", [](IMatrixX* m, IMatrixXEx1*) { return m->ForecastCroston(0, 1, -3.0); }},
        {"ForecastNewProduct", [](IMatrixX* m, IMatrixXEx1*) { return m->ForecastNewProduct(-2, -1, 1, -3.0, -3.0, 2); }},
        {"ForecastGompertzCurve",
         [](IMatrixX*, IMatrixXEx1* x) { return x->ForecastGompertzCurve(-2, -1, 1, -3.0, -3.0, 2); }},
        {"ForecastProbitCurve",
         [](IMatrixX*, IMatrixXEx1* x) { return x->ForecastProbitCurve(-2, -1, 1, -3.0, -3.0, 2); }},
    };
    for (const MatrixCase& c : matrixCases) {
        SCOPED_TRACE(c.label);
        Ref<IMatrixX> m;
        create(CLSID_MatrixX, IID_IMatrixX, m);
        Ref<IMatrixXEx1> ex;
        ASSERT_EQ(S_OK, m->get_Extension1(ex.put()));
        EXPECT_EQ(S_OK, c.call(m.get(), ex.get()));
        LONG series = -1;
        EXPECT_EQ(S_OK, m->get_NumSeries(&series));
        EXPECT_EQ(0, series);
    }
}

// A script's method list has Variant cells: numbers that are whole codes
// are read as the codes, any other cell is refused with 3162 before
// anything changes.
TEST_F(SelvaneMembersTest, MethodListWithVariantCells)
{
    auto list = [](const std::vector<VARIANT>& cells) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_ARRAY | VT_VARIANT;
        v.parray = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(cells.size()));
        for (LONG i = 0; i < static_cast<LONG>(cells.size()); ++i)
            SafeArrayPutElement(v.parray, &i, const_cast<VARIANT*>(&cells[static_cast<std::size_t>(i)]));
        return v;
    };
    auto cell = [](VARTYPE type, double value) {
        VARIANT c;
        VariantInit(&c);
        c.vt = VT_R8;
        c.dblVal = value;
        VariantChangeType(&c, &c, 0, type);
        return c;
    };
    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    for (double v : trend(12))
        ASSERT_EQ(S_OK, m->AddObservation(0, v, nullptr, 1));
    Ref<IMatrixXEx1> ex;
    ASSERT_EQ(S_OK, m->get_Extension1(ex.put()));

    std::vector<std::vector<VARIANT>> refused = {
        {cell(VT_I2, 5), cell(VT_R8, 9.5)},
        {cell(VT_I2, 5), cell(VT_R8, 4294967301.0)},
        {cell(VT_I2, 5), cell(VT_R8, std::nan(""))},
        {cell(VT_I2, 5), cell(VT_BSTR, 9)},
    };
    for (std::vector<VARIANT> cells : refused) {
        VARIANT bad = list(cells);
        EXPECT_REPORTED(3162, ex->SelvaneMultipleMethod(0, 2, 2024, 0, 0, bad));
        VariantClear(&bad);
        for (VARIANT& c : cells) VariantClear(&c);
    }
    LONG series = -1;
    EXPECT_EQ(S_OK, m->get_NumSeries(&series));
    EXPECT_EQ(1, series);

    VARIANT good = list({cell(VT_I2, 5), cell(VT_I4, 9), cell(VT_R8, 4)});
    ASSERT_EQ(S_OK, ex->SelvaneMultipleMethod(0, 2, 2024, 0, 0, good));
    VariantClear(&good);
    EXPECT_EQ(S_OK, m->get_NumSeries(&series));
    ASSERT_EQ(4, series);
    const short expected[4] = {5, 9, 4, 4};
    for (LONG k = 0; k < 4; ++k) {
        Ref<ISeriesX> one;
        ASSERT_EQ(S_OK, m->get_Series(k, one.put()));
        EXPECT_EQ(expected[k], methodOf(one.get()));
    }
}
