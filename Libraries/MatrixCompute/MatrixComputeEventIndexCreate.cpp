#include "MatrixCompute/MatrixComputeEventIndexCreate.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Matrix/MVRBaseException.h"
#include "Matrix/Matrix.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SharedRoutines.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\MatrixCompute\\MatrixComputeEventIndexCreate";

bool holds(const Observation& o, std::int32_t type, double& value)
{
    return o.storedResults.lookup(type, value) == QD_QUANTITY_FOUND;
}

// The measured value: kept as quantity 16 by an earlier run (which also
// left quantity 3), else the value itself.
double measuredValue(const Observation& o)
{
    double index = 0.0;
    double measured = 0.0;
    if (holds(o, QD_EVENT_INDEX_OBSERVATION, index) && holds(o, QD_MEASUREMENT, measured))
        return measured;
    return o.value;
}

// The shift that makes every value and forecast of the series positive
// before ratios are formed.
double eventOffset(const Series& s)
{
    double lo = 0.0;
    double hi = 0.0;
    for (std::int32_t i = 0; i < s.numObservations(); ++i) {
        const Observation& o = s.observation(i);
        double forecast = o.value;
        holds(o, QD_FORECAST, forecast);
        const double a = std::min(o.value, forecast);
        const double b = std::max(o.value, forecast);
        if (i == 0 || a < lo)
            lo = a;
        if (i == 0 || b > hi)
            hi = b;
    }
    double offset = lo <= 1e-9 ? std::fabs(lo) + (hi - lo) * 0.5 : 0.0;
    if (std::fabs(offset) <= 1e-9)
        offset = 1.0;
    return offset;
}

}  // namespace

MatrixComputeEventIndexCreate::MatrixComputeEventIndexCreate(std::int32_t observationNumber,
                                                             std::int32_t numForecastPeriods,
                                                             std::int32_t eventSeriesIndex, double EISmoothingWeight)
    : EventModelErrorCheck(observationNumber, numForecastPeriods, eventSeriesIndex),
      EISmoothingWeight(EISmoothingWeight)
{
}

void MatrixComputeEventIndexCreate::compute(Matrix& matrix)
{
    const double w = EISmoothingWeight;
    if (!(w >= 0.0 && w <= 1.0))
        qdThrow(QD_SOURCE_PATH, 49, ErrorCode::IllegalEventSmoothingWeight);
    std::vector<std::int32_t> flags;
    const std::int32_t K = checkAndScan(matrix, flags);

    // Every event observation of every taking part series needs its
    // forecast: checked before anything changes.
    for (std::int32_t j = 0; j < matrix.numSeries(); ++j) {
        if (!participates(matrix, j))
            continue;
        const Series& s = matrix.series(j);
        for (std::int32_t i = observationNumber; i < s.numObservations(); ++i) {
            double forecast = 0.0;
            if (flags[static_cast<std::size_t>(i)] > 0 && !holds(s.observation(i), QD_FORECAST, forecast))
                qdThrow(QD_SOURCE_PATH, 96, ErrorCode::NoEventForecast);
        }
    }

    const std::size_t slots = static_cast<std::size_t>(K) + 1;
    std::vector<double> index(slots);
    std::vector<bool> seen(slots);
    std::vector<double> normalised(slots);
    for (std::int32_t j = 0; j < matrix.numSeries(); ++j) {
        if (!participates(matrix, j))
            continue;
        Series& s = matrix.series(j);
        const double offset = eventOffset(s);
        s.eventOffset = offset;
        std::fill(index.begin(), index.end(), 1.0);
        std::fill(seen.begin(), seen.end(), false);
        for (std::int32_t i = observationNumber; i < s.numObservations(); ++i) {
            Observation& o = s.observation(i);
            const std::int32_t e = flags[static_cast<std::size_t>(i)];
            const double v = measuredValue(o);
            if (e == 0) {
                o.storedResults.store(QD_EVENT_INDEX_OBSERVATION, 1.0);
                o.storedResults.store(QD_MEASUREMENT, v);
                o.value = v;
                continue;
            }
            const std::size_t k = static_cast<std::size_t>(e);
            const double F = o.storedResults.value(QD_FORECAST);
            const double ratio = std::fabs(F + offset) < 1e-9 ? 0.0 : (v + offset) / (F + offset);
            index[k] = seen[k] ? (1.0 - w) * ratio + w * index[k] : ratio;
            seen[k] = true;
            o.storedResults.store(QD_MEASUREMENT, v);
            o.value = std::fabs(index[k]) >= 1e-9 ? (v + offset) / index[k] - offset : v;
            o.storedResults.store(QD_EVENT_INDEX_OBSERVATION, index[k]);
        }
        std::copy(index.begin(), index.end(), normalised.begin());
        normalizeSeasonalIndexes(K + 1, 2, normalised.data());
        s.storedResults.createMultiple(QD_EVENT_INDEX_SERIES, K + 1);
        s.storedResults.createMultiple(QD_INITIAL_SEASONAL_INDEX, K + 1);
        for (std::int32_t k = 0; k <= K; ++k) {
            s.storedResults.storeMultiple(QD_EVENT_INDEX_SERIES, k, index[static_cast<std::size_t>(k)]);
            s.storedResults.storeMultiple(QD_INITIAL_SEASONAL_INDEX, k, normalised[static_cast<std::size_t>(k)]);
        }
        s.seasonalLength = K + 1;
        s.setDirty(true, true);
    }
    matrix.seasonalLength = K + 1;
    matrix.decompositionType = 2;
}

}  // namespace qd
