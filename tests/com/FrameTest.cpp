// The error text and the conversion of texts, tested on their own.
#include "AutomationFrame.h"
#include "StringTransfer.h"

#include <gtest/gtest.h>

#include <string>

using namespace qd;

namespace {

std::string text(const FdCString& s) { return std::string(s.data(), s.length()); }

long codeOf(const MVRBaseException& e) { return e.code; }

} // namespace

// The report a failure falls back on when its own report cannot be
// composed: the same text as the report of code 3, made without the heap.
TEST(ErrorReportText, OutOfMemoryReportWithoutTheHeapIsTheReportOfCode3)
{
    const std::string fifty(50, 'p');
    for (const std::string& path : {std::string("ActiveX\\QDInterface\\SeriesX"), fifty, "X" + fifty, std::string()}) {
        for (std::int32_t line : {0, 42, -7, 2147483647}) {
            SCOPED_TRACE(path + " " + std::to_string(line));
            std::string expected = text(errorReportText(FdCString(path.c_str()), line, 3));
            wchar_t buffer[256];
            std::size_t n = outOfMemoryReportText(path.data(), path.size(), line, buffer, 256);
            EXPECT_EQ(std::wstring(expected.begin(), expected.end()), std::wstring(buffer, n));
        }
    }
    wchar_t small[8];
    outOfMemoryReportText("path", 4, 1, small, 8);
    EXPECT_EQ(L'\0', small[7]);
}

TEST(ErrorReportText, PathsLongerThan50CharactersKeepTheirLast50)
{
    const std::string fifty(50, 'p');
    struct Case {
        std::string path;
        std::string shown;
    };
    const Case cases[] = {
        {"ActiveX\\QDInterface\\SeriesX", "ActiveX\\QDInterface\\SeriesX"},
        {fifty, fifty},
        {"X" + fifty, fifty},
        {"Libraries\\SeriesCompute\\SeriesComputeMeanAbsolutePercentageError",
         "esCompute\\SeriesComputeMeanAbsolutePercentageError"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        std::string report = text(errorReportText(FdCString(c.path.c_str()), 42, 3006));
        EXPECT_EQ("Quendar generated the following error:\nError: 3006\nError Desc: Out of bounds\nFile: " +
                      c.shown + "\nLine: 42\n",
                  report);
    }
}

TEST(ErrorReportText, CodesOutsideTheCatalogueAndPercentSigns)
{
    EXPECT_EQ("Quendar generated the following error:\nError: 123456\nError Desc: No description specified.\n"
              "File: a%sb\nLine: -1\n",
              text(errorReportText(FdCString("a%sb"), -1, 123456)));
}

TEST(ErrorReport, ReturnsTheReportedFailureAndSetsErrorInformation)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    const GUID someClass = {0x12345678, 0x1, 0x2, {3, 4, 5, 6, 7, 8, 9, 10}};
    EXPECT_EQ(static_cast<HRESULT>(0x80044005L),
              reportError(FdCString("ActiveX\\QDInterface\\MatrixX"), 7, someClass, IID_IDispatch, 999));
    IErrorInfo* info = nullptr;
    ASSERT_EQ(S_OK, GetErrorInfo(0, &info));
    BSTR description = nullptr;
    info->GetDescription(&description);
    EXPECT_EQ(std::wstring(L"Quendar generated the following error:\nError: 999\nError Desc: Error/Check memory\n"
                           L"File: ActiveX\\QDInterface\\MatrixX\nLine: 7\n"),
              std::wstring(description));
    GUID guid = GUID_NULL;
    info->GetGUID(&guid);
    EXPECT_TRUE(IsEqualGUID(IID_IDispatch, guid));
    SysFreeString(description);
    info->Release();
    CoUninitialize();
}

TEST(StringTransferTest, EachUnitBecomesOneByteOrTheTextIsRefused)
{
    struct Case {
        std::wstring input;
        bool accepted;
        std::string bytes;
    };
    const Case cases[] = {
        {L"", true, ""},
        {L"plain text", true, "plain text"},
        {L"caf\x00e9 \x00ff", true, "caf\xe9 \xff"},
        {L"100%d", true, "100%d"},
        {std::wstring(L"a\0b", 3), false, ""},
        {L"\x0100", false, ""},
        {L"ok\x20ac", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.input.begin(), c.input.end()));
        BSTR b = SysAllocStringLen(c.input.data(), static_cast<UINT>(c.input.size()));
        try {
            FdCString s = StringTransfer(b);
            EXPECT_TRUE(c.accepted);
            EXPECT_EQ(c.bytes, text(s));
        } catch (const MVRBaseException& e) {
            EXPECT_FALSE(c.accepted);
            EXPECT_EQ(1, codeOf(e));
            EXPECT_EQ("ActiveX\\QDInterface\\StringTransfer", text(e.file()));
        }
        SysFreeString(b);
    }
    EXPECT_EQ("", text(StringTransfer(nullptr)));
}

TEST(StringResults, TextsBecomeBstrsOfTheirExactLength)
{
    BSTR b = makeBstr(FdCString("a%b\xe9"));
    ASSERT_NE(nullptr, b);
    EXPECT_EQ(4u, SysStringLen(b));
    EXPECT_EQ(std::wstring(L"a%b\x00e9"), std::wstring(b, 4));
    SysFreeString(b);
    b = makeBstr(FdCString());
    ASSERT_NE(nullptr, b);
    EXPECT_EQ(0u, SysStringLen(b));
    SysFreeString(b);
}
