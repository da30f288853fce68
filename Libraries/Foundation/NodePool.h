// NodePool.h - pool of small memory blocks.
//
// Requests of 1 to 10 bytes fall into five size classes (class k serves 2k+1
// and 2k+2 bytes); each class keeps a process-wide stack of at most five freed
// blocks for reuse. Other sizes, 0 included, go to the heap. Blocks come from
// operator new, so exhaustion throws std::bad_alloc. Not thread-safe: the
// engine runs on its caller's thread only.
#ifndef FOUNDATION_NODEPOOL_H
#define FOUNDATION_NODEPOOL_H

#include <cstdint>

namespace qd {

constexpr int NODE_POOL_CLASSES = 5;
constexpr int NODE_POOL_DEPTH = 5;

// A block of at least n bytes (n rounded up to an even number).
void* nodePoolAllocate(std::uint32_t n);
// Gives back a block obtained from nodePoolAllocate with the same n.
void nodePoolFree(void* block, std::uint32_t n);
// Frees every cached block.
void nodePoolFlush();
// Number of blocks cached in size class k (0 for a class outside 0..4).
std::uint32_t nodePoolCached(int k);

} // namespace qd

#endif
