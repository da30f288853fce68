#include "SeriesCompute/SeriesGenerateRandomTriangular.h"

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
    if (!(minRand <= mostLikely && mostLikely <= maxRand)) qdThrow(QD_SOURCE_PATH, __LINE__,
            ErrorCode::IllegalTriangularRange);
}

void SeriesGenerateRandomTriangular::fillReal(double* buffer)
{
    stats_d_random_uniform(count, STATS_OPT_RETURN_USER, buffer, 0);
    const double c = minRand == maxRand ? 0.0 : (mostLikely - minRand) / (maxRand - minRand);
    for (std::int32_t i = 0; i < count; ++i) {
        const double u = buffer[i];
        if (u <= c)
            buffer[i] = c == 0.0 ? minRand : minRand + (mostLikely - minRand) * std::sqrt(u / c);
        else
            buffer[i] = c == 1.0 ? maxRand : maxRand - (maxRand - mostLikely) * std::sqrt((1.0 - u) / (1.0 - c));
    }
}

}  // namespace qd
