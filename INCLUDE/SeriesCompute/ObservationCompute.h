// The compute interfaces are part of the data model (docs/architecture.md):
// this name is kept for code written before they moved to Matrix/ObservationCompute.h.
#ifndef QD_SERIESCOMPUTE_OBSERVATIONCOMPUTE_FORWARD_H
#define QD_SERIESCOMPUTE_OBSERVATIONCOMPUTE_FORWARD_H

#include "Matrix/ObservationCompute.h"

#endif
