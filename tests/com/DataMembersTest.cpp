// The data members of SeriesX, MatrixX, ObservationX, StatisticsX and
// StatisticX through early binding, with their checks.
#include "ComTestSupport.h"

#include <cmath>
#include <vector>

namespace {

// Values of the items of an enumeration, read through IDispatch.
std::vector<IDispatch*> enumerate(IUnknown* enumerable)
{
    std::vector<IDispatch*> items;
    Ref<IEnumVARIANT> e;
    if (FAILED(enumerable->QueryInterface(IID_IEnumVARIANT, e.putVoid()))) return items;
    VARIANT v;
    VariantInit(&v);
    ULONG fetched = 0;
    while (e->Next(1, &v, &fetched) == S_OK && fetched == 1) {
        if (v.vt == VT_DISPATCH) {
            v.pdispVal->AddRef();
            items.push_back(v.pdispVal);
        }
        VariantClear(&v);
    }
    return items;
}

void releaseAll(std::vector<IDispatch*>& items)
{
    for (IDispatch* d : items) d->Release();
    items.clear();
}

} // namespace

class DataMembersTest : public ComTest {};

TEST_F(DataMembersTest, SeriesObservationsValuesAndIndexChecks)
{
    Ref<ISeriesX> series;
    create(CLSID_SeriesX, IID_ISeriesX, series);
    Text first(L"first");
    ASSERT_EQ(S_OK, series->AddObservation(10.0, first.get(), 1));
    ASSERT_EQ(S_OK, series->AddObservation(20.0, nullptr, 7)); // stored unchanged
    ASSERT_EQ(S_OK, series->AddObservation(30.0, nullptr, 2));
    long n = 0;
    EXPECT_EQ(S_OK, series->get_NumObservations(&n));
    EXPECT_EQ(3, n);

    struct IndexCase {
        long index;
        long code; // 0: succeeds
    };
    const IndexCase cases[] = {{-1, 3000}, {0, 0}, {2, 0}, {3, 3006}};
    for (const IndexCase& c : cases) {
        SCOPED_TRACE(c.index);
        double value = -1.0;
        if (c.code == 0) {
            EXPECT_EQ(S_OK, series->get_Value(c.index, &value));
            EXPECT_EQ(S_OK, series->put_Value(c.index, value + 1.0));
            EXPECT_EQ(S_OK, series->put_StatValueObs(c.index, 29, 5.5));
            EXPECT_EQ(S_OK, series->get_StatValueObs(c.index, 29, &value));
            EXPECT_EQ(5.5, value);
        } else {
            EXPECT_REPORTED(c.code, series->get_Value(c.index, &value));
            EXPECT_REPORTED(c.code, series->put_Value(c.index, 1.0));
            EXPECT_REPORTED(c.code, series->get_StatValueObs(c.index, 29, &value));
        }
    }
    double value = 0.0;
    EXPECT_EQ(S_OK, series->get_Value(0, &value));
    EXPECT_EQ(11.0, value);
    EXPECT_REPORTED(3059, series->get_StatValueObs(0, 37, &value));

    Ref<IObservationX> observation;
    EXPECT_REPORTED(1011, series->get_Observation(3, observation.put()));
    EXPECT_REPORTED(1011, series->get_Observation(-1, observation.put()));
    ASSERT_EQ(S_OK, series->get_Observation(1, observation.put()));
    short origin = 0;
    EXPECT_EQ(S_OK, observation->get_Origin(&origin));
    EXPECT_EQ(7, origin);
    Ref<IObservationX> again;
    ASSERT_EQ(S_OK, series->get_Observation(0, again.put()));
    Text description;
    EXPECT_EQ(S_OK, again->get_Description(description.put()));
    EXPECT_EQ(L"first", description.str());

    // Origin counts.
    EXPECT_EQ(S_OK, series->get_NumObservationsByOriginType(-1, &n));
    EXPECT_EQ(3, n);
    // Supplied: everything before the trailing computed observations.
    EXPECT_EQ(S_OK, series->get_NumObservationsByOriginType(1, &n));
    EXPECT_EQ(2, n);
    EXPECT_EQ(S_OK, series->get_NumObservationsByOriginType(2, &n));
    EXPECT_EQ(1, n);
    EXPECT_REPORTED(3111, series->get_NumObservationsByOriginType(0, &n));

    // Reshape only on an empty series.
    EXPECT_REPORTED(3066, series->Reshape(10));
    Ref<ISeriesX> empty;
    create(CLSID_SeriesX, IID_ISeriesX, empty);
    EXPECT_EQ(S_OK, empty->Reshape(10));
    EXPECT_EQ(S_OK, empty->Reshape(1000));
    EXPECT_EQ(S_OK, empty->get_NumObservations(&n));
    EXPECT_EQ(0, n);

    // Remove one, then everything.
    EXPECT_EQ(S_OK, series->RemoveObservationAt(0));
    EXPECT_EQ(S_OK, series->get_Value(0, &value));
    EXPECT_EQ(20.0, value);
    EXPECT_EQ(S_OK, series->RemoveAll());
    EXPECT_EQ(S_OK, series->get_NumObservations(&n));
    EXPECT_EQ(0, n);
}

TEST_F(DataMembersTest, SeriesSettingsAndStoredResults)
{
    Ref<ISeriesX> series;
    create(CLSID_SeriesX, IID_ISeriesX, series);
    short s = 0;
    long l = 0;
    EXPECT_EQ(S_OK, series->get_ForecastMethodNumber(&s));
    EXPECT_EQ(-1, s);
    EXPECT_EQ(S_OK, series->get_SeasonalLength(&l));
    EXPECT_EQ(0, l);
    Text text;
    EXPECT_EQ(S_OK, series->get_ForecastMethodDescription(text.put()));
    EXPECT_EQ(L"No default description specified", text.str());
    EXPECT_EQ(S_OK, series->put_DependenceType(2));
    EXPECT_EQ(S_OK, series->get_DependenceType(&s));
    EXPECT_EQ(2, s);
    EXPECT_EQ(S_OK, series->put_ValueType(1));
    EXPECT_EQ(S_OK, series->get_ValueType(&s));
    EXPECT_EQ(1, s);
    EXPECT_REPORTED(3114, series->get_numParameters(-3, &l));

    // Single-valued results by type.
    double value = -1.0;
    EXPECT_EQ(S_OK, series->get_Statistic(2019, &value));
    EXPECT_EQ(0.0, value);
    EXPECT_EQ(S_OK, series->put_Statistic(2019, 4.25));
    EXPECT_EQ(S_OK, series->get_Statistic(2019, &value));
    EXPECT_EQ(4.25, value);
    EXPECT_EQ(S_OK, series->get_StatValueSeries(2019, 0, &value));
    EXPECT_EQ(4.25, value);
    EXPECT_REPORTED(3006, series->get_StatValueSeries(2019, 1, &value));
    EXPECT_REPORTED(3060, series->get_StatValueSeries(3000, 0, &value));
    // Multi-valued types with nothing stored read 0.0 and ignore a store.
    EXPECT_EQ(S_OK, series->get_Statistic(4001, &value));
    EXPECT_EQ(0.0, value);
    EXPECT_EQ(S_OK, series->put_Statistic(4001, 3.0));
    EXPECT_EQ(S_OK, series->get_StatValueSeries(4001, 2, &value));
    EXPECT_EQ(0.0, value);
    // Types outside the series level.
    EXPECT_REPORTED(3063, series->get_Statistic(3000, &value));
    EXPECT_REPORTED(3060, series->get_Statistic(5000, &value));
    EXPECT_REPORTED(3060, series->put_Statistic(1999, 1.0));
    EXPECT_REPORTED(3063, series->get_NumStatistics(2500, &l));
    EXPECT_REPORTED(3060, series->get_NumStatistics(5000, &l));
    EXPECT_EQ(S_OK, series->get_NumStatistics(-1, &l));
    EXPECT_EQ(1, l);
    EXPECT_EQ(S_OK, series->get_NumStatistics(2019, &l));
    EXPECT_EQ(1, l);

    // The same StatisticsX on every read; its enumeration shows the result
    // and writing an item changes the stored result.
    Ref<IStatisticsX> statistics, statisticsAgain;
    ASSERT_EQ(S_OK, series->get_Statistics(statistics.put()));
    ASSERT_EQ(S_OK, series->get_Statistics(statisticsAgain.put()));
    EXPECT_EQ(statistics.get(), statisticsAgain.get());
    Ref<IUnknown> e;
    ASSERT_EQ(S_OK, statistics->get__NewEnum(e.put()));
    std::vector<IDispatch*> items = enumerate(e.get());
    ASSERT_EQ(1u, items.size());
    Ref<IStatisticX> item;
    ASSERT_EQ(S_OK, items[0]->QueryInterface(IID_IStatisticX, item.putVoid()));
    EXPECT_EQ(S_OK, item->get_Type(&s));
    EXPECT_EQ(2019, s);
    EXPECT_EQ(S_OK, item->get_Value(&value));
    EXPECT_EQ(4.25, value);
    EXPECT_EQ(S_OK, item->get_Description(text.put()));
    EXPECT_FALSE(text.str().empty());
    EXPECT_EQ(S_OK, item->put_Value(8.5));
    EXPECT_EQ(S_OK, series->get_Statistic(2019, &value));
    EXPECT_EQ(8.5, value);
    releaseAll(items);

    // Results stored under other types, before and after it in the walk,
    // leave the item on its own result.
    EXPECT_EQ(S_OK, series->put_Statistic(2000, 1.0));
    EXPECT_EQ(S_OK, series->put_Statistic(2067, 9.0));
    EXPECT_EQ(S_OK, item->get_Type(&s));
    EXPECT_EQ(2019, s);
    EXPECT_EQ(S_OK, item->get_Value(&value));
    EXPECT_EQ(8.5, value);
    EXPECT_EQ(S_OK, item->put_Value(6.5));
    EXPECT_EQ(S_OK, series->get_Statistic(2019, &value));
    EXPECT_EQ(6.5, value);
    EXPECT_EQ(S_OK, series->get_Statistic(2000, &value));
    EXPECT_EQ(1.0, value);

    EXPECT_EQ(S_OK, series->RemoveAllCalculations());
    ASSERT_EQ(S_OK, statistics->get__NewEnum(e.put()));
    items = enumerate(e.get());
    EXPECT_EQ(0u, items.size());
    // The item of the earlier enumeration no longer has its result.
    EXPECT_REPORTED(3, item->get_Value(&value));
}

TEST_F(DataMembersTest, ObservationsOnTheirOwn)
{
    Ref<IObservationX> observation;
    create(CLSID_ObservationX, IID_IObservationX, observation);
    double value = -1.0;
    short origin = -1;
    Text text;
    EXPECT_EQ(S_OK, observation->get_Value(&value));
    EXPECT_EQ(0.0, value);
    EXPECT_EQ(S_OK, observation->get_Origin(&origin));
    EXPECT_EQ(0, origin);
    EXPECT_EQ(S_OK, observation->get_Description(text.put()));
    EXPECT_EQ(L"", text.str());
    EXPECT_EQ(S_OK, observation->put_Value(3.5));
    EXPECT_EQ(S_OK, observation->get_Value(&value));
    EXPECT_EQ(3.5, value);

    const short badTypes[] = {-1, 37, 2019};
    for (short type : badTypes) {
        SCOPED_TRACE(type);
        EXPECT_REPORTED(3059, observation->get_Statistic(type, &value));
        EXPECT_REPORTED(3059, observation->put_Statistic(type, 1.0));
        EXPECT_REPORTED(3059, observation->get_StatValueObs(type, &value));
    }
    long n = -1;
    EXPECT_REPORTED(3059, observation->get_NumStatistics(37, &n));
    EXPECT_EQ(S_OK, observation->put_Statistic(29, 1.5));
    EXPECT_EQ(S_OK, observation->put_StatValueObs(0, 2.5));
    EXPECT_EQ(S_OK, observation->get_StatValueObs(29, &value));
    EXPECT_EQ(1.5, value);
    EXPECT_EQ(S_OK, observation->get_NumStatistics(-1, &n));
    EXPECT_EQ(2, n);
    EXPECT_EQ(S_OK, observation->get_NumStatistics(16, &n));
    EXPECT_EQ(0, n);

    Ref<IStatisticsX> statistics, again;
    ASSERT_EQ(S_OK, observation->get_Statistics(statistics.put()));
    ASSERT_EQ(S_OK, observation->get_Statistics(again.put()));
    EXPECT_EQ(statistics.get(), again.get());
    Ref<IUnknown> e;
    ASSERT_EQ(S_OK, statistics->get__NewEnum(e.put()));
    std::vector<IDispatch*> items = enumerate(e.get());
    ASSERT_EQ(2u, items.size());
    short types[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        Ref<IStatisticX> item;
        ASSERT_EQ(S_OK, items[i]->QueryInterface(IID_IStatisticX, item.putVoid()));
        item->get_Type(&types[i]);
    }
    EXPECT_EQ(0, types[0]); // walk order: types 0 to 36
    EXPECT_EQ(29, types[1]);

    // An item follows its own result when others are stored around it, and
    // under a new type when its type is changed.
    Ref<IStatisticX> forecast;
    ASSERT_EQ(S_OK, items[1]->QueryInterface(IID_IStatisticX, forecast.putVoid()));
    releaseAll(items);
    EXPECT_EQ(S_OK, observation->put_Statistic(4, 7.0));
    EXPECT_EQ(S_OK, observation->put_Statistic(36, 8.0));
    EXPECT_EQ(S_OK, forecast->get_Value(&value));
    EXPECT_EQ(1.5, value);
    EXPECT_EQ(S_OK, forecast->put_Value(1.75));
    EXPECT_EQ(S_OK, observation->get_Statistic(29, &value));
    EXPECT_EQ(1.75, value);
    EXPECT_EQ(S_OK, forecast->put_Type(30));
    EXPECT_EQ(S_OK, forecast->put_Value(2.75));
    short type = 0;
    EXPECT_EQ(S_OK, forecast->get_Type(&type));
    EXPECT_EQ(30, type);
    EXPECT_EQ(S_OK, forecast->get_Value(&value));
    EXPECT_EQ(2.75, value);
    // Emptying its slot ends it.
    EXPECT_EQ(S_OK, forecast->put_Type(-1));
    EXPECT_REPORTED(3, forecast->get_Value(&value));
    EXPECT_EQ(S_OK, observation->put_Statistic(29, 1.5));

    // The two computations on one observation store their results in it.
    EXPECT_EQ(S_OK, observation->CalculateError()); // 3.5 - 1.5
    EXPECT_EQ(S_OK, observation->get_Statistic(0, &value));
    EXPECT_EQ(2.0, value);
    EXPECT_EQ(S_OK, observation->CalculateLog());
    EXPECT_EQ(S_OK, observation->get_Statistic(2, &value));
    EXPECT_DOUBLE_EQ(std::log(3.5), value);
    EXPECT_EQ(S_OK, observation->put_Value(0.0));
    EXPECT_REPORTED(3003, observation->CalculateLog());
}

TEST_F(DataMembersTest, StatisticAndStatisticsOnTheirOwn)
{
    Ref<IStatisticX> statistic;
    create(CLSID_StatisticX, IID_IStatisticX, statistic);
    short type = 0;
    double value = -1.0;
    Text text;
    EXPECT_EQ(S_OK, statistic->get_Type(&type));
    EXPECT_EQ(-1, type);
    EXPECT_EQ(S_OK, statistic->get_Value(&value));
    EXPECT_EQ(0.0, value);
    EXPECT_EQ(S_OK, statistic->get_Description(text.put()));
    EXPECT_EQ(L"No default description specified", text.str());
    EXPECT_EQ(S_OK, statistic->put_Type(2019));
    EXPECT_EQ(S_OK, statistic->put_Value(2.0));
    EXPECT_EQ(S_OK, statistic->get_Type(&type));
    EXPECT_EQ(2019, type);

    Ref<IStatisticsX> statistics;
    create(CLSID_StatisticsX, IID_IStatisticsX, statistics);
    Ref<IUnknown> e;
    ASSERT_EQ(S_OK, statistics->get__NewEnum(e.put()));
    std::vector<IDispatch*> items = enumerate(e.get());
    EXPECT_EQ(0u, items.size());
}

TEST_F(DataMembersTest, MatrixSeriesValuesAndChecks)
{
    Ref<IMatrixX> matrix;
    create(CLSID_MatrixX, IID_IMatrixX, matrix);
    long n = -1;
    short s = 0;
    EXPECT_EQ(S_OK, matrix->get_ForecastMethodNumber(&s));
    EXPECT_EQ(-1, s);
    EXPECT_REPORTED(3000, matrix->AddObservation(-1, 1.0, nullptr, 1));
    Text bad(L"\x0100");
    EXPECT_REPORTED(1, matrix->AddObservation(0, 1.0, bad.get(), 1));
    EXPECT_EQ(S_OK, matrix->get_NumSeries(&n));
    EXPECT_EQ(0, n);

    // A series index the process could never hold is refused with code 3
    // before a single series is appended, by AddObservation and by Series.
    // 1 << 23 series have a countable array but, with the observation
    // places every series starts with, need far more memory than a process
    // here can have: growing towards them would exhaust it.
    const LONG huge[] = {LONG(0x7fffffff), LONG(0x7ffffffe), LONG(1) << 30, LONG(1) << 27, LONG(1) << 23};
    for (LONG index : huge) {
        SCOPED_TRACE(index);
        EXPECT_REPORTED(3, matrix->AddObservation(index, 1.0, nullptr, 1));
        Ref<ISeriesX> beyond;
        EXPECT_REPORTED(3, matrix->get_Series(index, beyond.put()));
        EXPECT_EQ(S_OK, matrix->get_NumSeries(&n));
        EXPECT_EQ(0, n);
    }

    // Reading series 3 of an empty matrix makes four series.
    Ref<ISeriesX> fourth;
    ASSERT_EQ(S_OK, matrix->get_Series(3, fourth.put()));
    EXPECT_EQ(S_OK, matrix->get_NumSeries(&n));
    EXPECT_EQ(4, n);
    EXPECT_REPORTED(3000, matrix->get_Series(-1, fourth.put()));
    EXPECT_REPORTED(3065, matrix->Reshape(100));

    for (int i = 0; i < 3; ++i) ASSERT_EQ(S_OK, matrix->AddObservation(1, 1.0 + i, nullptr, 1));
    ASSERT_EQ(S_OK, matrix->AddObservation(0, 9.0, nullptr, 1));
    double value = 0.0;
    EXPECT_EQ(S_OK, matrix->get_Value(1, 2, &value));
    EXPECT_EQ(3.0, value);
    struct Case {
        long series, observation, code;
    };
    const Case cases[] = {{-1, 0, 3000}, {4, 0, 3006}, {1, -1, 3000}, {1, 3, 3006}, {0, 1, 3006}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.series * 100 + c.observation);
        EXPECT_REPORTED(c.code, matrix->get_Value(c.series, c.observation, &value));
        EXPECT_REPORTED(c.code, matrix->put_StatValueObs(c.series, c.observation, 29, 1.0));
    }
    EXPECT_EQ(S_OK, matrix->put_Value(1, 0, 5.0));
    Ref<ISeriesX> second;
    ASSERT_EQ(S_OK, matrix->get_Series(1, second.put()));
    EXPECT_EQ(S_OK, second->get_Value(0, &value));
    EXPECT_EQ(5.0, value);
    EXPECT_EQ(S_OK, matrix->put_StatValueObs(1, 0, 29, 2.5));
    EXPECT_EQ(S_OK, second->get_StatValueObs(0, 29, &value));
    EXPECT_EQ(2.5, value);
    EXPECT_REPORTED(3059, matrix->get_StatValueObs(1, 0, 40, &value));

    // Series-level results through the matrix.
    EXPECT_EQ(S_OK, matrix->put_StatValueSeries(1, 2019, 0, 7.0));
    EXPECT_EQ(S_OK, second->get_Statistic(2019, &value));
    EXPECT_EQ(7.0, value);
    EXPECT_REPORTED(3006, matrix->get_StatValueSeries(0, 2019, 1, &value));
    EXPECT_REPORTED(3060, matrix->get_StatValueSeries(0, 3000, 0, &value));
    EXPECT_REPORTED(3006, matrix->get_StatValueSeries(4, 2019, 0, &value));

    // Matrix-level results: nothing computed yet.
    EXPECT_EQ(S_OK, matrix->get_Statistic(6001, &value));
    EXPECT_EQ(0.0, value);
    EXPECT_REPORTED(3061, matrix->get_Statistic(2000, &value));
    EXPECT_EQ(S_OK, matrix->get_NumStatRows(6001, &n));
    EXPECT_EQ(0, n);
    EXPECT_REPORTED(3061, matrix->get_NumStatColumns(5999, &n));
    EXPECT_EQ(S_OK, matrix->get_StatValueMatrix(6002, 0, 0, &value));
    EXPECT_EQ(0.0, value);

    // Enumeration gives one SeriesX per series, in order.
    Ref<IUnknown> e;
    ASSERT_EQ(S_OK, matrix->get__NewEnum(e.put()));
    std::vector<IDispatch*> items = enumerate(e.get());
    ASSERT_EQ(4u, items.size());
    const long counts[] = {1, 3, 0, 0};
    for (int i = 0; i < 4; ++i) {
        Ref<ISeriesX> item;
        ASSERT_EQ(S_OK, items[i]->QueryInterface(IID_ISeriesX, item.putVoid()));
        EXPECT_EQ(S_OK, item->get_NumObservations(&n));
        EXPECT_EQ(counts[i], n);
    }
    releaseAll(items);

    Ref<IStatisticsX> statistics, again;
    ASSERT_EQ(S_OK, matrix->get_Statistics(statistics.put()));
    ASSERT_EQ(S_OK, matrix->get_Statistics(again.put()));
    EXPECT_EQ(statistics.get(), again.get());

    Text description(L"demand 2024");
    EXPECT_EQ(S_OK, matrix->put_Description(description.get()));
    Text back;
    EXPECT_EQ(S_OK, matrix->get_Description(back.put()));
    EXPECT_EQ(L"demand 2024", back.str());

    EXPECT_EQ(S_OK, matrix->RemoveSeriesAt(0));
    EXPECT_REPORTED(3006, matrix->RemoveSeriesAt(3));
    EXPECT_EQ(S_OK, matrix->RemoveAll());
    EXPECT_EQ(S_OK, matrix->get_NumSeries(&n));
    EXPECT_EQ(0, n);
    EXPECT_EQ(S_OK, matrix->Reshape(100));
    EXPECT_EQ(S_OK, matrix->get_NumSeries(&n));
    EXPECT_EQ(0, n);
}

// RemoveMissingValues drops the observations of the range whose value lies
// in [lower, upper] (by default [-1, 0]); the others keep their order,
// descriptions and handed-out objects, and the series' stored results and
// method go.
TEST_F(DataMembersTest, RemoveMissingValuesOfASeriesAndOfAMatrix)
{
    auto values = [](ISeriesX* s) {
        std::vector<double> result;
        long n = 0;
        EXPECT_EQ(S_OK, s->get_NumObservations(&n));
        for (long i = 0; i < n; ++i) {
            double v = 0.0;
            EXPECT_EQ(S_OK, s->get_Value(i, &v));
            result.push_back(v);
        }
        return result;
    };
    const double given[] = {5.0, -1.0, 0.0, 7.0, -0.5, 8.0, 1e-4, -1.5};
    const wchar_t* names[] = {L"a", L"b", L"c", L"d", L"e", L"f", L"g", L"h"};
    Ref<ISeriesX> series;
    create(CLSID_SeriesX, IID_ISeriesX, series);
    for (int i = 0; i < 8; ++i) {
        Text name(names[i]);
        ASSERT_EQ(S_OK, series->AddObservation(given[i], name.get(), 1));
    }
    Ref<IObservationX> kept, dropped;
    ASSERT_EQ(S_OK, series->get_Observation(3, kept.put()));
    ASSERT_EQ(S_OK, series->get_Observation(2, dropped.put()));
    ASSERT_EQ(S_OK, series->CalculateMean(-2, -1));

    // Only the range counts: observations 1 to 3.
    ASSERT_EQ(S_OK, series->RemoveMissingValues(3, 3, -1.0, 0.0));
    EXPECT_EQ((std::vector<double>{5.0, 7.0, -0.5, 8.0, 1e-4, -1.5}), values(series.get()));
    double v = 0.0;
    EXPECT_EQ(S_OK, kept->get_Value(&v));
    EXPECT_EQ(7.0, v);
    Text description;
    EXPECT_EQ(S_OK, kept->get_Description(description.put()));
    EXPECT_EQ(L"d", description.str());
    EXPECT_REPORTED(3, dropped->get_Value(&v));
    long stored = -1;
    EXPECT_EQ(S_OK, series->get_NumStatistics(-1, &stored));
    EXPECT_EQ(0, stored);

    // The whole series with the defaults: -1.5 is outside [-1, 0].
    ASSERT_EQ(S_OK, series->RemoveMissingValues(-2, -1, -1.0, 0.0));
    EXPECT_EQ((std::vector<double>{5.0, 7.0, 8.0, 1e-4, -1.5}), values(series.get()));
    // Another interval, bounds included.
    ASSERT_EQ(S_OK, series->RemoveMissingValues(-2, -1, 7.0, 8.0));
    EXPECT_EQ((std::vector<double>{5.0, 1e-4, -1.5}), values(series.get()));
    // A range past the end: 3006, nothing removed.
    EXPECT_REPORTED(3006, series->RemoveMissingValues(3, 1, -10.0, 10.0));
    EXPECT_EQ(3u, values(series.get()).size());

    // A matrix: every series on its own range; the matrix is then of one
    // shape.
    Ref<IMatrixX> matrix;
    create(CLSID_MatrixX, IID_IMatrixX, matrix);
    for (double x : {1.0, -1.0, 2.0, 3.0}) ASSERT_EQ(S_OK, matrix->AddObservation(0, x, nullptr, 1));
    for (double x : {0.0, 1.0, 2.0, 0.0, 3.0}) ASSERT_EQ(S_OK, matrix->AddObservation(1, x, nullptr, 1));
    Ref<ISeriesX> second;
    ASSERT_EQ(S_OK, matrix->get_Series(1, second.put()));
    ASSERT_EQ(S_OK, matrix->RemoveMissingValues(-2, -1, -1.0, 0.0));
    Ref<ISeriesX> first;
    ASSERT_EQ(S_OK, matrix->get_Series(0, first.put()));
    EXPECT_EQ((std::vector<double>{1.0, 2.0, 3.0}), values(first.get()));
    EXPECT_EQ((std::vector<double>{1.0, 2.0, 3.0}), values(second.get()));
    EXPECT_EQ(S_OK, matrix->CalculateMean(-2, -1));
}
