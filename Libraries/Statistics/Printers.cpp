// Printers of the error stack: standard error (the default), a message box
// and a console window.
#include <cstdio>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

#include "Statistics/ErrorState.h"

namespace stats_internal {

namespace {

const char kContinuation[] = "***         ";  // three asterisks and nine blanks
constexpr std::size_t kLineWidth = 78;

std::string headerText(int type, std::int32_t code, const char* routine, const char* newline) {
    std::string header = newline;
    header += "*** ";
    header += typeName(type);
    header += " Error ";
    if (type < STATS_TERMINAL) {
        header += l_message_code_name(code);
        header += " ";
    }
    header += "from ";
    header += routine;
    header += ".  ";
    return header;
}

// Writes the header and the message folded at blanks so that no line runs
// past column 78; continuation lines start with the continuation prefix.
template <class Write>
void writeFolded(int type, std::int32_t code, const char* message, const char* newline, Write write) {
    const char* routine = outerRoutineName();
    const std::string header = headerText(type, code, routine, newline);
    write(header);
    std::size_t column = header.size() - std::string(newline).size() + 1;
    if (column >= kLineWidth) {
        write(std::string(newline) + kContinuation + " ");
        column = 12;
    }
    std::string text = message;
    std::size_t pos = 0;
    bool continuation = false;
    for (;;) {
        const std::size_t rest = text.size() - pos;
        std::size_t end;  // length of this line
        if (rest + column < kLineWidth) {
            end = rest;
        } else {
            const std::size_t room = kLineWidth - column;
            const std::size_t from = continuation ? 1 : 0;
            end = std::string::npos;
            for (std::size_t k = std::min(room, rest); k-- > from;) {
                if (text[pos + k] == ' ') {
                    end = k;
                    break;
                }
            }
            if (end == std::string::npos || end == 0) {
                // A word longer than the room: break at the next blank.
                std::size_t next = text.find_first_of(" \n", pos + from + (from == 0 && rest > 0 ? 1 : 0));
                end = next == std::string::npos ? rest : next - pos;
            }
        }
        const std::size_t newlineAt = text.find('\n', pos + (continuation ? 1 : 0));
        if (newlineAt != std::string::npos && newlineAt - pos < end) end = newlineAt - pos;
        write(text.substr(pos, end) + newline);
        if (end >= rest) break;
        write(kContinuation);
        pos += end;
        text[pos] = ' ';
        column = 12;
        continuation = true;
    }
    write(newline);
}

}  // namespace

}  // namespace stats_internal

using namespace stats_internal;

void stats_stderr_printer(int type, std::int32_t code, const char*, const char* message) {
    if (message == nullptr || message[0] == '\0') return;
    std::FILE* out = errorStream();
    writeFolded(type, code, message, "\n", [out](const std::string& piece) { std::fputs(piece.c_str(), out); });
    std::fflush(out);
}

void stats_message_box_printer(int type, std::int32_t code, const char* name, const char* message) {
#ifdef _WIN32
    (void)name;
    if (message == nullptr || message[0] == '\0') return;
    std::string shortType = typeName(type);
    std::string::size_type blank = shortType.find(' ');
    if (blank != std::string::npos) shortType.resize(blank);
    std::string text = shortType + " Error ";
    if (type < STATS_TERMINAL) text += l_message_code_name(code) + " ";
    text += std::string("from ") + outerRoutineName() + ".  " + message;
    char path[MAX_PATH + 1] = {0};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    path[length < MAX_PATH ? length : MAX_PATH] = '\0';
    const char* title = path;
    for (const char* p = path; *p != '\0'; ++p)
        if (*p == '\\') title = p + 1;
    const bool stops = type >= 0 && type <= 8 && state().stopFlag[type];
    MessageBoxA(nullptr, text.c_str(), title,
                MB_OK | MB_SETFOREGROUND | (stops ? MB_ICONSTOP : MB_ICONINFORMATION));
#else
    stats_stderr_printer(type, code, name, message);
#endif
}

void stats_console_printer(int type, std::int32_t code, const char* name, const char* message) {
#ifdef _WIN32
    (void)name;
    if (message == nullptr || message[0] == '\0') return;
    HANDLE handle = GetStdHandle(STD_OUTPUT_HANDLE);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        FreeConsole();
        AllocConsole();
        handle = GetStdHandle(STD_OUTPUT_HANDLE);
    }
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
    writeFolded(type, code, message, "\r\n", [handle](const std::string& piece) {
        DWORD written = 0;
        WriteConsoleA(handle, piece.data(), static_cast<DWORD>(piece.size()), &written, nullptr);
    });
#else
    stats_stderr_printer(type, code, name, message);
#endif
}
