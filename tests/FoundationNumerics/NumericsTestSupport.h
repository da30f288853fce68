// Helpers shared by the numerical containers' tests.
#ifndef TESTS_NUMERICS_NUMERICSTESTSUPPORT_H
#define TESTS_NUMERICS_NUMERICSTESTSUPPORT_H

#include "Foundation/FdMathVec.h"

#include <vector>

using namespace qd;

// The elements of a vector or view, in its order.
inline std::vector<double> valuesOf(const FdMathVec<double>& v)
{
    std::vector<double> out;
    for (double x : v) {
        out.push_back(x);
    }
    return out;
}

#endif
