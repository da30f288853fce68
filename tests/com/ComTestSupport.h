// Helpers of the automation client tests: COM start-up per test, and the
// error information of the last failed call.
#ifndef QD_TESTS_COM_COMTESTSUPPORT_H
#define QD_TESTS_COM_COMTESTSUPPORT_H

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wwrite-strings"
#include "QDInterface.h"
#pragma GCC diagnostic pop

#include "ComClient.h"

#include <string>

const HRESULT QD_E_REPORTED = static_cast<HRESULT>(0x80044005L);

struct ErrorReport {
    bool present = false;
    std::wstring description;
    std::wstring source;
    GUID guid = GUID_NULL;
};

// Takes the thread's error information.
inline ErrorReport lastError()
{
    ErrorReport report;
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || info == nullptr) return report;
    report.present = true;
    BSTR text = nullptr;
    if (SUCCEEDED(info->GetDescription(&text)) && text) report.description.assign(text, SysStringLen(text));
    SysFreeString(text);
    text = nullptr;
    if (SUCCEEDED(info->GetSource(&text)) && text) report.source.assign(text, SysStringLen(text));
    SysFreeString(text);
    info->GetGUID(&report.guid);
    info->Release();
    return report;
}

// The error code printed on the "Error: " line of a report, -1 if none.
inline long reportedCode(const ErrorReport& report)
{
    std::wstring::size_type at = report.description.find(L"\nError: ");
    if (at == std::wstring::npos) return -1;
    return std::wcstol(report.description.c_str() + at + 8, nullptr, 10);
}

// The "File: " line of a report.
inline std::wstring reportedFile(const ErrorReport& report)
{
    std::wstring::size_type at = report.description.find(L"\nFile: ");
    if (at == std::wstring::npos) return std::wstring();
    std::wstring::size_type end = report.description.find(L'\n', at + 7);
    return report.description.substr(at + 7, end - at - 7);
}

// The tests of QDInterface's clients; create() makes an object through the
// registry of the tree's prefix.
class ComTest : public ComClientTest {};

// Expects a reported failure with the given code.
#define EXPECT_REPORTED(code, call)                                  \
    do {                                                             \
        HRESULT hr_ = (call);                                        \
        EXPECT_EQ(QD_E_REPORTED, hr_) << #call;                      \
        ErrorReport report_ = lastError();                           \
        EXPECT_TRUE(report_.present) << #call;                       \
        EXPECT_EQ(code, reportedCode(report_)) << #call << "\n"      \
                                               << std::string(report_.description.begin(), report_.description.end()); \
    } while (0)

#endif
