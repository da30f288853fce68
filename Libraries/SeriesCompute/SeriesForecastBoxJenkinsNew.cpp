#include "SeriesCompute/SeriesForecastBoxJenkinsNew.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "Matrix/MVRBaseException.h"
#include "Matrix/Observation.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/BJ_identifyModelClass.h"
#include "SeriesCompute/BoxJenkinsModel.h"
#include "SeriesCompute/FitCriteria.h"
#include "SeriesCompute/SharedRoutines.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesForecastBoxJenkinsNew";

// An order is legal when it is QD_COMPUTE or not negative.
bool illegalOrder(std::int32_t order)
{
    return order < 0 && order != QD_COMPUTE;
}

bool givenAndNotZero(std::int32_t order)
{
    return order != 0 && order != QD_COMPUTE;
}

// A requested order as far as it is known before identification.
std::int64_t knownOrder(std::int32_t order)
{
    return order > 0 ? order : 0;
}

// The orders tried for one order: the identified value and one less when
// the order was left to the engine and identified above 0.
std::vector<std::int32_t> tried(std::int32_t requested, std::int32_t identified)
{
    if (requested == QD_COMPUTE && identified > 0)
        return {identified, identified - 1};
    return {identified};
}

// Coefficients of (1 - B)^d (1 - B^S)^D by power of B.
std::vector<double> differencingOperator(std::int32_t d, std::int32_t D, std::int32_t S)
{
    std::vector<double> c(1, 1.0);
    auto multiply = [&c](std::int32_t lag) {
        std::vector<double> r(c.size() + static_cast<std::size_t>(lag), 0.0);
        for (std::size_t i = 0; i < c.size(); ++i) {
            r[i] += c[i];
            r[i + static_cast<std::size_t>(lag)] -= c[i];
        }
        c.swap(r);
    };
    for (std::int32_t i = 0; i < d; ++i)
        multiply(1);
    for (std::int32_t i = 0; i < D; ++i)
        multiply(S);
    return c;
}

void storeVector(Series& series, std::int32_t type, const std::vector<double>& v)
{
    series.storedResults.createMultiple(type, static_cast<std::int32_t>(v.size()));
    for (std::size_t i = 0; i < v.size(); ++i)
        series.storedResults.storeMultiple(type, static_cast<std::int32_t>(i), v[i]);
}

std::vector<double> seriesValues(const Series& s)
{
    std::vector<double> v(static_cast<std::size_t>(s.numObservations()));
    for (std::int32_t i = 0; i < s.numObservations(); ++i)
        v[static_cast<std::size_t>(i)] = s.observation(i).value;
    return v;
}

}  // namespace

SeriesForecastBoxJenkinsNew::SeriesForecastBoxJenkinsNew(std::int32_t observationNumber,
                                                         std::int32_t numHistoricalValues,
                                                         std::int32_t numPeriodsToForecast, std::int32_t constants,
                                                         std::int32_t p, std::int32_t d, std::int32_t q,
                                                         std::int32_t Seasonal_P, std::int32_t Seasonal_D,
                                                         std::int32_t Seasonal_Q, std::int32_t S, bool ForceThrough,
                                                         std::int32_t Transform)
    : observationNumber(observationNumber),
      numHistoricalValues(numHistoricalValues),
      numPeriodsToForecast(numPeriodsToForecast),
      constants(constants),
      p(p),
      d(d),
      q(q),
      Seasonal_P(Seasonal_P),
      Seasonal_D(Seasonal_D),
      Seasonal_Q(Seasonal_Q),
      S(S),
      ForceThrough(ForceThrough),
      Transform(Transform)
{
    if (constants != 0 && constants != 1 && constants != QD_COMPUTE)
        qdThrow(QD_SOURCE_PATH, publishedLine(72), ErrorCode::IllegalBoxJenkinsConstant);
}

std::int32_t SeriesForecastBoxJenkinsNew::compute(Series& series, std::int32_t flag)
{
    (void)flag;
    const std::int32_t count = series.numObservations();
    const std::int32_t last = observationNumber == QD_LAST ? count - 1 : observationNumber;
    const std::int32_t W = numHistoricalValues == QD_ALL ? count : numHistoricalValues;
    const std::int32_t h = numPeriodsToForecast;

    // Checks, before anything is changed.
    if (last < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(140), ErrorCode::NegativeIndex);
    if (last >= count)
        qdThrow(QD_SOURCE_PATH, publishedLine(143), ErrorCode::OutOfBounds);
    if (W < 0 || static_cast<std::int64_t>(W) > static_cast<std::int64_t>(last) + 1)
        qdThrow(QD_SOURCE_PATH, publishedLine(146), ErrorCode::IllegalNumHistoricalValues);
    // The last forecast period must have a 32-bit index.
    if (h < 0 || static_cast<std::int64_t>(h) + last + 1 > std::numeric_limits<std::int32_t>::max())
        qdThrow(QD_SOURCE_PATH, publishedLine(149), ErrorCode::IllegalForecastPeriods);
    if (illegalOrder(p))
        qdThrow(QD_SOURCE_PATH, publishedLine(153), ErrorCode::IllegalBoxJenkinsP);
    if (illegalOrder(d) || d > 2)
        qdThrow(QD_SOURCE_PATH, publishedLine(156), ErrorCode::IllegalBoxJenkinsD);
    if (illegalOrder(q))
        qdThrow(QD_SOURCE_PATH, publishedLine(159), ErrorCode::IllegalBoxJenkinsQ);
    if (illegalOrder(Seasonal_P))
        qdThrow(QD_SOURCE_PATH, publishedLine(162), ErrorCode::IllegalBoxJenkinsSeasonalP);
    if (illegalOrder(Seasonal_D) || Seasonal_D > 2)
        qdThrow(QD_SOURCE_PATH, publishedLine(165), ErrorCode::IllegalBoxJenkinsSeasonalD);
    if (illegalOrder(Seasonal_Q))
        qdThrow(QD_SOURCE_PATH, publishedLine(168), ErrorCode::IllegalBoxJenkinsSeasonalQ);
    if (illegalOrder(S) || S > W)
        qdThrow(QD_SOURCE_PATH, publishedLine(171), ErrorCode::IllegalBoxJenkinsS);
    if (S == 0 && (givenAndNotZero(Seasonal_P) || givenAndNotZero(Seasonal_D) || givenAndNotZero(Seasonal_Q)))
        qdThrow(QD_SOURCE_PATH, publishedLine(177), ErrorCode::SeasonalParametersWithoutS);
    // Lags that reach back over the whole window cannot be fitted, and huge
    // orders would only make the search run for ever: the longest lag of
    // each side must stay inside the window.
    const std::int64_t knownS = knownOrder(S);
    if (knownOrder(p) >= W)
        qdThrow(QD_SOURCE_PATH, publishedLine(153), ErrorCode::IllegalBoxJenkinsP);
    if (knownOrder(p) + knownS * knownOrder(Seasonal_P) >= W)
        qdThrow(QD_SOURCE_PATH, publishedLine(162), ErrorCode::IllegalBoxJenkinsSeasonalP);
    if (knownOrder(q) >= W)
        qdThrow(QD_SOURCE_PATH, publishedLine(159), ErrorCode::IllegalBoxJenkinsQ);
    if (knownOrder(q) + knownS * knownOrder(Seasonal_Q) >= W)
        qdThrow(QD_SOURCE_PATH, publishedLine(168), ErrorCode::IllegalBoxJenkinsSeasonalQ);

    // The window, on the scale of the model: logarithms only in this copy.
    const std::int32_t first = last - W + 1;
    std::vector<double> window(static_cast<std::size_t>(W));
    bool allPositive = true;
    for (std::int32_t i = 0; i < W; ++i) {
        window[static_cast<std::size_t>(i)] = series.observation(first + i).value;
        if (!(window[static_cast<std::size_t>(i)] > 0.0))
            allPositive = false;
    }
    bool useLog = false;
    if (Transform == QD_LOG_TRANSFORM) {
        // "Find illegal value for Box-Cox transform, which needs positive values"
        if (!allPositive)
            qdThrow(QD_SOURCE_PATH, 196, ErrorCode::IllegalBoxCoxValue);
        useLog = true;
    } else if (Transform == QD_OPTIMIZE_TRANSFORM && allPositive && W > 0) {
        // A window with a value at or below zero has no logarithm: it is
        // forecast untransformed without scoring.
        useLog = computeBoxCox(series, last, W, 1.0) > computeBoxCox(series, last, W, 0.0);
    }
    if (useLog)
        for (double& v : window)
            v = std::log(v);

    Series working(W);
    for (double v : window)
        working.addObservation(v, QD_SUPPLIED, FdCString());

    // Number of lags.
    std::int64_t seasonForLags = S;
    if (S == QD_COMPUTE) {
        seasonForLags = detectedBoxJenkinsSeasonalLength(working);
        // The detected length bounds the requested seasonal spans as a
        // given one does, before any identification work.
        if (seasonForLags > 0) {
            if (knownOrder(p) + seasonForLags * knownOrder(Seasonal_P) >= W)
                qdThrow(QD_SOURCE_PATH, publishedLine(162), ErrorCode::IllegalBoxJenkinsSeasonalP);
            if (knownOrder(q) + seasonForLags * knownOrder(Seasonal_Q) >= W)
                qdThrow(QD_SOURCE_PATH, publishedLine(168), ErrorCode::IllegalBoxJenkinsSeasonalQ);
        }
    }
    std::int64_t lags = 0;
    if (seasonForLags < 1) {
        lags = 12;
        if (lags > static_cast<std::int64_t>(W) - 4)
            lags = static_cast<std::int64_t>(W) - 4;
    } else {
        lags = 4 * seasonForLags;
        const std::int64_t cap = static_cast<std::int64_t>(W) - 2 * seasonForLags - 3;
        if (lags > cap)
            lags = cap;
    }
    if (lags < 4 || lags > W)
        qdThrow(QD_SOURCE_PATH, publishedLine(236), ErrorCode::DataSetTooSmall);
    const std::int32_t numLagValues = static_cast<std::int32_t>(lags);

    // Identification: differences the working series in place.
    BJ_identifyModelClass identification(S, d, Seasonal_D, q, Seasonal_Q, p, Seasonal_P, ForceThrough,
                                         numLagValues, working);
    identification.identify();
    const std::int32_t idS = identification.S;
    const std::int32_t idd = identification.d;
    const std::int32_t idD = identification.D;
    const bool hasConstant = constants == QD_COMPUTE ? idd + idD == 0 : constants == 1;

    // Candidates around the identified orders, larger orders first.
    const std::int32_t length = working.numObservations();
    std::vector<BoxJenkinsModel> models;
    models.reserve(64);
    for (std::int32_t cp : tried(p, identification.p))
        for (std::int32_t cq : tried(q, identification.q))
            for (std::int32_t cP : tried(Seasonal_P, identification.P))
                for (std::int32_t cQ : tried(Seasonal_Q, identification.Q)) {
                    if (cp == 0 && cq == 0 && cP == 0 && cQ == 0)
                        continue;
                    BoxJenkinsModel model(length - 1, length, h, numLagValues, hasConstant, idS, cp, cq, cP, cQ);
                    model.fit(working);
                    models.push_back(model);
                }

    // Diagnostic elimination from the last candidate to the first.
    if (models.empty())
        qdThrow(QD_SOURCE_PATH, publishedLine(368), ErrorCode::MultipleModelsRemain);
    std::size_t reference = models.size() - 1;
    models[reference].diagnose(working);
    for (std::size_t i = reference; i-- > 0;) {
        models[i].diagnose(working);
        if (!BoxJenkinsModel::isBetterThan(models[reference].score, models[i].score))
            reference = i;
    }
    BoxJenkinsModel chosen(models[reference]);
    models.clear();

    // The chosen model over the whole differenced working series.
    chosen.numPeriodsToForecast = h;
    chosen.compute(working, 0);

    // Undifferencing: y(j) = w(j - k0) plus the other terms of the inverse
    // of (1 - B)^d (1 - B^S)^D, over the window's (log-scale) values and,
    // past the window, over the forecasts just made.
    const std::int64_t k0 = static_cast<std::int64_t>(idD) * idS + idd;
    const std::vector<double> op = differencingOperator(idd, idD, idS);
    const std::size_t total = static_cast<std::size_t>(W) + static_cast<std::size_t>(h);
    std::vector<double> y(window);
    y.resize(total, 0.0);
    std::vector<double> result(total, 0.0);
    for (std::size_t j = 0; j < total; ++j) {
        if (static_cast<std::int64_t>(j) < k0) {
            result[j] = y[j];
            continue;
        }
        double w = 0.0;
        working.observation(static_cast<std::int32_t>(static_cast<std::int64_t>(j) - k0))
            .storedResults.lookup(QD_BOX_JENKINS, w);
        double v = w;
        for (std::size_t l = 1; l < op.size(); ++l)
            if (op[l] != 0.0)
                v -= op[l] * y[j - l];
        result[j] = v;
        if (j >= static_cast<std::size_t>(W))
            y[j] = v;
    }
    if (useLog) {
        for (std::size_t j = 0; j < total; ++j)
            result[j] = static_cast<std::int64_t>(j) < k0 ? series.observation(first + static_cast<std::int32_t>(j)).value
                                                         : std::exp(result[j]);
    }

    // The orders and coefficients of the chosen model.
    std::vector<double> ar(static_cast<std::size_t>(chosen.p)), ma(static_cast<std::size_t>(chosen.q)),
        sar(static_cast<std::size_t>(chosen.P)), sma(static_cast<std::size_t>(chosen.Q));
    for (std::int32_t i = 0; i < chosen.p; ++i)
        ar[static_cast<std::size_t>(i)] = chosen.arCoefficient(i);
    for (std::int32_t i = 0; i < chosen.q; ++i)
        ma[static_cast<std::size_t>(i)] = chosen.maCoefficient(i);
    for (std::int32_t i = 0; i < chosen.P; ++i)
        sar[static_cast<std::size_t>(i)] = chosen.seasonalArCoefficient(i);
    for (std::int32_t i = 0; i < chosen.Q; ++i)
        sma[static_cast<std::size_t>(i)] = chosen.seasonalMaCoefficient(i);
    const std::vector<double> pacf = seriesValues(identification.pacfSeries);
    const std::vector<double> acf = seriesValues(identification.acfSeries);

    // Everything is computed: now the series changes.
    for (std::size_t j = 0; j < total; ++j)
        storeFittedValue(series, first + static_cast<std::int32_t>(j), count, QD_BOX_JENKINS, result[j]);

    SeriesQC& stored = series.storedResults;
    stored.store(QD_BOX_JENKINS_NONSEASONAL_P_INITIAL, identification.p);
    stored.store(QD_BOX_JENKINS_NONSEASONAL_D, idd);
    stored.store(QD_BOX_JENKINS_NONSEASONAL_Q_INITIAL, identification.q);
    stored.store(QD_BOX_JENKINS_SEASONAL_P_INITIAL, identification.P);
    stored.store(QD_BOX_JENKINS_SEASONAL_D, idD);
    stored.store(QD_BOX_JENKINS_SEASONAL_Q_INITIAL, identification.Q);
    stored.store(QD_BOX_JENKINS_SEASONAL_LENGTH, idS);
    stored.store(QD_BOX_JENKINS_NONSEASONAL_P_DECAY, identification.p - chosen.p);
    stored.store(QD_BOX_JENKINS_NONSEASONAL_Q_DECAY, identification.q - chosen.q);
    stored.store(QD_BOX_JENKINS_SEASONAL_P_DECAY, identification.P - chosen.P);
    stored.store(QD_BOX_JENKINS_SEASONAL_Q_DECAY, identification.Q - chosen.Q);
    storeVector(series, QD_PARTIAL_AUTO_CORRELATION_COEFFICIENT, pacf);
    storeVector(series, QD_AUTO_CORRELATION, acf);
    stored.store(QD_BOX_JENKINS_NUM_LAG_VALUES, numLagValues);
    stored.store(QD_BOX_JENKINS_ACF_BOUNDARY, identification.acfBoundary);
    stored.store(QD_BOX_JENKINS_NONSEASONAL_P, chosen.p);
    stored.store(QD_BOX_JENKINS_NONSEASONAL_Q, chosen.q);
    stored.store(QD_BOX_JENKINS_SEASONAL_P, chosen.P);
    stored.store(QD_BOX_JENKINS_SEASONAL_Q, chosen.Q);
    storeVector(series, QD_BOX_JENKINS_AR_PARAM, ar);
    storeVector(series, QD_BOX_JENKINS_MA_PARAM, ma);
    storeVector(series, QD_BOX_JENKINS_AR_SEASONAL_PARAM, sar);
    storeVector(series, QD_BOX_JENKINS_MA_SEASONAL_PARAM, sma);
    // The constant is there exactly when the model has one: the t-test and
    // the parameter count read its presence.
    if (chosen.hasConstant)
        stored.store(QD_BOX_JENKINS_CONSTANT_PARAM, chosen.processMean);
    else
        stored.removeQuantity(QD_BOX_JENKINS_CONSTANT_PARAM);
    stored.store(QD_LJUNG_BOX, chosen.ljungBoxQ);
    stored.store(QD_LAMDA, useLog ? 0.0 : 1.0);
    series.forecastMethodNumber = QD_BOX_JENKINS;
    series.seasonalLength = idS;
    series.decompositionType = 2;
    series.setDirty(true, true);
    return 0;
}

}  // namespace qd
