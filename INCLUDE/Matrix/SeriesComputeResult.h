// Where the series-statistic appliers put a statistic's result.
#ifndef QD_MATRIX_SERIESCOMPUTERESULT_H
#define QD_MATRIX_SERIESCOMPUTERESULT_H

#include <cstdint>

namespace qd {

class Series;

// A single-valued type (2000-2083) is stored among the series' stored
// results; a multi-valued type (4000-4015) replaces the type's vector by
// one slot holding v; any other type stores nothing.
void storeSeriesComputeResult(Series& series, std::int32_t type, double v);

} // namespace qd

#endif
