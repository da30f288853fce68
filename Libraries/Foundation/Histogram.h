// Histogram: counts the values of a vector of doubles into nbins equal-width
// bins between a minimum and a maximum, and counts the values below the first
// boundary and above the last.
//
// Bin 0 is the closed interval [b[0], b[1]]; bin k >= 1 is (b[k], b[k+1]].
// A NaN value belongs to no bin: it is counted with the larger values.
#ifndef FOUNDATION_HISTOGRAM_H
#define FOUNDATION_HISTOGRAM_H

#include "Foundation/FdMathVec.h"
#include "Foundation/IntVector.h"

#include <cstdint>
#include <iosfwd>

namespace qd {

class Histogram : public IntVector {
public:
    // nbins zero counts; b[0] = min and b[k+1] = b[k] + (max - min) / nbins
    // (a running sum, so b[nbins] may differ from max in the last bits).
    Histogram(std::uint32_t nbins, double min, double max);
    // Boundaries from the smallest and largest value of data,
    // b[k] = smallest + k * width, then the data are added. Empty data raise
    // FdBoundsErr ZEROVEC.
    Histogram(std::uint32_t nbins, const FdMathVec<double>& data);

    // Adds every value of v (through a sorted copy); nothing when nbins is 0.
    void addValues(const FdMathVec<double>& v);
    // Adds one value; nothing when nbins is 0.
    void addValue(double x);
    // Zero counts; the bins and boundaries stay.
    void clear() noexcept;

    std::uint32_t numBins() const noexcept { return nbins_; }
    std::uint32_t totalCount() const noexcept { return totalCount_; }
    std::uint32_t largerCount() const noexcept { return largerCount_; }
    std::uint32_t smallerCount() const noexcept { return smallerCount_; }

    // Count of bin k and boundary k (checked: INDEX).
    std::int32_t count(std::int32_t k) const { return (*this)[k]; }
    std::int32_t& count(std::int32_t k) { return (*this)[k]; }
    double boundary(std::int32_t k) const { return boundaries_[k]; }
    double& boundary(std::int32_t k) { return boundaries_[k]; }
    const FdMathVec<double>& boundaries() const noexcept { return boundaries_; }

    // Size in bytes of the stored form: 8 (nbins + 1) + 4 nbins + 14.
    std::uint32_t storedSize() const noexcept;

    // Writes the totals and one line per bin.
    void print(std::ostream& out) const;

private:
    std::uint32_t totalCount_;
    std::uint32_t nbins_;
    FdMathVec<double> boundaries_;
    std::uint32_t largerCount_;
    std::uint32_t smallerCount_;
};

std::ostream& operator<<(std::ostream& out, const Histogram& h);

} // namespace qd

#endif
