// IntVector: a vector of 32-bit ints viewing a shared, reference-counted
// IntBlock (start, length, stride); it holds the pivot rows of the LU
// factorisation and the counts of a histogram.
#ifndef FOUNDATION_INTVECTOR_H
#define FOUNDATION_INTVECTOR_H

#include "Foundation/DataView.h"

#include <cstddef>
#include <cstdint>

namespace qd {

// Iterator over a strided run of ints.
class IntVectorIterator {
public:
    IntVectorIterator(std::int32_t* base, std::int32_t stride, std::uint32_t index) noexcept
        : base_(base), stride_(stride), index_(index) {}
    std::int32_t& operator*() const noexcept
    {
        return base_[static_cast<std::ptrdiff_t>(index_) * static_cast<std::ptrdiff_t>(stride_)];
    }
    IntVectorIterator& operator++() noexcept { ++index_; return *this; }
    bool operator==(const IntVectorIterator& other) const noexcept
    {
        return base_ == other.base_ && index_ == other.index_;
    }
    bool operator!=(const IntVectorIterator& other) const noexcept { return !(*this == other); }

private:
    std::int32_t* base_;
    std::int32_t stride_;
    std::uint32_t index_;
};

class IntVector : public DataView {
public:
    using iterator = IntVectorIterator;

    // Empty: the shared empty block, length 0, stride 1.
    IntVector() noexcept;
    // A new block of n ints, values not set.
    explicit IntVector(std::uint32_t n);
    // A new block of n ints, each set to value.
    IntVector(std::uint32_t n, std::int32_t value);
    IntVector(const IntVector& other) noexcept;
    // Shares the other's block, data, length and stride.
    IntVector& operator=(const IntVector& other) noexcept;
    ~IntVector() = default;

    IntVector& reference(const IntVector& other) noexcept;

    std::uint32_t length() const noexcept { return length_; }
    std::int32_t stride() const noexcept { return stride_; }
    std::int32_t* data() const noexcept { return static_cast<std::int32_t*>(begin_); }

    // Checked element access ("[INDEX] Index (%d) out of range [0->%u]").
    std::int32_t& operator[](std::int32_t i) { boundsCheck(i); return *at(static_cast<std::uint32_t>(i)); }
    std::int32_t operator[](std::int32_t i) const { boundsCheck(i); return *at(static_cast<std::uint32_t>(i)); }
    std::int32_t& operator()(std::int32_t i) { boundsCheck(i); return *at(static_cast<std::uint32_t>(i)); }
    std::int32_t operator()(std::int32_t i) const { boundsCheck(i); return *at(static_cast<std::uint32_t>(i)); }

    // Unchecked address of element k.
    std::int32_t* at(std::uint32_t k) const noexcept
    {
        return data() + static_cast<std::ptrdiff_t>(k) * static_cast<std::ptrdiff_t>(stride_);
    }

    void boundsCheck(std::int32_t i) const;

    // A new contiguous vector with the same values.
    IntVector copy() const;
    // Sets every element to value.
    IntVector& fill(std::int32_t value) noexcept;
    // Changes the length to n: a new block when the length differs, keeping
    // the first min(old, n) values and setting the rest to 0. Afterwards the
    // vector is the only view of its block (a shared one is copied first).
    void resize(std::uint32_t n);

    iterator begin() const noexcept { return iterator(data(), stride_, 0); }
    iterator end() const noexcept { return iterator(data(), stride_, length_); }

private:
    std::uint32_t length_;
    std::int32_t stride_;
};

} // namespace qd

#endif
