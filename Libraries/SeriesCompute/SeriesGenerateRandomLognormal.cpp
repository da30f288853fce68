#include "SeriesCompute/SeriesGenerateRandomLognormal.h"

#include "SeriesCompute/SeriesGenerateRandomBase.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesGenerateRandomLognormal";
}  // namespace

void SeriesGenerateRandomLognormal::checkParameters()
{
    checkRandomCount(count);
    if (!positiveFinite(standardDeviation)) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalStandardDeviation);
    if (!finite(mean)) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalStandardDeviation);
}

void SeriesGenerateRandomLognormal::fillReal(double* buffer)
{
    // exp(mean + standardDeviation z) beyond the largest double: refused.
    callLibrary(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalStandardDeviation, [&] {
        stats_d_random_lognormal(count, mean, standardDeviation, STATS_OPT_RETURN_USER, buffer, 0);
    });
}

}  // namespace qd
