#include "Foundation/CalendarDate.h"
#include "Foundation/TimeRecord.h"
#include "Foundation/TimeZone.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

using namespace qd;

namespace {

std::string text(const FdCString& s)
{
    return std::string(s.data(), s.length());
}

}  // namespace

TEST(CalendarDate, KnownJulianDayNumbers)
{
    struct Case {
        std::uint32_t month, day;
        std::int32_t year;
        std::uint32_t julian;
    };
    const Case cases[] = {
        {1, 1, 2000, 2451545},   {1, 1, 1901, 2415386},   {2, 29, 2000, 2451604}, {12, 31, 99, 2451544},
        {3, 1, 1600, 2305508},   {10, 15, 1582, 2299161}, {2, 29, 1900, 0},       {0, 1, 2000, 0},
        {13, 1, 2000, 0},        {1, 0, 2000, 0},         {4, 31, 2000, 0},       {2, 29, 2100, 0},
        // Far years need 64-bit intermediates: 4995 400-year cycles after 2000-03-01.
        {3, 1, 2000000, 2451605u + 4995u * 146097u},
        // Beyond the 32-bit day numbers.
        {1, 1, 12000000, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CalendarDate::julianDay(c.month, c.day, c.year), c.julian)
            << c.year << "-" << c.month << "-" << c.day;
    }
    const CalendarDate millennium(1, 1, 2000);
    EXPECT_EQ(millennium.weekday(), 6u);  // Saturday
    EXPECT_EQ(CalendarDate(1, 1, 2001).weekday(), 1u);  // Monday
    EXPECT_FALSE(CalendarDate(29, 2, 1900).isValid());
    EXPECT_EQ(CalendarDate(1, 3, 2000000).year(), 2000000);
}

TEST(CalendarDate, EveryDayRoundTripsFrom1901To2100)
{
    std::uint32_t m = 1;
    std::uint32_t d = 1;
    std::int32_t y = 1901;
    for (std::uint32_t julian = 2415386; y <= 2100; ++julian) {
        ASSERT_EQ(CalendarDate::julianDay(m, d, y), julian) << y << "-" << m << "-" << d;
        std::uint32_t m2 = 0;
        std::uint32_t d2 = 0;
        std::int32_t y2 = 0;
        CalendarDate::monthDayYear(julian, m2, d2, y2);
        ASSERT_EQ(m2, m);
        ASSERT_EQ(d2, d);
        ASSERT_EQ(y2, y);
        if (++d > CalendarDate::daysInMonthYear(m, y)) {
            d = 1;
            if (++m > 12) {
                m = 1;
                ++y;
            }
        }
    }
}

TEST(CalendarDate, CalendarArithmetic)
{
    EXPECT_TRUE(CalendarDate::leapYear(2000));
    EXPECT_TRUE(CalendarDate::leapYear(1996));
    EXPECT_FALSE(CalendarDate::leapYear(1900));
    EXPECT_FALSE(CalendarDate::leapYear(2001));
    EXPECT_EQ(CalendarDate::daysInYear(2000), 366u);
    EXPECT_EQ(CalendarDate::daysInMonthYear(2, 2000), 29u);
    EXPECT_EQ(CalendarDate::daysInMonthYear(2, 2001), 28u);
    EXPECT_EQ(CalendarDate::daysInMonthYear(13, 2001), 0u);
    EXPECT_EQ(CalendarDate::daysInMonthYear(0, 2001), 0u);

    const CalendarDate d(31, 12, 2000);
    EXPECT_EQ(d.day(), 366u);
    EXPECT_EQ(d.dayOfMonth(), 31u);
    EXPECT_EQ(d.month(), 12u);
    EXPECT_EQ(d.year(), 2000);
    EXPECT_TRUE(d.leap());
    EXPECT_EQ(d.firstDayOfMonth(3), 61u);
    EXPECT_EQ(CalendarDate(1, 1, 2001).firstDayOfMonth(3), 60u);
    EXPECT_EQ(d.firstDayOfMonth(1), 1u);
    EXPECT_EQ(d.firstDayOfMonth(13), 0u);

    // Day counts within a year; year 0 counts from 1901-01-01.
    EXPECT_EQ(CalendarDate(60, 2000), CalendarDate(29, 2, 2000));
    EXPECT_EQ(CalendarDate(0u, 0).julian(), 2415386u);
    EXPECT_EQ(CalendarDate(10u, 0).julian(), 2415396u);
    // Year 100 counts from December 31st of 99, that is 1999.
    EXPECT_EQ(CalendarDate(1u, 100), CalendarDate(1, 1, 2000));
    // A year whose December 31st has no day number gives no date.
    EXPECT_FALSE(CalendarDate(5u, 2147483647).isValid());
    EXPECT_FALSE(CalendarDate(5u, 12000000).isValid());
}

TEST(CalendarDate, WeekdayStepping)
{
    const CalendarDate monday(3, 1, 2000);
    ASSERT_EQ(monday.weekday(), 1u);
    EXPECT_EQ(monday.next(1).julian(), monday.julian() + 7);
    EXPECT_EQ(monday.previous(1).julian(), monday.julian() - 7);
    EXPECT_EQ(monday.next(2).julian(), monday.julian() + 1);
    EXPECT_EQ(monday.previous(7).julian(), monday.julian() - 1);
    EXPECT_EQ(monday.next("Friday"), CalendarDate(7, 1, 2000));
    EXPECT_EQ(monday.previous("sat"), CalendarDate(1, 1, 2000));
    // Stepping off either end of the day numbers gives the invalid date.
    EXPECT_FALSE(CalendarDate::fromJulian(4294967295u).next(1).isValid());
    EXPECT_FALSE(CalendarDate::fromJulian(1).previous(3).isValid());
}

TEST(CalendarDate, ComparisonAndOrdering)
{
    const CalendarDate a(1, 1, 2000);
    const CalendarDate b(2, 1, 2000);
    EXPECT_EQ(a.compareTo(b), -1);
    EXPECT_EQ(b.compareTo(a), 1);
    EXPECT_EQ(a.compareTo(a), 0);
    EXPECT_EQ(CalendarDate::earlier(b, a), a);
    EXPECT_EQ(CalendarDate::later(a, b), b);
    EXPECT_LT(a, b);
}

TEST(CalendarDate, TimeRecords)
{
    std::tm record;
    CalendarDate(1, 3, 2000).toTimeRecord(record);
    EXPECT_EQ(record.tm_year, 100);
    EXPECT_EQ(record.tm_mon, 2);
    EXPECT_EQ(record.tm_mday, 1);
    EXPECT_EQ(record.tm_wday, 3);  // Wednesday
    EXPECT_EQ(record.tm_yday, 60);
    EXPECT_EQ(record.tm_hour, 0);
    EXPECT_EQ(record.tm_isdst, -1);
    EXPECT_EQ(CalendarDate(record), CalendarDate(1, 3, 2000));

    CalendarDate().toTimeRecord(record);
    EXPECT_TRUE(isClearedTimeRecord(record));
    EXPECT_EQ(record.tm_year, -2147483647 - 1);
    EXPECT_FALSE(CalendarDate(record).isValid());
}

TEST(CalendarDate, NamesAndParsingThroughTheLocale)
{
    EXPECT_EQ(text(CalendarDate::weekdayName(1)), "Monday");
    EXPECT_EQ(text(CalendarDate::weekdayName(7)), "Sunday");
    EXPECT_EQ(text(CalendarDate::weekdayName(8)), "");
    EXPECT_EQ(text(CalendarDate::monthName(12)), "December");
    EXPECT_EQ(text(CalendarDate::monthName(0)), "");
    EXPECT_EQ(CalendarDate::weekdayIndex("sun"), 7u);
    EXPECT_EQ(CalendarDate::weekdayIndex("Someday"), 0u);
    EXPECT_EQ(CalendarDate::monthIndex("Feb"), 2u);
    EXPECT_EQ(CalendarDate(29, FdCString("february"), 2000), CalendarDate(29, 2, 2000));
    EXPECT_FALSE(CalendarDate(1, FdCString("Brumaire"), 2000).isValid());

    const FdLocale& locale = FdLocale::defaultLocale();
    std::tm record;
    CalendarDate(9, 3, 2001).toTimeRecord(record);
    EXPECT_EQ(text(locale.format(record, 'x', TimeZone::local())), "03/09/01");
    EXPECT_EQ(text(locale.format(record, 'Y', TimeZone::local())), "2001");
    // Fields out of range format as nothing (a cleared record included).
    clearTimeRecord(record);
    for (char f : {'A', 'a', 'B', 'b', 'd', 'm', 'x'}) {
        EXPECT_EQ(text(locale.format(record, f, TimeZone::local())), "") << f;
    }
    record.tm_mon = 2147483647;
    EXPECT_EQ(text(locale.format(record, 'm', TimeZone::local())), "");

    EXPECT_EQ(CalendarDate("2000-01-01", locale).julian(), 2451545u);
    EXPECT_EQ(CalendarDate("12/31/1999", locale).julian(), 2451544u);
    EXPECT_EQ(CalendarDate("01/01/01", locale), CalendarDate(1, 1, 1901));
    EXPECT_FALSE(CalendarDate("2000-02-30", locale).isValid());
    EXPECT_FALSE(CalendarDate("not a date", locale).isValid());
    EXPECT_FALSE(CalendarDate(nullptr, locale).isValid());
}

TEST(CalendarDate, TodayIsAPlausibleDate)
{
    const CalendarDate today = CalendarDate::today();
    EXPECT_TRUE(today.isValid());
    EXPECT_GE(today.year(), 2020);
}
