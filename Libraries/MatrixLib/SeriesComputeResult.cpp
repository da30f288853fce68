#include "Matrix/SeriesComputeResult.h"

#include "Matrix/Series.h"

namespace qd {

void storeSeriesComputeResult(Series& series, std::int32_t type, double v)
{
    if (type >= SeriesQC::FIRST_SINGLE && type <= SeriesQC::LAST_SINGLE) {
        series.storedResults.store(type, v);
    } else if (type >= SeriesQC::FIRST_MULTIPLE && type <= SeriesQC::LAST_MULTIPLE) {
        series.storedResults.createMultiple(type, 1);
        series.storedResults.storeMultiple(type, 0, v);
    }
}

} // namespace qd
