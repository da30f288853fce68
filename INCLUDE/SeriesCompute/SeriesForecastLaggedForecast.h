// The value L periods back as the forecast of every period from
// observationNumber on; method code 36 (QD_LAGGED_FORECAST).
#ifndef QD_SERIESCOMPUTE_SERIESFORECASTLAGGEDFORECAST_H
#define QD_SERIESCOMPUTE_SERIESFORECASTLAGGEDFORECAST_H

#include <cstdint>

#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesCompute.h"

namespace qd {

class SeriesForecastLaggedForecast : public SeriesForecast {
public:
    SeriesForecastLaggedForecast(std::int32_t observationNumber, std::int32_t numPeriodsToForecast, std::int32_t laggedPeriod);
    std::int32_t compute(Series& series, std::int32_t flag) override;

    std::int32_t observationNumber;   // first observation forecast
    std::int32_t numPeriodsToForecast;
    std::int32_t laggedPeriod;        // L
};

}  // namespace qd

#endif
