// Random values of the Logarithmic distribution appended to a series (see
// SeriesGenerateRandomBase.h for the shared generation).
#ifndef QD_SERIESCOMPUTE_SERIESGENERATERANDOMLOGARITHMIC_H
#define QD_SERIESCOMPUTE_SERIESGENERATERANDOMLOGARITHMIC_H

#include <cstdint>

#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesGenerateRandomLogarithmic : public SeriesGenerateRandom {
public:
    SeriesGenerateRandomLogarithmic(std::int32_t count, double a)
        : SeriesGenerateRandom(count, FdCString("Logarithmic"), 0), a(a)
    {
    }
    void checkParameters() override;
    void fillInteger(std::int32_t* buffer) override;

    double a;
};

}  // namespace qd

#endif
