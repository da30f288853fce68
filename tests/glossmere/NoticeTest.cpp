// The failure notice of WizardLocale where no one can answer a box: the
// lookups return at once, and each notice reaches the debugger output.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Runs the child under this process as its debugger and returns the
// debugger output it wrote; exitCode receives its exit status.
std::string runUnderDebugger(const std::string& program, DWORD& exitCode)
{
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    exitCode = 0xFFFFFFFF;
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr,
                        nullptr, &startup, &process)) {
        ADD_FAILURE() << "cannot start " << program << ": " << GetLastError();
        return std::string();
    }
    std::string output;
    for (;;) {
        DEBUG_EVENT event = {};
        if (!WaitForDebugEvent(&event, 60000)) {
            ADD_FAILURE() << "the child did not finish";
            TerminateProcess(process.hProcess, 1);
            break;
        }
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
            if (event.u.CreateProcessInfo.hFile) CloseHandle(event.u.CreateProcessInfo.hFile);
            break;
        case LOAD_DLL_DEBUG_EVENT:
            if (event.u.LoadDll.hFile) CloseHandle(event.u.LoadDll.hFile);
            break;
        case EXCEPTION_DEBUG_EVENT:
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
                status = DBG_EXCEPTION_NOT_HANDLED;
            break;
        case OUTPUT_DEBUG_STRING_EVENT: {
            const OUTPUT_DEBUG_STRING_INFO& info = event.u.DebugString;
            std::size_t units = info.nDebugStringLength;
            if (info.fUnicode) {
                std::wstring text(units, L'\0');
                SIZE_T read = 0;
                ReadProcessMemory(process.hProcess, info.lpDebugStringData, &text[0], units * sizeof(wchar_t),
                                  &read);
                for (wchar_t c : text.substr(0, read / sizeof(wchar_t)))
                    if (c != 0) output += static_cast<char>(c < 128 ? c : '?');
            } else {
                std::string text(units, '\0');
                SIZE_T read = 0;
                ReadProcessMemory(process.hProcess, info.lpDebugStringData, &text[0], units, &read);
                for (char c : text.substr(0, read))
                    if (c != 0) output += c;
            }
            break;
        }
        case EXIT_PROCESS_DEBUG_EVENT:
            exitCode = event.u.ExitProcess.dwExitCode;
            break;
        default:
            break;
        }
        bool done = event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT;
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        if (done) break;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return output;
}

} // namespace

TEST(FailureNotice, EachFailureIsNoticedOnTheDebuggerOutputWithoutBlocking)
{
    DWORD exitCode = 0;
    std::string output = runUnderDebugger(GLOSSMERE_NOTICE_CHILD, exitCode);
    EXPECT_EQ(0u, exitCode);
    EXPECT_NE(std::string::npos, output.find("Wizard: Resource with identifier '2499' not found\n")) << output;
    EXPECT_NE(std::string::npos, output.find("Wizard: Overflow\n")) << output;
    EXPECT_NE(std::string::npos, output.find("Wizard: Subscript out of range\n")) << output;
}
