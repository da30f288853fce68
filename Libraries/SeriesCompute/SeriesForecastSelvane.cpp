#include "SeriesCompute/SeriesForecastSelvane.h"

#include <cmath>
#include <memory>
#include <new>
#include <vector>

#include "Matrix/MVRBaseException.h"
#include "Matrix/Observation.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "SeriesCompute/SeasonalLengthDetection.h"
#include "SeriesCompute/SeriesCleaning.h"
#include "SeriesCompute/SeriesComputeError.h"
#include "SeriesCompute/SeriesForecastAverage.h"
#include "SeriesCompute/SeriesForecastBoxJenkinsNew.h"
#include "SeriesCompute/SeriesForecastCroston.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingHolt.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastNewProductCurve.h"
#include "SeriesCompute/SeriesForecastNewProductOptimizedCurve.h"
#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingWinters.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesForecastSelvane";

const std::int32_t kDecompositionOptimize = 3;
const std::int32_t kTransformNone = 1;
const std::int32_t kTransformOptimize = 2;
const std::int32_t kCurveMaximumOptimized = 2;

void run(Series& s, SeriesForecast& method)
{
    SeriesOpApplySeriesForecast applier(method);
    if (s.numObservations() > 0)
        applier.apply(s);
}

// The hold-out length that the selection chooses from m = n + 1.
std::int32_t computedRollBack(std::int32_t m)
{
    if (m < 16)
        return 0;
    if (m <= 27)
        return 4;
    if (m <= 39)
        return 8;
    return 12;
}

}  // namespace

SeriesForecastSelvane::SeriesForecastSelvane(std::int32_t observationNumber, std::int32_t numPeriodsToForecast,
                                             std::int32_t errorType, std::int32_t seasonalType,
                                             std::int32_t ReplaceOutliers, std::int32_t RollBackType,
                                             std::int32_t productType)
    : observationNumber(observationNumber), numPeriodsToForecast(numPeriodsToForecast), errorType(errorType),
      seasonalType(seasonalType), ReplaceOutliers(ReplaceOutliers), RollBackType(RollBackType),
      productType(productType), candidates(), candidateCount(0), winner(-1), par(), n(0), lastIndex(0), count(0),
      effectiveErrorType(0), rollBack(0), seasonalTypeUsed(0), tryNewProduct(false), trySeasonalBoxJenkins(false),
      tryNonSeasonalBoxJenkins(false), outliersPending(false), detectionResult(1), detectedLength(0)
{
}

std::int32_t SeriesForecastSelvane::compute(Series& series, std::int32_t flag)
{
    (void)flag;
    candidateCount = 0;
    winner = -1;
    count = series.numObservations();
    // Every remembered parameter starts at its fit sentinel, so a candidate
    // that stores nothing is refitted rather than run with another series'
    // constants.
    par = Parameters{-3.0, -3.0, -3.0, -3.0, -3.0, -3.0, -3.0, 0, kDecompositionOptimize,
                     QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, 0, kTransformOptimize,
                     0.0, 0.0, -3.0, 0.0};
    detectionResult = 1;
    detectedLength = 0;
    outliersPending = ReplaceOutliers != 0;

    if (numPeriodsToForecast < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(347), ErrorCode::IllegalForecastPeriods);
    if (observationNumber < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(350), ErrorCode::NegativeIndex);
    if (observationNumber >= count)
        qdThrow(QD_SOURCE_PATH, publishedLine(353), ErrorCode::OutOfBounds);
    n = count - observationNumber;
    if (n < 2 || (seasonalType == QD_SEASONAL && n < 6)) {
        averageForecast(series);
        return 0;
    }
    rollBack = RollBackType == QD_COMPUTE ? computedRollBack(n + 1) : RollBackType;
    // The hold-out leaves at least one value of the range to fit on.
    if (rollBack < 0 || rollBack > n - 1)
        qdThrow(QD_SOURCE_PATH, publishedLine(371), ErrorCode::IllegalRollBack);
    effectiveErrorType = errorType;
    if (errorType == QD_COMPUTE)
        effectiveErrorType = rollBack == 0 ? QD_BIC : QD_MEAN_ABSOLUTE_ERROR;
    else if (errorType < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(379), ErrorCode::ErrorTermNotSupported);
    if (rollBack > 0 && effectiveErrorType != QD_MEAN_ABSOLUTE_ERROR)
        qdThrow(QD_SOURCE_PATH, publishedLine(387), ErrorCode::RollBackErrorType);
    if (effectiveErrorType == QD_THEIL) {
        n -= 1;
        lastIndex = count - 2;
    } else {
        lastIndex = count - 1;
    }

    seasonalTypeUsed = seasonalType == 0 ? static_cast<std::int32_t>(QD_NON_SEASONAL) : seasonalType;
    if (seasonalTypeUsed < QD_OPTIMIZE_ALL)
        qdThrow(QD_SOURCE_PATH, publishedLine(413), ErrorCode::IllegalSeasonalType);

    Series working(64);
    series.copyValuesTo(working, 0, count - 1);

    const std::int32_t st = seasonalTypeUsed;
    if (n < 3)
        tryNewProduct = false;
    else
        tryNewProduct = productType == QD_SELVANE_NEW_PRODUCT || (productType == QD_SELVANE_OPTIMIZED_PRODUCT && n <= 6);
    const bool runSeasonal = st > 0 || st == QD_SEASONAL || st == QD_OPTIMIZE || st == QD_OPTIMIZE_ALL;
    trySeasonalBoxJenkins = st > 0 || st == QD_OPTIMIZE_ALL;
    const bool runNonSeasonal = st > 0 || st == QD_NON_SEASONAL || st == QD_OPTIMIZE || st == QD_OPTIMIZE_ALL;
    tryNonSeasonalBoxJenkins = count >= 20 && st == QD_NON_SEASONAL && count - rollBack >= 4;

    if (runSeasonal) {
        if (rollBack > 0 && (trySeasonalBoxJenkins || st == QD_OPTIMIZE || st == QD_OPTIMIZE_ALL))
            holdOutStage(working, true);
        else
            seasonalStage(working);
    }
    if (runNonSeasonal) {
        if (rollBack > 0)
            holdOutStage(working, false);
        else
            nonSeasonalStage(working);
    }

    // Replaced outliers reach the caller's series before the ranking.
    for (std::int32_t i = 0; i < working.numObservations() && i < count; ++i) {
        const Observation& from = working.observation(i);
        double before = 0.0;
        if (from.storedResults.lookup(QD_MEASUREMENT, before) != QD_QUANTITY_FOUND)
            continue;
        Observation& to = series.observation(i);
        to.storedResults.store(QD_MEASUREMENT, before);
        to.value = from.value;
        series.setDirty(true, true);
    }

    if (candidateCount == 0) {
        averageForecast(series);
        return 0;
    }
    for (std::int32_t i = 0; i < candidateCount; ++i) {
        for (std::int32_t j = i + 1; j < candidateCount; ++j) {
            if (candidates[i].error <= candidates[j].error)
                ++candidates[j].rank;
            else
                ++candidates[i].rank;
        }
    }
    series.storedResults.createMultiple(QD_SELVANE_METHOD_RANK, candidateCount);
    for (std::int32_t i = 0; i < candidateCount; ++i) {
        series.storedResults.storeMultiple(QD_SELVANE_METHOD_RANK, candidates[i].rank - 1, candidates[i].method);
        if (candidates[i].rank == 1)
            winner = candidates[i].method;
    }
    rebuildAndRun(series, winner, numPeriodsToForecast, rollBack > 0, true);
    return 0;
}

double SeriesForecastSelvane::score(Series& s, SeriesForecast& method)
{
    run(s, method);
    const std::int32_t parameters = s.numParameters(QD_COMPUTE);
    return errorValue(s, lastIndex, n, effectiveErrorType, parameters);
}

void SeriesForecastSelvane::record(std::int32_t method, double error)
{
    if (candidateCount + 1 >= kMaxCandidates)
        qdThrow(QD_SOURCE_PATH, publishedLine(860), ErrorCode::Unexpected);
    candidates[candidateCount] = Candidate{method, error, 1};
    ++candidateCount;
}

void SeriesForecastSelvane::readParameters(const Series& s, std::int32_t method)
{
    switch (method) {
    case QD_DOUBLE_EXPONENTIAL_SMOOTHING_HOLT:
        s.storedAlphaGamma(par.holtAlpha, par.holtGamma);
        break;
    case QD_BOX_JENKINS:
        s.storedBoxJenkinsOrders(par.bjP, par.bjD, par.bjQ, par.bjSP, par.bjSD, par.bjSQ, par.bjS, par.bjTransform);
        break;
    case QD_CROSTON:
        s.storedAlpha(par.crostonAlpha);
        break;
    case QD_NEW_PRODUCT_FORECASTING:
        s.storedSmoothingParameters(par.npAlpha, par.npBeta, par.npDelta, par.npGamma);
        break;
    case QD_AVERAGE:
        break;
    default:
        s.storedAlpha(par.esAlpha);
        break;
    }
}

void SeriesForecastSelvane::replaceOutliersForSelection(Series& s, double ratio)
{
    std::int32_t length = 0;
    if (seasonalTypeUsed > 0)
        length = seasonalTypeUsed;
    else if (seasonalTypeUsed == QD_NON_SEASONAL)
        length = 0;
    else if (detectionResult == QD_SEASONALITY_FOUND)
        length = detectedLength;
    try {
        replaceOutliers(s, QD_LAST, s.numObservations() - observationNumber, ratio, 1.0, QD_EXPONENTIAL_SMOOTHING,
                        length, QD_REPLACE_BOTH);
    } catch (...) {
        rethrowOutOfMemory();
        // The selection goes on with the series as the replacement left it.
    }
}

void SeriesForecastSelvane::seasonalStage(Series& s)
{
    const std::int32_t st = seasonalTypeUsed;
    if (st < 0) {
        std::int32_t length = 0;
        try {
            detectionResult = detectSeasonalLength(s, observationNumber, 0.4, 0.0, &length, 2.0);
        } catch (...) {
            // Whatever failed, the data counts as not seasonal; running out
            // of memory still ends the call.
            rethrowOutOfMemory();
            detectionResult = QD_SEASONALITY_NONE;
        }
        if (detectionResult == QD_SEASONALITY_FOUND)
            detectedLength = length;
        if (detectionResult == QD_SEASONALITY_NONE) {
            if (st == QD_SEASONAL)
                qdThrow(QD_SOURCE_PATH, publishedLine(511), ErrorCode::DataSetTooSmall);
            return;
        }
    }
    if (outliersPending) {
        replaceOutliersForSelection(s, 2.5);
        outliersPending = false;
    }
    std::vector<std::int32_t> lengths;
    if (st > 0)
        lengths.push_back(st);
    else if (detectionResult == QD_SEASONALITY_FOUND)
        lengths.push_back(detectedLength);
    else
        lengths = {4, 6, 7, 12, 52};

    // Seasons are counted in the evaluated range only (from the origin, the
    // hold-out already taken off): Holt-Winters needs two of them there.
    const std::int32_t available = s.numObservations() - observationNumber;
    double bestError = 0.0;
    std::int32_t bestLength = 0;
    for (std::size_t k = 0; k < lengths.size(); ++k) {
        const std::int32_t L = lengths[k];
        if (available < 2 * static_cast<std::int64_t>(L)) {
            if (k == 0) {
                if (st == QD_SEASONAL)
                    qdThrow(QD_SOURCE_PATH, publishedLine(559), ErrorCode::DataSetTooSmall);
                return;
            }
            break;
        }
        SeriesForecastTripleExponentialSmoothingWinters winters(observationNumber, L, 0, -3.0, -3.0, -3.0,
                                                                kDecompositionOptimize);
        const double e = score(s, winters);
        if (k == 0 || e < bestError) {
            bestError = e;
            bestLength = L;
            s.storedHoltWintersParameters(par.hwAlpha, par.hwGamma, par.hwBeta, par.hwDecomposition, par.hwLength);
        }
    }
    record(QD_HOLT_WINTERS, bestError);

    if (trySeasonalBoxJenkins) {
        const std::int32_t size = s.numObservations();
        if (4 * static_cast<std::int64_t>(bestLength) <= size && (bestLength <= 1 || size >= 40)) {
            try {
                SeriesForecastBoxJenkinsNew bj(QD_LAST, n, 0, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE,
                                               QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, bestLength, false,
                                               kTransformOptimize);
                const double e = score(s, bj);
                record(QD_BOX_JENKINS, e);
                readParameters(s, QD_BOX_JENKINS);
            } catch (...) {
                rethrowOutOfMemory();
                trySeasonalBoxJenkins = false;
            }
        }
    }
}

void SeriesForecastSelvane::nonSeasonalStage(Series& s)
{
    const std::int32_t size = s.numObservations();
    std::int32_t zeros = 0;
    for (std::int32_t i = observationNumber; i < size; ++i) {
        if (s.observation(i).value == 0.0)
            ++zeros;
    }
    const std::int32_t nonZeros = size - observationNumber - zeros;
    auto scoreAndRecord = [&](SeriesForecast& method) {
        const double e = score(s, method);
        const std::int32_t code = s.forecastMethodNumber;
        record(code, e);
        readParameters(s, code);
    };
    if (zeros >= nonZeros) {
        SeriesForecastCroston croston(observationNumber, 0, -3.0);
        scoreAndRecord(croston);
    }
    if (tryNewProduct) {
        SeriesForecastNewProductOptimizedCurve curve(QD_LAST, n, 0, -3.0, -3.0, kCurveMaximumOptimized);
        scoreAndRecord(curve);
    }
    {
        SeriesForecastExponentialSmoothing smoothing(observationNumber, -3.0, 0);
        scoreAndRecord(smoothing);
    }
    if (outliersPending) {
        replaceOutliersForSelection(s, 3.0);
        outliersPending = false;
    }
    {
        SeriesForecastDoubleExponentialSmoothingHolt holt(observationNumber, 0, -3.0, -3.0);
        scoreAndRecord(holt);
    }
    if (tryNonSeasonalBoxJenkins) {
        // Identification fails often; a failing model drops out of the
        // selection like the seasonal one, the other candidates stand.
        try {
            SeriesForecastBoxJenkinsNew bj(QD_LAST, n, 0, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE,
                                           QD_COMPUTE, QD_COMPUTE, 0, false, kTransformOptimize);
            scoreAndRecord(bj);
        } catch (...) {
            rethrowOutOfMemory();
            tryNonSeasonalBoxJenkins = false;
        }
    }
}

void SeriesForecastSelvane::holdOutStage(Series& working, bool seasonal)
{
    const std::int32_t R = rollBack;
    Series w(64);
    working.copyValuesTo(w, 0, count - R - 1);
    const std::int32_t savedN = n;
    const std::int32_t savedLast = lastIndex;
    const std::int32_t firstRecorded = candidateCount;
    n -= R;
    lastIndex -= R;
    try {
        if (seasonal)
            seasonalStage(w);
        else
            nonSeasonalStage(w);
    } catch (...) {
        n = savedN;
        lastIndex = savedLast;
        throw;
    }
    n = savedN;
    lastIndex = savedLast;

    std::vector<std::int32_t> codes;
    for (std::int32_t i = firstRecorded; i < candidateCount; ++i)
        codes.push_back(candidates[i].method);
    candidateCount = firstRecorded;
    std::vector<double> sums(codes.size(), 0.0);
    const double* actual = working.values(0);
    for (std::int32_t r = 0; r < R; ++r) {
        const std::int32_t h = R - r;
        const std::int32_t o = w.numObservations();
        for (std::size_t c = 0; c < codes.size(); ++c) {
            rebuildAndRun(w, codes[c], h, false, false);
            double running = 0.0;
            for (std::int32_t k = 1; k <= h && o + k - 1 < w.numObservations(); ++k) {
                const double f = w.observation(o + k - 1).storedResults.value(QD_FORECAST);
                running += std::fabs(actual[o + k - 1] - f);
                sums[c] += running / k;
            }
            while (w.numObservations() > o)
                w.removeObservationAt(w.numObservations() - 1);
        }
        w.addObservation(actual[o], QD_SUPPLIED, FdCString());
    }
    for (std::size_t c = 0; c < codes.size(); ++c)
        record(codes[c], sums[c]);
}

void SeriesForecastSelvane::rebuildAndRun(Series& s, std::int32_t method, std::int32_t periods, bool refit,
                                          bool finalRun)
{
    // The final run fits the evaluated range; the hold-out runs use all
    // values of the shortened copy.
    const std::int32_t values = finalRun ? n : static_cast<std::int32_t>(QD_ALL);
    switch (method) {
    case QD_DOUBLE_EXPONENTIAL_SMOOTHING_HOLT: {
        SeriesForecastDoubleExponentialSmoothingHolt m(observationNumber, periods, refit ? -3.0 : par.holtAlpha,
                                                       refit ? -3.0 : par.holtGamma);
        run(s, m);
        break;
    }
    case QD_HOLT_WINTERS: {
        SeriesForecastTripleExponentialSmoothingWinters m(
            observationNumber, par.hwLength, periods, refit ? -3.0 : par.hwAlpha, refit ? -3.0 : par.hwBeta,
            refit ? -3.0 : par.hwGamma, refit ? kDecompositionOptimize : par.hwDecomposition);
        run(s, m);
        break;
    }
    case QD_BOX_JENKINS: {
        const bool sentinel = refit;
        SeriesForecastBoxJenkinsNew m(QD_LAST, values, periods,
                                      QD_COMPUTE, sentinel ? QD_COMPUTE : par.bjP, sentinel ? QD_COMPUTE : par.bjD,
                                      sentinel ? QD_COMPUTE : par.bjQ, sentinel ? QD_COMPUTE : par.bjSP,
                                      sentinel ? QD_COMPUTE : par.bjSD, sentinel ? QD_COMPUTE : par.bjSQ, par.bjS,
                                      true, sentinel ? kTransformOptimize : par.bjTransform);
        run(s, m);
        break;
    }
    case QD_CROSTON: {
        SeriesForecastCroston m(observationNumber, periods, refit ? -3.0 : par.crostonAlpha);
        run(s, m);
        break;
    }
    case QD_NEW_PRODUCT_FORECASTING: {
        if (refit) {
            SeriesForecastNewProductOptimizedCurve m(QD_LAST, values, periods, -3.0, -3.0, kCurveMaximumOptimized);
            run(s, m);
        } else {
            SeriesForecastNewProductOptimizedCurve m(QD_LAST, values, periods, par.npDelta, par.npDelta + par.npAlpha,
                                                     QD_CURVE_MAXIMUM_FIXED);
            run(s, m);
        }
        break;
    }
    case QD_AVERAGE: {
        SeriesForecastAverage m(QD_LAST, values, periods);
        run(s, m);
        break;
    }
    default: {
        SeriesForecastExponentialSmoothing m(observationNumber, refit ? -3.0 : par.esAlpha, periods);
        run(s, m);
        break;
    }
    }
}

void SeriesForecastSelvane::averageForecast(Series& series)
{
    SeriesForecastAverage average(count - 1, count, numPeriodsToForecast);
    run(series, average);
}

}  // namespace qd
