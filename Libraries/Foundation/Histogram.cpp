#include "Foundation/Histogram.h"

#include "Foundation/FdExceptions.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <vector>

namespace qd {

namespace {

// Ascending order with every NaN after every number, so that the sort sees
// a strict weak ordering whatever the data hold.
bool sortsBefore(double a, double b)
{
    if (std::isnan(a)) {
        return false;
    }
    if (std::isnan(b)) {
        return true;
    }
    return a < b;
}

std::vector<double> sortedCopy(const FdMathVec<double>& v)
{
    std::vector<double> sorted(v.length());
    for (std::uint32_t k = 0; k < v.length(); ++k) {
        sorted[k] = *v.at(k);
    }
    std::sort(sorted.begin(), sorted.end(), sortsBefore);
    return sorted;
}

}  // namespace

Histogram::Histogram(std::uint32_t nbins, double min, double max)
    : IntVector(nbins, 0), totalCount_(0), nbins_(nbins), boundaries_(nbins + 1u), largerCount_(0),
      smallerCount_(0)
{
    const double width = (max - min) / static_cast<double>(nbins);
    double* b = boundaries_.data();
    b[0] = min;
    for (std::uint32_t k = 0; k < nbins; ++k) {
        b[k + 1] = b[k] + width;
    }
}

Histogram::Histogram(std::uint32_t nbins, const FdMathVec<double>& data)
    : IntVector(nbins, 0), totalCount_(0), nbins_(nbins), boundaries_(nbins + 1u), largerCount_(0),
      smallerCount_(0)
{
    const std::vector<double> sorted = sortedCopy(data);
    if (sorted.empty()) {
        emptyVectorError("Histogram");
    }
    // The largest value that is a number (NaNs sort last).
    std::size_t last = sorted.size() - 1;
    while (last > 0 && std::isnan(sorted[last])) {
        --last;
    }
    const double smallest = sorted.front();
    const double largest = sorted[last];
    const double width = (largest - smallest) / static_cast<double>(nbins);
    double* b = boundaries_.data();
    b[0] = smallest;
    for (std::uint32_t k = 1; k < nbins; ++k) {
        b[k] = smallest + static_cast<double>(k) * width;
    }
    b[nbins] = largest;
    addValues(data);
}

void Histogram::addValues(const FdMathVec<double>& v)
{
    if (nbins_ == 0) {
        return;
    }
    const std::vector<double> sorted = sortedCopy(v);
    const std::size_t n = sorted.size();
    const double* b = boundaries_.data();
    std::size_t i = 0;
    while (i < n && sorted[i] < b[0]) {
        ++i;
    }
    smallerCount_ += static_cast<std::uint32_t>(i);
    std::int32_t* counts = data();
    for (std::uint32_t k = 0; k < nbins_; ++k) {
        while (i < n && sorted[i] <= b[k + 1]) {
            ++counts[k];
            ++i;
        }
    }
    // What is left lies above the last boundary (or is NaN).
    largerCount_ += static_cast<std::uint32_t>(n - i);
    totalCount_ += static_cast<std::uint32_t>(n);
}

void Histogram::addValue(double x)
{
    if (nbins_ == 0) {
        return;
    }
    ++totalCount_;
    const double* b = boundaries_.data();
    if (x > b[nbins_]) {
        ++largerCount_;
        return;
    }
    if (x < b[0]) {
        ++smallerCount_;
        return;
    }
    for (std::uint32_t k = 0; k < nbins_; ++k) {
        if (x <= b[k + 1]) {
            ++data()[k];
            return;
        }
    }
    // No bin holds it (a NaN value or boundary): counted as larger, as
    // addValues does.
    ++largerCount_;
}

void Histogram::clear() noexcept
{
    fill(0);
    totalCount_ = 0;
    largerCount_ = 0;
    smallerCount_ = 0;
}

std::uint32_t Histogram::storedSize() const noexcept
{
    return 8u * (nbins_ + 1u) + 4u * nbins_ + 14u;
}

void Histogram::print(std::ostream& out) const
{
    out << "\nHISTOGRAM:\n\n";
    out << "Total number of Counts  =  \t" << totalCount_ << "\n";
    out << "Total number of bins    =  \t" << nbins_ << "\n";
    out << "Number of larger values =  \t" << largerCount_ << "\n";
    out << "Number of smaller values = \t" << smallerCount_ << "\n";
    out << "\n   Bin number        -- Bin boundaries --        Counts\n\n";
    const double* b = boundaries_.data();
    for (std::uint32_t k = 0; k < nbins_; ++k) {
        char line[128];
        std::snprintf(line, sizeof line, "%8d    %12.3g     %12.3g     %8d", static_cast<int>(k), b[k], b[k + 1],
                      static_cast<int>(data()[k]));
        out << line << "\n";
    }
}

std::ostream& operator<<(std::ostream& out, const Histogram& h)
{
    h.print(out);
    return out;
}

} // namespace qd
