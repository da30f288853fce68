// The module's operator new and delete. The runtime is linked statically,
// so these serve this module's allocations only; the host keeps its own.
#include "ModuleAllocation.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

// 0 means no limit.
std::size_t testLimit = 0;

const std::size_t reserveSize = 10240;
void* emergencyReserve = nullptr;

#ifdef QD_ALLOCATION_PROBE
unsigned long long made = 0;
long long live = 0;
unsigned long long failAt = 0; // the value of `made` whose allocation fails; 0: none
bool fired = false;

bool allowed(std::size_t size)
{
    ++made;
    if (failAt != 0 && made == failAt) {
        failAt = 0;
        fired = true;
        return false;
    }
    return testLimit == 0 || size <= testLimit;
}

void counted(void* block)
{
    if (block != nullptr) ++live;
}

void released(void* block)
{
    if (block != nullptr) --live;
}
#else
bool allowed(std::size_t size)
{
    return testLimit == 0 || size <= testLimit;
}

void counted(void*) {}
void released(void*) {}
#endif

} // namespace

void ModuleAllocation::readTestLimit()
{
    wchar_t text[32];
    const DWORD n = GetEnvironmentVariableW(L"QD_TEST_ALLOCATION_LIMIT", text, 32);
    if (n == 0 || n >= 32)
        return;
    unsigned long long limit = 0;
    for (DWORD i = 0; i < n; ++i) {
        if (text[i] < L'0' || text[i] > L'9' || limit > (~0ull - 9) / 10)
            return;
        limit = limit * 10 + static_cast<unsigned>(text[i] - L'0');
    }
    testLimit = limit > SIZE_MAX ? SIZE_MAX : static_cast<std::size_t>(limit);
}

void ModuleAllocation::restoreReserve() noexcept
{
    if (emergencyReserve == nullptr)
        emergencyReserve = std::malloc(reserveSize);
}

void ModuleAllocation::releaseReserve() noexcept
{
    void* block = emergencyReserve;
    emergencyReserve = nullptr;
    std::free(block);
}

bool ModuleAllocation::reserveHeld() noexcept
{
    return emergencyReserve != nullptr;
}

#ifdef QD_ALLOCATION_PROBE
extern "C" void QdAllocationArm(unsigned long long n)
{
    failAt = n == 0 ? 0 : made + n;
    if (n != 0)
        fired = false;
}

extern "C" void QdAllocationRead(QdAllocationCounters* counters)
{
    if (counters == nullptr)
        return;
    counters->made = made;
    counters->live = live;
    counters->fired = fired ? 1 : 0;
    counters->reserveHeld = emergencyReserve != nullptr ? 1 : 0;
}
#endif

// The standard loop: allocate, else run the new-handler (which frees the
// emergency reserve and raises code 3) or fail with std::bad_alloc.
void* operator new(std::size_t size)
{
    if (size == 0)
        size = 1;
    for (;;) {
        void* block = allowed(size) ? std::malloc(size) : nullptr;
        if (block != nullptr) {
            counted(block);
            return block;
        }
        std::new_handler handler = std::get_new_handler();
        if (handler == nullptr)
            throw std::bad_alloc();
        handler();
    }
}

void* operator new[](std::size_t size)
{
    return ::operator new(size);
}

void operator delete(void* block) noexcept
{
    released(block);
    std::free(block);
}

void operator delete[](void* block) noexcept
{
    ::operator delete(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    ::operator delete(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    ::operator delete(block);
}
