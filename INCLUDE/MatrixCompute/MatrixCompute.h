// The compute interfaces are part of the data model (docs/architecture.md):
// this name is kept for code written before they moved to Matrix/MatrixCompute.h.
#ifndef QD_MATRIXCOMPUTE_MATRIXCOMPUTE_FORWARD_H
#define QD_MATRIXCOMPUTE_MATRIXCOMPUTE_FORWARD_H

#include "Matrix/MatrixCompute.h"

#endif
