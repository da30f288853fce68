#include "Foundation/TimeRecord.h"

#include <cstdint>
#include <cstring>
#include <limits>

namespace qd {

namespace {
constexpr int CLEARED = std::numeric_limits<std::int32_t>::min();
}

void clearTimeRecord(std::tm& record) noexcept
{
    std::memset(&record, 0, sizeof record);
    record.tm_sec = CLEARED;
    record.tm_min = CLEARED;
    record.tm_hour = CLEARED;
    record.tm_mday = CLEARED;
    record.tm_mon = CLEARED;
    record.tm_year = CLEARED;
    record.tm_wday = CLEARED;
    record.tm_yday = CLEARED;
    record.tm_isdst = CLEARED;
}

bool isClearedTimeRecord(const std::tm& record) noexcept
{
    return record.tm_sec == CLEARED && record.tm_min == CLEARED && record.tm_hour == CLEARED
        && record.tm_mday == CLEARED && record.tm_mon == CLEARED && record.tm_year == CLEARED
        && record.tm_wday == CLEARED && record.tm_yday == CLEARED && record.tm_isdst == CLEARED;
}

} // namespace qd
