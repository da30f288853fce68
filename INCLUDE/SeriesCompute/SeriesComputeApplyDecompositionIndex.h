// SeriesComputeApplyDecompositionIndex: puts the stored decomposition index
// (4004) back into a range of the series: each value, and each stored
// forecast (QD_FORECAST), is multiplied (type 2) or increased (type 1) by
// the factor of its season position.
//
// compute() returns 0.0; the series itself is changed.
#ifndef QD_SERIESCOMPUTE_SERIESCOMPUTEAPPLYDECOMPOSITIONINDEX_H
#define QD_SERIESCOMPUTE_SERIESCOMPUTEAPPLYDECOMPOSITIONINDEX_H

#include <cstdint>

#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesCompute.h"

namespace qd {

class SeriesComputeApplyDecompositionIndex : public SeriesCompute {
public:
    SeriesComputeApplyDecompositionIndex(std::int32_t last, std::int32_t count, std::int32_t decompType,
                                         bool unused = false);
    // A type other than 1 or 2 is refused (3082) before anything changes.
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_DECOMPOSITION_INDEX; }

    std::int32_t decompType;
    std::int32_t numFactors;  // found in the last compute
};

}  // namespace qd

#endif
