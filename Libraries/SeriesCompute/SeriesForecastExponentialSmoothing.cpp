#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"

#include <cstdint>
#include <limits>
#include <new>

#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/Minimizer.h"
#include "SeriesCompute/StatisticsCache.h"
#include "SeriesCompute/WorkCount.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesForecastExponentialSmoothing";

const double kFitLow = 0.0;
const double kFitHigh = 1.0;
const double kFitTolerance = 0.01;

bool isComputeSentinel(double value)
{
    return value == -3.0;
}

// Legal: -3.0 or a number in [0, 1] (a value that is not a number is not).
bool isLegalAlpha(double alpha)
{
    return isComputeSentinel(alpha) || (alpha >= 0.0 && alpha <= 1.0);
}

// Places needed for `count` observations and `extra` more; a total that
// no series can hold cannot be allocated.
void checkArrayLength(std::int64_t count, std::int64_t extra)
{
    if (count + extra > Series::maxObservations())
        throw std::bad_alloc();
}

}  // namespace

SeriesForecastExponentialSmoothing::SeriesForecastExponentialSmoothing(std::int32_t observationNumber,
                                                                       double alpha,
                                                                       std::int32_t numPeriodsToForecast,
                                                                       bool zeroDemand, double finalLevelValue)
    : observationNumber(observationNumber),
      alpha(alpha),
      numPeriodsToForecast(numPeriodsToForecast),
      zeroDemand(zeroDemand),
      finalLevelValue(finalLevelValue),
      constructorAlpha_(alpha),
      observationCount_(0),
      backwardStart_(false),
      series_(nullptr),
      values_(nullptr),
      forecasts_(nullptr),
      finalLevel_(0.0)
{
}

SeriesForecastExponentialSmoothing::~SeriesForecastExponentialSmoothing() = default;

// Puts alpha (to the given value) and the number of periods back when it
// goes out of scope, also when an exception passes; at the end of a compute
// it also forgets the series.
class SeriesForecastExponentialSmoothing::ConfigurationGuard {
public:
    ConfigurationGuard(SeriesForecastExponentialSmoothing& method, double alpha, bool endOfCompute = false)
        : method_(method), alpha_(alpha), periods_(method.numPeriodsToForecast), endOfCompute_(endOfCompute)
    {
    }
    ConfigurationGuard(const ConfigurationGuard&) = delete;
    ConfigurationGuard& operator=(const ConfigurationGuard&) = delete;
    ~ConfigurationGuard()
    {
        method_.alpha = alpha_;
        method_.numPeriodsToForecast = periods_;
        if (endOfCompute_) {
            method_.series_ = nullptr;
            method_.values_ = nullptr;
            method_.forecasts_ = nullptr;
        }
    }

private:
    SeriesForecastExponentialSmoothing& method_;
    double alpha_;
    std::int32_t periods_;
    bool endOfCompute_;
};

std::int32_t SeriesForecastExponentialSmoothing::compute(Series& series, std::int32_t flag)
{
    (void)flag;
    if (zeroDemand)
        runZeroDemand(series);
    else
        runNormal(series);
    const std::int32_t status = series.storedResults.store(QD_LEVEL_FINAL_VALUE, finalLevelValue);
    series.recordForecastMethod(QD_EXPONENTIAL_SMOOTHING);
    return status;
}

double SeriesForecastExponentialSmoothing::smoothingPass()
{
    const std::int32_t s = observationNumber;
    const std::int32_t n = observationCount_;
    const std::int32_t end = n + numPeriodsToForecast;
    const double a = alpha;
    noteWork(WorkKind::SimpleSmoothing, values_ + s, n - s, backwardStart_ ? 1 : 0, 0, &alpha, 1);
    double level = backwardStart_ ? backwardStartLevel() : values_[s];
    forecasts_[s] = level;
    // The sum of squared one-step errors over observations s .. n - 1, in
    // ascending order from 0.0, as the sum of squared errors of the fitted
    // values computes it.
    double error = values_[s] - level;
    double sse = 0.0 + error * error;
    std::int32_t t = s + 1;
    for (; t < n; ++t) {
        level = a * values_[t - 1] + (1.0 - a) * level;
        forecasts_[t] = level;
        error = values_[t] - level;
        sse += error * error;
    }
    // Beyond the data each step smooths the forecast with itself, so every
    // forecast equals the level after the last observation.
    for (; t < end; ++t) {
        level = a * values_[t - 1] + (1.0 - a) * level;
        forecasts_[t] = level;
        values_[t] = level;
    }
    // Without forecast periods the loop ends at the fitted value of the
    // last observation; the final level is the level after it.
    if (end <= n)
        level = a * values_[n - 1] + (1.0 - a) * level;
    finalLevel_ = level;
    return sse;
}

double SeriesForecastExponentialSmoothing::backwardStartLevel() const
{
    const std::int32_t n = observationCount_;
    const double a = alpha;
    double level = values_[n - 1];
    for (std::int32_t i = n - 2; i >= observationNumber; --i)
        level = (1.0 - a) * level + a * values_[i];
    return level;
}

double SeriesForecastExponentialSmoothing::evaluate(double x)
{
    const ConfigurationGuard guard(*this, alpha);
    numPeriodsToForecast = 0;
    alpha = x;
    // The pass writes the fitted values into the series' forecast array and
    // sums their squared errors on the way, in the order and from the very
    // arrays the sum of squared errors of the fit's range reads. The cached
    // sum of an earlier trial no longer holds: it is dropped, and the next
    // statistic that needs it computes it from the arrays.
    const double sse = smoothingPass();
    removeCachedStatistic(*series_, QD_SUM_SQUARED_ERROR);
    return sse;
}

double SeriesForecastExponentialSmoothing::fitRun()
{
    if (isComputeSentinel(constructorAlpha_)) {
        double fitted = kFitLow;
        const double error = minimizeOverInterval(*this, kFitLow, kFitHigh, kFitTolerance, fitted);
        alpha = fitted;
        return error;
    }
    return evaluate(alpha);
}

void SeriesForecastExponentialSmoothing::runNormal(Series& series)
{
    const std::int32_t n = series.numObservations();
    if (!isLegalAlpha(alpha))
        qdThrow(QD_SOURCE_PATH, publishedLine(125), ErrorCode::IllegalAlpha);
    if (numPeriodsToForecast < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(128), ErrorCode::IllegalForecastPeriods);
    if (observationNumber < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(131), ErrorCode::NegativeIndex);
    if (observationNumber >= n)
        qdThrow(QD_SOURCE_PATH, publishedLine(134), ErrorCode::OutOfBounds);
    checkArrayLength(n, numPeriodsToForecast);

    // Whatever happens, the object leaves with its constructor's alpha.
    const ConfigurationGuard guard(*this, constructorAlpha_, true);
    observationCount_ = n;
    series_ = &series;
    values_ = series.values(numPeriodsToForecast);
    forecasts_ = series.forecastValues(numPeriodsToForecast);

    try {
        // The run from the first value, then the run from the backward start.
        backwardStart_ = false;
        const double firstError = fitRun();
        const double firstAlpha = alpha;
        alpha = constructorAlpha_;

        backwardStart_ = true;
        const double backwardError = fitRun();

        // The backward start wins ties and every comparison with a non-number.
        if (backwardError > firstError) {
            backwardStart_ = false;
            alpha = firstAlpha;
        }
        smoothingPass();
    } catch (...) {
        // The trial passes have written into the series' forecast array; a
        // fit that does not reach the end must not leave them there as the
        // series' fitted values.
        series.valueCache.setForecastsDirty(true);
        throw;
    }

    const std::int32_t s = observationNumber;
    series.storeForecasts(QD_EXPONENTIAL_SMOOTHING, s, n - 1 + numPeriodsToForecast, false);
    series.storedResults.store(QD_ALPHA, alpha);

    finalLevelValue = finalLevel_;
}

void SeriesForecastExponentialSmoothing::runZeroDemand(Series& series)
{
    const std::int32_t n = series.numObservations();
    if (!isLegalAlpha(alpha))
        qdThrow(QD_SOURCE_PATH, publishedLine(96), ErrorCode::IllegalAlpha);
    if (numPeriodsToForecast < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(99), ErrorCode::IllegalForecastPeriods);
    // Resolved for this series only: the object may serve series of other
    // lengths next.
    const std::int32_t origin = observationNumber == QD_LAST ? n - 1 : observationNumber;
    if (origin < -1)
        qdThrow(QD_SOURCE_PATH, publishedLine(103), ErrorCode::NegativeIndex);
    if (origin >= n)
        qdThrow(QD_SOURCE_PATH, publishedLine(106), ErrorCode::OutOfBounds);
    checkArrayLength(n, numPeriodsToForecast);
    const std::int32_t first = origin + 1;
    const std::int32_t last = origin + numPeriodsToForecast;
    double* forecasts = series.forecastValues(numPeriodsToForecast);
    for (std::int32_t t = first; t <= last; ++t)
        forecasts[t] = finalLevelValue;
    series.storeForecasts(QD_EXPONENTIAL_SMOOTHING, first, last, false);
}

} // namespace qd
