#include "SeriesCompute/SeriesGenerateRandomNormal.h"

#include "SeriesCompute/SeriesGenerateRandomBase.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesGenerateRandomNormal";
}  // namespace

void SeriesGenerateRandomNormal::checkParameters()
{
    checkRandomCount(count);
    if (!positiveFiniteSquare(standardDeviation)) qdThrow(QD_SOURCE_PATH, __LINE__,
            ErrorCode::IllegalStandardDeviation);
    // A mean that is not a finite number leaves no finite value to draw.
    if (!finite(mean)) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalStandardDeviation);
}

void SeriesGenerateRandomNormal::fillReal(double* buffer)
{
    stats_d_random_normal(count, STATS_OPT_MEAN, mean, STATS_OPT_VARIANCE, standardDeviation * standardDeviation,
                          STATS_OPT_ACCEPT_REJECT, STATS_OPT_RETURN_USER, buffer, 0);
}

}  // namespace qd
