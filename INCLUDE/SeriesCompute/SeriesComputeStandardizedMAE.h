// Mean absolute error over the mean of the absolute values (0 when that
// mean is 0).
#ifndef QD_SERIESCOMPUTE_SERIESCOMPUTESTANDARDIZEDMAE_H
#define QD_SERIESCOMPUTE_SERIESCOMPUTESTANDARDIZEDMAE_H

#include <cstdint>

#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesCompute.h"

namespace qd {

class SeriesComputeStandardizedMAE : public SeriesCompute {
public:
    SeriesComputeStandardizedMAE(std::int32_t last, std::int32_t count) : SeriesCompute(last, count) {}
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_STANDARDIZED_MAE; }
};

}  // namespace qd

#endif
