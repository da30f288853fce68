// Random values of the Normal distribution appended to a series (see
// SeriesGenerateRandomBase.h for the shared generation).
#ifndef QD_SERIESCOMPUTE_SERIESGENERATERANDOMNORMAL_H
#define QD_SERIESCOMPUTE_SERIESGENERATERANDOMNORMAL_H

#include <cstdint>

#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesGenerateRandomNormal : public SeriesGenerateRandom {
public:
    SeriesGenerateRandomNormal(std::int32_t count, double mean, double standardDeviation)
        : SeriesGenerateRandom(count, FdCString("Normal"), 1), mean(mean), standardDeviation(standardDeviation)
    {
    }
    void checkParameters() override;
    void fillReal(double* buffer) override;

    double mean;
    double standardDeviation;
};

}  // namespace qd

#endif
