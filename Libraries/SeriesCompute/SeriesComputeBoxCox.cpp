#include <cmath>
#include <vector>

#include "Matrix/MVRBaseException.h"
#include "Matrix/SeriesOpApplySeriesCompute.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "MatrixCompute/MatrixForecastMultipleRegression.h"
#include "SeriesCompute/FitCriteria.h"
#include "SeriesCompute/SeriesForecastLinearRegression.h"
#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/SharedRoutines.h"
#include "SeriesCompute/WorkCount.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeBoxCox";

// The error sum of the trend line through the scaled values y (time 1 .. n)
// from the regression's own coefficient steps. Where the trend regression
// succeeds with finite coefficients and sum (three values or more), it
// stores these coefficients and fitted values and the error sum of its
// series is this sum bit for bit. Otherwise false: the whole regression
// then runs and fails or succeeds as it does.
bool trendLineErrorSum(const std::vector<double>& y, double& sum)
{
    const std::int32_t n = static_cast<std::int32_t>(y.size());
    if (n < 3)
        return false;
    std::vector<double> time(y.size());
    for (std::int32_t j = 0; j < n; ++j)
        time[static_cast<std::size_t>(j)] = j + 1.0;
    double intercept = 0.0;
    double slope = 0.0;
    double sse = 0.0;
    try {
        regressionLineCoefficients(time.data(), y.data(), n, intercept, slope, &sse);
    } catch (const MVRBaseException&) {
        rethrowOutOfMemory();
        return false;
    }
    if (!(std::isfinite(intercept) && std::isfinite(slope) && std::isfinite(sse)))
        return false;
    sum = sse;
    return true;
}
}  // namespace

double computeBoxCox(Series& series, std::int32_t last, std::int32_t count, double lamda)
{
    resolveSeriesRange(series, last, count);
    if (last < 0)
        qdThrow(QD_SOURCE_PATH, 40, ErrorCode::NegativeIndex);
    if (last >= series.numObservations())
        qdThrow(QD_SOURCE_PATH, 43, ErrorCode::OutOfBounds);
    if (count <= 0)
        qdThrow(QD_SOURCE_PATH, 46, ErrorCode::IllegalNumHistoricalValues);
    if (static_cast<std::int64_t>(last) - count + 1 < 0)
        qdThrow(QD_SOURCE_PATH, 49, ErrorCode::NotEnoughHistoricalData);
    // Written as "not inside" so that a lamda that is not a number fails.
    if (!(lamda >= -1.0 && lamda <= 1.0))
        qdThrow(QD_SOURCE_PATH, 52, ErrorCode::IllegalLambda);

    const std::int32_t first = last - count + 1;
    const double* v = series.values(0);
    noteWork(WorkKind::BoxCoxRegression, v + first, count, 0, 0, &lamda, 1);
    std::vector<double> y(static_cast<std::size_t>(count));
    double sumLog = 0.0;
    for (std::int32_t i = 0; i < count; ++i) {
        const double x = v[first + i];
        if (!(x > 0.0))
            qdThrow(QD_SOURCE_PATH, 62, ErrorCode::IllegalBoxCoxValue);
        sumLog += std::log(x);
        y[static_cast<std::size_t>(i)] = lamda != 0.0 ? std::pow(x, lamda) - 1.0 : std::log(x);
    }
    const double g = std::exp(sumLog / count);
    const double factor = lamda != 0.0 ? 1.0 / (lamda * std::pow(g, lamda - 1.0)) : g;

    for (double& value : y)
        value *= factor;
    double sum = 0.0;
    if (trendLineErrorSum(y, sum))
        return sum;

    Series work(count);
    for (double value : y)
        work.addObservation(value, QD_SUPPLIED, FdCString());

    SeriesForecastLinearRegression line(QD_LAST, QD_ALL, 0, true, 0.0, false, 0.0, 0.0);
    SeriesOpApplySeriesForecast fitLine(line);
    fitLine.apply(work);
    SeriesComputeSumSquaredError sseOfLine(QD_LAST, QD_ALL);
    SeriesOpApplySeriesCompute storeSse(sseOfLine);
    storeSse.apply(work);
    return work.storedResults.value(QD_SUM_SQUARED_ERROR);
}

// The error sum grows with the square of the geometric mean: wherever an
// intermediate overflows, so does the result itself (for every lamda in
// [-1, 1]), and that is reported instead of stored.
double SeriesComputeBoxCox::compute(Series& series)
{
    return finiteResult(computeBoxCox(series, last, count, lamda), QD_SOURCE_PATH, __LINE__);
}

}  // namespace qd
