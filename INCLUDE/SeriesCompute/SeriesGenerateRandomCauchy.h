// Random values of the Cauchy distribution appended to a series (see
// SeriesGenerateRandomBase.h for the shared generation).
#ifndef QD_SERIESCOMPUTE_SERIESGENERATERANDOMCAUCHY_H
#define QD_SERIESCOMPUTE_SERIESGENERATERANDOMCAUCHY_H

#include <cstdint>

#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesGenerateRandomCauchy : public SeriesGenerateRandom {
public:
    SeriesGenerateRandomCauchy(std::int32_t count)
        : SeriesGenerateRandom(count, FdCString("Cauchy"), 1)
    {
    }
    void checkParameters() override;
    void fillReal(double* buffer) override;

};

}  // namespace qd

#endif
