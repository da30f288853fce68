#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingHolt.h"

#include <cmath>

#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/Minimizer.h"
#include "SeriesCompute/SmoothingSupport.h"
#include "SeriesCompute/WorkCount.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesForecastDoubleExponentialSmoothingHolt";
const double kFitTolerance = 0.01;
const double kConverged = 0.01;
const int kMaxPasses = 6;

}  // namespace

SeriesForecastDoubleExponentialSmoothingHolt::SeriesForecastDoubleExponentialSmoothingHolt(
    std::int32_t observationNumber, std::int32_t numPeriodsToForecast, double alpha, double gamma)
    : observationNumber(observationNumber),
      numPeriodsToForecast(numPeriodsToForecast),
      alpha(alpha),
      gamma(gamma),
      constructorAlpha_(alpha),
      constructorGamma_(gamma)
{
}

double SeriesForecastDoubleExponentialSmoothingHolt::smoothingPass(std::int32_t h)
{
    const std::int32_t s = start_;
    const std::int32_t n = observationCount_;
    const double a = alpha;
    const double g = gamma;
    const double* y = values_;
    const double parameters[2] = {a, g};
    noteWork(WorkKind::Holt, y + s, n - s, 0, 0, parameters, 2);

    // Starting values: smoothed backwards from the last value, the trend
    // turned round.
    double level = y[n - 1];
    double trend = 0.0;
    for (std::int32_t i = n - 2; i >= s; --i) {
        const double next = a * y[i] + (1.0 - a) * (level + trend);
        trend = g * (next - level) + (1.0 - g) * trend;
        level = next;
    }
    trend = -trend;
    forecasts_[s] = level + trend;
    double error = y[s] - forecasts_[s];
    double sse = 0.0 + error * error;
    const double level0 = a * y[s] + (1.0 - a) * (level + trend);
    trend = g * (level0 - level) + (1.0 - g) * trend;
    level = level0;

    for (std::int32_t t = s; t < n; ++t) {
        if (t > s) {
            const double next = a * y[t] + (1.0 - a) * (level + trend);
            trend = g * (next - level) + (1.0 - g) * trend;
            level = next;
        }
        if (t + 1 < n) {
            forecasts_[t + 1] = level + trend;
            error = y[t + 1] - forecasts_[t + 1];
            sse += error * error;
        }
    }
    writeTrendForecasts(forecasts_, values_, n, h, level, trend);
    level_ = level;
    trend_ = trend;
    return sse;
}

double SeriesForecastDoubleExponentialSmoothingHolt::evaluate(double x)
{
    const RestoreOnExit<double> keepAlpha(alpha);
    const RestoreOnExit<double> keepGamma(gamma);
    if (fittedParameter == 0)
        alpha = x;
    else
        gamma = x;
    const double sse = smoothingPass(0);
    // The cached sum of an earlier trial no longer holds.
    removeCachedStatistic(*series_, QD_SUM_SQUARED_ERROR);
    return sse;
}

std::int32_t SeriesForecastDoubleExponentialSmoothingHolt::compute(Series& series, std::int32_t flag)
{
    (void)flag;
    const std::int32_t n = series.numObservations();
    if (n < 2)
        return 0;
    if (!isLegalSmoothingConstant(alpha))
        qdThrow(QD_SOURCE_PATH, publishedLine(96), ErrorCode::IllegalAlpha);
    if (!isLegalSmoothingConstant(gamma))
        qdThrow(QD_SOURCE_PATH, publishedLine(99), ErrorCode::IllegalGamma);
    // Resolved for this series only: the object may serve series of other
    // lengths next.
    const std::int32_t s = observationNumber == QD_LAST ? n - 2 : observationNumber;
    if (s < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(104), ErrorCode::NegativeIndex);
    if (s >= n - 1)
        qdThrow(QD_SOURCE_PATH, publishedLine(107), ErrorCode::OutOfBounds);
    if (numPeriodsToForecast < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(110), ErrorCode::IllegalForecastPeriods);
    checkForecastLength(n, numPeriodsToForecast);

    const RestoreOnExit<double> keepAlpha(alpha, constructorAlpha_);
    const RestoreOnExit<double> keepGamma(gamma, constructorGamma_);
    const RestoreOnExit<Series*> keepSeries(series_, nullptr);
    const std::int32_t h = numPeriodsToForecast;
    start_ = s;
    observationCount_ = n;
    series_ = &series;
    values_ = series.values(h);
    forecasts_ = series.forecastValues(h);

    const bool fitAlpha = isComputeSentinel(constructorAlpha_);
    const bool fitGamma = isComputeSentinel(constructorGamma_);
    try {
        if (fitAlpha || fitGamma) {
            for (int pass = 1;; ++pass) {
                const double previousAlpha = alpha;
                const double previousGamma = gamma;
                if (fitAlpha) {
                    fittedParameter = 0;
                    if (pass == 1 && fitGamma)
                        gamma = 0.5;
                    double x = 0.0;
                    minimizeOverInterval(*this, 0.0, 1.0, kFitTolerance, x);
                    alpha = x;
                }
                if (fitGamma) {
                    fittedParameter = 2;
                    double x = 0.0;
                    minimizeOverInterval(*this, 0.0, 1.0, kFitTolerance, x);
                    gamma = x;
                }
                if (pass >= kMaxPasses)
                    break;
                if (pass >= 2 && std::fabs(alpha - previousAlpha) <= kConverged &&
                    std::fabs(gamma - previousGamma) <= kConverged)
                    break;
            }
        }
        smoothingPass(h);
    } catch (...) {
        series.valueCache.setForecastsDirty(true);
        throw;
    }

    series.storeForecasts(QD_DOUBLE_EXPONENTIAL_SMOOTHING_HOLT, s, n - 1 + h, false);
    series.storedResults.store(QD_ALPHA, alpha);
    series.storedResults.store(QD_GAMMA, gamma);
    series.storedResults.store(QD_LEVEL_FINAL_VALUE, level_);
    series.storedResults.store(QD_TREND_FINAL_VALUE, trend_);
    series.recordForecastMethod(QD_DOUBLE_EXPONENTIAL_SMOOTHING_HOLT);
    return 0;
}

}  // namespace qd
