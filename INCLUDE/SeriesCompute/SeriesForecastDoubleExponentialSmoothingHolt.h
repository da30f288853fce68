// Holt's two-parameter smoothing (method 9): a level smoothed with alpha and
// a trend smoothed with gamma, both in [0, 1], started from a level and
// trend smoothed backwards from the last value. Constants passed as -3.0
// are fitted in alternating passes (alpha, then gamma; at least two passes,
// at most six, until neither moves by more than 0.01). Stores alpha (2028),
// gamma (2030), the final level (2032) and the final trend (2033).
//
// A series of fewer than two observations is left alone. observationNumber
// QD_LAST (-2) starts at the last but one observation; it is resolved for
// each series, so one object serves series of different lengths.
#ifndef QD_SERIESCOMPUTE_SERIESFORECASTDOUBLEEXPONENTIALSMOOTHINGHOLT_H
#define QD_SERIESCOMPUTE_SERIESFORECASTDOUBLEEXPONENTIALSMOOTHINGHOLT_H

#include <cstdint>

#include "Matrix/Series.h"
#include "SeriesCompute/ObjectiveFunction.h"
#include "SeriesCompute/SeriesCompute.h"

namespace qd {

class SeriesForecastDoubleExponentialSmoothingHolt : public SeriesForecast, public ObjectiveFunction {
public:
    SeriesForecastDoubleExponentialSmoothingHolt(std::int32_t observationNumber, std::int32_t numPeriodsToForecast,
                                                 double alpha, double gamma);

    // Returns 0. The flag is not used.
    std::int32_t compute(Series& series, std::int32_t flag) override;
    // The sum of squared errors over the fit's range of one pass without
    // forecast periods, with alpha (fittedParameter 0) or gamma (otherwise)
    // set to x.
    double evaluate(double x) override;

    std::int32_t observationNumber;
    std::int32_t numPeriodsToForecast;
    double alpha;
    double gamma;

    // Level and trend after the last observation of the latest pass.
    double finalLevel() const { return level_; }
    double finalTrend() const { return trend_; }

private:
    // One pass with the current constants and h periods to forecast;
    // returns the sum of squared errors of the fitted values it wrote over
    // the fit's range, summed in ascending order from 0.0 as the sum of
    // squared errors statistic of that range sums them.
    double smoothingPass(std::int32_t h);

    double constructorAlpha_;
    double constructorGamma_;

    // Working state of one compute.
    std::int32_t start_ = 0;
    std::int32_t observationCount_ = 0;
    Series* series_ = nullptr;
    double* values_ = nullptr;
    double* forecasts_ = nullptr;
    double level_ = 0.0;
    double trend_ = 0.0;
};

}  // namespace qd

#endif
