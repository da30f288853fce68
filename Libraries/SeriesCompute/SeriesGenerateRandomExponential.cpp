#include "SeriesCompute/SeriesGenerateRandomExponential.h"

#include "SeriesCompute/SeriesGenerateRandomBase.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"

namespace qd {

namespace {
[[maybe_unused]] const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesGenerateRandomExponential";
}  // namespace

void SeriesGenerateRandomExponential::checkParameters()
{
    checkRandomCount(count);

}

void SeriesGenerateRandomExponential::fillReal(double* buffer)
{
    stats_d_random_exponential(count, STATS_OPT_RETURN_USER, buffer, 0);
    for (std::int32_t i = 0; i < count; ++i) buffer[i] *= mean;
}

}  // namespace qd
