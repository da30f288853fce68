// Array transfer and the extension objects, through an early-bound client.
#include "ComTestSupport.h"

#include <string>
#include <vector>

namespace {

// A SAFEARRAY made for a test, destroyed at the end of the scope.
struct Array {
    SAFEARRAY* a = nullptr;
    Array(VARTYPE vt, LONG lower, ULONG n)
    {
        SAFEARRAYBOUND b = {n, lower};
        a = SafeArrayCreate(vt, 1, &b);
    }
    struct Grid {
        ULONG rows, cols;
    };
    Array(VARTYPE vt, Grid g)
    {
        const ULONG rows = g.rows, cols = g.cols;
        SAFEARRAYBOUND b[2] = {{rows, 0}, {cols, 0}};
        a = SafeArrayCreate(vt, 2, b);
    }
    ~Array()
    {
        if (a) SafeArrayDestroy(a);
    }
    VARIANT byValue(VARTYPE vt) const
    {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_ARRAY | vt;
        v.parray = a;
        return v;
    }
    template <class T>
    T* data() const
    {
        return static_cast<T*>(a->pvData);
    }
};

VARIANT numbersOf(Array& array, const std::vector<double>& values)
{
    for (size_t i = 0; i < values.size(); ++i) array.data<double>()[i] = values[i];
    return array.byValue(VT_R8);
}

VARIANT text(const wchar_t* t)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(t);
    return v;
}

VARIANT integer(LONG n)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = n;
    return v;
}

VARIANT nullVariant()
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_NULL;
    return v;
}

class ArrayTransferTest : public ComTest {
protected:
    void seriesOf(const std::vector<double>& values, Ref<ISeriesX>& s, Ref<ISeriesXEx1>& ex)
    {
        create(CLSID_SeriesX, IID_ISeriesX, s);
        for (double v : values) ASSERT_EQ(S_OK, s->AddObservation(v, nullptr, 1));
        ASSERT_EQ(S_OK, s->get_Extension1(ex.put()));
    }
    LONG count(ISeriesX* s)
    {
        LONG n = -1;
        EXPECT_EQ(S_OK, s->get_NumObservations(&n));
        return n;
    }
    LONG numSeries(IMatrixX* m)
    {
        LONG n = -1;
        EXPECT_EQ(S_OK, m->get_NumSeries(&n));
        return n;
    }
};

TEST_F(ArrayTransferTest, ValuesInAndOutAtSeriesLevel)
{
    Ref<ISeriesX> s;
    Ref<ISeriesXEx1> ex;
    seriesOf({}, s, ex);
    Array in(VT_R8, LONG(5), ULONG(4)); // any lower bound on input
    VARIANT d = text(L"batch");
    VARIANT o = integer(2);
    EXPECT_EQ(S_OK, ex->AddObservationByArray(numbersOf(in, {1.5, -2.0, 3.25, 4.0}), d, o));
    VariantClear(&d);
    ASSERT_EQ(4, count(s.get()));
    short origin = 0;
    Ref<IObservationX> obs;
    ASSERT_EQ(S_OK, s->get_Observation(3, obs.put()));
    ASSERT_EQ(S_OK, obs->get_Origin(&origin));
    EXPECT_EQ(2, origin);
    Text description;
    ASSERT_EQ(S_OK, obs->get_Description(description.put()));
    EXPECT_EQ(L"batch", description.str());

    // An empty target receives a new zero-based array of Variant cells.
    VARIANT out;
    VariantInit(&out);
    ASSERT_EQ(S_OK, ex->GetObservationValuesToArray(-2, -1, -1, &out));
    ASSERT_EQ(VT_ARRAY | VT_VARIANT, out.vt);
    LONG lb = -1, ub = -1;
    SafeArrayGetLBound(out.parray, 1, &lb);
    SafeArrayGetUBound(out.parray, 1, &ub);
    EXPECT_EQ(0, lb);
    EXPECT_EQ(3, ub);
    VARIANT* cells = static_cast<VARIANT*>(out.parray->pvData);
    EXPECT_EQ(VT_R8, cells[2].vt);
    EXPECT_EQ(3.25, cells[2].dblVal);
    VariantClear(&out);

    // A typed reference to an unallocated array becomes a typed array.
    SAFEARRAY* typed = nullptr;
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_BYREF | VT_ARRAY | VT_R8;
    ref.pparray = &typed;
    ASSERT_EQ(S_OK, ex->GetObservationValuesToArray(2, 2, -1, &ref));
    ASSERT_NE(nullptr, typed);
    EXPECT_EQ(-2.0, static_cast<double*>(typed->pvData)[0]);
    EXPECT_EQ(3.25, static_cast<double*>(typed->pvData)[1]);
    SafeArrayDestroy(typed);

    // Right size with lower bound 1: refused, untouched; lower bound 0:
    // filled in place.
    Array one(VT_R8, LONG(1), ULONG(4));
    SAFEARRAY* held = one.a;
    ref.pparray = &held;
    one.data<double>()[0] = 99.0;
    EXPECT_REPORTED(3112, ex->GetObservationValuesToArray(-2, -1, -1, &ref));
    EXPECT_EQ(99.0, one.data<double>()[0]);
    Array zero(VT_R8, LONG(0), ULONG(4));
    held = zero.a;
    ASSERT_EQ(S_OK, ex->GetObservationValuesToArray(-2, -1, -1, &ref));
    EXPECT_EQ(zero.a, held);
    EXPECT_EQ(1.5, zero.data<double>()[0]);
    // Forecast selector: 0.0 where none is stored; 37 is refused first.
    ASSERT_EQ(S_OK, ex->GetObservationValuesToArray(-2, -1, 29, &ref));
    EXPECT_EQ(0.0, zero.data<double>()[0]);
    EXPECT_REPORTED(3059, ex->GetObservationValuesToArray(-2, -1, 37, &ref));

    // Results in, then read back through the selector.
    Array stats(VT_R8, LONG(0), ULONG(2));
    EXPECT_EQ(S_OK, ex->InputObsStatByArrary(3, 2, 29, numbersOf(stats, {7.0, 8.0})));
    double f = 0;
    ASSERT_EQ(S_OK, s->get_StatValueObs(3, 29, &f));
    EXPECT_EQ(8.0, f);
    EXPECT_REPORTED(3112, ex->InputObsStatByArrary(3, 3, 29, numbersOf(stats, {7.0, 8.0})));
}

TEST_F(ArrayTransferTest, ScriptArraysOfVariantCells)
{
    Ref<ISeriesX> s;
    Ref<ISeriesXEx1> ex;
    seriesOf({}, s, ex);
    Array cells(VT_VARIANT, LONG(0), ULONG(5));
    VARIANT* c = cells.data<VARIANT>();
    c[0].vt = VT_I2, c[0].iVal = 7;
    c[1].vt = VT_R4, c[1].fltVal = 0.5f;
    c[2].vt = VT_I4, c[2].lVal = -100000;
    c[3].vt = VT_UI1, c[3].bVal = 200;
    c[4].vt = VT_CY, c[4].cyVal.int64 = 25000; // 2.5
    VARIANT values = cells.byValue(VT_VARIANT);
    // By reference, as a late-bound caller passes its variable.
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_BYREF | VT_VARIANT;
    ref.pvarVal = &values;
    EXPECT_EQ(S_OK, ex->AddObservationByArray(ref, nullVariant(), nullVariant()));
    ASSERT_EQ(5, count(s.get()));
    const double expected[] = {7.0, 0.5, -100000.0, 200.0, 2.5};
    for (LONG i = 0; i < 5; ++i) {
        double v = 0;
        ASSERT_EQ(S_OK, s->get_Value(i, &v));
        EXPECT_EQ(expected[i], v) << i;
    }
    // Every cell is checked before anything is appended.
    const VARTYPE refused[] = {VT_EMPTY, VT_NULL, VT_BSTR, VT_BOOL};
    for (VARTYPE vt : refused) {
        Array bad(VT_VARIANT, LONG(0), ULONG(3));
        bad.data<VARIANT>()[0].vt = VT_R8;
        bad.data<VARIANT>()[1].vt = VT_R8;
        bad.data<VARIANT>()[2].vt = vt;
        if (vt == VT_BSTR) bad.data<VARIANT>()[2].bstrVal = SysAllocString(L"1");
        EXPECT_REPORTED(3109, ex->AddObservationByArray(bad.byValue(VT_VARIANT), nullVariant(), nullVariant()));
        EXPECT_EQ(5, count(s.get()));
    }
}

TEST_F(ArrayTransferTest, ChecksRunBeforeTheFirstAppend)
{
    Ref<ISeriesX> s;
    Ref<ISeriesXEx1> ex;
    seriesOf({1.0}, s, ex);
    Array values(VT_R8, LONG(0), ULONG(4));
    VARIANT v = numbersOf(values, {1, 2, 3, 4});
    // Descriptions of another size; two-dimensional origin types.
    Array three(VT_BSTR, LONG(0), ULONG(3));
    EXPECT_REPORTED(3110, ex->AddObservationByArray(v, three.byValue(VT_BSTR), nullVariant()));
    Array grid(VT_I4, Array::Grid{2, 2});
    EXPECT_REPORTED(3110, ex->AddObservationByArray(v, nullVariant(), grid.byValue(VT_I4)));
    // A description that has no 8-bit form, in the last cell.
    Array texts(VT_BSTR, LONG(0), ULONG(4));
    for (int i = 0; i < 3; ++i) texts.data<BSTR>()[i] = SysAllocString(L"ok");
    texts.data<BSTR>()[3] = SysAllocString(L"\x0100");
    EXPECT_REPORTED(1, ex->AddObservationByArray(v, texts.byValue(VT_BSTR), nullVariant()));
    EXPECT_EQ(1, count(s.get()));
    // A tag that does not match the array's own element type, a null array
    // of the by-value form.
    Array longs(VT_I4, LONG(0), ULONG(4));
    EXPECT_REPORTED(3109, ex->AddObservationByArray(longs.byValue(VT_R8), nullVariant(), nullVariant()));
    VARIANT none;
    VariantInit(&none);
    none.vt = VT_ARRAY | VT_R8;
    EXPECT_REPORTED(3110, ex->AddObservationByArray(none, nullVariant(), nullVariant()));
    VARIANT nullRef;
    VariantInit(&nullRef);
    nullRef.vt = VT_BYREF | VT_ARRAY | VT_R8;
    EXPECT_REPORTED(3109, ex->AddObservationByArray(nullRef, nullVariant(), nullVariant()));
    EXPECT_EQ(1, count(s.get()));
}

TEST_F(ArrayTransferTest, DescriptionsComeBackBitForBit)
{
    Ref<ISeriesX> s;
    Ref<ISeriesXEx1> ex;
    seriesOf({}, s, ex);
    std::wstring all;
    for (wchar_t c = 1; c <= 0xFF; ++c) all.push_back(c);
    Array values(VT_R8, LONG(0), ULONG(2));
    Array texts(VT_BSTR, LONG(0), ULONG(2));
    texts.data<BSTR>()[0] = SysAllocStringLen(all.data(), static_cast<UINT>(all.size()));
    texts.data<BSTR>()[1] = SysAllocString(L"\x0080\x009f\x00ff");
    ASSERT_EQ(S_OK, ex->AddObservationByArray(numbersOf(values, {1, 2}), texts.byValue(VT_BSTR), integer(1)));
    SAFEARRAY* out = nullptr;
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_BYREF | VT_ARRAY | VT_BSTR;
    ref.pparray = &out;
    ASSERT_EQ(S_OK, ex->GetObservationDescriptionsToArray(-2, -1, &ref));
    ASSERT_NE(nullptr, out);
    BSTR* got = static_cast<BSTR*>(out->pvData);
    EXPECT_EQ(all, std::wstring(got[0], SysStringLen(got[0])));
    EXPECT_EQ(std::wstring(L"\x0080\x009f\x00ff"), std::wstring(got[1], SysStringLen(got[1])));
    // Filled again in place: the old texts are replaced.
    ASSERT_EQ(S_OK, ex->GetObservationDescriptionsToArray(-2, -1, &ref));
    SafeArrayDestroy(out);
    Text scalar;
    ASSERT_EQ(S_OK, s->get_Description(scalar.put()));
}

TEST_F(ArrayTransferTest, MatrixLayoutAndGrowth)
{
    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    ASSERT_EQ(S_OK, m->AddObservation(0, 1.0, nullptr, 1));
    Ref<IMatrixXEx1> ex;
    ASSERT_EQ(S_OK, m->get_Extension1(ex.put()));
    // Series 2, 3, 4 from a 3 x 4 array: element (s, j) at j * 3 + s.
    Array grid(VT_R8, Array::Grid{3, 4});
    for (int j = 0; j < 4; ++j)
        for (int k = 0; k < 3; ++k) grid.data<double>()[j * 3 + k] = 10.0 * k + j;
    ASSERT_EQ(S_OK, ex->AddObservationByArray(2, grid.byValue(VT_R8), nullVariant(), nullVariant()));
    EXPECT_EQ(5, numSeries(m.get()));
    double v = 0;
    ASSERT_EQ(S_OK, m->get_Value(3, 2, &v));
    EXPECT_EQ(12.0, v);
    // A huge series number: refused before anything is appended, including
    // when the last series number would overflow.
    EXPECT_REPORTED(3, ex->AddObservationByArray(0x7ffffffe, grid.byValue(VT_R8), nullVariant(), nullVariant()));
    EXPECT_REPORTED(3, ex->AddObservationByArray(0x20000000, grid.byValue(VT_R8), nullVariant(), nullVariant()));
    EXPECT_EQ(5, numSeries(m.get()));
    EXPECT_REPORTED(3000, ex->AddObservationByArray(-1, grid.byValue(VT_R8), nullVariant(), nullVariant()));

    // The same layout out, on a rectangular matrix.
    Ref<IMatrixX> r;
    create(CLSID_MatrixX, IID_IMatrixX, r);
    Ref<IMatrixXEx1> rex;
    ASSERT_EQ(S_OK, r->get_Extension1(rex.put()));
    ASSERT_EQ(S_OK, rex->AddObservationByArray(0, grid.byValue(VT_R8), nullVariant(), nullVariant()));
    VARIANT out;
    VariantInit(&out);
    ASSERT_EQ(S_OK, rex->GetObservationValuesToArray(-2, -1, -1, &out));
    ASSERT_EQ(2u, SafeArrayGetDim(out.parray));
    VARIANT* cells = static_cast<VARIANT*>(out.parray->pvData);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(grid.data<double>()[i], cells[i].dblVal) << i;
    VariantClear(&out);
    // Not rectangular any more: 2000.
    ASSERT_EQ(S_OK, r->AddObservation(1, 5.0, nullptr, 1));
    EXPECT_REPORTED(2000, rex->GetObservationValuesToArray(-2, -1, -1, &out));
}

TEST_F(ArrayTransferTest, IndexValuesRoundTrip)
{
    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    Ref<IMatrixXEx1> ex;
    ASSERT_EQ(S_OK, m->get_Extension1(ex.put()));
    // No series: S_OK even for a wrong type.
    EXPECT_EQ(S_OK, ex->AddIndexValuesByArray(integer(3)));
    for (LONG k = 0; k < 2; ++k)
        for (int j = 0; j < 3; ++j) ASSERT_EQ(S_OK, m->AddObservation(k, j, nullptr, 1));
    VARIANT out;
    VariantInit(&out);
    EXPECT_REPORTED(3154, ex->GetIndexValuesToArray(&out));
    Array index(VT_R8, LONG(0), ULONG(4));
    ASSERT_EQ(S_OK, ex->AddIndexValuesByArray(numbersOf(index, {0.9, 1.1, 1.2, 0.8})));
    // An [out] argument is never read: garbage in it is not followed.
    out.vt = VT_ARRAY | VT_R8;
    out.parray = reinterpret_cast<SAFEARRAY*>(static_cast<INT_PTR>(0x10));
    ASSERT_EQ(S_OK, ex->GetIndexValuesToArray(&out));
    ASSERT_EQ(VT_ARRAY | VT_VARIANT, out.vt);
    VARIANT* cells = static_cast<VARIANT*>(out.parray->pvData);
    EXPECT_EQ(1.1, cells[2].dblVal); // (series 0, position 1)
    EXPECT_EQ(1.1, cells[3].dblVal); // (series 1, position 1)
    // Back in as a two-dimensional array: both indexes unchanged.
    ASSERT_EQ(S_OK, ex->AddIndexValuesByArray(out));
    double d = 0;
    ASSERT_EQ(S_OK, m->get_StatValueSeries(1, 4004, 3, &d));
    EXPECT_EQ(0.8, d);
    VariantClear(&out);
    Array wrong(VT_R8, Array::Grid{3, 4});
    EXPECT_REPORTED(3158, ex->AddIndexValuesByArray(wrong.byValue(VT_R8)));
    EXPECT_REPORTED(3157, ex->AddIndexValuesByArray(text(L"x")));
}

TEST_F(ArrayTransferTest, ExtensionsLiveOnTheirBinding)
{
    // Created on its own: unbound.
    Ref<ISeriesXEx1> alone;
    create(CLSID_SeriesXEx1, IID_ISeriesXEx1, alone);
    EXPECT_REPORTED(3128, alone->CalculateFourier(-2, -1));
    VARIANT out;
    VariantInit(&out);
    EXPECT_REPORTED(3, alone->GetObservationValuesToArray(-2, -1, -1, &out));

    // The series outlives the SeriesX released first.
    Ref<ISeriesXEx1> ex;
    {
        Ref<ISeriesX> s;
        seriesOf({1, 2, 3, 4}, s, ex);
        Ref<ISeriesXEx1> again;
        ASSERT_EQ(S_OK, s->get_Extension1(again.put()));
        EXPECT_EQ(ex.get(), again.get());
    }
    EXPECT_EQ(S_OK, ex->ForecastAverage(-2, -1, 1));
    ASSERT_EQ(S_OK, ex->GetObservationValuesToArray(-2, -1, -1, &out));
    EXPECT_EQ(5u, out.parray->rgsabound[0].cElements);
    EXPECT_EQ(2.5, static_cast<VARIANT*>(out.parray->pvData)[4].dblVal);
    VariantClear(&out);

    // A series of a matrix: follows growth, reports its removal.
    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    ASSERT_EQ(S_OK, m->AddObservation(0, 1.0, nullptr, 1));
    Ref<ISeriesXEx1> child;
    {
        Ref<ISeriesX> s0;
        ASSERT_EQ(S_OK, m->get_Series(0, s0.put()));
        ASSERT_EQ(S_OK, s0->get_Extension1(child.put()));
    }
    for (LONG k = 1; k < 200; ++k) ASSERT_EQ(S_OK, m->AddObservation(k, 1.0, nullptr, 1));
    ASSERT_EQ(S_OK, child->GetObservationValuesToArray(-2, -1, -1, &out));
    VariantClear(&out);
    ASSERT_EQ(S_OK, m->RemoveSeriesAt(0));
    EXPECT_REPORTED(3128, child->CalculateCochraneOrcutt(-2, -1));
    EXPECT_REPORTED(3, child->GetObservationValuesToArray(-2, -1, -1, &out));
    EXPECT_REPORTED(3, child->RangeForecast(1, 1, 1, 0.0, 1, 0.0));
}

TEST_F(ArrayTransferTest, ReplacingSeries)
{
    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    for (LONG k = 0; k < 3; ++k)
        for (int j = 0; j <= k; ++j) ASSERT_EQ(S_OK, m->AddObservation(k, 10.0 * k + j, nullptr, 1));
    Ref<IMatrixXEx1> ex;
    ASSERT_EQ(S_OK, m->get_Extension1(ex.put()));
    Ref<ISeriesX> s2;
    ASSERT_EQ(S_OK, m->get_Series(2, s2.put()));
    // The source is a series of the matrix that grows: copied first.
    ASSERT_EQ(S_OK, ex->ReplaceSeriesAt(70, s2.get()));
    LONG n = 0;
    EXPECT_EQ(71, numSeries(m.get()));
    double v = 0;
    ASSERT_EQ(S_OK, m->get_Value(70, 2, &v));
    EXPECT_EQ(22.0, v);
    // Itself: unchanged.
    ASSERT_EQ(S_OK, ex->ReplaceSeriesAt(2, s2.get()));
    ASSERT_EQ(S_OK, s2->get_NumObservations(&n));
    EXPECT_EQ(3, n);
    EXPECT_REPORTED(3000, ex->ReplaceSeriesAt(-1, s2.get()));
    EXPECT_REPORTED(1000, ex->ReplaceSeriesAt(0, nullptr));
    EXPECT_REPORTED(3, ex->ReplaceSeriesAt(0x7fffffff, s2.get()));
    EXPECT_EQ(71, numSeries(m.get()));

    // Series level: with itself nothing changes; with another the copy.
    Ref<ISeriesX> a;
    Ref<ISeriesXEx1> aex;
    seriesOf({1, 2}, a, aex);
    ASSERT_EQ(S_OK, aex->ReplaceSeries(a.get()));
    EXPECT_EQ(2, count(a.get()));
    ASSERT_EQ(S_OK, aex->ReplaceSeries(s2.get()));
    EXPECT_EQ(3, count(a.get()));
    // A SeriesX whose series is gone: 3.
    ASSERT_EQ(S_OK, m->RemoveAll());
    EXPECT_REPORTED(3, aex->ReplaceSeries(s2.get()));
}

TEST_F(ArrayTransferTest, MultipleRegressionFailureRecordsNoMethod)
{
    // No dependent series: both the regression and its fallback fail.
    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    for (LONG k = 0; k < 2; ++k)
        for (int j = 0; j < 6; ++j) ASSERT_EQ(S_OK, m->AddObservation(k, j * (k + 1.0), nullptr, 1));
    EXPECT_EQ(QD_E_REPORTED, m->ForecastMultipleRegression(-2, -1));
    short method = 0;
    ASSERT_EQ(S_OK, m->get_ForecastMethodNumber(&method));
    EXPECT_EQ(-1, method);
    Ref<IMatrixXEx1> ex;
    ASSERT_EQ(S_OK, m->get_Extension1(ex.put()));
    EXPECT_EQ(QD_E_REPORTED, ex->ForecastMultipleRegressionEx(-2, -1, 1, 0, 0.0, 0, 0, 0));
    ASSERT_EQ(S_OK, m->get_ForecastMethodNumber(&method));
    EXPECT_EQ(-1, method);
    // Unbound: 3128 and nothing else.
    Ref<IMatrixXEx1> alone;
    create(CLSID_MatrixXEx1, IID_IMatrixXEx1, alone);
    EXPECT_REPORTED(3128, alone->ForecastMultipleRegressionEx(-2, -1, 1, 0, 0.0, 0, 0, 0));
    EXPECT_REPORTED(3082, alone->indexDecompositionApply(-2, -1, 3));
}

} // namespace
