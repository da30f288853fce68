// Machine constants by index and small utilities of the numerical library.
#ifndef STATISTICS_MACHINECONSTANTS_H
#define STATISTICS_MACHINECONSTANTS_H

#include <cstdint>

double stats_dmach(int index);
double stats_d_machine(int index);
std::int32_t stats_i_machine(int index);

double stats_d_vmax(int n, ...);
double stats_d_vmin(int n, ...);
std::int32_t stats_i_vmax(int n, ...);
std::int32_t stats_i_vmin(int n, ...);

double l_dmax(double a, double b);
double l_dmin(double a, double b);
std::int32_t l_imax(std::int32_t a, std::int32_t b);
std::int32_t l_imin(std::int32_t a, std::int32_t b);

double l_power_double(double x, std::int32_t n);
double l_power_float(float x, std::int32_t n);
std::int32_t l_power_int(std::int32_t x, std::int32_t n);

// n! as a 32-bit integer; values beyond the largest integer saturate to it.
std::int32_t stats_d_factorial(std::int32_t n);

void l_vector_scale(std::int32_t n, double a, double* x, std::int32_t stride);
void l_vector_add_constant(std::int32_t n, double a, double* x, std::int32_t stride);
int l_is_nan(double x);
double l_scaled_norm(std::int32_t n, const double* x);
std::int32_t l_mod_product(std::int32_t a, std::int32_t b, std::int32_t m);

#endif
