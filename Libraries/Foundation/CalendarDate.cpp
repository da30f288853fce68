#include "Foundation/CalendarDate.h"

#include "Foundation/TimeRecord.h"
#include "Foundation/TimeZone.h"

#include <cstring>
#include <limits>

namespace qd {

namespace {

const std::uint32_t DAYS_IN_MONTH[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
const std::uint32_t DAYS_BEFORE_MONTH[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

// Julian day number of December 31st, 1900.
constexpr std::int64_t DAY_BEFORE_1901 = 2415385;
// Julian day number of March 1st of year 0 minus one.
constexpr std::int64_t EPOCH = 1721119;

// Division rounding towards minus infinity (a shift for division by 4).
std::int64_t floorDiv(std::int64_t a, std::int64_t b) noexcept
{
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

// x mod 7 in 0 ... 6.
std::int64_t mod7(std::int64_t x) noexcept
{
    return ((x % 7) + 7) % 7;
}

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

// Julian day number in 64 bits; the year is taken as given.
std::int64_t julianOf(std::int64_t month, std::int64_t day, std::int64_t year) noexcept
{
    std::int64_t m = 0;
    std::int64_t y = 0;
    if (month > 2) {
        m = month - 3;
        y = year;
    } else {
        m = month + 9;
        y = year - 1;
    }
    const std::int64_t c = y / 100;
    const std::int64_t a = y - 100 * c;
    return floorDiv(146097 * c, 4) + floorDiv(1461 * a, 4) + (153 * m + 2) / 5 + day + EPOCH;
}

void monthDayYear64(std::int64_t julian, std::int64_t& month, std::int64_t& day, std::int64_t& year) noexcept
{
    const std::int64_t j = julian - EPOCH;
    std::int64_t y = (4 * j - 1) / 146097;
    const std::int64_t t = (4 * j - 1 - 146097 * y) / 4;
    const std::int64_t u = (((4 * t + 3) % 1461) + 4) / 4 * 5 - 3;
    std::int64_t m = u / 153;
    const std::int64_t d = (u - 153 * m + 5) / 5;
    y = 100 * y + (4 * t + 3) / 1461;
    if (m >= 10) {
        m -= 9;
        ++y;
    } else {
        m += 3;
    }
    month = m;
    day = d;
    year = y;
}

}  // namespace

std::uint32_t CalendarDate::checkedJulian(std::int64_t julian) noexcept
{
    if (julian < 1 || julian > static_cast<std::int64_t>(std::numeric_limits<std::uint32_t>::max())) {
        return 0;
    }
    return static_cast<std::uint32_t>(julian);
}

bool CalendarDate::leapYear(std::int64_t year) noexcept
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

std::uint32_t CalendarDate::daysInMonthYear(std::uint32_t month, std::int64_t year) noexcept
{
    if (!monthInRange(month)) {
        return 0;
    }
    if (month == 2 && leapYear(year)) {
        return 29;
    }
    return DAYS_IN_MONTH[month - 1];
}

std::uint32_t CalendarDate::daysInYear(std::int64_t year) noexcept
{
    return leapYear(year) ? 366u : 365u;
}

bool CalendarDate::dayWithinMonth(std::uint32_t month, std::uint32_t day, std::int64_t year) noexcept
{
    return day >= 1 && monthInRange(month) && day <= daysInMonthYear(month, year);
}

std::uint32_t CalendarDate::julianDay(std::uint32_t month, std::uint32_t day, std::int32_t year) noexcept
{
    std::int64_t y = year;
    if (y < 100) {
        y += 1900;
    }
    if (!dayWithinMonth(month, day, y)) {
        return 0;
    }
    const std::int64_t julian = julianOf(month, day, y);
    std::int64_t m = 0;
    std::int64_t d = 0;
    std::int64_t yearOfJulian = 0;
    monthDayYear64(julian, m, d, yearOfJulian);
    if (yearOfJulian != y) {
        return 0;
    }
    return checkedJulian(julian);
}

void CalendarDate::monthDayYear(std::uint32_t julian, std::uint32_t& month, std::uint32_t& day,
                                std::int32_t& year) noexcept
{
    std::int64_t m = 0;
    std::int64_t d = 0;
    std::int64_t y = 0;
    monthDayYear64(julian, m, d, y);
    month = static_cast<std::uint32_t>(m);
    day = static_cast<std::uint32_t>(d);
    year = clampYear(y);
}

CalendarDate::CalendarDate(std::uint32_t dayCount, std::int32_t year) noexcept : julian_(0)
{
    if (year != 0) {
        const std::uint32_t yearEnd = julianDay(12, 31, clampYear(static_cast<std::int64_t>(year) - 1));
        // A year without a day number of its own gives the invalid date, not
        // day dayCount of the Julian period.
        julian_ = yearEnd == 0 ? 0u : checkedJulian(static_cast<std::int64_t>(yearEnd) + dayCount);
    } else {
        julian_ = checkedJulian(DAY_BEFORE_1901 + 1 + dayCount);
    }
}

CalendarDate::CalendarDate(std::uint32_t day, std::uint32_t month, std::int32_t year) noexcept
    : julian_(julianDay(month, day, year))
{
}

CalendarDate::CalendarDate(std::uint32_t day, const FdCString& monthName, std::int32_t year, const FdLocale& locale)
    : julian_(julianDay(monthIndex(monthName.data(), locale), day, year))
{
}

CalendarDate::CalendarDate(const std::tm& record) noexcept : julian_(0)
{
    const std::int64_t month = static_cast<std::int64_t>(record.tm_mon) + 1;
    const std::int64_t year = static_cast<std::int64_t>(record.tm_year) + 1900;
    if (month >= 1 && month <= 12 && record.tm_mday >= 1 && year <= std::numeric_limits<std::int32_t>::max()) {
        julian_ = julianDay(static_cast<std::uint32_t>(month), static_cast<std::uint32_t>(record.tm_mday),
                            static_cast<std::int32_t>(year));
    }
}

CalendarDate::CalendarDate(const char* text, const FdLocale& locale) : julian_(0)
{
    std::tm record;
    std::memset(&record, 0, sizeof record);
    if (locale.parseDate(text, record)) {
        julian_ = CalendarDate(record).julian_;
    }
}

CalendarDate CalendarDate::today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local;
    std::memset(&local, 0, sizeof local);
#ifdef _WIN32
    if (localtime_s(&local, &now) != 0) {
        return CalendarDate();
    }
#else
    if (localtime_r(&now, &local) == nullptr) {
        return CalendarDate();
    }
#endif
    return CalendarDate(local);
}

CalendarDate CalendarDate::fromJulian(std::uint32_t julian) noexcept
{
    CalendarDate date;
    date.julian_ = julian;
    return date;
}

std::uint32_t CalendarDate::dayOfMonth() const noexcept
{
    std::uint32_t m = 0;
    std::uint32_t d = 0;
    std::int32_t y = 0;
    monthDayYear(julian_, m, d, y);
    return d;
}

std::uint32_t CalendarDate::month() const noexcept
{
    std::uint32_t m = 0;
    std::uint32_t d = 0;
    std::int32_t y = 0;
    monthDayYear(julian_, m, d, y);
    return m;
}

std::int32_t CalendarDate::year() const noexcept
{
    std::uint32_t m = 0;
    std::uint32_t d = 0;
    std::int32_t y = 0;
    monthDayYear(julian_, m, d, y);
    return y;
}

std::uint32_t CalendarDate::day() const noexcept
{
    const std::int64_t yearEnd = julianDay(12, 31, clampYear(static_cast<std::int64_t>(year()) - 1));
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(julian_) - yearEnd);
}

std::uint32_t CalendarDate::firstDayOfMonth(std::uint32_t month) const noexcept
{
    if (!monthInRange(month)) {
        return 0;
    }
    std::uint32_t first = DAYS_BEFORE_MONTH[month - 1] + 1;
    if (month > 2 && leap()) {
        ++first;
    }
    return first;
}

std::uint32_t CalendarDate::weekday() const noexcept
{
    return julian_ % 7u + 1u;
}

bool CalendarDate::leap() const noexcept
{
    return leapYear(year());
}

int CalendarDate::compareTo(const CalendarDate& other) const noexcept
{
    if (julian_ < other.julian_) {
        return -1;
    }
    return julian_ == other.julian_ ? 0 : 1;
}

CalendarDate CalendarDate::earlier(const CalendarDate& a, const CalendarDate& b) noexcept
{
    return b.julian_ < a.julian_ ? b : a;
}

CalendarDate CalendarDate::later(const CalendarDate& a, const CalendarDate& b) noexcept
{
    return b.julian_ > a.julian_ ? b : a;
}

CalendarDate CalendarDate::next(std::uint32_t weekday) const noexcept
{
    const std::int64_t step = mod7(static_cast<std::int64_t>(weekday) + 6 - this->weekday()) + 1;
    return fromJulian(checkedJulian(static_cast<std::int64_t>(julian_) + step));
}

CalendarDate CalendarDate::previous(std::uint32_t weekday) const noexcept
{
    const std::int64_t step = mod7(static_cast<std::int64_t>(this->weekday()) + 6 - weekday) + 1;
    return fromJulian(checkedJulian(static_cast<std::int64_t>(julian_) - step));
}

CalendarDate CalendarDate::next(const char* weekdayName, const FdLocale& locale) const
{
    return next(weekdayIndex(weekdayName, locale));
}

CalendarDate CalendarDate::previous(const char* weekdayName, const FdLocale& locale) const
{
    return previous(weekdayIndex(weekdayName, locale));
}

void CalendarDate::toTimeRecord(std::tm& record) const noexcept
{
    if (!isValid()) {
        clearTimeRecord(record);
        return;
    }
    std::uint32_t m = 0;
    std::uint32_t d = 0;
    std::int32_t y = 0;
    monthDayYear(julian_, m, d, y);
    std::memset(&record, 0, sizeof record);
    record.tm_year = static_cast<int>(static_cast<std::int64_t>(y) - 1900);
    record.tm_mon = static_cast<int>(m) - 1;
    record.tm_mday = static_cast<int>(d);
    record.tm_wday = static_cast<int>(weekday() % 7u);
    int yday = static_cast<int>(DAYS_BEFORE_MONTH[m - 1] + d) - 1;
    if (m > 2 && leapYear(y)) {
        ++yday;
    }
    record.tm_yday = yday;
    record.tm_sec = 0;
    record.tm_min = 0;
    record.tm_hour = 0;
    record.tm_isdst = -1;
}

FdCString CalendarDate::weekdayName(std::uint32_t weekday, const FdLocale& locale)
{
    if (weekday < 1 || weekday > 7) {
        return FdCString();
    }
    std::tm record;
    clearTimeRecord(record);
    record.tm_wday = static_cast<int>(weekday % 7u);
    return locale.format(record, 'A', TimeZone::local());
}

FdCString CalendarDate::monthName(std::uint32_t month, const FdLocale& locale)
{
    if (!monthInRange(month)) {
        return FdCString();
    }
    std::tm record;
    clearTimeRecord(record);
    record.tm_mon = static_cast<int>(month) - 1;
    return locale.format(record, 'B', TimeZone::local());
}

std::uint32_t CalendarDate::weekdayIndex(const char* name, const FdLocale& locale)
{
    const std::int32_t k = locale.weekdayIndex(name);
    return k >= 1 && k <= 7 ? static_cast<std::uint32_t>(k) : 0u;
}

std::uint32_t CalendarDate::monthIndex(const char* name, const FdLocale& locale)
{
    const std::int32_t k = locale.monthIndex(name);
    return k >= 1 && k <= 12 ? static_cast<std::uint32_t>(k) : 0u;
}

} // namespace qd
