#include "Matrix/SeriesOpApplySeriesCompute.h"

#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"
#include "Matrix/SeriesComputeResult.h"

namespace qd {

void SeriesOpApplySeriesCompute::apply(Series& series)
{
    const double v = compute->compute(series);
    const std::int32_t t = compute->quantityId();
    switch (t) {
    case QD_T_TEST:
    case QD_DECOMPOSITION_INDEX:
    case QD_CONFIDENCE_INTERVAL:
    case QD_FOURIER_ALPHA:
    case QD_FOURIER_BETA:
    case QD_HISTOGRAM:
    case QD_SERVICE_LEVEL:
    case QD_SAFETY_STOCK:
    case QD_ROLLING_MAPE:
    case QD_CUMULATIVE_MAPE:
        return;  // stored by the statistic itself
    default:
        storeSeriesComputeResult(series, t, v);
    }
}

} // namespace qd
