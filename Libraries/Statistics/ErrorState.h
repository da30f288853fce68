// Process-wide state of the error stack, shared by the files of the error
// machinery. Guarded by stats_library_mutex().
#ifndef STATISTICS_ERRORSTATE_H
#define STATISTICS_ERRORSTATE_H

#include <cstdint>
#include <cstdio>
#include <string>

#include "Statistics/ErrorStack.h"

namespace stats_internal {

constexpr int kFrameCount = 200;

struct Frame {
    std::uint8_t type;
    std::uint8_t userLevel;
    std::int32_t code;
    const char* name;
};

struct ErrorState {
    ErrorState();

    Frame stack[kFrameCount];
    int top;

    std::uint8_t levelType[2];
    std::int32_t levelCode[2];

    std::int32_t intArgs[10];
    double realArgs[10];
    std::string textArgs[10];

    std::string message;  // the pending message; empty means none
    bool initialised;

    std::uint8_t printFlag[9];
    std::uint8_t stopFlag[9];
    std::uint8_t tracebackFlag[9];

    stats_printer_fn printer;
    int printerCode;

    std::FILE* units[4];
    bool unitsFilled;

    int fullTraceback;
    int signalTrapping;
    bool searchPathSet;
    std::string searchPath;
    std::string fileName;
    stats_error_hook_fn hook;
    int trapped;
};

ErrorState& state();

// The error stream (output unit 3).
std::FILE* errorStream();

// The library routine that the caller outside the library called: the
// frame just above the topmost user-level frame (or the top frame).
const char* outerRoutineName();

// Type names as printed.
const char* typeName(int type);

// Formats a message template with the current message arguments.
std::string substituteTemplate(const char* text);

// Formats one value with a printf conversion taken from a template; the
// conversion is used only when it is a plain one that fits the value's kind.
std::string formatInt(const char* conversion, std::size_t length, std::int32_t value);
std::string formatReal(const char* conversion, std::size_t length, double value);
std::string formatText(const char* conversion, std::size_t length, const std::string& value);

// Stops the library: leaves the error readable at both levels, drops every
// open frame and throws StatsError.
[[noreturn]] void stopLibrary(int type, std::int32_t code, const char* routine);

// Reports a message-file problem once (message box or standard error).
void reportFileProblem(const std::string& text);

}  // namespace stats_internal

#endif
