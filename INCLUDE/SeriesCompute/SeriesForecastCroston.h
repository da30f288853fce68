// SeriesForecastCroston: Croston's method for intermittent demand.
//
// The sizes of the nonzero demands are smoothed by simple exponential
// smoothing (alpha QD_COMPUTE -3.0 fits it there, and the fitted constant is
// then used for the intervals too); the intervals between demands are
// smoothed with the same constant; each period's forecast is the smoothed
// size over the smoothed interval, both as known before that period. After a
// demand the size estimate is the smoothed level that includes that demand,
// so the most recent demand always counts. Between demands the running
// interval grows with the gap, which lowers the forecast of a long run of
// empty periods.
//
// Results: fitted values and forecasts under QD_CROSTON (24) and
// QD_FORECAST (29), one computed observation appended per period beyond the
// data; the alpha used as QD_ALPHA (2028); method code 24. The object keeps
// its constructor's alpha, so one object may be applied to many series.
#ifndef QD_SERIESCOMPUTE_SERIESFORECASTCROSTON_H
#define QD_SERIESCOMPUTE_SERIESFORECASTCROSTON_H

#include <cstdint>

#include "Matrix/Series.h"
#include "Matrix/SeriesCompute.h"
#include "SeriesCompute/ObjectiveFunction.h"

namespace qd {

class SeriesForecastCroston : public SeriesForecast, public ObjectiveFunction {
public:
    SeriesForecastCroston(std::int32_t observationNumber, std::int32_t numPeriodsToForecast, double alpha);

    // The flag is not used. Returns 0.
    std::int32_t compute(Series& series, std::int32_t flag) override;

    // Nothing minimises this objective: the constant is fitted by the
    // smoothing of the demand sizes. Answers 0.0.
    double evaluate(double x) override;

    std::int32_t observationNumber;
    std::int32_t numPeriodsToForecast;
    std::int32_t numObservations;
    double alpha;
    // Borrowed from the series during one compute.
    double* values;
    double* forecasts;

private:
    void run(Series& series);
};

} // namespace qd

#endif
