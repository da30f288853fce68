// SimpleTimeZone: a time zone with a fixed offset, a standard and a daylight
// name, and optionally one of the daylight-saving rule chains. It owns its
// names, not its rules.
#ifndef FOUNDATION_SIMPLETIMEZONE_H
#define FOUNDATION_SIMPLETIMEZONE_H

#include "Foundation/DaylightRule.h"
#include "Foundation/FdCString.h"
#include "Foundation/TimeZone.h"

#include <cstdint>

namespace qd {

class SimpleTimeZone : public TimeZone {
public:
    // No daylight saving: both offsets and both names are the given ones.
    SimpleTimeZone(std::int32_t offset, const FdCString& name);
    SimpleTimeZone(std::int32_t offset, const FdCString& name, const DaylightRule* rules, std::int32_t altOffset,
                   const FdCString& altName);
    // A whole-hour zone -12 ... +12 hours west of Greenwich named from the
    // zone-name table; with rules, daylight saving moves it one hour east.
    // Hours outside -12 ... 12 raise FdBoundsErr INDEX.
    SimpleTimeZone(std::int32_t hoursWest, const DaylightRule* rules);
    // The same with a built-in rule set (0 none, 1 North America,
    // 2 Western Europe).
    SimpleTimeZone(std::int32_t hoursWest, std::int32_t ruleSetIndex);
    ~SimpleTimeZone() override;

    std::int32_t timeZoneOffset() const override { return timeZoneOffset_; }
    std::int32_t altZoneOffset() const override { return altZoneOffset_; }
    bool daylightObserved() const override { return daylightObserved_; }
    FdCString timeZoneName() const override { return timeZoneName_; }
    FdCString altZoneName() const override { return altZoneName_; }
    bool isDaylight(const std::tm& record) const override;
    void getBeginDaylight(std::tm& record) const override;
    void getEndDaylight(std::tm& record) const override;

    const DaylightRule* rules() const noexcept { return rules_; }

    // The standard and daylight names of a whole-hour zone.
    static FdCString standardZoneName(std::int32_t hoursWest);
    static FdCString daylightZoneName(std::int32_t hoursWest);

private:
    // The observed rule for the record's year, or null.
    const DaylightRule* observedRule(const std::tm& record) const noexcept;
    void setToBoundary(std::tm& record, const DaylightBoundary& boundary) const noexcept;

    const DaylightRule* rules_;
    bool daylightObserved_;
    std::int32_t timeZoneOffset_;
    FdCString timeZoneName_;
    std::int32_t altZoneOffset_;
    FdCString altZoneName_;
};

} // namespace qd

#endif
