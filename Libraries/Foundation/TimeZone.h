// TimeZone: a time zone's offsets from UTC, its names and its daylight-saving
// boundaries. Offsets are seconds west of UTC.
//
// Process-wide zones, each made on first request and kept: the local zone
// (from the C library's time-zone settings), a second zone built the same
// way, the standard local zone (the local offset and name without daylight
// saving) and UTC. The setters replace the kept zone and return the previous
// one, which then belongs to the caller; the UTC zone kept at unload is
// deleted then.
#ifndef FOUNDATION_TIMEZONE_H
#define FOUNDATION_TIMEZONE_H

#include "Foundation/FdCString.h"

#include <cstdint>
#include <ctime>

namespace qd {

class TimeZone {
public:
    virtual ~TimeZone();

    virtual std::int32_t timeZoneOffset() const = 0;
    // The offset while daylight saving is in force.
    virtual std::int32_t altZoneOffset() const = 0;
    virtual bool daylightObserved() const = 0;
    virtual FdCString timeZoneName() const = 0;
    virtual FdCString altZoneName() const = 0;
    // True when daylight saving is in force at the (local standard) time of
    // the record.
    virtual bool isDaylight(const std::tm& record) const = 0;
    // Sets the record to the beginning (end) of daylight saving in the
    // record's year; clears it when there is none.
    virtual void getBeginDaylight(std::tm& record) const = 0;
    virtual void getEndDaylight(std::tm& record) const = 0;

    static const TimeZone& local();
    static const TimeZone& system();
    static const TimeZone& standard();
    static const TimeZone& utc();
    static const TimeZone* setLocal(const TimeZone* zone);
    static const TimeZone* setSystem(const TimeZone* zone);
    static const TimeZone* setStandard(const TimeZone* zone);
    static const TimeZone* setUtc(const TimeZone* zone);
};

} // namespace qd

#endif
