// Substitution of message templates. A template may refer to the message
// arguments as "%(" kind digit [conversion] ")"; "%/" is a line break. The
// conversion taken from a template is used only when it is a plain printf
// conversion that fits the argument's kind, so outside text never reaches
// printf as a format.
#include <cstdio>
#include <cstring>
#include <string>

#include "Statistics/ErrorState.h"

namespace stats_internal {

namespace {

enum class Kind { Real, Int, Text };

// Checks "%[flags][width][.precision][length]conv" and builds a format of our
// own from its parts (length modifiers dropped). Returns false when the text
// is anything else.
bool buildFormat(const char* conv, std::size_t length, Kind kind, std::string* format) {
    if (length < 2 || conv[0] != '%') return false;
    std::size_t i = 1;
    std::string out = "%";
    while (i < length && std::strchr("-+ #0", conv[i]) != nullptr) out += conv[i++];
    std::size_t digits = 0;
    while (i < length && conv[i] >= '0' && conv[i] <= '9') {
        out += conv[i++];
        if (++digits > 3) return false;
    }
    if (i < length && conv[i] == '.') {
        out += conv[i++];
        digits = 0;
        while (i < length && conv[i] >= '0' && conv[i] <= '9') {
            out += conv[i++];
            if (++digits > 3) return false;
        }
    }
    while (i < length && (conv[i] == 'l' || conv[i] == 'h')) ++i;
    if (i + 1 != length) return false;
    const char c = conv[i];
    switch (kind) {
        case Kind::Real:
            if (std::strchr("eEfFgG", c) == nullptr) return false;
            break;
        case Kind::Int:
            if (std::strchr("diouxX", c) == nullptr) return false;
            break;
        case Kind::Text:
            if (c != 's') return false;
            break;
    }
    out += c;
    *format = out;
    return true;
}

template <class T>
std::string formatValue(const std::string& format, T value) {
    char small[64];
    int n = std::snprintf(small, sizeof small, format.c_str(), value);
    if (n < 0) return std::string();
    if (static_cast<std::size_t>(n) < sizeof small) return std::string(small, static_cast<std::size_t>(n));
    std::string big(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(&big[0], big.size(), format.c_str(), value);
    big.resize(static_cast<std::size_t>(n));
    return big;
}

}  // namespace

std::string formatInt(const char* conversion, std::size_t length, std::int32_t value) {
    std::string format;
    if (conversion == nullptr || !buildFormat(conversion, length, Kind::Int, &format)) format = "%d";
    return formatValue(format, static_cast<int>(value));
}

std::string formatReal(const char* conversion, std::size_t length, double value) {
    std::string format;
    if (conversion == nullptr || !buildFormat(conversion, length, Kind::Real, &format)) format = "%e";
    return formatValue(format, value);
}

std::string formatText(const char* conversion, std::size_t length, const std::string& value) {
    std::string format;
    if (conversion == nullptr || !buildFormat(conversion, length, Kind::Text, &format)) return value;
    return formatValue(format, value.c_str());
}

std::string substituteTemplate(const char* text) {
    ErrorState& s = state();
    std::string out;
    out.reserve(std::strlen(text) + 64);
    const char* p = text;
    while (*p != '\0') {
        if (p[0] == '%' && p[1] == '/') {
            out += '\n';
            p += 2;
            continue;
        }
        if (p[0] == '%' && p[1] == '(' && p[2] != '\0' && p[3] >= '0' && p[3] <= '9') {
            const char kind = p[2];
            const int index = p[3] - '0';
            const char* after = p + 4;
            const char* conv = nullptr;
            std::size_t convLength = 0;
            const char* close = std::strchr(after, ')');
            const char* end = close != nullptr ? close + 1 : after;
            if (*after == '%' && close != nullptr) {
                conv = after;
                convLength = static_cast<std::size_t>(close - after);
            }
            switch (kind) {
                case 'r': case 'd': case 'f': case 'R': case 'D': case 'F':
                    out += formatReal(conv, convLength, s.realArgs[index]);
                    break;
                case 'i': case 'I':
                    out += formatInt(conv, convLength, s.intArgs[index]);
                    break;
                case 's': case 'l': case 'S': case 'L':
                    out += formatText(conv, convLength, s.textArgs[index]);
                    break;
                default:
                    out += "%(";
                    out += kind;
                    out += p[3];
                    out += ')';
                    break;
            }
            p = end;
            continue;
        }
        out += *p++;
    }
    return out;
}

}  // namespace stats_internal
