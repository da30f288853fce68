#include "SeriesCompute/SeriesGenerateRandomVonMises.h"

#include <cmath>

#include "SeriesCompute/SeriesGenerateRandomBase.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesGenerateRandomVonMises";
}  // namespace

void SeriesGenerateRandomVonMises::checkParameters()
{
    checkRandomCount(count);
    // The library takes c from sqrt(machine epsilon) / 2 on.
    if (!positiveFinite(c) || !(c >= std::sqrt(libraryEpsilon()) / 2.0)) qdThrow(QD_SOURCE_PATH, __LINE__,
            ErrorCode::IllegalVonMisesC);
}

void SeriesGenerateRandomVonMises::fillReal(double* buffer)
{
    stats_d_random_von_mises(count, c, STATS_OPT_RETURN_USER, buffer, 0);
}

}  // namespace qd
