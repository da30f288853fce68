// CalendarDate: a date held as its Julian day number (0 means invalid), with
// conversions to and from month, day and year, leap-year and month
// arithmetic and weekday stepping. Months are 1 ... 12; weekdays are
// 1 = Monday ... 7 = Sunday. A year below 100 is taken as 1900 + year.
//
// Day numbers are unsigned 32-bit; arithmetic runs in 64 bits and a result
// outside 1 ... 4294967295 is the invalid date 0.
#ifndef FOUNDATION_CALENDARDATE_H
#define FOUNDATION_CALENDARDATE_H

#include "Foundation/FdCString.h"
#include "Foundation/FdLocale.h"

#include <cstdint>
#include <ctime>

namespace qd {

class CalendarDate {
public:
    // The invalid date.
    CalendarDate() noexcept : julian_(0) {}
    // Day dayCount counted from December 31st of year - 1 (1 = January 1st;
    // a year - 1 below 100 there means 19yy); the invalid date when that
    // December 31st has no day number. Year 0 gives day number
    // 2415386 + dayCount (dayCount 0 is January 1st, 1901).
    CalendarDate(std::uint32_t dayCount, std::int32_t year) noexcept;
    CalendarDate(std::uint32_t day, std::uint32_t month, std::int32_t year) noexcept;
    // The month given by its name through the locale.
    CalendarDate(std::uint32_t day, const FdCString& monthName, std::int32_t year,
                 const FdLocale& locale = FdLocale::defaultLocale());
    // From tm_mday, tm_mon and tm_year.
    explicit CalendarDate(const std::tm& record) noexcept;
    // A date parsed by the locale; invalid when it cannot parse the text.
    CalendarDate(const char* text, const FdLocale& locale);

    // Today's local date.
    static CalendarDate today();
    static CalendarDate fromJulian(std::uint32_t julian) noexcept;

    std::uint32_t julian() const noexcept { return julian_; }
    bool isValid() const noexcept { return julian_ > 0; }
    std::uint32_t dayOfMonth() const noexcept;
    std::uint32_t month() const noexcept;
    std::int32_t year() const noexcept;
    // Day of the year, 1 ... 366.
    std::uint32_t day() const noexcept;
    // The day of the year on which month begins in this date's year; 0 for
    // a month outside 1 ... 12.
    std::uint32_t firstDayOfMonth(std::uint32_t month) const noexcept;
    // 1 = Monday ... 7 = Sunday.
    std::uint32_t weekday() const noexcept;
    bool leap() const noexcept;

    // -1, 0 or +1 as this date is before, equal to or after the other.
    int compareTo(const CalendarDate& other) const noexcept;
    static CalendarDate earlier(const CalendarDate& a, const CalendarDate& b) noexcept;
    static CalendarDate later(const CalendarDate& a, const CalendarDate& b) noexcept;

    // The next given weekday strictly after this date (1 to 7 days later).
    CalendarDate next(std::uint32_t weekday) const noexcept;
    CalendarDate next(const char* weekdayName, const FdLocale& locale = FdLocale::defaultLocale()) const;
    // The given weekday strictly before this date (1 to 7 days earlier).
    CalendarDate previous(std::uint32_t weekday) const noexcept;
    CalendarDate previous(const char* weekdayName, const FdLocale& locale = FdLocale::defaultLocale()) const;

    // The date as a time record (midnight, daylight flag -1); the cleared
    // record for an invalid date.
    void toTimeRecord(std::tm& record) const noexcept;

    // The Julian day number of a date, 0 when there is no such day.
    static std::uint32_t julianDay(std::uint32_t month, std::uint32_t day, std::int32_t year) noexcept;
    static void monthDayYear(std::uint32_t julian, std::uint32_t& month, std::uint32_t& day,
                             std::int32_t& year) noexcept;
    static bool leapYear(std::int64_t year) noexcept;
    // Days in a month of a year; 0 for a month outside 1 ... 12.
    static std::uint32_t daysInMonthYear(std::uint32_t month, std::int64_t year) noexcept;
    static std::uint32_t daysInYear(std::int64_t year) noexcept;
    static bool dayWithinMonth(std::uint32_t month, std::uint32_t day, std::int64_t year) noexcept;
    static bool monthInRange(std::uint32_t month) noexcept { return month >= 1 && month <= 12; }

    // Names through the locale ("" for an index out of range).
    static FdCString weekdayName(std::uint32_t weekday, const FdLocale& locale = FdLocale::defaultLocale());
    static FdCString monthName(std::uint32_t month, const FdLocale& locale = FdLocale::defaultLocale());
    // 1 ... 7 and 1 ... 12 from a name, 0 when the locale knows none.
    static std::uint32_t weekdayIndex(const char* name, const FdLocale& locale = FdLocale::defaultLocale());
    static std::uint32_t monthIndex(const char* name, const FdLocale& locale = FdLocale::defaultLocale());

    friend bool operator==(const CalendarDate& a, const CalendarDate& b) noexcept { return a.julian_ == b.julian_; }
    friend bool operator!=(const CalendarDate& a, const CalendarDate& b) noexcept { return a.julian_ != b.julian_; }
    friend bool operator<(const CalendarDate& a, const CalendarDate& b) noexcept { return a.julian_ < b.julian_; }
    friend bool operator>(const CalendarDate& a, const CalendarDate& b) noexcept { return a.julian_ > b.julian_; }
    friend bool operator<=(const CalendarDate& a, const CalendarDate& b) noexcept { return a.julian_ <= b.julian_; }
    friend bool operator>=(const CalendarDate& a, const CalendarDate& b) noexcept { return a.julian_ >= b.julian_; }

private:
    // A 64-bit day number as a date: 0 when outside the 32-bit range.
    static std::uint32_t checkedJulian(std::int64_t julian) noexcept;

    std::uint32_t julian_;
};

} // namespace qd

#endif
