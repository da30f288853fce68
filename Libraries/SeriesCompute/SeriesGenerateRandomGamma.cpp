#include "SeriesCompute/SeriesGenerateRandomGamma.h"

#include "SeriesCompute/SeriesGenerateRandomBase.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesGenerateRandomGamma";
}  // namespace

void SeriesGenerateRandomGamma::checkParameters()
{
    checkRandomCount(count);
    if (!positiveFinite(alpha)) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalGammaAlpha);
    if (!positiveFinite(beta)) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalGammaBeta);
}

void SeriesGenerateRandomGamma::fillReal(double* buffer)
{
    stats_d_random_gamma(count, alpha, STATS_OPT_RETURN_USER, buffer, 0);
    for (std::int32_t i = 0; i < count; ++i) buffer[i] *= beta;
    requireFinite(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalGammaBeta, count, buffer);
}

}  // namespace qd
