// Covariance and correlation of two series over one range, the pair
// routines of the matrix statistics.
#ifndef QD_SERIESCOMPUTE_SERIESCOMPUTECOVARIANCE_H
#define QD_SERIESCOMPUTE_SERIESCOMPUTECOVARIANCE_H

#include <cstdint>

#include "Matrix/Series.h"

namespace qd {

// Sum of (a - mean a)(b - mean b) over the range, divided by count - 1.
// QD_LAST and QD_ALL are resolved against the shorter series. Range codes
// 3000, 3001, 3006 (last beyond a, then beyond b) and 3005; count 1 fails
// with 3004, and so does a covariance too large for a double.
double SeriesComputeCovariance(Series& a, Series& b, std::int32_t last, std::int32_t count);

// Covariance over the product of the two standard deviations of the
// range; 0.0 when either deviation is below 1e-9 in absolute value.
double correlation(Series& a, Series& b, std::int32_t last, std::int32_t count);

}  // namespace qd

#endif
