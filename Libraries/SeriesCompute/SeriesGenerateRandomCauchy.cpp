#include "SeriesCompute/SeriesGenerateRandomCauchy.h"

#include "SeriesCompute/SeriesGenerateRandomBase.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"

namespace qd {

namespace {
[[maybe_unused]] const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesGenerateRandomCauchy";
}  // namespace

void SeriesGenerateRandomCauchy::checkParameters()
{
    checkRandomCount(count);

}

void SeriesGenerateRandomCauchy::fillReal(double* buffer)
{
    stats_d_random_cauchy(count, STATS_OPT_RETURN_USER, buffer, 0);
}

}  // namespace qd
