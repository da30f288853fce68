// SeriesForecastNewProductOptimizedCurve: fits the Gompertz, logistic and
// probit curves in turn and forecasts with the one of the smallest sum of
// squared errors (the earlier on equal sums; a failing probit fit is never
// chosen). Method code QD_NEW_PRODUCT_FORECASTING (28), with quantity 28 =
// the forecast of every period of the range and of the forecast periods.
// Fewer than three values in the range, or a trial that falls back to the
// average, make it forecast the average instead (method code 30).
#ifndef QD_SERIESCOMPUTE_SERIESFORECASTNEWPRODUCTOPTIMIZEDCURVE_H
#define QD_SERIESCOMPUTE_SERIESFORECASTNEWPRODUCTOPTIMIZEDCURVE_H

#include <cstdint>

#include "Matrix/Series.h"
#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesForecastNewProductOptimizedCurve : public SeriesForecast {
public:
    SeriesForecastNewProductOptimizedCurve(std::int32_t observationNumber, std::int32_t numHistoricalValues,
                                           std::int32_t numPeriodsToForecast, double minValue, double maxValue,
                                           std::int32_t MinMaxType, Series* independentSeries = nullptr);

    // The flag is not used. Returns 0.
    std::int32_t compute(Series& series, std::int32_t flag) override;

    std::int32_t observationNumber;
    std::int32_t numHistoricalValues;
    std::int32_t numPeriodsToForecast;
    double minValue;
    double maxValue;
    std::int32_t MinMaxType;
    Series* independentSeries;  // not owned
    bool fellBack = false;
    // The curve type kept by the last compute (0 when none was kept).
    std::int32_t chosenCurve = 0;

private:
    void averageFallback(Series& series, std::int32_t last, std::int32_t count);
};

} // namespace qd

#endif
