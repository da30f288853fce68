#include "MatrixCompute/MatrixForecastSelvaneMultipleMethod.h"

#include <memory>
#include <new>

#include "Matrix/MVRBaseException.h"
#include "Matrix/MatrixOpApplyMatrixCompute.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "MatrixCompute/MatrixComputeForecastRank.h"
#include "SeriesCompute/SeasonalLengthDetection.h"
#include "SeriesCompute/SeriesCleaning.h"
#include "SeriesCompute/SeriesForecastAdaptiveExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastBoxJenkinsNew.h"
#include "SeriesCompute/SeriesForecastCroston.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingBrown.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingHolt.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastLinearRegression.h"
#include "SeriesCompute/SeriesForecastMovingAverage.h"
#include "SeriesCompute/SeriesForecastNewProductCurve.h"
#include "SeriesCompute/SeriesForecastNewProductOptimizedCurve.h"
#include "SeriesCompute/SeriesForecastSelvane.h"
#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingBrown.h"
#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingWinters.h"
#include "SeriesCompute/SeriesForecastWeightedMovingAverage.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\MatrixCompute\\MatrixForecastSelvaneMultipleMethod";

bool isMovingAverage(std::int32_t code)
{
    return code == QD_MOVING_AVERAGE || code == QD_WEIGHTED_MOVING_AVERAGE;
}

}  // namespace

MatrixForecastSelvaneMultipleMethod::MatrixForecastSelvaneMultipleMethod(
    std::int32_t observationNumber, std::int32_t numPeriodsToForecast, std::int32_t errorType,
    std::int32_t seasonalType, bool ReplaceOutliers, std::int32_t methodCount, const std::int32_t* methodList)
    : observationNumber(observationNumber), numPeriodsToForecast(numPeriodsToForecast), numObservations(0),
      errorType(errorType), ReplaceOutliers(ReplaceOutliers), seasonalType(seasonalType), seasonalLength(0),
      detectionStatus(1), methodList(methodList), methodCount(methodCount), numHistoricalValues(0)
{
}

bool MatrixForecastSelvaneMultipleMethod::methodSupported(std::int32_t code)
{
    switch (code) {
    case QD_LINEAR_REGRESSION:
    case QD_EXPONENTIAL_SMOOTHING:
    case QD_ADAPTIVE_EXPONENTIAL_SMOOTHING:
    case QD_CROSTON:
    case QD_DOUBLE_EXPONENTIAL_SMOOTHING_HOLT:
    case QD_DOUBLE_EXPONENTIAL_SMOOTHING_BROWN:
    case QD_HOLT_WINTERS:
    case QD_TRIPLE_EXPONENTIAL_SMOOTHING_BROWN:
    case QD_MOVING_AVERAGE:
    case QD_WEIGHTED_MOVING_AVERAGE:
    case QD_BOX_JENKINS:
    case QD_GOMPERTZ_CURVE:
    case QD_LOGISTIC_CURVE:
    case QD_PROBIT_CURVE:
    case QD_NEW_PRODUCT_FORECASTING:
        return true;
    default:
        return false;
    }
}

void MatrixForecastSelvaneMultipleMethod::validateArguments(Matrix& matrix)
{
    if (matrix.numSeries() == 0)
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::NoDataForMultipleMethods);
    numObservations = matrix.series(0).numObservations();
    if (numPeriodsToForecast < 0)
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalForecastPeriods);
    if (observationNumber < 0)
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::NegativeIndex);
    if (observationNumber >= numObservations)
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::OutOfBounds);
    if (seasonalType == QD_SEASONAL && numObservations - observationNumber < 6)
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::InsufficientDataForSelvane);
    numHistoricalValues = numObservations - observationNumber;
    for (std::int32_t i = 0; i < methodCount; ++i) {
        if (!methodSupported(methodList[i]))
            qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::MethodNotSupportedInMultipleMethods);
    }
    // The ranking would refuse the error type only after the matrix was
    // emptied and forecast: refused here, before anything changes.
    if (!isSupportedErrorType(errorType))
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::ErrorTermNotSupported);
    // The ranking measures the error over the history once every method
    // has run: a measure the history and the forecast periods cannot give
    // is refused here, with the code the measure would raise. Theil's
    // statistic pairs each value with the next, so the last value of the
    // history needs a period after it; it, the standard deviation of the
    // errors and Durbin-Watson need two values.
    if (errorType == QD_THEIL && numPeriodsToForecast < 1)
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::OutOfBounds);
    const bool needsTwoValues =
        errorType == QD_THEIL || errorType == QD_STANDARD_DEVIATION_ERROR || errorType == QD_DURBIN_WATSON;
    if (needsTwoValues && numHistoricalValues < 2)
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalNumHistoricalValues);
}

void MatrixForecastSelvaneMultipleMethod::chooseSeasonalLength(Matrix& matrix)
{
    if (seasonalType == 0 || seasonalType == 1)
        seasonalType = QD_NON_SEASONAL;
    if (seasonalType == QD_NON_SEASONAL) {
        seasonalLength = 0;
        return;
    }
    if (seasonalType > 1) {
        seasonalLength = seasonalType;
        return;
    }
    if (seasonalType < QD_OPTIMIZE_ALL)
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalSeasonalType);
    std::int32_t length = 0;
    try {
        detectionStatus = detectSeasonalLength(matrix.series(0), observationNumber, 0.4, 0.0, &length, 2.0);
    } catch (const MVRBaseException&) {
        rethrowOutOfMemory();
        detectionStatus = QD_SEASONALITY_NONE;
    }
    if (detectionStatus == QD_SEASONALITY_NONE && seasonalType == QD_SEASONAL)
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::DataSetTooSmall);
    // A found length is used; undecided data counts as seasonal only when
    // the caller says it is, and otherwise as non-seasonal.
    if (detectionStatus == QD_SEASONALITY_FOUND || seasonalType == QD_SEASONAL)
        seasonalLength = length;
    else
        seasonalLength = 0;
}

void MatrixForecastSelvaneMultipleMethod::prepareMatrix(Matrix& matrix)
{
    if (ReplaceOutliers) {
        try {
            replaceOutliers(matrix.series(0), numObservations - 1, numHistoricalValues, 2.5, 1.0,
                            QD_EXPONENTIAL_SMOOTHING, seasonalLength, QD_REPLACE_BOTH);
        } catch (...) {
            rethrowOutOfMemory();
            // The run goes on with series 0 as the replacement left it.
        }
    }
    for (std::int32_t i = matrix.numSeries() - 1; i >= 1; --i)
        matrix.removeSeriesAt(i);
}

void MatrixForecastSelvaneMultipleMethod::runMethod(Series& series, std::int32_t code, std::int32_t period)
{
    const std::int32_t obs = observationNumber;
    const std::int32_t f = numPeriodsToForecast;
    const std::int32_t n = numObservations;
    const std::int32_t h = numHistoricalValues;
    std::unique_ptr<SeriesForecast> method;
    switch (code) {
    case QD_MOVING_AVERAGE:
        method = std::make_unique<SeriesForecastMovingAverage>(period - 1, period, n + f - period);
        break;
    case QD_EXPONENTIAL_SMOOTHING:
        method = std::make_unique<SeriesForecastExponentialSmoothing>(obs, -3.0, f);
        break;
    case QD_LINEAR_REGRESSION:
        method = std::make_unique<SeriesForecastLinearRegression>(QD_LAST, h, f, true, 0.0, false, 0.0, 0.0);
        break;
    case QD_ADAPTIVE_EXPONENTIAL_SMOOTHING:
        method = std::make_unique<SeriesForecastAdaptiveExponentialSmoothing>(obs, -3.0, f);
        break;
    case QD_DOUBLE_EXPONENTIAL_SMOOTHING_BROWN:
        method = std::make_unique<SeriesForecastDoubleExponentialSmoothingBrown>(obs, f, -3.0);
        break;
    case QD_DOUBLE_EXPONENTIAL_SMOOTHING_HOLT:
        method = std::make_unique<SeriesForecastDoubleExponentialSmoothingHolt>(obs, f, -3.0, -3.0);
        break;
    case QD_TRIPLE_EXPONENTIAL_SMOOTHING_BROWN:
        method = std::make_unique<SeriesForecastTripleExponentialSmoothingBrown>(obs, f, -3.0);
        break;
    case QD_HOLT_WINTERS:
        method = std::make_unique<SeriesForecastTripleExponentialSmoothingWinters>(obs, period, f, -3.0, -3.0, -3.0,
                                                                                   3);
        break;
    case QD_WEIGHTED_MOVING_AVERAGE:
        method = std::make_unique<SeriesForecastWeightedMovingAverage>(period - 1, period, n + f - period);
        break;
    case QD_BOX_JENKINS:
        method = std::make_unique<SeriesForecastBoxJenkinsNew>(QD_LAST, h, f, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE,
                                                               QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, period,
                                                               true, QD_OPTIMIZE_TRANSFORM);
        break;
    case QD_CROSTON:
        method = std::make_unique<SeriesForecastCroston>(obs, f, -3.0);
        break;
    case QD_GOMPERTZ_CURVE:
    case QD_LOGISTIC_CURVE:
    case QD_PROBIT_CURVE:
        method = std::make_unique<SeriesForecastNewProductCurve>(QD_LAST, h, f, -3.0, -3.0, 2,
                                                                 code - QD_GOMPERTZ_CURVE + QD_NP_GOMPERTZ_CURVE);
        break;
    case QD_NEW_PRODUCT_FORECASTING:
        method = std::make_unique<SeriesForecastNewProductOptimizedCurve>(QD_LAST, h, f, -3.0, -3.0, 2);
        break;
    default:
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::MethodNotSupportedForOutliers);
    }
    SeriesOpApplySeriesForecast applier(*method);
    if (series.numObservations() > 0)
        applier.apply(series);
}

void MatrixForecastSelvaneMultipleMethod::compute(Matrix& matrix, std::int32_t flag)
{
    (void)flag;
    validateArguments(matrix);
    chooseSeasonalLength(matrix);
    // Everything runs on a working matrix that starts with a copy of series
    // 0: a method or the ranking that fails leaves the caller's matrix as it
    // was. Only when all succeeded are the results put in its place.
    Matrix work;
    work.addSeries(matrix.series(0));
    prepareMatrix(work);
    const Series pattern(work.series(0));

    // The first method that runs forecasts series 0; every later run gets a
    // fresh copy of the series at the end of the matrix.
    bool ran = false;
    auto nextTarget = [&]() -> Series& {
        if (ran)
            work.addSeries(pattern);
        ran = true;
        return work.series(work.numSeries() - 1);
    };
    for (std::int32_t i = 0; i < methodCount; ++i) {
        const std::int32_t code = methodList[i];
        if (isMovingAverage(code) && numObservations < 3)
            continue;
        runMethod(nextTarget(), code, isMovingAverage(code) ? 3 : seasonalLength);
        if (isMovingAverage(code) && numObservations >= 6)
            runMethod(nextTarget(), code, 6);
    }

    MatrixComputeForecastRank rank(numObservations - 1, numHistoricalValues, errorType);
    MatrixOpApplyMatrixCompute applier(rank);
    work.applyRectangular(applier);

    for (std::int32_t i = matrix.numSeries() - 1; i >= 1; --i)
        matrix.removeSeriesAt(i);
    matrix.series(0) = work.series(0);
    for (std::int32_t i = 1; i < work.numSeries(); ++i)
        matrix.addSeries(work.series(i));
    matrix.recordForecastMethod(-1, seasonalLength, 0);
}

}  // namespace qd
