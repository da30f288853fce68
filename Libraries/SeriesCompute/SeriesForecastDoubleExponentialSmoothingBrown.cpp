#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingBrown.h"

#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SmoothingSupport.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesForecastDoubleExponentialSmoothingBrown";
}

SeriesForecastDoubleExponentialSmoothingBrown::SeriesForecastDoubleExponentialSmoothingBrown(
    std::int32_t observationNumber, std::int32_t numPeriodsToForecast, double alpha)
    : SingleConstantSmoothing(observationNumber, numPeriodsToForecast, alpha,
                              Traits{QD_DOUBLE_EXPONENTIAL_SMOOTHING_BROWN, QD_ALPHA, 0.999})
{
}

void SeriesForecastDoubleExponentialSmoothingBrown::checkArguments(std::int32_t n) const
{
    // The recurrences divide by 1 - alpha: alpha 1 is refused.
    if (!isLegalSmoothingConstant(constant_, true))
        qdThrow(QD_SOURCE_PATH, publishedLine(75), ErrorCode::IllegalAlpha);
    if (observationNumber < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(78), ErrorCode::NegativeIndex);
    if (observationNumber >= n)
        qdThrow(QD_SOURCE_PATH, publishedLine(81), ErrorCode::OutOfBounds);
    if (numPeriodsToForecast < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(84), ErrorCode::IllegalForecastPeriods);
}

double SeriesForecastDoubleExponentialSmoothingBrown::smoothingPass(double a, double start0, std::int32_t h)
{
    const std::int32_t s = observationNumber;
    const std::int32_t n = observationCount_;
    forecasts_[s] = start0;
    double error = values_[s] - start0;
    double sse = 0.0 + error * error;
    double s1 = start0;
    double s2 = start0;
    double level = start0;
    double trend = 0.0;
    for (std::int32_t t = s; t < n; ++t) {
        s1 = a * values_[t] + (1.0 - a) * s1;
        s2 = a * s1 + (1.0 - a) * s2;
        level = 2.0 * s1 - s2;
        trend = a * (s1 - s2) / (1.0 - a);
        if (t + 1 < n) {
            forecasts_[t + 1] = level + trend;
            error = values_[t + 1] - forecasts_[t + 1];
            sse += error * error;
        }
    }
    writeTrendForecasts(forecasts_, values_, n, h, level, trend);
    return sse;
}

}  // namespace qd
