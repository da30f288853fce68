// The compute interfaces over a whole matrix. MatrixCompute and
// MatrixForecast share one root, so that any matrix-level object can be
// destroyed through it.
#ifndef QD_MATRIX_MATRIXCOMPUTE_H
#define QD_MATRIX_MATRIXCOMPUTE_H

#include <cstdint>

namespace qd {

class Matrix;

class MatrixComputeRoot {
public:
    virtual ~MatrixComputeRoot() = default;
};

// A computation over a whole matrix; it stores its results itself
// (matrix-level quantities, per-series results, roles).
class MatrixCompute : public MatrixComputeRoot {
public:
    virtual void compute(Matrix& matrix) = 0;
};

// A forecasting method over a whole matrix; the appliers pass flag 1.
class MatrixForecast : public MatrixComputeRoot {
public:
    virtual void compute(Matrix& matrix, std::int32_t flag) = 0;
};

} // namespace qd

#endif
