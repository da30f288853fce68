// Random deviates of the continuous and discrete distributions. Every entry
// has the generator shape: routine (n_random, fixed parameters, option codes
// with their values, 0), returning the array of deviates (the caller's under
// STATS_OPT_RETURN_USER, else a new one to free with stats_free) or null
// after an error. All draw from the one uniform stream of RandomUniform.h.
#ifndef STATISTICS_RANDOMGENERATORS_H
#define STATISTICS_RANDOMGENERATORS_H

#include <cstdint>

// Option codes of the t and Weibull generators besides the normal's.
enum : int {
    STATS_OPT_SCALE = 20670,
    STATS_OPT_SCALE_ADR = 20675
};

// Normal, Cauchy, chi-squared and beta.
double* stats_d_random_normal(std::int32_t n_random, ...);
double* stats_d_random_cauchy(std::int32_t n_random, ...);
double* stats_d_random_chi_squared(std::int32_t n_random, double df, ...);
double* stats_d_random_beta(std::int32_t n_random, double p, double q, ...);

// Further continuous generators.
double* stats_d_random_exponential(std::int32_t n_random, ...);
double* stats_d_random_exponential_mix(std::int32_t n_random, double theta1, double theta2, double p, ...);
double* stats_d_random_gamma(std::int32_t n_random, double a, ...);
double* stats_d_random_lognormal(std::int32_t n_random, double mean, double sd, ...);
double* stats_d_random_student_t(std::int32_t n_random, double df, ...);
double* stats_d_random_von_mises(std::int32_t n_random, double c, ...);
double* stats_d_random_weibull(std::int32_t n_random, double a, ...);

// The standard normal core (Kinderman and Ramage), uniforms one at a time.
void stats_rnnoa(std::int32_t n, double* x);
// Pochhammer's symbol Gamma(a + x) / Gamma(a).
double l_poch(double a, double x);

// Discrete generators; 32-bit integer results.
std::int32_t* stats_d_random_binomial(std::int32_t n_random, std::int32_t trials, double p, ...);
std::int32_t* stats_d_random_geometric(std::int32_t n_random, double p, ...);
std::int32_t* stats_d_random_hypergeometric(std::int32_t n_random, std::int32_t N, std::int32_t M, std::int32_t L,
                                            ...);
std::int32_t* stats_d_random_logarithmic(std::int32_t n_random, double a, ...);
std::int32_t* stats_d_random_neg_binomial(std::int32_t n_random, double r, double p, ...);
// theta is single precision; it travels as a double and is rounded on entry
// (a float before the option list would be promoted by the call anyway).
std::int32_t* stats_random_poisson(std::int32_t n_random, double theta, ...);
std::int32_t* stats_d_random_uniform_discrete(std::int32_t n_random, std::int32_t k, ...);

// P(X = k0) for the smallest possible value k0 = max(0, N + M - L) of the
// hypergeometric distribution.
double l_hyprr(std::int32_t N, std::int32_t M, std::int32_t L);

// A double turned into a 32-bit integer by truncation, saturating at the
// 32-bit limits (NaN gives 0): no conversion is ever out of range.
std::int32_t l_trunc_int32(double x);

#endif
