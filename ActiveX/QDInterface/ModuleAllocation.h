// The module's own operator new and delete, with a size limit that tests of
// the allocation-failure path can set.
#pragma once

namespace ModuleAllocation {

// Reads QD_TEST_ALLOCATION_LIMIT from the host's environment: a decimal
// number of bytes. Any single allocation of this module larger than that
// then fails as if the heap were exhausted (the new-handler runs), on every
// architecture, instead of depending on the size of the address space.
// Unset, empty or not a number: no limit. Called once when the module loads.
void readTestLimit();

} // namespace ModuleAllocation
