// SeriesComputeConfidenceInterval: the half-width of the confidence
// interval of every forecast after observation `last`, from the mean
// absolute error of the range and the series' last forecast method,
// stored per observation as QD_CONFIDENCE_INTERVAL (23).
#ifndef QD_SERIESCOMPUTE_SERIESCOMPUTECONFIDENCEINTERVAL_H
#define QD_SERIESCOMPUTE_SERIESCOMPUTECONFIDENCEINTERVAL_H

#include <cstdint>

#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesCompute.h"

namespace qd {

class SeriesComputeConfidenceInterval : public SeriesCompute {
public:
    // last and count are taken as they are (-2 and -1 are not resolved).
    SeriesComputeConfidenceInterval(std::int32_t last, std::int32_t count, double ConfidenceLevel);
    double compute(Series& series) override;  // 0.0
    std::int32_t quantityId() const override { return QD_CONFIDENCE_INTERVAL; }

    double ConfidenceLevel;
    // Filled by compute.
    double tValue;
    double meanAbsoluteError;
    std::int32_t numObservations;
    std::int32_t numPeriodsAfter;
};

}  // namespace qd

#endif
