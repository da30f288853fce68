#include "Matrix/Snapshot.h"

#include <utility>

namespace qd {

MatrixSnapshot::MatrixSnapshot(Matrix& matrix)
    : target_(matrix),
      series_(),
      identities_(),
      results_(matrix.storedResults),
      description_(matrix.description_),
      forecastMethodNumber_(matrix.forecastMethodNumber),
      seasonalLength_(matrix.seasonalLength),
      decompositionType_(matrix.decompositionType)
{
    // The places a copy of the array has (as many as the series, at least
    // the default), so that the matrix grows as it would have after
    // restore(). The copies are new series (identity 0); remember the
    // identities the originals carry so that restore() can give them back.
    const std::int32_t n = matrix.numSeries();
    series_.reserve(static_cast<std::uint32_t>(n));
    identities_.resize(static_cast<std::size_t>(n));
    for (std::int32_t j = 0; j < n; ++j) {
        series_.insert(matrix.series(j));
        identities_[static_cast<std::size_t>(j)] = matrix.series(j).currentIdentity();
    }
}

void MatrixSnapshot::restore() noexcept
{
    // Moving swaps the arrays: the matrix holds the copy, the snapshot what
    // the failed call left, freed with the snapshot.
    target_.series_ = std::move(series_);
    const std::size_t n = identities_.size();
    for (std::size_t j = 0; j < n; ++j)
        target_.series_[static_cast<std::uint32_t>(j)].identity_ = identities_[j];
    target_.storedResults.swap(results_);
    target_.description_ = description_;
    target_.forecastMethodNumber = forecastMethodNumber_;
    target_.seasonalLength = seasonalLength_;
    target_.decompositionType = decompositionType_;
    target_.setDirty(true, true);
}

} // namespace qd
