// Shape shared by the public generator entries: routine (n_random, fixed
// parameters, option list, 0). The entry frames the call; the option parser
// validates, provides the result array (the caller's, or a new one), runs
// the worker and frees its own array again after a FATAL or worse error.
#ifndef STATISTICS_GENERATORCALL_H
#define STATISTICS_GENERATORCALL_H

#include <cstdarg>
#include <cstdint>
#include <cstdlib>

#include "Statistics/ErrorStack.h"

enum : int {
    STATS_OPT_END = 0,
    STATS_OPT_RETURN_USER = 14280,
    STATS_OPT_MEAN = 20410,
    STATS_OPT_MEAN_ADR = 20415,
    STATS_OPT_VARIANCE = 20420,
    STATS_OPT_VARIANCE_ADR = 20425,
    STATS_OPT_ACCEPT_REJECT = 20430
};

// Frees an array returned by a generator entry.
void stats_free(void* p);

// The result array of one generator call.
template <class T>
struct GeneratorArray {
    T* data = nullptr;
    bool owned = false;  // allocated here, so freed here after an error
};

// Reads the option list when the routine accepts only the return-array
// option: exactly one code, 14280 with its array or 0. firstPosition is
// the argument position of the first code. Returns false after posting
// TERMINAL 11001 for any other code.
template <class T>
bool l_read_single_option(va_list ap, int firstPosition, GeneratorArray<T>* array) {
    const int code = va_arg(ap, int);
    if (code == 0) return true;
    if (code == STATS_OPT_RETURN_USER) {
        array->data = va_arg(ap, T*);
        array->owned = false;
        return true;
    }
    l_set_int_arg(1, code);
    l_set_int_arg(2, firstPosition);
    l_error_post(STATS_TERMINAL, 11001);
    return false;
}

// Reads an option list up to its closing 0. own(code, &ap) handles the
// routine's own codes: it reads their values and returns how many it read,
// or -1 for a code the routine does not know. An unknown code posts
// TERMINAL 11001 with the code and its argument position and returns false.
template <class T, class Own>
bool l_read_options(va_list* ap, int firstPosition, GeneratorArray<T>* array, Own own) {
    int position = firstPosition;
    for (;;) {
        const int code = va_arg(*ap, int);
        if (code == 0) return true;
        if (code == STATS_OPT_RETURN_USER) {
            array->data = va_arg(*ap, T*);
            array->owned = false;
            position += 2;
            continue;
        }
        const int used = own(code, ap);
        if (used < 0) {
            l_set_int_arg(1, code);
            l_set_int_arg(2, position);
            l_error_post(STATS_TERMINAL, 11001);
            return false;
        }
        position += 1 + used;
    }
}

// Checks n_random, provides the array (zeroed, so nothing uninitialised is
// ever handed on) and returns false when the worker must not run.
template <class T>
bool l_prepare_result(std::int32_t n_random, GeneratorArray<T>* array) {
    int counter = 0;
    l_check_range(n_random, "n_random", 1, 0, &counter);
    if (l_error_type_at(0) != 0) return false;
    if (array->data == nullptr) {
        void* p = std::calloc(static_cast<std::size_t>(n_random), sizeof(T));
        if (p == nullptr) {
            l_error_post(STATS_TERMINAL, 200);
            return false;
        }
        array->data = static_cast<T*>(p);
        array->owned = true;
    } else {
        for (std::int32_t i = 0; i < n_random; ++i) array->data[i] = T(0);
    }
    return true;
}

// After the worker: a FATAL or worse error (other than WARNING_IMMEDIATE)
// frees an array allocated here and leaves no result.
template <class T>
T* l_finish_result(GeneratorArray<T>* array) {
    const int type = l_error_type_at(0);
    if (type >= STATS_FATAL && type != STATS_WARNING_IMMEDIATE) {
        if (array->owned) std::free(array->data);
        return nullptr;
    }
    return array->data;
}

#endif
