// The module's operator new and delete, and its malloc and calloc. The
// runtime is linked statically, so these serve this module's allocations
// only; the host keeps its own.
#include "ModuleAllocation.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <new>

extern "C" void* __real_malloc(std::size_t size);
extern "C" void* __real_calloc(std::size_t count, std::size_t size);

namespace {

const std::size_t reserveSize = 10240;
void* emergencyReserve = nullptr;

#ifdef QD_ALLOCATION_PROBE
// The size limit of the test build: 0 means no limit.
std::size_t testLimit = 0;
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

// A C allocation of the module: the size limit applies to it too (it is not
// counted among the allocations a test can make fail).
bool cAllocationAllowed(std::size_t size)
{
    return testLimit == 0 || size <= testLimit;
}
#else
bool allowed(std::size_t)
{
    return true;
}

bool cAllocationAllowed(std::size_t)
{
    return true;
}

void counted(void*) {}
void released(void*) {}
#endif

} // namespace

void ModuleAllocation::restoreReserve() noexcept
{
    if (emergencyReserve == nullptr)
        emergencyReserve = __real_malloc(reserveSize);
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

#ifndef QD_ALLOCATION_PROBE
void ModuleAllocation::readTestLimit() {}
#else
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

extern "C" int QdAllocationTryMalloc(unsigned long long size)
{
    // Through a pointer the compiler cannot see through, so that the call is
    // made (a malloc freed at once could be left out).
    void* (*volatile allocate)(std::size_t) = &std::malloc;
    try {
        void* block = allocate(static_cast<std::size_t>(size));
        std::free(block);
        return block != nullptr ? 0 : 1;
    } catch (...) {
        return 3;
    }
}
#endif

// The module's C allocations (the link wraps every malloc and calloc of the
// module's own code and of the runtime parts linked into it; the host's are
// not touched) follow new-mode 1: a failure runs the handler of operator
// new, which gives the reserve back and raises code 3. Only while the
// reserve is held, that is for the first failure since the last report: a
// failure while that one unwinds or is reported (the runtime allocating
// the exception itself, say) answers null as a plain malloc does, so the
// caller's own fallback runs instead of the handler again.
namespace {

template <class Allocate>
void* allocateInNewMode(std::size_t size, Allocate allocate)
{
    for (;;) {
        void* block = cAllocationAllowed(size) ? allocate() : nullptr;
        if (block != nullptr || !ModuleAllocation::reserveHeld())
            return block;
        std::new_handler handler = std::get_new_handler();
        if (handler == nullptr)
            return nullptr;
        handler();
    }
}

} // namespace

extern "C" void* __wrap_malloc(std::size_t size)
{
    return allocateInNewMode(size, [size] { return __real_malloc(size); });
}

// A size that overflows is refused as a plain calloc does, without the
// handler.
extern "C" void* __wrap_calloc(std::size_t count, std::size_t size)
{
    if (size != 0 && count > SIZE_MAX / size)
        return nullptr;
    return allocateInNewMode(count * size, [count, size] { return __real_calloc(count, size); });
}

// The standard loop: allocate, else run the new-handler (which frees the
// emergency reserve and raises code 3) or fail with std::bad_alloc.
void* operator new(std::size_t size)
{
    if (size == 0)
        size = 1;
    for (;;) {
        void* block = allowed(size) ? __real_malloc(size) : nullptr;
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
