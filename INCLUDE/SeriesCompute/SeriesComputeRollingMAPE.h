// Per observation from `last` to the end of the series, the mean absolute
// percentage error (a fraction) of the `count` observations ending there,
// stored under QD_ROLLING_MAPE (33). Returns 0.
#ifndef QD_SERIESCOMPUTE_SERIESCOMPUTEROLLINGMAPE_H
#define QD_SERIESCOMPUTE_SERIESCOMPUTEROLLINGMAPE_H

#include <cstdint>
#include <vector>

#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesCompute.h"

namespace qd {

class SeriesComputeRollingMAPE : public SeriesCompute {
public:
    SeriesComputeRollingMAPE(std::int32_t last, std::int32_t count) : SeriesCompute(last, count) {}
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_ROLLING_MAPE; }
};

// Absolute percentage errors (fractions) of observations first .. the end
// of the series, 0 where the actual value is within 1e-12 of zero.
std::vector<double> absolutePercentageErrors(Series& series, std::int32_t first);

}  // namespace qd

#endif
