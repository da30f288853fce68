// Random values of the NegativeBinomial distribution appended to a series (see
// SeriesGenerateRandomBase.h for the shared generation).
#ifndef QD_SERIESCOMPUTE_SERIESGENERATERANDOMNEGATIVEBINOMIAL_H
#define QD_SERIESCOMPUTE_SERIESGENERATERANDOMNEGATIVEBINOMIAL_H

#include <cstdint>

#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesGenerateRandomNegativeBinomial : public SeriesGenerateRandom {
public:
    SeriesGenerateRandomNegativeBinomial(std::int32_t count, double r, double p)
        : SeriesGenerateRandom(count, FdCString("NegativeBinomial"), 0), r(r), p(p)
    {
    }
    void checkParameters() override;
    void fillInteger(std::int32_t* buffer) override;

    double r;
    double p;
};

}  // namespace qd

#endif
