// FdLocale: what the date classes need of a locale: parsing a date, naming
// weekdays and months, and finding a weekday or month by its name.
// FdLocale::defaultLocale() is the built-in English locale.
#ifndef FOUNDATION_FDLOCALE_H
#define FOUNDATION_FDLOCALE_H

#include "Foundation/FdCString.h"

#include <cstdint>
#include <ctime>

namespace qd {

class TimeZone;

class FdLocale {
public:
    virtual ~FdLocale();

    // Parses a date from text into tm_mday, tm_mon and tm_year of record;
    // false when the text is not a date.
    virtual bool parseDate(const char* text, std::tm& record) const = 0;
    // Formats the record with a one-letter format: 'A' the weekday name and
    // 'B' the month name (from tm_wday, tm_mon), 'a' and 'b' their
    // abbreviations, 'd' the day, 'm' the month, 'y' and 'Y' the year,
    // 'x' the date; "" for anything else or a field out of range.
    virtual FdCString format(const std::tm& record, char format, const TimeZone& zone) const = 0;
    // 1 ... 12 for a month name, 0 when the text names none.
    virtual std::int32_t monthIndex(const char* name) const = 0;
    // 1 (Monday) ... 7 (Sunday) for a weekday name, 0 when the text names none.
    virtual std::int32_t weekdayIndex(const char* name) const = 0;

    // English names (full or three-letter, any case); dates as
    // "yyyy-mm-dd", "mm/dd/yyyy" or "mm/dd/yy".
    static const FdLocale& defaultLocale();
};

} // namespace qd

#endif
