// Runs an observation compute on the observations from `start` to the last
// and stores each result under its quantity type in the observation.
#ifndef QD_MATRIX_SERIESOPAPPLYITERATEDOBSERVATIONCOMPUTE_H
#define QD_MATRIX_SERIESOPAPPLYITERATEDOBSERVATIONCOMPUTE_H

#include <cstdint>

#include "Matrix/ComputeOp.h"
#include "Matrix/ObservationCompute.h"

namespace qd {

class SeriesOpApplyIteratedObservationCompute : public SeriesOp {
public:
    SeriesOpApplyIteratedObservationCompute(ObservationCompute& compute, std::int32_t start) : start(start), compute(&compute) {}
    void apply(Series& target) override;

    std::int32_t start;            // first observation; -2 (QD_LAST): the last one
    ObservationCompute* compute;   // not owned
};

} // namespace qd

#endif
