// Random values of the Gamma distribution appended to a series (see
// SeriesGenerateRandomBase.h for the shared generation).
#ifndef QD_SERIESCOMPUTE_SERIESGENERATERANDOMGAMMA_H
#define QD_SERIESCOMPUTE_SERIESGENERATERANDOMGAMMA_H

#include <cstdint>

#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesGenerateRandomGamma : public SeriesGenerateRandom {
public:
    SeriesGenerateRandomGamma(std::int32_t count, double alpha, double beta)
        : SeriesGenerateRandom(count, FdCString("Gamma"), 1), alpha(alpha), beta(beta)
    {
    }
    void checkParameters() override;
    void fillReal(double* buffer) override;

    double alpha;
    double beta;
};

}  // namespace qd

#endif
