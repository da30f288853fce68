#include "Matrix/ObservationOpApplyObservationCompute.h"

#include "Matrix/Observation.h"

void ObservationOpApplyObservationCompute::apply(Observation& observation)
{
    const double v = compute->compute(observation);
    observation.storedResults.store(compute->quantityId(), v);
}
