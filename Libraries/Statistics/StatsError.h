// The exception of the numerical library. The library reports its errors on
// its own error stack; only a stop (a FATAL or TERMINAL error when the
// outermost library routine returns, or an INTERNAL error at once) leaves
// the library, as this exception, after the message has been written. The
// compute library turns it into an engine failure.
#ifndef STATISTICS_STATSERROR_H
#define STATISTICS_STATSERROR_H

#include <cstdint>
#include <exception>
#include <string>

class StatsError : public std::exception {
public:
    StatsError(int type, std::int32_t code, const std::string& routine);

    // Error type: 4 FATAL, 5 TERMINAL or 8 INTERNAL.
    int type() const noexcept { return type_; }
    std::int32_t code() const noexcept { return code_; }
    // The library routine that the caller outside the library called.
    const std::string& routine() const noexcept { return routine_; }

    const char* what() const noexcept override { return text_.c_str(); }

private:
    int type_;
    std::int32_t code_;
    std::string routine_;
    std::string text_;
};

#endif
