#include "SeriesCompute/SharedRoutines.h"

#include <cmath>
#include <cstdio>

#include "Matrix/MVRBaseException.h"
#include "Matrix/Observation.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/WorkCount.h"

namespace qd {

void normalizeSeasonalIndexes(std::int32_t n, std::int32_t mode, double* factors)
{
    if (n < 1)
        return;
    double sum = 0.0;
    for (std::int32_t i = 0; i < n; ++i) {
        if (mode == 2 && factors[i] <= 1e-12)
            factors[i] = 1.0;
        sum += factors[i];
    }
    if (mode == 1) {
        const double m = sum / n;
        for (std::int32_t i = 0; i < n; ++i)
            factors[i] -= m;
    } else if (mode == 2) {
        if (std::fabs(sum) < 1e-12)
            return;
        const double scale = n / sum;
        for (std::int32_t i = 0; i < n; ++i)
            factors[i] *= scale;
    }
}

void autocorrelationsToSeries(Series& source, Series& target, std::int32_t last, std::int32_t count,
                              std::int32_t numLagValues)
{
    const double ssd = sumSquaredDeviation(source, last, count);
    resolveSeriesRange(source, last, count);
#ifdef QD_COUNT_WORK
    noteWork(WorkKind::Correlogram, source.values(0) + (last - count + 1), count, numLagValues);
#endif
    // Room for all the lags at once; a lag beyond the range fails before it
    // is appended, so no room is made for more lags than the range has.
    if (numLagValues > 64 && numLagValues >= target.numObservations() && numLagValues <= count)
        target.reserve(numLagValues);
    for (std::int32_t lag = 1; lag <= numLagValues; ++lag)
        target.addObservation(autocorrelation(source, last, count, lag, ssd), QD_COMPUTED, FdCString());
}

void storeFittedValue(Series& series, std::int32_t index, std::int32_t n, std::int32_t methodCode,
                      double value)
{
    if (index >= n) {
        char text[24];
        std::snprintf(text, sizeof text, "%lld", static_cast<long long>(index) - n);
        series.addObservation(value, QD_COMPUTED, FdCString(static_cast<const char*>(text)));
    }
    Observation& observation = series.observation(index);
    observation.storedResults.store(methodCode, value);
    observation.storedResults.store(QD_FORECAST, value);
    // The fitted values have changed, and so has the value of a computed
    // observation that takes a new one: the arrays no longer match.
    bool valueChanged = false;
    if (observation.originType == QD_COMPUTED && !(observation.value == value)) {
        observation.value = value;
        valueChanged = true;
    }
    if (valueChanged)
        series.valueCache.setValuesDirty(true);
    series.valueCache.setForecastsDirty(true);
}

ScaledDeviations::ScaledDeviations(const double* values, std::int32_t first, std::int32_t count)
    : exponent(0), mean(0.0), values_(values), first_(first), count_(count)
{
    double largest = 0.0;
    for (std::int32_t i = first; i < first + count; ++i)
        largest = std::fmax(largest, std::fabs(values[i]));
    int e = 0;
    if (largest > 0.0 && std::isfinite(largest))
        std::frexp(largest, &e);
    exponent = e;
    double sum = 0.0;
    for (std::int32_t i = first; i < first + count; ++i)
        sum += std::ldexp(values[i], -exponent);
    mean = count > 0 ? sum / count : 0.0;
}

double ScaledDeviations::operator()(std::int32_t i) const
{
    return std::ldexp(values_[i], -exponent) - mean;
}

double ScaledDeviations::powerSum(int power) const
{
    double sum = 0.0;
    for (std::int32_t i = first_; i < first_ + count_; ++i) {
        const double d = (*this)(i);
        double term = 1.0;
        for (int k = 0; k < power; ++k)
            term *= d;
        sum += term;
    }
    return sum;
}

double unscaled(double x, std::int32_t exponent)
{
    return std::ldexp(x, exponent);
}

double finiteResult(double value, const char* path, std::int32_t line)
{
    if (!std::isfinite(value))
        qdThrow(path, line, ErrorCode::DividedByZero);
    return value;
}

} // namespace qd
