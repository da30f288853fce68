#include "SeriesCompute/SeriesComputeSafetyStock.h"

#include <cmath>
#include <new>
#include <vector>

#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "SeriesCompute/SeriesComputeTValue.h"
#include "SeriesCompute/SeriesForecastSelvane.h"
#include "SeriesCompute/SeriesStatistics.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeSafetyStock";

// Degrees of freedom that make the t routines practically normal.
const double kNormalDegreesOfFreedom = 10000.0;

// Forecasts for the `missing` periods after the last observation of
// `series`, from the automatic method selection run on a copy of its
// actual values. A failing selection reaches the caller with its own code
// rather than as a sentinel result that would look like a stock level.
std::vector<double> forecastBeyondData(Series& series, std::int32_t missing)
{
    const std::int32_t n = series.numObservations();
    Series work(64);
    series.copyValuesTo(work, 0, n - 1);
    SeriesForecastSelvane selvane(0, missing, QD_COMPUTE, QD_OPTIMIZE_ALL, 1, QD_COMPUTE, QD_SELVANE_STANDARD);
    SeriesOpApplySeriesForecast applier(selvane);
    applier.apply(work);
    std::vector<double> beyond;
    for (std::int32_t k = n; k < n + missing; ++k)
        beyond.push_back(work.observation(k).storedResults.value(QD_FORECAST));
    return beyond;
}

}  // namespace

double safetyStockValue(Series& series, std::int32_t last, std::int32_t count, double leadTime, double value,
                        std::int32_t cl, std::int32_t calcPeriods, std::int32_t mode, bool includeFValues)
{
    // Any other level would compute without storing anything.
    if (cl < kObservationLevel || cl > kMatrixLevel)
        qdThrow(QD_SOURCE_PATH, 52, ErrorCode::InvalidItemType);
    if (mode == 1 && cl == kObservationLevel && series.forecastMethodNumber == QD_SLOW_MOVING_DEMAND)
        return 0.0;
    const std::int32_t n = series.numObservations();
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 2);
    if (mode == 1 && !(value >= 0.5 && value < 1.0))
        qdThrow(QD_SOURCE_PATH, 73, ErrorCode::IllegalConfidenceLevel);
    if (!(leadTime >= 0.0) || !std::isfinite(leadTime) || (includeFValues && leadTime == 0.0))
        qdThrow(QD_SOURCE_PATH, 77, ErrorCode::IllegalLeadTime);
    std::int32_t periods = calcPeriods;
    if (cl == kSeriesLevel)
        periods = 1;
    else if (periods < 1)
        qdThrow(QD_SOURCE_PATH, 84, ErrorCode::IllegalCalculationPeriods);

    // Periods the lead time touches and the share of the last of them.
    const double touched = std::ceil(leadTime);
    // The forecasts needed run to `lastNeeded`; a horizon no series can
    // hold cannot be computed.
    const double lastNeededValue = includeFValues ? last + touched + periods - 1.0
                                                  : (cl == kObservationLevel ? last + periods - 1.0 : last);
    if (lastNeededValue >= static_cast<double>(Series::maxObservations()))
        throw std::bad_alloc();
    const std::int32_t m = includeFValues ? static_cast<std::int32_t>(touched) : 0;
    const double frac = leadTime - (touched - 1.0);
    const std::int32_t lastNeeded = static_cast<std::int32_t>(lastNeededValue);

    series.setDirty(true, true);
    const double sdE = standardDeviationError(series, last - 1, count - 1);
    series.setDirty(true, true);
    const double sigma = leadTime > 0.0 ? sdE * std::pow(leadTime, 0.7) : sdE;

    // F[k - last - 1] is the forecast of period k.
    std::vector<double> F;
    if (lastNeeded > last) {
        const double* fitted = series.forecastValues();
        for (std::int32_t k = last + 1; k <= lastNeeded && k < n; ++k)
            F.push_back(fitted[k]);
        if (lastNeeded >= n) {
            const std::vector<double> beyond = forecastBeyondData(series, lastNeeded - n + 1);
            F.insert(F.end(), beyond.begin(), beyond.end());
        }
    }
    auto forecast = [&F, last](std::int32_t k) { return F[static_cast<std::size_t>(k - last - 1)]; };

    double result = 0.0;
    for (std::int32_t i = 0; i < periods; ++i) {
        const std::int32_t t = last + i;
        double demand = 0.0;
        if (includeFValues) {
            for (std::int32_t k = 1; k < m; ++k)
                demand += forecast(t + k);
            demand += frac * forecast(t + m);
        }
        if (mode == 1) {
            result = computeTValue(value, kNormalDegreesOfFreedom, true) * sigma + demand;
        } else {
            const double margin = value - demand;
            if (margin <= 0.0)
                result = -1.0;
            else if (std::fabs(sigma) < 1e-12)
                result = 1.0;
            else
                result = computeTProbability(margin / sigma, kNormalDegreesOfFreedom, true);
        }
        if (cl == kObservationLevel) {
            if (t >= n) {
                series.addObservation(forecast(t), QD_COMPUTED, FdCString());
                series.observation(t).storedResults.store(QD_FORECAST, forecast(t));
            }
            series.observation(t).storedResults.store(QD_SAFETY_STOCK_RES_OBS, result);
        }
    }
    // The matrix level stores its value as the series level does: the
    // series applier leaves these types to the routine, so a value only
    // returned would be lost.
    if (cl != kObservationLevel)
        series.storedResults.store(mode == 1 ? QD_SAFETY_STOCK : QD_SERVICE_LEVEL, result);
    if (cl == kObservationLevel)
        series.setDirty(true, true);
    return result;
}

SeriesComputeSafetyStock::SeriesComputeSafetyStock(std::int32_t last, std::int32_t count, double leadTime,
                                                   double ServiceLevel, std::int32_t cl, std::int32_t calcPeriods,
                                                   bool includeFValues)
    : SeriesCompute(last, count), leadTime(leadTime), ServiceLevel(ServiceLevel), cl(cl), calcPeriods(calcPeriods),
      includeFValues(includeFValues)
{
}

double SeriesComputeSafetyStock::compute(Series& series)
{
    return safetyStockValue(series, last, count, leadTime, ServiceLevel, cl, calcPeriods, 1, includeFValues);
}

SeriesComputeServiceLevel::SeriesComputeServiceLevel(std::int32_t last, std::int32_t count, double leadTime,
                                                     double safetyStock, std::int32_t cl, std::int32_t calcPeriods,
                                                     bool includeFValues)
    : SeriesCompute(last, count), leadTime(leadTime), safetyStock(safetyStock), cl(cl), calcPeriods(calcPeriods),
      includeFValues(includeFValues)
{
}

double SeriesComputeServiceLevel::compute(Series& series)
{
    return safetyStockValue(series, last, count, leadTime, safetyStock, cl, calcPeriods, 2, includeFValues);
}

}  // namespace qd
