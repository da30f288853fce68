#include "SeriesCompute/SeriesGenerateRandomExponentialMix.h"

#include "SeriesCompute/SeriesGenerateRandomBase.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesGenerateRandomExponentialMix";
}  // namespace

void SeriesGenerateRandomExponentialMix::checkParameters()
{
    checkRandomCount(count);
    if (!positiveFinite(theta1)) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalExponentialMixTheta1);
    if (!positiveFinite(theta2) || theta2 > theta1) qdThrow(QD_SOURCE_PATH, __LINE__,
            ErrorCode::IllegalExponentialMixTheta2);
    // theta1 == theta2 allows every p >= 0 (the bound is infinite).
    if (!(p >= 0.0) || (theta1 != theta2 && !(p <= theta1 / (theta1 - theta2)))) qdThrow(QD_SOURCE_PATH, __LINE__,
            ErrorCode::IllegalExponentialMixP);
}

void SeriesGenerateRandomExponentialMix::fillReal(double* buffer)
{
    // theta1 near the largest double takes deviates beyond it: refused.
    callLibrary(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalExponentialMixTheta1, [&] {
        stats_d_random_exponential_mix(count, theta1, theta2, p, STATS_OPT_RETURN_USER, buffer, 0);
    });
}

}  // namespace qd
