// Snapshots: what a call that changes a matrix or a series copies first,
// to put back if the call runs out of memory, so that such a call leaves
// the data exactly as it found it (observations, stored results, settings
// and identities).
//
// Putting a snapshot back never allocates: a matrix gets the copy's series
// array, a series the copy's contents, and every series and observation
// keeps the identity it had, so automation handles handed out before the
// call find their elements again. A snapshot costs as much memory as what
// it copies, for as long as the call runs.
#ifndef QD_MATRIX_SNAPSHOT_H
#define QD_MATRIX_SNAPSHOT_H

#include <cstdint>
#include <new>
#include <vector>

#include "Foundation/FdCString.h"
#include "Foundation/OrderedVector.h"
#include "Matrix/MVRBaseException.h"
#include "Matrix/Matrix.h"
#include "Matrix/MatrixQC.h"
#include "Matrix/Series.h"

namespace qd {

// A copy of everything a matrix holds: its series with their observations
// and results, its own results and settings. Series the failed call added
// are gone after restore(), series it removed are back.
class MatrixSnapshot {
public:
    // Copies the matrix; allocation failure throws before anything changed.
    explicit MatrixSnapshot(Matrix& matrix);
    MatrixSnapshot(const MatrixSnapshot&) = delete;
    MatrixSnapshot& operator=(const MatrixSnapshot&) = delete;
    // Puts the copy back into the matrix it was taken from; once, as the
    // copy goes into the matrix.
    void restore() noexcept;

private:
    Matrix& target_;
    OrderedVector<Series> series_;
    std::vector<std::uint64_t> identities_;
    MatrixQC results_;
    FdCString description_;
    std::int32_t forecastMethodNumber_;
    std::int32_t seasonalLength_;
    std::int32_t decompositionType_;
};

// A copy of one series.
class SeriesSnapshot {
public:
    explicit SeriesSnapshot(Series& series);
    SeriesSnapshot(const SeriesSnapshot&) = delete;
    SeriesSnapshot& operator=(const SeriesSnapshot&) = delete;
    void restore() noexcept;

private:
    Series& target_;
    Series saved_;
};

template <class Target>
struct SnapshotOf;
template <>
struct SnapshotOf<Matrix> {
    typedef MatrixSnapshot type;
};
template <>
struct SnapshotOf<Series> {
    typedef SeriesSnapshot type;
};

// Runs body, which may change the matrix or series. When it runs out of
// memory (std::bad_alloc, or code 3 as the automation server's allocation
// handler raises it), the target is put back as it was; the exception goes
// on either way. Any other failure keeps what the work did up to it: the
// appliers' own rule that the series before a failing one keep their
// results.
template <class Target, class Body>
auto allOrNothing(Target& target, Body&& body) -> decltype(body())
{
    typename SnapshotOf<Target>::type saved(target);
    try {
        return body();
    } catch (const std::bad_alloc&) {
        saved.restore();
        throw;
    } catch (const MVRBaseException& e) {
        if (isOutOfMemory(e))
            saved.restore();
        throw;
    }
}

} // namespace qd

#endif
