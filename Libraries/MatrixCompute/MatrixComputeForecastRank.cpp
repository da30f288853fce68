#include "MatrixCompute/MatrixComputeForecastRank.h"

#include <cmath>
#include <vector>

#include "Matrix/MVRBaseException.h"
#include "Matrix/MatrixOpApplySeriesCompute.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/SeriesComputeResult.h"
#include "SeriesCompute/SeriesComputeError.h"
#include "SeriesCompute/SeriesStatistics.h"

namespace qd {

namespace {

// An exact fit: its criterion can be any value (AIC and BIC of a zero sum
// are stored as 0.0), yet nothing fits better.
const double kPerfectFit = 1e-9;

// The parameter count of the series' own method; 1 where no count is known
// (no forecast, or a matrix method).
std::int32_t parameterCount(const Series& series)
{
    try {
        return series.numParameters(QD_COMPUTE);
    } catch (const MVRBaseException&) {
        rethrowOutOfMemory();
        return 1;
    }
}

// Stores the error of every series under the error type, as the per-series
// statistic applier does, with each series' own parameter count.
class ErrorWithOwnParameters : public SeriesCompute {
public:
    ErrorWithOwnParameters(std::int32_t last, std::int32_t count, std::int32_t errorType)
        : SeriesCompute(last, count), errorType(errorType)
    {
    }
    double compute(Series& series) override
    {
        return errorValue(series, last, count, errorType, parameterCount(series));
    }
    std::int32_t quantityId() const override { return errorType; }

    std::int32_t errorType;
};

}  // namespace

bool isSupportedErrorType(std::int32_t errorType)
{
    switch (errorType) {
    case QD_MEAN_SQUARE_ERROR:
    case QD_MEAN_ABSOLUTE_ERROR:
    case QD_MEAN_ABSOLUTE_PERCENTAGE_ERROR:
    case QD_STANDARD_DEVIATION_ERROR:
    case QD_DURBIN_WATSON:
    case QD_THEIL:
    case QD_ROOT_MEAN_SQUARE_ERROR:
    case QD_SUM_SQUARED_ERROR:
    case QD_AIC:
    case QD_BIC:
        return true;
    default:
        return false;
    }
}

MatrixComputeForecastRank::MatrixComputeForecastRank(std::int32_t last, std::int32_t numHistoricalValues,
                                                     std::int32_t errorType)
    : last(last), numHistoricalValues(numHistoricalValues), errorType(errorType)
{
}

void MatrixComputeForecastRank::compute(Matrix& matrix)
{
    const std::int32_t k = matrix.numSeries();
    if (k == 0)
        return;
    if (last == QD_LAST)
        last = matrix.series(0).numObservations() - 1;
    if (numHistoricalValues == QD_ALL)
        numHistoricalValues = matrix.series(0).numObservations();
    ErrorWithOwnParameters error(last, numHistoricalValues, errorType);
    MatrixOpApplySeriesCompute applier(error);
    matrix.applyRectangular(applier);

    std::vector<double> e(static_cast<std::size_t>(k));
    std::vector<bool> perfect(static_cast<std::size_t>(k));
    std::vector<std::int32_t> rank(static_cast<std::size_t>(k), 1);
    for (std::int32_t i = 0; i < k; ++i) {
        Series& s = matrix.series(i);
        e[i] = s.storedResults.value(errorType);
        perfect[i] = sumSquaredError(s, last, numHistoricalValues) < kPerfectFit;
    }
    for (std::int32_t i = 0; i < k; ++i) {
        for (std::int32_t j = i + 1; j < k; ++j) {
            const bool iFirst = perfect[i] || (!perfect[j] && e[i] <= e[j]);
            if (iFirst)
                ++rank[j];
            else
                ++rank[i];
        }
    }
    for (std::int32_t i = 0; i < k; ++i)
        matrix.series(i).storedResults.store(QD_FORECAST_RANK, rank[i]);
}

}  // namespace qd
