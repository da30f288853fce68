// Runs a forecasting method on a series (which must hold an observation;
// an empty series is left unchanged).
#ifndef QD_MATRIX_SERIESOPAPPLYSERIESFORECAST_H
#define QD_MATRIX_SERIESOPAPPLYSERIESFORECAST_H

#include <cstdint>

#include "Matrix/ComputeOp.h"
#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesOpApplySeriesForecast : public SeriesOp {
public:
    explicit SeriesOpApplySeriesForecast(SeriesForecast& compute) : compute(&compute) {}
    void apply(Series& target) override;

    SeriesForecast* compute;   // not owned
};

} // namespace qd

#endif
