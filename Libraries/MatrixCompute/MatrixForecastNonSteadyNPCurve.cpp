#include "MatrixCompute/MatrixForecastNonSteadyNPCurve.h"

#include <memory>

#include "Matrix/MVRBaseException.h"
#include "Matrix/Series.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "Matrix/SeriesRange.h"
#include "SeriesCompute/SeriesForecastNewProductCurve.h"
#include "SeriesCompute/SeriesForecastNewProductOptimizedCurve.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\MatrixCompute\\MatrixForecastNonSteadyNPCurve";
}  // namespace

MatrixForecastNonSteadyNPCurve::MatrixForecastNonSteadyNPCurve(std::int32_t observationNumber,
                                                               std::int32_t numHistoricalValues,
                                                               std::int32_t numPeriodsToForecast, double minValue,
                                                               double maxValue, std::int32_t MinMaxType,
                                                               std::int16_t curveType)
    : observationNumber(observationNumber),
      numHistoricalValues(numHistoricalValues),
      numPeriodsToForecast(numPeriodsToForecast),
      minValue(minValue),
      maxValue(maxValue),
      MinMaxType(MinMaxType),
      curveType(curveType)
{
}

void MatrixForecastNonSteadyNPCurve::compute(Matrix& matrix, std::int32_t flag)
{
    (void)flag;
    dependentIndex = matrix.dependentSeriesIndex(QD_DEPENDENT);
    if (dependentIndex < 0)
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::NoDependentSeries);
    independentIndex = matrix.dependentSeriesIndex(QD_INDEPENDENT);
    if (independentIndex < 0)
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::NoIndependentSeries);
    Series& dependent = matrix.series(dependentIndex);
    Series& independent = matrix.series(independentIndex);
    resolveSeriesRange(dependent, observationNumber, numHistoricalValues);
    checkSeriesRange(dependent, observationNumber, numHistoricalValues, 3);
    if (numPeriodsToForecast < 0)
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalForecastPeriods);

    std::unique_ptr<SeriesForecast> curve;
    if (curveType == QD_COMPUTE)
        curve.reset(new SeriesForecastNewProductOptimizedCurve(observationNumber, numHistoricalValues,
                                                               numPeriodsToForecast, minValue, maxValue, MinMaxType,
                                                               &independent));
    else if (curveType >= QD_NP_GOMPERTZ_CURVE && curveType <= QD_NP_PROBIT_CURVE)
        curve.reset(new SeriesForecastNewProductCurve(observationNumber, numHistoricalValues, numPeriodsToForecast,
                                                      minValue, maxValue, MinMaxType, curveType, &independent));
    else
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalCurveType);

    dependent.setDirty(true, true);
    SeriesOpApplySeriesForecast op(*curve);
    op.apply(dependent);
    matrix.forecastMethodNumber = dependent.forecastMethodNumber;
    matrix.seasonalLength = 0;
    matrix.decompositionType = 0;
}

}  // namespace qd
