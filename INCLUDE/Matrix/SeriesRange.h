// The range of a series request (last, count): its sentinels resolved and
// its check, used by the data model (Series) and by the statistics of the
// compute library.
//
// The error locations are the published ones of the compute interface
// header, where this check was first defined; they do not follow this file.
#ifndef QD_MATRIX_SERIESRANGE_H
#define QD_MATRIX_SERIESRANGE_H

#include <cstdint>

#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"

namespace qd {

// Replaces QD_LAST by the last index and QD_ALL by the observation count.
inline void resolveSeriesRange(const Series& series, std::int32_t& last, std::int32_t& count)
{
    if (last == QD_LAST)
        last = series.numObservations() - 1;
    if (count == QD_ALL)
        count = series.numObservations();
}

// The range check of the series statistics, called with `last` and `count`
// already resolved (QD_LAST, QD_ALL). The first failing check throws:
// last < 0 (3000), count < minCount (3001), last >= number of observations
// (3006), last - count + 1 < 0 (3005).
inline void checkSeriesRange(const Series& series, std::int32_t last, std::int32_t count,
                             std::int32_t minCount)
{
    if (last < 0)
        qdThrow("INCLUDE\\SeriesCompute/SeriesCompute", publishedLine(139), ErrorCode::NegativeIndex);
    if (count < minCount)
        qdThrow("INCLUDE\\SeriesCompute/SeriesCompute", publishedLine(142), ErrorCode::IllegalNumHistoricalValues);
    if (last >= series.numObservations())
        qdThrow("INCLUDE\\SeriesCompute/SeriesCompute", publishedLine(145), ErrorCode::OutOfBounds);
    if (static_cast<std::int64_t>(last) - count + 1 < 0)
        qdThrow("INCLUDE\\SeriesCompute/SeriesCompute", publishedLine(148), ErrorCode::NotEnoughHistoricalData);
}

} // namespace qd

#endif
