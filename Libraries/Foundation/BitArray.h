// BitArray.h - byte-wise operations on bit arrays.
//
// A bit array is a plain byte array; bit i is bit (i mod 8) of byte i / 8,
// least significant first.
#ifndef FOUNDATION_BITARRAY_H
#define FOUNDATION_BITARRAY_H

#include <cstdint>

namespace qd {

// target[i] op= source[i] for the n bytes.
void bitsOr(std::uint8_t* target, const std::uint8_t* source, std::uint32_t n);
void bitsXor(std::uint8_t* target, const std::uint8_t* source, std::uint32_t n);
void bitsAnd(std::uint8_t* target, const std::uint8_t* source, std::uint32_t n);

// Index of the first set (clear) bit among the first n bits, FD_NPOS when
// there is none. Bits of the last partial byte beyond n are ignored.
std::uint32_t firstSet(const std::uint8_t* bits, std::uint32_t n);
std::uint32_t firstClear(const std::uint8_t* bits, std::uint32_t n);

// Partial-word masks: row r has its first r bytes 0xFF, the rest 0.
extern const std::uint8_t FD_PARTIAL_WORD_MASK[4][4];

} // namespace qd

#endif
