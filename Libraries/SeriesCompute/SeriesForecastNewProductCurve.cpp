#include "SeriesCompute/SeriesForecastNewProductCurve.h"

#include <cmath>
#include <cstdint>
#include <new>
#include <utility>

#include "Matrix/MVRBaseException.h"
#include "Matrix/Matrix.h"
#include "Matrix/MatrixOpApplyMatrixForecast.h"
#include "Matrix/Observation.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "Matrix/SeriesRange.h"
#include "MatrixCompute/MatrixForecastMultipleRegression.h"
#include "SeriesCompute/Minimizer.h"
#include "SeriesCompute/SeriesForecastAverage.h"
#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/WorkCount.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesForecastNewProductCurve";

const std::int32_t kCeilingParameter = 7;
const double kCeilingTolerance = 0.01;  // relative, as for every fitted parameter
const double kFailedFit = 1e50;

std::int32_t methodCodeOf(std::int32_t curveType)
{
    switch (curveType) {
    case QD_NP_GOMPERTZ_CURVE: return QD_GOMPERTZ_CURVE;
    case QD_NP_LOGISTIC_CURVE: return QD_LOGISTIC_CURVE;
    default: return QD_PROBIT_CURVE;
    }
}

// Saves the fields a trial fit changes and puts them back.
struct SavedFit {
    explicit SavedFit(SeriesForecastNewProductCurve& m)
        : method(m), a(m.alpha), b(m.beta), c(m.gamma), d(m.delta), periods(m.numPeriodsToForecast),
          low(m.minValue), high(m.maxValue)
    {
    }
    SavedFit(const SavedFit&) = delete;
    SavedFit& operator=(const SavedFit&) = delete;
    ~SavedFit()
    {
        method.alpha = a;
        method.beta = b;
        method.gamma = c;
        method.delta = d;
        method.numPeriodsToForecast = periods;
        method.minValue = low;
        method.maxValue = high;
    }
    SeriesForecastNewProductCurve& method;
    double a, b, c, d;
    std::int32_t periods;
    double low, high;
};

}  // namespace

SeriesForecastNewProductCurve::SeriesForecastNewProductCurve(std::int32_t observationNumber,
                                                             std::int32_t numHistoricalValues,
                                                             std::int32_t numPeriodsToForecast, double minValue,
                                                             double maxValue, std::int32_t MinMaxType,
                                                             std::int32_t curveType, Series* independentSeries)
    : observationNumber(observationNumber),
      numHistoricalValues(numHistoricalValues),
      numPeriodsToForecast(numPeriodsToForecast),
      minValue(minValue),
      maxValue(maxValue),
      independentSeries(independentSeries),
      MinMaxType(MinMaxType),
      curveType(curveType)
{
}

double SeriesForecastNewProductCurve::regressor(std::int32_t k) const
{
    if (independentValues_ != nullptr)
        return independentValues_[first_ + k];
    return curveType == QD_NP_PROBIT_CURVE ? k + 1.0 : static_cast<double>(k);
}

double SeriesForecastNewProductCurve::curve(double x) const
{
    const double a = alpha, b = beta, c = gamma, d = delta;
    switch (curveType) {
    case QD_NP_GOMPERTZ_CURVE: return d + a * std::exp(-std::exp(b - c * x));
    case QD_NP_LOGISTIC_CURVE: return d + a / (1.0 + std::exp(b - c * x));
    default: return d + a / (1.0 + std::exp(b - c * std::log(x)));
    }
}

std::int32_t SeriesForecastNewProductCurve::compute(Series& series, std::int32_t flag)
{
    (void)flag;
    if (minValue != -3.0 && maxValue != -3.0 && !(minValue < maxValue))
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::CurveMinimumNotBelowMaximum);
    resolveSeriesRange(series, observationNumber, numHistoricalValues);
    try {
        checkSeriesRange(series, observationNumber, numHistoricalValues, 3);
        if (numPeriodsToForecast < 0)
            qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalForecastPeriods);
        run(series);
    } catch (const MVRBaseException& e) {
        const bool tooFew = (e.code == codeNumber(ErrorCode::IllegalNumHistoricalValues) && numHistoricalValues > 0) ||
                             e.code == codeNumber(ErrorCode::NotEnoughValuesInCurveRange);
        series.valueCache.setForecastsDirty(true);
        values_ = forecasts_ = nullptr;
        independentValues_ = nullptr;
        if (!tooFew)
            throw;
        SeriesForecastAverage average(observationNumber, numHistoricalValues, numPeriodsToForecast);
        SeriesOpApplySeriesForecast op(average);
        op.apply(series);
    }
    values_ = forecasts_ = nullptr;
    independentValues_ = nullptr;
    return 0;
}

void SeriesForecastNewProductCurve::run(Series& series)
{
    const std::int32_t last = observationNumber;
    const std::int32_t h = numPeriodsToForecast;
    first_ = last - numHistoricalValues + 1;
    if (static_cast<std::int64_t>(last) + 1 + h > Series::maxObservations())
        throw std::bad_alloc();
    if (independentSeries != nullptr) {
        if (independentSeries->numObservations() < static_cast<std::int64_t>(last) + h + 1)
            qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::NotEnoughIndependentValues);
        const double* x = independentSeries->values(0);
        // The probit curve takes the logarithm of every regressor it
        // evaluates, the forecast periods' included.
        if (curveType == QD_NP_PROBIT_CURVE)
            for (std::int32_t i = first_; i <= last + h; ++i)
                if (!(x[i] > 0.0))
                    qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::ProbitNeedsPositiveValues);
    }
    alpha = beta = gamma = delta = 0.0;

    const double low = minimumOfValues(series, last, numHistoricalValues);
    const double high = maximumOfValues(series, last, numHistoricalValues);
    double spread = high - low;
    if (!(spread > 0.0))
        spread = 1.0;
    if (minValue == -3.0)
        minValue = low >= 0.0 ? 0.0 : low - 0.99 * spread;
    if (maxValue == -3.0)
        maxValue = high + 10.0 * spread;

    const std::int32_t extra = static_cast<std::int32_t>(std::max<std::int64_t>(0, last + 1 + h - series.numObservations()));
    values_ = series.values(extra);
    forecasts_ = series.forecastValues(extra);
    independentValues_ = independentSeries != nullptr ? independentSeries->values(0) : nullptr;

    if (MinMaxType == QD_CURVE_MAXIMUM_OPTIMIZED) {
        fittedParameter = kCeilingParameter;
        double lo = high - 0.1 * spread;
        double hi = maxValue;
        // A given ceiling below the search's lower end: search the same
        // interval the right way round.
        if (lo > hi)
            std::swap(lo, hi);
        double ceiling = maxValue;
        minimizeOverInterval(*this, lo, hi, kCeilingTolerance, ceiling);
        maxValue = ceiling;
    }
    fitPass();

    const std::int32_t code = methodCodeOf(curveType);
    series.storeForecasts(code, first_, last + h, false);
    series.storedResults.store(QD_ALPHA, alpha);
    series.storedResults.store(QD_BETA, beta);
    series.storedResults.store(QD_GAMMA, gamma);
    series.storedResults.store(QD_DELTA, delta);
    series.forecastMethodNumber = code;
    series.seasonalLength = 0;
    series.decompositionType = 0;
}

void SeriesForecastNewProductCurve::fitPass()
{
    const double a = maxValue - minValue;
    const double d = minValue;
    alpha = a;
    delta = d;
    const double bounds[2] = {minValue, maxValue};
    noteWork(WorkKind::CurveFit, values_ + first_, numHistoricalValues, curveType, 0, bounds, 2);

    // The linearised values and their regressors, in arrays that keep
    // their room from one trial to the next.
    std::vector<double>& y = linearised_;
    std::vector<double>& x = regressors_;
    y.clear();
    x.clear();
    for (std::int32_t k = 0; k < numHistoricalValues; ++k) {
        const double v = values_[first_ + k];
        if (!(minValue < v && v < maxValue))
            continue;
        const double linear = curveType == QD_NP_GOMPERTZ_CURVE ? -std::log(-std::log((v - d) / a))
                                                                  : -std::log(a / (v - d) - 1.0);
        double r = regressor(k);
        if (curveType == QD_NP_PROBIT_CURVE)
            r = std::log(r);
        // A value so close to a bound that its linearisation overflows
        // carries no usable information: it is left out like the bounds.
        if (!std::isfinite(linear) || !std::isfinite(r))
            continue;
        y.push_back(linear);
        x.push_back(r);
    }
    if (y.size() < 3)
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::NotEnoughValuesInCurveRange);

    // The multiple regression of the linearised values on the regressors
    // (with the constant term): only its two coefficients are used.
    double intercept = 0.0;
    double slope = 0.0;
    regressionLineCoefficients(x.data(), y.data(), static_cast<std::int32_t>(y.size()), intercept, slope);
    beta = -intercept;
    gamma = slope;

    for (std::int32_t k = 0; k < numHistoricalValues + numPeriodsToForecast; ++k)
        forecasts_[first_ + k] = curve(regressor(k));
}

double SeriesForecastNewProductCurve::evaluate(double x)
{
    const SavedFit saved(*this);
    numPeriodsToForecast = 0;
    if (fittedParameter == kCeilingParameter)
        maxValue = x;
    double sse = 0.0;
    try {
        fitPass();
        for (std::int32_t i = first_; i <= observationNumber; ++i) {
            const double e = forecasts_[i] - values_[i];
            sse += e * e;
        }
    } catch (...) {
        rethrowOutOfMemory();
        sse = kFailedFit;
    }
    if (!std::isfinite(sse))
        sse = kFailedFit;
    return sse;
}

}  // namespace qd
