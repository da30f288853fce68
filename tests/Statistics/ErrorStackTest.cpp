// The error stack: posts, pops and severities with the resulting error
// levels and the exact printed text, message templates, settings, the
// traceback and the message files.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "Statistics/ErrorStack.h"
#include "Statistics/StatsError.h"
#include "StatsTestSupport.h"

namespace {

std::string blanks(std::size_t n) { return std::string(n, ' '); }

// Printer that records the last message handed to it.
std::string g_printed;
int g_printedType = -1;
void recordingPrinter(int type, std::int32_t, const char*, const char* message) {
    g_printedType = type;
    g_printed = message;
}

class RecordingPrinter {
public:
    RecordingPrinter() {
        g_printed.clear();
        g_printedType = -1;
        stats_error_options(STATS_OPT_SET_PRINTER, &recordingPrinter, 0);
    }
    ~RecordingPrinter() { stats_error_options(STATS_OPT_SET_PRINTER, static_cast<stats_printer_fn>(nullptr), 0); }
};

// The text a template gives with the current message arguments.
std::string substituted(const char* messageTemplate) {
    RecordingPrinter printer;
    l_error_push("format_test");
    stats_e1mes(STATS_WARNING_IMMEDIATE, 1, messageTemplate);
    l_error_pop("format_test");
    return g_printed;
}

}  // namespace

// Routine "outer" calls "mid", which calls "inner". Each row posts an error in
// "inner" (and optionally one in "outer" before or after the call) and checks
// the levels, what is written and whether the library stops.
TEST(ErrorStack, PostsPopsAndSeverities) {
    struct Row {
        const char* label;
        int outerBeforeType;
        std::int32_t outerBeforeCode;
        int innerType;
        std::int32_t innerCode;
        const char* innerTemplate;
        int outerAfterType;
        std::int32_t outerAfterCode;
        int level1TypeAfterMid;
        std::int32_t level1CodeAfterMid;
        int finalType;
        std::int32_t finalCode;
        bool stops;
        const char* printed;
    };
    const Row rows[] = {
        {"warning travels up and prints at the outermost return", 0, 0, STATS_WARNING, 11, "W11", 0, 0,
         STATS_WARNING, 11, STATS_WARNING, 11, false, "\n*** WARNING  Error 11 from outer.  W11\n\n"},
        {"fatal prints at the outermost return and stops", 0, 0, STATS_FATAL, 12, "F12", 0, 0, STATS_FATAL, 12,
         STATS_FATAL, 12, true, "\n*** FATAL    Error 12 from outer.  F12\n\n"},
        {"terminal prints once when posted and stops at the return", 0, 0, STATS_TERMINAL, 13, "T13", 0, 0,
         STATS_TERMINAL, 13, STATS_TERMINAL, 13, true, "\n*** TERMINAL Error from outer.  T13\n\n"},
        {"note and alert are silent", 0, 0, STATS_NOTE, 14, "N14", 0, 0, STATS_NOTE, 14, STATS_NOTE, 14, false, ""},
        {"a blank template prints nothing but still stops", 0, 0, STATS_FATAL, 15, " ", 0, 0, STATS_FATAL, 15,
         STATS_FATAL, 15, true, ""},
        {"immediate warning prints at once and does not stop", 0, 0, STATS_WARNING_IMMEDIATE, 16, "WI16", 0, 0,
         STATS_WARNING_IMMEDIATE, 16, STATS_WARNING_IMMEDIATE, 16, false,
         "\n*** WARNING_IMMEDIATE Error from outer.  WI16\n\n"},
        {"a more severe caller keeps its own error", STATS_FATAL, 20, STATS_NOTE, 22, nullptr, 0, 0, STATS_NOTE, 22,
         STATS_FATAL, 20, true, ""},
        {"a later error of the caller replaces the returned one", 0, 0, STATS_WARNING, 23, "W23", STATS_FATAL, 24,
         STATS_WARNING, 23, STATS_FATAL, 24, true, "\n*** FATAL    Error 24 from outer.  F24\n\n"},
    };
    for (const Row& row : rows) {
        CapturedErrorStream stream;
        l_error_push("outer");
        if (row.outerBeforeType != 0) stats_e1mes(row.outerBeforeType, row.outerBeforeCode, "before");
        l_error_push("mid");
        l_error_push("inner");
        stats_e1mes(row.innerType, row.innerCode, row.innerTemplate);
        EXPECT_EQ(row.innerType, l_error_type_at(0)) << row.label;
        EXPECT_EQ(row.innerCode, l_error_pop("inner")) << row.label;
        l_error_pop("mid");
        EXPECT_EQ(row.level1TypeAfterMid, l_error_type_at(1)) << row.label;
        EXPECT_EQ(row.level1CodeAfterMid, l_error_code_at(1)) << row.label;
        if (row.outerAfterType != 0) stats_e1mes(row.outerAfterType, row.outerAfterCode, "F24");
        bool stopped = false;
        try {
            l_error_pop("outer");
        } catch (const StatsError& e) {
            stopped = true;
            EXPECT_EQ(row.finalType, e.type()) << row.label;
            EXPECT_EQ(row.finalCode, e.code()) << row.label;
            EXPECT_EQ("outer", e.routine()) << row.label;
        }
        EXPECT_EQ(row.stops, stopped) << row.label;
        EXPECT_EQ(row.finalType, l_error_type_at(1)) << row.label;
        EXPECT_EQ(row.finalCode, l_error_code_at(1)) << row.label;
        EXPECT_EQ(0, l_error_depth()) << row.label;
        EXPECT_EQ(row.printed, stream.text()) << row.label;
        stats_e1mes(0, 0, nullptr);  // leave the caller's frame clean
    }
}

TEST(ErrorStack, RepostAndCodeOnlyPosts) {
    l_error_push("repost");
    stats_e1mes(STATS_NOTE, 31, "n");
    stats_e1mes(-1, 32, nullptr);  // code only
    EXPECT_EQ(STATS_NOTE, l_error_type_at(0));
    EXPECT_EQ(32, l_error_code_at(0));
    stats_e1mes(-1, 0, nullptr);  // neither -1 nor positive: changes nothing
    EXPECT_EQ(32, l_error_code_at(0));
    stats_e1mes(-1, -1, "again");  // re-post the current error
    EXPECT_EQ(STATS_NOTE, l_error_type_at(0));
    EXPECT_EQ(32, l_error_code_at(0));
    stats_e1mes(0, 0, nullptr);
    EXPECT_EQ(0, l_error_type_at(0));
    EXPECT_EQ(0, l_error_pop("repost"));
}

TEST(ErrorStack, NestingLimit) {
    CapturedErrorStream stream;
    for (int i = 0; i < 199; ++i) l_error_push("level");
    EXPECT_EQ(199, l_error_depth());
    try {
        l_error_push("one_too_many");
        ADD_FAILURE() << "the 200th frame was accepted";
    } catch (const StatsError& e) {
        EXPECT_EQ(STATS_INTERNAL, e.type());
        EXPECT_EQ(60000, e.code());
    }
    EXPECT_EQ(0, l_error_depth());
    EXPECT_EQ(STATS_INTERNAL, l_error_type_at(0));
    EXPECT_EQ(60000, l_error_code_at(1));
    // The machinery works normally again.
    l_error_push("after");
    EXPECT_EQ(0, l_error_pop("after"));
}

TEST(ErrorStack, PopOfAnotherName) {
    CapturedErrorStream stream;
    l_error_push("right");
    EXPECT_THROW(l_error_pop("wrong"), StatsError);
    EXPECT_EQ(60001, l_error_code_at(0));
    EXPECT_EQ(0, l_error_depth());
    EXPECT_THROW(l_error_pop("USER"), StatsError);  // the caller's frame is never popped
    EXPECT_EQ(0, l_error_depth());
}

TEST(ErrorStack, BadErrorType) {
    CapturedErrorStream stream;
    try {
        stats_e1mes(9, 5, "x");
        ADD_FAILURE();
    } catch (const StatsError& e) {
        EXPECT_EQ(STATS_INTERNAL, e.type());
        EXPECT_EQ(160, e.code());
    }
    const std::string text = stream.text();
    EXPECT_EQ(0u, text.find("\n*** INTERNAL Error from stats_e1mes.  Error type must be -1,...,8, but type\n"
                            "***          = 9.  Message = \"x\"\n\n"))
        << text;
    EXPECT_NE(std::string::npos, text.find("Here is a traceback of the calls in reverse order.\n"));
    // An INTERNAL error also stops from the caller's own level.
    EXPECT_THROW(l_error_type_at(2), StatsError);
    EXPECT_EQ(122, l_error_code_at(0));
    stats_e1mes(0, 0, nullptr);
}

TEST(ErrorStack, Templates) {
    l_set_int_arg(1, -12);
    l_set_int_arg(2, 7);
    l_set_real_arg(1, 3.14159);
    char caller[16] = "first";
    l_set_string_arg(1, caller);
    caller[0] = 'X';  // the argument was copied
    l_set_string_arg(-2, "second");
    l_set_int_arg(10, 99);  // ignored
    struct Case {
        const char* messageTemplate;
        const char* expected;
    };
    const Case cases[] = {
        {"%(i2)", "7"},
        {"[%(I1%5d)]", "[  -12]"},
        {"%(r1%6.2f)", "  3.14"},
        {"%(r1)", "3.141590e+00"},
        {"%(F1%.3e)", "3.142e+00"},
        {"%(s1) and %(L2)", "first and second"},
        {"|%(l1%-7s)|", "|first  |"},
        {"%(q1)", "%(q1)"},
        {"%(qz)", "%(qz)"},
        {"a%/b", "a\nb"},
        {"%(x", "%(x"},
        {"100% sure, %d %s %n", "100% sure, %d %s %n"},
        {"%(i1%n)", "-12"},
        {"%(i1%*d)", "-12"},
        {"%(s1%s%s%s)", "first"},
        {"%(r1%d)", "3.141590e+00"},
        {"%(i1%9999999d)", "-12"},
        {"%(i2) no close", "7 no close"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, substituted(c.messageTemplate)) << c.messageTemplate;
}

TEST(ErrorStack, LongMessagesAreFolded) {
    CapturedErrorStream stream;
    const char* message =
        "The quick brown fox jumps over the lazy dog while seventeen patient statisticians estimate the variance "
        "of a heavily seasonal series again. The quick ";
    l_error_push("fold_test");
    stats_e1mes(STATS_WARNING, 42, message);
    l_error_pop("fold_test");
    EXPECT_EQ(
        "\n*** WARNING  Error 42 from fold_test.  The quick brown fox jumps over the\n"
        "***          lazy dog while seventeen patient statisticians estimate the\n"
        "***          variance of a heavily seasonal series again. The quick \n\n",
        stream.text());
}

TEST(ErrorStack, LongHeaderStartsTheMessageOnItsOwnLine) {
    CapturedErrorStream stream;
    const char* name = "a_rather_long_routine_name_that_pushes_the_header_past_the_margin";
    l_error_push(name);
    stats_e1mes(STATS_WARNING, 42, "Short text%/second line");
    l_error_pop(name);
    EXPECT_EQ(std::string("\n*** WARNING  Error 42 from ") + name +
                  ".  \n***          Short text\n***          second line\n\n",
              stream.text());
}

TEST(ErrorStack, OneLongWordIsPrintedWhole) {
    CapturedErrorStream stream;
    const std::string word(120, 'w');
    l_error_push("word");
    stats_e1mes(STATS_WARNING, 1, (word + " end").c_str());
    l_error_pop("word");
    EXPECT_EQ("\n*** WARNING  Error 1 from word.  " + word + "\n***          end\n\n", stream.text());
}

TEST(ErrorStack, Traceback) {
    const std::string head =
        "Here is a traceback of the calls in reverse order.\n"
        "  Error Type        Error Code              Routine\n"
        "  ----------        ----------              -------\n";
    const std::string errorLine = " STATS_INTERNAL    77" + blanks(23) + " ";
    const std::string plainLine = blanks(44);
    {
        CapturedErrorStream stream;
        l_error_push("outer");
        l_error_push("inner");
        l_set_int_arg(1, 5);
        EXPECT_THROW(stats_e1mes(STATS_INTERNAL, 77, "Boom %(i1)"), StatsError);
        EXPECT_EQ("\n*** INTERNAL Error from outer.  Boom 5\n\n" + head + errorLine + "outer\n" + plainLine + "USER\n",
                  stream.text());
    }
    {
        CapturedErrorStream stream;
        stats_error_options(STATS_OPT_FULL_TRACEBACK, 1, 0);
        l_error_push("outer");
        l_error_push("inner");
        EXPECT_THROW(stats_e1mes(STATS_INTERNAL, 77, " "), StatsError);
        stats_error_options(STATS_OPT_FULL_TRACEBACK, 0, 0);
        EXPECT_EQ(head + errorLine + "inner\n" + plainLine + "outer\n" + plainLine + "USER\n", stream.text());
    }
    EXPECT_EQ(0, l_error_depth());
    stats_e1mes(0, 0, nullptr);
}

TEST(ErrorStack, Options) {
    int value = -1;
    stats_error_options(STATS_OPT_GET_PRINT, STATS_WARNING, &value, 0);
    EXPECT_EQ(1, value);
    stats_error_options(STATS_OPT_GET_STOP, STATS_TERMINAL, &value, 0);
    EXPECT_EQ(1, value);
    stats_error_options(STATS_OPT_GET_TRACEBACK, STATS_FATAL, &value, 0);
    EXPECT_EQ(0, value);
    {
        // With printing of warnings off, nothing is written for them.
        FlagSetting quiet(STATS_OPT_GET_PRINT, STATS_OPT_SET_PRINT, STATS_WARNING, 0);
        CapturedErrorStream stream;
        l_error_push("quiet");
        stats_e1mes(STATS_WARNING, 3, "hidden");
        l_error_pop("quiet");
        EXPECT_EQ("", stream.text());
    }
    stats_error_options(STATS_OPT_GET_PRINT, STATS_WARNING, &value, 0);
    EXPECT_EQ(1, value);

    // Printer selection and its code.
    int code = 0;
    stats_error_options(STATS_OPT_SELECT_PRINTER, STATS_PRINTER_CONSOLE, STATS_OPT_GET_PRINTER_CODE, &code, 0);
    EXPECT_EQ(STATS_PRINTER_CONSOLE, code);
    stats_error_options(STATS_OPT_SELECT_PRINTER, 12345, STATS_OPT_GET_PRINTER_CODE, &code, 0);
    EXPECT_EQ(STATS_PRINTER_STDERR, code);

    // Signal trapping is a setting only.
    stats_error_options(STATS_OPT_SIGNAL_TRAP_OFF, 0);
    EXPECT_EQ(0, l_signal_trapping_enabled());
    stats_error_options(STATS_OPT_SIGNAL_TRAP_ON, 0);
    EXPECT_EQ(1, l_signal_trapping_enabled());

    // Bad types and unknown codes are TERMINAL errors of the options routine.
    CapturedErrorStream stream;
    try {
        stats_error_options(STATS_OPT_SET_STOP, 8, 0, 0);
        ADD_FAILURE();
    } catch (const StatsError& e) {
        EXPECT_EQ(132, e.code());
        EXPECT_EQ("stats_error_options", e.routine());
    }
    stats_error_options(STATS_OPT_GET_STOP, STATS_TERMINAL, &value, 0);
    EXPECT_EQ(1, value);
    {
        auto keepGoing = stopFlag(STATS_TERMINAL, 0);
        RecordingPrinter printer;
        stats_error_options(STATS_OPT_FULL_TRACEBACK, 0, 4242, 0);
        EXPECT_EQ(STATS_TERMINAL, l_error_type_at(1));
        EXPECT_EQ(103, l_error_code_at(1));
        EXPECT_EQ("Error code 103.", g_printed);
    }
    EXPECT_THROW(stats_error_options(4242, 0), StatsError);
}

TEST(ErrorStack, E1pos) {
    int savedPrint[8], savedStop[8];
    for (int t = 1; t <= 7; ++t) stats_e1pos(-t, &savedPrint[t], &savedStop[t]);
    int print = -1, stop = -1;
    stats_e1pos(-STATS_FATAL, &print, &stop);
    EXPECT_EQ(1, print);
    EXPECT_EQ(1, stop);
    print = 0;
    stop = -1;  // leave the stop flags alone
    stats_e1pos(0, &print, &stop);
    stats_e1pos(-STATS_WARNING, &print, &stop);
    EXPECT_EQ(0, print);
    EXPECT_EQ(0, stop);
    stats_e1pos(-STATS_TERMINAL, &print, &stop);
    EXPECT_EQ(0, print);
    EXPECT_EQ(1, stop);
    // A positive type only switches flags on.
    print = 1;
    stop = 0;
    stats_e1pos(STATS_NOTE, &print, &stop);
    stats_e1pos(-STATS_NOTE, &print, &stop);
    EXPECT_EQ(1, print);
    EXPECT_EQ(0, stop);
    for (int t = 1; t <= 7; ++t) {
        stats_error_options(STATS_OPT_SET_PRINT, t, savedPrint[t], STATS_OPT_SET_STOP, t, savedStop[t], 0);
    }
    CapturedErrorStream stream;
    EXPECT_THROW(stats_e1pos(9, &print, &stop), StatsError);
    EXPECT_EQ(132, l_error_code_at(0));
}

TEST(ErrorStack, ArgumentChecks) {
    auto keepGoing = stopFlag(STATS_TERMINAL, 0);
    RecordingPrinter printer;
    int counter = 0;
    l_error_push("checks");
    l_check_range(5, "n", 1, 10, &counter);
    EXPECT_EQ(0, l_error_type_at(0));
    l_check_range(0, "n_random", 1, 0, &counter);
    EXPECT_EQ(603, l_error_code_at(0));
    stats_e1mes(0, 0, nullptr);
    l_check_range(11, "n", 1, 10, &counter);
    EXPECT_EQ(602, l_error_code_at(0));
    stats_e1mes(0, 0, nullptr);
    l_check_le(3, "a", 2, "b", &counter);
    EXPECT_EQ(601, l_error_code_at(0));
    stats_e1mes(0, 0, nullptr);
    EXPECT_EQ(1, l_check_error_type(7, 1));
    EXPECT_EQ(0, l_check_error_type(0, 1));
    EXPECT_EQ(132, l_error_code_at(0));
    stats_e1mes(0, 0, nullptr);
    l_error_pop("checks");
    EXPECT_EQ(4, counter);
}

TEST(ErrorStack, ErrorStreamUnits) {
    std::FILE* unit = nullptr;
    l_error_stream(3, &unit);
    std::FILE* options = nullptr;
    stats_error_options(STATS_OPT_GET_ERROR_STREAM, &options, 0);
    EXPECT_EQ(unit, options);
    l_error_stream(2, &unit);
    EXPECT_EQ(stdout, unit);
}

namespace {

struct Entry {
    std::uint16_t key;
    std::string text;
    std::string name;
};

// Writes a message file in the documented layout: header, keys, offsets,
// then the entries, each "template\0name\0", aligned to 2^shift bytes.
void writeMessageFile(const std::string& path, const std::vector<Entry>& entries, bool bigEndian, unsigned shift,
                      bool offsetsPastTheEnd = false, std::uint16_t magic = 29432) {
    const std::size_t n = entries.size();
    std::vector<unsigned char> bytes;
    auto putWord = [&](std::size_t at, std::uint16_t w) {
        if (bytes.size() < at + 2) bytes.resize(at + 2, 0);
        bytes[at] = static_cast<unsigned char>(bigEndian ? w >> 8 : w & 0xFF);
        bytes[at + 1] = static_cast<unsigned char>(bigEndian ? w & 0xFF : w >> 8);
    };
    std::size_t a = 0, b = 0;
    for (const Entry& e : entries) {
        a = std::max(a, e.text.size());
        b = std::max(b, e.name.size());
    }
    const std::uint16_t header[7] = {magic, 0, static_cast<std::uint16_t>(n), 0, static_cast<std::uint16_t>(a),
                                     static_cast<std::uint16_t>(b), static_cast<std::uint16_t>(shift)};
    for (int i = 0; i < 7; ++i) putWord(2 * i, header[i]);
    for (std::size_t i = 0; i < n; ++i) putWord(14 + 2 * i, entries[i].key);
    std::size_t base = 4 * n + 15;
    const std::size_t unit = std::size_t(1) << shift;
    if (shift > 0) base = (base + unit - 1) / unit * unit;
    std::size_t offset = shift == 0 ? 1 : 0;  // with no shift the base overlaps the last offset
    std::vector<std::size_t> offsets;
    for (const Entry& e : entries) {
        offsets.push_back(offset);
        const std::string record = e.text + '\0' + e.name + '\0';
        const std::size_t start = base + offset * unit;
        if (bytes.size() < start + record.size()) bytes.resize(start + record.size(), 0);
        std::copy(record.begin(), record.end(), bytes.begin() + static_cast<std::ptrdiff_t>(start));
        offset += (record.size() + unit - 1) / unit;
    }
    offsets.push_back(offset);
    if (offsetsPastTheEnd) offsets[n - 1] = 60000;
    for (std::size_t i = 0; i <= n; ++i) putWord(14 + 2 * n + 2 * i, static_cast<std::uint16_t>(offsets[i]));
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, f);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::string testDirectory(const char* name) {
    const std::string dir = std::string(QD_BINARY_DIR) + "/stats-test-" + name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

void useSearchPath(const char* path) {
    stats_error_options(STATS_OPT_MESSAGE_PATH, path, 0);
    l_message_files_release();
}

void setEnvironment(const char* name, const char* value) {
#ifdef _WIN32
    SetEnvironmentVariableA(name, value);
#else
    setenv(name, value, 1);
#endif
}

const std::vector<Entry> kEntries = {
    {7, "Seven %(r1%.1f)", "E_SEVEN"}, {12, "Value %(i1) is bad", "E_BAD"}, {400, "Last one", "E_LAST"}};

}  // namespace

TEST(MessageFiles, ReadInEveryLayout) {
    const std::string dir = testDirectory("layouts");
    struct Layout {
        bool bigEndian;
        unsigned shift;
    };
    for (Layout layout : {Layout{false, 0}, Layout{true, 0}, Layout{false, 2}, Layout{true, 3}}) {
        writeMessageFile(dir + "/egerr.bin", kEntries, layout.bigEndian, layout.shift);
        useSearchPath(dir.c_str());
        const std::string where = std::string(layout.bigEndian ? "big" : "little") + " shift " +
                                  std::to_string(layout.shift);
        EXPECT_EQ("Value %(i1) is bad", l_message_text(100012)) << where;
        EXPECT_EQ("E_BAD", l_message_code_name(100012)) << where;
        EXPECT_EQ("Seven %(r1%.1f)", l_message_text(100007)) << where;
        EXPECT_EQ("Last one", l_message_text(100400)) << where;
        EXPECT_EQ("E_LAST", l_message_code_name(100400)) << where;
        EXPECT_EQ("Error code 100013.", l_message_text(100013)) << where;
        EXPECT_EQ("100013", l_message_code_name(100013)) << where;

        CapturedErrorStream stream;
        l_error_push("lookup");
        l_set_int_arg(1, 42);
        l_error_post(STATS_WARNING, 100012);
        l_error_pop("lookup");
        EXPECT_EQ("\n*** WARNING  Error E_BAD from lookup.  Value 42 is bad\n\n", stream.text()) << where;
    }
    // Codes of 300000 and above have no file.
    EXPECT_EQ("Error code 300000.", l_message_text(300000));
    // The path may name environment variables; unset ones drop out.
    setEnvironment("QD_STATS_MESSAGE_DIR", dir.c_str());
    useSearchPath("$QD_STATS_UNSET_VARIABLE;$QD_STATS_MESSAGE_DIR");
    EXPECT_EQ("Last one", l_message_text(100400));
    useSearchPath(nullptr);
}

TEST(MessageFiles, MissingFileIsReportedOnce) {
    const std::string dir = testDirectory("empty");
    useSearchPath(dir.c_str());
    testing::internal::CaptureStderr();
    EXPECT_EQ("Error code 5.", l_message_text(5));
    EXPECT_EQ("Error code 7.", l_message_text(7));
    EXPECT_EQ("9", l_message_code_name(9));
    EXPECT_EQ("Error in reading stats_e.bin\nFile not found.\n", testing::internal::GetCapturedStderr());
    useSearchPath(nullptr);
}

TEST(MessageFiles, DamagedFilesCountAsAbsent) {
    const std::string dir = testDirectory("damaged");
    struct Damage {
        const char* label;
        bool offsetsPastTheEnd;
        std::uint16_t magic;
    };
    for (Damage d : {Damage{"offsets past the end", true, 29432}, Damage{"wrong magic", false, 0x1234}}) {
        writeMessageFile(dir + "/egerr.bin", kEntries, false, 1, d.offsetsPastTheEnd, d.magic);
        useSearchPath(dir.c_str());
        testing::internal::CaptureStderr();
        EXPECT_EQ("Error code 100012.", l_message_text(100012)) << d.label;
        EXPECT_EQ("Error code 100007.", l_message_text(100007)) << d.label;
        EXPECT_EQ("Error in reading egerr.bin\nFile is not in statserr.bin format.\n",
                  testing::internal::GetCapturedStderr())
            << d.label;
    }
    // A truncated file: the header is all there is.
    {
        std::FILE* f = std::fopen((dir + "/egerr.bin").c_str(), "wb");
        const unsigned char header[14] = {0xF8, 0x72, 0, 0, 200, 0, 0, 0, 10, 0, 10, 0, 0, 0};
        std::fwrite(header, 1, sizeof header, f);
        std::fclose(f);
        useSearchPath(dir.c_str());
        testing::internal::CaptureStderr();
        EXPECT_EQ("Error code 100012.", l_message_text(100012));
        EXPECT_EQ("Error in reading egerr.bin\nFile is not in statserr.bin format.\n",
                  testing::internal::GetCapturedStderr());
    }
    useSearchPath(nullptr);
}

namespace {

std::vector<std::string> g_hookCalls;
void recordingHook(int type, std::int32_t code, const char* message) {
    g_hookCalls.push_back(std::to_string(type) + "/" + std::to_string(code) + "/" + message);
}

}  // namespace

TEST(ErrorStack, UserHookSeesErrorsBeforeOutput) {
    CapturedErrorStream stream;
    auto keepGoing = stopFlag(STATS_TERMINAL, 0);
    g_hookCalls.clear();
    l_error_set_hook(&recordingHook);
    l_error_push("hooked");
    stats_e1mes(STATS_TERMINAL, 8, "at once");  // output at once: hook at the post
    stats_e1mes(STATS_WARNING, 9, "later");     // hook when returning to the caller
    l_error_pop("hooked");
    // Every return to the caller reaches the hook, a clean one as type 0.
    l_error_push("quiet");
    l_error_pop("quiet");
    l_error_set_hook(nullptr);
    ASSERT_EQ(3u, g_hookCalls.size());
    EXPECT_EQ("5/8/at once", g_hookCalls[0]);
    EXPECT_EQ("3/9/later", g_hookCalls[1]);
    EXPECT_EQ("0/0/", g_hookCalls[2]);
    EXPECT_EQ("\n*** TERMINAL Error from hooked.  at once\n\n\n*** WARNING  Error 9 from hooked.  later\n\n",
              stream.text());
    stats_e1mes(0, 0, nullptr);
}

TEST(ErrorStack, StopCarriesTypeCodeAndRoutine) {
    const StatsError e(STATS_TERMINAL, 9042, "stats_d_t_cdf");
    EXPECT_STREQ("TERMINAL error 9042 in stats_d_t_cdf", e.what());
    const StatsError f(STATS_FATAL, 9009, "stats_d_gamma");
    EXPECT_STREQ("FATAL error 9009 in stats_d_gamma", f.what());
}
