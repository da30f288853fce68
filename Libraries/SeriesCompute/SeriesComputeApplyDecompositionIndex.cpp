#include "SeriesCompute/SeriesComputeApplyDecompositionIndex.h"

#include <vector>

#include "Matrix/MVRBaseException.h"
#include "SeriesCompute/DecompositionType.h"
#include "SeriesCompute/SeriesStatistics.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeApplyDecompositionIndex";

}  // namespace

SeriesComputeApplyDecompositionIndex::SeriesComputeApplyDecompositionIndex(std::int32_t last, std::int32_t count,
                                                                           std::int32_t decompType, bool)
    : SeriesCompute(last, count), decompType(decompType), numFactors(0)
{
}

double SeriesComputeApplyDecompositionIndex::compute(Series& series)
{
    // Resolved for this series only: the object runs over every series of
    // a matrix.
    std::int32_t last = this->last;
    std::int32_t count = this->count;
    // Any other type would add the factors of a multiplicative index.
    if (decompType != kAdditiveDecomposition && decompType != kMultiplicativeDecomposition)
        qdThrow(QD_SOURCE_PATH, 35, ErrorCode::IllegalDecompositionType);
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 1);
    const std::int32_t L = series.storedResults.count(static_cast<std::int16_t>(QD_DECOMPOSITION_INDEX));
    if (L <= 0)
        qdThrow(QD_SOURCE_PATH, 47, ErrorCode::NoDecompositionIndex);
    numFactors = L;
    std::vector<double> factors(static_cast<std::size_t>(L), 0.0);
    for (std::int32_t j = 0; j < L; ++j)
        series.storedResults.lookupMultiple(QD_DECOMPOSITION_INDEX, j, factors[static_cast<std::size_t>(j)]);
    const bool multiplicative = decompType == kMultiplicativeDecomposition;
    const std::int32_t start = last - count + 1;
    for (std::int32_t i = start; i <= last; ++i) {
        const double f = factors[static_cast<std::size_t>((i - start) % L)];
        Observation& o = series.observation(i);
        o.value = multiplicative ? o.value * f : o.value + f;
        double forecast = 0.0;
        if (o.storedResults.lookup(QD_FORECAST, forecast) == QD_QUANTITY_FOUND)
            o.storedResults.store(QD_FORECAST, multiplicative ? forecast * f : forecast + f);
    }
    series.setDirty(true, true);
    series.decompositionType = decompType;
    return 0.0;
}

}  // namespace qd
