// BitArray.cpp - byte-wise operations on bit arrays.
#include "Foundation/BitArray.h"

#include "Foundation/FdCString.h"

namespace qd {

const std::uint8_t FD_PARTIAL_WORD_MASK[4][4] = {
    {0x00, 0x00, 0x00, 0x00},
    {0xFF, 0x00, 0x00, 0x00},
    {0xFF, 0xFF, 0x00, 0x00},
    {0xFF, 0xFF, 0xFF, 0x00},
};

void bitsOr(std::uint8_t* target, const std::uint8_t* source, std::uint32_t n)
{
    for (std::uint32_t i = 0; i < n; ++i)
        target[i] = static_cast<std::uint8_t>(target[i] | source[i]);
}

void bitsXor(std::uint8_t* target, const std::uint8_t* source, std::uint32_t n)
{
    for (std::uint32_t i = 0; i < n; ++i)
        target[i] = static_cast<std::uint8_t>(target[i] ^ source[i]);
}

void bitsAnd(std::uint8_t* target, const std::uint8_t* source, std::uint32_t n)
{
    for (std::uint32_t i = 0; i < n; ++i)
        target[i] = static_cast<std::uint8_t>(target[i] & source[i]);
}

namespace {

std::uint32_t firstOne(const std::uint8_t* bits, std::uint32_t n, bool complement)
{
    const std::uint32_t fullBytes = n / 8;
    const std::uint32_t partialBits = n % 8;
    const std::uint32_t bytes = fullBytes + (partialBits != 0 ? 1 : 0);
    for (std::uint32_t b = 0; b < bytes; ++b) {
        unsigned byte = complement ? (~bits[b] & 0xFFu) : bits[b];
        if (b == fullBytes)
            byte &= (1u << partialBits) - 1u;
        if (byte == 0)
            continue;
        for (std::uint32_t pair = 0; pair < 4; ++pair) {
            unsigned two = (byte >> (2 * pair)) & 3u;
            if (two != 0)
                return 8 * b + 2 * pair + ((two & 1u) != 0 ? 0 : 1);
        }
    }
    return FD_NPOS;
}

} // namespace

std::uint32_t firstSet(const std::uint8_t* bits, std::uint32_t n)
{
    return firstOne(bits, n, false);
}

std::uint32_t firstClear(const std::uint8_t* bits, std::uint32_t n)
{
    return firstOne(bits, n, true);
}

} // namespace qd
