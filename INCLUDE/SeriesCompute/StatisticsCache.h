// The statistics cache of a series, keyed by range and parameter.
//
// Every series carries a cache of statistics already computed for its
// current state (SeriesValueCache::cachedStatistics): one slot per series
// quantity type, emptied whenever the series' values or fitted values are
// marked stale. The statistics read and fill it only through the routines
// below, which also record for which range (last, count, after the
// sentinels are resolved) and which further parameter (a lag, an offset;
// 0 when the statistic has none) a value was computed. A cached value is
// reused only for the same type, range and parameter; a request for
// another range computes afresh and replaces it. For a single range the
// cache behaves exactly as a cache keyed by type: the value sits under its
// type, and removing the type's value (as the fitting objectives do before
// every evaluation) forgets it.
//
// The key of each value is kept next to it in the same collection, in the
// entry of QD_STATISTICS_CACHE_KEYS (a multi-valued type whose results are
// never cached as statistics), so that it lives, is cleared and is dropped
// exactly with the cached values themselves.
#ifndef QD_SERIESCOMPUTE_STATISTICSCACHE_H
#define QD_SERIESCOMPUTE_STATISTICSCACHE_H

#include <cstdint>

#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"
#include "Matrix/SeriesRange.h"

namespace qd {

// Which of the series' value arrays a statistic reads: a statistic may use
// its cached value only while those arrays are not stale.
enum class StatisticInputs {
    VALUES,                // the actual values only
    VALUES_AND_FORECASTS   // the actual and the fitted values (error measures)
};

// The entry of the cached statistics that holds the keys.
constexpr std::int32_t QD_STATISTICS_CACHE_KEYS = QD_INITIAL_SEASONAL_INDEX;

// True, with value written, when `type` is cached for exactly this range
// and parameter and the arrays the statistic reads are not stale.
bool lookupCachedStatistic(Series& series, std::int32_t type, std::int32_t last, std::int32_t count,
                           std::int32_t parameter, StatisticInputs inputs, double& value);

// Caches value under `type` (2000-2083) for this range and parameter.
void storeCachedStatistic(Series& series, std::int32_t type, std::int32_t last, std::int32_t count,
                          std::int32_t parameter, double value);

// Forgets the cached value of `type`, whatever range it was computed for.
void removeCachedStatistic(Series& series, std::int32_t type);

// ---- the frame of a cached statistic ----------------------------------------

// The cache rule of a statistic: the type its value is cached under, the
// arrays it reads, the smallest count the range check accepts before the
// cache is consulted (noRangeCheck: none, the formula's own reads check), and
// the further parameter that is part of the key (a lag, an offset; 0 if none).
struct CacheRule {
    static constexpr std::int32_t noRangeCheck = -1;

    std::int32_t type;
    StatisticInputs inputs;
    std::int32_t minCount;
    std::int32_t parameter = 0;
};

// The resolved range a formula works on: observations first .. last.
struct StatisticRange {
    std::int32_t last;
    std::int32_t count;
    std::int32_t first() const { return last - count + 1; }
};

// What a formula returns: a value that is cached (any double converts to
// one) or, through notCached(), one that is returned only.
struct StatisticValue {
    StatisticValue(double value) : value(value), cache(true) {}
    static StatisticValue notCached(double value)
    {
        StatisticValue result(value);
        result.cache = false;
        return result;
    }

    double value;
    bool cache;
};

// The frame every cached statistic shares: resolves the sentinels of the
// range (QD_LAST, QD_ALL), checks it when the rule asks for it, answers a
// value cached for the same type, range and parameter, and otherwise runs
// formula(StatisticRange) and caches what it returns.
template <class Formula>
double cachedStatistic(Series& series, std::int32_t last, std::int32_t count, const CacheRule& rule,
                       Formula&& formula)
{
    resolveSeriesRange(series, last, count);
    if (rule.minCount != CacheRule::noRangeCheck)
        checkSeriesRange(series, last, count, rule.minCount);
    double cached = 0.0;
    if (lookupCachedStatistic(series, rule.type, last, count, rule.parameter, rule.inputs, cached))
        return cached;
    const StatisticValue result = formula(StatisticRange{last, count});
    if (result.cache)
        storeCachedStatistic(series, rule.type, last, count, rule.parameter, result.value);
    return result.value;
}

} // namespace qd

#endif
