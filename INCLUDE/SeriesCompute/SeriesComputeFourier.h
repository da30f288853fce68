// SeriesComputeFourier: the harmonic (Fourier) coefficients of a range of a
// series: for j = 0 .. (N - 1) / 2 the cosine coefficients A(j) as
// QD_FOURIER_ALPHA (4009) and the sine coefficients B(j) as QD_FOURIER_BETA
// (4010) among the series' stored results; A(0) is the mean of the range.
// A series of fewer than two observations gets nothing.
#ifndef QD_SERIESCOMPUTE_SERIESCOMPUTEFOURIER_H
#define QD_SERIESCOMPUTE_SERIESCOMPUTEFOURIER_H

#include <cstdint>

#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesCompute.h"

namespace qd {

class SeriesComputeFourier : public SeriesCompute {
public:
    SeriesComputeFourier(std::int32_t last, std::int32_t count);
    double compute(Series& series) override;  // 0.0
    std::int32_t quantityId() const override { return QD_FOURIER_ALPHA; }
};

}  // namespace qd

#endif
