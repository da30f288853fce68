#include "SeriesCompute/SeriesGenerateRandomHyperGeometric.h"

#include "SeriesCompute/SeriesGenerateRandomBase.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesGenerateRandomHyperGeometric";
}  // namespace

void SeriesGenerateRandomHyperGeometric::checkParameters()
{
    checkRandomCount(count);
    if (n < 1) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalHyperGeometricN);
    if (m < 1) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalHyperGeometricM);
    if (l <= n || l <= m) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalHyperGeometricL);
}

void SeriesGenerateRandomHyperGeometric::fillInteger(std::int32_t* buffer)
{
    stats_d_random_hypergeometric(count, n, m, l, STATS_OPT_RETURN_USER, buffer, 0);
}

}  // namespace qd
