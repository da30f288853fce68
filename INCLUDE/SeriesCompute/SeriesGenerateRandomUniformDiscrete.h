// Random values of the UniformDiscrete distribution appended to a series (see
// SeriesGenerateRandomBase.h for the shared generation).
#ifndef QD_SERIESCOMPUTE_SERIESGENERATERANDOMUNIFORMDISCRETE_H
#define QD_SERIESCOMPUTE_SERIESGENERATERANDOMUNIFORMDISCRETE_H

#include <cstdint>

#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesGenerateRandomUniformDiscrete : public SeriesGenerateRandom {
public:
    SeriesGenerateRandomUniformDiscrete(std::int32_t count, std::int32_t minRand, std::int32_t maxRand)
        : SeriesGenerateRandom(count, FdCString("UniformDiscrete"), 0), minRand(minRand), maxRand(maxRand)
    {
    }
    void checkParameters() override;
    void fillInteger(std::int32_t* buffer) override;

    std::int32_t minRand;
    std::int32_t maxRand;
};

}  // namespace qd

#endif
