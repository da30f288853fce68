// The natural logarithm of one observation's value, stored under QD_LOG
// (2); a value at or below 0 fails with 3003.
#ifndef QD_SERIESCOMPUTE_OBSERVATIONCOMPUTELOG_H
#define QD_SERIESCOMPUTE_OBSERVATIONCOMPUTELOG_H

#include <cstdint>

#include "Matrix/Observation.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/ObservationCompute.h"

namespace qd {

class ObservationComputeLog : public ObservationCompute {
public:
    double compute(Observation& observation) override;
    std::int32_t quantityId() const override { return QD_LOG; }
};

} // namespace qd

#endif
