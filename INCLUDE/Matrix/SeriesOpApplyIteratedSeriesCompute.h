// Runs a series statistic once per observation from `start` to the last,
// with the statistic's `last` set to that observation, and stores each
// result under the statistic's quantity type in that observation.
#ifndef QD_MATRIX_SERIESOPAPPLYITERATEDSERIESCOMPUTE_H
#define QD_MATRIX_SERIESOPAPPLYITERATEDSERIESCOMPUTE_H

#include <cstdint>

#include "Matrix/ComputeOp.h"
#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesOpApplyIteratedSeriesCompute : public SeriesOp {
public:
    SeriesOpApplyIteratedSeriesCompute(SeriesCompute& compute, std::int32_t start) : start(start), compute(&compute) {}
    void apply(Series& target) override;

    std::int32_t start;       // first observation; -2 (QD_LAST): the last one
    SeriesCompute* compute;   // not owned
};

} // namespace qd

#endif
