// The service level that the stored slow-moving-demand safety stock
// (QD_SMD_SAFETY_STOCK, 2082) would have achieved over the history, by
// amount or by period (QD_SMD_HIST_SERVICE_LEVEL, 2083).
#ifndef QD_SERIESCOMPUTE_SERIESCOMPUTESMDHISTSERVICELEVEL_H
#define QD_SERIESCOMPUTE_SERIESCOMPUTESMDHISTSERVICELEVEL_H

#include <cstdint>

#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesCompute.h"

namespace qd {

class SeriesComputeSMDHistServiceLevel : public SeriesCompute {
public:
    SeriesComputeSMDHistServiceLevel(std::int32_t last, std::int32_t count, double leadTime, std::int32_t hslType)
        : SeriesCompute(last, count), leadTime(leadTime), hslType(hslType)
    {
    }
    // In [0, 1]; a lead time that is negative or not finite fails with 3089.
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_SMD_HIST_SERVICE_LEVEL; }

    double leadTime;        // periods, the last one possibly a fraction
    std::int32_t hslType;   // 2 by periods, otherwise by amount
};

}  // namespace qd

#endif
