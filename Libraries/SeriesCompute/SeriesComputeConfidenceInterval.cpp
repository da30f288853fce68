#include "SeriesCompute/SeriesComputeConfidenceInterval.h"

#include <algorithm>
#include <cmath>

#include "Matrix/MVRBaseException.h"
#include "SeriesCompute/SeriesComputeTValue.h"
#include "SeriesCompute/SeriesStatistics.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeConfidenceInterval";

// Growth of the interval with the horizon h for the smoothing methods with
// a largest smoothing constant a.
double smoothingGrowth(double a, std::int32_t h)
{
    const double b = 1.0 - a;
    auto v = [a, b](double hh) {
        return 1.0 + a * std::pow(1.0 + b, 3.0) *
                         ((1.0 + 4.0 * b + 5.0 * b * b) + 2.0 * a * (1.0 + 3.0 * b) * hh + 2.0 * a * a * hh * hh);
    };
    return 1.25 * std::sqrt(v(h) / v(1.0));
}

}  // namespace

SeriesComputeConfidenceInterval::SeriesComputeConfidenceInterval(std::int32_t last, std::int32_t count,
                                                                 double ConfidenceLevel)
    : SeriesCompute(last, count), ConfidenceLevel(ConfidenceLevel), tValue(0.0), meanAbsoluteError(0.0),
      numObservations(0), numPeriodsAfter(0)
{
}

double SeriesComputeConfidenceInterval::compute(Series& series)
{
    checkSeriesRange(series, last, count, 1);
    if (!(ConfidenceLevel >= 0.0 && ConfidenceLevel < 0.998))
        qdThrow(QD_SOURCE_PATH, 64, ErrorCode::IllegalConfidenceLevel);
    numObservations = series.numObservations();
    numPeriodsAfter = numObservations - last - 1;
    tValue = computeTValue(ConfidenceLevel, 10000.0, false);
    series.setDirty(true, true);
    meanAbsoluteError = qd::meanAbsoluteError(series, last, count);

    double alpha = 0.0, gamma = 0.0, beta = 0.0;
    std::int32_t decomposition = 0, seasonal = 0;
    const std::int32_t method = series.forecastMethodNumber;
    double a = -1.0;  // largest smoothing constant; -1: sqrt(h)
    switch (method) {
    case QD_EXPONENTIAL_SMOOTHING:
        break;
    case QD_DOUBLE_EXPONENTIAL_SMOOTHING_BROWN:
    case QD_TRIPLE_EXPONENTIAL_SMOOTHING_BROWN:
        series.storedAlpha(alpha);
        a = alpha;
        break;
    case QD_DOUBLE_EXPONENTIAL_SMOOTHING_HOLT:
        series.storedAlphaGamma(alpha, gamma);
        a = std::max(alpha, gamma);
        break;
    case QD_HOLT_WINTERS:
        series.storedHoltWintersParameters(alpha, gamma, beta, decomposition, seasonal);
        a = std::max(alpha, std::max(gamma, beta));
        break;
    default:
        break;
    }
    for (std::int32_t h = 1; h <= numPeriodsAfter; ++h) {
        double g;
        if (method == QD_EXPONENTIAL_SMOOTHING)
            g = 1.0;
        else if (a >= 0.0)
            g = smoothingGrowth(a, h);
        else
            g = std::sqrt(static_cast<double>(h));
        const double width = 1.25 * meanAbsoluteError * tValue * g;
        series.observation(last + h).storedResults.store(QD_CONFIDENCE_INTERVAL, width);
    }
    return 0.0;
}

}  // namespace qd
