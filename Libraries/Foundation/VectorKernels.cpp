#include "Foundation/VectorKernels.h"

#include <cmath>
#include <cstring>

namespace qd {

namespace {

inline std::ptrdiff_t offset(std::int32_t k, std::int32_t stride) noexcept
{
    return static_cast<std::ptrdiff_t>(k) * static_cast<std::ptrdiff_t>(stride);
}

}  // namespace

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

std::int32_t idamax(std::int32_t n, const double* x, std::int32_t incx) noexcept
{
    if (n < 1) {
        return -1;
    }
    if (n == 1) {
        return 0;
    }
    std::int32_t best = 0;
    double largest = std::fabs(x[0]);
    for (std::int32_t k = 1; k < n; ++k) {
        const double v = std::fabs(x[offset(k, incx)]);
        if (v > largest) {
            largest = v;
            best = k;
        }
    }
    return best;
}

void dscal(std::int32_t n, double s, double* x, std::int32_t incx) noexcept
{
    for (std::int32_t k = 0; k < n; ++k) {
        x[offset(k, incx)] *= s;
    }
}

void daxpy(std::int32_t n, double s, const double* x, std::int32_t incx, double* y, std::int32_t incy) noexcept
{
    if (n <= 0 || s == 0.0) {
        return;
    }
    for (std::int32_t k = 0; k < n; ++k) {
        y[offset(k, incy)] = y[offset(k, incy)] + s * x[offset(k, incx)];
    }
}

double dasum(std::int32_t n, const double* x, std::int32_t incx) noexcept
{
    double sum = 0.0;
    for (std::int32_t k = 0; k < n; ++k) {
        sum += std::fabs(x[offset(k, incx)]);
    }
    return sum;
}

double ddot(std::int32_t n, const double* x, std::int32_t incx, const double* y, std::int32_t incy) noexcept
{
    double sum = 0.0;
    for (std::int32_t k = 0; k < n; ++k) {
        sum += x[offset(k, incx)] * y[offset(k, incy)];
    }
    return sum;
}

void dswap(std::int32_t n, double* x, std::int32_t incx, double* y, std::int32_t incy) noexcept
{
    for (std::int32_t k = 0; k < n; ++k) {
        const double t = x[offset(k, incx)];
        x[offset(k, incx)] = y[offset(k, incy)];
        y[offset(k, incy)] = t;
    }
}

} // namespace qd
