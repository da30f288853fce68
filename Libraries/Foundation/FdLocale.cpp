#include "Foundation/FdLocale.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

namespace qd {

FdLocale::~FdLocale() = default;

namespace {

const char* const MONTH_NAMES[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};
// Sunday first, as tm_wday counts.
const char* const WEEKDAY_NAMES[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

bool sameIgnoringCase(const char* a, const char* b, std::size_t n)
{
    for (std::size_t k = 0; k < n; ++k) {
        if (std::tolower(static_cast<unsigned char>(a[k])) != std::tolower(static_cast<unsigned char>(b[k]))) {
            return false;
        }
    }
    return true;
}

// Index in names of a full name or its first three letters, or -1.
int findName(const char* text, const char* const* names, int count)
{
    if (text == nullptr) {
        return -1;
    }
    const std::size_t length = std::strlen(text);
    for (int k = 0; k < count; ++k) {
        const std::size_t full = std::strlen(names[k]);
        if ((length == full || length == 3) && sameIgnoringCase(text, names[k], length)) {
            return k;
        }
    }
    return -1;
}

// Reads an unsigned decimal number of at most maxDigits digits.
bool readNumber(const char*& p, int maxDigits, int& value, int& digits)
{
    value = 0;
    digits = 0;
    while (digits < maxDigits && std::isdigit(static_cast<unsigned char>(*p))) {
        value = value * 10 + (*p - '0');
        ++p;
        ++digits;
    }
    return digits > 0;
}

class EnglishLocale : public FdLocale {
public:
    bool parseDate(const char* text, std::tm& record) const override
    {
        if (text == nullptr) {
            return false;
        }
        const char* p = text;
        while (*p == ' ') {
            ++p;
        }
        int first = 0;
        int second = 0;
        int third = 0;
        int digits = 0;
        int thirdDigits = 0;
        if (!readNumber(p, 4, first, digits)) {
            return false;
        }
        int day = 0;
        int month = 0;
        int year = 0;
        if (digits == 4 && *p == '-') {
            ++p;
            int d2 = 0;
            if (!readNumber(p, 2, second, d2) || *p != '-') {
                return false;
            }
            ++p;
            if (!readNumber(p, 2, third, d2)) {
                return false;
            }
            year = first;
            month = second;
            day = third;
        } else if (digits <= 2 && *p == '/') {
            ++p;
            int d2 = 0;
            if (!readNumber(p, 2, second, d2) || *p != '/') {
                return false;
            }
            ++p;
            if (!readNumber(p, 4, third, thirdDigits) || (thirdDigits != 2 && thirdDigits != 4)) {
                return false;
            }
            month = first;
            day = second;
            year = third;
        } else {
            return false;
        }
        while (*p == ' ') {
            ++p;
        }
        if (*p != '\0') {
            return false;
        }
        record.tm_mday = day;
        record.tm_mon = month - 1;
        // A two-digit year is taken as 19yy.
        record.tm_year = year < 100 ? year : year - 1900;
        return true;
    }

    FdCString format(const std::tm& record, char format, const TimeZone&) const override
    {
        char buffer[32];
        switch (format) {
        case 'A':
        case 'a':
            if (record.tm_wday < 0 || record.tm_wday > 6) {
                return FdCString();
            }
            return format == 'A' ? FdCString(WEEKDAY_NAMES[record.tm_wday])
                                 : FdCString(WEEKDAY_NAMES[record.tm_wday], 3);
        case 'B':
        case 'b':
            if (record.tm_mon < 0 || record.tm_mon > 11) {
                return FdCString();
            }
            return format == 'B' ? FdCString(MONTH_NAMES[record.tm_mon]) : FdCString(MONTH_NAMES[record.tm_mon], 3);
        case 'd':
            if (record.tm_mday < 1 || record.tm_mday > 31) {
                return FdCString();
            }
            std::snprintf(buffer, sizeof buffer, "%02d", record.tm_mday);
            return FdCString(static_cast<const char*>(buffer));
        case 'm':
            if (record.tm_mon < 0 || record.tm_mon > 11) {
                return FdCString();
            }
            std::snprintf(buffer, sizeof buffer, "%02d", record.tm_mon + 1);
            return FdCString(static_cast<const char*>(buffer));
        case 'y':
            std::snprintf(buffer, sizeof buffer, "%02d", ((record.tm_year % 100) + 100) % 100);
            return FdCString(static_cast<const char*>(buffer));
        case 'Y':
            return FdCString(std::to_string(static_cast<long long>(record.tm_year) + 1900).c_str());
        case 'x':
            if (record.tm_mon < 0 || record.tm_mon > 11 || record.tm_mday < 1 || record.tm_mday > 31) {
                return FdCString();
            }
            std::snprintf(buffer, sizeof buffer, "%02d/%02d/%02d", record.tm_mon + 1, record.tm_mday,
                          ((record.tm_year % 100) + 100) % 100);
            return FdCString(static_cast<const char*>(buffer));
        default:
            return FdCString();
        }
    }

    std::int32_t monthIndex(const char* name) const override
    {
        return findName(name, MONTH_NAMES, 12) + 1;
    }

    std::int32_t weekdayIndex(const char* name) const override
    {
        const int k = findName(name, WEEKDAY_NAMES, 7);
        if (k < 0) {
            return 0;
        }
        return k == 0 ? 7 : k;
    }
};

}  // namespace

const FdLocale& FdLocale::defaultLocale()
{
    static const EnglishLocale locale;
    return locale;
}

} // namespace qd
