#include "Foundation/IntVector.h"

#include "Foundation/FdExceptions.h"

namespace qd {

namespace {

FdBlock* newIntBlock(std::uint32_t n)
{
    if (n == 0) {
        return FdBlock::sharedEmpty();
    }
    return new IntBlock(n);
}

}  // namespace

IntVector::IntVector() noexcept : DataView(), length_(0), stride_(1) {}

IntVector::IntVector(std::uint32_t n) : DataView(newIntBlock(n)), length_(n), stride_(1) {}

IntVector::IntVector(std::uint32_t n, std::int32_t value) : IntVector(n)
{
    fill(value);
}

IntVector::IntVector(const IntVector& other) noexcept
    : DataView(other), length_(other.length_), stride_(other.stride_)
{
}

IntVector& IntVector::operator=(const IntVector& other) noexcept
{
    return reference(other);
}

IntVector& IntVector::reference(const IntVector& other) noexcept
{
    referenceView(other);
    length_ = other.length_;
    stride_ = other.stride_;
    return *this;
}

void IntVector::boundsCheck(std::int32_t i) const
{
    if (i < 0 || static_cast<std::uint32_t>(i) >= length_) {
        fdRaiseBounds(FDMATH_INDEX(), i, length_ - 1u);
    }
}

IntVector IntVector::copy() const
{
    IntVector result(length_);
    for (std::uint32_t k = 0; k < length_; ++k) {
        result.data()[k] = *at(k);
    }
    return result;
}

IntVector& IntVector::fill(std::int32_t value) noexcept
{
    for (std::uint32_t k = 0; k < length_; ++k) {
        *at(k) = value;
    }
    return *this;
}

void IntVector::resize(std::uint32_t n)
{
    if (n != length_) {
        IntVector grown(n);
        const std::uint32_t kept = n < length_ ? n : length_;
        for (std::uint32_t k = 0; k < n; ++k) {
            grown.data()[k] = k < kept ? *at(k) : 0;
        }
        reference(grown);
    } else if (length_ != 0 && !isSimple()) {
        reference(copy());
    }
}

} // namespace qd
