// Element loops over strided doubles, shared by the vectors, the matrices
// and the LU factorisation. Strides are in elements and may be negative or
// zero; addresses are computed in std::ptrdiff_t.
#ifndef FOUNDATION_VECTORKERNELS_H
#define FOUNDATION_VECTORKERNELS_H

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

// BLAS level-1 kernels as LINPACK uses them.
// Index of the first largest |x[k]|: -1 for n < 1, 0 for n = 1.
std::int32_t idamax(std::int32_t n, const double* x, std::int32_t incx) noexcept;
// x <- s * x
void dscal(std::int32_t n, double s, double* x, std::int32_t incx) noexcept;
// y <- y + s * x
void daxpy(std::int32_t n, double s, const double* x, std::int32_t incx, double* y, std::int32_t incy) noexcept;
// sum of |x[k]|
double dasum(std::int32_t n, const double* x, std::int32_t incx) noexcept;
// sum of x[k] * y[k]
double ddot(std::int32_t n, const double* x, std::int32_t incx, const double* y, std::int32_t incy) noexcept;
// exchanges x and y
void dswap(std::int32_t n, double* x, std::int32_t incx, double* y, std::int32_t incy) noexcept;

} // namespace qd

#endif
