// Matrix: an ordered run of series with its own results and the settings of
// the forecast last applied to the whole matrix. A matrix grows on demand:
// asking for a series index beyond the end appends empty series up to it.
// A matrix is never copied.
#ifndef QD_MATRIX_MATRIX_H
#define QD_MATRIX_MATRIX_H

#include <cstdint>

#include "Foundation/FdCString.h"
#include "Foundation/OrderedVector.h"
#include "Matrix/ComputeOp.h"
#include "Matrix/MatrixQC.h"
#include "Matrix/Observation.h"
#include "Matrix/Series.h"

namespace qd {

class Matrix {
public:
    Matrix();
    Matrix(const Matrix&) = delete;
    Matrix& operator=(const Matrix&) = delete;
    ~Matrix();

    // ---- access ----
    std::int32_t numSeries() const { return static_cast<std::int32_t>(series_.entries()); }
    // Bounds-checked (FdBoundsErr 8211); a negative index reads as huge.
    Series& series(std::int32_t i) { return series_[static_cast<std::uint32_t>(i)]; }
    const Series& series(std::int32_t i) const { return series_[static_cast<std::uint32_t>(i)]; }
    // Appends default series while numSeries() <= i; i < 0 throws 3000.
    Series& seriesAt(std::int32_t i);
    FdCString description() const { return description_; }
    void setDescription(const FdCString& text) { description_ = text; }
    bool isRectangular() const;
    // Index of the one series in this role, -1 when none; several: 3017.
    std::int32_t dependentSeriesIndex(std::int32_t role) const;

    // ---- building ----
    void addSeries(const Series& s);
    void replaceSeriesAt(std::int32_t i, const Series& s);
    void addObservation(std::int32_t seriesIndex, double value, std::int32_t originType,
                        const FdCString& description);
    void addObservationForControl(std::int32_t seriesIndex, const double& value, std::int32_t originType,
                                  const FdCString& description)
    {
        addObservation(seriesIndex, value, originType, description);
    }
    void appendToSeries(std::int32_t seriesIndex, const Observation& observation);
    // When n is at least 65 and not below numSeries(), the series array
    // becomes n places.
    void reserve(std::int32_t n);

    // ---- removing ----
    void removeAll();
    void removeAllCalculations();
    void removeSeriesAt(std::int32_t i);
    void removeAllObservationsAt(std::int32_t i);

    // ---- forwards to every series ----
    void rangeForecast(bool checkHistory, bool changeForecastPeriodOnly, bool useCeiling, double ceiling,
                       bool useFloor, double floor);
    void removeMissingValues(std::int32_t observationNumber, std::int32_t numHistoricalValues, double lower,
                             double upper);
    void setDirty(bool valuesFlag, bool forecastsFlag);

    // ---- applying ops ----
    // Applies the op when the matrix has at least one series.
    void apply(MatrixOp& op);
    // Nothing for an empty matrix; series of different lengths throw 2000.
    void applyRectangular(MatrixOp& op);

    // ---- identity (docs/handles.md) ----
    // Index of the series with this identity, trying `hint` first; -1 when
    // no series of this matrix has it (0 never matches).
    std::int32_t findSeries(std::uint64_t identity, std::int32_t hint) const;

    // What a forecast records when it is done: its method code (an
    // observation-level quantity type), seasonal length and decomposition
    // type.
    void recordForecastMethod(std::int32_t method, std::int32_t length = 0, std::int32_t decomposition = 0)
    {
        forecastMethodNumber = method;
        seasonalLength = length;
        decompositionType = decomposition;
    }

    std::int32_t forecastMethodNumber;  // -1: no matrix method applied
    std::int32_t seasonalLength;
    std::int32_t decompositionType;
    MatrixQC storedResults;

private:
    friend class MatrixSnapshot;

    void appendSeriesUpTo(std::int32_t i);
    void appendSeries(const Series& s);

    FdCString description_;
    OrderedVector<Series> series_;
};

// The holder through which the ActiveX control owns its data.
class ControlMatrix {
public:
    ControlMatrix() : matrix() {}
    void addObservation(std::int32_t seriesIndex, double value, std::int32_t originType,
                        const FdCString& description)
    {
        matrix.addObservationForControl(seriesIndex, value, originType, description);
    }

    Matrix matrix;
};

} // namespace qd

#endif
