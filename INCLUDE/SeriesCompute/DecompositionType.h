// Decomposition types of the seasonal methods (the values of the type
// library's XDecompostionType).
#ifndef QD_SERIESCOMPUTE_DECOMPOSITIONTYPE_H
#define QD_SERIESCOMPUTE_DECOMPOSITIONTYPE_H

#include <cstdint>

namespace qd {

constexpr std::int32_t kAdditiveDecomposition = 1;
constexpr std::int32_t kMultiplicativeDecomposition = 2;
constexpr std::int32_t kOptimizeDecomposition = 3;  // try both, keep the better fit

}  // namespace qd

#endif
