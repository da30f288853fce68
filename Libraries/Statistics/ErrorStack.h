// Error stack of the numerical library: routine frames, typed errors with
// codes and message arguments, print/stop/traceback settings, message
// templates and the printers.
//
// Every library routine pushes its name on entry and pops it on exit (use
// RoutineScope). Errors are posted into the frame of the routine that found
// them; when control returns to the caller outside the library the error is
// printed and, when the stop flag of its type is set, the library stops by
// throwing StatsError.
#ifndef STATISTICS_ERRORSTACK_H
#define STATISTICS_ERRORSTACK_H

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>

// Error types; a larger type is more severe.
enum : int {
    STATS_NO_ERROR = 0,
    STATS_NOTE = 1,
    STATS_ALERT = 2,
    STATS_WARNING = 3,
    STATS_FATAL = 4,
    STATS_TERMINAL = 5,
    STATS_WARNING_IMMEDIATE = 6,
    STATS_FATAL_IMMEDIATE = 7,
    STATS_INTERNAL = 8
};

// Option codes of stats_error_options.
enum : int {
    STATS_OPT_MESSAGE_FILE = 11400,
    STATS_OPT_MESSAGE_PATH = 11410,
    STATS_OPT_SET_PRINTER = 11420,
    STATS_OPT_FULL_TRACEBACK = 11850,
    STATS_OPT_GET_ERROR_STREAM = 11970,
    STATS_OPT_GET_PRINT = 11990,
    STATS_OPT_GET_STOP = 12000,
    STATS_OPT_GET_TRACEBACK = 12010,
    STATS_OPT_SET_ERROR_STREAM = 14490,
    STATS_OPT_SET_PRINT = 14520,
    STATS_OPT_SET_STOP = 14530,
    STATS_OPT_SET_TRACEBACK = 14540,
    STATS_OPT_SIGNAL_TRAP_ON = 16040,
    STATS_OPT_SIGNAL_TRAP_OFF = 16041,
    STATS_OPT_GET_PRINTER_CODE = 50000,
    STATS_OPT_SELECT_PRINTER = 50010
};

// Printer codes.
enum : int {
    STATS_PRINTER_STDERR = 50020,
    STATS_PRINTER_MESSAGE_BOX = 50030,
    STATS_PRINTER_CONSOLE = 50040
};

typedef void (*stats_printer_fn)(int type, std::int32_t code, const char* name, const char* message);
typedef void (*stats_error_hook_fn)(int type, std::int32_t code, const char* message);

// The one process-wide lock of the library. Every public entry holds it for
// its whole run; callers that must make several calls as one step (such as
// the once-per-process seeding of the generator) hold it around them.
std::recursive_mutex& stats_library_mutex();

// Stack operations.
void l_error_push(const char* name);
std::int32_t l_error_pop(const char* name);
void stats_e1mes(int type, std::int32_t code, const char* messageTemplate);
void l_error_post(int type, std::int32_t code);

// Message arguments 1..9 (other indexes are ignored). Texts are copied.
void l_set_int_arg(int i, std::int32_t value);
void l_set_real_arg(int i, double value);
void l_set_string_arg(int i, const char* text);

// Error state for callers: level 0 is the error of the routine now running
// (or of the last post), level 1 the error of the routine most recently left.
int l_error_type_at(int level);
std::int32_t l_error_code_at(int level);
int l_error_top_type();
std::int32_t l_error_level1_code();
void l_error_set_hook(stats_error_hook_fn hook);
void l_error_set_user_level(const char* text);
int l_error_depth();  // number of open library routines

[[noreturn]] void l_error_stop();
void l_error_traceback();
void l_error_stream(int unit, std::FILE** stream);

// Argument checks; each adds 1 to *counter.
void l_check_range(std::int32_t x, const char* name, std::int32_t low, std::int32_t high, int* counter);
void l_check_le(std::int32_t a, const char* nameA, std::int32_t b, const char* nameB, int* counter);
int l_check_error_type(int type, int low);  // 1 passes, 0 fails

// Settings: option codes each followed by their values, closed by 0.
void stats_error_options(int option, ...);
void stats_e1pos(int type, int* print, int* stop);

// Message texts from the numbered message files.
std::string l_message_text(std::int32_t code);
std::string l_message_code_name(std::int32_t code);
// Closes the message files and returns their records to "not yet opened",
// so that the next lookup searches them again.
void l_message_files_release();

// Signal trapping is kept as a setting only: the library installs no signal
// handlers.
int l_signal_trapping_enabled();
void l_signal_trap(int on);

// Printers.
void stats_stderr_printer(int type, std::int32_t code, const char* name, const char* message);
void stats_message_box_printer(int type, std::int32_t code, const char* name, const char* message);
void stats_console_printer(int type, std::int32_t code, const char* name, const char* message);

#endif
