// MatrixLoop: walks the elements of a matrix line by line (by rows or by
// columns), collapsing the walk into one long line when consecutive lines
// are contiguous.
#ifndef FOUNDATION_MATRIXLOOP_H
#define FOUNDATION_MATRIXLOOP_H

#include <cstddef>
#include <cstdint>

namespace qd {

class DoubleMatrix;

class MatrixLoop {
public:
    // Mode 1 walks by rows; mode 2 by rows when colStride < rowStride and by
    // columns otherwise; any other mode by columns.
    MatrixLoop(const DoubleMatrix& m, std::int32_t mode);

    std::uint64_t lines() const noexcept { return lines_; }
    std::uint64_t lineLength() const noexcept { return lineLength_; }
    std::int32_t lineStep() const noexcept { return lineStep_; }
    std::int32_t elementStep() const noexcept { return elementStep_; }
    std::uint64_t line() const noexcept { return line_; }
    std::uint64_t position() const noexcept { return position_; }

    bool done() const noexcept { return line_ >= lines_; }
    // Address of the current element.
    double* current() const noexcept
    {
        return start_ + static_cast<std::ptrdiff_t>(line_) * lineStep_
                      + static_cast<std::ptrdiff_t>(position_) * elementStep_;
    }
    // Elements left in the current line.
    std::uint64_t remainingInLine() const noexcept { return lineLength_ - position_; }
    // Moves n elements on (at most to the end of the current line; the end
    // of a line moves to the start of the next).
    void advance(std::uint64_t n) noexcept;

    // Elements between position (line1, pos1) and (line2, pos2).
    std::int64_t distance(std::uint64_t line1, std::uint64_t pos1, std::uint64_t line2, std::uint64_t pos2) const noexcept;

private:
    double* start_;
    std::uint64_t lines_;
    std::uint64_t lineLength_;
    std::int32_t lineStep_;
    std::int32_t elementStep_;
    std::uint64_t line_;
    std::uint64_t position_;
};

} // namespace qd

#endif
