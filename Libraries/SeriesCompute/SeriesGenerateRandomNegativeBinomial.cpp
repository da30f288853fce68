#include "SeriesCompute/SeriesGenerateRandomNegativeBinomial.h"

#include "SeriesCompute/SeriesGenerateRandomBase.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesGenerateRandomNegativeBinomial";
}  // namespace

void SeriesGenerateRandomNegativeBinomial::checkParameters()
{
    checkRandomCount(count);
    if (!positiveFinite(r)) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalNegativeBinomialR);
    // The library takes p above its machine epsilon only.
    if (!insideOpenUnit(p) || !(p > libraryEpsilon())) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalRandomP);
}

void SeriesGenerateRandomNegativeBinomial::fillInteger(std::int32_t* buffer)
{
    // A gamma-Poisson mean beyond the Poisson generator's range: refused
    // as r.
    callLibrary(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalNegativeBinomialR, [&] {
        stats_d_random_neg_binomial(count, r, p, STATS_OPT_RETURN_USER, buffer, 0);
    });
}

}  // namespace qd
