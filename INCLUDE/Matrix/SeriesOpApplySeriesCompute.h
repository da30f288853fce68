// Runs a series statistic once and stores a single-valued result (2000-2083)
// among the series' stored results, a multi-valued one (4000-4015) as a
// one-slot vector; types the statistic stores itself are left to it.
#ifndef QD_MATRIX_SERIESOPAPPLYSERIESCOMPUTE_H
#define QD_MATRIX_SERIESOPAPPLYSERIESCOMPUTE_H

#include <cstdint>

#include "Matrix/ComputeOp.h"
#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesOpApplySeriesCompute : public SeriesOp {
public:
    explicit SeriesOpApplySeriesCompute(SeriesCompute& compute) : compute(&compute) {}
    void apply(Series& target) override;

    SeriesCompute* compute;   // not owned
};

} // namespace qd

#endif
