// The generators' reference deviates written by make_generator_reference.py.
#ifndef TESTS_STATISTICS_GENERATORREFERENCE_H
#define TESTS_STATISTICS_GENERATORREFERENCE_H

#include <cstdint>

namespace generator_reference {

struct RealReference {
    const char* name;
    double values[8];
    int count;
};
struct IntReference {
    const char* name;
    std::int32_t values[8];
    int count;
};
#include "generator_reference.inc"

}  // namespace generator_reference

#endif
