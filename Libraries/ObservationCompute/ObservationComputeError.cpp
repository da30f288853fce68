#include "SeriesCompute/ObservationComputeError.h"

namespace qd {

double observationError(const Observation& observation)
{
    double forecast = 0.0;
    if (observation.storedResults.lookup(QD_FORECAST, forecast) != QD_QUANTITY_FOUND)
        return 0.0;
    return observation.value - forecast;
}

double ObservationComputeError::compute(Observation& observation)
{
    return observationError(observation);
}

} // namespace qd
