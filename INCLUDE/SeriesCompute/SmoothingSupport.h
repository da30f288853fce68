// Small pieces shared by the smoothing methods: the checks of smoothing
// constants and forecast horizons, the starting mean of the Brown and
// adaptive methods, and a guard that puts working fields back on every exit.
#ifndef QD_SERIESCOMPUTE_SMOOTHINGSUPPORT_H
#define QD_SERIESCOMPUTE_SMOOTHINGSUPPORT_H

#include <cstdint>
#include <limits>
#include <new>

#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"
#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

// A double parameter asks to be fitted only when it is exactly -3.0.
inline bool isComputeSentinel(double value)
{
    return value == -3.0;
}

// -3.0, or a number in [0, 1] ([0, 1) when upperOpen). A value that is not
// a number is never legal.
inline bool isLegalSmoothingConstant(double value, bool upperOpen = false)
{
    if (isComputeSentinel(value))
        return true;
    return value >= 0.0 && (upperOpen ? value < 1.0 : value <= 1.0);
}

// Places needed for `count` observations and `extra` more: a total that
// does not fit the value arrays' 32-bit sizes cannot be allocated. Called
// before anything is written, so that n + h and every index derived from
// it stay inside 32 bits.
inline void checkForecastLength(std::int64_t count, std::int64_t extra)
{
    if (count + extra > std::numeric_limits<std::int32_t>::max())
        throw std::bad_alloc();
}

// The mean of the values of observations s, s + 1 and s + 2, as far as
// they exist (s < n).
inline double startingMean(const double* values, std::int32_t s, std::int32_t n)
{
    const std::int32_t end = (n - s < 3) ? n : s + 3;
    double sum = 0.0;
    for (std::int32_t i = s; i < end; ++i)
        sum += values[i];
    return sum / (end - s);
}

// Writes level + m trend for m = 1 .. h after observation n - 1 into the
// forecast array and, as the value of each period beyond the data, into the
// values array.
inline void writeTrendForecasts(double* forecasts, double* values, std::int32_t n, std::int32_t h, double level,
                                double trend)
{
    for (std::int32_t m = 1; m <= h; ++m) {
        const double f = level + m * trend;
        forecasts[n - 1 + m] = f;
        values[n - 1 + m] = f;
    }
}

// Copies a field on construction and writes the copy back on destruction.
template <typename T>
class RestoreOnExit {
public:
    explicit RestoreOnExit(T& field) : field_(field), saved_(field) {}
    RestoreOnExit(T& field, const T& value) : field_(field), saved_(value) {}
    RestoreOnExit(const RestoreOnExit&) = delete;
    RestoreOnExit& operator=(const RestoreOnExit&) = delete;
    ~RestoreOnExit() { field_ = saved_; }

private:
    T& field_;
    T saved_;
};

}  // namespace qd

#endif
