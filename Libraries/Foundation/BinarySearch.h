// BinarySearch.h - exact-match binary search over a sorted array.
#ifndef FOUNDATION_BINARYSEARCH_H
#define FOUNDATION_BINARYSEARCH_H

#include <cstdint>

namespace qd {

// compare(element, key): negative, zero or positive as the element is below,
// equal to or above the key.
using FdCompareFunction = int (*)(const void* element, const void* key);

// Searches n elements of `width` bytes from base, sorted ascending, for one
// equal to key. True with its index written when found; false otherwise, with
// the index of the last element compared written (0 for an empty array).
bool binarySearch(const void* key, const void* base, std::uint32_t n, std::uint32_t width,
                  FdCompareFunction compare, std::uint32_t* index);

} // namespace qd

#endif
