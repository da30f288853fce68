// The uniform generator under every random deviate of the library: a
// multiplicative congruential generator modulo 2^31 - 1 with three
// multipliers, each with or without a 128-entry shuffle table (options 1 to
// 6), seeded by the caller or from the clock.
#ifndef STATISTICS_RANDOMUNIFORM_H
#define STATISTICS_RANDOMUNIFORM_H

#include <cstdint>

void stats_drnun(std::int32_t n, double* r);
void stats_rnun(std::int32_t n, float* r);

// Public vector entries: (n_random, option list, 0); the only option is
// STATS_OPT_RETURN_USER (14280) followed by the caller's array.
double* stats_d_random_uniform(std::int32_t n_random, ...);
float* stats_f_random_uniform(std::int32_t n_random, ...);

void stats_set_random_seed(std::int32_t seed);
std::int32_t stats_get_random_seed();
void stats_random_option(std::int32_t option);

std::int32_t l_clock_seed(std::int32_t* seed);
// The clock seed for a given time of day (hour, minute, second).
std::int32_t l_clock_seed_at(int hour, int minute, int second, std::int32_t* seed);
void l_generator_setup(std::int32_t k);
void l_drnun_table_init();
void l_rnun_table_init();

#endif
