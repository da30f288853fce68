#include "SeriesCompute/SeriesGenerateRandomGeometric.h"

#include "SeriesCompute/SeriesGenerateRandomBase.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesGenerateRandomGeometric";
}  // namespace

void SeriesGenerateRandomGeometric::checkParameters()
{
    checkRandomCount(count);
    if (!insideOpenUnit(p)) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalRandomP);
}

void SeriesGenerateRandomGeometric::fillInteger(std::int32_t* buffer)
{
    stats_d_random_geometric(count, p, STATS_OPT_RETURN_USER, buffer, 0);
}

}  // namespace qd
