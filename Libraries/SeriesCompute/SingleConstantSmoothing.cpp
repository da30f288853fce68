#include "SeriesCompute/SingleConstantSmoothing.h"

#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/Minimizer.h"
#include "SeriesCompute/SmoothingSupport.h"
#include "SeriesCompute/WorkCount.h"

namespace qd {

namespace {
const double kFitTolerance = 0.01;
}

void SingleConstantSmoothing::notePass(double constant) const
{
#ifdef QD_COUNT_WORK
    const WorkKind kind = traits_.methodCode == QD_DOUBLE_EXPONENTIAL_SMOOTHING_BROWN   ? WorkKind::BrownDouble
                          : traits_.methodCode == QD_TRIPLE_EXPONENTIAL_SMOOTHING_BROWN ? WorkKind::BrownTriple
                                                                                         : WorkKind::Adaptive;
    const double parameters[2] = {constant, start_};
    noteWork(kind, values_ + observationNumber, observationCount_ - observationNumber, 0, 0, parameters, 2);
#else
    (void)constant;
#endif
}

SingleConstantSmoothing::SingleConstantSmoothing(std::int32_t observationNumber, std::int32_t numPeriodsToForecast,
                                                 double constant, const Traits& traits)
    : observationNumber(observationNumber),
      numPeriodsToForecast(numPeriodsToForecast),
      constant_(constant),
      constructorConstant_(constant),
      traits_(traits)
{
}

double SingleConstantSmoothing::evaluate(double x)
{
    const RestoreOnExit<double> keep(constant_);
    notePass(x);
    const double sse = smoothingPass(x, start_, 0);
    // The cached sum of an earlier trial no longer holds.
    removeCachedStatistic(*series_, QD_SUM_SQUARED_ERROR);
    return sse;
}

std::int32_t SingleConstantSmoothing::compute(Series& series, std::int32_t flag)
{
    (void)flag;
    const std::int32_t n = series.numObservations();
    checkArguments(n);
    checkForecastLength(n, numPeriodsToForecast);

    // Whatever happens, the object leaves with its constructor's constant
    // and forgets the series.
    const RestoreOnExit<double> keepConstant(constant_, constructorConstant_);
    const RestoreOnExit<Series*> keepSeries(series_, nullptr);
    const std::int32_t s = observationNumber;
    const std::int32_t h = numPeriodsToForecast;
    observationCount_ = n;
    series_ = &series;
    values_ = series.values(h);
    forecasts_ = series.forecastValues(h);
    start_ = startingMean(values_, s, n);
    try {
        if (isComputeSentinel(constructorConstant_)) {
            double fitted = 0.0;
            minimizeOverInterval(*this, 0.0, traits_.fitHigh, kFitTolerance, fitted);
            constant_ = fitted;
        }
        notePass(constant_);
        smoothingPass(constant_, start_, h);
    } catch (...) {
        // Trial passes have written into the forecast array.
        series.valueCache.setForecastsDirty(true);
        throw;
    }
    series.storeForecasts(traits_.methodCode, s, n - 1 + h, false);
    series.storedResults.store(traits_.constantType, constant_);
    series.recordForecastMethod(traits_.methodCode);
    return 0;
}

}  // namespace qd
