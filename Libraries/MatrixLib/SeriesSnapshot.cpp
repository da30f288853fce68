#include "Matrix/Snapshot.h"

namespace qd {

SeriesSnapshot::SeriesSnapshot(Series& series) : target_(series), saved_(series), restored_(false) {}

void SeriesSnapshot::restore() noexcept
{
    if (restored_)
        return;
    target_.takeBack(saved_);
    restored_ = true;
}

} // namespace qd
