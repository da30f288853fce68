// SeriesComputeCreateDecompositionIndex: one seasonal factor per position
// of the season, from the ratios (multiplicative) or differences
// (additive) of the values to their centred moving average over a range of
// history; stored as QD_DECOMPOSITION_INDEX (4004) and
// QD_INITIAL_SEASONAL_INDEX (4015) among the series' stored results, with
// the seasonal length and decomposition type recorded in the series.
//
// With useInitialIndex the factors come from the stored 4015 entry (its
// length is the season); the measured values are then kept as
// QD_MEASUREMENT (16) and no index is stored.
//
// compute() returns 0.0; the result is stored by the object itself.
#ifndef QD_SERIESCOMPUTE_SERIESCOMPUTECREATEDECOMPOSITIONINDEX_H
#define QD_SERIESCOMPUTE_SERIESCOMPUTECREATEDECOMPOSITIONINDEX_H

#include <cstdint>

#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesCompute.h"

namespace qd {

class SeriesComputeCreateDecompositionIndex : public SeriesCompute {
public:
    SeriesComputeCreateDecompositionIndex(std::int32_t last, std::int32_t count, std::int32_t SeasonalLength,
                                          std::int32_t decompType, bool useInitialIndex);
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_DECOMPOSITION_INDEX; }

    std::int32_t SeasonalLength;  // -3: detected in each series
    std::int32_t decompType;      // 1 additive, 2 multiplicative
    bool useInitialIndex;

private:
    // The checks in their order; resolves the range of this series into
    // last and count and returns the seasonal length to use.
    std::int32_t checkParameters(Series& series, std::int32_t& last, std::int32_t& count);
};

}  // namespace qd

#endif
