// The centred moving average over one season and the t quantile and t
// probability that the decomposition index, the seasonal adjustment, the
// safety stock and the confidence interval use.
//
// These are stand-ins kept in their own namespace until the compute
// library's shared routines of the same names are available; the callers
// then switch to those and this file goes.
#ifndef QD_SERIESCOMPUTE_CENTEREDAVERAGEANDTVALUE_H
#define QD_SERIESCOMPUTE_CENTEREDAVERAGEANDTVALUE_H

#include <cstdint>

#include "Matrix/Series.h"

namespace qd {
namespace interim {

// Writes the centred moving average of length L (the 2 x L average for an
// even L) as QD_CENTERED_MOVING_AVERAGE (17) into the observations from
// start + L/2 to last - L/2 of the range; returns the last average written.
// last -2 and count -1 are resolved first. Range codes 3000, 3001, 3005,
// 3006; L < 1 is 3051; fewer than L (odd) or L + 1 (even) values 3001.
double centeredMovingAverage(Series& series, std::int32_t last, std::int32_t count, std::int32_t L);

// Student's t quantile at `level` (one-sided) or (level + 1) / 2
// (two-sided); level outside [0, 1) is 3088, df < 1 is 3146.
double computeTValue(double level, double df, bool oneSided);

// Student's t distribution function at t (one-sided), or the probability
// of lying within +-t (two-sided); t < 0 is 3147, df < 1 is 3146.
double computeTProbability(double t, double df, bool oneSided);

}  // namespace interim
}  // namespace qd

#endif
