// SeriesValueCache: the member of every Series that hands out its values
// (and its forecast-or-values) as plain arrays of doubles, rebuilt only
// when the series has changed, and that keeps the cached statistics of the
// series' current state.
//
// The cache notices growth by itself; every other change (a value changed,
// an observation removed, the series replaced) must mark the arrays stale,
// and marking either array stale empties the cached statistics.
#ifndef QD_MATRIX_SERIESVALUECACHE_H
#define QD_MATRIX_SERIESVALUECACHE_H

#include <cstdint>

#include "Matrix/SeriesQC.h"

namespace qd {

class Series;

class SeriesValueCache {
public:
    // Allocates the cached statistics; an allocation failure propagates.
    explicit SeriesValueCache(Series* owner);
    SeriesValueCache(const SeriesValueCache&) = delete;
    SeriesValueCache& operator=(const SeriesValueCache&) = delete;
    ~SeriesValueCache();

    // The observations' values, with room for `extra` more places (not
    // written; they are the caller's). Valid until the next call that
    // rebuilds this array or until the series is destroyed.
    double* values(std::int32_t extra = 0);
    // Per observation its stored forecast (quantity 29), else its value,
    // with room for `extra` more places.
    double* forecastValues(std::int32_t extra = 0);
    // Writes places first..last of the forecast array back into the series
    // under quantityType and under 29, appending computed observations for
    // the places at and beyond the series' count (described "0", "1", ...).
    // With overwriteComputed, computed observations also take the value.
    void storeForecasts(std::int32_t quantityType, std::int32_t first, std::int32_t last,
                        bool overwriteComputed);

    void setValuesDirty(bool flag);
    void setForecastsDirty(bool flag);
    bool valuesDirty() const { return valuesDirty_; }
    bool forecastsDirty() const { return forecastsDirty_; }

    // Places the values array was last built for, and its capacity.
    std::int32_t valuesCount() const { return values_.count; }
    std::int32_t valuesCapacity() const { return values_.capacity; }
    std::int32_t forecastsCount() const { return forecasts_.count; }
    std::int32_t forecastsCapacity() const { return forecasts_.capacity; }

    Series* owner() const { return owner_; }
    void setOwner(Series* owner) { owner_ = owner; }

    // Results of series statistics for the current state of the series.
    SeriesQC cachedStatistics;

private:
    struct CachedArray {
        std::int32_t count = 0;
        // Observations whose values the array holds: the places beyond
        // them (a caller's extra places) never stand for an observation
        // appended later.
        std::int32_t filled = 0;
        std::int32_t capacity = 0;
        double* data = nullptr;
    };
    // Makes `array` hold at least m places, reallocating when its capacity
    // lies outside [m, 2m).
    static void fit(CachedArray& array, std::int32_t m);
    // n + extra places (a negative extra counts as 0); std::bad_alloc when
    // that does not fit in 32 bits.
    static std::int32_t placesFor(std::int32_t n, std::int32_t extra);

    Series* owner_;
    bool valuesDirty_;
    CachedArray values_;
    bool forecastsDirty_;
    CachedArray forecasts_;
};

} // namespace qd

#endif
