#include "SeriesCompute/StatisticsCache.h"

namespace qd {

namespace {

// Three key slots per single-valued type: last, count, parameter.
const std::int32_t kKeySlots = 3;
const std::int32_t kKeyEntrySize = SeriesQC::NUM_SINGLE * kKeySlots;

std::int32_t keySlot(std::int32_t type)
{
    return (type - SeriesQC::FIRST_SINGLE) * kKeySlots;
}

bool inputsStale(const Series& series, StatisticInputs inputs)
{
    if (series.valueCache.valuesDirty())
        return true;
    return inputs == StatisticInputs::VALUES_AND_FORECASTS && series.valueCache.forecastsDirty();
}

bool keyMatches(const QuantitySlots& keys, std::int32_t slot, std::int32_t last, std::int32_t count,
                std::int32_t parameter)
{
    const double expected[kKeySlots] = {double(last), double(count), double(parameter)};
    for (std::int32_t k = 0; k < kKeySlots; ++k) {
        double stored = 0.0;
        if (keys.lookup(slot + k, stored) != QD_QUANTITY_FOUND || stored != expected[k])
            return false;
    }
    return true;
}

}  // namespace

bool lookupCachedStatistic(Series& series, std::int32_t type, std::int32_t last, std::int32_t count,
                           std::int32_t parameter, StatisticInputs inputs, double& value)
{
    if (inputsStale(series, inputs))
        return false;
    SeriesQC& cache = series.valueCache.cachedStatistics;
    double cached = 0.0;
    if (cache.lookupQuantity(type, 0, &cached) != QD_QUANTITY_FOUND)
        return false;
    const QuantitySlots* keys = cache.multiple(QD_STATISTICS_CACHE_KEYS);
    if (keys == nullptr || !keyMatches(*keys, keySlot(type), last, count, parameter))
        return false;
    value = cached;
    return true;
}

void storeCachedStatistic(Series& series, std::int32_t type, std::int32_t last, std::int32_t count,
                          std::int32_t parameter, double value)
{
    SeriesQC& cache = series.valueCache.cachedStatistics;
    // The type is checked (and the value stored) before any key is written.
    cache.storeQuantity(type, 0, value);
    if (cache.multiple(QD_STATISTICS_CACHE_KEYS) == nullptr)
        cache.createMultiple(QD_STATISTICS_CACHE_KEYS, kKeyEntrySize);
    const std::int32_t slot = keySlot(type);
    cache.storeMultiple(QD_STATISTICS_CACHE_KEYS, slot, double(last));
    cache.storeMultiple(QD_STATISTICS_CACHE_KEYS, slot + 1, double(count));
    cache.storeMultiple(QD_STATISTICS_CACHE_KEYS, slot + 2, double(parameter));
}

void removeCachedStatistic(Series& series, std::int32_t type)
{
    series.valueCache.cachedStatistics.removeQuantity(type);
}

} // namespace qd
