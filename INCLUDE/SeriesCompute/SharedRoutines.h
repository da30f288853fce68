// Small routines that many compute methods share: the normalisation of
// seasonal or decomposition factors, the list of autocorrelations of a
// range written into a series, and the storing of one fitted or forecast
// value of a method into an observation.
#ifndef QD_SERIESCOMPUTE_SHAREDROUTINES_H
#define QD_SERIESCOMPUTE_SHAREDROUTINES_H

#include <cstdint>

#include "Matrix/Series.h"

namespace qd {

// Normalises n factors in place. Mode 1 (additive): the mean is subtracted,
// so they sum to 0. Mode 2 (multiplicative): factors at or below 1e-12
// become 1.0, then all are scaled to sum n (nothing more when the absolute
// sum is below 1e-12). Other modes, and n < 1, change nothing.
void normalizeSeasonalIndexes(std::int32_t n, std::int32_t mode, double* factors);

// Appends to target one computed observation (empty description) per lag
// 1 .. numLagValues holding the source range's autocorrelation at that lag,
// all computed with one sum of squared deviations of the range.
void autocorrelationsToSeries(Series& source, Series& target, std::int32_t last, std::int32_t count,
                              std::int32_t numLagValues);

// Records one value of a forecasting method for observation `index`: an
// index at or beyond n (the count before the method began appending) first
// appends a computed observation described by the decimal text of
// index - n; the observation stores the value under methodCode and under
// QD_FORECAST, and a computed observation also takes it as its value. The
// series' value arrays are marked stale as far as they changed.
void storeFittedValue(Series& series, std::int32_t index, std::int32_t n, std::int32_t methodCode,
                      double value);

// ---- sums of values near the limits of a double --------------------------
//
// The statistics first compute in the plain form, which keeps their results
// bit for bit; only when that form overflows do they compute again from
// ScaledDeviations, and a result that a double still cannot hold fails
// through finiteResult().

// The deviations from their mean of `count` values starting at values[first],
// computed on the values multiplied by 2^-exponent, the power of two that
// brings the largest magnitude below 1 (exactly, but for values so small
// next to the largest that they do not count). Sums of their powers cannot
// overflow; a sum of products of p deviations stands for that sum times
// 2^(p * exponent).
class ScaledDeviations {
public:
    ScaledDeviations(const double* values, std::int32_t first, std::int32_t count);
    // The scaled deviation of values[i].
    double operator()(std::int32_t i) const;
    // The sum of the power-th powers of the scaled deviations of the range.
    double powerSum(int power) const;

    std::int32_t exponent;
    double mean;  // the mean of the scaled values

private:
    const double* values_;
    std::int32_t first_;
    std::int32_t count_;
};

// x * 2^exponent, +-Inf when a double cannot hold it.
double unscaled(double x, std::int32_t exponent);

// value itself; a value that is not finite fails with 3004 from `path`, so
// that no statistic stores an overflow as a result.
double finiteResult(double value, const char* path, std::int32_t line);

// Older names of the last two routines.
inline void autocorrelationSeries(Series& source, Series& target, std::int32_t last, std::int32_t count,
                                  std::int32_t numLags)
{
    autocorrelationsToSeries(source, target, last, count, numLags);
}
inline void storeMethodForecast(Series& series, std::int32_t index, std::int32_t n, std::int32_t quantityType,
                                double value)
{
    storeFittedValue(series, index, n, quantityType, value);
}

} // namespace qd

#endif
