#include "SeriesCompute/SeriesComputeCreateDecompositionIndex.h"

#include <cmath>
#include <vector>

#include "Matrix/MVRBaseException.h"
#include "SeriesCompute/DecompositionType.h"
#include "SeriesCompute/SeasonalLengthDetection.h"
#include "SeriesCompute/SeriesComputeCenteredMovingAverage.h"
#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/SharedRoutines.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeCreateDecompositionIndex";

}  // namespace

SeriesComputeCreateDecompositionIndex::SeriesComputeCreateDecompositionIndex(std::int32_t last, std::int32_t count,
                                                                             std::int32_t SeasonalLength,
                                                                             std::int32_t decompType,
                                                                             bool useInitialIndex)
    : SeriesCompute(last, count), SeasonalLength(SeasonalLength), decompType(decompType),
      useInitialIndex(useInitialIndex)
{
}

std::int32_t SeriesComputeCreateDecompositionIndex::checkParameters(Series& series, std::int32_t& last,
                                                                    std::int32_t& count)
{
    if (decompType != kAdditiveDecomposition && decompType != kMultiplicativeDecomposition)
        qdThrow(QD_SOURCE_PATH, 83, ErrorCode::DecompositionTypeNotSupported);
    last = this->last;
    count = this->count;
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 1);
    std::int32_t L = SeasonalLength;
    if (useInitialIndex)
        L = series.storedResults.count(static_cast<std::int16_t>(QD_INITIAL_SEASONAL_INDEX));
    // Detected over the whole series; any autocorrelation above -1 counts
    // as a season. The detection's own failures (too little data) pass
    // through.
    if (L == QD_COMPUTE && detectSeasonalLength(series, 0, -1.0, -1.0, &L, 2.0) != QD_SEASONALITY_FOUND)
        qdThrow(QD_SOURCE_PATH, 101, ErrorCode::NotSeasonalData);
    if (L <= 0)
        qdThrow(QD_SOURCE_PATH, 105, ErrorCode::InvalidSeasonalLength);
    if (!useInitialIndex && count < L)
        qdThrow(QD_SOURCE_PATH, 109, ErrorCode::IllegalNumHistoricalValues);
    return L;
}

double SeriesComputeCreateDecompositionIndex::compute(Series& series)
{
    // Resolved for this series only: the object runs over every series of
    // a matrix.
    std::int32_t last = 0;
    std::int32_t count = 0;
    const std::int32_t L = checkParameters(series, last, count);
    const std::int32_t start = last - count + 1;
    std::vector<double> factors(static_cast<std::size_t>(L), 0.0);
    if (useInitialIndex) {
        for (std::int32_t j = 0; j < L; ++j) {
            double f = 0.0;
            series.storedResults.lookupMultiple(QD_INITIAL_SEASONAL_INDEX, j, f);
            if (decompType == kMultiplicativeDecomposition && std::fabs(f) < 1e-12)
                f = 1.0;
            factors[static_cast<std::size_t>(j)] = f;
        }
        for (std::int32_t i = 0; i < series.numObservations(); ++i) {
            Observation& o = series.observation(i);
            o.storedResults.store(QD_MEASUREMENT, o.value);
        }
    } else {
        SeriesComputeCenteredMovingAverage(series, last, count, L);
        const double* v = series.values();
        const std::int32_t h = L / 2;
        std::vector<double> sums(static_cast<std::size_t>(L), 0.0);
        std::vector<std::int32_t> counts(static_cast<std::size_t>(L), 0);
        const bool multiplicative = decompType == kMultiplicativeDecomposition;
        for (std::int32_t i = start + h; i <= last - h; ++i) {
            const double average = series.observation(i).storedResults.value(QD_CENTERED_MOVING_AVERAGE);
            const std::size_t p = static_cast<std::size_t>((i - start) % L);
            if (multiplicative) {
                if (std::fabs(average) > 1e-12) {
                    sums[p] += v[i] / average;
                    ++counts[p];
                }
            } else {
                sums[p] += v[i] - average;
                ++counts[p];
            }
        }
        for (std::size_t p = 0; p < factors.size(); ++p) {
            if (multiplicative)
                factors[p] = (counts[p] > 0 && std::fabs(sums[p]) > 1e-12) ? sums[p] / counts[p] : 1.0;
            else
                factors[p] = counts[p] > 0 ? sums[p] / counts[p] : 0.0;
        }
        normalizeSeasonalIndexes(L, multiplicative ? 2 : 1, factors.data());
        series.storedResults.createMultiple(QD_DECOMPOSITION_INDEX, L);
        series.storedResults.createMultiple(QD_INITIAL_SEASONAL_INDEX, L);
        for (std::int32_t j = 0; j < L; ++j) {
            series.storedResults.storeMultiple(QD_DECOMPOSITION_INDEX, j, factors[static_cast<std::size_t>(j)]);
            series.storedResults.storeMultiple(QD_INITIAL_SEASONAL_INDEX, j, factors[static_cast<std::size_t>(j)]);
        }
    }
    series.seasonalLength = L;
    series.setDirty(true, true);
    series.decompositionType = decompType;
    return 0.0;
}

}  // namespace qd
