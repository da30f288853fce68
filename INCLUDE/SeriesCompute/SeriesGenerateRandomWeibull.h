// Random values of the Weibull distribution appended to a series (see
// SeriesGenerateRandomBase.h for the shared generation).
#ifndef QD_SERIESCOMPUTE_SERIESGENERATERANDOMWEIBULL_H
#define QD_SERIESCOMPUTE_SERIESGENERATERANDOMWEIBULL_H

#include <cstdint>

#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesGenerateRandomWeibull : public SeriesGenerateRandom {
public:
    SeriesGenerateRandomWeibull(std::int32_t count, double alpha, double beta)
        : SeriesGenerateRandom(count, FdCString("Weibull"), 1), alpha(alpha), beta(beta)
    {
    }
    void checkParameters() override;
    void fillReal(double* buffer) override;

    double alpha;
    double beta;
};

}  // namespace qd

#endif
