#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingWinters.h"

#include <cmath>

#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/Minimizer.h"
#include "SeriesCompute/SeasonalLengthDetection.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingHolt.h"
#include "SeriesCompute/SharedRoutines.h"
#include "SeriesCompute/SmoothingSupport.h"
#include "SeriesCompute/WorkCount.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesForecastTripleExponentialSmoothingWinters";
const double kFitTolerance = 0.01;
const double kConverged = 0.005;
const int kMaxPasses = 11;
const double kRejected = 1e100;

enum Constant : std::int32_t { ALPHA = 0, BETA = 1, GAMMA = 2 };
const std::int32_t QD_ADDITIVE_DECOMP = 1;
const std::int32_t QD_MULTIPLICATIVE_DECOMP = 2;

}  // namespace

SeriesForecastTripleExponentialSmoothingWinters::SeriesForecastTripleExponentialSmoothingWinters(
    std::int32_t observationNumber, std::int32_t seasonalityLength, std::int32_t numPeriodsToForecast, double alpha,
    double beta, double gamma, std::int32_t decompType, bool zeroDemand, double finalLevelValue,
    double finalTrendValue, const double* seasonalIndexValues)
    : observationNumber(observationNumber),
      seasonalityLength(seasonalityLength),
      numPeriodsToForecast(numPeriodsToForecast),
      alpha(alpha),
      beta(beta),
      gamma(gamma),
      decompType(decompType),
      zeroDemand(zeroDemand),
      finalLevelValue(finalLevelValue),
      finalTrendValue(finalTrendValue),
      seasonalIndexValues(seasonalIndexValues),
      constructorAlpha_(alpha),
      constructorBeta_(beta),
      constructorGamma_(gamma)
{
}

// The season of observation t: (t - start) mod L, never negative (t may lie
// before the start when the start is later than count - L).
std::int32_t SeriesForecastTripleExponentialSmoothingWinters::season(std::int32_t t) const
{
    const std::int32_t r = (t - start_) % length_;
    return r < 0 ? r + length_ : r;
}

void SeriesForecastTripleExponentialSmoothingWinters::initialise()
{
    const std::int32_t m = start_;
    const std::int32_t e = observationCount_ - 1;
    const std::int32_t len = length_;
    const double* y = values_;
    if (multiplicative_) {
        factors_.assign(static_cast<std::size_t>(len), 1.0);
    } else {
        factors_.assign(static_cast<std::size_t>(len), 0.0);
        double sum = 0.0;
        for (std::int32_t t = m; t <= e; ++t)
            sum += y[t];
        const double mean = sum / (e - m + 1);
        for (std::int32_t t = e; t >= e - len + 1; --t)
            factors_[season(t)] = y[t] - mean;
    }

    // Smoothed backwards from the end.
    const double last = factors_[season(e)];
    double a = 0.0;
    if (!multiplicative_)
        a = y[e] - last;
    else if (std::fabs(last) <= 1e-12)
        a = y[e];
    else
        a = y[e] / last;
    double b = 0.0;
    // The season of t, followed down without a division per step.
    std::int32_t place = season(e);
    for (std::int32_t t = e - 1; t >= m; --t) {
        place = place == 0 ? len - 1 : place - 1;
        double& s = factors_[static_cast<std::size_t>(place)];
        double next = a;
        if (!multiplicative_)
            next = alpha * (y[t] - s) + (1.0 - alpha) * (a + b);
        else if (std::fabs(s) > 1e-12)
            next = alpha * (y[t] / s) + (1.0 - alpha) * (a + b);
        b = gamma * (next - a) + (1.0 - gamma) * b;
        if (!multiplicative_)
            s = beta * (y[t] - next) + (1.0 - beta) * s;
        else if (std::fabs(next) > 1e-12)
            s = beta * (y[t] / next) + (1.0 - beta) * s;
        a = next;
    }
    initialLevel_ = a;
    initialTrend_ = -b;
    initialFactors_ = factors_;
}

double SeriesForecastTripleExponentialSmoothingWinters::pass(std::int32_t h)
{
    const double parameters[3] = {alpha, beta, gamma};
    noteWork(WorkKind::Winters, values_ + start_, observationCount_ - start_, length_, multiplicative_ ? 1 : 0,
             parameters, 3);
    initialise();
    const std::int32_t m = start_;
    const std::int32_t e = observationCount_ - 1;
    const double* y = values_;
    double a = initialLevel_;
    double b = initialTrend_;
    double sse = 0.0;
    nonPositiveForecast_ = false;
    // The season of t (0 at the start), followed up without a division.
    std::int32_t place = 0;
    for (std::int32_t t = m; t <= e; ++t, place = place + 1 == length_ ? 0 : place + 1) {
        double& s = factors_[static_cast<std::size_t>(place)];
        double next = 0.0;
        if (multiplicative_) {
            forecasts_[t] = (a + b) * s;
            if (!(std::fabs(s) < 1e-6))
                next = alpha * (y[t] / s) + (1.0 - alpha) * (a + b);
        } else {
            forecasts_[t] = (a + b) + s;
            next = alpha * (y[t] - s) + (1.0 - alpha) * (a + b);
        }
        const double error = y[t] - forecasts_[t];
        sse += error * error;
        if (forecasts_[t] <= 0.0)
            nonPositiveForecast_ = true;
        b = gamma * (next - a) + (1.0 - gamma) * b;
        if (multiplicative_)
            s = std::fabs(next) < 1e-6 ? 0.0 : beta * (y[t] / next) + (1.0 - beta) * s;
        else
            s = beta * (y[t] - next) + (1.0 - beta) * s;
        a = next;
    }
    level_ = a;
    trend_ = b;
    for (std::int32_t k = 1; k <= h; ++k) {
        const double s = factors_[season(e + k)];
        const double f = multiplicative_ ? (a + k * b) * s : (a + k * b) + s;
        forecasts_[e + k] = f;
        values_[e + k] = f;
    }
    return sse;
}

double SeriesForecastTripleExponentialSmoothingWinters::passError()
{
    const double sse = pass(0);
    removeCachedStatistic(*series_, QD_SUM_SQUARED_ERROR);
    if (multiplicative_) {
        if (nonPositiveForecast_)
            return kRejected;
        for (double s : factors_) {
            if (s <= 0.0)
                return kRejected;
        }
    }
    return sse;
}

double SeriesForecastTripleExponentialSmoothingWinters::evaluate(double x)
{
    const RestoreOnExit<double> keepAlpha(alpha);
    const RestoreOnExit<double> keepBeta(beta);
    const RestoreOnExit<double> keepGamma(gamma);
    if (fittedParameter == ALPHA)
        alpha = x;
    else if (fittedParameter == BETA)
        beta = x;
    else
        gamma = x;
    return passError();
}

// Fits the constants asked for in one form, starting from the given ones;
// returns the form's sum of squared errors at the constants found.
double SeriesForecastTripleExponentialSmoothingWinters::fit(bool multiplicative)
{
    multiplicative_ = multiplicative;
    alpha = constructorAlpha_;
    beta = constructorBeta_;
    gamma = constructorGamma_;
    const bool fitAlpha = isComputeSentinel(constructorAlpha_);
    const bool fitBeta = isComputeSentinel(constructorBeta_);
    const bool fitGamma = isComputeSentinel(constructorGamma_);
    if (!fitAlpha && !fitBeta && !fitGamma)
        return passError();

    const auto minimise = [this](std::int32_t which, double& constant) {
        fittedParameter = which;
        double x = 0.0;
        minimizeOverInterval(*this, 0.0, 1.0, kFitTolerance, x);
        constant = x;
    };
    for (int p = 1; p <= kMaxPasses; ++p) {
        const double previousAlpha = alpha;
        const double previousBeta = beta;
        const double previousGamma = gamma;
        if (p == 1) {
            if (fitBeta && fitAlpha)
                alpha = 0.2;
            if (fitGamma)
                gamma = 0.05;
        }
        if (fitBeta)
            minimise(BETA, beta);
        if (fitAlpha)
            minimise(ALPHA, alpha);
        if (fitGamma)
            minimise(GAMMA, gamma);
        if (p >= 2 && (!fitAlpha || std::fabs(alpha - previousAlpha) <= kConverged) &&
            (!fitBeta || std::fabs(beta - previousBeta) <= kConverged) &&
            (!fitGamma || std::fabs(gamma - previousGamma) <= kConverged))
            break;
    }
    return passError();
}

void SeriesForecastTripleExponentialSmoothingWinters::checkArguments(Series& series, std::int32_t n,
                                                                     std::int32_t& start, std::int32_t& length)
{
    // Resolved for this series only: the object may serve series of other
    // lengths next.
    start = observationNumber == QD_LAST ? n - 1 : observationNumber;
    if (start < (zeroDemand ? -1 : 0))
        qdThrow(QD_SOURCE_PATH, publishedLine(235), ErrorCode::NegativeIndex);
    if (start >= n)
        qdThrow(QD_SOURCE_PATH, publishedLine(238), ErrorCode::OutOfBounds);
    if (numPeriodsToForecast < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(241), ErrorCode::IllegalForecastPeriods);
    if (!isLegalSmoothingConstant(alpha))
        qdThrow(QD_SOURCE_PATH, publishedLine(244), ErrorCode::IllegalAlpha);
    if (!isLegalSmoothingConstant(beta))
        qdThrow(QD_SOURCE_PATH, publishedLine(247), ErrorCode::IllegalBeta);
    if (!isLegalSmoothingConstant(gamma))
        qdThrow(QD_SOURCE_PATH, publishedLine(250), ErrorCode::IllegalGamma);
    if (decompType == 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(253), ErrorCode::IllegalDecompositionType);
    length = seasonalityLength;
    if (!zeroDemand && length == QD_COMPUTE) {
        if (detectSeasonalLength(series, 0, -1.0, -1.0, &length, 2.0) != QD_SEASONALITY_FOUND)
            qdThrow(QD_SOURCE_PATH, publishedLine(260), ErrorCode::NotSeasonalData);
    }
    // Zero demand needs its factors: without them there is no season.
    if (length < 0 || (zeroDemand && (length == 0 || seasonalIndexValues == nullptr)))
        qdThrow(QD_SOURCE_PATH, publishedLine(269), ErrorCode::InvalidSeasonalLength);
    if (!zeroDemand && length > n)
        qdThrow(QD_SOURCE_PATH, publishedLine(272), ErrorCode::InvalidSeasonalLength);
    checkForecastLength(n, numPeriodsToForecast);
}

std::int32_t SeriesForecastTripleExponentialSmoothingWinters::compute(Series& series, std::int32_t flag)
{
    const std::int32_t n = series.numObservations();
    std::int32_t start = 0;
    std::int32_t length = 0;
    checkArguments(series, n, start, length);

    const RestoreOnExit<double> keepAlpha(alpha, constructorAlpha_);
    const RestoreOnExit<double> keepBeta(beta, constructorBeta_);
    const RestoreOnExit<double> keepGamma(gamma, constructorGamma_);
    const RestoreOnExit<Series*> keepSeries(series_, nullptr);
    if (zeroDemand) {
        runZeroDemand(series, start, length);
        return 0;
    }
    // Fewer than two observations from the start: nothing to do.
    if (n - start < 2)
        return 0;
    if (length == 0)
        runHolt(series, start, flag);
    else
        runNormal(series, start, length);
    return 0;
}

void SeriesForecastTripleExponentialSmoothingWinters::runHolt(Series& series, std::int32_t start, std::int32_t flag)
{
    SeriesForecastDoubleExponentialSmoothingHolt holt(start, numPeriodsToForecast, alpha, gamma);
    holt.compute(series, flag);
    series.storedResults.store(QD_BETA, isComputeSentinel(beta) ? 0.0 : beta);
    // Holt records no season and no decomposition; the method is ours.
    series.recordForecastMethod(QD_HOLT_WINTERS);
}

void SeriesForecastTripleExponentialSmoothingWinters::runNormal(Series& series, std::int32_t start,
                                                                std::int32_t length)
{
    const std::int32_t h = numPeriodsToForecast;
    const std::int32_t n = series.numObservations();
    start_ = start;
    length_ = length;
    observationCount_ = n;
    series_ = &series;
    values_ = series.values(h);
    forecasts_ = series.forecastValues(h);

    std::int32_t typeUsed = decompType;
    try {
        if (decompType == QD_ADDITIVE_DECOMP || decompType == QD_MULTIPLICATIVE_DECOMP) {
            fit(decompType == QD_MULTIPLICATIVE_DECOMP);
        } else {
            const double additiveError = fit(false);
            const double additiveAlpha = alpha;
            const double additiveBeta = beta;
            const double additiveGamma = gamma;
            typeUsed = QD_ADDITIVE_DECOMP;
            bool positive = true;
            for (std::int32_t t = start; t < n; ++t)
                positive = positive && values_[t] > 0.0;
            if (positive && fit(true) <= additiveError) {
                typeUsed = QD_MULTIPLICATIVE_DECOMP;
            } else {
                alpha = additiveAlpha;
                beta = additiveBeta;
                gamma = additiveGamma;
            }
        }
        multiplicative_ = typeUsed == QD_MULTIPLICATIVE_DECOMP;
        pass(h);
    } catch (...) {
        series.valueCache.setForecastsDirty(true);
        throw;
    }
    series.storeForecasts(QD_HOLT_WINTERS, start, n - 1 + h, false);
    storeResults(series, typeUsed);
}

void SeriesForecastTripleExponentialSmoothingWinters::runZeroDemand(Series& series, std::int32_t start,
                                                                    std::int32_t length)
{
    const std::int32_t h = numPeriodsToForecast;
    const std::int32_t typeUsed = decompType == QD_MULTIPLICATIVE_DECOMP ? QD_MULTIPLICATIVE_DECOMP
                                                                         : QD_ADDITIVE_DECOMP;
    length_ = length;
    factors_.assign(seasonalIndexValues, seasonalIndexValues + length);
    initialFactors_ = factors_;
    level_ = finalLevelValue;
    trend_ = finalTrendValue;
    double* forecasts = series.forecastValues(h);
    for (std::int32_t k = 1; k <= h; ++k) {
        const double s = factors_[static_cast<std::size_t>((k - 1) % length)];
        const double base = level_ + k * trend_;
        forecasts[start + k] = typeUsed == QD_MULTIPLICATIVE_DECOMP ? base * s : base + s;
    }
    series.storeForecasts(QD_HOLT_WINTERS, start + 1, start + h, false);
    storeResults(series, typeUsed);
}

void SeriesForecastTripleExponentialSmoothingWinters::storeResults(Series& series, std::int32_t typeUsed)
{
    series.storedResults.store(QD_ALPHA, alpha);
    series.storedResults.store(QD_BETA, beta);
    series.storedResults.store(QD_GAMMA, gamma);
    series.storedResults.store(QD_LEVEL_FINAL_VALUE, level_);
    series.storedResults.store(QD_TREND_FINAL_VALUE, trend_);
    std::vector<double> initial = initialFactors_;
    normalizeSeasonalIndexes(length_, typeUsed, initial.data());
    series.storedResults.createMultiple(QD_INITIAL_SEASONAL_INDEX, length_);
    series.storedResults.createMultiple(QD_SEASONAL_INDEX, length_);
    for (std::int32_t i = 0; i < length_; ++i) {
        series.storedResults.storeMultiple(QD_INITIAL_SEASONAL_INDEX, i, initial[static_cast<std::size_t>(i)]);
        series.storedResults.storeMultiple(QD_SEASONAL_INDEX, i, factors_[static_cast<std::size_t>(i)]);
    }
    series.recordForecastMethod(QD_HOLT_WINTERS, length_, typeUsed);
}

}  // namespace qd
