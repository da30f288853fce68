#include "SeriesCompute/SeriesStatistics.h"

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeDifference";
}

double difference(Series& series, std::int32_t last, std::int32_t numValuesBack)
{
    if (last == QD_LAST)
        last = series.numObservations() - 1;
    if (last < 0)
        qdThrow(QD_SOURCE_PATH, 47, 3000);
    if (numValuesBack < 0)
        qdThrow(QD_SOURCE_PATH, 51, 3043);
    if (last - numValuesBack < 0)
        qdThrow(QD_SOURCE_PATH, 55, 3000);
    if (last >= series.numObservations())
        qdThrow(QD_SOURCE_PATH, 59, 3006);
    return series.observation(last).value - series.observation(last - numValuesBack).value;
}

double SeriesComputeDifference::compute(Series& series)
{
    return difference(series, last, numValuesBack());
}
