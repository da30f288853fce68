#include "MatrixCompute/EventModelErrorCheck.h"

#include <cmath>

#include "Matrix/MVRBaseException.h"
#include "Matrix/Matrix.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\MatrixCompute\\EventModelErrorCheck";

}  // namespace

EventModelErrorCheck::EventModelErrorCheck(std::int32_t observationNumber, std::int32_t numForecastPeriods,
                                           std::int32_t eventSeriesIndex)
    : observationNumber(observationNumber), numForecastPeriods(numForecastPeriods),
      eventSeriesIndex(eventSeriesIndex)
{
}

void EventModelErrorCheck::commonCheck(Matrix& matrix)
{
    if (observationNumber < 0)
        qdThrow(QD_SOURCE_PATH, 37, ErrorCode::NegativeIndex);
    if (numForecastPeriods < 0)
        qdThrow(QD_SOURCE_PATH, 40, ErrorCode::IllegalForecastPeriods);
    eventSeriesIndex = matrix.dependentSeriesIndex(QD_EVENT);
    if (eventSeriesIndex < 0)
        qdThrow(QD_SOURCE_PATH, 44, ErrorCode::RequiredSeriesMissing);
    if (observationNumber >= matrix.series(eventSeriesIndex).numObservations())
        qdThrow(QD_SOURCE_PATH, 47, ErrorCode::OutOfBounds);
}

void EventModelErrorCheck::lengthCheck(Matrix& matrix)
{
    const std::int64_t allowed =
        static_cast<std::int64_t>(matrix.series(eventSeriesIndex).numObservations()) - numForecastPeriods;
    for (std::int32_t j = 0; j < matrix.numSeries(); ++j) {
        if (j != eventSeriesIndex && matrix.series(j).numObservations() > allowed)
            qdThrow(QD_SOURCE_PATH, 58, ErrorCode::NotEnoughEventFlags);
    }
}

std::int32_t EventModelErrorCheck::scanFlags(Matrix& matrix, std::vector<std::int32_t>& flags)
{
    const Series& events = matrix.series(eventSeriesIndex);
    const std::int32_t n = events.numObservations();
    flags.assign(static_cast<std::size_t>(n), 0);
    std::int32_t K = 0;
    for (std::int32_t i = observationNumber; i < n; ++i) {
        const double x = events.observation(i).value;
        // Truncation must give a number 0 .. 2^31 - 1; NaN fails too.
        if (!(x > -1.0 && x < 2147483648.0))
            qdThrow(QD_SOURCE_PATH, 72, ErrorCode::NegativeEventFlag);
        const std::int32_t e = static_cast<std::int32_t>(x);
        flags[static_cast<std::size_t>(i)] = e;
        if (e > K)
            K = e;
    }
    if (K <= 0)
        qdThrow(QD_SOURCE_PATH, 80, ErrorCode::NoEventFlag);
    // Events 1 .. K all occurring needs at least K flags.
    if (K > n - observationNumber)
        qdThrow(QD_SOURCE_PATH, 84, ErrorCode::EventFlagsNotSequential);
    std::vector<bool> seen(static_cast<std::size_t>(K) + 1, false);
    for (std::int32_t i = observationNumber; i < n; ++i)
        seen[static_cast<std::size_t>(flags[static_cast<std::size_t>(i)])] = true;
    for (std::int32_t e = 1; e <= K; ++e) {
        if (!seen[static_cast<std::size_t>(e)])
            qdThrow(QD_SOURCE_PATH, 84, ErrorCode::EventFlagsNotSequential);
    }
    return K;
}

std::int32_t EventModelErrorCheck::checkAndScan(Matrix& matrix, std::vector<std::int32_t>& flags)
{
    commonCheck(matrix);
    lengthCheck(matrix);
    return scanFlags(matrix, flags);
}

bool EventModelErrorCheck::participates(const Matrix& matrix, std::int32_t j) const
{
    return j != eventSeriesIndex && matrix.series(j).forecastMethodNumber != -1;
}

}  // namespace qd
