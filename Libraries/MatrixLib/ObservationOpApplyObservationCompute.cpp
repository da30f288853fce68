#include "Matrix/ObservationOpApplyObservationCompute.h"

#include "Matrix/Observation.h"

namespace qd {

void ObservationOpApplyObservationCompute::apply(Observation& observation)
{
    const double v = compute->compute(observation);
    observation.storedResults.store(compute->quantityId(), v);
}

} // namespace qd
