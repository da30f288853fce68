// Runs a forecasting method on every series of a matrix, in order.
#ifndef QD_MATRIX_MATRIXOPAPPLYSERIESFORECAST_H
#define QD_MATRIX_MATRIXOPAPPLYSERIESFORECAST_H

#include <cstdint>

#include "Matrix/ComputeOp.h"
#include "Matrix/SeriesCompute.h"

namespace qd {

class MatrixOpApplySeriesForecast : public MatrixOp {
public:
    explicit MatrixOpApplySeriesForecast(SeriesForecast& compute) : compute(&compute) {}
    void apply(Matrix& target) override;

    SeriesForecast* compute;   // not owned
};

} // namespace qd

#endif
