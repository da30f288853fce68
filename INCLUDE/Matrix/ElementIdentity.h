// Identities of the elements of the data model.
//
// Every Series and every Observation can carry a 64-bit identity that no
// other element of the process ever had. It is 0 until someone asks for it
// (Series::identity(), Observation::ensureIdentity()); moving an element
// inside its container (insertion, removal, growth) carries it along, so an
// object that remembers (container, identity, last known index) finds its
// element again after the container changed, or learns that it is gone.
// See docs/handles.md.
#ifndef QD_MATRIX_ELEMENTIDENTITY_H
#define QD_MATRIX_ELEMENTIDENTITY_H

#include <cstdint>

namespace qd {

// A fresh identity, never 0, never handed out before in this process.
std::uint64_t newElementIdentity();

} // namespace qd

#endif
