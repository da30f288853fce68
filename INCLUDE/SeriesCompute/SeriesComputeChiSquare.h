// Chi-square statistic of the fitted values, sum of (actual - fitted)^2 /
// fitted over the range (fitted values within 1e-12 of zero skipped), or
// its upper-tail probability with count - k - 1 degrees of freedom.
#ifndef QD_SERIESCOMPUTE_SERIESCOMPUTECHISQUARE_H
#define QD_SERIESCOMPUTE_SERIESCOMPUTECHISQUARE_H

#include <cstdint>

#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesCompute.h"

namespace qd {

class SeriesComputeChiSquare : public SeriesCompute {
public:
    SeriesComputeChiSquare(std::int32_t last, std::int32_t count, std::int32_t numParameters,
                           bool bCalculatePossibility)
        : SeriesCompute(last, count), numParameters(numParameters), bCalculatePossibility(bCalculatePossibility)
    {
    }
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_CHI_SQUARE; }

    std::int32_t numParameters;   // -3: the latest method's own count (1 when unknown)
    bool bCalculatePossibility;   // answer the upper-tail probability
};

}  // namespace qd

#endif
