// Fit criteria of one series: the Akaike and Bayesian information criteria,
// the tracking signal, the Box-Cox statistic, R square and adjusted R square.
//
// Each is a SeriesCompute functor over a range (last, count; QD_LAST -2 and
// QD_ALL -1 allowed) whose work is done by a routine of its own that other
// computations call directly. Errors are actual values minus fitted values
// (the observation's QD_FORECAST, else the actual value, so an observation
// without a forecast has error 0).
//
// Number of parameters k: QD_COMPUTE (-3) asks the series for the count of
// its latest forecast method, and takes 1 when the series cannot tell.
#ifndef QD_SERIESCOMPUTE_FITCRITERIA_H
#define QD_SERIESCOMPUTE_FITCRITERIA_H

#include <cstdint>

#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"
#include "Matrix/SeriesCompute.h"

namespace qd {

// n (ln 6.283185307 + 1 + ln(SSE / n)) + 2k, n = count; 0.0 when |SSE| <
// 1e-9. A negative sse makes the routine compute the sum of squared errors
// of the range. k <= 0: 3053.
double computeAIC(Series& series, std::int32_t last, std::int32_t count, std::int32_t numParameters,
                  double sse);
// As computeAIC with k ln n in place of 2k.
double computeBIC(Series& series, std::int32_t last, std::int32_t count, std::int32_t numParameters,
                  double sse);
// Type 1: exponentially smoothed error over smoothed absolute error (weight
// w); type 2: sum of errors over sum of absolute errors; other types 0.0.
double computeTrackingSignal(Series& series, std::int32_t last, std::int32_t count, std::int32_t TSType,
                             double TSSmoothingWeight);
// Sum of squared errors of a straight line fitted to the Box-Cox transform
// (scaled by the geometric mean) of the range; lamda in [-1, 1] (3074),
// every value positive (3075). The series is not changed.
double computeBoxCox(Series& series, std::int32_t last, std::int32_t count, double lamda);
// 1 - SSE / SSD, 0 when SSD < 1e-6 or the result is negative; cached.
double computeRSquare(Series& series, std::int32_t last, std::int32_t count);
// 1 - (1 - R^2)(n - 1)/(n - k), 0 when negative; k outside 1 .. count - 1:
// 0.0 for a derived k, 3053 for a given one.
double computeAdjustedRSquare(Series& series, std::int32_t last, std::int32_t count, std::int32_t numParameters);

// The criterion both share: n (ln 6.283185307 + 1 + ln(SSE / n)) plus 2k,
// or k ln n when bayesian; 3053 for k <= 0 is reported from sourcePath.
double informationCriterion(Series& series, std::int32_t last, std::int32_t count, std::int32_t numParameters,
                            double sse, bool bayesian, const char* sourcePath);

// The latest forecast method's number of parameters for QD_COMPUTE (1 when
// the series cannot tell), any other value as given.
std::int32_t fitCriterionParameterCount(const Series& series, std::int32_t numParameters);

class SeriesComputeAIC : public SeriesCompute {
public:
    SeriesComputeAIC(std::int32_t last, std::int32_t count, std::int32_t numParameters)
        : SeriesCompute(last, count), numParameters(numParameters)
    {
    }
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_AIC; }

    std::int32_t numParameters;
};

class SeriesComputeBIC : public SeriesCompute {
public:
    SeriesComputeBIC(std::int32_t last, std::int32_t count, std::int32_t numParameters)
        : SeriesCompute(last, count), numParameters(numParameters)
    {
    }
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_BIC; }

    std::int32_t numParameters;
};

class SeriesComputeTrackingSignal : public SeriesCompute {
public:
    SeriesComputeTrackingSignal(std::int32_t last, std::int32_t count, std::int32_t TSType, double TSSmoothingWeight)
        : SeriesCompute(last, count), TSType(TSType), TSSmoothingWeight(TSSmoothingWeight)
    {
    }
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_TRACKING_SIGNAL; }

    std::int32_t TSType;
    double TSSmoothingWeight;
};

class SeriesComputeBoxCox : public SeriesCompute {
public:
    SeriesComputeBoxCox(std::int32_t last, std::int32_t count, double lamda) : SeriesCompute(last, count), lamda(lamda)
    {
    }
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_BOX_COX; }

    double lamda;
};

class SeriesComputeRSquare : public SeriesCompute {
public:
    SeriesComputeRSquare(std::int32_t last, std::int32_t count) : SeriesCompute(last, count) {}
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_R_SQUARE; }
};

class SeriesComputeAdjustedRSquare : public SeriesCompute {
public:
    SeriesComputeAdjustedRSquare(std::int32_t last, std::int32_t count, std::int32_t numParameters)
        : SeriesCompute(last, count), numParameters(numParameters)
    {
    }
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_ADJUSTED_R_SQUARE; }

    std::int32_t numParameters;
};

}  // namespace qd

#endif
