// Helpers shared by the foundation library's tests.
#ifndef TESTS_FOUNDATION_FOUNDATIONTESTSUPPORT_H
#define TESTS_FOUNDATION_FOUNDATIONTESTSUPPORT_H

#include <string>

#include "Foundation/FdExceptions.h"

using namespace qd;

// The message of the bounds error that f raises, or "no exception".
template <class F>
std::string boundsMessage(F f)
{
    try {
        f();
    } catch (const FdBoundsErr& e) {
        return e.why();
    }
    return "no exception";
}

#endif
