// Vectors from a multivariate normal distribution, the Cholesky factor with
// rank detection behind them (LINPACK-style, column-major with a leading
// dimension), and in-place matrix transposes.
#ifndef STATISTICS_MULTIVARIATENORMAL_H
#define STATISTICS_MULTIVARIATENORMAL_H

#include <cstdint>

// n_vectors x length deviates, one vector per row (row-major), with the
// covariance given as a length x length matrix. Options: 14280 with the
// caller's array, then 0.
double* stats_d_random_normal_multivariate(std::int32_t n_vectors, std::int32_t length, const double* covariance,
                                           ...);

// Upper triangular R with R'R = A for a symmetric nonnegative definite A
// given by its upper triangle (column-major, leading dimension lda); irank
// receives the rank. A matrix that is not nonnegative definite posts
// WARNING 20406 naming the first failing column.
void stats_chfac(std::int32_t n, const double* a, std::int32_t lda, double tol, std::int32_t* irank, double* r,
                 std::int32_t ldr);

// Rows of x (n x k, column-major, leading dimension ldx) of standard normal
// deviates multiplied by R.
void l_rnmvn(std::int32_t n, std::int32_t k, const double* r, std::int32_t ldr, double* x, std::int32_t ldx);

// b = transpose of the m x n row-major matrix a; a and b may be the same.
void M1RAN_F(std::int32_t m, std::int32_t n, const double* a, double* b);
void M1RAN_C(std::int32_t m, std::int32_t n, const double* a, double* b);  // pairs of doubles
void M1RAN_I(std::int32_t m, std::int32_t n, const std::int32_t* a, std::int32_t* b);

void l_c1trg(std::int32_t n, double* r, std::int32_t ldr);
double l_dot(std::int32_t n, const double* x, std::int32_t incx, const double* y, std::int32_t incy);
void l_check_dimension(std::int32_t low, std::int32_t value, const char* valueName, std::int32_t high,
                       const char* highName, int* counter);

#endif
