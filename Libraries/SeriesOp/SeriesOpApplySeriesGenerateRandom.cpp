#include "Matrix/SeriesOpApplySeriesGenerateRandom.h"

#include "Matrix/Series.h"

void SeriesOpApplySeriesGenerateRandom::apply(Series& series)
{
    compute->generate(series);
}
