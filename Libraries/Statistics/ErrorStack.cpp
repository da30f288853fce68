// Routine-name stack, error posting and the error settings of the numerical
// library.
#include "Statistics/ErrorStack.h"

#include <cstdarg>
#include <cstring>
#include <new>

#include "Statistics/ErrorState.h"
#include "Statistics/RoutineScope.h"
#include "Statistics/StatsError.h"

namespace stats_internal {

namespace {

// Types whose errors are written when they are posted.
const std::uint8_t kOutputAtOnce[9] = {0, 0, 0, 0, 0, 1, 1, 1, 1};

const char* const kTypeNames[9] = {"INTERNAL", "NOTE    ", "ALERT   ", "WARNING ", "FATAL   ",
                                   "TERMINAL", "WARNING_IMMEDIATE", "FATAL_IMMEDIATE", "INTERNAL"};

}  // namespace

ErrorState::ErrorState()
    : top(0),
      levelType{0, 0},
      levelCode{0, 0},
      intArgs{},
      realArgs{},
      initialised(false),
      printFlag{0, 0, 0, 1, 1, 1, 1, 1, 1},
      stopFlag{0, 0, 0, 0, 1, 1, 0, 0, 1},
      tracebackFlag{0, 0, 0, 0, 0, 0, 0, 0, 1},
      printer(stats_stderr_printer),
      printerCode(STATS_PRINTER_STDERR),
      units{nullptr, nullptr, nullptr, nullptr},
      unitsFilled(false),
      fullTraceback(0),
      signalTrapping(1),
      searchPathSet(false),
      hook(nullptr),
      trapped(0) {
    for (Frame& f : stack) f = Frame{0, 0, 0, ""};
    stack[0] = Frame{0, 1, 0, "USER"};
}

ErrorState& state() {
    static ErrorState s;
    return s;
}

std::FILE* errorStream() {
    ErrorState& s = state();
    if (!s.unitsFilled) {
        s.units[1] = stdin;
        s.units[2] = stdout;
        s.units[3] = stderr;
        s.unitsFilled = true;
    }
    return s.units[3] != nullptr ? s.units[3] : stderr;
}

const char* outerRoutineName() {
    ErrorState& s = state();
    int user = s.top;
    while (user > 0 && !s.stack[user].userLevel) --user;
    if (user + 1 <= s.top) return s.stack[user + 1].name;
    return s.stack[s.top].name;
}

const char* typeName(int type) {
    if (type < 0 || type > 8) return "UNKNOWN";
    return kTypeNames[type];
}

[[noreturn]] void stopLibrary(int type, std::int32_t code, const char* routine) {
    ErrorState& s = state();
    std::string name = routine != nullptr ? routine : "";
    for (int level = 0; level < 2; ++level) {
        s.levelType[level] = static_cast<std::uint8_t>(type);
        s.levelCode[level] = code;
    }
    s.top = 0;
    s.stack[0].type = 0;
    s.stack[0].code = 0;
    s.trapped = 0;
    s.message.clear();
    throw StatsError(type, code, name);
}

}  // namespace stats_internal

using namespace stats_internal;

std::recursive_mutex& stats_library_mutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

namespace {

void ensureInitialised() {
    ErrorState& s = state();
    if (!s.initialised) {
        s.message.reserve(2048);
        s.searchPathSet = false;
        s.searchPath.clear();
        s.fileName.clear();
        s.initialised = true;
    }
}

void printAndTrace(int type, std::int32_t code, const char* name) {
    ErrorState& s = state();
    if (s.printer != nullptr) s.printer(type, code, name, s.message.c_str());
    if (s.tracebackFlag[type]) l_error_traceback();
}

// The message buffer could not grow: report that instead and stop.
[[noreturn]] void outOfMemoryInHandler() {
    ErrorState& s = state();
    Frame& f = s.stack[s.top];
    f.type = STATS_INTERNAL;
    f.code = 200;
    try {
        s.message.assign("Out of memory in error handler.");
        printAndTrace(STATS_INTERNAL, 200, f.name);
    } catch (const std::bad_alloc&) {
        s.message.clear();
    }
    stopLibrary(STATS_INTERNAL, 200, outerRoutineName());
}

}  // namespace

void l_error_push(const char* name) {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    ensureInitialised();
    ErrorState& s = state();
    if (s.top == 0) s.message.clear();
    if (s.top + 1 >= kFrameCount) {
        l_error_post(STATS_INTERNAL, 60000);
        // An INTERNAL error always stops; keep the frame count bounded anyway.
        stopLibrary(STATS_INTERNAL, 60000, outerRoutineName());
    }
    ++s.top;
    s.stack[s.top] = Frame{0, 0, 0, name != nullptr ? name : ""};
    s.levelType[0] = s.levelType[1] = 0;
    s.levelCode[0] = s.levelCode[1] = 0;
}

std::int32_t l_error_pop(const char* name) {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    ensureInitialised();
    ErrorState& s = state();
    if (name == nullptr) name = "";
    if (s.trapped) {
        s.trapped = 0;
        while (s.top > 0 && std::strcmp(s.stack[s.top].name, name) != 0) --s.top;
    }
    if (s.top == 0 || std::strcmp(s.stack[s.top].name, name) != 0) {
        l_set_string_arg(1, name);
        l_set_string_arg(2, s.stack[s.top].name);
        l_error_post(STATS_INTERNAL, 60001);
        stopLibrary(STATS_INTERNAL, 60001, outerRoutineName());
    }
    Frame& f = s.stack[s.top];
    Frame& below = s.stack[s.top - 1];
    bool stopNow = false;
    const int type = f.type;
    const std::int32_t code = f.code;
    const char* routine = f.name;
    if (below.userLevel) {
        if (s.hook != nullptr) s.hook(type, code, s.message.c_str());
        if (!s.message.empty() && s.printFlag[type]) printAndTrace(type, code, f.name);
        if (s.stopFlag[type]) stopNow = true;
    }
    if (below.type > f.type) {
        s.levelType[1] = f.type;
        s.levelCode[1] = f.code;
    } else {
        below.type = f.type;
        below.code = f.code;
        s.levelType[0] = s.levelType[1] = f.type;
        s.levelCode[0] = s.levelCode[1] = f.code;
    }
    --s.top;
    if (stopNow) stopLibrary(type, code, routine);
    return code;
}

void stats_e1mes(int type, std::int32_t code, const char* messageTemplate) {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    ensureInitialised();
    ErrorState& s = state();
    if (type < -1 || type > 8) {
        l_error_push("stats_e1mes");
        try {
            s.message = "Error type must be -1,...,8, but type = " + std::to_string(type) +
                        ".  Message = \"" + (messageTemplate != nullptr ? messageTemplate : "") + "\"";
        } catch (const std::bad_alloc&) {
            outOfMemoryInHandler();
        }
        Frame& f = s.stack[s.top];
        f.type = STATS_INTERNAL;
        f.code = 160;
        printAndTrace(STATS_INTERNAL, 160, f.name);
        stopLibrary(STATS_INTERNAL, 160, outerRoutineName());
    }
    Frame& f = s.stack[s.top];
    if (type == -1 && code == -1) {
        type = f.type;
        code = f.code;
    } else if (type == -1) {
        if (code > 0) f.code = code;
        s.levelType[0] = f.type;
        s.levelCode[0] = f.code;
        return;
    }
    if (type == 0 && code == 0) {
        s.message.clear();
        f.type = 0;
        f.code = 0;
        s.levelType[0] = 0;
        s.levelCode[0] = 0;
        return;
    }
    f.type = static_cast<std::uint8_t>(type);
    f.code = code;
    if (messageTemplate == nullptr || std::strcmp(messageTemplate, " ") == 0) {
        s.message.clear();
    } else {
        try {
            s.message = substituteTemplate(messageTemplate);
        } catch (const std::bad_alloc&) {
            outOfMemoryInHandler();
        }
    }
    if (kOutputAtOnce[type]) {
        if (s.hook != nullptr) s.hook(type, code, s.message.c_str());
        if (s.printFlag[type]) printAndTrace(type, code, f.name);
        s.message.clear();
    }
    if (type == STATS_INTERNAL) stopLibrary(type, code, outerRoutineName());
    s.levelType[0] = f.type;
    s.levelCode[0] = f.code;
}

void l_error_post(int type, std::int32_t code) {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    std::string text;
    try {
        text = l_message_text(code);
    } catch (const std::bad_alloc&) {
        text = "Error code " + std::to_string(code) + ".";
    }
    stats_e1mes(type, code, text.c_str());
}

void l_set_int_arg(int i, std::int32_t value) {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    if (i >= 1 && i <= 9) state().intArgs[i] = value;
}

void l_set_real_arg(int i, double value) {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    if (i >= 1 && i <= 9) state().realArgs[i] = value;
}

void l_set_string_arg(int i, const char* text) {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    if (i < 0) i = -i;
    if (i >= 1 && i <= 9) state().textArgs[i] = text != nullptr ? text : "";
}

namespace {

// Only level 0 (the current routine) and level 1 (its caller) are kept;
// another level posts internal error 122.
bool knownLevel(int level) {
    if (level == 0 || level == 1) return true;
    l_set_int_arg(1, 0);
    l_set_int_arg(2, 1);
    l_set_int_arg(3, level);
    l_set_string_arg(1, "level");
    l_error_post(STATS_INTERNAL, 122);
    return false;
}

}  // namespace

int l_error_type_at(int level) {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    if (!knownLevel(level)) return 0;
    return state().levelType[level];
}

std::int32_t l_error_code_at(int level) {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    if (!knownLevel(level)) return 0;
    return state().levelCode[level];
}

int l_error_top_type() {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    ErrorState& s = state();
    return s.stack[s.top].type;
}

std::int32_t l_error_level1_code() {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    return state().levelCode[1];
}

void l_error_set_hook(stats_error_hook_fn hook) {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    state().hook = hook;
}

void l_error_set_user_level(const char* text) {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    ErrorState& s = state();
    const bool set = text != nullptr && text[0] != '\0' && (text[1] == 'N' || text[1] == 'n');
    s.stack[s.top].userLevel = set ? 1 : 0;
    if (s.top == 0) s.stack[0].userLevel = 1;  // the caller's frame always stays the user level
}

int l_error_depth() {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    return state().top;
}

[[noreturn]] void l_error_stop() {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    ErrorState& s = state();
    const Frame& f = s.stack[s.top];
    stopLibrary(f.type, f.code, outerRoutineName());
}

void l_error_traceback() {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    ErrorState& s = state();
    std::FILE* out = errorStream();
    std::fputs("Here is a traceback of the calls in reverse order.\n"
               "  Error Type        Error Code              Routine\n"
               "  ----------        ----------              -------\n",
               out);
    const Frame* errorFrame = nullptr;
    for (int i = s.top; i >= 0; --i) {
        const Frame& f = s.stack[i];
        if (f.type != 0) errorFrame = &f;
        const bool listed = i == 0 || s.stack[i - 1].userLevel || s.fullTraceback;
        if (!listed) continue;
        if (errorFrame != nullptr && !f.userLevel) {
            std::string codeName = l_message_code_name(errorFrame->code);
            std::fprintf(out, " %5s%-9s   %-25s %s\n", "STATS_", typeName(errorFrame->type), codeName.c_str(),
                         f.name);
        } else {
            std::fprintf(out, " %5s%-9s   %-25s %s\n", "", "", "", f.name);
        }
        errorFrame = nullptr;
    }
    std::fflush(out);
}

void l_error_stream(int unit, std::FILE** stream) {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    ErrorState& s = state();
    errorStream();  // fills the unit table
    if (unit >= 1 && unit <= 3) {
        if (stream != nullptr) *stream = s.units[unit];
    } else if (unit <= -1 && unit >= -3) {
        if (stream != nullptr) s.units[-unit] = *stream;
    } else {
        l_set_int_arg(1, unit);
        l_error_post(STATS_TERMINAL, 12010);
    }
}

void l_check_range(std::int32_t x, const char* name, std::int32_t low, std::int32_t high, int* counter) {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    if (low <= high) {
        if (x < low || x > high) {
            l_set_int_arg(1, x);
            l_set_int_arg(2, low);
            l_set_int_arg(3, high);
            l_set_string_arg(1, name);
            l_error_post(STATS_TERMINAL, 602);
        }
    } else if (x < low) {
        l_set_int_arg(1, x);
        l_set_int_arg(2, low);
        l_set_string_arg(1, name);
        l_error_post(STATS_TERMINAL, 603);
    }
    if (counter != nullptr) ++*counter;
}

void l_check_le(std::int32_t a, const char* nameA, std::int32_t b, const char* nameB, int* counter) {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    if (a > b) {
        l_set_int_arg(1, a);
        l_set_int_arg(2, b);
        l_set_string_arg(1, nameA);
        l_set_string_arg(2, nameB);
        l_error_post(STATS_TERMINAL, 601);
    }
    if (counter != nullptr) ++*counter;
}

int l_check_error_type(int type, int low) {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    if (type >= low && type <= 7) return 1;
    l_set_int_arg(1, low);
    l_set_int_arg(2, 5);
    l_set_int_arg(3, type);
    l_set_string_arg(1, "type");
    l_error_post(STATS_TERMINAL, 132);
    return 0;
}

namespace {

void selectPrinter(int code) {
    ErrorState& s = state();
    if (code == STATS_PRINTER_MESSAGE_BOX) {
        s.printer = stats_message_box_printer;
        s.printerCode = STATS_PRINTER_MESSAGE_BOX;
    } else if (code == STATS_PRINTER_CONSOLE) {
        s.printer = stats_console_printer;
        s.printerCode = STATS_PRINTER_CONSOLE;
    } else {
        s.printer = stats_stderr_printer;
        s.printerCode = STATS_PRINTER_STDERR;
    }
}

std::uint8_t* flagTable(int option) {
    ErrorState& s = state();
    switch (option) {
        case STATS_OPT_GET_PRINT:
        case STATS_OPT_SET_PRINT:
            return s.printFlag;
        case STATS_OPT_GET_STOP:
        case STATS_OPT_SET_STOP:
            return s.stopFlag;
        default:
            return s.tracebackFlag;
    }
}

void parseErrorOptions(int option, va_list ap) {
    ErrorState& s = state();
    int position = 1;
    while (option != 0) {
        switch (option) {
            case STATS_OPT_MESSAGE_FILE: {
                const char* text = va_arg(ap, const char*);
                ++position;
                s.fileName = text != nullptr ? text : "";
                break;
            }
            case STATS_OPT_MESSAGE_PATH: {
                const char* text = va_arg(ap, const char*);
                ++position;
                s.searchPath = text != nullptr ? text : "";
                s.searchPathSet = text != nullptr;
                break;
            }
            case STATS_OPT_SET_PRINTER: {
                stats_printer_fn printer = va_arg(ap, stats_printer_fn);
                ++position;
                s.printer = printer != nullptr ? printer : stats_stderr_printer;
                break;
            }
            case STATS_OPT_FULL_TRACEBACK:
                s.fullTraceback = va_arg(ap, int);
                ++position;
                break;
            case STATS_OPT_GET_ERROR_STREAM: {
                std::FILE** out = va_arg(ap, std::FILE**);
                ++position;
                if (out != nullptr) *out = errorStream();
                break;
            }
            case STATS_OPT_GET_PRINT:
            case STATS_OPT_GET_STOP:
            case STATS_OPT_GET_TRACEBACK: {
                int type = va_arg(ap, int);
                int* out = va_arg(ap, int*);
                position += 2;
                if (l_check_error_type(type, 1) && out != nullptr) *out = flagTable(option)[type];
                break;
            }
            case STATS_OPT_SET_ERROR_STREAM: {
                std::FILE* stream = va_arg(ap, std::FILE*);
                ++position;
                errorStream();
                s.units[3] = stream;
                break;
            }
            case STATS_OPT_SET_PRINT:
            case STATS_OPT_SET_STOP:
            case STATS_OPT_SET_TRACEBACK: {
                int type = va_arg(ap, int);
                int value = va_arg(ap, int);
                position += 2;
                if (l_check_error_type(type, 1)) flagTable(option)[type] = value != 0 ? 1 : 0;
                break;
            }
            case STATS_OPT_SIGNAL_TRAP_ON:
                s.signalTrapping = 1;
                break;
            case STATS_OPT_SIGNAL_TRAP_OFF:
                s.signalTrapping = 0;
                break;
            case STATS_OPT_GET_PRINTER_CODE: {
                int* out = va_arg(ap, int*);
                ++position;
                if (out != nullptr) *out = s.printerCode;
                break;
            }
            case STATS_OPT_SELECT_PRINTER:
                selectPrinter(va_arg(ap, int));
                ++position;
                break;
            default:
                l_set_int_arg(1, option);
                l_set_int_arg(2, position);
                l_error_post(STATS_TERMINAL, 103);
                return;
        }
        option = va_arg(ap, int);
        ++position;
    }
}

}  // namespace

void stats_error_options(int option, ...) {
    RoutineScope scope("stats_error_options");
    va_list ap;
    va_start(ap, option);
    parseErrorOptions(option, ap);
    va_end(ap);
    scope.pop();
}

void stats_e1pos(int type, int* print, int* stop) {
    RoutineScope scope("stats_e1pos");
    ErrorState& s = state();
    if (type < -8 || type > 8) {
        l_set_int_arg(1, -8);
        l_set_int_arg(2, 8);
        l_set_int_arg(3, type);
        l_set_string_arg(1, "type");
        l_error_post(STATS_TERMINAL, 132);
    } else if (type == 0) {
        for (int t = 1; t <= 7; ++t) {
            if (print != nullptr && *print >= 0) s.printFlag[t] = *print != 0 ? 1 : 0;
            if (stop != nullptr && *stop >= 0) s.stopFlag[t] = *stop != 0 ? 1 : 0;
        }
    } else if (type > 0) {
        if (type <= 7) {
            if (print != nullptr && *print > 0) s.printFlag[type] = 1;
            if (stop != nullptr && *stop > 0) s.stopFlag[type] = 1;
        }
    } else {
        if (print != nullptr) *print = s.printFlag[-type];
        if (stop != nullptr) *stop = s.stopFlag[-type];
    }
    scope.pop();
}

int l_signal_trapping_enabled() {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    return state().signalTrapping;
}

void l_signal_trap(int) {
    // The library installs no process-wide signal handlers: a fault inside
    // a routine is the host's to handle. The setting is kept for callers
    // that query it.
}

RoutineScope::RoutineScope(const char* name)
    : lock_(stats_library_mutex()), name_(name), depth_(0), popped_(false) {
    depth_ = state().top;
    l_error_push(name);
}

RoutineScope::~RoutineScope() {
    if (!popped_) {
        ErrorState& s = state();
        if (s.top > depth_) s.top = depth_;
    }
}

std::int32_t RoutineScope::pop() {
    popped_ = true;
    return l_error_pop(name_);
}

StatsError::StatsError(int type, std::int32_t code, const std::string& routine)
    : type_(type), code_(code), routine_(routine) {
    text_ = std::string(typeName(type)) + " error " + std::to_string(code) + " in " + routine;
    // Trim the padding of the short type names.
    std::string::size_type pad = text_.find("  ");
    while (pad != std::string::npos) {
        text_.erase(pad, 1);
        pad = text_.find("  ");
    }
}
