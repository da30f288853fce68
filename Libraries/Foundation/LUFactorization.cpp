#include "Foundation/LUFactorization.h"

#include "Foundation/FdExceptions.h"
#include "Foundation/VectorKernels.h"

#include <cmath>
#include <cstddef>
#include <vector>

namespace qd {

namespace {

// Element (i, j) of column-major storage.
inline double& element(double* a, std::int32_t lda, std::int32_t i, std::int32_t j) noexcept
{
    return a[static_cast<std::ptrdiff_t>(i) + static_cast<std::ptrdiff_t>(j) * lda];
}

// The kernels below for an order (and leading dimension) fixed at compile
// time, Order > 0, so that the loops of a small system unroll into the same
// operations in the same order, or given at run time, Order = 0.

template <std::int32_t Order>
bool factorLUOf(double* a, std::int32_t ldaIn, std::int32_t nIn, std::int32_t* pivots) noexcept
{
    const std::int32_t lda = Order > 0 ? Order : ldaIn;
    const std::int32_t n = Order > 0 ? Order : nIn;
    bool zeroPivot = false;
    for (std::int32_t k = 0; k + 1 < n; ++k) {
        // Pivot: the first row of the largest |a(i, k)|, i >= k.
        const std::int32_t l = k + idamax(n - k, &element(a, lda, k, k), 1);
        pivots[k] = l;
        if (element(a, lda, l, k) == 0.0) {
            zeroPivot = true;
            continue;
        }
        if (l != k) {
            const double t = element(a, lda, l, k);
            element(a, lda, l, k) = element(a, lda, k, k);
            element(a, lda, k, k) = t;
        }
        // Multipliers, stored negated.
        const double t = -1.0 / element(a, lda, k, k);
        dscal(n - k - 1, t, &element(a, lda, k + 1, k), 1);
        // Row elimination with column indexing.
        for (std::int32_t j = k + 1; j < n; ++j) {
            const double s = element(a, lda, l, j);
            if (l != k) {
                element(a, lda, l, j) = element(a, lda, k, j);
                element(a, lda, k, j) = s;
            }
            daxpy(n - k - 1, s, &element(a, lda, k + 1, k), 1, &element(a, lda, k + 1, j), 1);
        }
    }
    if (n > 0) {
        pivots[n - 1] = n - 1;
        if (element(a, lda, n - 1, n - 1) == 0.0) {
            zeroPivot = true;
        }
    }
    return zeroPivot;
}

template <std::int32_t Order>
bool factorLUWithConditionOf(double* a, std::int32_t ldaIn, std::int32_t nIn, std::int32_t* pivots, double* rcond,
                             double* z) noexcept
{
    const std::int32_t lda = Order > 0 ? Order : ldaIn;
    const std::int32_t n = Order > 0 ? Order : nIn;
    // 1-norm of a: the largest column sum of |a(i, j)|.
    double anorm = 0.0;
    for (std::int32_t j = 0; j < n; ++j) {
        const double columnSum = dasum(n, &element(a, lda, 0, j), 1);
        if (columnSum > anorm) {
            anorm = columnSum;
        }
    }

    const bool zeroPivot = factorLUOf<Order>(a, lda, n, pivots);

    // rcond = 1 / (norm(a) * estimate of norm(inverse(a))). The estimate is
    // norm(z) / norm(y) with a*z = y and trans(a)*y = e, where the signs of
    // e are chosen to make the components of w grow (trans(U)*w = e).

    // Solve trans(U) * w = e.
    double ek = 1.0;
    for (std::int32_t j = 0; j < n; ++j) {
        z[j] = 0.0;
    }
    for (std::int32_t k = 0; k < n; ++k) {
        const double ukk = element(a, lda, k, k);
        if (z[k] != 0.0) {
            ek = std::copysign(std::fabs(ek), -z[k]);
        }
        if (std::fabs(ek - z[k]) > std::fabs(ukk)) {
            const double s = std::fabs(ukk) / std::fabs(ek - z[k]);
            dscal(n, s, z, 1);
            ek = s * ek;
        }
        double wk = ek - z[k];
        double wkm = -ek - z[k];
        double s = std::fabs(wk);
        double sm = std::fabs(wkm);
        if (ukk != 0.0) {
            wk = wk / ukk;
            wkm = wkm / ukk;
        } else {
            wk = 1.0;
            wkm = 1.0;
        }
        if (k + 1 < n) {
            for (std::int32_t j = k + 1; j < n; ++j) {
                sm = sm + std::fabs(z[j] + wkm * element(a, lda, k, j));
                z[j] = z[j] + wk * element(a, lda, k, j);
                s = s + std::fabs(z[j]);
            }
            if (s < sm) {
                const double t = wkm - wk;
                wk = wkm;
                for (std::int32_t j = k + 1; j < n; ++j) {
                    z[j] = z[j] + t * element(a, lda, k, j);
                }
            }
        }
        z[k] = wk;
    }
    dscal(n, 1.0 / dasum(n, z, 1), z, 1);

    // Solve trans(L) * y = w.
    for (std::int32_t k = n - 1; k >= 0; --k) {
        if (k < n - 1) {
            z[k] = z[k] + ddot(n - k - 1, &element(a, lda, k + 1, k), 1, &z[k + 1], 1);
        }
        if (std::fabs(z[k]) > 1.0) {
            dscal(n, 1.0 / std::fabs(z[k]), z, 1);
        }
        const std::int32_t l = pivots[k];
        const double t = z[l];
        z[l] = z[k];
        z[k] = t;
    }
    dscal(n, 1.0 / dasum(n, z, 1), z, 1);

    double ynorm = 1.0;

    // Solve L * v = y.
    for (std::int32_t k = 0; k < n; ++k) {
        const std::int32_t l = pivots[k];
        const double t = z[l];
        z[l] = z[k];
        z[k] = t;
        if (k < n - 1) {
            daxpy(n - k - 1, t, &element(a, lda, k + 1, k), 1, &z[k + 1], 1);
        }
        if (std::fabs(z[k]) > 1.0) {
            const double s = 1.0 / std::fabs(z[k]);
            dscal(n, s, z, 1);
            ynorm = s * ynorm;
        }
    }
    {
        const double s = 1.0 / dasum(n, z, 1);
        dscal(n, s, z, 1);
        ynorm = s * ynorm;
    }

    // Solve U * z = v.
    for (std::int32_t k = n - 1; k >= 0; --k) {
        const double ukk = element(a, lda, k, k);
        if (std::fabs(z[k]) > std::fabs(ukk)) {
            const double s = std::fabs(ukk) / std::fabs(z[k]);
            dscal(n, s, z, 1);
            ynorm = s * ynorm;
        }
        if (ukk != 0.0) {
            z[k] = z[k] / ukk;
        } else {
            z[k] = 1.0;
        }
        const double t = -z[k];
        daxpy(k, t, &element(a, lda, 0, k), 1, &z[0], 1);
    }
    // Make norm(z) = 1.
    {
        const double s = 1.0 / dasum(n, z, 1);
        dscal(n, s, z, 1);
        ynorm = s * ynorm;
    }

    *rcond = anorm != 0.0 ? ynorm / anorm : 0.0;
    return zeroPivot;
}

template <std::int32_t Order>
std::int32_t determinantAndInverseOf(double* a, std::int32_t ldaIn, std::int32_t nIn, const std::int32_t* pivots,
                                     double* det, double* work, std::int32_t job) noexcept
{
    const std::int32_t lda = Order > 0 ? Order : ldaIn;
    const std::int32_t n = Order > 0 ? Order : nIn;
    if (job / 10 != 0) {
        double d = 1.0;
        for (std::int32_t i = 0; i < n; ++i) {
            if (pivots[i] != i) {
                d = -d;
            }
            d = d * element(a, lda, i, i);
        }
        *det = d;
    }
    if (job % 10 != 0) {
        // inverse(U)
        for (std::int32_t k = 0; k < n; ++k) {
            element(a, lda, k, k) = 1.0 / element(a, lda, k, k);
            const double t = -element(a, lda, k, k);
            dscal(k, t, &element(a, lda, 0, k), 1);
            for (std::int32_t j = k + 1; j < n; ++j) {
                const double s = element(a, lda, k, j);
                element(a, lda, k, j) = 0.0;
                daxpy(k + 1, s, &element(a, lda, 0, k), 1, &element(a, lda, 0, j), 1);
            }
        }
        // inverse(U) * inverse(L), undoing the interchanges.
        for (std::int32_t k = n - 2; k >= 0; --k) {
            for (std::int32_t i = k + 1; i < n; ++i) {
                work[i] = element(a, lda, i, k);
                element(a, lda, i, k) = 0.0;
            }
            for (std::int32_t j = k + 1; j < n; ++j) {
                daxpy(n, work[j], &element(a, lda, 0, j), 1, &element(a, lda, 0, k), 1);
            }
            const std::int32_t l = pivots[k];
            if (l != k) {
                dswap(n, &element(a, lda, 0, k), 1, &element(a, lda, 0, l), 1);
            }
        }
    }
    return job / 10;
}

}  // namespace

bool factorLU(double* a, std::int32_t lda, std::int32_t n, std::int32_t* pivots) noexcept
{
    if (n == 2 && lda == 2)
        return factorLUOf<2>(a, lda, n, pivots);
    return factorLUOf<0>(a, lda, n, pivots);
}

bool factorLUWithCondition(double* a, std::int32_t lda, std::int32_t n, std::int32_t* pivots, double* rcond,
                           double* z) noexcept
{
    if (n == 2 && lda == 2)
        return factorLUWithConditionOf<2>(a, lda, n, pivots, rcond, z);
    return factorLUWithConditionOf<0>(a, lda, n, pivots, rcond, z);
}

std::int32_t determinantAndInverse(double* a, std::int32_t lda, std::int32_t n, const std::int32_t* pivots,
                                   double* det, double* work, std::int32_t job) noexcept
{
    if (n == 2 && lda == 2)
        return determinantAndInverseOf<2>(a, lda, n, pivots, det, work, job);
    return determinantAndInverseOf<0>(a, lda, n, pivots, det, work, job);
}

LUFactorization::LUFactorization(const DoubleMatrix& a, bool estimateCondition)
    : factors_(a), pivots_(), condition_(-1.0)
{
    // The caller's matrix is never written: factor a private copy.
    if (!(factors_.isContiguousColumnMajor() && factors_.isSimple())) {
        factors_.reference(a.copy(DoubleMatrix::COLUMN_MAJOR));
    }
    if (factors_.rows() != factors_.cols()) {
        fdRaiseInternal(FDMATH_NSQUARE(), factors_.rows(), factors_.cols());
    }
    const std::uint32_t order = factors_.rows();
    const std::int32_t n = static_cast<std::int32_t>(order);
    std::vector<double> work;
    if (estimateCondition && n >= 1) {
        work.resize(order);
    }
    pivots_.resize(order);
    if (n > 0) {
        bool zeroPivot = false;
        if (estimateCondition) {
            zeroPivot = factorLUWithCondition(factors_.data(), n, n, pivots_.data(), &condition_, work.data());
        } else {
            zeroPivot = factorLU(factors_.data(), n, n, pivots_.data());
            condition_ = -1.0;
        }
        if (zeroPivot) {
            // A zero pivot, the first column's included, means singular.
            condition_ = 0.0;
        }
    }
}

bool isSingularCondition(double condition) noexcept
{
    if (!std::isfinite(condition)) return true;
    volatile double sum = condition + 1.0;
    return sum == 1.0;
}

bool LUFactorization::isSingular() const noexcept
{
    return isSingularCondition(condition_);
}

double determinantFromLU(const LUFactorization& lu)
{
    const std::int32_t n = static_cast<std::int32_t>(lu.order());
    if (n == 0 || lu.isSingular()) {
        return 0.0;
    }
    double det = 0.0;
    determinantAndInverse(lu.factors().data(), n, n, lu.pivots().data(), &det, nullptr, 10);
    return det;
}

double matrixDeterminant(const DoubleMatrix& matrix)
{
    if (matrix.rows() == 0 || matrix.cols() == 0)
        return 0.0;
    const LUFactorization lu(matrix, true);
    return determinantFromLU(lu);
}

DoubleMatrix inverseFromLU(const LUFactorization& lu)
{
    const std::int32_t n = static_cast<std::int32_t>(lu.order());
    if (n == 0) {
        return lu.factors();
    }
    if (lu.isSingular()) {
        fdRaiseInternal(FDMATH_CANTSOLVE());
    }
    DoubleMatrix inverse = lu.factors().copy(DoubleMatrix::COLUMN_MAJOR);
    std::vector<double> work(lu.order());
    determinantAndInverse(inverse.data(), n, n, lu.pivots().data(), nullptr, work.data(), 1);
    return inverse;
}

DoubleMatrix matrixInverse(const DoubleMatrix& a)
{
    const LUFactorization lu(a, true);
    return inverseFromLU(lu);
}

DoubleMatrix matrixProduct(const DoubleMatrix& a, const DoubleMatrix& b)
{
    if (b.rows() != a.cols()) {
        fdRaiseBounds(FDMATH_NMATCH(), a.cols(), b.rows());
    }
    DoubleMatrix result(a.rows(), b.cols(), DoubleMatrix::COLUMN_MAJOR);
    std::vector<double> row(a.cols());
    for (std::uint32_t i = 0; i < a.rows(); ++i) {
        for (std::uint32_t k = 0; k < a.cols(); ++k) {
            row[k] = *a.at(i, k);
        }
        for (std::uint32_t j = 0; j < b.cols(); ++j) {
            double sum = 0.0;
            for (std::uint32_t k = 0; k < a.cols(); ++k) {
                sum = sum + row[k] * *b.at(k, j);
            }
            *result.at(i, j) = sum;
        }
    }
    return result;
}

FdMathVec<double> matrixProduct(const DoubleMatrix& a, const FdMathVec<double>& x)
{
    if (x.length() != a.cols()) {
        fdRaiseBounds(FDMATH_NMATCH(), a.cols(), x.length());
    }
    FdMathVec<double> result(a.rows());
    for (std::uint32_t i = 0; i < a.rows(); ++i) {
        double sum = 0.0;
        for (std::uint32_t k = 0; k < a.cols(); ++k) {
            sum = sum + *a.at(i, k) * *x.at(k);
        }
        result.data()[i] = sum;
    }
    return result;
}

} // namespace qd
