// Dense linear algebra on DoubleMatrix: the LU factorisation with partial
// pivoting and a reciprocal condition estimate (LINPACK DGEFA / DGECO on
// 0-based column-major storage), the determinant and inverse derived from it
// (DGEDI), and the plain matrix product.
//
// A factorisation counts as singular when its condition estimate c satisfies
// c + 1.0 == 1.0; a zero pivot (in any column, the first included) makes c
// exactly 0.0. Errors: a matrix that is not square raises FdInternalErr
// NSQUARE, inverting a singular factorisation FdInternalErr CANTSOLVE, and a
// product of mismatched shapes FdBoundsErr NMATCH.
#ifndef FOUNDATION_LUFACTORIZATION_H
#define FOUNDATION_LUFACTORIZATION_H

#include "Foundation/DoubleMatrix.h"
#include "Foundation/FdMathVec.h"
#include "Foundation/IntVector.h"

#include <cstdint>

namespace qd {

class LUFactorization {
public:
    // Factors a (never written: a private column-major copy is factored).
    // With estimateCondition the reciprocal condition estimate is computed;
    // without it the condition is 0.0 for a singular matrix and -1.0
    // otherwise (not computed).
    explicit LUFactorization(const DoubleMatrix& a, bool estimateCondition = true);

    // L below the diagonal (multipliers stored negated) and U on and above
    // it, contiguous column-major.
    const DoubleMatrix& factors() const noexcept { return factors_; }
    // pivots[k]: the row exchanged with row k at step k; pivots[n-1] = n-1.
    const IntVector& pivots() const noexcept { return pivots_; }
    // The reciprocal condition estimate in [0, 1] (or -1.0, see above).
    double condition() const noexcept { return condition_; }
    std::uint32_t order() const noexcept { return factors_.rows(); }
    // condition + 1.0 == 1.0, or a condition that is not finite.
    bool isSingular() const noexcept;

private:
    DoubleMatrix factors_;
    IntVector pivots_;
    double condition_;
};

// The singularity test of a reciprocal condition estimate c: c + 1.0 ==
// 1.0, or c not finite (NaN or infinite entries are no evidence of a regular
// matrix).
bool isSingularCondition(double condition) noexcept;
// The determinant: 0.0 for an empty or singular factorisation, else the
// product of the diagonal of U with a sign change for every row exchange.
double determinantFromLU(const LUFactorization& lu);
// The determinant of a matrix through its factorisation; 0.0 for an empty
// or numerically singular matrix.
double matrixDeterminant(const DoubleMatrix& matrix);
// The inverse as a new matrix (the empty factors for n = 0); CANTSOLVE when
// the factorisation is singular.
DoubleMatrix inverseFromLU(const LUFactorization& lu);
// The inverse of a square matrix through its factorisation with condition
// estimate. Errors: NSQUARE, CANTSOLVE.
DoubleMatrix matrixInverse(const DoubleMatrix& a);
// a x b as a new column-major matrix; b.rows != a.cols raises NMATCH with
// (a.cols, b.rows).
DoubleMatrix matrixProduct(const DoubleMatrix& a, const DoubleMatrix& b);
// a x x as a new vector; x.length != a.cols raises NMATCH with
// (a.cols, x.length).
FdMathVec<double> matrixProduct(const DoubleMatrix& a, const FdMathVec<double>& x);

// LINPACK kernels on column-major storage a with leading dimension lda.
// Factorisation (DGEFA): returns true when a zero pivot was met.
bool factorLU(double* a, std::int32_t lda, std::int32_t n, std::int32_t* pivots) noexcept;
// Factorisation with condition estimate (DGECO); work holds n doubles.
// Returns true when a zero pivot was met.
bool factorLUWithCondition(double* a, std::int32_t lda, std::int32_t n, std::int32_t* pivots, double* rcond,
                           double* work) noexcept;
// DGEDI: job / 10 != 0 puts the determinant into *det, job % 10 != 0
// overwrites a with the inverse (work holds n doubles). Returns job / 10.
std::int32_t determinantAndInverse(double* a, std::int32_t lda, std::int32_t n, const std::int32_t* pivots,
                                   double* det, double* work, std::int32_t job) noexcept;

} // namespace qd

#endif
