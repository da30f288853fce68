// Helpers shared by the numerical library's tests.
#ifndef TESTS_STATISTICS_STATSTESTSUPPORT_H
#define TESTS_STATISTICS_STATSTESTSUPPORT_H

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "Statistics/ErrorStack.h"
#include "Statistics/StatsError.h"

// Sends the library's error stream to a temporary file for the life of the
// object and gives back what was written.
class CapturedErrorStream {
public:
    // A file of our own in the working directory (the build tree): the
    // Windows C runtime's tmpfile() creates its files in the root of the
    // current drive with names that clash between test programs running at
    // the same time.
    CapturedErrorStream() : path_(uniquePath()), file_(std::fopen(path_.c_str(), "w+b")) {
        stats_error_options(STATS_OPT_GET_ERROR_STREAM, &previous_, 0);
        stats_error_options(STATS_OPT_SET_ERROR_STREAM, file_, 0);
    }
    ~CapturedErrorStream() {
        stats_error_options(STATS_OPT_SET_ERROR_STREAM, previous_, 0);
        if (file_ != nullptr) std::fclose(file_);
        std::remove(path_.c_str());
    }
    std::string text() const {
        std::string out;
        if (file_ == nullptr) return out;
        std::fflush(file_);
        long end = std::ftell(file_);
        std::rewind(file_);
        out.resize(static_cast<std::size_t>(end));
        if (end > 0) out.resize(std::fread(&out[0], 1, out.size(), file_));
        std::fseek(file_, 0, SEEK_END);
        return out;
    }

private:
    static std::string uniquePath() {
        static std::atomic<unsigned> counter{0};
        const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
        return "stats-capture-" + std::to_string(static_cast<unsigned long long>(now)) + "-" +
               std::to_string(counter++) + ".tmp";
    }

    std::string path_;
    std::FILE* file_;
    std::FILE* previous_ = nullptr;
};

// Sets the print, stop or traceback flag of an error type and restores it.
class FlagSetting {
public:
    FlagSetting(int getOption, int setOption, int type, int value) : setOption_(setOption), type_(type) {
        stats_error_options(getOption, type, &previous_, 0);
        stats_error_options(setOption, type, value, 0);
    }
    ~FlagSetting() { stats_error_options(setOption_, type_, previous_, 0); }

private:
    int setOption_;
    int type_;
    int previous_ = 0;
};

inline FlagSetting stopFlag(int type, int value) {
    return FlagSetting(STATS_OPT_GET_STOP, STATS_OPT_SET_STOP, type, value);
}

// The last error type and code seen by the caller.
inline void expectError(int type, std::int32_t code) {
    EXPECT_EQ(type, l_error_type_at(1));
    EXPECT_EQ(code, l_error_code_at(1));
}

// A call into the library that stops with the given error.
struct StoppingCall {
    const char* label;
    double (*call)();
    int type;
    std::int32_t code;
    const char* routine;
    bool nanResult;
};

// With the stop flag of its error type on (the default), the call leaves the
// library as StatsError carrying its error; the error stays posted and the
// call stack is unwound.
inline void expectStops(const StoppingCall& c) {
    try {
        c.call();
        ADD_FAILURE() << c.label << " did not stop";
    } catch (const StatsError& e) {
        EXPECT_EQ(c.type, e.type()) << c.label;
        EXPECT_EQ(c.code, e.code()) << c.label;
        EXPECT_EQ(c.routine, e.routine()) << c.label;
    }
    expectError(c.type, c.code);
}

// With the stop flag off the call returns its fixed value and posts the same
// error.
inline void expectReturnsWithoutStop(const StoppingCall& c) {
    auto keepGoing = stopFlag(c.type, 0);
    EXPECT_EQ(c.nanResult, std::isnan(c.call())) << c.label;
    expectError(c.type, c.code);
}

#endif
