#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingBrown.h"

#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SmoothingSupport.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesForecastTripleExponentialSmoothingBrown";

struct Smoothed {
    double s1;
    double s2;
    double s3;

    void add(double a, double v)
    {
        s1 = a * v + (1.0 - a) * s1;
        s2 = a * s1 + (1.0 - a) * s2;
        s3 = a * s2 + (1.0 - a) * s3;
    }
};

struct Coefficients {
    double level;
    double trend;
    double curvature;
};

Coefficients coefficientsOf(const Smoothed& s, double a)
{
    const double b = 1.0 - a;
    Coefficients c;
    c.level = 3.0 * s.s1 - 3.0 * s.s2 + s.s3;
    c.trend = a * ((6.0 - 5.0 * a) * s.s1 - (10.0 - 8.0 * a) * s.s2 + (4.0 - 3.0 * a) * s.s3) / (2.0 * (b * b));
    c.curvature = a * a * (s.s1 - 2.0 * s.s2 + s.s3) / (b * b);
    return c;
}

}  // namespace

SeriesForecastTripleExponentialSmoothingBrown::SeriesForecastTripleExponentialSmoothingBrown(
    std::int32_t observationNumber, std::int32_t numPeriodsToForecast, double alpha)
    : SingleConstantSmoothing(observationNumber, numPeriodsToForecast, alpha,
                              Traits{QD_TRIPLE_EXPONENTIAL_SMOOTHING_BROWN, QD_ALPHA, 0.999})
{
}

void SeriesForecastTripleExponentialSmoothingBrown::checkArguments(std::int32_t n) const
{
    if (observationNumber < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(81), ErrorCode::NegativeIndex);
    if (observationNumber >= n)
        qdThrow(QD_SOURCE_PATH, publishedLine(84), ErrorCode::OutOfBounds);
    if (numPeriodsToForecast < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(87), ErrorCode::IllegalForecastPeriods);
    // The recurrences divide by 1 - alpha: alpha 1 is refused.
    if (!isLegalSmoothingConstant(constant_, true))
        qdThrow(QD_SOURCE_PATH, publishedLine(90), ErrorCode::IllegalAlpha);
}

double SeriesForecastTripleExponentialSmoothingBrown::smoothingPass(double a, double start0, std::int32_t h)
{
    const std::int32_t s = observationNumber;
    const std::int32_t n = observationCount_;
    forecasts_[s] = start0;
    double error = values_[s] - start0;
    double sse = 0.0 + error * error;
    Smoothed sm{start0, start0, start0};
    for (std::int32_t t = s + 1; t < n; ++t) {
        sm.add(a, values_[t - 1]);
        const Coefficients c = coefficientsOf(sm, a);
        forecasts_[t] = c.level + c.trend + c.curvature / 2.0;
        error = values_[t] - forecasts_[t];
        sse += error * error;
    }
    sm.add(a, values_[n - 1]);
    const Coefficients c = coefficientsOf(sm, a);
    for (std::int32_t m = 1; m <= h; ++m) {
        const double md = m;
        const double f = c.level + c.trend * md + c.curvature * (md * md) / 2.0;
        forecasts_[n - 1 + m] = f;
        values_[n - 1 + m] = f;
    }
    return sse;
}

}  // namespace qd
