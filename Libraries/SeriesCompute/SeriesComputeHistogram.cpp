#include "SeriesCompute/SeriesComputeHistogram.h"

#include <cmath>
#include <new>

#include "Foundation/FdExceptions.h"
#include "Foundation/Histogram.h"
#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantitySlots.h"
#include "SeriesCompute/SeriesStatistics.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeHistogram";

}  // namespace

std::uint32_t minIndex(const FdMathVec<double>& v)
{
    if (v.length() == 0)
        emptyVectorError("minIndex");
    std::uint32_t best = 0;
    for (std::uint32_t k = 1; k < v.length(); ++k) {
        if (*v.at(k) < *v.at(best))
            best = k;
    }
    return best;
}

std::uint32_t maxIndex(const FdMathVec<double>& v)
{
    if (v.length() == 0)
        emptyVectorError("maxIndex");
    std::uint32_t best = 0;
    for (std::uint32_t k = 1; k < v.length(); ++k) {
        if (*v.at(k) > *v.at(best))
            best = k;
    }
    return best;
}

SeriesComputeHistogram::SeriesComputeHistogram(std::int32_t last, std::int32_t count, std::int32_t numBins,
                                               bool useMinMax, double min, double max, std::int32_t StatType)
    : SeriesCompute(last, count), numBins(numBins), useMinMax(useMinMax), min(min), max(max), StatType(StatType)
{
}

std::int32_t SeriesComputeHistogram::maxBins()
{
    // The largest of the per-bin blocks is the stored slot of a count.
    const std::uint64_t perBin = sizeof(Quantity) > sizeof(double) ? sizeof(Quantity) : sizeof(double);
    return static_cast<std::int32_t>((std::uint64_t(0x7FFFFFFF) - 64u) / perBin - 1u);
}

double SeriesComputeHistogram::compute(Series& series)
{
    // Resolved for this series only: the object runs over every series of
    // a matrix.
    std::int32_t last = this->last;
    std::int32_t count = this->count;
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 1);
    if (numBins <= 0)
        qdThrow(QD_SOURCE_PATH, 71, ErrorCode::IllegalNumBins);
    // Bounds that are not numbers order nothing.
    if (useMinMax && (min > max || !std::isfinite(min) || !std::isfinite(max)))
        qdThrow(QD_SOURCE_PATH, 76, ErrorCode::IllegalHistogramRange);
    if (StatType != -1 && (StatType < 0 || StatType > 36))
        qdThrow(QD_SOURCE_PATH, 85, ErrorCode::IllegalHistogramStatType);
    if (numBins > maxBins())
        throw std::bad_alloc();

    const std::int32_t start = last - count + 1;
    FdMathVec<double> data(static_cast<std::uint32_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        const Observation& o = series.observation(start + i);
        *data.at(static_cast<std::uint32_t>(i)) = StatType == -1 ? o.value : o.storedResults.value(StatType);
    }
    double low = min;
    double high = max;
    if (!useMinMax) {
        low = *data.at(minIndex(data));
        high = *data.at(maxIndex(data));
    }
    Histogram histogram(static_cast<std::uint32_t>(numBins), low, high);
    // Edges low + k (high - low) / numBins, the last one exactly high, so
    // that the largest value always lies in the last bin.
    const double width = (high - low) / numBins;
    for (std::int32_t k = 1; k < numBins; ++k)
        histogram.boundary(k) = low + k * width;
    histogram.boundary(numBins) = high;
    histogram.addValues(data);

    // Everything that can fail (the allocations) comes before the first
    // stored result.
    SeriesQC& results = series.storedResults;
    results.createMultiple(QD_HISTOGRAM, numBins);
    for (std::int32_t k = 0; k < numBins; ++k)
        results.storeMultiple(QD_HISTOGRAM, k, histogram.count(k));
    results.store(QD_HISTOGRAM_NUM_BINS, numBins);
    results.store(QD_HISTOGRAM_BASE_VALUE, histogram.boundary(0));
    results.store(QD_HISTOGRAM_STEP_LENGTH, histogram.boundary(1) - histogram.boundary(0));
    results.store(QD_HISTOGRAM_NUM_SMALLER, histogram.smallerCount());
    results.store(QD_HISTOGRAM_NUM_LARGER, histogram.largerCount());
    return 0.0;
}

}  // namespace qd
