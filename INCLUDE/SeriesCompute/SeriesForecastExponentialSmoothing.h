// SeriesForecastExponentialSmoothing: simple exponential smoothing of one
// series with a single smoothing constant alpha.
//
// Passing alpha QD_COMPUTE (-3.0) fits it by minimising the sum of squared
// one-step errors over [0, 1] (tolerance 0.01). Two starting levels compete:
// the first value of the fit, and a level smoothed backwards from the last
// value; the backward start is kept unless the first-value start has the
// strictly smaller error. The fitted values and forecasts go into the
// observations under QD_EXPONENTIAL_SMOOTHING (5) and QD_FORECAST (29), one
// computed observation being appended per period beyond the data; alpha
// (2028) and the final level (2032) go into the series' stored results.
//
// Zero-demand mode does not smooth: it repeats a given level over the
// periods after observationNumber (QD_LAST: the last observation of each
// series the object is applied to).
//
// An object may be applied to many series in turn: each compute leaves the
// configuration as the constructor set it (alpha back to -3.0 when it was
// fitted), so every series is fitted afresh.
#ifndef QD_SERIESCOMPUTE_SERIESFORECASTEXPONENTIALSMOOTHING_H
#define QD_SERIESCOMPUTE_SERIESFORECASTEXPONENTIALSMOOTHING_H

#include <cstdint>

#include "Matrix/Series.h"
#include "SeriesCompute/ObjectiveFunction.h"
#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesForecastExponentialSmoothing : public SeriesForecast, public ObjectiveFunction {
public:
    SeriesForecastExponentialSmoothing(std::int32_t observationNumber, double alpha,
                                       std::int32_t numPeriodsToForecast, bool zeroDemand = false,
                                       double finalLevelValue = 0.0);
    ~SeriesForecastExponentialSmoothing() override;

    // Runs the zero-demand or the normal path, then stores the final level
    // (2032) and records method 5, seasonal length 0 and decomposition type
    // 0 in the series; returns the status of the final level's store. The
    // flag is not used.
    std::int32_t compute(Series& series, std::int32_t flag) override;

    // The sum of squared one-step errors of one smoothing pass over the
    // history with alpha = x in the current start mode. Called by the
    // minimiser during compute only.
    double evaluate(double x) override;

    // Configuration (restored at the end of every compute).
    std::int32_t observationNumber;
    double alpha;
    std::int32_t numPeriodsToForecast;
    bool zeroDemand;
    // Zero-demand mode: the level to repeat. After a normal compute: the
    // final level of the kept run.
    double finalLevelValue;

private:
    class ConfigurationGuard;

    void runNormal(Series& series);
    void runZeroDemand(Series& series);
    // One smoothing pass from observationNumber with the current alpha,
    // start mode and numPeriodsToForecast; returns the sum of squared
    // errors of the fitted values over the history.
    double smoothingPass();
    // The starting level smoothed backwards from the last value.
    double backwardStartLevel() const;
    // The error of one run in the current start mode: alpha fitted when the
    // constructor asked for it (written into alpha), else the given alpha.
    double fitRun();

    double constructorAlpha_;

    // Working state of one compute.
    std::int32_t observationCount_;
    bool backwardStart_;
    Series* series_;
    double* values_;
    double* forecasts_;
    double finalLevel_;
};

} // namespace qd

#endif
