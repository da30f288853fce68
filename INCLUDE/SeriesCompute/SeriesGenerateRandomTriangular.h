// Random values of the Triangular distribution appended to a series (see
// SeriesGenerateRandomBase.h for the shared generation).
#ifndef QD_SERIESCOMPUTE_SERIESGENERATERANDOMTRIANGULAR_H
#define QD_SERIESCOMPUTE_SERIESGENERATERANDOMTRIANGULAR_H

#include <cstdint>

#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesGenerateRandomTriangular : public SeriesGenerateRandom {
public:
    SeriesGenerateRandomTriangular(std::int32_t count, double minRand, double mostLikely, double maxRand)
        : SeriesGenerateRandom(count, FdCString("Triangular"), 1), minRand(minRand), mostLikely(mostLikely), maxRand(maxRand)
    {
    }
    void checkParameters() override;
    void fillReal(double* buffer) override;

    double minRand;
    double mostLikely;
    double maxRand;
};

}  // namespace qd

#endif
