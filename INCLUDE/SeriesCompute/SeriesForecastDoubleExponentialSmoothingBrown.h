// Brown's double exponential smoothing (method 8): two smoothings with one
// constant alpha in [0, 1), giving a level and a trend; alpha -3.0 is
// fitted over [0, 0.999]. Stores alpha (2028).
#ifndef QD_SERIESCOMPUTE_SERIESFORECASTDOUBLEEXPONENTIALSMOOTHINGBROWN_H
#define QD_SERIESCOMPUTE_SERIESFORECASTDOUBLEEXPONENTIALSMOOTHINGBROWN_H

#include <cstdint>

#include "SeriesCompute/SingleConstantSmoothing.h"

namespace qd {

class SeriesForecastDoubleExponentialSmoothingBrown : public SingleConstantSmoothing {
public:
    SeriesForecastDoubleExponentialSmoothingBrown(std::int32_t observationNumber, std::int32_t numPeriodsToForecast, double alpha);

protected:
    void checkArguments(std::int32_t n) const override;
    double smoothingPass(double c, double start0, std::int32_t h) override;
};

}  // namespace qd

#endif
