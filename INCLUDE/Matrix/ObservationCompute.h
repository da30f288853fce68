// ObservationCompute: a computation on one observation that yields one
// double. Its objects live on the caller's stack and are never deleted
// through this interface.
#ifndef QD_MATRIX_OBSERVATIONCOMPUTE_H
#define QD_MATRIX_OBSERVATIONCOMPUTE_H

#include <cstdint>

#include "Matrix/Observation.h"

namespace qd {

class ObservationCompute {
public:
    virtual double compute(Observation& observation) = 0;
    // The quantity type (0-36) under which the result is stored.
    virtual std::int32_t quantityId() const = 0;

protected:
    ObservationCompute() = default;
    ObservationCompute(const ObservationCompute&) = default;
    ObservationCompute& operator=(const ObservationCompute&) = default;
    ~ObservationCompute() = default;
};

} // namespace qd

#endif
