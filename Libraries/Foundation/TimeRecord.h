// The broken-down time record of the date and time-zone classes (the C
// library's std::tm) and its cleared state, in which every field holds the
// most negative 32-bit integer.
#ifndef FOUNDATION_TIMERECORD_H
#define FOUNDATION_TIMERECORD_H

#include <ctime>

namespace qd {

// Sets every field of the record to -2147483648.
void clearTimeRecord(std::tm& record) noexcept;
// True when every field of the record is -2147483648.
bool isClearedTimeRecord(const std::tm& record) noexcept;

} // namespace qd

#endif
