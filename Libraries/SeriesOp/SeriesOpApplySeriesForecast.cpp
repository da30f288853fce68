#include "Matrix/SeriesOpApplySeriesForecast.h"

#include "Matrix/Series.h"

namespace qd {

void SeriesOpApplySeriesForecast::apply(Series& series)
{
    if (series.numObservations() > 0)
        compute->compute(series, flag);
}

} // namespace qd
