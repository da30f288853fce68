#include "Foundation/FdMathVec.h"

#include "Foundation/FdExceptions.h"

#include <cmath>

namespace qd {

FdMathVec<double>::FdMathVec() noexcept : DataView(), length_(0), stride_(1) {}

FdMathVec<double>::FdMathVec(FdBlock* block, std::uint32_t n) : DataView(block), length_(n), stride_(1)
{
    const std::uint64_t needed = static_cast<std::uint64_t>(n) * sizeof(double);
    if (needed > block->size()) {
        // The view would reach past the block's storage.
        length_ = 0;
        fdRaiseBounds(FDMATH_SHORTBLOCK(), block->size(),
                      static_cast<std::uint32_t>(needed > 0xFFFFFFFFu ? 0xFFFFFFFFu : needed));
    }
}

FdMathVec<double>::FdMathVec(std::uint32_t n)
    : DataView(n == 0 ? FdBlock::sharedEmpty() : new DoubleBlock(n)), length_(n), stride_(1)
{
}

FdMathVec<double>::FdMathVec(std::uint32_t n, double value) : FdMathVec(n)
{
    fill(value);
}

FdMathVec<double>::FdMathVec(const DataView& view, double* begin, std::uint32_t n, std::int32_t stride) noexcept
    : DataView(view, begin), length_(n), stride_(stride)
{
}

FdMathVec<double>::FdMathVec(const FdMathVec& other) noexcept
    : DataView(other), length_(other.length_), stride_(other.stride_)
{
}

FdMathVec<double>& FdMathVec<double>::operator=(const FdMathVec& other) noexcept
{
    return reference(other);
}

FdMathVec<double>& FdMathVec<double>::reference(const FdMathVec& other) noexcept
{
    referenceView(other);
    length_ = other.length_;
    stride_ = other.stride_;
    return *this;
}

void FdMathVec<double>::boundsCheck(std::int32_t i) const
{
    if (i < 0 || static_cast<std::uint32_t>(i) >= length_) {
        fdRaiseBounds(FDMATH_INDEX(), i, length_ - 1u);
    }
}

void FdMathVec<double>::lengthCheck(std::uint32_t n) const
{
    if (length_ != n) {
        fdRaiseBounds(FDMATH_VNMATCH(), length_, n);
    }
}

FdMathVec<double> FdMathVec<double>::copy() const
{
    if (length_ == 0) {
        return FdMathVec();
    }
    FdMathVec result(length_);
    copyStrided(length_, result.data(), 1, data(), stride_);
    return result;
}

FdMathVec<double>& FdMathVec<double>::assignValues(const FdMathVec& source)
{
    lengthCheck(source.length_);
    if (sameBlock(source)) {
        const FdMathVec temporary = source.copy();
        copyStrided(length_, data(), stride_, temporary.data(), temporary.stride_);
    } else {
        copyStrided(length_, data(), stride_, source.data(), source.stride_);
    }
    return *this;
}

FdMathVec<double>& FdMathVec<double>::fill(double value) noexcept
{
    fillStrided(length_, data(), stride_, value);
    return *this;
}

void emptyVectorError(const char* routineName)
{
    fdRaiseBounds(FDMATH_ZEROVEC(), routineName);
}

double sum(const FdMathVec<double>& v)
{
    double total = 0.0;
    for (std::uint32_t k = 0; k < v.length(); ++k) {
        total += *v.at(k);
    }
    return total;
}

double mean(const FdMathVec<double>& v)
{
    // An empty vector is not refused: 0.0 / 0 is NaN.
    return sum(v) / static_cast<double>(v.length());
}

double dot(const FdMathVec<double>& x, const FdMathVec<double>& y)
{
    x.lengthCheck(y.length());
    double acc = 0.0;
    for (std::uint32_t k = 0; k < x.length(); ++k) {
        acc = *x.at(k) * *y.at(k) + acc;
    }
    return acc;
}

double l2Norm(const FdMathVec<double>& v)
{
    return std::sqrt(dot(v, v));
}

double l1Norm(const FdMathVec<double>& v)
{
    double total = 0.0;
    for (std::uint32_t k = 0; k < v.length(); ++k) {
        total += std::fabs(*v.at(k));
    }
    return total;
}

double maxNorm(const FdMathVec<double>& v)
{
    double largest = 0.0;
    for (std::uint32_t k = 0; k < v.length(); ++k) {
        const double a = std::fabs(*v.at(k));
        if (a > largest) {
            largest = a;
        }
    }
    return largest;
}

double variance(const FdMathVec<double>& v)
{
    const std::uint32_t n = v.length();
    if (n < 2) {
        fdRaiseInternal(FDMATH_NPOINTS(), n, "Variance needs minimum of", std::int32_t(2));
    }
    const double m = mean(v);
    double total = 0.0;
    for (std::uint32_t k = 0; k < n; ++k) {
        const double d = *v.at(k) - m;
        total += d * d;
    }
    return total / static_cast<double>(n);
}

namespace {

// Sum of the p-th powers of the standardised values, divided by n.
double standardisedMoment(const FdMathVec<double>& v, int p)
{
    const double s = std::sqrt(variance(v));
    if (s == 0.0) {
        fdRaiseInternal(FDMATH_ZEROSD());
    }
    const double m = mean(v);
    double total = 0.0;
    for (std::uint32_t k = 0; k < v.length(); ++k) {
        const double z = (*v.at(k) - m) / s;
        double power = z * z * z;
        if (p == 4) {
            power *= z;
        }
        total += power;
    }
    return total / static_cast<double>(v.length());
}

}  // namespace

double skewness(const FdMathVec<double>& v)
{
    return standardisedMoment(v, 3);
}

double kurtosis(const FdMathVec<double>& v)
{
    return standardisedMoment(v, 4) - 3.0;
}

double machineEpsilonTimes(double x)
{
    static const double eps = [] {
        double e = 0.0;
        volatile double a = 4.0 / 3.0;
        while (e == 0.0) {
            volatile double b = a - 1.0;
            volatile double c = b + b + b;
            e = std::fabs(c - 1.0);
        }
        return e;
    }();
    return std::fabs(x) * eps;
}

FdMathVec<double> operator-(const FdMathVec<double>& x, double s)
{
    FdMathVec<double> result(x.length());
    subtractScalarStrided(x.length(), result.data(), x.data(), x.stride(), s);
    return result;
}

FdMathVec<double> operator/(const FdMathVec<double>& x, double s)
{
    FdMathVec<double> result(x.length());
    divideScalarStrided(x.length(), result.data(), x.data(), x.stride(), s);
    return result;
}

FdMathVec<double> operator*(const FdMathVec<double>& x, const FdMathVec<double>& z)
{
    x.lengthCheck(z.length());
    FdMathVec<double> result(x.length());
    multiplyStrided(x.length(), result.data(), x.data(), x.stride(), z.data(), z.stride());
    return result;
}

} // namespace qd
