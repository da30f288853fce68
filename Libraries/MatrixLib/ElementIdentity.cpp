#include "Matrix/ElementIdentity.h"

#include <atomic>

namespace qd {

namespace {
std::atomic<std::uint64_t> lastIdentity(0);
}

std::uint64_t newElementIdentity()
{
    return lastIdentity.fetch_add(1, std::memory_order_relaxed) + 1;
}

} // namespace qd
