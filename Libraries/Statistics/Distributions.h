// Normal, Student's t and chi-squared distribution functions.
#ifndef STATISTICS_DISTRIBUTIONS_H
#define STATISTICS_DISTRIBUTIONS_H

double stats_d_normal_cdf(double x);
double stats_d_normal_inverse_cdf(double p);
double stats_d_t_cdf(double t, double df);
double stats_d_t_inverse(double p, double df);
double stats_dbetin(double p, double a, double b);
double stats_d_chi_squared_cdf(double chi2, double df);

#endif
