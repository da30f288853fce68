// Adaptive-response-rate smoothing (method 7): the smoothing rate of each
// step is the ratio of the smoothed error to the smoothed absolute error,
// both smoothed with beta in [0, 1]; beta -3.0 is fitted over [0, 1].
// Stores beta (2029).
#ifndef QD_SERIESCOMPUTE_SERIESFORECASTADAPTIVEEXPONENTIALSMOOTHING_H
#define QD_SERIESCOMPUTE_SERIESFORECASTADAPTIVEEXPONENTIALSMOOTHING_H

#include <cstdint>

#include "SeriesCompute/SingleConstantSmoothing.h"

namespace qd {

class SeriesForecastAdaptiveExponentialSmoothing : public SingleConstantSmoothing {
public:
    SeriesForecastAdaptiveExponentialSmoothing(std::int32_t observationNumber, double beta, std::int32_t numPeriodsToForecast);

protected:
    void checkArguments(std::int32_t n) const override;
    double smoothingPass(double c, double start0, std::int32_t h) override;
};

}  // namespace qd

#endif
