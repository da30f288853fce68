#include "SeriesCompute/SeriesStatistics.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeDifference";
}

double valueDifference(Series& series, std::int32_t last, std::int32_t numValuesBack)
{
    if (last == QD_LAST)
        last = series.numObservations() - 1;
    if (last < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(47), ErrorCode::NegativeIndex);
    if (numValuesBack < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(51), ErrorCode::NegativeNumValuesBack);
    if (last - numValuesBack < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(55), ErrorCode::NegativeIndex);
    if (last >= series.numObservations())
        qdThrow(QD_SOURCE_PATH, publishedLine(59), ErrorCode::OutOfBounds);
    return series.observation(last).value - series.observation(last - numValuesBack).value;
}

double SeriesComputeDifference::compute(Series& series)
{
    return valueDifference(series, last, numValuesBack());
}

} // namespace qd
