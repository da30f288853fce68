#include "SeriesCompute/SeriesForecastLinearRegression.h"

#include <cmath>
#include <cstdint>

#include "Matrix/MVRBaseException.h"
#include "Matrix/Matrix.h"
#include "Matrix/MatrixOpApplyMatrixForecast.h"
#include "Matrix/QuantityTypes.h"
#include "MatrixCompute/MatrixForecastMultipleRegression.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesForecastLinearRegression";

// Replaces the two-slot entry of `type` by slot 0 from the constant's
// series and slot 1 from the slope's series (0.0 where absent).
void storeTwoSlots(SeriesQC& target, std::int32_t type, const SeriesQC& constant, const SeriesQC& slope)
{
    double c = 0.0;
    double s = 0.0;
    constant.lookupMultiple(type, 0, c);
    slope.lookupMultiple(type, 0, s);
    target.createMultiple(type, 2);
    target.storeMultiple(type, 0, c);
    target.storeMultiple(type, 1, s);
}
}  // namespace

SeriesForecastLinearRegression::SeriesForecastLinearRegression(std::int32_t observationNumber,
                                                               std::int32_t numHistoricalValues,
                                                               std::int32_t numPeriodsToForecast, bool useConstTerm,
                                                               double ConfidenceLevel, bool useGivenCoefficients,
                                                               double slope, double intercept)
    : observationNumber(observationNumber),
      numHistoricalValues(numHistoricalValues),
      numPeriodsToForecast(numPeriodsToForecast),
      useConstTerm(useConstTerm),
      ConfidenceLevel(ConfidenceLevel),
      useGivenCoefficients(useGivenCoefficients),
      slope(slope),
      intercept(intercept)
{
}

std::int32_t SeriesForecastLinearRegression::compute(Series& series, std::int32_t flag)
{
    (void)flag;
    const std::int32_t count = series.numObservations();
    // Resolved for this series only: the object runs over every series of
    // a matrix.
    const std::int32_t last = observationNumber == QD_LAST ? count - 1 : observationNumber;
    const std::int32_t n = numHistoricalValues == QD_ALL ? count : numHistoricalValues;
    const std::int32_t h = numPeriodsToForecast;
    if (h < 0)
        qdThrow(QD_SOURCE_PATH, 70, ErrorCode::IllegalForecastPeriods);
    if (useGivenCoefficients) {
        if (last < -1 || last >= count)
            qdThrow(QD_SOURCE_PATH, 76, ErrorCode::OutOfBounds);
        if (h > 0) {
            double* forecasts = series.forecastValues(h);
            for (std::int32_t t = last + 1; t <= last + h; ++t)
                forecasts[t] = slope * t + intercept;
            series.storeForecasts(QD_LINEAR_REGRESSION, last + 1, last + h, false);
        }
    } else {
        checkSeriesRange(series, last, n, 2);
        fit(series, last, n);
    }
    series.storedResults.store(QD_LINEAR_REGRESSION_SLOPE, slope);
    series.storedResults.store(QD_LINEAR_REGRESSION_INTERCEPT, intercept);
    series.recordForecastMethod(QD_LINEAR_REGRESSION);
    return 0;
}

void SeriesForecastLinearRegression::fit(Series& series, std::int32_t last, std::int32_t n)
{
    const std::int32_t s = last - n + 1;
    const std::int32_t h = numPeriodsToForecast;

    // Work matrix: series 0 the data, series 1 the time index 1 .. n.
    Matrix work;
    {
        Series values(64);
        series.copyValuesTo(values, s, last);
        values.dependenceType = QD_DEPENDENT;
        work.addSeries(values);
        for (std::int32_t j = 0; j < n; ++j)
            values.observation(j).value = j + 1.0;
        values.setDirty(true, true);
        values.dependenceType = QD_INDEPENDENT;
        work.addSeries(values);
    }
    {
        MatrixForecastMultipleRegression regression(QD_LAST, QD_ALL, useConstTerm, h, ConfidenceLevel, true, false,
                                                    false, false, -1);
        MatrixOpApplyMatrixForecast op(regression);
        work.applyRectangular(op);
    }
    const Series& fitted = work.series(0);
    const Series& time = work.series(1);
    // Values so near the largest doubles that the fit itself overflows are
    // reported before anything of the series changes.
    bool finite =
        std::isfinite(fitted.storedResults.value(QD_BETA)) && std::isfinite(time.storedResults.value(QD_BETA));
    for (std::int32_t t = 0; t < n + h; ++t) {
        const ObservationQC& results = fitted.observation(t).storedResults;
        double halfWidth = 0.0;
        finite = finite && std::isfinite(results.value(QD_FORECAST)) &&
                 (results.lookup(QD_CONFIDENCE_INTERVAL, halfWidth) != QD_QUANTITY_FOUND || std::isfinite(halfWidth));
    }
    if (!finite)
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::DividedByZero);
    intercept = fitted.storedResults.value(QD_BETA);
    slope = time.storedResults.value(QD_BETA);
    series.storedResults.store(QD_LINEAR_REGRESSION_INTERCEPT, intercept);
    series.storedResults.store(QD_LINEAR_REGRESSION_SLOPE, slope);

    double* forecasts = series.forecastValues(h);
    for (std::int32_t t = s; t <= last + h; ++t)
        forecasts[t] = fitted.observation(t - s).storedResults.value(QD_FORECAST);
    series.storeForecasts(QD_LINEAR_REGRESSION, s, last + h, false);

    series.storedResults.store(QD_F_TEST, fitted.storedResults.value(QD_F_TEST));
    for (std::int32_t t = last + 1; t <= last + h; ++t)
        series.observation(t).storedResults.store(
            QD_CONFIDENCE_INTERVAL, fitted.observation(t - s).storedResults.value(QD_CONFIDENCE_INTERVAL));
    series.storedResults.store(QD_REGRESSION_ELASTICITY, time.storedResults.value(QD_REGRESSION_ELASTICITY));
    storeTwoSlots(series.storedResults, QD_T_TEST, fitted.storedResults, time.storedResults);
    storeTwoSlots(series.storedResults, QD_P_VALUE, fitted.storedResults, time.storedResults);
}

}  // namespace qd
