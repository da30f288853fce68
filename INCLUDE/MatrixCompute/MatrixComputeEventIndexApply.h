// MatrixComputeEventIndexApply: puts the stored event indexes back: the
// forecasts of every forecast series are multiplied by the index in force
// (kept per observation in the history, by event number in the forecast
// periods) and the history gets its measured values back. Every series is
// checked for its indexes before any changes.
#ifndef QD_MATRIXCOMPUTE_MATRIXCOMPUTEEVENTINDEXAPPLY_H
#define QD_MATRIXCOMPUTE_MATRIXCOMPUTEEVENTINDEXAPPLY_H

#include <cmath>
#include <cstdint>

#include "MatrixCompute/EventModelErrorCheck.h"

namespace qd {

class MatrixComputeEventIndexApply : public EventModelErrorCheck {
public:
    MatrixComputeEventIndexApply(std::int32_t observationNumber, std::int32_t numForecastPeriods,
                                 std::int32_t eventSeriesIndex);
    void compute(Matrix& matrix) override;

    // The forecast a forecast observation takes: its forecast F times the
    // index, both shifted by the series' event offset; an index of about
    // zero keeps the measured value instead.
    static double appliedForecast(double F, double factor, double offset, double measured)
    {
        return std::fabs(factor) < 1e-12 ? measured : (F + offset) * factor - offset;
    }
};

}  // namespace qd

#endif
