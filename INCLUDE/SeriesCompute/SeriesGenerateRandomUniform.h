// Random values of the Uniform distribution appended to a series (see
// SeriesGenerateRandomBase.h for the shared generation).
#ifndef QD_SERIESCOMPUTE_SERIESGENERATERANDOMUNIFORM_H
#define QD_SERIESCOMPUTE_SERIESGENERATERANDOMUNIFORM_H

#include <cstdint>

#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesGenerateRandomUniform : public SeriesGenerateRandom {
public:
    SeriesGenerateRandomUniform(std::int32_t count, double minRand, double maxRand)
        : SeriesGenerateRandom(count, FdCString("Uniform"), 1), minRand(minRand), maxRand(maxRand)
    {
    }
    void checkParameters() override;
    void fillReal(double* buffer) override;

    double minRand;
    double maxRand;
};

}  // namespace qd

#endif
