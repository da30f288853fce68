#include "Foundation/VectorKernels.h"

#include <cstring>

namespace qd {

void copyStrided(std::uint32_t n, double* target, std::int32_t targetStride,
                 const double* source, std::int32_t sourceStride) noexcept
{
    if (n == 0) {
        return;
    }
    if (targetStride == 1 && sourceStride == 1) {
        std::memmove(target, source, static_cast<std::size_t>(n) * sizeof(double));
        return;
    }
    for (std::uint32_t k = 0; k < n; ++k) {
        *stridedAt(target, k, targetStride) = *stridedAt(source, k, sourceStride);
    }
}

void fillStrided(std::uint32_t n, double* target, std::int32_t stride, double value) noexcept
{
    for (std::uint32_t k = 0; k < n; ++k) {
        *stridedAt(target, k, stride) = value;
    }
}

void subtractScalarStrided(std::uint32_t n, double* target, const double* x, std::int32_t xStride, double s) noexcept
{
    for (std::uint32_t k = 0; k < n; ++k) {
        target[k] = *stridedAt(x, k, xStride) - s;
    }
}

void divideScalarStrided(std::uint32_t n, double* target, const double* x, std::int32_t xStride, double s) noexcept
{
    for (std::uint32_t k = 0; k < n; ++k) {
        target[k] = *stridedAt(x, k, xStride) / s;
    }
}

void multiplyStrided(std::uint32_t n, double* target, const double* x, std::int32_t xStride,
                     const double* z, std::int32_t zStride) noexcept
{
    for (std::uint32_t k = 0; k < n; ++k) {
        target[k] = *stridedAt(x, k, xStride) * *stridedAt(z, k, zStride);
    }
}

} // namespace qd
