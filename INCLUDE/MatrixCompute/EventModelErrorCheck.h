// EventModelErrorCheck: the fields and checks shared by the event-index
// computations. The event series is the series with role QD_EVENT (9); its
// value at observation i, truncated, is the event number of period i for
// every other series (0: no event). A series takes part when a forecast
// method has been recorded in it.
#ifndef QD_MATRIXCOMPUTE_EVENTMODELERRORCHECK_H
#define QD_MATRIXCOMPUTE_EVENTMODELERRORCHECK_H

#include <cstdint>
#include <vector>

#include "MatrixCompute/MatrixCompute.h"

namespace qd {

class Matrix;
class Series;

class EventModelErrorCheck : public MatrixCompute {
public:
    EventModelErrorCheck(std::int32_t observationNumber, std::int32_t numForecastPeriods,
                         std::int32_t eventSeriesIndex);

    std::int32_t observationNumber;
    std::int32_t numForecastPeriods;
    std::int32_t eventSeriesIndex;  // -1 until the checks find it

protected:
    // The three checks in order; fills `flags` (flags[i] for i from
    // observationNumber to the end of the event series, 0 before) and
    // returns K, the highest event number. Codes: 3000, 3030, 3046, 3006
    // (common check), 3067 (a series longer than the flags allow), 3068 (a
    // flag that is negative, not a number or beyond 32 bits), 3070 (no
    // event), 3069 (event numbers with a gap; raised as soon as K exceeds
    // the number of flags, before anything of size K exists).
    std::int32_t checkAndScan(Matrix& matrix, std::vector<std::int32_t>& flags);

    // True when series j takes part: not the event series, forecast method
    // recorded.
    bool participates(const Matrix& matrix, std::int32_t j) const;

private:
    void commonCheck(Matrix& matrix);
    void lengthCheck(Matrix& matrix);
    std::int32_t scanFlags(Matrix& matrix, std::vector<std::int32_t>& flags);
};

}  // namespace qd

#endif
