#include <cmath>
#include <vector>

#include "SeriesCompute/SeriesComputeModeMedian.h"
#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

namespace {

// The place at which value goes into the ascending vector: after every
// element below it and after every element equal to it, so that equal
// values keep their order of insertion. A binary search narrows the place
// first.
std::size_t insertionPlace(const std::vector<double>& sorted, double value)
{
    const std::size_t n = sorted.size();
    if (n == 0)
        return 0;
    std::size_t lo = 0;
    std::size_t hi = n - 1;
    bool found = false;
    while (hi > lo) {
        const std::size_t mid = (lo + hi) / 2;
        if (value == sorted[mid]) {
            lo = mid;
            found = true;
            break;
        }
        if (value < sorted[mid]) {
            if (mid == 0)
                break;
            hi = mid - 1;
        } else {
            lo = mid + 1;
        }
    }
    found = found || sorted[lo] == value;
    std::size_t place = lo;
    if (found) {
        while (place < n && sorted[place] == value)
            ++place;
    } else {
        while (place < n && sorted[place] < value)
            ++place;
    }
    return place;
}

}  // namespace

double median(Series& series, std::int32_t last, std::int32_t count)
{
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 1);
    double cached = 0.0;
    if (lookupCachedStatistic(series, QD_MEDIAN, last, count, 0, StatisticInputs::VALUES, cached))
        return cached;
    const double* a = series.values(0);
    std::vector<double> sorted;
    sorted.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = last - count + 1; i <= last; ++i)
        sorted.insert(sorted.begin() + static_cast<std::ptrdiff_t>(insertionPlace(sorted, a[i])), a[i]);
    const std::size_t n = sorted.size();
    double result = 0.0;
    if (n % 2 == 0) {
        const double lower = sorted[n / 2 - 1];
        const double upper = sorted[n / 2];
        result = (lower + upper) * 0.5;
        // Two finite values whose sum overflows: halve them first.
        if (std::isinf(result) && std::isfinite(lower) && std::isfinite(upper))
            result = lower * 0.5 + upper * 0.5;
    } else {
        result = sorted[(n - 1) / 2];
    }
    storeCachedStatistic(series, QD_MEDIAN, last, count, 0, result);
    return result;
}

double SeriesComputeMedian::compute(Series& series)
{
    return median(series, last, count);
}

}  // namespace qd
