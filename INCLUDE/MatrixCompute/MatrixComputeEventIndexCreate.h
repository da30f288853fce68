// MatrixComputeEventIndexCreate: measures how much each event number lifts
// or lowers the values of every forecast series against its forecasts,
// stores one smoothed index per event number (QD_EVENT_INDEX_SERIES 4003,
// normalised copy as QD_INITIAL_SEASONAL_INDEX 4015) and takes the effect
// out of the history: each observation keeps its measured value as
// QD_MEASUREMENT (16) and the index in force as
// QD_EVENT_INDEX_OBSERVATION (3).
//
// Every check, including the forecast that each event observation needs,
// is made for the whole matrix before any series changes. A second run
// measures again from the kept measurements, never from the adjusted
// values, and leaves them as they are.
#ifndef QD_MATRIXCOMPUTE_MATRIXCOMPUTEEVENTINDEXCREATE_H
#define QD_MATRIXCOMPUTE_MATRIXCOMPUTEEVENTINDEXCREATE_H

#include <cstdint>

#include "MatrixCompute/EventModelErrorCheck.h"

namespace qd {

class MatrixComputeEventIndexCreate : public EventModelErrorCheck {
public:
    MatrixComputeEventIndexCreate(std::int32_t observationNumber, std::int32_t numForecastPeriods,
                                  std::int32_t eventSeriesIndex, double EISmoothingWeight);
    void compute(Matrix& matrix) override;

    double EISmoothingWeight;  // w in [0, 1]
};

}  // namespace qd

#endif
