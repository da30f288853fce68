#include "SeriesCompute/SeriesGenerateRandomUniform.h"

#include <algorithm>

#include "SeriesCompute/SeriesGenerateRandomBase.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesGenerateRandomUniform";
}  // namespace

void SeriesGenerateRandomUniform::checkParameters()
{
    checkRandomCount(count);
    // An infinite bound has no uniform distribution.
    if (!(minRand <= maxRand) || !finite(minRand) || !finite(maxRand)) qdThrow(QD_SOURCE_PATH, __LINE__,
            ErrorCode::IllegalUniformRange);
}

void SeriesGenerateRandomUniform::fillReal(double* buffer)
{
    stats_d_random_uniform(count, STATS_OPT_RETURN_USER, buffer, 0);
    // When the span maxRand - minRand overflows (bounds of opposite signs
    // near the largest double), the same is computed on halves and doubled.
    // Rounding never leaves the range.
    const bool halve = !finite(maxRand - minRand);
    const double a = halve ? minRand / 2.0 : minRand, b = halve ? maxRand / 2.0 : maxRand;
    for (std::int32_t i = 0; i < count; ++i) {
        double x = a + (b - a) * buffer[i];
        if (halve) x *= 2.0;
        buffer[i] = std::min(std::max(x, minRand), maxRand);
    }
}

}  // namespace qd
