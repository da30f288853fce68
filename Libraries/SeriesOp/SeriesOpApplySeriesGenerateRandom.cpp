#include "Matrix/SeriesOpApplySeriesGenerateRandom.h"

#include "Matrix/Series.h"

namespace qd {

void SeriesOpApplySeriesGenerateRandom::apply(Series& series)
{
    compute->generate(series);
}

} // namespace qd
