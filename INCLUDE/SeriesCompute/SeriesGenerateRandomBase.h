// What the random-series generators share: the count check of the compute
// interfaces and the parameter tests written so that a value that is not a
// number fails them. Each generator checks, besides its own published
// conditions, every limit that the numerical library would refuse, with
// its own code, so that no parameter reaches the library in a state it
// rejects.
#ifndef QD_SERIESCOMPUTE_SERIESGENERATERANDOMBASE_H
#define QD_SERIESCOMPUTE_SERIESGENERATERANDOMBASE_H

#include <cstdint>
#include <limits>

#include "Matrix/MVRBaseException.h"
#include "Statistics/StatsError.h"

namespace qd {

// count <= 0: 3119.
inline void checkRandomCount(std::int32_t count)
{
    if (count <= 0)
        qdThrow("INCLUDE\\SeriesCompute/SeriesCompute", __LINE__, ErrorCode::IllegalNumRandom);
}

inline bool insideOpenUnit(double x)
{
    return x > 0.0 && x < 1.0;
}

inline bool positiveFinite(double x)
{
    return x > 0.0 && x <= std::numeric_limits<double>::max();
}

// x > 0 whose square is positive and finite (a variance handed on).
inline bool positiveFiniteSquare(double x)
{
    return positiveFinite(x) && positiveFinite(x * x);
}

// The numerical library's largest relative spacing, 2^-52.
inline double libraryEpsilon()
{
    return std::numeric_limits<double>::epsilon();
}

// A library call whose refusal of a parameter that passed the checks (its
// stop) is reported as the generator's own code for that parameter, not as
// an unforeseen failure.
template <class Call>
void callLibrary(const char* path, int line, ErrorCode code, Call call)
{
    try {
        call();
    } catch (const StatsError&) {
        qdThrow(path, line, code);
    }
}

// Scaled or shifted values that left the doubles (a product beyond the
// largest double) are not stored: the parameter's code instead.
inline void requireFinite(const char* path, int line, ErrorCode code, std::int32_t count, const double* values)
{
    for (std::int32_t i = 0; i < count; ++i)
        if (!(values[i] - values[i] == 0.0))
            qdThrow(path, line, code);
}

inline bool finite(double x)
{
    return x - x == 0.0;
}

}  // namespace qd

#endif
