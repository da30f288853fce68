#include "SeriesCompute/SeriesForecastNewProductCurve.h"

#include <cmath>
#include <cstddef>
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

void SeriesForecastNewProductCurve::computeRegressors()
{
    // The same for every trial of the ceiling: computed once per run.
    const std::int32_t n = count_ + periods_;
    regressors_.resize(static_cast<std::size_t>(n));
    for (std::int32_t k = 0; k < n; ++k) {
        double x = curveType == QD_NP_PROBIT_CURVE ? k + 1.0 : static_cast<double>(k);
        if (independentValues_ != nullptr)
            x = independentValues_[first_ + k];
        regressors_[static_cast<std::size_t>(k)] = curveType == QD_NP_PROBIT_CURVE ? std::log(x) : x;
    }
    linearised_.resize(static_cast<std::size_t>(count_));
    usedRegressors_.resize(static_cast<std::size_t>(count_));
}

double SeriesForecastNewProductCurve::curve(double r) const
{
    const double a = alpha, b = beta, c = gamma, d = delta;
    if (curveType == QD_NP_GOMPERTZ_CURVE)
        return d + a * std::exp(-std::exp(b - c * r));
    return d + a / (1.0 + std::exp(b - c * r));
}

std::int32_t SeriesForecastNewProductCurve::compute(Series& series, std::int32_t flag)
{
    (void)flag;
    if (minValue != -3.0 && maxValue != -3.0 && !(minValue < maxValue))
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::CurveMinimumNotBelowMaximum);
    // Everything resolved for this series stays in this run: one object is
    // applied to every series of a matrix, each with its own range and
    // bounds.
    std::int32_t last = observationNumber;
    std::int32_t count = numHistoricalValues;
    resolveSeriesRange(series, last, count);
    try {
        checkSeriesRange(series, last, count, 3);
        if (numPeriodsToForecast < 0)
            qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalForecastPeriods);
        run(series, last, count);
    } catch (const MVRBaseException& e) {
        const bool tooFew = (e.code == codeNumber(ErrorCode::IllegalNumHistoricalValues) && count > 0) ||
                             e.code == codeNumber(ErrorCode::NotEnoughValuesInCurveRange);
        series.valueCache.setForecastsDirty(true);
        values_ = forecasts_ = nullptr;
        independentValues_ = nullptr;
        if (!tooFew)
            throw;
        SeriesForecastAverage average(last, count, numPeriodsToForecast);
        SeriesOpApplySeriesForecast op(average);
        op.apply(series);
    }
    values_ = forecasts_ = nullptr;
    independentValues_ = nullptr;
    return 0;
}

void SeriesForecastNewProductCurve::run(Series& series, std::int32_t last, std::int32_t count)
{
    const std::int32_t h = numPeriodsToForecast;
    last_ = last;
    count_ = count;
    periods_ = h;
    first_ = last - count + 1;
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

    const double low = minimumOfValues(series, last, count);
    const double high = maximumOfValues(series, last, count);
    double spread = high - low;
    if (!(spread > 0.0))
        spread = 1.0;
    floor_ = minValue == -3.0 ? (low >= 0.0 ? 0.0 : low - 0.99 * spread) : minValue;
    ceiling_ = maxValue == -3.0 ? high + 10.0 * spread : maxValue;

    const std::int32_t extra = static_cast<std::int32_t>(std::max<std::int64_t>(0, last + 1 + h - series.numObservations()));
    values_ = series.values(extra);
    forecasts_ = series.forecastValues(extra);
    independentValues_ = independentSeries != nullptr ? independentSeries->values(0) : nullptr;
    computeRegressors();

    if (MinMaxType == QD_CURVE_MAXIMUM_OPTIMIZED) {
        fittedParameter = kCeilingParameter;
        double lo = high - 0.1 * spread;
        double hi = ceiling_;
        // A given ceiling below the search's lower end: search the same
        // interval the right way round.
        if (lo > hi)
            std::swap(lo, hi);
        double ceiling = ceiling_;
        minimizeOverInterval(*this, lo, hi, kCeilingTolerance, ceiling);
        ceiling_ = ceiling;
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

double SeriesForecastNewProductCurve::fitPass()
{
    const double a = ceiling_ - floor_;
    const double d = floor_;
    alpha = a;
    delta = d;
    const double bounds[2] = {floor_, ceiling_};
    noteWork(WorkKind::CurveFit, values_ + first_, count_, curveType, 0, bounds, 2);

    // The linearised values and their regressors, in the run's arrays.
    double* y = linearised_.data();
    double* x = usedRegressors_.data();
    std::int32_t used = 0;
    for (std::int32_t k = 0; k < count_; ++k) {
        const double v = values_[first_ + k];
        if (!(floor_ < v && v < ceiling_))
            continue;
        const double linear = curveType == QD_NP_GOMPERTZ_CURVE ? -std::log(-std::log((v - d) / a))
                                                                  : -std::log(a / (v - d) - 1.0);
        const double r = regressors_[static_cast<std::size_t>(k)];
        // A value so close to a bound that its linearisation overflows
        // carries no usable information: it is left out like the bounds.
        if (!std::isfinite(linear) || !std::isfinite(r))
            continue;
        y[used] = linear;
        x[used] = r;
        ++used;
    }
    if (used < 3)
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::NotEnoughValuesInCurveRange);

    // The multiple regression of the linearised values on the regressors
    // (with the constant term): only its two coefficients are used.
    double intercept = 0.0;
    double slope = 0.0;
    regressionLineCoefficients(x, y, used, intercept, slope);
    beta = -intercept;
    gamma = slope;

    // The curve over the range, with its squared errors summed as they are
    // written, then over the forecast periods.
    double sse = 0.0;
    for (std::int32_t k = 0; k < count_; ++k) {
        const double f = curve(regressors_[static_cast<std::size_t>(k)]);
        forecasts_[first_ + k] = f;
        const double e = f - values_[first_ + k];
        sse += e * e;
    }
    for (std::int32_t k = count_; k < count_ + periods_; ++k)
        forecasts_[first_ + k] = curve(regressors_[static_cast<std::size_t>(k)]);
    return sse;
}

double SeriesForecastNewProductCurve::evaluate(double x)
{
    // A trial fit leaves the curve and the run's bounds as they were.
    const double a = alpha, b = beta, c = gamma, d = delta;
    const std::int32_t periods = periods_;
    const double ceiling = ceiling_;
    periods_ = 0;
    if (fittedParameter == kCeilingParameter)
        ceiling_ = x;
    double sse = 0.0;
    try {
        sse = fitPass();
    } catch (...) {
        rethrowOutOfMemory();
        sse = kFailedFit;
    }
    alpha = a;
    beta = b;
    gamma = c;
    delta = d;
    periods_ = periods;
    ceiling_ = ceiling;
    if (!std::isfinite(sse))
        sse = kFailedFit;
    return sse;
}

}  // namespace qd
