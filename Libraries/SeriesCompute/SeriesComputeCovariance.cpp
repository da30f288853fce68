#include "SeriesCompute/SeriesComputeCovariance.h"

#include <cmath>
#include <cstdint>

#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesStatistics.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeCovariance";

// QD_LAST and QD_ALL against the shorter of the two series.
void resolvePairRange(const Series& a, const Series& b, std::int32_t& last, std::int32_t& count)
{
    const std::int32_t shorter = a.numObservations() < b.numObservations() ? a.numObservations() : b.numObservations();
    if (last == QD_LAST)
        last = shorter - 1;
    if (count == QD_ALL)
        count = shorter;
}
}  // namespace

double SeriesComputeCovariance(Series& a, Series& b, std::int32_t last, std::int32_t count)
{
    resolvePairRange(a, b, last, count);
    if (last < 0)
        qdThrow(QD_SOURCE_PATH, 41, ErrorCode::NegativeIndex);
    if (count < 1)
        qdThrow(QD_SOURCE_PATH, 44, ErrorCode::IllegalNumHistoricalValues);
    if (last >= a.numObservations())
        qdThrow(QD_SOURCE_PATH, 47, ErrorCode::OutOfBounds);
    const std::int32_t first = last - count + 1;
    if (first < 0)
        qdThrow(QD_SOURCE_PATH, 51, ErrorCode::NotEnoughHistoricalData);
    if (last >= b.numObservations())
        qdThrow(QD_SOURCE_PATH, 54, ErrorCode::OutOfBounds);
    if (count == 1)
        qdThrow(QD_SOURCE_PATH, 57, ErrorCode::DividedByZero);
    const double ma = meanOfValues(a, last, count);
    const double mb = meanOfValues(b, last, count);
    double sum = 0.0;
    for (std::int32_t i = first; i <= last; ++i)
        sum += (a.observation(i).value - ma) * (b.observation(i).value - mb);
    return sum / (count - 1);
}

double correlation(Series& a, Series& b, std::int32_t last, std::int32_t count)
{
    resolvePairRange(a, b, last, count);
    const double c = SeriesComputeCovariance(a, b, last, count);
    // The deviations of exactly this range (the statistics cache is keyed
    // by range, so a value cached for another range is not reused).
    const double sa = standardDeviation(a, last, count);
    const double sb = standardDeviation(b, last, count);
    if (std::fabs(sa) < 1e-9 || std::fabs(sb) < 1e-9)
        return 0.0;
    return c / (sa * sb);
}

}  // namespace qd
