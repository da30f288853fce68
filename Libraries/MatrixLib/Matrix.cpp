#include "Matrix/Matrix.h"

#include <functional>

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\MatrixLib\\Matrix";

constexpr std::uint32_t DEFAULT_PLACES = 64;
}  // namespace

Matrix::Matrix()
    : forecastMethodNumber(-1), seasonalLength(0), decompositionType(0), storedResults(), description_(),
      series_()
{
}

Matrix::~Matrix() = default;

void Matrix::appendSeriesUpTo(std::int32_t i)
{
    if (i < numSeries())
        return;
    const std::uint32_t needed = static_cast<std::uint32_t>(i) + 1;
    if (needed > series_.capacity()) {
        std::uint32_t grown = series_.capacity() * 2;
        if (grown < needed)
            grown = needed;
        series_.reserve(grown);
    }
    const Series empty;
    while (numSeries() <= i)
        series_.insert(empty);
}

void Matrix::appendSeries(const Series& s)
{
    if (series_.entries() == series_.capacity()) {
        // s may be one of this matrix's own series: copy it before the
        // array moves.
        const Series copy(s);
        series_.reserve(series_.capacity() < DEFAULT_PLACES ? DEFAULT_PLACES : series_.capacity() * 2);
        series_.insert(copy);
    } else {
        series_.insert(s);
    }
}

Series& Matrix::seriesAt(std::int32_t i)
{
    if (i < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(208), ErrorCode::NegativeIndex);
    appendSeriesUpTo(i);
    return series(i);
}

bool Matrix::isRectangular() const
{
    if (numSeries() == 0)
        return false;
    const std::int32_t length = series(0).numObservations();
    for (std::int32_t j = 1; j < numSeries(); ++j) {
        if (series(j).numObservations() != length)
            return false;
    }
    return true;
}

std::int32_t Matrix::dependentSeriesIndex(std::int32_t role) const
{
    std::int32_t index = -1;
    std::int32_t matches = 0;
    for (std::int32_t j = 0; j < numSeries(); ++j) {
        if (series(j).dependenceType == role) {
            index = j;
            ++matches;
        }
    }
    if (matches > 1)
        qdThrow(QD_SOURCE_PATH, publishedLine(518), ErrorCode::MultipleDependentSeries);
    return index;
}

void Matrix::addSeries(const Series& s)
{
    appendSeries(s);
}

void Matrix::replaceSeriesAt(std::int32_t i, const Series& s)
{
    if (i < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(527), ErrorCode::NegativeIndex);
    if (i >= numSeries()) {
        // Growing may move s when it is one of this matrix's own series.
        const Series copy(s);
        appendSeriesUpTo(i);
        series(i) = copy;
        return;
    }
    series(i) = s;
}

void Matrix::addObservation(std::int32_t seriesIndex, double value, std::int32_t originType,
                            const FdCString& description)
{
    const FdCString text(description);
    if (seriesIndex >= 0)
        appendSeriesUpTo(seriesIndex);
    series(seriesIndex).addObservation(value, originType, text);
}

void Matrix::appendToSeries(std::int32_t seriesIndex, const Observation& observation)
{
    const Observation copy(observation);
    if (seriesIndex >= 0)
        appendSeriesUpTo(seriesIndex);
    series(seriesIndex).appendObservation(copy);
}

void Matrix::reserve(std::int32_t n)
{
    if (n >= static_cast<std::int32_t>(DEFAULT_PLACES) + 1 && n >= numSeries())
        series_.resizeArray(static_cast<std::uint32_t>(n));
}

void Matrix::removeAll()
{
    series_.reset(DEFAULT_PLACES);
    storedResults.clear();
    forecastMethodNumber = -1;
    seasonalLength = 0;
}

void Matrix::removeAllCalculations()
{
    for (std::int32_t j = 0; j < numSeries(); ++j)
        series(j).removeAllCalculations();
    storedResults.clear();
    forecastMethodNumber = -1;
    seasonalLength = 0;
}

void Matrix::removeSeriesAt(std::int32_t i)
{
    if (i < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(263), ErrorCode::NegativeIndex);
    if (i >= numSeries())
        qdThrow(QD_SOURCE_PATH, publishedLine(267), ErrorCode::OutOfBounds);
    series_.removeAt(static_cast<std::uint32_t>(i));
}

void Matrix::removeAllObservationsAt(std::int32_t i)
{
    const Series& first = series(0);
    if (i < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(247), ErrorCode::NegativeIndex);
    if (i >= first.numObservations())
        qdThrow(QD_SOURCE_PATH, publishedLine(251), ErrorCode::OutOfBounds);
    // Every series is checked before the first one loses its observation,
    // with the failure the series itself would report.
    for (std::int32_t j = 0; j < numSeries(); ++j) {
        if (i >= series(j).numObservations())
            qdThrow("INCLUDE\\Matrix/Series", publishedLine(178), ErrorCode::OutOfBounds);
    }
    for (std::int32_t j = 0; j < numSeries(); ++j)
        series(j).removeObservationAt(i);
}

void Matrix::rangeForecast(bool checkHistory, bool changeForecastPeriodOnly, bool useCeiling, double ceiling,
                           bool useFloor, double floor)
{
    const std::int32_t n = numSeries();
    for (std::int32_t j = 0; j < n; ++j)
        series(j).rangeForecast(checkHistory, changeForecastPeriodOnly, useCeiling, ceiling, useFloor, floor);
}

void Matrix::removeMissingValues(std::int32_t observationNumber, std::int32_t numHistoricalValues, double lower,
                                 double upper)
{
    const std::int32_t n = numSeries();
    for (std::int32_t j = 0; j < n; ++j)
        series(j).removeMissingValues(observationNumber, numHistoricalValues, lower, upper);
}

void Matrix::setDirty(bool valuesFlag, bool forecastsFlag)
{
    const std::int32_t n = numSeries();
    for (std::int32_t j = 0; j < n; ++j)
        series(j).setDirty(valuesFlag, forecastsFlag);
}

void Matrix::apply(MatrixOp& op)
{
    if (numSeries() > 0)
        op.apply(*this);
}

void Matrix::applyRectangular(MatrixOp& op)
{
    if (numSeries() == 0)
        return;
    if (!isRectangular())
        qdThrow(QD_SOURCE_PATH, publishedLine(470), ErrorCode::InvalidMatrix);
    op.apply(*this);
}

std::int32_t Matrix::findSeries(std::uint64_t identity, std::int32_t hint) const
{
    if (identity == 0)
        return -1;
    const std::int32_t n = numSeries();
    if (hint >= 0 && hint < n && series(hint).currentIdentity() == identity)
        return hint;
    const Series* items = series_.data();
    for (std::int32_t j = 0; j < n; ++j) {
        if (items[j].currentIdentity() == identity)
            return j;
    }
    return -1;
}

} // namespace qd
