// Handed-out objects never refer to freed or moved storage: when the
// parent's container grows, shrinks or is released first, a child keeps
// working on its own element or fails with code 3. Run with Wine's heap
// checking on.
#include "ComTestSupport.h"

namespace {

double valueOf(IObservationX* observation)
{
    double value = -999.0;
    EXPECT_EQ(S_OK, observation->get_Value(&value));
    return value;
}

long countOf(ISeriesX* series)
{
    long n = -1;
    EXPECT_EQ(S_OK, series->get_NumObservations(&n));
    return n;
}

} // namespace

class LifetimeTest : public ComTest {};

TEST_F(LifetimeTest, ObservationsFollowTheirElementWhenTheSeriesGrows)
{
    Ref<ISeriesX> series;
    create(CLSID_SeriesX, IID_ISeriesX, series);
    ASSERT_EQ(S_OK, series->AddObservation(10.0, nullptr, 1));
    Ref<IObservationX> first;
    ASSERT_EQ(S_OK, series->get_Observation(0, first.put()));
    Ref<IUnknown> e;
    ASSERT_EQ(S_OK, series->get__NewEnum(e.put()));
    // Far past the first storage of 64 places: the storage moves many times.
    for (int i = 1; i <= 1000; ++i) ASSERT_EQ(S_OK, series->AddObservation(10.0 + i, nullptr, 1));
    EXPECT_EQ(10.0, valueOf(first.get()));
    EXPECT_EQ(S_OK, first->put_Value(-1.0));
    double value = 0.0;
    EXPECT_EQ(S_OK, series->get_Value(0, &value));
    EXPECT_EQ(-1.0, value);
    EXPECT_EQ(S_OK, first->put_Statistic(29, 4.0));
    EXPECT_EQ(S_OK, series->get_StatValueObs(0, 29, &value));
    EXPECT_EQ(4.0, value);
    // The enumerator made before the growth still hands out the element.
    Ref<IEnumVARIANT> items;
    ASSERT_EQ(S_OK, e->QueryInterface(IID_IEnumVARIANT, items.putVoid()));
    VARIANT v;
    VariantInit(&v);
    ULONG fetched = 0;
    ASSERT_EQ(S_OK, items->Next(1, &v, &fetched));
    ASSERT_EQ(VT_DISPATCH, v.vt);
    Ref<IObservationX> item;
    ASSERT_EQ(S_OK, v.pdispVal->QueryInterface(IID_IObservationX, item.putVoid()));
    VariantClear(&v);
    EXPECT_EQ(-1.0, valueOf(item.get()));
    EXPECT_EQ(S_FALSE, items->Next(1, &v, &fetched));
    EXPECT_EQ(0u, fetched);
}

TEST_F(LifetimeTest, ObservationsFollowTheirElementOrFailWhenTheSeriesShrinks)
{
    Ref<ISeriesX> series;
    create(CLSID_SeriesX, IID_ISeriesX, series);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(S_OK, series->AddObservation(i, nullptr, 1));
    Ref<IObservationX> zero, one, last;
    ASSERT_EQ(S_OK, series->get_Observation(0, zero.put()));
    ASSERT_EQ(S_OK, series->get_Observation(1, one.put()));
    ASSERT_EQ(S_OK, series->get_Observation(99, last.put()));
    Ref<IStatisticsX> statistics;
    ASSERT_EQ(S_OK, zero->get_Statistics(statistics.put()));

    ASSERT_EQ(S_OK, series->RemoveObservationAt(0));
    double value = 0.0;
    EXPECT_REPORTED(3, zero->get_Value(&value));
    EXPECT_REPORTED(3, zero->put_Value(1.0));
    Ref<IUnknown> e;
    EXPECT_REPORTED(3, statistics->get__NewEnum(e.put()));
    EXPECT_EQ(1.0, valueOf(one.get()));
    EXPECT_EQ(99.0, valueOf(last.get()));

    ASSERT_EQ(S_OK, series->RemoveAll());
    EXPECT_REPORTED(3, one->get_Value(&value));
    EXPECT_REPORTED(3, last->get_Value(&value));
    // New observations in the emptied storage are not the old ones.
    ASSERT_EQ(S_OK, series->Reshape(500));
    for (int i = 0; i < 200; ++i) ASSERT_EQ(S_OK, series->AddObservation(1000 + i, nullptr, 1));
    EXPECT_REPORTED(3, one->get_Value(&value));
    Text text;
    EXPECT_REPORTED(3, last->get_Description(text.put()));
}

TEST_F(LifetimeTest, SeriesOfAMatrixFollowTheirElementOrFail)
{
    Ref<IMatrixX> matrix;
    create(CLSID_MatrixX, IID_IMatrixX, matrix);
    ASSERT_EQ(S_OK, matrix->AddObservation(0, 1.0, nullptr, 1));
    ASSERT_EQ(S_OK, matrix->AddObservation(1, 2.0, nullptr, 1));
    Ref<ISeriesX> first, second;
    ASSERT_EQ(S_OK, matrix->get_Series(0, first.put()));
    ASSERT_EQ(S_OK, matrix->get_Series(1, second.put()));
    Ref<IObservationX> observation;
    ASSERT_EQ(S_OK, second->get_Observation(0, observation.put()));

    // Growth past 64 series moves every series.
    Ref<ISeriesX> distant;
    ASSERT_EQ(S_OK, matrix->get_Series(300, distant.put()));
    EXPECT_EQ(1, countOf(second.get()));
    EXPECT_EQ(2.0, valueOf(observation.get()));
    ASSERT_EQ(S_OK, second->AddObservation(3.0, nullptr, 1));
    double value = 0.0;
    EXPECT_EQ(S_OK, matrix->get_Value(1, 1, &value));
    EXPECT_EQ(3.0, value);

    // Removing the first series moves the second one down.
    ASSERT_EQ(S_OK, matrix->RemoveSeriesAt(0));
    long n = 0;
    EXPECT_REPORTED(3, first->get_NumObservations(&n));
    EXPECT_EQ(2, countOf(second.get()));
    EXPECT_EQ(2.0, valueOf(observation.get()));
    EXPECT_EQ(S_OK, matrix->get_Value(0, 1, &value));
    EXPECT_EQ(3.0, value);

    ASSERT_EQ(S_OK, matrix->RemoveAll());
    EXPECT_REPORTED(3, second->get_NumObservations(&n));
    EXPECT_REPORTED(3, second->AddObservation(1.0, nullptr, 1));
    EXPECT_REPORTED(3, observation->get_Value(&value));
    ASSERT_EQ(S_OK, matrix->Reshape(1000));
    ASSERT_EQ(S_OK, matrix->AddObservation(0, 5.0, nullptr, 1));
    EXPECT_REPORTED(3, distant->get_NumObservations(&n));
}

TEST_F(LifetimeTest, ChildrenKeepTheirStorageWhenTheParentIsReleasedFirst)
{
    Ref<ISeriesX> series;
    Ref<IObservationX> observation;
    Ref<IStatisticsX> statistics;
    Ref<IUnknown> e;
    {
        Ref<IMatrixX> matrix;
        create(CLSID_MatrixX, IID_IMatrixX, matrix);
        for (int i = 0; i < 5; ++i) ASSERT_EQ(S_OK, matrix->AddObservation(0, 1.0 + i, nullptr, 1));
        ASSERT_EQ(S_OK, matrix->put_StatValueSeries(0, 2019, 0, 3.0));
        ASSERT_EQ(S_OK, matrix->get_Series(0, series.put()));
        ASSERT_EQ(S_OK, series->get_Observation(4, observation.put()));
        ASSERT_EQ(S_OK, series->get_Statistics(statistics.put()));
        ASSERT_EQ(S_OK, matrix->get__NewEnum(e.put()));
    }
    EXPECT_EQ(5, countOf(series.get()));
    EXPECT_EQ(5.0, valueOf(observation.get()));
    ASSERT_EQ(S_OK, series->AddObservation(6.0, nullptr, 1));
    Ref<IUnknown> items;
    ASSERT_EQ(S_OK, statistics->get__NewEnum(items.put()));
    Ref<IEnumVARIANT> en;
    ASSERT_EQ(S_OK, items->QueryInterface(IID_IEnumVARIANT, en.putVoid()));
    VARIANT v;
    VariantInit(&v);
    ULONG fetched = 0;
    ASSERT_EQ(S_OK, en->Next(1, &v, &fetched));
    Ref<IStatisticX> stat;
    ASSERT_EQ(S_OK, v.pdispVal->QueryInterface(IID_IStatisticX, stat.putVoid()));
    VariantClear(&v);
    double value = 0.0;
    EXPECT_EQ(S_OK, stat->get_Value(&value));
    EXPECT_EQ(3.0, value);

    // The matrix enumerator outlives its matrix object too.
    ASSERT_EQ(S_OK, e->QueryInterface(IID_IEnumVARIANT, en.putVoid()));
    ASSERT_EQ(S_OK, en->Next(1, &v, &fetched));
    Ref<ISeriesX> enumerated;
    ASSERT_EQ(S_OK, v.pdispVal->QueryInterface(IID_ISeriesX, enumerated.putVoid()));
    VariantClear(&v);
    EXPECT_EQ(6, countOf(enumerated.get()));
    Ref<IEnumVARIANT> clone;
    ASSERT_EQ(S_OK, en->Clone(clone.put()));
    EXPECT_EQ(S_OK, en->Reset());
    EXPECT_EQ(S_FALSE, en->Skip(2));

    // A client-created series released before its observation.
    Ref<ISeriesX> own;
    create(CLSID_SeriesX, IID_ISeriesX, own);
    ASSERT_EQ(S_OK, own->AddObservation(42.0, nullptr, 1));
    Ref<IObservationX> survivor;
    ASSERT_EQ(S_OK, own->get_Observation(0, survivor.put()));
    own.reset();
    EXPECT_EQ(42.0, valueOf(survivor.get()));
}

namespace {

// The reference count of an object, read through AddRef and Release.
ULONG refsOf(IUnknown* object)
{
    object->AddRef();
    return object->Release();
}

HRESULT serverCanUnloadNow()
{
    typedef HRESULT(STDAPICALLTYPE * EntryPoint)();
    HMODULE module = GetModuleHandleW(L"QDInterface.dll");
    if (module == nullptr) return E_FAIL;
    EntryPoint canUnloadNow =
        reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    return canUnloadNow ? canUnloadNow() : E_FAIL;
}

// An extension whose parent object is gone still works on its four
// observations: one forecast more, read back as an array.
template <class Extension>
void expectStillForecasts(Extension* ex)
{
    EXPECT_EQ(S_OK, ex->ForecastAverage(-2, -1, 1));
    VARIANT out;
    VariantInit(&out);
    ASSERT_EQ(S_OK, ex->GetObservationValuesToArray(-2, -1, -1, &out));
    EXPECT_EQ(5u, out.parray->rgsabound[0].cElements);
    VariantClear(&out);
}

} // namespace

// An extension holds no reference on its parent (the parent holds the
// extension: a reference back would be a cycle that nothing frees). Taking
// it leaves the parent's count as it was, the parent's last Release frees
// the parent while the extension lives on, and once both are released the
// server has no object left.
TEST_F(LifetimeTest, AnExtensionHoldsNoReferenceOnItsParent)
{
    {
        ISeriesX* series = nullptr;
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_SeriesX, nullptr, CLSCTX_INPROC_SERVER, IID_ISeriesX,
                                         reinterpret_cast<void**>(&series)));
        // The server is loaded now (Wine unloads it when a test's apartment
        // ends); this series is its only object.
        for (int i = 1; i <= 4; ++i) ASSERT_EQ(S_OK, series->AddObservation(i, nullptr, 1));
        const ULONG before = refsOf(series);
        Ref<ISeriesXEx1> ex;
        ASSERT_EQ(S_OK, series->get_Extension1(ex.put()));
        EXPECT_EQ(before, refsOf(series));
        {
            Ref<ISeriesXEx1> again;
            ASSERT_EQ(S_OK, series->get_Extension1(again.put()));
            EXPECT_EQ(before, refsOf(series));
        }
        // The last reference: the SeriesX goes, its series stays with the
        // extension.
        EXPECT_EQ(0u, series->Release());
        EXPECT_EQ(S_FALSE, serverCanUnloadNow());
        expectStillForecasts(ex.get());
    }
    EXPECT_EQ(S_OK, serverCanUnloadNow());

    {
        IMatrixX* matrix = nullptr;
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_MatrixX, nullptr, CLSCTX_INPROC_SERVER, IID_IMatrixX,
                                         reinterpret_cast<void**>(&matrix)));
        for (int i = 1; i <= 4; ++i) ASSERT_EQ(S_OK, matrix->AddObservation(0, i, nullptr, 1));
        const ULONG before = refsOf(matrix);
        Ref<IMatrixXEx1> ex;
        ASSERT_EQ(S_OK, matrix->get_Extension1(ex.put()));
        EXPECT_EQ(before, refsOf(matrix));
        EXPECT_EQ(0u, matrix->Release());
        expectStillForecasts(ex.get());
    }
    EXPECT_EQ(S_OK, serverCanUnloadNow());

    // The extension of a series of a matrix: the SeriesX (held by the
    // matrix's item array) keeps its count; once the series is removed the
    // extension's computing members report 3128 and the others 3.
    {
        Ref<IMatrixX> matrix;
        create(CLSID_MatrixX, IID_IMatrixX, matrix);
        for (int i = 1; i <= 4; ++i) ASSERT_EQ(S_OK, matrix->AddObservation(0, i, nullptr, 1));
        Ref<ISeriesX> series;
        ASSERT_EQ(S_OK, matrix->get_Series(0, series.put()));
        const ULONG before = refsOf(series.get());
        Ref<ISeriesXEx1> ex;
        ASSERT_EQ(S_OK, series->get_Extension1(ex.put()));
        EXPECT_EQ(before, refsOf(series.get()));
        series.reset();
        EXPECT_EQ(S_OK, ex->CalculateFourier(-2, -1));
        ASSERT_EQ(S_OK, matrix->RemoveSeriesAt(0));
        EXPECT_REPORTED(3128, ex->CalculateFourier(-2, -1));
        EXPECT_REPORTED(3128, ex->ForecastExponentialSmoothingZeroDemand(-2, 0.0, 1, 1.0));
        EXPECT_REPORTED(3128, ex->GenerateRandomUniform(2, 0.0, 1.0));
        VARIANT out;
        VariantInit(&out);
        EXPECT_REPORTED(3, ex->GetObservationValuesToArray(-2, -1, -1, &out));
        EXPECT_REPORTED(3, ex->TrendAdjust(-2, -1, 1, 1.0, 1, 1.0));
        EXPECT_EQ(VT_EMPTY, out.vt);
    }
    EXPECT_EQ(S_OK, serverCanUnloadNow());
}
