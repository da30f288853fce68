// FdMathVec<double>: a vector of doubles viewing a shared, reference-counted
// block: a start address, a length and a stride in elements (element k lies
// at begin + k * stride).
//
// Copy construction, copy assignment and reference() share the block; they
// never copy data. Only copy() and assignValues() write values into another
// block. Index and length errors raise FdBoundsErr with the "fdmath"
// messages INDEX and VNMATCH.
//
// The reductions of the library (sum, mean, dot, norms, moments) and the
// element kernels are declared below the class.
#ifndef FOUNDATION_FDMATHVEC_H
#define FOUNDATION_FDMATHVEC_H

#include "Foundation/DataView.h"
#include "Foundation/VectorKernels.h"

#include <cstddef>
#include <cstdint>

namespace qd {

template <class T>
class FdMathVec;

// Iterator over a strided run of doubles.
class FdMathVecIterator {
public:
    FdMathVecIterator(double* base, std::int32_t stride, std::uint32_t index) noexcept
        : base_(base), stride_(stride), index_(index) {}
    double& operator*() const noexcept { return *stridedAt(base_, index_, stride_); }
    FdMathVecIterator& operator++() noexcept { ++index_; return *this; }
    bool operator==(const FdMathVecIterator& other) const noexcept
    {
        return base_ == other.base_ && index_ == other.index_;
    }
    bool operator!=(const FdMathVecIterator& other) const noexcept { return !(*this == other); }
    std::int32_t stride() const noexcept { return stride_; }

private:
    double* base_;
    std::int32_t stride_;
    std::uint32_t index_;
};

template <>
class FdMathVec<double> : public DataView {
public:
    using iterator = FdMathVecIterator;

    // Empty: the shared empty block, length 0, stride 1.
    FdMathVec() noexcept;
    // The first n doubles of a block, stride 1 (SHORTBLOCK when the block
    // holds fewer).
    FdMathVec(FdBlock* block, std::uint32_t n);
    // A new block of n doubles, values not set.
    explicit FdMathVec(std::uint32_t n);
    // A new block of n doubles, each set to value.
    FdMathVec(std::uint32_t n, double value);
    // A view of n elements from begin with the given stride, sharing the
    // block of view. The caller guarantees that every element lies in it.
    FdMathVec(const DataView& view, double* begin, std::uint32_t n, std::int32_t stride) noexcept;

    FdMathVec(const FdMathVec& other) noexcept;
    // Shares the other's block, data, length and stride (as reference()).
    FdMathVec& operator=(const FdMathVec& other) noexcept;
    ~FdMathVec() = default;

    FdMathVec& reference(const FdMathVec& other) noexcept;

    std::uint32_t length() const noexcept { return length_; }
    std::int32_t stride() const noexcept { return stride_; }
    double* data() const noexcept { return static_cast<double*>(begin_); }

    // Checked element access.
    double& operator[](std::int32_t i) { boundsCheck(i); return *at(static_cast<std::uint32_t>(i)); }
    double operator[](std::int32_t i) const { boundsCheck(i); return *at(static_cast<std::uint32_t>(i)); }
    double& operator()(std::int32_t i) { boundsCheck(i); return *at(static_cast<std::uint32_t>(i)); }
    double operator()(std::int32_t i) const { boundsCheck(i); return *at(static_cast<std::uint32_t>(i)); }

    // Unchecked address of element k.
    double* at(std::uint32_t k) const noexcept { return stridedAt(data(), k, stride_); }

    // i < 0 or i >= length: FdBoundsErr "[INDEX] Index (%d) out of range [0->%u]".
    void boundsCheck(std::int32_t i) const;
    // length != n: FdBoundsErr "[VNMATCH] Vector lengths do not match (%u vs %u)".
    void lengthCheck(std::uint32_t n) const;

    // A new contiguous vector with the same values.
    FdMathVec copy() const;
    // Copies the source's values into this view (lengths must match); safe
    // when both share a block.
    FdMathVec& assignValues(const FdMathVec& source);
    // Sets every element to value.
    FdMathVec& fill(double value) noexcept;

    iterator begin() const noexcept { return iterator(data(), stride_, 0); }
    iterator end() const noexcept { return iterator(data(), stride_, length_); }

private:
    std::uint32_t length_;
    std::int32_t stride_;
};

// FdBoundsErr "[ZEROVEC] %s: vector is empty" with the routine's name.
[[noreturn]] void emptyVectorError(const char* routineName);

// Reductions; every sum runs in index order from 0.0.
double sum(const FdMathVec<double>& v);
double mean(const FdMathVec<double>& v);           // an empty vector gives NaN
double dot(const FdMathVec<double>& x, const FdMathVec<double>& y);
double l2Norm(const FdMathVec<double>& v);
double l1Norm(const FdMathVec<double>& v);
double maxNorm(const FdMathVec<double>& v);        // 0.0 for an empty vector
double variance(const FdMathVec<double>& v);       // population variance
double skewness(const FdMathVec<double>& v);
double kurtosis(const FdMathVec<double>& v);       // excess kurtosis
// |x| times the machine epsilon.
double machineEpsilonTimes(double x);

// Element-wise results in new contiguous vectors.
FdMathVec<double> operator-(const FdMathVec<double>& x, double s);
FdMathVec<double> operator/(const FdMathVec<double>& x, double s);
FdMathVec<double> operator*(const FdMathVec<double>& x, const FdMathVec<double>& z);

} // namespace qd

#endif
