#include "AutomationFrame.h"

#include "Matrix/ErrorCatalogue.h"

#include <cstdio>
#include <string>

using namespace qd;

namespace {

const std::uint32_t shownPathLength = 50;

std::wstring ansiToWide(const char* text, std::uint32_t length)
{
    if (length == 0) return std::wstring();
    int n = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring result(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), &result[0], n);
    return result;
}

HRESULT setErrorInformation(const wchar_t* description, REFCLSID classId, REFIID interfaceId,
                            const wchar_t* fallbackSource)
{
    ICreateErrorInfo* create = nullptr;
    if (FAILED(CreateErrorInfo(&create))) return E_FAIL;
    create->SetDescription(const_cast<LPOLESTR>(description));
    create->SetGUID(interfaceId);
    LPOLESTR progId = nullptr;
    if (SUCCEEDED(ProgIDFromCLSID(classId, &progId)) && progId != nullptr) {
        create->SetSource(progId);
        CoTaskMemFree(progId);
    } else if (fallbackSource != nullptr) {
        create->SetSource(const_cast<LPOLESTR>(fallbackSource));
    }
    create->SetHelpContext(0);
    create->SetHelpFile(nullptr);
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
        SetErrorInfo(0, info);
        info->Release();
    }
    create->Release();
    return S_OK;
}

} // namespace

FdCString errorReportText(const FdCString& sourcePath, std::int32_t line, std::int32_t code)
{
    char number[32];
    FdCString text("Quendar generated the following error:\n");
    std::snprintf(number, sizeof number, "%i", static_cast<int>(code));
    text += "Error: ";
    text += number;
    text += "\nError Desc: ";
    text += errorDescription(code);
    text += "\nFile: ";
    std::uint32_t length = sourcePath.length();
    if (length <= shownPathLength)
        text += sourcePath;
    else
        text.append(sourcePath.data() + (length - shownPathLength), shownPathLength);
    std::snprintf(number, sizeof number, "%li", static_cast<long>(line));
    text += "\nLine: ";
    text += number;
    text += "\n";
    return text;
}

HRESULT reportError(const FdCString& sourcePath, std::int32_t line, REFCLSID classId,
                    REFIID interfaceId, std::int32_t code) noexcept
{
    try {
        FdCString text = errorReportText(sourcePath, line, code);
        std::wstring description = ansiToWide(text.data(), text.length());
        setErrorInformation(description.c_str(), classId, interfaceId, nullptr);
    } catch (...) {
        // No room left even for the report: the failure is still returned.
        SetErrorInfo(0, nullptr);
    }
    return QD_E_REPORTED;
}

HRESULT reportException(const ClassIdentity& identity, const MVRBaseException& e) noexcept
{
    try {
        return reportError(e.file(), e.line, *identity.clsid, *identity.iid, e.code);
    } catch (...) {
        return QD_E_REPORTED;
    }
}

HRESULT reportClassFailure(const ClassIdentity& identity, std::int32_t line, ErrorCode code) noexcept
{
    try {
        return reportError(FdCString(identity.sourcePath), line, *identity.clsid, *identity.iid, codeNumber(code));
    } catch (...) {
        // Not even the path could be copied: the failure is still returned.
        SetErrorInfo(0, nullptr);
        return QD_E_REPORTED;
    }
}

HRESULT reportNotAvailable(const ClassIdentity& identity, const wchar_t* member) noexcept
{
    try {
        std::wstring text = std::wstring(L"The member ") + member + L" of " + identity.name +
                            L" is not available yet.";
        setErrorInformation(text.c_str(), *identity.clsid, *identity.iid, identity.progId);
    } catch (...) {
        SetErrorInfo(0, nullptr);
    }
    return E_NOTIMPL;
}

void throwCode(const ClassIdentity& identity, std::int32_t line, ErrorCode code)
{
    qdThrow(identity.sourcePath, line, code);
}

BSTR makeBstr(const FdCString& text)
{
    // The exact inverse of StringTransfer: each byte becomes the unit of the
    // same value, so that any text a client gave comes back bit for bit
    // (the ANSI code page would turn bytes 0x80-0x9F into other units).
    std::uint32_t length = text.length();
    BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (result == nullptr) throw std::bad_alloc();
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (std::uint32_t i = 0; i < length; ++i) result[i] = static_cast<OLECHAR>(bytes[i]);
    return result;
}
