// Random values of the exponential distribution appended to a series (see
// SeriesGenerateRandomBase.h for the shared generation).
#ifndef QD_SERIESCOMPUTE_SERIESGENERATERANDOMEXPONENTIAL_H
#define QD_SERIESCOMPUTE_SERIESGENERATERANDOMEXPONENTIAL_H

#include <cstdint>

#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesGenerateRandomExponential : public SeriesGenerateRandom {
public:
    SeriesGenerateRandomExponential(std::int32_t count, double mean)
        : SeriesGenerateRandom(count, FdCString("Expenontial"), 1), mean(mean)
    {
    }
    void checkParameters() override;
    void fillReal(double* buffer) override;

    double mean;
};

}  // namespace qd

#endif
