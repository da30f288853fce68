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

#include <gtest/gtest.h>

#include <string>

const HRESULT QD_E_REPORTED = static_cast<HRESULT>(0x80044005L);

// Holds one reference on an interface pointer.
template <class T>
class Ref {
public:
    Ref() = default;
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    ~Ref() { reset(); }
    void reset()
    {
        if (p_) p_->Release();
        p_ = nullptr;
    }
    T** put()
    {
        reset();
        return &p_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

// A BSTR for an argument, freed at the end of the scope.
class Text {
public:
    explicit Text(const wchar_t* text) : b_(SysAllocString(text)) {}
    Text(const wchar_t* text, UINT length) : b_(SysAllocStringLen(text, length)) {}
    Text() = default;
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;
    ~Text() { SysFreeString(b_); }
    BSTR get() const { return b_; }
    BSTR* put()
    {
        SysFreeString(b_);
        b_ = nullptr;
        return &b_;
    }
    std::wstring str() const { return b_ ? std::wstring(b_, SysStringLen(b_)) : std::wstring(); }

private:
    BSTR b_ = nullptr;
};

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

class ComTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
    void TearDown() override { CoUninitialize(); }

    template <class T>
    void create(REFCLSID clsid, REFIID iid, Ref<T>& result)
    {
        HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, result.putVoid());
        ASSERT_EQ(S_OK, hr);
    }
};

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
