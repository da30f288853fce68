#include "SeriesCompute/SeriesCleaning.h"

#include <cmath>
#include <memory>
#include <new>
#include <vector>

#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "Matrix/SeriesRange.h"
#include "SeriesCompute/SeasonalLengthDetection.h"
#include "SeriesCompute/SeriesForecastAdaptiveExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastBoxJenkinsNew.h"
#include "SeriesCompute/SeriesForecastCroston.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingBrown.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingHolt.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastLinearRegression.h"
#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingBrown.h"
#include "SeriesCompute/SeriesStatistics.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\MatrixLib\\Series";

bool outlierMethodSupported(std::int32_t code)
{
    switch (code) {
    case QD_EXPONENTIAL_SMOOTHING:
    case QD_LINEAR_REGRESSION:
    case QD_ADAPTIVE_EXPONENTIAL_SMOOTHING:
    case QD_DOUBLE_EXPONENTIAL_SMOOTHING_BROWN:
    case QD_DOUBLE_EXPONENTIAL_SMOOTHING_HOLT:
    case QD_TRIPLE_EXPONENTIAL_SMOOTHING_BROWN:
    case QD_BOX_JENKINS:
    case QD_CROSTON:
        return true;
    default:
        return false;
    }
}

// The fitting method of a code, every constant fitted, nothing forecast
// beyond the data; null for a code outside the table.
std::unique_ptr<SeriesForecast> makeFittingMethod(std::int32_t code)
{
    switch (code) {
    case QD_EXPONENTIAL_SMOOTHING:
        return std::make_unique<SeriesForecastExponentialSmoothing>(0, -3.0, 0);
    case QD_LINEAR_REGRESSION:
        return std::make_unique<SeriesForecastLinearRegression>(QD_LAST, QD_ALL, 0, true, 0.0, false, 0.0, 0.0);
    case QD_ADAPTIVE_EXPONENTIAL_SMOOTHING:
        return std::make_unique<SeriesForecastAdaptiveExponentialSmoothing>(0, -3.0, 0);
    case QD_DOUBLE_EXPONENTIAL_SMOOTHING_BROWN:
        return std::make_unique<SeriesForecastDoubleExponentialSmoothingBrown>(0, 0, -3.0);
    case QD_DOUBLE_EXPONENTIAL_SMOOTHING_HOLT:
        return std::make_unique<SeriesForecastDoubleExponentialSmoothingHolt>(0, 0, -3.0, -3.0);
    case QD_TRIPLE_EXPONENTIAL_SMOOTHING_BROWN:
        return std::make_unique<SeriesForecastTripleExponentialSmoothingBrown>(0, 0, -3.0);
    case QD_BOX_JENKINS:
        return std::make_unique<SeriesForecastBoxJenkinsNew>(QD_LAST, QD_ALL, 0, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE,
                                                             QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, 0,
                                                             false, 2);
    case QD_CROSTON:
        return std::make_unique<SeriesForecastCroston>(0, 0, -3.0);
    default:
        return nullptr;
    }
}

void applyFit(Series& working, SeriesForecast& method)
{
    SeriesOpApplySeriesForecast applier(method);
    if (working.numObservations() > 0)
        applier.apply(working);
}

// The sample standard deviation of all values of the series. A single value
// has none: the statistic refuses it (3001), and the replacement with it.
// An empty range has nothing to replace.
double spreadOfValues(Series& series)
{
    const std::int32_t n = series.numObservations();
    if (n == 0)
        return 0.0;
    return standardDeviation(series, n - 1, n);
}

double varianceOfValues(Series& series)
{
    const std::int32_t n = series.numObservations();
    return variance(series, n - 1, n);
}

void keepAndReplace(Observation& o, double newValue)
{
    o.storedResults.store(QD_MEASUREMENT, o.value);
    o.value = newValue;
}

// Replaces the outliers of a working copy against the fit of the method.
// A fit that fails replaces nothing.
void replaceOutliersByMethod(Series& working, double SDRatio, double adjustRatio, std::int32_t methodName,
                             std::int32_t replaceType)
{
    const std::int32_t n = working.numObservations();
    std::unique_ptr<SeriesForecast> method = makeFittingMethod(methodName);
    if (!method)
        qdThrow(QD_SOURCE_PATH, publishedLine(309), ErrorCode::MethodNotSupportedForOutliers);
    try {
        applyFit(working, *method);
    } catch (...) {
        rethrowOutOfMemory();
        return;
    }
    method.reset();

    const double threshold = std::fabs(spreadOfValues(working) * SDRatio);
    bool changed = false;
    for (std::int32_t i = 0; i < n; ++i) {
        Observation& o = working.observation(i);
        const double fit = o.storedResults.value(QD_FORECAST);
        const double d = o.value - fit;
        const bool above = (replaceType == QD_REPLACE_BOTH || replaceType == QD_REPLACE_ABOVE) && d > threshold;
        const bool below = (replaceType == QD_REPLACE_BOTH || replaceType == QD_REPLACE_BELOW) && d < -threshold;
        if (!above && !below)
            continue;
        const double s = d > 0.0 ? 1.0 : -1.0;
        keepAndReplace(o, fit + s * threshold * adjustRatio);
        changed = true;
    }
    if (changed)
        working.setDirty(true, true);
}

void replaceOutliersNonSeasonal(Series& series, std::int32_t first, std::int32_t last, double SDRatio,
                                double adjustRatio, std::int32_t methodName, std::int32_t replaceType)
{
    Series working(64);
    series.copyValuesTo(working, first, last);
    replaceOutliersByMethod(working, SDRatio, adjustRatio, methodName, replaceType);
    series.mergeReplacedValues(working, first);
}

void replaceOutliersSeasonal(Series& series, std::int32_t first, std::int32_t last, std::int32_t count,
                             std::int32_t L, double SDRatio, double adjustRatio, std::int32_t methodName,
                             std::int32_t replaceType)
{
    // The seasonal differences need two values for their variance: a range
    // of L + 1 values gives only one. Compared in 64 bits: L may be as large
    // as the largest int.
    if (static_cast<std::int64_t>(count) <= static_cast<std::int64_t>(L) + 1)
        qdThrow(QD_SOURCE_PATH, publishedLine(226), ErrorCode::CannotRemoveSeasonalOutliers);
    const double* v = series.values(0);
    Series working(64);
    for (std::int32_t i = first + L; i <= last; ++i)
        working.addObservation(v[i] - v[i - L], QD_SUPPLIED, FdCString());
    const double differencesVariance = varianceOfValues(working);

    working.clearObservations();
    series.copyValuesTo(working, first, last);
    replaceOutliersByMethod(working, SDRatio, adjustRatio, methodName, replaceType);
    const double cleanedVariance = varianceOfValues(working);
    if (differencesVariance < cleanedVariance)
        qdThrow(QD_SOURCE_PATH, publishedLine(267), ErrorCode::CannotRemoveSeasonalOutliers);
    series.mergeReplacedValues(working, first);
}

}  // namespace

void replaceOutliers(Series& series, std::int32_t observationNumber, std::int32_t numHistoricalValues,
                     double SDRatio, double adjustRatio, std::int32_t methodName, std::int32_t SeasonalLength,
                     std::int32_t replaceType)
{
    std::int32_t last = observationNumber;
    std::int32_t count = numHistoricalValues;
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 0);
    if (SeasonalLength < 0 && SeasonalLength != QD_COMPUTE)
        qdThrow(QD_SOURCE_PATH, publishedLine(178), ErrorCode::InvalidSeasonalLength);
    // Checked on every path, so that no path accepts a code silently.
    if (!outlierMethodSupported(methodName))
        qdThrow(QD_SOURCE_PATH, publishedLine(309), ErrorCode::MethodNotSupportedForOutliers);
    const std::int32_t first = last - count + 1;

    if (SeasonalLength == 0) {
        replaceOutliersNonSeasonal(series, first, last, SDRatio, adjustRatio, methodName, replaceType);
        return;
    }
    if (SeasonalLength > 0) {
        replaceOutliersSeasonal(series, first, last, count, SeasonalLength, SDRatio, adjustRatio, methodName,
                                replaceType);
        return;
    }
    std::int32_t detected = 0;
    std::int32_t status = QD_SEASONALITY_NONE;
    try {
        status = detectSeasonalLength(series, first, 0.4, 0.0, &detected, 2.0);
    } catch (const MVRBaseException& e) {
        if (e.code != codeNumber(ErrorCode::DataSetTooSmall))
            throw;
        status = QD_SEASONALITY_NONE;
    }
    if (status != QD_SEASONALITY_FOUND) {
        replaceOutliersNonSeasonal(series, first, last, SDRatio, adjustRatio, methodName, replaceType);
        return;
    }
    try {
        replaceOutliersSeasonal(series, first, last, count, detected, SDRatio, adjustRatio, methodName,
                                replaceType);
    } catch (const MVRBaseException& e) {
        if (e.code != codeNumber(ErrorCode::CannotRemoveSeasonalOutliers))
            throw;
    }
}

void replaceMissingValues(Series& series, std::int32_t observationNumber, std::int32_t numHistoricalValues,
                          double lower, double upper, std::int32_t methodName)
{
    std::int32_t last = observationNumber;
    std::int32_t count = numHistoricalValues;
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 0);
    if (methodName < 0 && methodName != -1)
        qdThrow(QD_SOURCE_PATH, publishedLine(452), ErrorCode::MethodNotSupportedForOutliers);
    if (methodName >= 0 && (methodName < QD_EXPONENTIAL_SMOOTHING || methodName > QD_DOUBLE_EXPONENTIAL_SMOOTHING_HOLT))
        qdThrow(QD_SOURCE_PATH, publishedLine(502), ErrorCode::MethodNotSupportedForOutliers);
    const std::int32_t first = last - count + 1;

    Series working(64);
    series.copyValuesTo(working, first, last);
    const std::int32_t n = working.numObservations();
    auto missing = [&](double v) { return lower <= v && v <= upper; };

    if (methodName == -1) {
        double sum = 0.0;
        std::int32_t kept = 0;
        for (std::int32_t i = 0; i < n; ++i) {
            const double v = working.observation(i).value;
            if (!missing(v)) {
                sum += v;
                ++kept;
            }
        }
        const double mean = kept > 0 ? sum / kept : 0.0;
        for (std::int32_t i = 0; i < n; ++i) {
            Observation& o = working.observation(i);
            if (missing(o.value))
                keepAndReplace(o, mean);
        }
    } else {
        std::unique_ptr<SeriesForecast> method = makeFittingMethod(methodName);
        applyFit(working, *method);
        for (std::int32_t i = 0; i < n; ++i) {
            Observation& o = working.observation(i);
            if (missing(o.value))
                keepAndReplace(o, o.storedResults.value(QD_FORECAST));
        }
    }
    working.setDirty(true, true);
    series.mergeReplacedValues(working, first);
}

void trendAdjust(Series& series, std::int32_t observationNumber, std::int32_t numHistoricalValues,
                 std::int32_t lTrendIncreasePeriods, double dTrendIncreaseGoal, std::int32_t lTrendDecreasePeriods,
                 double dTrendDecreaseGoal)
{
    std::int32_t last = observationNumber;
    std::int32_t k = numHistoricalValues;
    resolveSeriesRange(series, last, k);
    checkSeriesRange(series, last, k, 1);
    const std::int32_t first = last - k + 1;
    if (first < 1)
        qdThrow(QD_SOURCE_PATH, publishedLine(355), ErrorCode::NotEnoughHistoricalData);
    if (lTrendDecreasePeriods < 0 || lTrendIncreasePeriods < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(357), ErrorCode::IllegalTrendAdjustPeriods);
    if (!(dTrendDecreaseGoal > 0.0) || !(dTrendIncreaseGoal > 0.0))
        qdThrow(QD_SOURCE_PATH, publishedLine(359), ErrorCode::IllegalTrendAdjustGoal);

    try {
        const double* fitted = series.forecastValues(0);
        std::vector<double> a(fitted + first - 1, fitted + last + 1);  // a[0..k]

        // The straight line through a[0..k] against the time index 1 .. k + 1,
        // as the linear regression forecast fits it.
        double c = 0.0;
        double m = 0.0;
        if (k == 1) {
            // Two points define the line; the regression's statistics would
            // need a third.
            m = a[1] - a[0];
            c = a[0] - m;
        } else {
            Series line(64);
            for (double v : a)
                line.addObservation(v, QD_SUPPLIED, FdCString());
            SeriesForecastLinearRegression regression(QD_LAST, QD_ALL, 0, true, 0.0, false, 0.0, 0.0);
            applyFit(line, regression);
            c = line.storedResults.value(QD_LINEAR_REGRESSION_INTERCEPT);
            m = line.storedResults.value(QD_LINEAR_REGRESSION_SLOPE);
        }

        std::vector<double> t(static_cast<std::size_t>(k) + 1);
        std::vector<double> r(static_cast<std::size_t>(k) + 1);
        for (std::int32_t i = 0; i <= k; ++i) {
            t[i] = c + i * m;
            r[i] = a[i] - t[i];
        }
        const std::int32_t P = m < 0.0 ? lTrendDecreasePeriods : lTrendIncreasePeriods;
        const double G = m < 0.0 ? dTrendDecreaseGoal : dTrendIncreaseGoal;
        if (P > 0) {
            const double f = std::pow(G, 1.0 / P);
            for (std::int32_t i = 1; i <= k; ++i) {
                m = m * f;
                t[i] = t[i - 1] + m;
                a[i] = t[i] + r[i];
            }
        }
        double* places = series.forecastValues(0);
        for (std::int32_t i = 1; i <= k; ++i)
            places[first - 1 + i] = a[i];
        series.storeForecasts(QD_FORECAST, first, last, true);
    } catch (...) {
        rethrowOutOfMemory();
        // The adjustment is best effort once its arguments are accepted.
    }
}

void replaceOutliers(Matrix& matrix, std::int32_t observationNumber, std::int32_t numHistoricalValues,
                     double SDRatio, double adjustRatio, std::int32_t methodName, std::int32_t SeasonalLength,
                     std::int32_t replaceType)
{
    for (std::int32_t i = 0; i < matrix.numSeries(); ++i)
        replaceOutliers(matrix.series(i), observationNumber, numHistoricalValues, SDRatio, adjustRatio, methodName,
                        SeasonalLength, replaceType);
}

void replaceMissingValues(Matrix& matrix, std::int32_t observationNumber, std::int32_t numHistoricalValues,
                          double lower, double upper, std::int32_t methodName)
{
    for (std::int32_t i = 0; i < matrix.numSeries(); ++i)
        replaceMissingValues(matrix.series(i), observationNumber, numHistoricalValues, lower, upper, methodName);
}

void trendAdjust(Matrix& matrix, std::int32_t observationNumber, std::int32_t numHistoricalValues,
                 std::int32_t lTrendIncreasePeriods, double dTrendIncreaseGoal, std::int32_t lTrendDecreasePeriods,
                 double dTrendDecreaseGoal)
{
    for (std::int32_t i = 0; i < matrix.numSeries(); ++i)
        trendAdjust(matrix.series(i), observationNumber, numHistoricalValues, lTrendIncreasePeriods,
                    dTrendIncreaseGoal, lTrendDecreasePeriods, dTrendDecreaseGoal);
}

}  // namespace qd
