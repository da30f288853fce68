// The forecast error of one observation: its value minus its stored
// forecast (QD_FORECAST), 0.0 when it holds none; stored under
// QD_ERRORTERM (0).
#ifndef QD_SERIESCOMPUTE_OBSERVATIONCOMPUTEERROR_H
#define QD_SERIESCOMPUTE_OBSERVATIONCOMPUTEERROR_H

#include <cstdint>

#include "Matrix/Observation.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/ObservationCompute.h"

namespace qd {

// The same computation as a plain routine.
double observationError(const Observation& observation);

class ObservationComputeError : public ObservationCompute {
public:
    double compute(Observation& observation) override;
    std::int32_t quantityId() const override { return QD_ERRORTERM; }
};

} // namespace qd

#endif
