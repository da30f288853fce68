#include "SeriesCompute/SeriesGenerateRandomWeibull.h"

#include "SeriesCompute/SeriesGenerateRandomBase.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesGenerateRandomWeibull";
}  // namespace

void SeriesGenerateRandomWeibull::checkParameters()
{
    checkRandomCount(count);
    if (!positiveFinite(alpha)) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalWeibullAlpha);
    if (!positiveFinite(beta)) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalWeibullBeta);
}

void SeriesGenerateRandomWeibull::fillReal(double* buffer)
{
    // A scale that takes the deviates beyond the largest double: refused.
    callLibrary(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalWeibullBeta, [&] {
        stats_d_random_weibull(count, alpha, STATS_OPT_SCALE, beta, STATS_OPT_RETURN_USER, buffer, 0);
    });
}

}  // namespace qd
