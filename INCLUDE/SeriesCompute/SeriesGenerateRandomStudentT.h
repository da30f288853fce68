// Random values of the StudentT distribution appended to a series (see
// SeriesGenerateRandomBase.h for the shared generation).
#ifndef QD_SERIESCOMPUTE_SERIESGENERATERANDOMSTUDENTT_H
#define QD_SERIESCOMPUTE_SERIESGENERATERANDOMSTUDENTT_H

#include <cstdint>

#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesGenerateRandomStudentT : public SeriesGenerateRandom {
public:
    SeriesGenerateRandomStudentT(std::int32_t count, double df, double mean, double standardDeviation)
        : SeriesGenerateRandom(count, FdCString("StudentT"), 1), df(df), mean(mean), standardDeviation(standardDeviation)
    {
    }
    void checkParameters() override;
    void fillReal(double* buffer) override;

    double df;
    double mean;
    double standardDeviation;
};

}  // namespace qd

#endif
