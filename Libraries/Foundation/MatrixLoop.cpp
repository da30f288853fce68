#include "Foundation/MatrixLoop.h"

#include "Foundation/DoubleMatrix.h"

namespace qd {

MatrixLoop::MatrixLoop(const DoubleMatrix& m, std::int32_t mode)
    : start_(m.data()), lines_(0), lineLength_(0), lineStep_(0), elementStep_(0), line_(0), position_(0)
{
    const bool byRows = mode == 1 || (mode == 2 && m.colStride() < m.rowStride());
    if (byRows) {
        lines_ = m.rows();
        lineLength_ = m.cols();
        lineStep_ = m.rowStride();
        elementStep_ = m.colStride();
    } else {
        lines_ = m.cols();
        lineLength_ = m.rows();
        lineStep_ = m.colStride();
        elementStep_ = m.rowStride();
    }
    if (lineLength_ == 0) {
        lines_ = 0;
    }
    if (lines_ > 1 && static_cast<std::int64_t>(lineLength_) * elementStep_ == static_cast<std::int64_t>(lineStep_)) {
        // The next line starts where this one ends: one long line.
        lineLength_ *= lines_;
        lines_ = 1;
    }
}

void MatrixLoop::advance(std::uint64_t n) noexcept
{
    position_ += n;
    if (position_ >= lineLength_) {
        position_ = 0;
        ++line_;
    }
}

std::int64_t MatrixLoop::distance(std::uint64_t line1, std::uint64_t pos1, std::uint64_t line2,
                                  std::uint64_t pos2) const noexcept
{
    return (static_cast<std::int64_t>(line2) - static_cast<std::int64_t>(line1)) * static_cast<std::int64_t>(lineLength_)
         + (static_cast<std::int64_t>(pos2) - static_cast<std::int64_t>(pos1));
}

} // namespace qd
