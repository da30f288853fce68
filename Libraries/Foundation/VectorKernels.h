// Element loops over strided doubles, shared by the vectors, the matrices
// and the LU factorisation. Strides are in elements and may be negative or
// zero; addresses are computed in std::ptrdiff_t.
#ifndef FOUNDATION_VECTORKERNELS_H
#define FOUNDATION_VECTORKERNELS_H

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace qd {

// Address of element k of a strided run.
inline double* stridedAt(double* base, std::uint32_t k, std::int32_t stride) noexcept
{
    return base + static_cast<std::ptrdiff_t>(k) * static_cast<std::ptrdiff_t>(stride);
}
inline const double* stridedAt(const double* base, std::uint32_t k, std::int32_t stride) noexcept
{
    return base + static_cast<std::ptrdiff_t>(k) * static_cast<std::ptrdiff_t>(stride);
}

// target[k] = source[k] for k < n (a block move when both strides are 1).
void copyStrided(std::uint32_t n, double* target, std::int32_t targetStride,
                 const double* source, std::int32_t sourceStride) noexcept;
// target[k] = value for k < n.
void fillStrided(std::uint32_t n, double* target, std::int32_t stride, double value) noexcept;

// Element kernels writing n results into a contiguous target.
void subtractScalarStrided(std::uint32_t n, double* target, const double* x, std::int32_t xStride, double s) noexcept;
void divideScalarStrided(std::uint32_t n, double* target, const double* x, std::int32_t xStride, double s) noexcept;
void multiplyStrided(std::uint32_t n, double* target, const double* x, std::int32_t xStride,
                     const double* z, std::int32_t zStride) noexcept;

// BLAS level-1 kernels as LINPACK uses them, inline: the LU factorisation
// calls them on rows and columns of a few elements, where a call costs more
// than the loop.

// Offset of element k of a run with stride inc.
inline std::ptrdiff_t kernelOffset(std::int32_t k, std::int32_t inc) noexcept
{
    return static_cast<std::ptrdiff_t>(k) * static_cast<std::ptrdiff_t>(inc);
}

// Index of the first largest |x[k]|: -1 for n < 1, 0 for n = 1.
inline std::int32_t idamax(std::int32_t n, const double* x, std::int32_t incx) noexcept
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
        const double v = std::fabs(x[kernelOffset(k, incx)]);
        if (v > largest) {
            largest = v;
            best = k;
        }
    }
    return best;
}

// x <- s * x
inline void dscal(std::int32_t n, double s, double* x, std::int32_t incx) noexcept
{
    for (std::int32_t k = 0; k < n; ++k) {
        x[kernelOffset(k, incx)] *= s;
    }
}

// y <- y + s * x
inline void daxpy(std::int32_t n, double s, const double* x, std::int32_t incx, double* y,
                  std::int32_t incy) noexcept
{
    if (n <= 0 || s == 0.0) {
        return;
    }
    for (std::int32_t k = 0; k < n; ++k) {
        y[kernelOffset(k, incy)] = y[kernelOffset(k, incy)] + s * x[kernelOffset(k, incx)];
    }
}

// sum of |x[k]|
inline double dasum(std::int32_t n, const double* x, std::int32_t incx) noexcept
{
    double sum = 0.0;
    for (std::int32_t k = 0; k < n; ++k) {
        sum += std::fabs(x[kernelOffset(k, incx)]);
    }
    return sum;
}

// sum of x[k] * y[k]
inline double ddot(std::int32_t n, const double* x, std::int32_t incx, const double* y,
                   std::int32_t incy) noexcept
{
    double sum = 0.0;
    for (std::int32_t k = 0; k < n; ++k) {
        sum += x[kernelOffset(k, incx)] * y[kernelOffset(k, incy)];
    }
    return sum;
}

// exchanges x and y
inline void dswap(std::int32_t n, double* x, std::int32_t incx, double* y, std::int32_t incy) noexcept
{
    for (std::int32_t k = 0; k < n; ++k) {
        const double t = x[kernelOffset(k, incx)];
        x[kernelOffset(k, incx)] = y[kernelOffset(k, incy)];
        y[kernelOffset(k, incy)] = t;
    }
}

} // namespace qd

#endif
