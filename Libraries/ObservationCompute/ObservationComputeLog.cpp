#include "SeriesCompute/ObservationComputeLog.h"

#include <cmath>

#include "Matrix/MVRBaseException.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\ObservationCompute\\ObservationComputeLog";
}

double ObservationComputeLog::compute(Observation& observation)
{
    // Zero, negative values (and a value that is not a number) have no
    // logarithm.
    if (!(observation.value > 0.0))
        qdThrow(QD_SOURCE_PATH, publishedLine(23), ErrorCode::LogOfNegative);
    return std::log(observation.value);
}

} // namespace qd
