// BufferGrowth.h - capacity rule of growable byte buffers, and the version
// of the foundation library.
#ifndef FOUNDATION_BUFFERGROWTH_H
#define FOUNDATION_BUFFERGROWTH_H

#include <cstdint>

namespace qd {

// Next capacity of a buffer of `capacity` elements of `size` bytes: 16 below
// 16 elements, double while the buffer is below 2 GiB, then half-way towards
// the 4 GiB limit. A buffer that cannot grow within 32-bit sizes throws
// FdBoundsErr 4104.
std::uint32_t nextBufferCapacity(std::uint32_t capacity, std::uint32_t size);

// Version of the foundation library: 1799 (0x707).
constexpr std::uint32_t FD_FOUNDATION_VERSION = 0x707;
std::uint32_t foundationVersion();

} // namespace qd

#endif
