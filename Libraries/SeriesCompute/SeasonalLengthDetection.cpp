#include "SeriesCompute/SeasonalLengthDetection.h"

#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"
#include "SeriesCompute/SeriesStatistics.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\MatrixLib\\Series";
const std::int32_t kCandidates[] = {4, 6, 7, 12, 52};

bool isLegalThreshold(double t)
{
    return t >= -1.0 && t <= 1.0;
}

// Fits simple exponential smoothing to the working series and replaces
// every value by its residual.
void replaceByResiduals(Series& working)
{
    SeriesForecastExponentialSmoothing smoothing(0, -3.0, 0, false, 0.0);
    smoothing.compute(working, 1);
    for (std::int32_t i = 0; i < working.numObservations(); ++i) {
        Observation& o = working.observation(i);
        o.value -= o.storedResults.value(QD_EXPONENTIAL_SMOOTHING);
    }
    // The cached arrays still hold the data: the autocorrelations must see
    // the residuals.
    working.setDirty(true, true);
}

}  // namespace

std::int32_t detectSeasonalLength(Series& series, std::int32_t startIndex, double seasonalThreshold,
                                  double unknownThreshold, std::int32_t* seasonalLength, double minCycles)
{
    if (startIndex < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(526), ErrorCode::NegativeIndex);
    if (startIndex >= series.numObservations())
        qdThrow(QD_SOURCE_PATH, publishedLine(530), ErrorCode::OutOfBounds);
    if (!isLegalThreshold(seasonalThreshold) || !isLegalThreshold(unknownThreshold) ||
        seasonalThreshold < unknownThreshold)
        qdThrow(QD_SOURCE_PATH, publishedLine(535), ErrorCode::IllegalSeasonalThreshold);

    Series working;
    series.copyValuesTo(working, startIndex, series.numObservations() - 1);
    working.setDirty(true, true);
    replaceByResiduals(working);

    const std::int32_t count = working.numObservations();
    double best = -2.0;
    for (std::int32_t length : kCandidates) {
        if (static_cast<double>(count) < length * minCycles) {
            if (length == kCandidates[0])
                qdThrow(QD_SOURCE_PATH, publishedLine(568), ErrorCode::DataSetTooSmall);
            break;
        }
        const double r = autocorrelation(working, QD_LAST, QD_ALL, length, -1.0);
        if (r > best) {
            best = r;
            *seasonalLength = length;
        }
    }
    if (best > seasonalThreshold)
        return QD_SEASONALITY_FOUND;
    if (best <= unknownThreshold)
        return QD_SEASONALITY_NONE;
    return QD_SEASONALITY_UNKNOWN;
}

}  // namespace qd
