#include "SeriesCompute/SeriesGenerateRandomUniformDiscrete.h"

#include "SeriesCompute/SeriesGenerateRandomBase.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesGenerateRandomUniformDiscrete";
}  // namespace

void SeriesGenerateRandomUniformDiscrete::checkParameters()
{
    checkRandomCount(count);
    if (minRand > maxRand) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalUniformRange);
    // The span maxRand - minRand + 1 is formed in 64 bits; the library draws
    // 1..k for a 32-bit k.
    if (static_cast<std::int64_t>(maxRand) - minRand + 1 > 2147483647) qdThrow(QD_SOURCE_PATH, __LINE__,
            ErrorCode::IllegalUniformRange);
}

void SeriesGenerateRandomUniformDiscrete::fillInteger(std::int32_t* buffer)
{
    const std::int32_t k = static_cast<std::int32_t>(static_cast<std::int64_t>(maxRand) - minRand + 1);
    stats_d_random_uniform_discrete(count, k, STATS_OPT_RETURN_USER, buffer, 0);
    for (std::int32_t i = 0; i < count; ++i)
        buffer[i] = static_cast<std::int32_t>(static_cast<std::int64_t>(buffer[i]) + minRand - 1);
}

}  // namespace qd
