// The compute interfaces are part of the data model (docs/architecture.md):
// this name is kept for code written before they moved to Matrix/SeriesCompute.h.
#ifndef QD_SERIESCOMPUTE_SERIESCOMPUTE_FORWARD_H
#define QD_SERIESCOMPUTE_SERIESCOMPUTE_FORWARD_H

#include "Matrix/SeriesCompute.h"

#endif
