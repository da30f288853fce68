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
    // Values 4, 5, 6 described "a", "bb", "ccc", and the index 0.75, 1.25.
    void threeObservationsAndAnIndex(Ref<ISeriesX>& s, Ref<ISeriesXEx1>& ex);
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

void ArrayTransferTest::threeObservationsAndAnIndex(Ref<ISeriesX>& s, Ref<ISeriesXEx1>& ex)
{
    seriesOf({}, s, ex);
    Array values(VT_R8, LONG(0), ULONG(3));
    Array texts(VT_BSTR, LONG(0), ULONG(3));
    const wchar_t* given[] = {L"a", L"bb", L"ccc"};
    for (int i = 0; i < 3; ++i) texts.data<BSTR>()[i] = SysAllocString(given[i]);
    ASSERT_EQ(S_OK, ex->AddObservationByArray(numbersOf(values, {4, 5, 6}), texts.byValue(VT_BSTR), integer(1)));
    Array index(VT_R8, LONG(0), ULONG(2));
    ASSERT_EQ(S_OK, ex->AddIndexValuesByArray(numbersOf(index, {0.75, 1.25})));
}

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

// The array's own descriptor must agree with the VARIANT's tag on every
// count, each on its own: the kind flags, the element size when no element
// type is recorded, and element counts whose storage the address space
// cannot hold. Each is refused with the family's code before anything
// changes.
TEST_F(ArrayTransferTest, EveryPartOfTheDescriptorIsChecked)
{
    Ref<ISeriesX> s;
    Ref<ISeriesXEx1> ex;
    seriesOf({1.0}, s, ex);
    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    Ref<IMatrixXEx1> mex;
    ASSERT_EQ(S_OK, m->get_Extension1(mex.put()));

    // Kind flags alone: a VT_R8 array (its recorded type and element size
    // right) that says it holds BSTRs, a BSTR array and a Variant array that
    // do not say so.
    struct FlagCase {
        const char* label;
        VARTYPE vt;
        USHORT set, clear;
        bool asValues; // else as descriptions
    };
    const FlagCase flagCases[] = {
        {"R8 with FADF_BSTR", VT_R8, FADF_BSTR, 0, true},
        {"R8 with FADF_VARIANT", VT_R8, FADF_VARIANT, 0, true},
        {"BSTR without FADF_BSTR", VT_BSTR, 0, FADF_BSTR, false},
        {"VARIANT without FADF_VARIANT", VT_VARIANT, 0, FADF_VARIANT, true},
    };
    for (const FlagCase& c : flagCases) {
        SCOPED_TRACE(c.label);
        Array a(c.vt, LONG(0), ULONG(2));
        const USHORT original = a.a->fFeatures;
        a.a->fFeatures = static_cast<USHORT>((original | c.set) & ~c.clear);
        Array values(VT_R8, LONG(0), ULONG(2));
        VARIANT v = c.asValues ? a.byValue(c.vt) : numbersOf(values, {5.0, 6.0});
        VARIANT d = c.asValues ? nullVariant() : a.byValue(c.vt);
        EXPECT_REPORTED(3109, ex->AddObservationByArray(v, d, nullVariant()));
        a.a->fFeatures = original;
        EXPECT_EQ(1, count(s.get()));
    }

    // No element type recorded (a bare descriptor): the element size alone
    // decides.
    for (ULONG size : {4u, 8u}) {
        SCOPED_TRACE(size);
        SAFEARRAY* bare = nullptr;
        ASSERT_EQ(S_OK, SafeArrayAllocDescriptor(1, &bare));
        bare->cbElements = size;
        bare->rgsabound[0].cElements = 2;
        bare->rgsabound[0].lLbound = 0;
        ASSERT_EQ(S_OK, SafeArrayAllocData(bare));
        VARTYPE recorded = VT_EMPTY;
        EXPECT_TRUE(FAILED(SafeArrayGetVartype(bare, &recorded)));
        if (size == 8) {
            static_cast<double*>(bare->pvData)[0] = 7.0;
            static_cast<double*>(bare->pvData)[1] = 8.0;
        }
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_ARRAY | VT_R8;
        v.parray = bare;
        if (size == 8) {
            EXPECT_EQ(S_OK, ex->AddObservationByArray(v, nullVariant(), nullVariant()));
            EXPECT_EQ(3, count(s.get()));
        } else {
            EXPECT_REPORTED(3109, ex->AddObservationByArray(v, nullVariant(), nullVariant()));
            EXPECT_EQ(1, count(s.get()));
        }
        SafeArrayDestroy(bare);
    }
    ASSERT_EQ(S_OK, s->RemoveObservationAt(2));
    ASSERT_EQ(S_OK, s->RemoveObservationAt(1));

    // Hand-made descriptors over a small buffer that is never read: 2 x
    // (2^32 - 1) doubles, whose byte size overflows any address space, and
    // three dimensions of 2^32 - 1, whose element count overflows 64 bits.
    double buffer[4] = {1, 2, 3, 4};
    for (USHORT dims : {USHORT(2), USHORT(3)}) {
        SCOPED_TRACE(dims);
        SAFEARRAY* huge = nullptr;
        ASSERT_EQ(S_OK, SafeArrayAllocDescriptorEx(VT_R8, dims, &huge));
        for (USHORT d = 0; d < dims; ++d) {
            huge->rgsabound[d].cElements = 0xFFFFFFFFu;
            huge->rgsabound[d].lLbound = 0;
        }
        huge->pvData = buffer;
        huge->fFeatures |= FADF_STATIC;
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_ARRAY | VT_R8;
        v.parray = huge;
        EXPECT_REPORTED(3109, mex->AddObservationByArray(0, v, nullVariant(), nullVariant()));
        EXPECT_REPORTED(3109, ex->AddObservationByArray(v, nullVariant(), nullVariant()));
        EXPECT_EQ(0, numSeries(m.get()));
        EXPECT_EQ(1, count(s.get()));
        huge->pvData = nullptr;
        SafeArrayDestroyDescriptor(huge);
    }

    // An output target is checked alike: a typed reference to an array
    // whose flags disagree is refused and left as it was; a null reference
    // is refused.
    Array flagged(VT_R8, LONG(0), ULONG(1));
    flagged.data<double>()[0] = 99.0;
    flagged.a->fFeatures |= FADF_BSTR;
    SAFEARRAY* held = flagged.a;
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_BYREF | VT_ARRAY | VT_R8;
    ref.pparray = &held;
    EXPECT_REPORTED(3112, ex->GetObservationValuesToArray(-2, -1, -1, &ref));
    flagged.a->fFeatures &= ~FADF_BSTR;
    EXPECT_EQ(flagged.a, held);
    EXPECT_EQ(99.0, flagged.data<double>()[0]);
    ref.pparray = nullptr;
    EXPECT_REPORTED(3112, ex->GetObservationValuesToArray(-2, -1, -1, &ref));
    ref.vt = VT_BYREF | VT_ARRAY | VT_BSTR;
    EXPECT_REPORTED(3113, ex->GetObservationDescriptionsToArray(-2, -1, &ref));
    ASSERT_EQ(S_OK, ex->AddIndexValuesByArray(numbersOf(flagged, {1.0})));
    ref.vt = VT_BYREF | VT_ARRAY | VT_R8;
    EXPECT_REPORTED(3156, ex->GetIndexValuesToArray(&ref));
    // A reference to a null array is an array without dimensions: the
    // shape code for an input.
    SAFEARRAY* none = nullptr;
    ref.pparray = &none;
    EXPECT_REPORTED(3110, ex->AddObservationByArray(ref, nullVariant(), nullVariant()));
    EXPECT_EQ(1, count(s.get()));
}

// The [out] argument of GetIndexValuesToArray: nothing but a typed
// reference is ever followed. Whatever else it holds, it receives a new
// zero-based array of Variant cells (the old content is the caller's);
// VT_EMPTY alike. A typed reference is filled in place when its array has
// the shape, else given a new typed array when it has none.
TEST_F(ArrayTransferTest, IndexValuesOutTargets)
{
    Ref<ISeriesX> s;
    Ref<ISeriesXEx1> ex;
    seriesOf({1, 2, 3}, s, ex);
    Array index(VT_R8, LONG(0), ULONG(3));
    ASSERT_EQ(S_OK, ex->AddIndexValuesByArray(numbersOf(index, {0.5, 1.25, 1.25})));

    struct Garbage {
        const char* label;
        VARTYPE vt;
    };
    const Garbage garbage[] = {
        {"empty", VT_EMPTY},
        {"BSTR", VT_BSTR},
        {"dispatch", VT_DISPATCH},
        {"array of R8 by value", VT_ARRAY | VT_R8},
        {"array of Variant by value", VT_ARRAY | VT_VARIANT},
        {"reference to an array of Variant", VT_BYREF | VT_ARRAY | VT_VARIANT},
        {"no type at all", 0x0FFF},
    };
    for (const Garbage& g : garbage) {
        SCOPED_TRACE(g.label);
        VARIANT out;
        VariantInit(&out);
        out.vt = g.vt;
        if (g.vt != VT_EMPTY) out.byref = reinterpret_cast<void*>(static_cast<INT_PTR>(0x10));
        ASSERT_EQ(S_OK, ex->GetIndexValuesToArray(&out));
        ASSERT_EQ(VT_ARRAY | VT_VARIANT, out.vt);
        ASSERT_EQ(1u, SafeArrayGetDim(out.parray));
        LONG lb = -1, ub = -1;
        SafeArrayGetLBound(out.parray, 1, &lb);
        SafeArrayGetUBound(out.parray, 1, &ub);
        EXPECT_EQ(0, lb);
        EXPECT_EQ(2, ub);
        const VARIANT* cells = static_cast<const VARIANT*>(out.parray->pvData);
        EXPECT_EQ(VT_R8, cells[0].vt);
        EXPECT_EQ(0.5, cells[0].dblVal);
        EXPECT_EQ(1.25, cells[2].dblVal);
        VariantClear(&out);
    }

    // The typed reference: filled in place, the caller's array kept.
    Array typed(VT_R8, LONG(0), ULONG(3));
    SAFEARRAY* held = typed.a;
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_BYREF | VT_ARRAY | VT_R8;
    ref.pparray = &held;
    ASSERT_EQ(S_OK, ex->GetIndexValuesToArray(&ref));
    EXPECT_EQ(typed.a, held);
    EXPECT_EQ(0.5, typed.data<double>()[0]);
    EXPECT_EQ(1.25, typed.data<double>()[1]);
    // Of another shape: refused and untouched; none: a new typed array.
    Array other(VT_R8, LONG(0), ULONG(2));
    other.data<double>()[0] = 9.0;
    held = other.a;
    EXPECT_REPORTED(3156, ex->GetIndexValuesToArray(&ref));
    EXPECT_EQ(other.a, held);
    EXPECT_EQ(9.0, other.data<double>()[0]);
    held = nullptr;
    ASSERT_EQ(S_OK, ex->GetIndexValuesToArray(&ref));
    ASSERT_NE(nullptr, held);
    EXPECT_EQ(3u, held->rgsabound[0].cElements);
    EXPECT_EQ(1.25, static_cast<double*>(held->pvData)[2]);
    SafeArrayDestroy(held);
}

namespace {

// An allocated array without dimensions, of the given element type, with
// the kind flag SafeArrayCreate would give it.
SAFEARRAY* withoutDimensions(VARTYPE vt)
{
    SAFEARRAY* a = nullptr;
    if (FAILED(SafeArrayAllocDescriptorEx(vt, 1, &a))) return nullptr;
    a->cDims = 0;
    if (vt == VT_BSTR) a->fFeatures |= FADF_BSTR;
    if (vt == VT_VARIANT) a->fFeatures |= FADF_VARIANT;
    return a;
}

} // namespace

// A target that already holds an array without dimensions, or a script
// variable that holds something else, is given the new array; the old
// content is released only after the new array exists and is never used
// again (Wine's heap checking watches).
TEST_F(ArrayTransferTest, OutputReplacesWhatTheTargetHeld)
{
    Ref<ISeriesX> s;
    Ref<ISeriesXEx1> ex;
    threeObservationsAndAnIndex(s, ex);

    // Typed references to arrays without dimensions: numbers and texts.
    {
        SAFEARRAY* held = withoutDimensions(VT_R8);
        ASSERT_NE(nullptr, held);
        SAFEARRAY* old = held;
        VARIANT ref;
        VariantInit(&ref);
        ref.vt = VT_BYREF | VT_ARRAY | VT_R8;
        ref.pparray = &held;
        ASSERT_EQ(S_OK, ex->GetObservationValuesToArray(-2, -1, -1, &ref));
        ASSERT_NE(old, held);
        ASSERT_EQ(1u, SafeArrayGetDim(held));
        EXPECT_EQ(6.0, static_cast<double*>(held->pvData)[2]);
        SafeArrayDestroy(held);

        held = withoutDimensions(VT_BSTR);
        ASSERT_NE(nullptr, held);
        ref.vt = VT_BYREF | VT_ARRAY | VT_BSTR;
        ASSERT_EQ(S_OK, ex->GetObservationDescriptionsToArray(-2, -1, &ref));
        ASSERT_EQ(1u, SafeArrayGetDim(held));
        BSTR* got = static_cast<BSTR*>(held->pvData);
        EXPECT_EQ(std::wstring(L"ccc"), std::wstring(got[2], SysStringLen(got[2])));
        SafeArrayDestroy(held);
    }
    // A script variable (reached through a reference) holding an array of
    // Variant cells without dimensions, by value and through a further
    // typed reference.
    {
        VARIANT variable;
        VariantInit(&variable);
        variable.vt = VT_ARRAY | VT_VARIANT;
        variable.parray = withoutDimensions(VT_VARIANT);
        ASSERT_NE(nullptr, variable.parray);
        VARIANT ref;
        VariantInit(&ref);
        ref.vt = VT_BYREF | VT_VARIANT;
        ref.pvarVal = &variable;
        ASSERT_EQ(S_OK, ex->GetObservationDescriptionsToArray(-2, -1, &ref));
        ASSERT_EQ(VT_ARRAY | VT_VARIANT, variable.vt);
        ASSERT_EQ(1u, SafeArrayGetDim(variable.parray));
        const VARIANT* cells = static_cast<const VARIANT*>(variable.parray->pvData);
        ASSERT_EQ(VT_BSTR, cells[1].vt);
        EXPECT_EQ(std::wstring(L"bb"), std::wstring(cells[1].bstrVal, SysStringLen(cells[1].bstrVal)));
        VariantClear(&variable);

        SAFEARRAY* held = withoutDimensions(VT_VARIANT);
        ASSERT_NE(nullptr, held);
        ref.vt = VT_BYREF | VT_ARRAY | VT_VARIANT;
        ref.pparray = &held;
        ASSERT_EQ(S_OK, ex->GetObservationValuesToArray(-2, -1, -1, &ref));
        ASSERT_EQ(1u, SafeArrayGetDim(held));
        EXPECT_EQ(5.0, static_cast<const VARIANT*>(held->pvData)[1].dblVal);
        SafeArrayDestroy(held);
    }
    // The [out] index target reached through a reference to a variable
    // that holds a text, then an array of another shape: both are released
    // and replaced.
    {
        VARIANT variable;
        VariantInit(&variable);
        variable.vt = VT_BSTR;
        variable.bstrVal = SysAllocString(L"previous");
        VARIANT ref;
        VariantInit(&ref);
        ref.vt = VT_BYREF | VT_VARIANT;
        ref.pvarVal = &variable;
        ASSERT_EQ(S_OK, ex->GetIndexValuesToArray(&ref));
        ASSERT_EQ(VT_ARRAY | VT_VARIANT, variable.vt);
        EXPECT_EQ(1.25, static_cast<const VARIANT*>(variable.parray->pvData)[1].dblVal);
        // A script reads the indexes of a longer index into the same
        // variable: the old array goes, the new one is of the new length.
        Array longer(VT_R8, LONG(0), ULONG(4));
        ASSERT_EQ(S_OK, ex->AddIndexValuesByArray(numbersOf(longer, {0.5, 1.0, 1.5, 1.0})));
        SAFEARRAY* old = variable.parray;
        ASSERT_EQ(S_OK, ex->GetIndexValuesToArray(&ref));
        ASSERT_EQ(VT_ARRAY | VT_VARIANT, variable.vt);
        EXPECT_NE(old, variable.parray);
        EXPECT_EQ(4u, variable.parray->rgsabound[0].cElements);
        EXPECT_EQ(1.5, static_cast<const VARIANT*>(variable.parray->pvData)[2].dblVal);
        // Of the same shape it is filled in place.
        old = variable.parray;
        ASSERT_EQ(S_OK, ex->GetIndexValuesToArray(&ref));
        EXPECT_EQ(old, variable.parray);
        VariantClear(&variable);
        // The [in, out] values target keeps the published rule: an array
        // of another shape is refused and left as it was.
        variable.vt = VT_ARRAY | VT_VARIANT;
        variable.parray = SafeArrayCreateVector(VT_VARIANT, 0, 1);
        old = variable.parray;
        EXPECT_REPORTED(3112, ex->GetObservationValuesToArray(-2, -1, -1, &ref));
        EXPECT_EQ(old, variable.parray);
        VariantClear(&variable);
    }
}

// The source of a replacement must be a SeriesX of this server with its
// series: any other object (another class of the server handed in where a
// SeriesX is declared, as a late-bound caller can) is 1000, a SeriesX whose
// series is gone 3, both before the matrix grows. Replacing a series by
// itself keeps everything it held.
TEST_F(ArrayTransferTest, ReplacementSourcesThatAreNotASeries)
{
    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    for (LONG k = 0; k < 2; ++k)
        for (int j = 0; j < 3; ++j) {
            Text name(j == 2 ? L"last" : L"");
            ASSERT_EQ(S_OK, m->AddObservation(k, 10.0 * k + j, name.get(), 1));
        }
    Ref<IMatrixXEx1> ex;
    ASSERT_EQ(S_OK, m->get_Extension1(ex.put()));
    Ref<ISeriesX> a;
    Ref<ISeriesXEx1> aex;
    seriesOf({1, 2}, a, aex);

    Ref<IObservationX> observation;
    ASSERT_EQ(S_OK, a->get_Observation(0, observation.put()));
    Ref<ISeriesXEx1> extension;
    ASSERT_EQ(S_OK, a->get_Extension1(extension.put()));
    struct Foreign {
        const char* label;
        IUnknown* object;
    };
    const Foreign foreign[] = {
        {"ObservationX", observation.get()},
        {"MatrixX", m.get()},
        {"MatrixXEx1", ex.get()},
        {"SeriesXEx1", extension.get()},
    };
    for (const Foreign& f : foreign) {
        SCOPED_TRACE(f.label);
        ISeriesX* given = reinterpret_cast<ISeriesX*>(f.object);
        EXPECT_REPORTED(1000, ex->ReplaceSeriesAt(0, given));
        EXPECT_REPORTED(1000, ex->ReplaceSeriesAt(40, given));
        EXPECT_REPORTED(1000, aex->ReplaceSeries(given));
    }
    EXPECT_EQ(2, numSeries(m.get()));
    EXPECT_EQ(2, count(a.get()));

    // A SeriesX whose series was removed from its matrix.
    Ref<IMatrixX> other;
    create(CLSID_MatrixX, IID_IMatrixX, other);
    ASSERT_EQ(S_OK, other->AddObservation(0, 1.0, nullptr, 1));
    Ref<ISeriesX> gone;
    ASSERT_EQ(S_OK, other->get_Series(0, gone.put()));
    ASSERT_EQ(S_OK, other->RemoveSeriesAt(0));
    EXPECT_REPORTED(3, ex->ReplaceSeriesAt(0, gone.get()));
    EXPECT_REPORTED(3, ex->ReplaceSeriesAt(40, gone.get()));
    EXPECT_REPORTED(3, aex->ReplaceSeries(gone.get()));
    EXPECT_EQ(2, numSeries(m.get()));
    double v = 0;
    ASSERT_EQ(S_OK, m->get_Value(0, 2, &v));
    EXPECT_EQ(2.0, v);

    // Itself, through the matrix and through its own extension.
    Ref<ISeriesX> s1;
    ASSERT_EQ(S_OK, m->get_Series(1, s1.put()));
    ASSERT_EQ(S_OK, s1->put_DependenceType(QD_DEPENDENT));
    ASSERT_EQ(S_OK, ex->ReplaceSeriesAt(1, s1.get()));
    Ref<ISeriesXEx1> s1ex;
    ASSERT_EQ(S_OK, s1->get_Extension1(s1ex.put()));
    ASSERT_EQ(S_OK, s1ex->ReplaceSeries(s1.get()));
    LONG n = 0;
    ASSERT_EQ(S_OK, s1->get_NumObservations(&n));
    EXPECT_EQ(3, n);
    for (LONG j = 0; j < 3; ++j) {
        ASSERT_EQ(S_OK, m->get_Value(1, j, &v));
        EXPECT_EQ(10.0 + j, v) << j;
    }
    Ref<IObservationX> last;
    ASSERT_EQ(S_OK, s1->get_Observation(2, last.put()));
    Text description;
    ASSERT_EQ(S_OK, last->get_Description(description.put()));
    EXPECT_EQ(L"last", description.str());
    short dependence = 0;
    ASSERT_EQ(S_OK, s1->get_DependenceType(&dependence));
    EXPECT_EQ(QD_DEPENDENT, dependence);
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

// A caller's variable (reached through a reference, as a late-bound caller
// passes it) that holds an array by value: of Variant cells (a script's) or
// typed (a VBA Double() or String() kept in a Variant), perhaps locked (a
// script's For Each over the variable holds a lock). An array of the right
// shape is filled in place whatever its cells; one of another shape is
// replaced behind the [out] index target only when it can be destroyed, and
// otherwise the call fails with the family's code and the variable keeps
// what it held.
TEST_F(ArrayTransferTest, OutputVariablesHoldingTypedOrLockedArrays)
{
    Ref<ISeriesX> s;
    Ref<ISeriesXEx1> ex;
    threeObservationsAndAnIndex(s, ex);

    enum Member { Values, Descriptions, Index };
    struct Case {
        const char* label;
        Member member;
        VARTYPE cells;
        ULONG size;
        bool locked;
        long code;     // 0: S_OK
        bool inPlace;  // with S_OK: the variable's own array was filled
    };
    const Case cases[] = {
        {"values into a Double() of the right size", Values, VT_R8, 3, false, 0, true},
        {"descriptions into a String() of the right size", Descriptions, VT_BSTR, 3, false, 0, true},
        {"index into a Double() of the right size", Index, VT_R8, 2, false, 0, true},
        {"index into a locked Variant array of the right size", Index, VT_VARIANT, 2, true, 0, true},
        {"index into a Double() of another size", Index, VT_R8, 5, false, 0, false},
        {"index into a locked Variant array of another size", Index, VT_VARIANT, 5, true, 3156, false},
        {"index into a locked Double() of another size", Index, VT_R8, 1, true, 3156, false},
        {"index into a locked array of integers", Index, VT_I4, 2, true, 3156, false},
        {"values into a Double() of another size", Values, VT_R8, 2, false, 3112, false},
        {"values into a locked Variant array of another size", Values, VT_VARIANT, 4, true, 3112, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        VARIANT variable;
        VariantInit(&variable);
        variable.vt = VT_ARRAY | c.cells;
        variable.parray = SafeArrayCreateVector(c.cells, 0, c.size);
        ASSERT_NE(nullptr, variable.parray);
        if (c.cells == VT_R8) static_cast<double*>(variable.parray->pvData)[0] = -7.0;
        SAFEARRAY* const held = variable.parray;
        if (c.locked) ASSERT_EQ(S_OK, SafeArrayLock(held));
        VARIANT ref;
        VariantInit(&ref);
        ref.vt = VT_BYREF | VT_VARIANT;
        ref.pvarVal = &variable;
        HRESULT hr = E_FAIL;
        switch (c.member) {
        case Values: hr = ex->GetObservationValuesToArray(-2, -1, -1, &ref); break;
        case Descriptions: hr = ex->GetObservationDescriptionsToArray(-2, -1, &ref); break;
        case Index: hr = ex->GetIndexValuesToArray(&ref); break;
        }
        if (c.code != 0) {
            EXPECT_EQ(QD_E_REPORTED, hr);
            EXPECT_EQ(c.code, reportedCode(lastError()));
            // Untouched: the same array, its lock and its content.
            EXPECT_EQ(VT_ARRAY | c.cells, variable.vt);
            EXPECT_EQ(held, variable.parray);
            EXPECT_EQ(c.locked ? 1u : 0u, held->cLocks);
            if (c.cells == VT_R8) EXPECT_EQ(-7.0, static_cast<double*>(held->pvData)[0]);
        } else {
            ASSERT_EQ(S_OK, hr);
            // The variable keeps its kind of cells.
            ASSERT_EQ(VT_ARRAY | c.cells, variable.vt);
            EXPECT_EQ(c.inPlace, held == variable.parray);
            const ULONG expected = c.member == Index ? 2u : 3u;
            ASSERT_EQ(1u, SafeArrayGetDim(variable.parray));
            ASSERT_EQ(expected, variable.parray->rgsabound[0].cElements);
            const void* data = variable.parray->pvData;
            if (c.member == Descriptions) {
                const BSTR last = static_cast<const BSTR*>(data)[2];
                EXPECT_EQ(std::wstring(L"ccc"), std::wstring(last, SysStringLen(last)));
            } else {
                const double want = c.member == Index ? 1.25 : 6.0;
                const ULONG at = expected - 1;
                if (c.cells == VT_R8)
                    EXPECT_EQ(want, static_cast<const double*>(data)[at]);
                else
                    EXPECT_EQ(want, static_cast<const VARIANT*>(data)[at].dblVal);
            }
        }
        if (c.locked && held == variable.parray) SafeArrayUnlock(held);
        VariantClear(&variable);
    }
}

// An array without values adds nothing: no observation, and at matrix
// level no series up to the series number given.
TEST_F(ArrayTransferTest, AnArrayWithoutValuesChangesNothing)
{
    Ref<IMatrixX> m;
    create(CLSID_MatrixX, IID_IMatrixX, m);
    Ref<IMatrixXEx1> ex;
    ASSERT_EQ(S_OK, m->get_Extension1(ex.put()));
    struct Case {
        const char* label;
        LONG seriesNumber;
        UINT dims;
        ULONG count1; // series of a two-dimensional array
        ULONG count2;
    };
    const Case cases[] = {
        {"an empty script array at series 5", 5, 1, 0, 0},
        {"an empty script array at series 200000", 200000, 1, 0, 0},
        {"three series of no observations", 2, 2, 3, 0},
        {"no series of four observations", 2, 2, 0, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SAFEARRAYBOUND b[2] = {{c.count1, 0}, {c.count2, 0}};
        SAFEARRAY* a = SafeArrayCreate(VT_VARIANT, c.dims, b);
        ASSERT_NE(nullptr, a);
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_ARRAY | VT_VARIANT;
        v.parray = a;
        EXPECT_EQ(S_OK, ex->AddObservationByArray(c.seriesNumber, v, nullVariant(), nullVariant()));
        EXPECT_EQ(0, numSeries(m.get()));
        SafeArrayDestroy(a);
    }
    // On a matrix with series: nothing appended either.
    ASSERT_EQ(S_OK, m->AddObservation(0, 1.0, nullptr, 1));
    SAFEARRAY* empty = SafeArrayCreateVector(VT_R8, 0, 0);
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ARRAY | VT_R8;
    v.parray = empty;
    EXPECT_EQ(S_OK, ex->AddObservationByArray(0, v, nullVariant(), nullVariant()));
    EXPECT_EQ(S_OK, ex->AddObservationByArray(3, v, nullVariant(), nullVariant()));
    EXPECT_EQ(1, numSeries(m.get()));
    double value = 0.0;
    EXPECT_REPORTED(3006, m->get_Value(0, 1, &value));
    SafeArrayDestroy(empty);
}
