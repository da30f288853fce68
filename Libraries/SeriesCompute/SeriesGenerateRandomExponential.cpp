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
    // The mean is the distribution's standard deviation: one that is not a
    // finite number is refused with that code.
    if (!finite(mean)) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalStandardDeviation);
}

void SeriesGenerateRandomExponential::fillReal(double* buffer)
{
    stats_d_random_exponential(count, STATS_OPT_RETURN_USER, buffer, 0);
    for (std::int32_t i = 0; i < count; ++i) buffer[i] *= mean;
    requireFinite(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalStandardDeviation, count, buffer);
}

}  // namespace qd
