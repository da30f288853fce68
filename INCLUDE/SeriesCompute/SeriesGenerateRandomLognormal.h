// Random values of the Lognormal distribution appended to a series (see
// SeriesGenerateRandomBase.h for the shared generation).
#ifndef QD_SERIESCOMPUTE_SERIESGENERATERANDOMLOGNORMAL_H
#define QD_SERIESCOMPUTE_SERIESGENERATERANDOMLOGNORMAL_H

#include <cstdint>

#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesGenerateRandomLognormal : public SeriesGenerateRandom {
public:
    SeriesGenerateRandomLognormal(std::int32_t count, double mean, double standardDeviation)
        : SeriesGenerateRandom(count, FdCString("Lognormal"), 1), mean(mean), standardDeviation(standardDeviation)
    {
    }
    void checkParameters() override;
    void fillReal(double* buffer) override;

    double mean;
    double standardDeviation;
};

}  // namespace qd

#endif
