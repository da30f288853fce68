#include "SeriesCompute/SeriesComputeCovariance.h"

#include <cmath>
#include <cstdint>

#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/SharedRoutines.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeCovariance";

// The sum of the products of the scaled deviations of the two ranges.
double scaledCrossSum(const ScaledDeviations& a, const ScaledDeviations& b, std::int32_t first, std::int32_t last)
{
    double sum = 0.0;
    for (std::int32_t i = first; i <= last; ++i)
        sum += a(i) * b(i);
    return sum;
}

// QD_LAST and QD_ALL against the shorter of the two series.
void resolvePairRange(const Series& a, const Series& b, std::int32_t& last, std::int32_t& count)
{
    const std::int32_t shorter = a.numObservations() < b.numObservations() ? a.numObservations() : b.numObservations();
    if (last == QD_LAST)
        last = shorter - 1;
    if (count == QD_ALL)
        count = shorter;
}

// The range checks of a pair, on a resolved range.
void checkPairRange(const Series& a, const Series& b, std::int32_t last, std::int32_t count)
{
    if (last < 0)
        qdThrow(QD_SOURCE_PATH, 41, ErrorCode::NegativeIndex);
    if (count < 1)
        qdThrow(QD_SOURCE_PATH, 44, ErrorCode::IllegalNumHistoricalValues);
    if (last >= a.numObservations())
        qdThrow(QD_SOURCE_PATH, 47, ErrorCode::OutOfBounds);
    if (last - count + 1 < 0)
        qdThrow(QD_SOURCE_PATH, 51, ErrorCode::NotEnoughHistoricalData);
    if (last >= b.numObservations())
        qdThrow(QD_SOURCE_PATH, 54, ErrorCode::OutOfBounds);
    if (count == 1)
        qdThrow(QD_SOURCE_PATH, 57, ErrorCode::DividedByZero);
}

// The covariance of a checked range; +-Inf or NaN when a double cannot
// hold it.
double covarianceValue(Series& a, Series& b, std::int32_t last, std::int32_t count)
{
    const std::int32_t first = last - count + 1;
    const double ma = meanOfValues(a, last, count);
    const double mb = meanOfValues(b, last, count);
    double sum = 0.0;
    for (std::int32_t i = first; i <= last; ++i)
        sum += (a.observation(i).value - ma) * (b.observation(i).value - mb);
    const double result = sum / (count - 1);
    if (std::isfinite(result))
        return result;
    const ScaledDeviations da(a.values(0), first, count);
    const ScaledDeviations db(b.values(0), first, count);
    return unscaled(scaledCrossSum(da, db, first, last) / (count - 1), da.exponent + db.exponent);
}

}  // namespace

double SeriesComputeCovariance(Series& a, Series& b, std::int32_t last, std::int32_t count)
{
    resolvePairRange(a, b, last, count);
    checkPairRange(a, b, last, count);
    return finiteResult(covarianceValue(a, b, last, count), QD_SOURCE_PATH, __LINE__);
}

double correlation(Series& a, Series& b, std::int32_t last, std::int32_t count)
{
    resolvePairRange(a, b, last, count);
    checkPairRange(a, b, last, count);
    // The covariance may be too large for a double while the correlation
    // is not.
    const double c = covarianceValue(a, b, last, count);
    // The deviations of exactly this range (the statistics cache is keyed
    // by range, so a value cached for another range is not reused).
    const double sa = standardDeviation(a, last, count);
    const double sb = standardDeviation(b, last, count);
    if (std::fabs(sa) < 1e-9 || std::fabs(sb) < 1e-9)
        return 0.0;
    const double product = sa * sb;
    if (std::isfinite(c) && std::isfinite(product))
        return c / product;
    // A ratio free of scale: the same on the scaled deviations.
    const std::int32_t first = last - count + 1;
    const ScaledDeviations da(a.values(0), first, count);
    const ScaledDeviations db(b.values(0), first, count);
    return scaledCrossSum(da, db, first, last) / (std::sqrt(da.powerSum(2)) * std::sqrt(db.powerSum(2)));
}

}  // namespace qd
