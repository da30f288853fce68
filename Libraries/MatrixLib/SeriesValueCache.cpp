#include "Matrix/SeriesValueCache.h"

#include <cstdint>
#include <new>

#include "Foundation/FdExceptions.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"

namespace qd {

namespace {

// The decimal digits of a number from 0 up, written into text (16 places
// are enough for any 32-bit number); returns how many were written.
std::uint32_t decimalText(std::int32_t number, char (&text)[16])
{
    char digits[16];
    std::int32_t count = 0;
    std::uint32_t rest = static_cast<std::uint32_t>(number);
    do {
        digits[count++] = static_cast<char>('0' + rest % 10u);
        rest /= 10u;
    } while (rest != 0u);
    for (std::int32_t k = 0; k < count; ++k)
        text[k] = digits[count - 1 - k];
    text[count] = '\0';
    return static_cast<std::uint32_t>(count);
}

}  // namespace

SeriesValueCache::SeriesValueCache(Series* owner)
    : cachedStatistics(), owner_(owner), valuesDirty_(true), values_(), forecastsDirty_(true), forecasts_()
{
}

SeriesValueCache::~SeriesValueCache()
{
    delete[] values_.data;
    delete[] forecasts_.data;
}

std::int32_t SeriesValueCache::placesFor(std::int32_t n, std::int32_t extra)
{
    if (extra < 0)
        extra = 0;
    // Places for more observations than a series can hold are never
    // needed: such a request is out of memory before anything is allocated.
    const std::int64_t m = static_cast<std::int64_t>(n) + extra;
    if (m > Series::maxObservations())
        throw std::bad_alloc();
    return static_cast<std::int32_t>(m);
}

void SeriesValueCache::fit(CachedArray& array, std::int32_t m)
{
    if (array.capacity < m || static_cast<std::int64_t>(array.capacity) >= 2 * static_cast<std::int64_t>(m)) {
        // The old array is gone before the new one is asked for: if that
        // allocation fails the cache holds no array at all.
        delete[] array.data;
        array.data = nullptr;
        array.capacity = 0;
        array.count = 0;
        array.filled = 0;
        array.data = new double[static_cast<std::size_t>(m)];
        array.capacity = m;
    }
    array.count = m;
}

double* SeriesValueCache::values(std::int32_t extra)
{
    const std::int32_t n = owner_->numObservations();
    if (n <= values_.filled && extra == 0 && !valuesDirty_)
        return values_.data;
    fit(values_, placesFor(n, extra));
    values_.filled = 0;
    const Observation* observations = owner_->data();
    for (std::int32_t i = 0; i < n; ++i)
        values_.data[i] = observations[i].value;
    values_.filled = n;
    valuesDirty_ = false;
    return values_.data;
}

double* SeriesValueCache::forecastValues(std::int32_t extra)
{
    const std::int32_t n = owner_->numObservations();
    if (n <= forecasts_.filled && extra == 0 && !forecastsDirty_)
        return forecasts_.data;
    fit(forecasts_, placesFor(n, extra));
    forecasts_.filled = 0;
    const double* v = values(0);
    const Observation* observations = owner_->data();
    for (std::int32_t i = 0; i < n; ++i) {
        double stored = 0.0;
        if (observations[i].storedResults.lookup(QD_FORECAST, stored) == QD_QUANTITY_FOUND)
            forecasts_.data[i] = stored;
        else
            forecasts_.data[i] = v[i];
    }
    forecasts_.filled = n;
    forecastsDirty_ = false;
    return forecasts_.data;
}

void SeriesValueCache::storeForecasts(std::int32_t quantityType, std::int32_t first, std::int32_t last,
                                      bool overwriteComputed)
{
    const std::int32_t entryCount = owner_->numObservations();
    if (first > last)
        first = last + 1;  // nothing to store; the flags are still set below
    // Places outside the forecast array, or a first place that would leave
    // a gap after the last observation, are refused before anything changes.
    if (first <= last) {
        if (first < 0)
            fdRaiseIndex(static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(entryCount));
        if (first > entryCount)
            fdRaiseIndex(static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(entryCount));
        if (last >= forecasts_.count)
            fdRaiseIndex(static_cast<std::uint32_t>(last), static_cast<std::uint32_t>(forecasts_.count));
    }

    // A values array that was stale on entry stays stale: only a caller that
    // refreshed it through forecastValues() gets it back as current.
    const bool valuesWereDirty = valuesDirty_;
    // Marked stale before the first change, so that a failure part-way
    // leaves no array that looks current.
    setForecastsDirty(true);
    // Room for every observation to append, taken at once: appending one by
    // one would double the array (and move every observation) on the way,
    // and leave it up to twice the size it needs.
    if (last >= entryCount && static_cast<std::uint32_t>(last) >= owner_->capacity())
        owner_->reserve(last + 1);
    // The values array is marked stale before the first observation that
    // changes it; nothing in the loop fills the cached statistics again, so
    // once is enough.
    bool changed = false;
    for (std::int32_t i = first; i <= last; ++i) {
        const double place = forecasts_.data[i];
        if (i >= entryCount) {
            char text[16];
            if (!changed)
                setValuesDirty(true);
            changed = true;
            const std::uint32_t length = decimalText(i - entryCount, text);
            owner_->addObservation(place, QD_COMPUTED, FdCString(text, length));
        }
        Observation& observation = owner_->observation(i);
        observation.storedResults.store(quantityType, place);
        observation.storedResults.store(QD_FORECAST, place);
        if (overwriteComputed && observation.originType == QD_COMPUTED) {
            if (!changed)
                setValuesDirty(true);
            changed = true;
            observation.value = place;
        }
    }
    setForecastsDirty(true);
    setValuesDirty(changed || valuesWereDirty);
}

void SeriesValueCache::setValuesDirty(bool flag)
{
    valuesDirty_ = flag;
    if (flag)
        cachedStatistics.clear();
}

void SeriesValueCache::setForecastsDirty(bool flag)
{
    forecastsDirty_ = flag;
    if (flag)
        cachedStatistics.clear();
}

} // namespace qd
