#include <cmath>

#include "Matrix/MVRBaseException.h"
#include "SeriesCompute/FitCriteria.h"
#include "SeriesCompute/SeriesStatistics.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeAIC";
}  // namespace

std::int32_t fitCriterionParameterCount(const Series& series, std::int32_t numParameters)
{
    if (numParameters != QD_COMPUTE)
        return numParameters;
    try {
        return series.numParameters(QD_COMPUTE);
    } catch (const MVRBaseException&) {
        rethrowOutOfMemory();
        // No method applied, or one whose count is unknown: one parameter.
        return 1;
    }
}

double informationCriterion(Series& series, std::int32_t last, std::int32_t count, std::int32_t numParameters,
                            double sse, bool bayesian, const char* sourcePath)
{
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 1);
    const std::int32_t k = fitCriterionParameterCount(series, numParameters);
    if (k <= 0)
        qdThrow(sourcePath, 75, ErrorCode::IllegalDegreesOfFreedom);
    if (sse < 0.0)
        sse = sumSquaredError(series, last, count);
    if (std::fabs(sse) < 1e-9)
        return 0.0;
    const double n = static_cast<double>(count);
    // 6.283185307 stands for 2 pi, with exactly these digits. The criteria
    // keep the whole constant n (ln 2 pi + 1) and count only the k
    // parameters given (not the error variance). Some statistics packages
    // leave the constant out, count the variance as a parameter or divide by
    // n, so their values differ from these by a constant or a scale; the
    // formulas here are kept as they are.
    const double fit = n * (std::log(6.283185307) + 1.0 + std::log(sse / n));
    return bayesian ? fit + k * std::log(n) : fit + 2.0 * k;
}

double computeAIC(Series& series, std::int32_t last, std::int32_t count, std::int32_t numParameters, double sse)
{
    return informationCriterion(series, last, count, numParameters, sse, false, QD_SOURCE_PATH);
}

double SeriesComputeAIC::compute(Series& series)
{
    return computeAIC(series, last, count, numParameters, -1.0);
}

}  // namespace qd
