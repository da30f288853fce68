// The sum of squares of the fitted values about the mean of the actual
// values over a range; cached in the series' statistics.
#ifndef QD_SERIESCOMPUTE_SERIESCOMPUTESUMSQUAREDREGRESSION_H
#define QD_SERIESCOMPUTE_SERIESCOMPUTESUMSQUAREDREGRESSION_H

#include <cstdint>

#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"
#include "Matrix/SeriesCompute.h"

namespace qd {

double sumSquaredRegression(Series& series, std::int32_t last, std::int32_t count);

class SeriesComputeSumSquaredRegression : public SeriesCompute {
public:
    SeriesComputeSumSquaredRegression(std::int32_t last, std::int32_t count) : SeriesCompute(last, count) {}
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_SUM_SQUARED_REGRESSION; }
};

}  // namespace qd

#endif
