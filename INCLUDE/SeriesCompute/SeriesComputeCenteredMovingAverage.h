// The centered moving average of a series over one seasonal length,
// written into the observations under QD_CENTERED_MOVING_AVERAGE (17).
#ifndef QD_SERIESCOMPUTE_SERIESCOMPUTECENTEREDMOVINGAVERAGE_H
#define QD_SERIESCOMPUTE_SERIESCOMPUTECENTEREDMOVINGAVERAGE_H

#include <cstdint>

#include "Matrix/Series.h"

namespace qd {

// Odd L: the mean of L values, written at the window's middle; even L:
// the mean of two neighbouring L-means (the 2 x L average), written at
// the first middle of the later window. Returns the last value written.
// Range codes 3000, 3001, 3006, 3005; L < 1: 3051; fewer values than one
// window (L + 1 for even L): 3001.
double SeriesComputeCenteredMovingAverage(Series& series, std::int32_t last, std::int32_t count,
                                          std::int32_t seasonalLength);

}  // namespace qd

#endif
