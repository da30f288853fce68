// Random values of the HyperGeometric distribution appended to a series (see
// SeriesGenerateRandomBase.h for the shared generation).
#ifndef QD_SERIESCOMPUTE_SERIESGENERATERANDOMHYPERGEOMETRIC_H
#define QD_SERIESCOMPUTE_SERIESGENERATERANDOMHYPERGEOMETRIC_H

#include <cstdint>

#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesGenerateRandomHyperGeometric : public SeriesGenerateRandom {
public:
    SeriesGenerateRandomHyperGeometric(std::int32_t count, std::int32_t n, std::int32_t m, std::int32_t l)
        : SeriesGenerateRandom(count, FdCString("HyperGeometric"), 0), n(n), m(m), l(l)
    {
    }
    void checkParameters() override;
    void fillInteger(std::int32_t* buffer) override;

    std::int32_t n;
    std::int32_t m;
    std::int32_t l;
};

}  // namespace qd

#endif
