// NodePool.cpp - pool of small memory blocks.
#include "Foundation/NodePool.h"

#include <cstddef>
#include <new>

namespace qd {

namespace {

void* gCache[NODE_POOL_CLASSES][NODE_POOL_DEPTH];
std::uint16_t gCount[NODE_POOL_CLASSES];

// Size class of a request: (n + 1) / 2 - 1; -1 for a request of 0 bytes and
// NODE_POOL_CLASSES for anything above the pooled sizes.
int sizeClass(std::uint32_t n)
{
    if (n > 2 * NODE_POOL_CLASSES)
        return NODE_POOL_CLASSES;
    return static_cast<int>((n + 1) / 2) - 1;
}

bool pooled(int k)
{
    return k >= 0 && k < NODE_POOL_CLASSES;
}

} // namespace

void* nodePoolAllocate(std::uint32_t n)
{
    const int k = sizeClass(n);
    if (pooled(k) && gCount[k] != 0)
        return gCache[k][--gCount[k]];
    // n rounded up to an even number of bytes; a size that no longer fits in
    // 32 bits is refused rather than wrapped to 0.
    const std::uint64_t bytes = std::uint64_t(n) + (n & 1u);
    if (bytes > 0xFFFFFFFFu || bytes > std::uint64_t(PTRDIFF_MAX))
        throw std::bad_alloc();
    return ::operator new(static_cast<std::size_t>(bytes));
}

void nodePoolFree(void* block, std::uint32_t n)
{
    if (block == nullptr)
        return;
    const int k = sizeClass(n);
    if (pooled(k) && gCount[k] < NODE_POOL_DEPTH) {
        gCache[k][gCount[k]++] = block;
        return;
    }
    ::operator delete(block);
}

void nodePoolFlush()
{
    for (int k = 0; k < NODE_POOL_CLASSES; ++k) {
        while (gCount[k] != 0)
            ::operator delete(gCache[k][--gCount[k]]);
    }
}

std::uint32_t nodePoolCached(int k)
{
    return pooled(k) ? gCount[k] : 0;
}

} // namespace qd
