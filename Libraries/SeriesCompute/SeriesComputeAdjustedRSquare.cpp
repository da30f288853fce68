#include "Matrix/MVRBaseException.h"
#include "SeriesCompute/FitCriteria.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeAdjustedRSquare";
}  // namespace

double computeAdjustedRSquare(Series& series, std::int32_t last, std::int32_t count, std::int32_t numParameters)
{
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 2);
    const std::int32_t k = fitCriterionParameterCount(series, numParameters);
    if (k > 0 && k < count) {
        const double r2 = computeRSquare(series, last, count);
        const double n = static_cast<double>(count);
        const double adjusted = 1.0 - (1.0 - r2) * (n - 1.0) / (n - k);
        return adjusted < 0.0 ? 0.0 : adjusted;
    }
    if (numParameters == QD_COMPUTE)
        return 0.0;
    qdThrow(QD_SOURCE_PATH, 60, ErrorCode::IllegalDegreesOfFreedom);
}

double SeriesComputeAdjustedRSquare::compute(Series& series)
{
    return computeAdjustedRSquare(series, last, count, numParameters);
}

}  // namespace qd
