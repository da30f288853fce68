#include "SeriesCompute/SeriesGenerateRandomPoisson.h"

#include "SeriesCompute/SeriesGenerateRandomBase.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesGenerateRandomPoisson";
}  // namespace

void SeriesGenerateRandomPoisson::checkParameters()
{
    checkRandomCount(count);
    // theta goes to the library in single precision: it must stay positive
    // there and below 2^31, where the deviates would leave 32 bits.
    if (!(theta > 0.0 && static_cast<float>(theta) > 0.0f && theta < 2147483648.0)) qdThrow(QD_SOURCE_PATH, __LINE__,
            ErrorCode::IllegalPoissonTheta);
}

void SeriesGenerateRandomPoisson::fillInteger(std::int32_t* buffer)
{
    stats_random_poisson(count, static_cast<double>(static_cast<float>(theta)), STATS_OPT_RETURN_USER, buffer, 0);
}

}  // namespace qd
