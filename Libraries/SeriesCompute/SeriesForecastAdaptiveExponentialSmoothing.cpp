#include "SeriesCompute/SeriesForecastAdaptiveExponentialSmoothing.h"

#include <cmath>

#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SmoothingSupport.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesForecastAdaptiveExponentialSmoothing";
}

SeriesForecastAdaptiveExponentialSmoothing::SeriesForecastAdaptiveExponentialSmoothing(
    std::int32_t observationNumber, double beta, std::int32_t numPeriodsToForecast)
    : SingleConstantSmoothing(observationNumber, numPeriodsToForecast, beta,
                              Traits{QD_ADAPTIVE_EXPONENTIAL_SMOOTHING, QD_BETA, 1.0})
{
}

void SeriesForecastAdaptiveExponentialSmoothing::checkArguments(std::int32_t n) const
{
    if (numPeriodsToForecast < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(74), ErrorCode::IllegalForecastPeriods);
    if (observationNumber < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(77), ErrorCode::NegativeIndex);
    if (observationNumber >= n)
        qdThrow(QD_SOURCE_PATH, publishedLine(80), ErrorCode::OutOfBounds);
    if (!isLegalSmoothingConstant(constant_))
        qdThrow(QD_SOURCE_PATH, publishedLine(83), ErrorCode::IllegalBeta);
}

double SeriesForecastAdaptiveExponentialSmoothing::smoothingPass(double b, double start0, std::int32_t h)
{
    const std::int32_t s = observationNumber;
    const std::int32_t n = observationCount_;
    double smoothedError = 0.0;
    double smoothedAbsError = 0.0;
    double f = start0;
    forecasts_[s] = f;
    // Beyond the data each step smooths the forecast with itself.
    const std::int32_t end = n + h - 1;
    // The squared errors of the fitted values of s .. n - 1 in ascending
    // order: each is the error e of its step, the last one's after the loop
    // when no period is forecast.
    double sse = 0.0;
    std::int32_t t = s;
    for (; t < end; ++t) {
        const double rate =
            std::fabs(smoothedAbsError) < 1e-6 ? b : std::fabs(smoothedError / smoothedAbsError);
        const double e = values_[t] - f;
        if (t < n)
            sse += e * e;
        smoothedAbsError = (1.0 - b) * smoothedAbsError + b * std::fabs(e);
        smoothedError = (1.0 - b) * smoothedError + b * e;
        f = rate * values_[t] + (1.0 - rate) * f;
        forecasts_[t + 1] = f;
        if (t + 1 >= n)
            values_[t + 1] = f;
    }
    for (; t < n; ++t) {
        const double e = values_[t] - forecasts_[t];
        sse += e * e;
    }
    return sse;
}

}  // namespace qd
