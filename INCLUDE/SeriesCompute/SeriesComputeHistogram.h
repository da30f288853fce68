// SeriesComputeHistogram: the histogram of a range of the actual values
// (StatType -1) or of one observation-level quantity (StatType 0 .. 36,
// 0.0 where an observation lacks it), in numBins equal bins between the
// data's smallest and largest value or between given bounds (useMinMax).
//
// Stored among the series' results: QD_HISTOGRAM_NUM_BINS (2068), the
// lower edge (2069), the bin width (2070), the numbers of values below the
// first and above the last edge (2071, 2072) and the count of each bin as
// QD_HISTOGRAM (4013). Bin 0 holds its lower edge; the last edge is exactly
// the maximum. A bin count whose storage cannot exist fails as out of
// memory before anything is stored.
#ifndef QD_SERIESCOMPUTE_SERIESCOMPUTEHISTOGRAM_H
#define QD_SERIESCOMPUTE_SERIESCOMPUTEHISTOGRAM_H

#include <cstdint>

#include "Foundation/FdMathVec.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesCompute.h"

namespace qd {

class SeriesComputeHistogram : public SeriesCompute {
public:
    SeriesComputeHistogram(std::int32_t last, std::int32_t count, std::int32_t numBins, bool useMinMax, double min,
                           double max, std::int32_t StatType);
    double compute(Series& series) override;  // 0.0
    std::int32_t quantityId() const override { return QD_HISTOGRAM; }

    // The most bins a histogram may have: its counts, edges and stored
    // slots must each fit a 32-bit size.
    static std::int32_t maxBins();

    std::int32_t numBins;
    bool useMinMax;
    double min;
    double max;
    std::int32_t StatType;  // -1 (MVR_ALL) the actual values, else 0 .. 36
};

// Index of the smallest (largest) element, the first one on ties; an empty
// vector raises FdBoundsErr ZEROVEC with the routine's name.
std::uint32_t minIndex(const FdMathVec<double>& v);
std::uint32_t maxIndex(const FdMathVec<double>& v);

}  // namespace qd

#endif
