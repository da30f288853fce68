// Random values of the VonMises distribution appended to a series (see
// SeriesGenerateRandomBase.h for the shared generation).
#ifndef QD_SERIESCOMPUTE_SERIESGENERATERANDOMVONMISES_H
#define QD_SERIESCOMPUTE_SERIESGENERATERANDOMVONMISES_H

#include <cstdint>

#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesGenerateRandomVonMises : public SeriesGenerateRandom {
public:
    SeriesGenerateRandomVonMises(std::int32_t count, double c)
        : SeriesGenerateRandom(count, FdCString("VonMises"), 1), c(c)
    {
    }
    void checkParameters() override;
    void fillReal(double* buffer) override;

    double c;
};

}  // namespace qd

#endif
