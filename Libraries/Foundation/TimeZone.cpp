#include "Foundation/TimeZone.h"

#include "Foundation/DaylightRule.h"
#include "Foundation/SimpleTimeZone.h"

#include <ctime>
#include <mutex>

namespace qd {

TimeZone::~TimeZone() = default;

namespace {

std::mutex& zoneLock()
{
    static std::mutex lock;
    return lock;
}

// A zone from the C library's time-zone settings.
const TimeZone* makeLocalZone()
{
    long offset = 0;
    int daylight = 0;
    const char* standardName = "";
    const char* daylightName = "";
#ifdef _WIN32
    _tzset();
    offset = _timezone;
    daylight = _daylight;
    standardName = _tzname[0];
    daylightName = _tzname[1];
#else
    tzset();
    offset = timezone;
    daylight = ::daylight;
    standardName = tzname[0];
    daylightName = tzname[1];
#endif
    const std::int32_t seconds = static_cast<std::int32_t>(offset);
    const DaylightRule* rules = daylight != 0 ? DaylightRule::ruleSet(1) : nullptr;
    return new SimpleTimeZone(seconds, FdCString(standardName != nullptr ? standardName : ""), rules, seconds - 3600,
                              FdCString(daylightName != nullptr ? daylightName : ""));
}

struct KeptZones {
    const TimeZone* local = nullptr;
    const TimeZone* system = nullptr;
    const TimeZone* standard = nullptr;
    const TimeZone* utc = nullptr;

    ~KeptZones()
    {
        // Only the UTC zone is released at unload.
        delete utc;
        utc = nullptr;
    }
};

KeptZones& kept()
{
    static KeptZones zones;
    return zones;
}

const TimeZone& localLocked()
{
    KeptZones& zones = kept();
    if (zones.local == nullptr) {
        zones.local = makeLocalZone();
    }
    return *zones.local;
}

const TimeZone* replace(const TimeZone*& slot, const TimeZone* zone)
{
    const std::lock_guard<std::mutex> guard(zoneLock());
    const TimeZone* previous = slot;
    slot = zone;
    return previous;
}

}  // namespace

const TimeZone& TimeZone::local()
{
    const std::lock_guard<std::mutex> guard(zoneLock());
    return localLocked();
}

const TimeZone& TimeZone::system()
{
    const std::lock_guard<std::mutex> guard(zoneLock());
    KeptZones& zones = kept();
    if (zones.system == nullptr) {
        zones.system = makeLocalZone();
    }
    return *zones.system;
}

const TimeZone& TimeZone::standard()
{
    const std::lock_guard<std::mutex> guard(zoneLock());
    KeptZones& zones = kept();
    if (zones.standard == nullptr) {
        const TimeZone& local = localLocked();
        zones.standard = new SimpleTimeZone(local.timeZoneOffset(), local.timeZoneName());
    }
    return *zones.standard;
}

const TimeZone& TimeZone::utc()
{
    const std::lock_guard<std::mutex> guard(zoneLock());
    KeptZones& zones = kept();
    if (zones.utc == nullptr) {
        zones.utc = new SimpleTimeZone(0, 0);
    }
    return *zones.utc;
}

const TimeZone* TimeZone::setLocal(const TimeZone* zone)
{
    return replace(kept().local, zone);
}

const TimeZone* TimeZone::setSystem(const TimeZone* zone)
{
    return replace(kept().system, zone);
}

const TimeZone* TimeZone::setStandard(const TimeZone* zone)
{
    return replace(kept().standard, zone);
}

const TimeZone* TimeZone::setUtc(const TimeZone* zone)
{
    return replace(kept().utc, zone);
}

} // namespace qd
