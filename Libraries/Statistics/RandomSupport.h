// Small pieces shared by the generator workers.
#ifndef STATISTICS_RANDOMSUPPORT_H
#define STATISTICS_RANDOMSUPPORT_H

#include <cstdint>

#include <cstdarg>

#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomUniform.h"
#include "Statistics/RoutineScope.h"

// One uniform from the double-precision core.
inline double l_draw_uniform() {
    double u;
    stats_drnun(1, &u);
    return u;
}

// The normal deviates of the Kinderman and Ramage method, uniforms drawn
// one at a time.
void l_normal_accept_reject(std::int32_t n, double* x);

// True when every one of the n values is finite.
inline bool l_all_finite(std::int32_t n, const double* x) {
    for (std::int32_t i = 0; i < n; ++i)
        if (!(x[i] - x[i] == 0.0)) return false;
    return true;
}

// After a generator has scaled or shifted its deviates: values that are no
// longer finite (a location that is not a number, or a scale that takes
// the deviates beyond the largest double) are not deviates of any
// distribution. Posts TERMINAL code with the parameter as real argument 1,
// frees the array when the generator allocated it, and returns null;
// otherwise returns the result unchanged.
double* l_refuse_unless_finite(std::int32_t n, double* result, bool owned, std::int32_t code, double parameter);

// Gamma deviates of shape a and unit scale into x; posts the gamma errors.
void l_rngam(std::int32_t n, double a, double* x);

// The whole run of a generator entry whose only option is the return
// array: frame, option list (read to its 0, or exactly one code when
// singleCode), n_random check, array, worker(array), and the array freed
// again after an error.
template <class T, class Worker>
T* l_run_generator(const char* routine, std::int32_t n_random, va_list* ap, int firstPosition, bool singleCode,
                   Worker worker) {
    RoutineScope scope(routine);
    GeneratorArray<T> array;
    const bool parsed = singleCode ? l_read_single_option(*ap, firstPosition, &array)
                                   : l_read_options(ap, firstPosition, &array, [](int, va_list*) { return -1; });
    if (parsed && l_prepare_result(n_random, &array)) worker(array.data);
    T* result = l_finish_result(&array);
    scope.pop();
    return result;
}

#endif
