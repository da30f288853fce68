// Random values of the Poisson distribution appended to a series (see
// SeriesGenerateRandomBase.h for the shared generation).
#ifndef QD_SERIESCOMPUTE_SERIESGENERATERANDOMPOISSON_H
#define QD_SERIESCOMPUTE_SERIESGENERATERANDOMPOISSON_H

#include <cstdint>

#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesGenerateRandomPoisson : public SeriesGenerateRandom {
public:
    SeriesGenerateRandomPoisson(std::int32_t count, double theta)
        : SeriesGenerateRandom(count, FdCString("Poisson"), 0), theta(theta)
    {
    }
    void checkParameters() override;
    void fillInteger(std::int32_t* buffer) override;

    double theta;
};

}  // namespace qd

#endif
