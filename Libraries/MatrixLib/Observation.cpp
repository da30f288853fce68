#include "Matrix/Observation.h"

#include "Matrix/ElementIdentity.h"

namespace qd {

std::uint64_t Observation::ensureIdentity()
{
    if (identity_ == 0)
        identity_ = newElementIdentity();
    return identity_;
}

} // namespace qd
