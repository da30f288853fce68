// Box-Jenkins forecast of one series: a seasonal ARIMA model (p, d, q)
// (P, D, Q)S whose orders are given or identified (QD_COMPUTE, -3), chosen
// among a few candidate models by a diagnostic elimination; its fitted
// values and forecasts, undifferenced and (with the log transform) taken
// back from logarithms, are stored under QD_BOX_JENKINS (18) and
// QD_FORECAST, with the orders, coefficients and diagnostics among the
// series' stored results. Method code 18.
//
// The log transform works on a copy of the window: the series' supplied
// and blank observations keep their values bit for bit, and a failed call
// leaves the series as it was.
#ifndef QD_SERIESCOMPUTE_SERIESFORECASTBOXJENKINSNEW_H
#define QD_SERIESCOMPUTE_SERIESFORECASTBOXJENKINSNEW_H

#include <cstdint>

#include "Matrix/Series.h"
#include "Matrix/SeriesCompute.h"

namespace qd {

enum XTransformType : std::int32_t {
    QD_NO_TRANSFORM = 1,
    QD_OPTIMIZE_TRANSFORM = 2,
    QD_LOG_TRANSFORM = 3
};

class SeriesForecastBoxJenkinsNew : public SeriesForecast {
public:
    // constants: 1 with a constant term, 0 without, QD_COMPUTE to use one
    // exactly when d + D = 0; any other value fails with 3031.
    SeriesForecastBoxJenkinsNew(std::int32_t observationNumber, std::int32_t numHistoricalValues,
                                std::int32_t numPeriodsToForecast, std::int32_t constants, std::int32_t p,
                                std::int32_t d, std::int32_t q, std::int32_t Seasonal_P, std::int32_t Seasonal_D,
                                std::int32_t Seasonal_Q, std::int32_t S, bool ForceThrough, std::int32_t Transform);

    // The flag is not read. Returns 0.
    std::int32_t compute(Series& series, std::int32_t flag) override;

    std::int32_t observationNumber;
    std::int32_t numHistoricalValues;
    std::int32_t numPeriodsToForecast;
    std::int32_t constants;
    std::int32_t p;
    std::int32_t d;
    std::int32_t q;
    std::int32_t Seasonal_P;
    std::int32_t Seasonal_D;
    std::int32_t Seasonal_Q;
    std::int32_t S;
    bool ForceThrough;
    std::int32_t Transform;
};

}  // namespace qd

#endif
