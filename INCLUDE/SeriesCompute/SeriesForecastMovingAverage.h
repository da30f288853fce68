// Moving-average forecast (method 4): each period after observationNumber
// is forecast by the plain average of the last w values, earlier forecasts
// beyond the data standing in as values. The window's own observations get
// the fitted values of simple exponential smoothing with alpha 0.2, which
// also leaves its alpha and final level among the stored results. Stores w
// as QD_PERIOD_LENGTH (2079). observationNumber QD_LAST and w QD_ALL are
// resolved for each series.
#ifndef QD_SERIESCOMPUTE_SERIESFORECASTMOVINGAVERAGE_H
#define QD_SERIESCOMPUTE_SERIESFORECASTMOVINGAVERAGE_H

#include <cstdint>

#include "Matrix/Series.h"
#include "SeriesCompute/SeriesCompute.h"

namespace qd {

class SeriesForecastMovingAverage : public SeriesForecast {
public:
    SeriesForecastMovingAverage(std::int32_t observationNumber, std::int32_t numHistoricalValues,
                                std::int32_t numPeriodsToForecast)
        : observationNumber(observationNumber),
          numPeriodsToForecast(numPeriodsToForecast),
          numHistoricalValues(numHistoricalValues)
    {
    }
    // Returns 0. The flag is not used.
    std::int32_t compute(Series& series, std::int32_t flag) override;

    std::int32_t observationNumber;
    std::int32_t numPeriodsToForecast;
    std::int32_t numHistoricalValues;
};

}  // namespace qd

#endif
