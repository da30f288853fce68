// Gamma, beta and error special functions (Fullerton's algorithms with their
// Chebyshev series).
#ifndef STATISTICS_SPECIALFUNCTIONS_H
#define STATISTICS_SPECIALFUNCTIONS_H

#include <cstdint>

double stats_csevl(double x, const double* cs, std::int32_t n);
std::int32_t stats_initds(const double* cs, std::int32_t n, double eta);

double stats_d_gamma(double x);
void l_r9gaml(double* xmin, double* xmax);
double stats_r9lgmc(double x);
double stats_d_log_gamma(double x);
void stats_algams(double x, double* logGamma, double* sign);
double stats_gamr(double x);

double stats_alnrel(double x);
double l_alnrel(double x);

double stats_d_beta(double a, double b);
double stats_d_log_beta(double a, double b);
double stats_d_beta_incomplete(double x, double a, double b);
// Both shapes beyond this: the beta distribution is taken as normal but for
// its skewness (good to about 1 / min(a, b)).
inline constexpr double kBetaNormalShape = 1.0e8;
// Mean, standard deviation and skewness of the beta distribution, formed
// without overflow for any positive shapes.
void l_beta_normal_form(double a, double b, double* mean, double* sd, double* skewness);
// x - a / (a + b) to about the rounding of its own size (with x near the
// mean, the rounded mean alone would be off by many standard deviations'
// worth of digits when the shapes are large).
double l_beta_offset(double x, double a, double b);

double stats_d_gamma_incomplete(double a, double x);
double l_gamit(double a, double x);
double l_r9gmit(double a, double x, double algap1, double sgngam, double alx);
double l_r9lgic(double a, double x, double alx);
double l_r9lgit(double a, double x, double algap1);

// cos x and sin x; NaN with a terminal error when |x| + pi/2 is beyond 1/eps
// (no digit of the result would be right), a warning beyond its square root.
double l_a1cos(double x);
double l_a1sin(double x);

double stats_d_erf(double x);
double stats_d_erfc(double x);

#endif
