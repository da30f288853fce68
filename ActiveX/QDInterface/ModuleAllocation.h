// The module's own operator new and delete, its malloc and calloc (which
// call the same failure handler as operator new), and the emergency
// reserve. The test build adds a size limit and a counted failure that
// tests of the allocation-failure path set.
#pragma once

#include <cstddef>

namespace ModuleAllocation {

// In the test build, reads QD_TEST_ALLOCATION_LIMIT from the host's
// environment: a decimal number of bytes. Any single allocation of this
// module larger than that then fails as if the heap were exhausted (the
// new-handler runs), on every architecture, instead of depending on the
// size of the address space. Unset, empty or not a number: no limit. Called
// once when the module loads. The shipped server never reads the variable:
// there it does nothing.
void readTestLimit();

// The emergency reserve: a block held while all is well and given back to
// the heap by the first allocation failure, so that the unwinding and the
// error report have room to allocate. restoreReserve takes it again after a
// failure has been reported (it does nothing while the reserve is held, or
// when the heap still cannot give it); releaseReserve frees it.
void restoreReserve() noexcept;
void releaseReserve() noexcept;
bool reserveHeld() noexcept;

} // namespace ModuleAllocation

#ifdef QD_ALLOCATION_PROBE
// The test build of the server (never the shipped one) counts the module's
// allocations and can make one of them fail, as if the heap were exhausted.
extern "C" {

struct QdAllocationCounters {
    unsigned long long made;  // allocations made since the module loaded
    long long live;           // blocks allocated and not yet freed
    int fired;                // the armed failure has happened
    int reserveHeld;          // the emergency reserve is held
};

// Arms the failure of the allocation `n` allocations from now (1: the next
// one); 0 disarms, leaving `fired` as it was. Only that one allocation fails.
void QdAllocationArm(unsigned long long n);
void QdAllocationRead(QdAllocationCounters* counters);
// Asks the module's malloc for `size` bytes as the engine's C code does:
// 0 when it gave them, 1 when it answered null, 3 when the allocation
// failure handler raised code 3.
int QdAllocationTryMalloc(unsigned long long size);
}
#endif
