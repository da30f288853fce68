// The error report every failing member returns: 0x80044005 with error
// information whose text names the code, its catalogue text, the file and
// the line, and whose source is the class's ProgID.
#include "AllocationProbe.h"
#include "ComTestSupport.h"

#include <cwctype>

class ErrorReportTest : public ComTest {};

TEST_F(ErrorReportTest, TheReportCarriesCodeTextFileLineSourceAndInterface)
{
    Ref<ISeriesX> series;
    create(CLSID_SeriesX, IID_ISeriesX, series);
    double value = 1.0;
    EXPECT_EQ(QD_E_REPORTED, series->get_Value(0, &value));
    EXPECT_EQ(1.0, value); // nothing written
    ErrorReport report = lastError();
    ASSERT_TRUE(report.present);
    const std::wstring prefix = L"Quendar generated the following error:\nError: 3006\nError Desc: Out of bounds\n"
                                L"File: ActiveX\\QDInterface\\SeriesX\nLine: ";
    ASSERT_EQ(prefix, report.description.substr(0, prefix.size()));
    std::wstring line = report.description.substr(prefix.size());
    ASSERT_GE(line.size(), 2u);
    EXPECT_EQ(L'\n', line.back());
    for (std::size_t i = 0; i + 1 < line.size(); ++i) EXPECT_TRUE(std::iswdigit(line[i]));
    EXPECT_EQ(L"SeriesX.SeriesX.1", report.source);
    EXPECT_TRUE(IsEqualGUID(IID_ISeriesX, report.guid));
}

TEST_F(ErrorReportTest, EngineFailuresNameTheEngineFile)
{
    Ref<ISeriesX> series;
    create(CLSID_SeriesX, IID_ISeriesX, series);
    ASSERT_EQ(S_OK, series->AddObservation(1.0, nullptr, 1));
    EXPECT_REPORTED(3006, series->RemoveObservationAt(1));
    Ref<IMatrixX> matrix;
    create(CLSID_MatrixX, IID_IMatrixX, matrix);
    EXPECT_REPORTED(3061, matrix->put_StatValueMatrix(2000, 0, 0, 1.0));
    ErrorReport report;
    EXPECT_EQ(QD_E_REPORTED, series->RemoveObservationAt(-1));
    report = lastError();
    EXPECT_EQ(3000, reportedCode(report));
    EXPECT_EQ(L"INCLUDE\\Matrix/Series", reportedFile(report));
    // The report names the class whose member failed.
    EXPECT_EQ(L"SeriesX.SeriesX.1", report.source);
}

TEST_F(ErrorReportTest, NullResultPointersAreCode1000)
{
    Ref<ISeriesX> series;
    create(CLSID_SeriesX, IID_ISeriesX, series);
    Ref<IMatrixX> matrix;
    create(CLSID_MatrixX, IID_IMatrixX, matrix);
    Ref<IObservationX> observation;
    create(CLSID_ObservationX, IID_IObservationX, observation);
    Ref<IStatisticX> statistic;
    create(CLSID_StatisticX, IID_IStatisticX, statistic);
    Ref<IStatisticsX> statistics;
    create(CLSID_StatisticsX, IID_IStatisticsX, statistics);

    EXPECT_REPORTED(1000, series->get_NumObservations(nullptr));
    EXPECT_REPORTED(1000, series->get_Description(nullptr));
    EXPECT_REPORTED(1000, series->get__NewEnum(nullptr));
    EXPECT_REPORTED(1000, matrix->get_Series(0, nullptr));
    EXPECT_REPORTED(1000, matrix->get_Value(0, 0, nullptr));
    EXPECT_REPORTED(1000, observation->get_Statistics(nullptr));
    EXPECT_REPORTED(1000, statistic->get_Description(nullptr));
    EXPECT_REPORTED(1000, statistics->get__NewEnum(nullptr));
    // The pointer check comes before the others.
    EXPECT_REPORTED(1000, series->get_Value(-1, nullptr));
    long n = -1;
    EXPECT_EQ(S_OK, matrix->get_NumSeries(&n));
    EXPECT_EQ(0, n); // get_Series above added nothing
}

TEST_F(ErrorReportTest, TextsAreRefusedWhenTheyHaveNo8BitForm)
{
    Ref<ISeriesX> series;
    create(CLSID_SeriesX, IID_ISeriesX, series);
    // A character above 0xFF would lose its high byte: refused with code 1.
    Text wide(L"a\x0141z");
    EXPECT_REPORTED(1, series->AddObservation(1.0, wide.get(), 1));
    ErrorReport report;
    EXPECT_EQ(QD_E_REPORTED, series->put_Description(wide.get()));
    report = lastError();
    EXPECT_EQ(L"ActiveX\\QDInterface\\StringTransfer", reportedFile(report));
    long n = -1;
    series->get_NumObservations(&n);
    EXPECT_EQ(0, n);
    // A zero unit inside the text.
    Text withZero(L"ab\0cd", 5);
    EXPECT_REPORTED(1, series->put_Description(withZero.get()));
    // Texts of 8-bit characters pass, and an empty text is empty.
    Text latin(L"caf\x00e9 100%");
    EXPECT_EQ(S_OK, series->put_Description(latin.get()));
    Text back;
    EXPECT_EQ(S_OK, series->get_Description(back.put()));
    EXPECT_EQ(L"caf\x00e9 100%", back.str());
    Text empty(L"");
    EXPECT_EQ(S_OK, series->put_Description(empty.get()));
    EXPECT_EQ(S_OK, series->get_Description(back.put()));
    EXPECT_EQ(L"", back.str());
    EXPECT_EQ(S_OK, series->put_Description(nullptr));
}

// The limit this program's environment sets (QD_TEST_ALLOCATION_LIMIT,
// 1 MiB): only the server's test build, loaded by its path, reads it.
const std::size_t kTestLimit = 1048576;

TEST_F(ErrorReportTest, AllocationFailuresAreCode3AgainAfterTheReserveIsGone)
{
    AllocationProbe probe(QD_PROBE_DLL_PATH);
    ASSERT_TRUE(probe.loaded());
    Ref<ISeriesX> series;
    createProbeObject(probe, CLSID_SeriesX, IID_ISeriesX, series);
    for (int attempt = 0; attempt < 2; ++attempt) {
        SCOPED_TRACE(attempt);
        // Room for 60 million observations (1.9 GB in one block on i686,
        // 2.9 GB on x86-64) is more than the test build may allocate at
        // once: the module's allocation failure handler raises code 3.
        EXPECT_EQ(QD_E_REPORTED, series->Reshape(60000000));
        ErrorReport report = lastError();
        EXPECT_EQ(3, reportedCode(report));
        EXPECT_EQ(L"ActiveX\\QDInterface\\QDInterface", reportedFile(report));
        EXPECT_NE(std::wstring::npos, report.description.find(L"Error Desc: Out of memory\n"));
        EXPECT_EQ(L"SeriesX.SeriesX.1", report.source);
    }
    // The object is still usable.
    EXPECT_EQ(S_OK, series->AddObservation(2.0, nullptr, 1));
    double value = 0.0;
    EXPECT_EQ(S_OK, series->get_Value(0, &value));
    EXPECT_EQ(2.0, value);
    Ref<IMatrixX> matrix;
    createProbeObject(probe, CLSID_MatrixX, IID_IMatrixX, matrix);
    EXPECT_REPORTED(3, matrix->Reshape(7000000));
    // Sizes that cannot even be described in 32 bits are code 3 as well.
    Ref<ISeriesX> empty;
    createProbeObject(probe, CLSID_SeriesX, IID_ISeriesX, empty);
    EXPECT_REPORTED(3, empty->Reshape(400000000));
}

TEST_F(ErrorReportTest, AFailingCAllocationRunsTheSameHandlerAsOperatorNew)
{
    AllocationProbe probe(QD_PROBE_DLL_PATH);
    ASSERT_TRUE(probe.loaded());
    ASSERT_NE(nullptr, probe.tryMalloc);
    Ref<ISeriesX> series;
    createProbeObject(probe, CLSID_SeriesX, IID_ISeriesX, series);
    ASSERT_EQ(1, probe.counters().reserveHeld);
    EXPECT_EQ(0, probe.tryMalloc(kTestLimit));
    // The first failure gives the reserve back and raises code 3, as a
    // failing operator new does.
    EXPECT_EQ(3, probe.tryMalloc(kTestLimit + 1));
    EXPECT_EQ(0, probe.counters().reserveHeld);
    // While that failure is handled (the reserve is gone) a C allocation
    // that fails answers null, so the runtime's own fallbacks work.
    EXPECT_EQ(1, probe.tryMalloc(kTestLimit + 1));
    // The next failed member takes the reserve again.
    EXPECT_REPORTED(3, series->Reshape(60000000));
    EXPECT_EQ(1, probe.counters().reserveHeld);
}

TEST_F(ErrorReportTest, TheShippedServerIgnoresTheTestAllocationLimit)
{
    wchar_t text[32] = {};
    ASSERT_NE(0u, GetEnvironmentVariableW(L"QD_TEST_ALLOCATION_LIMIT", text, 32));
    ASSERT_EQ(std::to_wstring(kTestLimit), std::wstring(text));
    // Room for a million observations is far more than the limit in one
    // block.
    Ref<ISeriesX> series;
    create(CLSID_SeriesX, IID_ISeriesX, series);
    EXPECT_EQ(S_OK, series->Reshape(1000000));
    EXPECT_EQ(S_OK, series->AddObservation(4.5, nullptr, 1));
    double value = 0.0;
    EXPECT_EQ(S_OK, series->get_Value(0, &value));
    EXPECT_EQ(4.5, value);
}
