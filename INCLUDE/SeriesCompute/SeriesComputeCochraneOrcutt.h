// First-order autocorrelation of the errors of the range, sum e(t) e(t-1)
// over sum e(t-1)^2 (0 when that sum is below 1e-9).
#ifndef QD_SERIESCOMPUTE_SERIESCOMPUTECOCHRANEORCUTT_H
#define QD_SERIESCOMPUTE_SERIESCOMPUTECOCHRANEORCUTT_H

#include <cstdint>

#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesCompute.h"

namespace qd {

class SeriesComputeCochraneOrcutt : public SeriesCompute {
public:
    SeriesComputeCochraneOrcutt(std::int32_t last, std::int32_t count) : SeriesCompute(last, count) {}
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_COCHRANE_ORCUTT; }
};

}  // namespace qd

#endif
