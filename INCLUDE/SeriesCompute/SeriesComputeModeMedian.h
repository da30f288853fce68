// The mode and the median of a range of a series: statistics of the series
// statistics family (range `last`, `count` with QD_LAST and QD_ALL, the
// range check with minimum count 1, the cached value reused while the
// values are not stale).
//
// Mode: the value that occurs most often (exact equality); on a tie the one
// whose first occurrence comes first; 0.0 when no value occurs twice.
// Median: the middle value of the sorted range, or the mean of the two
// middle values of an even count.
#ifndef QD_SERIESCOMPUTE_SERIESCOMPUTEMODEMEDIAN_H
#define QD_SERIESCOMPUTE_SERIESCOMPUTEMODEMEDIAN_H

#include <cstdint>

#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"
#include "SeriesCompute/SeriesCompute.h"

namespace qd {

double mode(Series& series, std::int32_t last, std::int32_t count);
double median(Series& series, std::int32_t last, std::int32_t count);

class SeriesComputeMode : public SeriesCompute {
public:
    SeriesComputeMode(std::int32_t last, std::int32_t count) : SeriesCompute(last, count) {}
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_MODE; }
};

class SeriesComputeMedian : public SeriesCompute {
public:
    SeriesComputeMedian(std::int32_t last, std::int32_t count) : SeriesCompute(last, count) {}
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_MEDIAN; }
};

}  // namespace qd

#endif
