// Cumulative adoption of the Bass diffusion model with the given
// coefficients (not fitted); method code 32 (QD_BASS_MODEL).
#ifndef QD_SERIESCOMPUTE_SERIESFORECASTBASSMODEL_H
#define QD_SERIESCOMPUTE_SERIESFORECASTBASSMODEL_H

#include <cstdint>

#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesCompute.h"

namespace qd {

class SeriesForecastBassModel : public SeriesForecast {
public:
    SeriesForecastBassModel(std::int32_t last, std::int32_t count, std::int32_t numPeriodsToForecast, double p, double r,
                            double qbar);
    std::int32_t compute(Series& series, std::int32_t flag) override;

    std::int32_t last;
    std::int32_t count;
    std::int32_t numPeriodsToForecast;
    double p;      // innovation
    double r;      // imitation
    double qbar;   // market potential
};

}  // namespace qd

#endif
