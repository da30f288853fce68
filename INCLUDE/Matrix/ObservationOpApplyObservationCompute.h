// Runs an observation compute on one observation and stores the result
// under its quantity type in the observation.
#ifndef QD_MATRIX_OBSERVATIONOPAPPLYOBSERVATIONCOMPUTE_H
#define QD_MATRIX_OBSERVATIONOPAPPLYOBSERVATIONCOMPUTE_H

#include <cstdint>

#include "Matrix/ComputeOp.h"
#include "Matrix/ObservationCompute.h"

namespace qd {

class ObservationOpApplyObservationCompute : public ObservationOp {
public:
    explicit ObservationOpApplyObservationCompute(ObservationCompute& compute) : compute(&compute) {}
    void apply(Observation& target) override;

    ObservationCompute* compute;   // not owned
};

} // namespace qd

#endif
