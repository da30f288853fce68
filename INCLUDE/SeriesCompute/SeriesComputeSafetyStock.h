// Safety stock and service level of a series from the errors of its last
// forecast: the stock that covers the lead time at a service level (mode
// 1), or the service level that a stock gives (mode 2), optionally with the
// forecast demand over the lead time included; per period at the
// observation level (quantity 31), or once at the series and the matrix
// level (2066 / 2073: the value of the last period computed; the series
// applier leaves these types to the routine, so a value only returned at
// the matrix level would be lost on a single series).
#ifndef QD_SERIESCOMPUTE_SERIESCOMPUTESAFETYSTOCK_H
#define QD_SERIESCOMPUTE_SERIESCOMPUTESAFETYSTOCK_H

#include <cstdint>

#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesCompute.h"

namespace qd {

// Calculation levels (the type library's XCalcLevel).
constexpr std::int32_t kObservationLevel = 1;
constexpr std::int32_t kSeriesLevel = 2;
constexpr std::int32_t kMatrixLevel = 3;

// The routine of both functors. `value` is the service level (mode 1) or
// the stock (mode 2); `cl` the calculation level, `calcPeriods` the number
// of periods from `last` computed at the observation level. Returns the
// result of the last period computed. A level outside 1 .. 3 is refused
// with 3044 before anything else.
double safetyStockValue(Series& series, std::int32_t last, std::int32_t count, double leadTime, double value,
                        std::int32_t cl, std::int32_t calcPeriods, std::int32_t mode, bool includeFValues);

class SeriesComputeSafetyStock : public SeriesCompute {
public:
    SeriesComputeSafetyStock(std::int32_t last, std::int32_t count, double leadTime, double ServiceLevel,
                             std::int32_t cl, std::int32_t calcPeriods, bool includeFValues);
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_SAFETY_STOCK; }

    double leadTime;
    double ServiceLevel;
    std::int32_t cl;
    std::int32_t calcPeriods;
    bool includeFValues;
};

class SeriesComputeServiceLevel : public SeriesCompute {
public:
    SeriesComputeServiceLevel(std::int32_t last, std::int32_t count, double leadTime, double safetyStock,
                              std::int32_t cl, std::int32_t calcPeriods, bool includeFValues);
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_SERVICE_LEVEL; }

    double leadTime;
    double safetyStock;
    std::int32_t cl;
    std::int32_t calcPeriods;
    bool includeFValues;
};

}  // namespace qd

#endif
