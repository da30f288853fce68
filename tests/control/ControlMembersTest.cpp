// The members of IQuendar: the matrix it hands out, AddObservation, Value
// and DetailLevel, their checks and error reports; the MatrixX outliving
// the control; growth refused before anything is appended.
#include "ControlTestSupport.h"

#include <climits>
#include <cstdint>

namespace {

const wchar_t* const QD_CONTROL_PATH = L"ActiveX\\QDInterface\\Quendar";

long numSeries(IMatrixX* matrix)
{
    long n = -1;
    EXPECT_EQ(S_OK, matrix->get_NumSeries(&n));
    return n;
}

} // namespace

class ControlMembersTest : public ControlTest {};

TEST_F(ControlMembersTest, DetailLevelIsAlwaysOne)
{
    Ref<IQuendar> control;
    createControl(control);
    short level = 0;
    EXPECT_EQ(S_OK, control->get_DetailLevel(&level));
    EXPECT_EQ(1, level);
    EXPECT_EQ(S_OK, control->put_DetailLevel(5));
    EXPECT_EQ(S_OK, control->get_DetailLevel(&level));
    EXPECT_EQ(1, level);
    EXPECT_REPORTED(1000, control->get_DetailLevel(nullptr));
}

TEST_F(ControlMembersTest, ObservationsAddedThroughTheControlAreSeenThroughItsMatrix)
{
    Ref<IQuendar> control;
    createControl(control);
    Text description(L"first");
    ASSERT_EQ(S_OK, control->AddObservation(0, 1.5, description.get(), 1));
    ASSERT_EQ(S_OK, control->AddObservation(2, 7.0, nullptr, 2));
    ASSERT_EQ(S_OK, control->AddObservation(2, 8.0, nullptr, 1));

    Ref<IMatrixX> matrix, again;
    ASSERT_EQ(S_OK, control->get_Matrix(matrix.put()));
    ASSERT_EQ(S_OK, control->get_Matrix(again.put()));
    // One MatrixX for the control's life.
    Ref<IUnknown> a, b;
    ASSERT_EQ(S_OK, matrix->QueryInterface(IID_IUnknown, a.putVoid()));
    ASSERT_EQ(S_OK, again->QueryInterface(IID_IUnknown, b.putVoid()));
    EXPECT_EQ(a.get(), b.get());

    // AddObservation grew the matrix with an empty series 1.
    EXPECT_EQ(3, numSeries(matrix.get()));
    double value = 0.0;
    EXPECT_EQ(S_OK, matrix->get_Value(2, 1, &value));
    EXPECT_EQ(8.0, value);
    Ref<ISeriesX> series;
    ASSERT_EQ(S_OK, matrix->get_Series(0, series.put()));
    Ref<IObservationX> observation;
    ASSERT_EQ(S_OK, series->get_Observation(0, observation.put()));
    Text text;
    ASSERT_EQ(S_OK, observation->get_Description(text.put()));
    EXPECT_EQ(L"first", text.str());
    short origin = 0;
    Ref<ISeriesX> second;
    ASSERT_EQ(S_OK, matrix->get_Series(2, second.put()));
    Ref<IObservationX> computed;
    ASSERT_EQ(S_OK, second->get_Observation(0, computed.put()));
    ASSERT_EQ(S_OK, computed->get_Origin(&origin));
    EXPECT_EQ(2, origin);

    // Both ways round: a value written through the matrix is read through
    // the control, and one written through the control through the matrix.
    ASSERT_EQ(S_OK, matrix->put_Value(0, 0, -3.25));
    EXPECT_EQ(S_OK, control->get_Value(0, 0, &value));
    EXPECT_EQ(-3.25, value);
    ASSERT_EQ(S_OK, control->put_Value(2, 0, 42.0));
    EXPECT_EQ(S_OK, matrix->get_Value(2, 0, &value));
    EXPECT_EQ(42.0, value);
    // put changes the value only.
    ASSERT_EQ(S_OK, observation->get_Description(text.put()));
    EXPECT_EQ(L"first", text.str());
    ASSERT_EQ(S_OK, computed->get_Origin(&origin));
    EXPECT_EQ(2, origin);
}

TEST_F(ControlMembersTest, ValueChecksItsIndexesInOrder)
{
    Ref<IQuendar> control;
    createControl(control);
    ASSERT_EQ(S_OK, control->AddObservation(0, 1.0, nullptr, 1));
    ASSERT_EQ(S_OK, control->AddObservation(1, 2.0, nullptr, 1));
    ASSERT_EQ(S_OK, control->AddObservation(1, 3.0, nullptr, 1));
    struct Case {
        long series, observation, code;
    };
    const Case cases[] = {
        {-1, 0, 3000}, {-1, 99, 3000}, {2, 0, 3006},  {2, -1, 3006}, // series first
        {0, -1, 3000}, {0, 1, 3006},   {1, 2, 3006},  {1, 100, 3006},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "series " << c.series << ", observation " << c.observation);
        double value = 99.0;
        EXPECT_REPORTED(c.code, control->get_Value(c.series, c.observation, &value));
        EXPECT_EQ(99.0, value);
        EXPECT_REPORTED(c.code, control->put_Value(c.series, c.observation, 5.0));
        EXPECT_EQ(QD_CONTROL_PATH, reportedFile(lastErrorOf(control->get_Value(c.series, c.observation, &value))));
    }
    // The checks grow nothing.
    Ref<IMatrixX> matrix;
    ASSERT_EQ(S_OK, control->get_Matrix(matrix.put()));
    EXPECT_EQ(2, numSeries(matrix.get()));
    EXPECT_REPORTED(1000, control->get_Value(0, 0, nullptr));
    EXPECT_REPORTED(1000, control->get_Matrix(nullptr));
}

TEST_F(ControlMembersTest, ErrorReportsNameTheControl)
{
    Ref<IQuendar> control;
    createControl(control);
    EXPECT_REPORTED(3000, control->AddObservation(-1, 1.0, nullptr, 1));
    ErrorReport report = lastErrorOf(control->AddObservation(-5, 1.0, nullptr, 1));
    EXPECT_EQ(L"Quendar.Quendar.1", report.source);
    EXPECT_TRUE(IsEqualGUID(IID_IQuendar, report.guid));
    EXPECT_EQ(QD_CONTROL_PATH, reportedFile(report));

    Ref<ISupportErrorInfo> support;
    query(control.get(), IID_ISupportErrorInfo, support);
    EXPECT_EQ(S_OK, support->InterfaceSupportsErrorInfo(IID_IQuendar));
    EXPECT_EQ(S_FALSE, support->InterfaceSupportsErrorInfo(IID_IMatrixX));
    EXPECT_EQ(S_FALSE, support->InterfaceSupportsErrorInfo(IID_IOleObject));
}

TEST_F(ControlMembersTest, RefusedDescriptionAddsNothing)
{
    Ref<IQuendar> control;
    createControl(control);
    const wchar_t withZero[] = {L'a', 0, L'b'};
    Text description(withZero, 3);
    EXPECT_REPORTED(1, control->AddObservation(4, 1.0, description.get(), 1));
    Ref<IMatrixX> matrix;
    ASSERT_EQ(S_OK, control->get_Matrix(matrix.put()));
    EXPECT_EQ(0, numSeries(matrix.get()));
}

// A series index the process could never hold is refused with code 3
// before a single series is appended; the control goes on working and the
// emergency reserve is still there for a real allocation failure.
TEST_F(ControlMembersTest, ImpossibleGrowthIsRefusedBeforeAnythingIsAppended)
{
    Ref<IQuendar> control;
    createControl(control);
    ASSERT_EQ(S_OK, control->AddObservation(1, 10.0, nullptr, 1));
    Ref<IMatrixX> matrix;
    ASSERT_EQ(S_OK, control->get_Matrix(matrix.put()));
    // 1 << 23 series: in a 32-bit process their array alone (2.5 GB) is
    // still a countable allocation, but with their observation places they
    // need about 19 GB, which no 32-bit process can have.
    const long huge[] = {LONG_MAX, LONG_MAX - 1, 1L << 30, 1L << 27, 1L << 23};
    for (long seriesNumber : huge) {
        SCOPED_TRACE(seriesNumber);
        EXPECT_REPORTED(3, control->AddObservation(seriesNumber, 1.0, nullptr, 1));
        EXPECT_EQ(2, numSeries(matrix.get()));
    }
    ASSERT_EQ(S_OK, control->AddObservation(3, 11.0, nullptr, 1));
    EXPECT_EQ(4, numSeries(matrix.get()));
    double value = 0.0;
    EXPECT_EQ(S_OK, control->get_Value(3, 0, &value));
    EXPECT_EQ(11.0, value);
    // Growth well past the first storage still appends every series.
    ASSERT_EQ(S_OK, control->AddObservation(200, 12.0, nullptr, 1));
    EXPECT_EQ(201, numSeries(matrix.get()));
    EXPECT_EQ(S_OK, control->get_Value(1, 0, &value));
    EXPECT_EQ(10.0, value);
}

// The MatrixX a script holds outlives the control without touching freed
// storage: it keeps the control's matrix, and the objects handed out from
// it keep working (Wine's heap checking watches).
TEST_F(ControlMembersTest, MatrixOutlivesItsControl)
{
    Ref<IQuendar> control;
    createControl(control);
    ASSERT_EQ(S_OK, control->AddObservation(0, 5.0, nullptr, 1));
    Ref<IMatrixX> matrix;
    ASSERT_EQ(S_OK, control->get_Matrix(matrix.put()));
    Ref<ISeriesX> series;
    ASSERT_EQ(S_OK, matrix->get_Series(0, series.put()));
    const ULONG held = refsOf(matrix.get());
    control.reset();
    // The control held one reference on its MatrixX and gave it up.
    EXPECT_EQ(held - 1, refsOf(matrix.get()));

    double value = 0.0;
    EXPECT_EQ(S_OK, matrix->get_Value(0, 0, &value));
    EXPECT_EQ(5.0, value);
    for (int i = 0; i < 300; ++i) ASSERT_EQ(S_OK, matrix->AddObservation(i % 7, i, nullptr, 1));
    long n = 0;
    EXPECT_EQ(S_OK, series->get_NumObservations(&n));
    EXPECT_EQ(1 + 43, n);
    EXPECT_EQ(S_OK, matrix->RemoveAll());
    EXPECT_EQ(0, numSeries(matrix.get()));
    EXPECT_REPORTED(3, series->get_NumObservations(&n));
}

// The picture a container's toolbox shows: resource BITMAP 1 of the
// module, the one the registration names.
TEST_F(ControlMembersTest, ToolboxBitmapIsResourceOne)
{
    HMODULE module = LoadLibraryExW(L"" QD_DLL_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(2));  // RT_BITMAP
    ASSERT_NE(nullptr, found);
    const BITMAPINFOHEADER* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, found)));
    ASSERT_NE(nullptr, header);
    EXPECT_EQ(16, header->biWidth);
    EXPECT_EQ(16, header->biHeight);
    FreeLibrary(module);

    wchar_t key[128] = L"CLSID\\";
    StringFromGUID2(CLSID_Quendar, key + 6, 64);
    wcscat(key, L"\\ToolboxBitmap32");
    wchar_t value[MAX_PATH * 2] = {};
    LONG size = sizeof value;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueW(HKEY_CLASSES_ROOT, key, value, &size));
    const std::wstring text(value);
    ASSERT_GT(text.size(), 3u);
    EXPECT_EQ(L", 1", text.substr(text.size() - 3));
}
