// Random values of the Geometric distribution appended to a series (see
// SeriesGenerateRandomBase.h for the shared generation).
#ifndef QD_SERIESCOMPUTE_SERIESGENERATERANDOMGEOMETRIC_H
#define QD_SERIESCOMPUTE_SERIESGENERATERANDOMGEOMETRIC_H

#include <cstdint>

#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesGenerateRandomGeometric : public SeriesGenerateRandom {
public:
    SeriesGenerateRandomGeometric(std::int32_t count, double p)
        : SeriesGenerateRandom(count, FdCString("Geometric"), 0), p(p)
    {
    }
    void checkParameters() override;
    void fillInteger(std::int32_t* buffer) override;

    double p;
};

}  // namespace qd

#endif
