// Random values of the Binomial distribution appended to a series (see
// SeriesGenerateRandomBase.h for the shared generation).
#ifndef QD_SERIESCOMPUTE_SERIESGENERATERANDOMBINOMIAL_H
#define QD_SERIESCOMPUTE_SERIESGENERATERANDOMBINOMIAL_H

#include <cstdint>

#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesGenerateRandomBinomial : public SeriesGenerateRandom {
public:
    SeriesGenerateRandomBinomial(std::int32_t count, std::int32_t n, double p)
        : SeriesGenerateRandom(count, FdCString("Binomial"), 0), n(n), p(p)
    {
    }
    void checkParameters() override;
    void fillInteger(std::int32_t* buffer) override;

    std::int32_t n;
    double p;
};

}  // namespace qd

#endif
