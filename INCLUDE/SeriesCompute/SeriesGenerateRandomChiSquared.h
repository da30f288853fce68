// Random values of the Chi-Squared distribution appended to a series (see
// SeriesGenerateRandomBase.h for the shared generation).
#ifndef QD_SERIESCOMPUTE_SERIESGENERATERANDOMCHISQUARED_H
#define QD_SERIESCOMPUTE_SERIESGENERATERANDOMCHISQUARED_H

#include <cstdint>

#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesGenerateRandomChiSquared : public SeriesGenerateRandom {
public:
    SeriesGenerateRandomChiSquared(std::int32_t count, double df)
        : SeriesGenerateRandom(count, FdCString("Chi-Squared"), 1), df(df)
    {
    }
    void checkParameters() override;
    void fillReal(double* buffer) override;

    double df;
};

}  // namespace qd

#endif
