// The method frame shared by every automation class: class identity, the
// error report (code, catalogue text, file, line) returned as 0x80044005
// with error information, and the conversion of texts at the boundary.
//
// A method body runs inside runFrame: an MVRBaseException is reported with
// its own code, file and line; std::bad_alloc as code 3; anything else as
// code 999 with the class's own source path and the frame's line. No C++
// exception ever leaves a method. A failed method takes the emergency
// reserve again if an allocation failure released it. The whole member runs
// in the known floating-point environment (ComLayer/FloatingPointGuard.h).
#ifndef QD_QDINTERFACE_AUTOMATIONFRAME_H
#define QD_QDINTERFACE_AUTOMATIONFRAME_H

#include "ComLayer/ComObject.h"
#include "ComLayer/FloatingPointGuard.h"
#include "ModuleAllocation.h"

#include "Foundation/FdCString.h"
#include "Matrix/MVRBaseException.h"

#include <oaidl.h>
#include <windows.h>

#include <cstdint>
#include <new>

// The HRESULT of every failure reported through error information.
const HRESULT QD_E_REPORTED = static_cast<HRESULT>(0x80044005L);

struct ClassIdentity {
    const wchar_t* name;    // "SeriesX"
    const wchar_t* progId;  // "SeriesX.SeriesX.1"
    const char* sourcePath; // "ActiveX\\QDInterface\\SeriesX"
    const CLSID* clsid;
    const IID* iid;         // the class's dual interface
};

// Composes the error text, sets it as the thread's error information (the
// IID as its GUID, the class's ProgID as its source) and returns
// 0x80044005. Never throws; when the text cannot be composed for lack of
// memory, the report is code 3 at the same place.
HRESULT reportError(const qd::FdCString& sourcePath, std::int32_t line, REFCLSID classId,
                    REFIID interfaceId, std::int32_t code) noexcept;

// The text of the error report, lines ended by a line feed.
qd::FdCString errorReportText(const qd::FdCString& sourcePath, std::int32_t line, std::int32_t code);

// The report of code 3 at the given place, the text errorReportText gives,
// written into the caller's buffer without the heap: what a failure reports
// when its own report cannot be composed for lack of memory. Returns the
// number of characters written (the text is cut to the buffer).
std::size_t outOfMemoryReportText(const char* sourcePath, std::size_t pathLength, std::int32_t line,
                                  wchar_t* buffer, std::size_t size) noexcept;

// A member that later work provides: E_NOTIMPL with error information
// saying so.
HRESULT reportNotAvailable(const ClassIdentity& identity, const wchar_t* member) noexcept;

// Throws the class's own MVRBaseException.
[[noreturn]] void throwCode(const ClassIdentity& identity, std::int32_t line, qd::ErrorCode code);

// Check 1 of the frame: a null result pointer is code 1000.
template <class T>
void checkResultPointer(const ClassIdentity& identity, std::int32_t line, T* pointer)
{
    if (pointer == nullptr) throwCode(identity, line, qd::ErrorCode::InvalidPointer);
}

HRESULT reportException(const ClassIdentity& identity, const qd::MVRBaseException& e) noexcept;
// The code of the last failure reported on this thread (0 before any): a
// member that falls back to another path after a failed step asks it
// whether the step ran out of memory, which ends the member instead.
std::int32_t lastReportedCode() noexcept;
inline bool lastReportWasOutOfMemory() noexcept
{
    return lastReportedCode() == qd::codeNumber(qd::ErrorCode::OutOfMemory);
}
// A failure of the class itself (code 3 or 999) at the given line.
HRESULT reportClassFailure(const ClassIdentity& identity, std::int32_t line, qd::ErrorCode code) noexcept;

template <class Body>
HRESULT runFrame(const ClassIdentity& identity, std::int32_t line, Body&& body) noexcept
{
    const ComLayer::FloatingPointGuard floatingPoint;
    HRESULT hr = S_OK;
    try {
        return body();
    } catch (const qd::MVRBaseException& e) {
        hr = reportException(identity, e);
    } catch (const std::bad_alloc&) {
        hr = reportClassFailure(identity, line, qd::ErrorCode::OutOfMemory);
    } catch (...) {
        hr = reportClassFailure(identity, line, qd::ErrorCode::Unexpected);
    }
    // An allocation failure gave the emergency reserve back: take it again
    // for the next one.
    ModuleAllocation::restoreReserve();
    return hr;
}

// A string result: each byte of the text becomes the unit of the same value
// (the inverse of StringTransfer), in a new BSTR of exactly its length.
// Allocation failure is code 3.
BSTR makeBstr(const qd::FdCString& text);

// Common part of the automation classes: ISupportErrorInfo for the class's
// own dual interface, and the report of members not available yet.
class AutomationSupport : public ISupportErrorInfo, public ComLayer::ComObjectRoot {
public:
    virtual const ClassIdentity& classIdentity() const = 0;

    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override
    {
        const ComLayer::FloatingPointGuard floatingPoint;
        return IsEqualIID(iid, *classIdentity().iid) ? S_OK : S_FALSE;
    }
    HRESULT memberNotAvailable(const wchar_t* member)
    {
        return reportNotAvailable(classIdentity(), member);
    }
};

// The base of an automation class Derived with dual interface Interface,
// whose members come from Members<Derived> (overridden where implemented):
// the public IUnknown, the interface table (the dual interface, IDispatch,
// ISupportErrorInfo) and the class identity Derived::identity.
template <class Derived, template <class> class Members, class Interface>
class AutomationClass : public Members<Derived>, public AutomationSupport {
public:
    QD_DELEGATING_IUNKNOWN

    const ComLayer::InterfaceEntry* interfaceTable() const override
    {
        static const ComLayer::InterfaceEntry table[] = {
            QD_INTERFACE_ENTRY(Derived, Interface),
            QD_INTERFACE_ENTRY_AS(Derived, IID_IDispatch, Interface),
            QD_INTERFACE_ENTRY(Derived, ISupportErrorInfo),
            QD_INTERFACE_END,
        };
        return table;
    }
    const ClassIdentity& classIdentity() const override { return Derived::identity; }
};

#endif
