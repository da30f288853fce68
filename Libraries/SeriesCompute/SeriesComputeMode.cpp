#include <cmath>
#include <cstring>
#include <vector>

#include "SeriesCompute/SeriesComputeModeMedian.h"
#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

namespace qd {

namespace {

// Counts of values in 64 buckets; keys are compared exactly, so the bucket
// of a key only decides where it is looked for.
class ValueCountTable {
public:
    ValueCountTable() : buckets_(kBuckets) {}

    // The count of key, 0 when it is absent.
    std::int32_t countOf(double key) const
    {
        for (const Node& node : buckets_[bucketOf(key)]) {
            if (node.key == key)
                return node.count;
        }
        return 0;
    }
    // Adds one to the count of key (inserting it with 1 when absent).
    void add(double key)
    {
        std::vector<Node>& bucket = buckets_[bucketOf(key)];
        for (Node& node : bucket) {
            if (node.key == key) {
                ++node.count;
                return;
            }
        }
        bucket.push_back(Node{key, 1});
    }

private:
    struct Node {
        double key;
        std::int32_t count;
    };
    static const std::size_t kBuckets = 64;

    // The key truncated toward zero, its low 32 bits; values that have no
    // 64-bit integer truncation (huge, infinite, not a number) hash their
    // bit pattern instead. Defined for every double.
    static std::size_t bucketOf(double key)
    {
        std::uint32_t hash = 0;
        if (std::fabs(key) < 9.0e18) {
            hash = static_cast<std::uint32_t>(static_cast<std::uint64_t>(static_cast<std::int64_t>(key)));
        } else {
            std::uint64_t bits = 0;
            std::memcpy(&bits, &key, sizeof bits);
            hash = static_cast<std::uint32_t>(bits ^ (bits >> 32));
        }
        return hash % kBuckets;
    }

    std::vector<std::vector<Node>> buckets_;
};

}  // namespace

double mode(Series& series, std::int32_t last, std::int32_t count)
{
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 1);
    double cached = 0.0;
    if (lookupCachedStatistic(series, QD_MODE, last, count, 0, StatisticInputs::VALUES, cached))
        return cached;
    const double* a = series.values(0);
    const std::int32_t s = last - count + 1;
    ValueCountTable table;
    for (std::int32_t i = s; i <= last; ++i)
        table.add(a[i]);
    std::int32_t best = table.countOf(a[s]);
    double result = a[s];
    bool repeated = best > 1;
    for (std::int32_t i = s + 1; i <= last; ++i) {
        const std::int32_t c = table.countOf(a[i]);
        if (c > best) {
            best = c;
            result = a[i];
        }
        if (c > 1)
            repeated = true;
    }
    if (!repeated)
        result = 0.0;
    storeCachedStatistic(series, QD_MODE, last, count, 0, result);
    return result;
}

double SeriesComputeMode::compute(Series& series)
{
    return mode(series, last, count);
}

}  // namespace qd
