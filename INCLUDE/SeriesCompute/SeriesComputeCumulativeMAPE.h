// Per observation from `last` to the end of the series, the mean absolute
// percentage error (a fraction) from the first observation of the range up
// to it, stored under QD_CUMULATIVE_MAPE (34). Returns 0.
#ifndef QD_SERIESCOMPUTE_SERIESCOMPUTECUMULATIVEMAPE_H
#define QD_SERIESCOMPUTE_SERIESCOMPUTECUMULATIVEMAPE_H

#include <cstdint>

#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesCompute.h"

namespace qd {

class SeriesComputeCumulativeMAPE : public SeriesCompute {
public:
    SeriesComputeCumulativeMAPE(std::int32_t last, std::int32_t count) : SeriesCompute(last, count) {}
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_CUMULATIVE_MAPE; }
};

}  // namespace qd

#endif
