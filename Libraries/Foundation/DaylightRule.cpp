#include "Foundation/DaylightRule.h"

#include "Foundation/CalendarDate.h"
#include "Foundation/FdExceptions.h"

#include <limits>

namespace qd {

namespace {

// The built-in rule records; constant data, linked at compile time.
extern const DaylightRule NORTH_AMERICA[6];
extern const DaylightRule WESTERN_EUROPE[1];

const DaylightRule NORTH_AMERICA[6] = {
    {&NORTH_AMERICA[1], 1987, true, {3, 0, 0, 120}, {9, 4, 0, 120}},
    {&NORTH_AMERICA[2], 1976, true, {3, 4, 0, 120}, {9, 4, 0, 120}},
    {&NORTH_AMERICA[3], 1975, true, {1, 4, 0, 120}, {9, 4, 0, 120}},
    {&NORTH_AMERICA[4], 1974, true, {0, 0, 0, 120}, {9, 4, 0, 120}},
    {&NORTH_AMERICA[5], 1967, true, {3, 0, 0, 120}, {9, 4, 0, 120}},
    {nullptr, 0, true, {3, 4, 0, 120}, {9, 4, 0, 120}},
};

const DaylightRule WESTERN_EUROPE[1] = {
    {nullptr, 0, true, {2, 4, 0, 120}, {8, 4, 0, 120}},
};

const DaylightRule* const RULE_SET_TABLE[DaylightRule::RULE_SETS] = {nullptr, NORTH_AMERICA, WESTERN_EUROPE};

std::int32_t clampYear(std::int64_t y) noexcept
{
    if (y > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (y < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(y);
}

}  // namespace

std::int32_t DaylightBoundary::dayOfMonth(std::int64_t year, std::int32_t firstWeekday) const noexcept
{
    if (week < 0) {
        return weekday;
    }
    if (week >= 4) {
        const std::int64_t days = CalendarDate::daysInMonthYear(static_cast<std::uint32_t>(month + 1), year);
        const std::int64_t lastWeekday = (firstWeekday + days - 1) % 7;
        const std::int64_t back = ((lastWeekday - weekday) % 7 + 7) % 7;
        return static_cast<std::int32_t>(days - back);
    }
    return 7 * week + ((weekday - firstWeekday + 7) % 7 + 7) % 7 + 1;
}

std::int32_t DaylightBoundary::dayOfMonth(std::int64_t year) const noexcept
{
    const CalendarDate first(1u, static_cast<std::uint32_t>(month + 1), clampYear(year));
    return dayOfMonth(year, static_cast<std::int32_t>(first.weekday() % 7u));
}

bool DaylightBoundary::isTimeBefore(const std::tm& record, std::int64_t year) const noexcept
{
    if (record.tm_mon != month) {
        return record.tm_mon < month;
    }
    const std::int32_t day = dayOfMonth(year);
    if (record.tm_mday != day) {
        return record.tm_mday < day;
    }
    return static_cast<std::int64_t>(record.tm_hour) * 60 + record.tm_min < minute;
}

const DaylightRule* DaylightRule::ruleFor(std::int64_t year) const noexcept
{
    for (const DaylightRule* rule = this; rule != nullptr; rule = rule->next) {
        if (rule->firstYear <= year) {
            return rule;
        }
    }
    return nullptr;
}

const DaylightRule* DaylightRule::ruleSet(std::int32_t index)
{
    if (index < 0 || index >= RULE_SETS) {
        fdRaiseBounds(FDMATH_INDEX(), index, static_cast<std::uint32_t>(RULE_SETS - 1));
    }
    return RULE_SET_TABLE[index];
}

} // namespace qd
