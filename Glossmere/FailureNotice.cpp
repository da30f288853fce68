#include "FailureNotice.h"

#include "ComLayer/ComModule.h"

#include <windows.h>

namespace Glossmere {

namespace {

volatile LONG boxOpen = 0;

// One line per notice, written at once so that notices of two threads do
// not mix.
void writeDebugOutput(const wchar_t* description)
{
    wchar_t line[1024] = L"Wizard: ";
    const int prefix = 8;
    lstrcpynW(line + prefix, description, 1024 - prefix - 1);
    lstrcatW(line, L"\n");
    OutputDebugStringW(line);
}

// True when the process's window station is the interactive one (not a
// service's).
bool hasInteractiveDesktop()
{
    HWINSTA station = GetProcessWindowStation();
    if (station == nullptr) return false;
    USEROBJECTFLAGS flags = {};
    DWORD needed = 0;
    if (!GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof flags, &needed)) return false;
    return (flags.dwFlags & WSF_VISIBLE) != 0;
}

// The box's thread: owns the text (process heap) and one reference on the
// module, so the module stays loaded while the box is open even when every
// client is gone. Uses no runtime library functions.
DWORD WINAPI boxThread(void* parameter)
{
    wchar_t* text = static_cast<wchar_t*>(parameter);
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&boxThread), &self);
    MessageBoxW(nullptr, text, L"Wizard", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    HeapFree(GetProcessHeap(), 0, text);
    InterlockedExchange(&boxOpen, 0);
    ComLayer::ComModule::instance().unlock();
    // The reference taken by the thread's creator.
    FreeLibraryAndExitThread(self, 0);
}

bool startBox(const std::wstring& description)
{
    if (!hasInteractiveDesktop()) return false;
    if (InterlockedCompareExchange(&boxOpen, 1, 0) != 0) return false;
    SIZE_T bytes = (description.size() + 1) * sizeof(wchar_t);
    wchar_t* text = static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), 0, bytes));
    HMODULE pinned = nullptr;
    if (text != nullptr &&
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&boxThread),
                           &pinned)) {
        CopyMemory(text, description.c_str(), bytes);
        // The open box counts as outstanding work of the module.
        ComLayer::ComModule::instance().lock();
        HANDLE thread = CreateThread(nullptr, 0, &boxThread, text, 0, nullptr);
        if (thread != nullptr) {
            CloseHandle(thread);
            return true;
        }
        ComLayer::ComModule::instance().unlock();
    }
    if (pinned != nullptr) FreeLibrary(pinned);
    if (text != nullptr) HeapFree(GetProcessHeap(), 0, text);
    InterlockedExchange(&boxOpen, 0);
    return false;
}

} // namespace

void showFailureNotice(const std::wstring& description)
{
    // The debugger output gets every notice, boxed or not: a box may be
    // shown where no one sees it (a desktop without a display).
    writeDebugOutput(description.c_str());
    startBox(description);
}

} // namespace Glossmere
