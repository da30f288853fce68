#include "MatrixCompute/MatrixComputeEventIndexApply.h"

#include <cmath>
#include <vector>

#include "Matrix/MVRBaseException.h"
#include "Matrix/Matrix.h"
#include "Matrix/QuantityTypes.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\MatrixCompute\\MatrixComputeEventIndexApply";

// The K + 1 stored indexes of a series; false when any is missing.
bool storedIndexes(const Series& s, std::int32_t K, std::vector<double>& index)
{
    index.assign(static_cast<std::size_t>(K) + 1, 0.0);
    for (std::int32_t k = 0; k <= K; ++k) {
        if (s.storedResults.lookupMultiple(QD_EVENT_INDEX_SERIES, k, index[static_cast<std::size_t>(k)]) !=
            QD_QUANTITY_FOUND)
            return false;
    }
    return true;
}

}  // namespace

MatrixComputeEventIndexApply::MatrixComputeEventIndexApply(std::int32_t observationNumber,
                                                           std::int32_t numForecastPeriods,
                                                           std::int32_t eventSeriesIndex)
    : EventModelErrorCheck(observationNumber, numForecastPeriods, eventSeriesIndex)
{
}

void MatrixComputeEventIndexApply::compute(Matrix& matrix)
{
    std::vector<std::int32_t> flags;
    const std::int32_t K = checkAndScan(matrix, flags);
    std::vector<double> index;
    // Every taking part series must have its indexes before any changes.
    for (std::int32_t j = 0; j < matrix.numSeries(); ++j) {
        if (participates(matrix, j) && !storedIndexes(matrix.series(j), K, index))
            qdThrow(QD_SOURCE_PATH, 58, ErrorCode::NotEnoughEventIndexes);
    }
    for (std::int32_t j = 0; j < matrix.numSeries(); ++j) {
        if (!participates(matrix, j))
            continue;
        Series& s = matrix.series(j);
        storedIndexes(s, K, index);
        const double offset = s.eventOffset;
        for (std::int32_t i = observationNumber; i < s.numObservations(); ++i) {
            Observation& o = s.observation(i);
            double factor = 0.0;
            const bool history = o.storedResults.lookup(QD_EVENT_INDEX_OBSERVATION, factor) == QD_QUANTITY_FOUND;
            if (!history)
                factor = index[static_cast<std::size_t>(flags[static_cast<std::size_t>(i)])];
            double measured = o.value;
            o.storedResults.lookup(QD_MEASUREMENT, measured);
            // An observation the method did not forecast gets no forecast
            // here either; its history value is restored all the same.
            double F = 0.0;
            if (o.storedResults.lookup(QD_FORECAST, F) != QD_QUANTITY_FOUND) {
                if (history)
                    o.value = measured;
                continue;
            }
            const double forecast = appliedForecast(F, factor, offset, measured);
            o.storedResults.store(QD_FORECAST, forecast);
            o.value = history ? measured : forecast;
        }
        s.setDirty(true, true);
    }
    matrix.decompositionType = 2;
}

}  // namespace qd
