// Helpers shared by the catalogue tests.
#ifndef QD_TESTS_CATALOGUE_SUPPORT_H
#define QD_TESTS_CATALOGUE_SUPPORT_H

#include <cstdint>
#include <string>

#include "Foundation/FdCString.h"

using namespace qd;

inline std::string toStd(const FdCString& s)
{
    return std::string(s.data(), s.length());
}

// 64-bit FNV-1a over a sequence of (code, text) records, each fed as the code
// in four little-endian bytes, the text's bytes and one NUL byte.
class RecordHash {
public:
    void add(std::int32_t code, const std::string& text)
    {
        const std::uint32_t u = static_cast<std::uint32_t>(code);
        for (int i = 0; i < 4; ++i)
            mix(static_cast<unsigned char>((u >> (8 * i)) & 0xFFu));
        for (unsigned char c : text)
            mix(c);
        mix(0);
    }
    std::uint64_t value() const { return h_; }

private:
    void mix(unsigned char b)
    {
        h_ ^= b;
        h_ *= 0x100000001b3ULL;
    }
    std::uint64_t h_ = 0xcbf29ce484222325ULL;
};

#endif
