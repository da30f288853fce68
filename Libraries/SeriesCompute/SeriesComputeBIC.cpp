#include "SeriesCompute/FitCriteria.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeBIC";
}  // namespace

double computeBIC(Series& series, std::int32_t last, std::int32_t count, std::int32_t numParameters, double sse)
{
    return informationCriterion(series, last, count, numParameters, sse, true, QD_SOURCE_PATH);
}

double SeriesComputeBIC::compute(Series& series)
{
    return computeBIC(series, last, count, numParameters, -1.0);
}

}  // namespace qd
