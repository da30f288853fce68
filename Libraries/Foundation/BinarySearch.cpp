// BinarySearch.cpp - exact-match binary search over a sorted array.
#include "Foundation/BinarySearch.h"

#include <cstddef>

namespace qd {

bool binarySearch(const void* key, const void* base, std::uint32_t n, std::uint32_t width,
                  FdCompareFunction compare, std::uint32_t* index)
{
    std::uint32_t dummy = 0;
    std::uint32_t& out = index != nullptr ? *index : dummy;
    out = 0;
    if (n == 0)
        return false;
    const unsigned char* bytes = static_cast<const unsigned char*>(base);
    auto element = [&](std::uint32_t i) { return bytes + std::size_t(i) * width; };
    std::uint32_t lo = 0;
    std::uint32_t hi = n - 1;
    while (hi > lo) {
        const std::uint32_t mid = lo + (hi - lo) / 2;
        out = mid;
        const int c = compare(element(mid), key);
        if (c == 0)
            return true;
        if (c > 0)
            hi = mid == 0 ? 0 : mid - 1;
        else
            lo = mid + 1;
    }
    out = lo;
    return compare(element(lo), key) == 0;
}

} // namespace qd
