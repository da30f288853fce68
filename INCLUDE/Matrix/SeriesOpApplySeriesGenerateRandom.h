// Generates a random series into a series.
#ifndef QD_MATRIX_SERIESOPAPPLYSERIESGENERATERANDOM_H
#define QD_MATRIX_SERIESOPAPPLYSERIESGENERATERANDOM_H

#include <cstdint>

#include "Matrix/ComputeOp.h"
#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesOpApplySeriesGenerateRandom : public SeriesOp {
public:
    explicit SeriesOpApplySeriesGenerateRandom(SeriesGenerateRandom& compute) : compute(&compute) {}
    void apply(Series& target) override;

    SeriesGenerateRandom* compute;   // not owned
};

} // namespace qd

#endif
