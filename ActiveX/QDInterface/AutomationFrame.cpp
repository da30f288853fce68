#include "AutomationFrame.h"

#include "Matrix/ErrorCatalogue.h"

#include <cstdio>
#include <cstring>
#include <cwchar>
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

std::size_t outOfMemoryReportText(const char* sourcePath, std::size_t pathLength, std::int32_t line,
                                  wchar_t* buffer, std::size_t size) noexcept
{
    if (size == 0) return 0;
    if (pathLength > shownPathLength) {
        sourcePath += pathLength - shownPathLength;
        pathLength = shownPathLength;
    }
    // The bytes of the path become units of the same value, as the ANSI
    // conversion of errorReportText does for the paths of this tree.
    wchar_t path[shownPathLength + 1];
    for (std::size_t i = 0; i < pathLength; ++i) path[i] = static_cast<unsigned char>(sourcePath[i]);
    path[pathLength] = L'\0';
    int n = std::swprintf(buffer, size,
                          L"Quendar generated the following error:\nError: %d\nError Desc: Out of memory\n"
                          L"File: %ls\nLine: %ld\n",
                          codeNumber(ErrorCode::OutOfMemory), path, static_cast<long>(line));
    if (n < 0) {
        buffer[0] = L'\0';
        return 0;
    }
    return static_cast<std::size_t>(n);
}

namespace {

// The report of a failure whose own report could not be composed for lack
// of memory: code 3 at the same place, written without the heap.
void reportOutOfMemory(const char* sourcePath, std::size_t pathLength, std::int32_t line, REFCLSID classId,
                       REFIID interfaceId) noexcept
{
    wchar_t description[256];
    outOfMemoryReportText(sourcePath, pathLength, line, description, sizeof description / sizeof description[0]);
    if (FAILED(setErrorInformation(description, classId, interfaceId, nullptr))) SetErrorInfo(0, nullptr);
}

} // namespace

namespace {
// The code of the last failure reported on this thread.
thread_local std::int32_t lastReported = 0;
} // namespace

std::int32_t lastReportedCode() noexcept
{
    return lastReported;
}

HRESULT reportError(const FdCString& sourcePath, std::int32_t line, REFCLSID classId,
                    REFIID interfaceId, std::int32_t code) noexcept
{
    lastReported = code;
    try {
        FdCString text = errorReportText(sourcePath, line, code);
        std::wstring description = ansiToWide(text.data(), text.length());
        setErrorInformation(description.c_str(), classId, interfaceId, nullptr);
    } catch (...) {
        // No room left for the report: the failure is reported as what
        // stopped it.
        lastReported = codeNumber(ErrorCode::OutOfMemory);
        reportOutOfMemory(sourcePath.data(), sourcePath.length(), line, classId, interfaceId);
    }
    return QD_E_REPORTED;
}

HRESULT reportException(const ClassIdentity& identity, const MVRBaseException& e) noexcept
{
    return reportError(e.file(), e.line, *identity.clsid, *identity.iid, e.code);
}

HRESULT reportClassFailure(const ClassIdentity& identity, std::int32_t line, ErrorCode code) noexcept
{
    try {
        return reportError(FdCString(identity.sourcePath), line, *identity.clsid, *identity.iid, codeNumber(code));
    } catch (...) {
        // Not even the path could be copied.
        lastReported = codeNumber(ErrorCode::OutOfMemory);
        reportOutOfMemory(identity.sourcePath, std::strlen(identity.sourcePath), line, *identity.clsid,
                          *identity.iid);
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
