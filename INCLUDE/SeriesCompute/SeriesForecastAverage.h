// The mean of the range as every fitted value and every forecast; method
// code 30 (QD_AVERAGE).
#ifndef QD_SERIESCOMPUTE_SERIESFORECASTAVERAGE_H
#define QD_SERIESCOMPUTE_SERIESFORECASTAVERAGE_H

#include <cstdint>

#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesCompute.h"

namespace qd {

class SeriesForecastAverage : public SeriesForecast {
public:
    SeriesForecastAverage(std::int32_t last, std::int32_t count, std::int32_t numPeriodsToForecast);
    std::int32_t compute(Series& series, std::int32_t flag) override;

    std::int32_t last;
    std::int32_t count;
    std::int32_t numPeriodsToForecast;
};

}  // namespace qd

#endif
