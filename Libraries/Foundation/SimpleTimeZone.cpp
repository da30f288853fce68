#include "Foundation/SimpleTimeZone.h"

#include "Foundation/CalendarDate.h"
#include "Foundation/FdExceptions.h"
#include "Foundation/TimeRecord.h"

#include <cstdint>

namespace qd {

namespace {

constexpr std::int32_t ZONE_NAMES = 25;  // -12 ... +12 hours west

struct ZoneNames {
    const char* standard;
    const char* daylight;
};

const ZoneNames ZONE_NAME_TABLE[ZONE_NAMES] = {
    {"GMT+12", "GMT+11"}, {"GMT+11", "GMT+10"}, {"GMT+10", "GMT+9"}, {"GMT+9", "GMT+8"},
    {"GMT+8", "GMT+7"},   {"GMT+7", "GMT+6"},   {"GMT+6", "GMT+5"},  {"GMT+5", "GMT+4"},
    {"GMT+4", "GMT+3"},   {"GMT+3", "GMT+2"},   {"EET", "EET DST"},  {"MET", "MET DST"},
    {"GMT", "WET DST"},   {"GMT-1", "GMT-2"},   {"GMT-2", "GMT-3"},  {"GMT-3", "GMT-4"},
    {"GMT-4", "GMT-5"},   {"EST", "EDT"},       {"CST", "CDT"},      {"MST", "MDT"},
    {"PST", "PDT"},       {"YST", "YDT"},       {"GMT-10", "GMT-11"}, {"GMT-11", "GMT-12"},
    {"GMT-12", "GMT-13"},
};

const ZoneNames& zoneNames(std::int32_t hoursWest)
{
    if (hoursWest < -12 || hoursWest > 12) {
        fdRaiseBounds(FDMATH_INDEX(), hoursWest + 12, static_cast<std::uint32_t>(ZONE_NAMES - 1));
    }
    return ZONE_NAME_TABLE[hoursWest + 12];
}

}  // namespace

FdCString SimpleTimeZone::standardZoneName(std::int32_t hoursWest)
{
    return FdCString(zoneNames(hoursWest).standard);
}

FdCString SimpleTimeZone::daylightZoneName(std::int32_t hoursWest)
{
    return FdCString(zoneNames(hoursWest).daylight);
}

SimpleTimeZone::SimpleTimeZone(std::int32_t offset, const FdCString& name)
    : rules_(nullptr), daylightObserved_(false), timeZoneOffset_(offset), timeZoneName_(name),
      altZoneOffset_(offset), altZoneName_(name)
{
}

SimpleTimeZone::SimpleTimeZone(std::int32_t offset, const FdCString& name, const DaylightRule* rules,
                               std::int32_t altOffset, const FdCString& altName)
    : rules_(rules), daylightObserved_(rules != nullptr), timeZoneOffset_(offset), timeZoneName_(name),
      altZoneOffset_(altOffset), altZoneName_(altName)
{
}

SimpleTimeZone::SimpleTimeZone(std::int32_t hoursWest, const DaylightRule* rules)
    : rules_(rules), daylightObserved_(rules != nullptr), timeZoneOffset_(0), timeZoneName_(), altZoneOffset_(0),
      altZoneName_()
{
    const ZoneNames& names = zoneNames(hoursWest);
    timeZoneOffset_ = hoursWest * 3600;
    timeZoneName_ = names.standard;
    if (rules_ != nullptr) {
        altZoneOffset_ = (hoursWest - 1) * 3600;
        altZoneName_ = names.daylight;
    } else {
        altZoneOffset_ = timeZoneOffset_;
        altZoneName_ = timeZoneName_;
    }
}

SimpleTimeZone::SimpleTimeZone(std::int32_t hoursWest, std::int32_t ruleSetIndex)
    : SimpleTimeZone(hoursWest, DaylightRule::ruleSet(ruleSetIndex))
{
}

SimpleTimeZone::~SimpleTimeZone() = default;

const DaylightRule* SimpleTimeZone::observedRule(const std::tm& record) const noexcept
{
    if (!daylightObserved_ || rules_ == nullptr) {
        return nullptr;
    }
    const DaylightRule* rule = rules_->ruleFor(static_cast<std::int64_t>(record.tm_year) + 1900);
    if (rule == nullptr || !rule->observed) {
        return nullptr;
    }
    return rule;
}

bool SimpleTimeZone::isDaylight(const std::tm& record) const
{
    const DaylightRule* rule = observedRule(record);
    if (rule == nullptr) {
        return false;
    }
    const std::int64_t year = static_cast<std::int64_t>(record.tm_year) + 1900;
    const bool beforeBegin = rule->begin.isTimeBefore(record, year);
    const bool beforeEnd = rule->end.isTimeBefore(record, year);
    return (beforeBegin == beforeEnd) != (rule->begin.month < rule->end.month);
}

void SimpleTimeZone::setToBoundary(std::tm& record, const DaylightBoundary& boundary) const noexcept
{
    const std::int64_t year = static_cast<std::int64_t>(record.tm_year) + 1900;
    const std::int32_t day = boundary.dayOfMonth(year);
    record.tm_mon = boundary.month;
    record.tm_mday = day;
    // The weekday of the boundary's day (the rule's weekday, unless the rule
    // names a day of the month).
    if (boundary.week >= 0) {
        record.tm_wday = boundary.weekday;
    } else {
        const std::int32_t y = year > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(year);
        const CalendarDate date(static_cast<std::uint32_t>(day), static_cast<std::uint32_t>(boundary.month + 1), y);
        record.tm_wday = static_cast<int>(date.weekday() % 7u);
    }
    record.tm_hour = boundary.minute / 60;
    record.tm_min = boundary.minute % 60;
    record.tm_sec = 0;
    record.tm_isdst = -1;
}

void SimpleTimeZone::getBeginDaylight(std::tm& record) const
{
    const DaylightRule* rule = observedRule(record);
    if (rule == nullptr) {
        clearTimeRecord(record);
        return;
    }
    setToBoundary(record, rule->begin);
}

void SimpleTimeZone::getEndDaylight(std::tm& record) const
{
    const DaylightRule* rule = observedRule(record);
    if (rule == nullptr) {
        clearTimeRecord(record);
        return;
    }
    setToBoundary(record, rule->end);
}

} // namespace qd
