// Growth of a matrix by empty series up to a series index, all or nothing.
//
// Asking a matrix for a series beyond its end appends empty series up to
// it, and every empty series carries storage for its first observations.
// An index a client passes can ask for more than the process could ever
// hold; growing towards it would use up the emergency reserve and leave
// the series appended so far behind. growSeriesUpTo computes the cost
// first, with overflow checks, refuses growth that cannot fit with code 3
// before anything is appended, and otherwise makes room for all the series
// in one step before appending any, so that a failure leaves the matrix as
// it was.
#ifndef QD_QDINTERFACE_SERIESGROWTH_H
#define QD_QDINTERFACE_SERIESGROWTH_H

#include <cstdint>

namespace qd {
class Matrix;
}

// Bytes that growing `matrix` to hold series `index` would allocate, or
// UINT64_MAX when that cannot even be counted (index too large for a
// series count). 0 when series `index` exists already.
std::uint64_t seriesGrowthCost(const qd::Matrix& matrix, std::int32_t index);

// Makes series `index` (>= 0) exist: nothing when it does; code 3 from
// sourcePath/line, with the matrix unchanged, when the growth cannot fit
// in the memory the process can still obtain; otherwise appends the empty
// series, or none of them when an allocation fails on the way.
void growSeriesUpTo(qd::Matrix& matrix, std::int32_t index, const char* sourcePath, std::int32_t line);

// Takes back the series appended beyond the first `count`: what a call that
// grew the matrix and then failed does before passing the failure on.
void takeBackSeries(qd::Matrix& matrix, std::int32_t count) noexcept;

#endif
