#include "SeriesCompute/SeriesGenerateRandomLogarithmic.h"

#include "SeriesCompute/SeriesGenerateRandomBase.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesGenerateRandomLogarithmic";
}  // namespace

void SeriesGenerateRandomLogarithmic::checkParameters()
{
    checkRandomCount(count);
    if (!insideOpenUnit(a)) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalLogarithmicA);
}

void SeriesGenerateRandomLogarithmic::fillInteger(std::int32_t* buffer)
{
    stats_d_random_logarithmic(count, a, STATS_OPT_RETURN_USER, buffer, 0);
}

}  // namespace qd
