#include "SeriesCompute/SeriesGenerateRandomBinomial.h"

#include "SeriesCompute/SeriesGenerateRandomBase.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesGenerateRandomBinomial";
}  // namespace

void SeriesGenerateRandomBinomial::checkParameters()
{
    checkRandomCount(count);
    if (n < 1) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalBinomialN);
    if (!insideOpenUnit(p)) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalRandomP);
}

void SeriesGenerateRandomBinomial::fillInteger(std::int32_t* buffer)
{
    stats_d_random_binomial(count, n, p, STATS_OPT_RETURN_USER, buffer, 0);
}

}  // namespace qd
