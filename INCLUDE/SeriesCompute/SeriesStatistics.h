// The statistics of one series: descriptive statistics, error measures of
// the fitted values, autocovariance, autocorrelation, partial
// autocorrelation and differences.
//
// Each statistic is a SeriesCompute functor built for one request with a
// range (last, count; QD_LAST -2 and QD_ALL -1 allowed) and, for a few, one
// more integer; the appliers store what compute() returns under
// quantityId(). Most also exist as a free routine taking (series, last,
// count) so that other computations can call them directly; the routine
// resolves the sentinels itself, checks the range, and reads and fills the
// series' statistics cache through the one frame cachedStatistic()
// (SeriesCompute/StatisticsCache.h), so that its source holds only its
// formula and its cache rule.
//
// Inputs, indexed by observation: A[i] the actual value, F[i] the fitted
// value (the observation's stored QD_FORECAST, else its actual value, so an
// observation without a forecast has error 0), e[i] = A[i] - F[i].
// Divisors: sums of squares by nothing; means and mean errors by count;
// variance, standard deviation, skewness and kurtosis by count - 1. The
// coefficient of variation is a percentage, the mean absolute percentage
// error a fraction.
#ifndef QD_SERIESCOMPUTE_SERIESSTATISTICS_H
#define QD_SERIESCOMPUTE_SERIESSTATISTICS_H

#include <cstdint>

#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"
#include "Matrix/SeriesCompute.h"

namespace qd {

// ---- free routines -------------------------------------------------------

// Mean of the actual values of the range, with the range check.
double checkedMean(Series& series, std::int32_t last, std::int32_t count);
// The same for callers that have checked the range already (an empty range,
// or one that would read outside the series, still fails with the range
// codes).
double meanOfValues(Series& series, std::int32_t last, std::int32_t count);

// Error measures (they read the fitted values).
double sumSquaredError(Series& series, std::int32_t last, std::int32_t count);
double meanSquareError(Series& series, std::int32_t last, std::int32_t count);
double rootMeanSquareError(Series& series, std::int32_t last, std::int32_t count);
double standardDeviationError(Series& series, std::int32_t last, std::int32_t count);
double meanError(Series& series, std::int32_t last, std::int32_t count);
double meanAbsoluteError(Series& series, std::int32_t last, std::int32_t count);
// A fraction; the walk stops at the first computed observation and skips
// actual values within 1e-12 of zero.
double meanAbsolutePercentageError(Series& series, std::int32_t last, std::int32_t count);
// Over the pairs (i, i + 1) of the range; QD_LAST means count - 2 and
// QD_ALL count - 1 here.
double theilStatistic(Series& series, std::int32_t last, std::int32_t count);
// Sum of squared differences of errors `offset` apart over the sum of
// squared errors; offset must not be negative (3006).
double durbinWatson(Series& series, std::int32_t last, std::int32_t count, std::int32_t offset);

// Descriptive statistics of the actual values.
double sumSquaredDeviation(Series& series, std::int32_t last, std::int32_t count);
double variance(Series& series, std::int32_t last, std::int32_t count);
double standardDeviation(Series& series, std::int32_t last, std::int32_t count);
double meanSquaredDeviation(Series& series, std::int32_t last, std::int32_t count);
double skewness(Series& series, std::int32_t last, std::int32_t count);
// Plain kurtosis (3 for normal data).
double kurtosis(Series& series, std::int32_t last, std::int32_t count);
double normalityError(Series& series, std::int32_t last, std::int32_t count, std::int32_t k);
double minimumOfValues(Series& series, std::int32_t last, std::int32_t count);
double maximumOfValues(Series& series, std::int32_t last, std::int32_t count);

// Divided by count whatever the lag.
double autocovariance(Series& series, std::int32_t last, std::int32_t count, std::int32_t lag);
// Lag QD_COMPUTE (-3) means 1. ssd: the range's sum of squared deviations
// when the caller has it, any negative value to have it computed.
double autocorrelation(Series& series, std::int32_t last, std::int32_t count, std::int32_t lag, double ssd);
// Value of observation last minus that of observation last - numValuesBack.
double valueDifference(Series& series, std::int32_t last, std::int32_t numValuesBack);
// The partial autocorrelation at lag k (1 <= k <= count).
double partialAutocorrelation(Series& series, std::int32_t last, std::int32_t count, std::int32_t k);

// ---- functors ------------------------------------------------------------

// The base of the statistics over a range (last, count) with no further
// argument: Type is the quantity type their value is stored under.
template <std::int32_t Type>
class RangeStatistic : public SeriesCompute {
public:
    RangeStatistic(std::int32_t last, std::int32_t count) : SeriesCompute(last, count) {}
    std::int32_t quantityId() const override { return Type; }
};

class SeriesComputeMean : public RangeStatistic<QD_MEAN> {
public:
    using RangeStatistic::RangeStatistic;
    double compute(Series& series) override;
};

class SeriesComputeSumSquaredError : public RangeStatistic<QD_SUM_SQUARED_ERROR> {
public:
    using RangeStatistic::RangeStatistic;
    double compute(Series& series) override;
};

class SeriesComputeMeanSquareError : public RangeStatistic<QD_MEAN_SQUARE_ERROR> {
public:
    using RangeStatistic::RangeStatistic;
    double compute(Series& series) override;
};

class SeriesComputeRootMeanSquareError : public RangeStatistic<QD_ROOT_MEAN_SQUARE_ERROR> {
public:
    using RangeStatistic::RangeStatistic;
    double compute(Series& series) override;
};

class SeriesComputeStandardDeviationError : public RangeStatistic<QD_STANDARD_DEVIATION_ERROR> {
public:
    using RangeStatistic::RangeStatistic;
    double compute(Series& series) override;
};

class SeriesComputeMeanError : public RangeStatistic<QD_MEAN_ERROR> {
public:
    using RangeStatistic::RangeStatistic;
    double compute(Series& series) override;
};

class SeriesComputeMeanAbsoluteError : public RangeStatistic<QD_MEAN_ABSOLUTE_ERROR> {
public:
    using RangeStatistic::RangeStatistic;
    double compute(Series& series) override;
};

class SeriesComputeMeanAbsolutePercentageError : public RangeStatistic<QD_MEAN_ABSOLUTE_PERCENTAGE_ERROR> {
public:
    using RangeStatistic::RangeStatistic;
    double compute(Series& series) override;
};

class SeriesComputeTheil : public RangeStatistic<QD_THEIL> {
public:
    using RangeStatistic::RangeStatistic;
    double compute(Series& series) override;
};

class SeriesComputeSumSquaredDeviation : public RangeStatistic<QD_SUM_SQUARED_DEVIATION> {
public:
    using RangeStatistic::RangeStatistic;
    double compute(Series& series) override;
};

class SeriesComputeVariance : public RangeStatistic<QD_VARIANCE> {
public:
    using RangeStatistic::RangeStatistic;
    double compute(Series& series) override;
};

class SeriesComputeStandardDeviation : public RangeStatistic<QD_STANDARD_DEVIATION> {
public:
    using RangeStatistic::RangeStatistic;
    double compute(Series& series) override;
};

class SeriesComputeMeanSquaredDeviation : public RangeStatistic<QD_MEAN_SQUARED_DEVIATION> {
public:
    using RangeStatistic::RangeStatistic;
    double compute(Series& series) override;
};

class SeriesComputeRootMeanSquare : public RangeStatistic<QD_ROOT_MEAN_SQUARE> {
public:
    using RangeStatistic::RangeStatistic;
    double compute(Series& series) override;
};

class SeriesComputeMeanAbsDeviation : public RangeStatistic<QD_MEAN_ABS_DEVIATION> {
public:
    using RangeStatistic::RangeStatistic;
    double compute(Series& series) override;
};

class SeriesComputeCoefficientOfVariation : public RangeStatistic<QD_COEFFICIENT_OF_VARIATION> {
public:
    using RangeStatistic::RangeStatistic;
    double compute(Series& series) override;
};

class SeriesComputeSkewness : public RangeStatistic<QD_SKEWNESS> {
public:
    using RangeStatistic::RangeStatistic;
    double compute(Series& series) override;
};

class SeriesComputeKurtosis : public RangeStatistic<QD_KURTOSIS> {
public:
    using RangeStatistic::RangeStatistic;
    double compute(Series& series) override;
};

class SeriesComputeMin : public RangeStatistic<QD_MIN> {
public:
    using RangeStatistic::RangeStatistic;
    double compute(Series& series) override;
};

class SeriesComputeMax : public RangeStatistic<QD_MAX> {
public:
    using RangeStatistic::RangeStatistic;
    double compute(Series& series) override;
};

class SeriesComputeRange : public RangeStatistic<QD_RANGE> {
public:
    using RangeStatistic::RangeStatistic;
    double compute(Series& series) override;
};

class SeriesComputeDurbinWatson : public SeriesCompute {
public:
    SeriesComputeDurbinWatson(std::int32_t last, std::int32_t count, std::int32_t offset)
        : SeriesCompute(last, count), offset(offset)
    {
    }
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_DURBIN_WATSON; }

    std::int32_t offset;
};

class SeriesComputeNormalityError : public SeriesCompute {
public:
    SeriesComputeNormalityError(std::int32_t last, std::int32_t count, std::int32_t k)
        : SeriesCompute(last, count), k(k)
    {
    }
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_NORMALITY_ERROR; }

    std::int32_t k;
};

class SeriesComputeAutoCovariance : public SeriesCompute {
public:
    SeriesComputeAutoCovariance(std::int32_t last, std::int32_t count, std::int32_t numLagValues)
        : SeriesCompute(last, count), numLagValues(numLagValues)
    {
    }
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_AUTO_COVARIANCE; }

    std::int32_t numLagValues;
};

class SeriesComputeAutoCorrelation : public SeriesCompute {
public:
    SeriesComputeAutoCorrelation(std::int32_t last, std::int32_t count, std::int32_t numLagValues)
        : SeriesCompute(last, count), numLagValues(numLagValues)
    {
    }
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_AUTO_CORRELATION; }

    std::int32_t numLagValues;
};

class SeriesComputePartialAutoCorrelationCoefficient : public SeriesCompute {
public:
    SeriesComputePartialAutoCorrelationCoefficient(std::int32_t last, std::int32_t count,
                                                   std::int32_t numLagValues)
        : SeriesCompute(last, count), numLagValues(numLagValues)
    {
    }
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_PARTIAL_AUTO_CORRELATION_COEFFICIENT; }

    std::int32_t numLagValues;
};

// Per observation the value minus the value numValuesBack observations
// before it; the iterated applier sets `last` to each observation in turn.
// Its second field is numValuesBack (held in the base's count).
class SeriesComputeDifference : public SeriesCompute {
public:
    SeriesComputeDifference(std::int32_t last, std::int32_t numValuesBack) : SeriesCompute(last, numValuesBack) {}
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_DIFF; }

    std::int32_t numValuesBack() const { return count; }
};

} // namespace qd

#endif
