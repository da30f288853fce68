// Weighted moving-average forecast (method 15): each period after
// observationNumber is forecast by the average of the last N values
// weighted 1, 2, ..., N (the newest most), earlier forecasts beyond the
// data standing in as values. The window's observations get the fitted
// values of simple exponential smoothing with alpha 0.2 under 15 and 29
// (their values stay as they are). Stores N as QD_PERIOD_LENGTH (2079).
// observationNumber QD_LAST and N QD_ALL are resolved for each series.
#ifndef QD_SERIESCOMPUTE_SERIESFORECASTWEIGHTEDMOVINGAVERAGE_H
#define QD_SERIESCOMPUTE_SERIESFORECASTWEIGHTEDMOVINGAVERAGE_H

#include <cstdint>

#include "Matrix/Series.h"
#include "SeriesCompute/SeriesCompute.h"

namespace qd {

class SeriesForecastWeightedMovingAverage : public SeriesForecast {
public:
    SeriesForecastWeightedMovingAverage(std::int32_t observationNumber, std::int32_t numHistoricalValues,
                                        std::int32_t numPeriodsToForecast)
        : observationNumber(observationNumber),
          numHistoricalValues(numHistoricalValues),
          numPeriodsToForecast(numPeriodsToForecast)
    {
    }
    // Returns 0. The flag is not used.
    std::int32_t compute(Series& series, std::int32_t flag) override;

    std::int32_t observationNumber;
    std::int32_t numHistoricalValues;
    std::int32_t numPeriodsToForecast;
};

}  // namespace qd

#endif
