#include "SeriesCompute/SeriesGenerateRandomBeta.h"

#include "SeriesCompute/SeriesGenerateRandomBase.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesGenerateRandomBeta";
}  // namespace

void SeriesGenerateRandomBeta::checkParameters()
{
    checkRandomCount(count);
    if (!positiveFinite(p)) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalBetaP);
    if (!positiveFinite(q)) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalBetaQ);
}

void SeriesGenerateRandomBeta::fillReal(double* buffer)
{
    // Beyond the methods' range the library draws only where every deviate
    // is one double, and refuses the larger shape otherwise.
    callLibrary(QD_SOURCE_PATH, __LINE__, p >= q ? ErrorCode::IllegalBetaP : ErrorCode::IllegalBetaQ, [&] {
        stats_d_random_beta(count, p, q, STATS_OPT_RETURN_USER, buffer, 0);
    });
}

}  // namespace qd
