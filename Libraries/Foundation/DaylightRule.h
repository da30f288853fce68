// Daylight-saving rules: a chain of rules from the newest to the oldest, each
// valid from its first year on, with the boundaries at which daylight saving
// begins and ends. Three built-in sets: 0 none, 1 North America,
// 2 Western Europe.
#ifndef FOUNDATION_DAYLIGHTRULE_H
#define FOUNDATION_DAYLIGHTRULE_H

#include <cstdint>
#include <ctime>

namespace qd {

// The moment daylight saving begins or ends in a year.
struct DaylightBoundary {
    std::int32_t month;    // 0 ... 11
    std::int32_t week;     // 0 ... 3: first to fourth such weekday; 4 or more: the last;
                           // negative: weekday holds a day of the month
    std::int32_t weekday;  // 0 = Sunday ... 6
    std::int32_t minute;   // minutes after midnight, local standard time

    // The day of the month of this boundary in the given month's year, the
    // month's first day falling on firstWeekday (0 = Sunday ... 6).
    std::int32_t dayOfMonth(std::int64_t year, std::int32_t firstWeekday) const noexcept;
    // The day of the month of this boundary in the given year.
    std::int32_t dayOfMonth(std::int64_t year) const noexcept;
    // True when the time of the record (in year) lies before this boundary.
    bool isTimeBefore(const std::tm& record, std::int64_t year) const noexcept;
};

struct DaylightRule {
    const DaylightRule* next;  // the next older rule, or null
    std::int16_t firstYear;
    bool observed;
    DaylightBoundary begin;
    DaylightBoundary end;

    // The first rule of the chain starting here whose first year is not
    // above year, or null.
    const DaylightRule* ruleFor(std::int64_t year) const noexcept;

    // Number of built-in rule sets.
    static constexpr std::int32_t RULE_SETS = 3;
    // The chain of a built-in set (null for set 0). An index outside
    // 0 ... 2 raises FdBoundsErr "[INDEX] Index (%d) out of range [0->%u]".
    static const DaylightRule* ruleSet(std::int32_t index);
};

} // namespace qd

#endif
