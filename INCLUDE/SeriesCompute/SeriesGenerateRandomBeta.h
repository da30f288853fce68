// Random values of the Beta distribution appended to a series (see
// SeriesGenerateRandomBase.h for the shared generation).
#ifndef QD_SERIESCOMPUTE_SERIESGENERATERANDOMBETA_H
#define QD_SERIESCOMPUTE_SERIESGENERATERANDOMBETA_H

#include <cstdint>

#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesGenerateRandomBeta : public SeriesGenerateRandom {
public:
    SeriesGenerateRandomBeta(std::int32_t count, double p, double q)
        : SeriesGenerateRandom(count, FdCString("Beta"), 1), p(p), q(q)
    {
    }
    void checkParameters() override;
    void fillReal(double* buffer) override;

    double p;
    double q;
};

}  // namespace qd

#endif
