// The Ljung-Box portmanteau statistic of the forecast errors of a series,
// and the 95% chi-square critical values that judge it.
#ifndef QD_SERIESCOMPUTE_SERIESCOMPUTELJUNGBOX_H
#define QD_SERIESCOMPUTE_SERIESCOMPUTELJUNGBOX_H

#include <cstdint>

#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"
#include "Matrix/SeriesCompute.h"

namespace qd {

// Q = n (n + 2) sum over k = 1..L of r(k)^2 / (n - k), r the
// autocorrelations of the errors (actual minus stored forecast; an
// observation without one counts with forecast 0.0) of the count
// observations ending at last; n = count. count = L fails with 3004, more
// lags than errors with 3002; the range itself is not checked (an index
// outside the series fails in the observation lookup).
double ljungBox(Series& series, std::int32_t last, std::int32_t count, std::int32_t numLagValues);

// The 95% chi-square quantile to two decimals for 1 to 30 degrees of
// freedom, and 55.76 for any other number (0 and negative included).
double chiSquareCritical95(std::int32_t degreesOfFreedom);

class SeriesComputeLjungBox : public SeriesCompute {
public:
    SeriesComputeLjungBox(std::int32_t last, std::int32_t count, std::int32_t numLagValues)
        : SeriesCompute(last, count), numLagValues(numLagValues)
    {
    }
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_LJUNG_BOX; }

    std::int32_t numLagValues;
};

}  // namespace qd

#endif
