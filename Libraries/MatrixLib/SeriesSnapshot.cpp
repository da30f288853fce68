#include "Matrix/Snapshot.h"

namespace qd {

SeriesSnapshot::SeriesSnapshot(Series& series) : target_(series), saved_(series) {}

void SeriesSnapshot::restore() noexcept
{
    target_.takeBack(saved_);
}

} // namespace qd
