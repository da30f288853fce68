#include "SeriesCompute/SeriesGenerateRandomChiSquared.h"

#include "SeriesCompute/SeriesGenerateRandomBase.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesGenerateRandomChiSquared";
}  // namespace

void SeriesGenerateRandomChiSquared::checkParameters()
{
    checkRandomCount(count);
    // The library draws gamma deviates of shape df / 2, which must not
    // round to 0.
    if (!positiveFinite(df) || !(df / 2.0 > 0.0)) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalChiSquaredDf);
}

void SeriesGenerateRandomChiSquared::fillReal(double* buffer)
{
    stats_d_random_chi_squared(count, df, STATS_OPT_RETURN_USER, buffer, 0);
}

}  // namespace qd
