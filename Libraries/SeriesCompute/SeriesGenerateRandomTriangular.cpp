#include "SeriesCompute/SeriesGenerateRandomTriangular.h"

#include <algorithm>
#include <cmath>

#include "SeriesCompute/SeriesGenerateRandomBase.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesGenerateRandomTriangular";
}  // namespace

void SeriesGenerateRandomTriangular::checkParameters()
{
    checkRandomCount(count);
    if (!(minRand <= mostLikely && mostLikely <= maxRand) || !finite(minRand) || !finite(maxRand)) qdThrow(
            QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalTriangularRange);
}

void SeriesGenerateRandomTriangular::fillReal(double* buffer)
{
    stats_d_random_uniform(count, STATS_OPT_RETURN_USER, buffer, 0);
    // When the span overflows (bounds of opposite signs near the largest
    // double), the same is computed on halves and doubled. Rounding never
    // leaves the range.
    const bool halve = !finite(maxRand - minRand);
    const double lo = halve ? minRand / 2.0 : minRand;
    const double mode = halve ? mostLikely / 2.0 : mostLikely;
    const double hi = halve ? maxRand / 2.0 : maxRand;
    const double c = lo == hi ? 0.0 : (mode - lo) / (hi - lo);
    for (std::int32_t i = 0; i < count; ++i) {
        const double u = buffer[i];
        double x;
        if (u <= c)
            x = c == 0.0 ? lo : lo + (mode - lo) * std::sqrt(u / c);
        else
            x = c == 1.0 ? hi : hi - (hi - mode) * std::sqrt((1.0 - u) / (1.0 - c));
        if (halve) x *= 2.0;
        buffer[i] = std::min(std::max(x, minRand), maxRand);
    }
}

}  // namespace qd
