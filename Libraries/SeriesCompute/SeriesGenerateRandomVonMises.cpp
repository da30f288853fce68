#include "SeriesCompute/SeriesGenerateRandomVonMises.h"

#include <cmath>

#include "SeriesCompute/SeriesGenerateRandomBase.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesGenerateRandomVonMises";

// The largest concentration the rejection method can draw from. Its
// envelope constant r exceeds 1 by about 1/(2c); once that falls below
// the double spacing at 1 (c above about 4.5e15), r rounds to 1, every
// candidate is rejected and the draw never ends, and well before that the
// difference has lost its digits. Up to 1e12 it keeps about four.
const double kLargestVonMisesC = 1e12;
}  // namespace

void SeriesGenerateRandomVonMises::checkParameters()
{
    checkRandomCount(count);
    // The library takes c from sqrt(machine epsilon) / 2 on, and draws
    // only up to kLargestVonMisesC.
    if (!positiveFinite(c) || !(c >= std::sqrt(libraryEpsilon()) / 2.0) || c > kLargestVonMisesC) qdThrow(QD_SOURCE_PATH, __LINE__,
            ErrorCode::IllegalVonMisesC);
}

void SeriesGenerateRandomVonMises::fillReal(double* buffer)
{
    stats_d_random_von_mises(count, c, STATS_OPT_RETURN_USER, buffer, 0);
}

}  // namespace qd
