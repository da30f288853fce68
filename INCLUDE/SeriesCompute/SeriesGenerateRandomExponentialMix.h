// Random values of the ExponentialMix distribution appended to a series (see
// SeriesGenerateRandomBase.h for the shared generation).
#ifndef QD_SERIESCOMPUTE_SERIESGENERATERANDOMEXPONENTIALMIX_H
#define QD_SERIESCOMPUTE_SERIESGENERATERANDOMEXPONENTIALMIX_H

#include <cstdint>

#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesGenerateRandomExponentialMix : public SeriesGenerateRandom {
public:
    SeriesGenerateRandomExponentialMix(std::int32_t count, double theta1, double theta2, double p)
        : SeriesGenerateRandom(count, FdCString("ExponentialMix"), 1), theta1(theta1), theta2(theta2), p(p)
    {
    }
    void checkParameters() override;
    void fillReal(double* buffer) override;

    double theta1;
    double theta2;
    double p;
};

}  // namespace qd

#endif
