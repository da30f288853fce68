#include "SeriesCompute/SeriesComputeError.h"

#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/FitCriteria.h"
#include "SeriesCompute/SeriesStatistics.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeError";
}

double errorValue(Series& series, std::int32_t last, std::int32_t count, std::int32_t errorType,
                  std::int32_t numParameters)
{
    switch (errorType) {
    case QD_MEAN_SQUARE_ERROR:
        return meanSquareError(series, last, count);
    case QD_MEAN_ABSOLUTE_ERROR:
        return meanAbsoluteError(series, last, count);
    case QD_MEAN_ABSOLUTE_PERCENTAGE_ERROR:
        return meanAbsolutePercentageError(series, last, count);
    case QD_STANDARD_DEVIATION_ERROR:
        return standardDeviationError(series, last, count);
    case QD_DURBIN_WATSON:
        return durbinWatson(series, last, count, 1);
    case QD_THEIL:
        return theilStatistic(series, last, count);
    case QD_ROOT_MEAN_SQUARE_ERROR:
        return rootMeanSquareError(series, last, count);
    case QD_SUM_SQUARED_ERROR:
        return sumSquaredError(series, last, count);
    case QD_AIC:
        return computeAIC(series, last, count, numParameters, -1.0);
    case QD_BIC:
        return computeBIC(series, last, count, numParameters, -1.0);
    default:
        qdThrow(QD_SOURCE_PATH, publishedLine(68), ErrorCode::ErrorTermNotSupported);
    }
}

double SeriesComputeError::compute(Series& series)
{
    return errorValue(series, last, count, errorType, 1);
}

} // namespace qd
