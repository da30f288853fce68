// BufferGrowth.cpp - capacity rule of growable byte buffers.
#include "Foundation/BufferGrowth.h"

#include "Foundation/FdExceptions.h"

namespace qd {

namespace {

[[noreturn]] void raiseOverflow()
{
    fdRaiseBounds(FDCORE_OVFLOW(), 33, "Buffer may not resize larger than", 4294967295u);
}

} // namespace

std::uint32_t nextBufferCapacity(std::uint32_t capacity, std::uint32_t size)
{
    if (capacity < 16)
        return 16;
    if (size == 0)
        size = 1;
    const std::uint64_t bytes = std::uint64_t(capacity) * size;
    if (bytes >= 4294967293u)
        raiseOverflow();
    if (bytes < 2147483648u)
        return 2 * capacity;
    const std::uint32_t next = static_cast<std::uint32_t>(4294967295u / (2 * std::uint64_t(size)) + capacity / 2);
    // Near the limit the rule would no longer grow the buffer: fail instead of
    // handing out a capacity that is not larger.
    if (next <= capacity)
        raiseOverflow();
    return next;
}

std::uint32_t foundationVersion()
{
    return FD_FOUNDATION_VERSION;
}

} // namespace qd
