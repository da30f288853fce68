#include "Foundation/CalendarDate.h"
#include "Foundation/DaylightRule.h"
#include "Foundation/SimpleTimeZone.h"
#include "Foundation/TimeRecord.h"
#include "Foundation/TimeZone.h"

#include "ExpectRaise.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace qd;

namespace {

std::string text(const FdCString& s)
{
    return std::string(s.data(), s.length());
}

std::tm at(std::int32_t year, int month, int day, int hour, int minute)
{
    std::tm record;
    CalendarDate(static_cast<std::uint32_t>(day), static_cast<std::uint32_t>(month), year).toTimeRecord(record);
    record.tm_hour = hour;
    record.tm_min = minute;
    return record;
}

}  // namespace

TEST(SimpleTimeZone, ZoneNameTableAndOffsets)
{
    struct Case {
        std::int32_t hoursWest;
        const char* standard;
        const char* daylight;
    };
    const Case cases[] = {
        {-12, "GMT+12", "GMT+11"}, {-3, "GMT+3", "GMT+2"}, {-2, "EET", "EET DST"}, {-1, "MET", "MET DST"},
        {0, "GMT", "WET DST"},     {1, "GMT-1", "GMT-2"},  {4, "GMT-4", "GMT-5"},  {5, "EST", "EDT"},
        {8, "PST", "PDT"},         {9, "YST", "YDT"},      {11, "GMT-11", "GMT-12"},
    };
    for (const Case& c : cases) {
        const SimpleTimeZone withRules(c.hoursWest, 1);
        EXPECT_EQ(text(withRules.timeZoneName()), c.standard);
        EXPECT_EQ(text(withRules.altZoneName()), c.daylight);
        EXPECT_EQ(withRules.timeZoneOffset(), c.hoursWest * 3600);
        EXPECT_EQ(withRules.altZoneOffset(), (c.hoursWest - 1) * 3600);
        EXPECT_TRUE(withRules.daylightObserved());

        const SimpleTimeZone without(c.hoursWest, 0);
        EXPECT_EQ(text(without.altZoneName()), c.standard);
        EXPECT_EQ(without.altZoneOffset(), c.hoursWest * 3600);
        EXPECT_FALSE(without.daylightObserved());
    }
    const SimpleTimeZone named(-3600, FdCString("CET"));
    EXPECT_EQ(text(named.altZoneName()), "CET");
    EXPECT_EQ(named.altZoneOffset(), -3600);
}

TEST(SimpleTimeZone, TableIndexesAreChecked)
{
    EXPECT_RAISES(SimpleTimeZone(13, 0), FdBoundsErr, "[INDEX] Index (25) out of range [0->24]");
    EXPECT_RAISES(SimpleTimeZone(-13, nullptr), FdBoundsErr, "[INDEX] Index (-1) out of range [0->24]");
    EXPECT_RAISES(SimpleTimeZone(5, 3), FdBoundsErr, "[INDEX] Index (3) out of range [0->2]");
    EXPECT_RAISES(DaylightRule::ruleSet(-1), FdBoundsErr, "[INDEX] Index (-1) out of range [0->2]");
    EXPECT_EQ(DaylightRule::ruleSet(0), nullptr);
}

TEST(SimpleTimeZone, NorthAmericanSwitchIn1990)
{
    const SimpleTimeZone eastern(5, 1);
    EXPECT_FALSE(eastern.isDaylight(at(1990, 4, 1, 1, 59)));
    EXPECT_TRUE(eastern.isDaylight(at(1990, 4, 1, 2, 0)));
    EXPECT_TRUE(eastern.isDaylight(at(1990, 7, 4, 12, 0)));
    EXPECT_TRUE(eastern.isDaylight(at(1990, 10, 28, 1, 59)));
    EXPECT_FALSE(eastern.isDaylight(at(1990, 10, 28, 2, 0)));
    EXPECT_FALSE(eastern.isDaylight(at(1990, 1, 15, 12, 0)));
    EXPECT_FALSE(eastern.isDaylight(at(1990, 12, 25, 12, 0)));
    EXPECT_FALSE(SimpleTimeZone(5, 0).isDaylight(at(1990, 7, 4, 12, 0)));

    std::tm record = at(1990, 6, 1, 0, 0);
    eastern.getBeginDaylight(record);
    EXPECT_EQ(record.tm_mon, 3);
    EXPECT_EQ(record.tm_mday, 1);
    EXPECT_EQ(record.tm_wday, 0);
    EXPECT_EQ(record.tm_hour, 2);
    EXPECT_EQ(record.tm_min, 0);
    EXPECT_EQ(record.tm_sec, 0);
    EXPECT_EQ(record.tm_isdst, -1);
    eastern.getEndDaylight(record);
    EXPECT_EQ(record.tm_mon, 9);
    EXPECT_EQ(record.tm_mday, 28);
}

TEST(SimpleTimeZone, BuiltInDaylightSavingHistory)
{
    // Begin and end of daylight saving (month 1 ... 12, day) by year.
    struct Case {
        std::int32_t ruleSet;
        std::int32_t year;
        int beginMonth, beginDay, endMonth, endDay;
    };
    const Case cases[] = {
        {1, 1966, 4, 24, 10, 30}, {1, 1970, 4, 5, 10, 25},  {1, 1974, 1, 6, 10, 27}, {1, 1975, 2, 23, 10, 26},
        {1, 1980, 4, 27, 10, 26}, {1, 1990, 4, 1, 10, 28},  {1, 2000, 4, 2, 10, 29}, {2, 2000, 3, 26, 9, 24},
        {2, 1950, 3, 26, 9, 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.ruleSet) + " " + std::to_string(c.year));
        const SimpleTimeZone zone(0, c.ruleSet);
        std::tm begin = at(c.year, 6, 15, 0, 0);
        zone.getBeginDaylight(begin);
        EXPECT_EQ(begin.tm_mon + 1, c.beginMonth);
        EXPECT_EQ(begin.tm_mday, c.beginDay);
        EXPECT_EQ(begin.tm_wday, 0);
        std::tm end = at(c.year, 6, 15, 0, 0);
        zone.getEndDaylight(end);
        EXPECT_EQ(end.tm_mon + 1, c.endMonth);
        EXPECT_EQ(end.tm_mday, c.endDay);
        EXPECT_TRUE(zone.isDaylight(at(c.year, c.beginMonth, c.beginDay, 2, 0)));
        EXPECT_FALSE(zone.isDaylight(at(c.year, c.beginMonth, c.beginDay, 1, 59)));
        EXPECT_FALSE(zone.isDaylight(at(c.year, c.endMonth, c.endDay, 2, 0)));
    }
}

TEST(SimpleTimeZone, RulesSpanningTheNewYearAndMissingRules)
{
    // Daylight saving from the first Sunday of October to the last Sunday of
    // March, as in the southern hemisphere.
    const DaylightRule southern{nullptr, 1990, true, {9, 0, 0, 120}, {2, 4, 0, 120}};
    const SimpleTimeZone zone(-10 * 3600, FdCString("EST"), &southern, -11 * 3600, FdCString("EDT"));
    EXPECT_TRUE(zone.isDaylight(at(2000, 1, 15, 12, 0)));
    EXPECT_FALSE(zone.isDaylight(at(2000, 7, 15, 12, 0)));
    EXPECT_TRUE(zone.isDaylight(at(2000, 12, 15, 12, 0)));
    // Before the rule's first year: no daylight saving, cleared boundaries.
    EXPECT_FALSE(zone.isDaylight(at(1980, 1, 15, 12, 0)));
    std::tm record = at(1980, 1, 15, 12, 0);
    zone.getBeginDaylight(record);
    EXPECT_TRUE(isClearedTimeRecord(record));

    const DaylightRule ignored{nullptr, 0, false, {3, 0, 0, 120}, {9, 4, 0, 120}};
    const SimpleTimeZone unobserved(0, FdCString("X"), &ignored, -3600, FdCString("Y"));
    EXPECT_FALSE(unobserved.isDaylight(at(2000, 7, 1, 0, 0)));
    record = at(2000, 7, 1, 0, 0);
    unobserved.getEndDaylight(record);
    EXPECT_TRUE(isClearedTimeRecord(record));

    // A boundary given as a day of the month.
    const DaylightRule fixedDays{nullptr, 0, true, {2, -1, 15, 60}, {9, -1, 1, 60}};
    const SimpleTimeZone fixed(0, FdCString("A"), &fixedDays, -3600, FdCString("B"));
    record = at(2000, 7, 1, 0, 0);
    fixed.getBeginDaylight(record);
    EXPECT_EQ(record.tm_mday, 15);
    EXPECT_EQ(record.tm_wday, 3);  // 2000-03-15 is a Wednesday
    EXPECT_EQ(record.tm_hour, 1);
}

TEST(TimeZone, ProcessWideZones)
{
    const TimeZone& utc = TimeZone::utc();
    EXPECT_EQ(&utc, &TimeZone::utc());
    EXPECT_EQ(text(utc.timeZoneName()), "GMT");
    EXPECT_EQ(text(utc.altZoneName()), "GMT");
    EXPECT_EQ(utc.timeZoneOffset(), 0);
    EXPECT_FALSE(utc.daylightObserved());

    const TimeZone& local = TimeZone::local();
    EXPECT_EQ(&local, &TimeZone::local());
    EXPECT_EQ(local.altZoneOffset(), local.timeZoneOffset() - 3600);
    const TimeZone& standard = TimeZone::standard();
    EXPECT_FALSE(standard.daylightObserved());
    EXPECT_EQ(standard.timeZoneOffset(), local.timeZoneOffset());
    EXPECT_EQ(TimeZone::system().timeZoneOffset(), local.timeZoneOffset());

    const TimeZone* previous = TimeZone::setUtc(new SimpleTimeZone(0, FdCString("UTC")));
    EXPECT_EQ(previous, &utc);
    EXPECT_EQ(text(TimeZone::utc().timeZoneName()), "UTC");
    delete TimeZone::setUtc(previous);
    EXPECT_EQ(&TimeZone::utc(), &utc);
}
