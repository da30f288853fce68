// Partial autocorrelations from autocorrelations by the Yule-Walker
// equations.
#ifndef QD_SERIESCOMPUTE_SERIESCOMPUTEPACF_H
#define QD_SERIESCOMPUTE_SERIESCOMPUTEPACF_H

#include <cstdint>

#include "Matrix/Series.h"

namespace qd {

// Appends to pacfSeries one computed observation (empty description) per
// lag k = 1..numLagValues: the last element of R_k^-1 r_k, where R_k is the
// leading k x k block of the autocorrelation matrix (unit diagonal, the
// autocorrelation of lag |i - j| elsewhere) and r_k the autocorrelations of
// lags 1..k. Position i of acfSeries holds lag i + 1. numLagValues < 0:
// 3002; a singular block fails in the inversion.
void SeriesComputePACF(const Series& acfSeries, Series& pacfSeries, std::int32_t numLagValues);

}  // namespace qd

#endif
