#include "SeriesCompute/SeriesGenerateRandomUniform.h"

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
    if (!(minRand <= maxRand)) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalUniformRange);
}

void SeriesGenerateRandomUniform::fillReal(double* buffer)
{
    stats_d_random_uniform(count, STATS_OPT_RETURN_USER, buffer, 0);
    for (std::int32_t i = 0; i < count; ++i) buffer[i] = minRand + (maxRand - minRand) * buffer[i];
}

}  // namespace qd
