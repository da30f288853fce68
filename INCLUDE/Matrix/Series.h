// Series: an ordered run of observations with its own results and settings.
//
// The series is itself the ordered vector of its observations. Beside them
// it holds its value cache (the value arrays and the cached statistics),
// its description, its role in a matrix, its value type, the settings of
// the forecast last applied to it and its stored results.
//
// Identity: copying a series (construction) makes a new series; assigning
// one replaces the contents and keeps the target's identity; moving a
// series inside its matrix carries the identity along (docs/handles.md).
#ifndef QD_MATRIX_SERIES_H
#define QD_MATRIX_SERIES_H

#include <cstdint>

#include "Foundation/FdCString.h"
#include "Foundation/OrderedVector.h"
#include "Matrix/MVRBaseException.h"
#include "Matrix/Observation.h"
#include "Matrix/SeriesQC.h"
#include "Matrix/SeriesValueCache.h"

namespace qd {

// Role of a series in a matrix (0: no role).
enum XDependenceType : std::int32_t {
    QD_DEPENDENT = 1,
    QD_INDEPENDENT = 2,
    QD_ERLANG_A = 3,
    QD_ERLANG_N = 4,
    QD_ERLANG_P0 = 5,
    QD_ERLANG_PT = 6,
    QD_ERLANG_T1 = 7,
    QD_ERLANG_T2 = 8,
    QD_EVENT = 9,
    QD_ACTUAL_X11_DATA = 10,
    QD_TRADING_DAYS = 11,
    QD_REGRESSION_SELECTED = 12,
    QD_REGRESSION_NOT_SELECTED = 13
};

class Series : public OrderedVector<Observation> {
public:
    // 64 observation places, or initialCapacity when that is larger.
    explicit Series(std::int32_t initialCapacity = 0);
    // A new series with the source's observations, settings and stored
    // results; its value arrays are stale and its cached statistics empty.
    Series(const Series& other);
    Series(Series&& other);
    // Replaces observations, settings and stored results by the source's;
    // marks both value arrays stale. Self-assignment does nothing.
    Series& operator=(const Series& other);
    Series& operator=(Series&& other) noexcept;
    ~Series() override;

    // The most observations one series can ever hold: its count is a 32-bit
    // number and its observations one block whose size fits 32 bits, on
    // every architecture. A request for more is out of memory at once.
    static std::int32_t maxObservations();

    // ---- access and building ----
    std::int32_t numObservations() const { return static_cast<std::int32_t>(entries()); }
    // Bounds-checked (FdBoundsErr 8211); a negative index reads as huge.
    Observation& observation(std::int32_t i) { return (*this)[static_cast<std::uint32_t>(i)]; }
    const Observation& observation(std::int32_t i) const { return (*this)[static_cast<std::uint32_t>(i)]; }
    // Appends a new observation with empty stored results. Marks nothing
    // stale (the value cache notices the growth). Amortized constant time.
    void addObservation(double value, std::int32_t originType, const FdCString& description = FdCString());
    // Appends a copy of an observation (as a new element of this series).
    void appendObservation(const Observation& observation);
    FdCString description() const { return description_; }
    void setDescription(const FdCString& text) { description_ = text; }
    // When n is at least 65 and not below the count, the observation array
    // becomes n places; otherwise nothing.
    void reserve(std::int32_t n);
    // The observation storage becomes n places (n >= 0); observations
    // beyond n are dropped, and when any is, both value arrays are marked
    // stale.
    void reshape(std::int32_t n);

    // Appends to target one supplied observation for each value of
    // observations first..last (an empty range when first > last); the
    // range must lie inside this series (3000 / 3006 otherwise).
    void copyValuesTo(Series& target, std::int32_t first, std::int32_t last);
    // For each observation i of working holding QD_MEASUREMENT (16),
    // observation i + offset keeps its value under 16 and takes working's.
    void mergeReplacedValues(const Series& working, std::int32_t offset);
    // Removes every observation; the array goes back to 64 places and both
    // value arrays are marked stale.
    void clearObservations();
    // clearObservations, both arrays stale, forecast method -1, seasonal
    // length 0 (stored results and decomposition type stay).
    void resetValues();

    // ---- counting and tests ----
    std::int32_t numObservationsByOriginType(std::int32_t originType) const;
    bool allPositive(std::int32_t first, std::int32_t last);
    void countSigns(std::int32_t first, std::int32_t last, std::int32_t& positives, std::int32_t& zeros,
                    std::int32_t& negatives);
    std::int32_t numParameters(std::int32_t forecastMethod = -3) const;

    // ---- removing results and values ----
    void removeAllCalculations();
    void rangeForecast(bool checkHistory, bool changeForecastPeriodOnly, bool useCeiling, double ceiling,
                       bool useFloor, double floor);
    void removeMissingValues(std::int32_t observationNumber, std::int32_t numHistoricalValues, double lower,
                             double upper);
    void removeObservationAt(std::int32_t i)
    {
        if (i < 0)
            qdThrow("INCLUDE\\Matrix/Series", publishedLine(175), ErrorCode::NegativeIndex);
        if (i >= numObservations())
            qdThrow("INCLUDE\\Matrix/Series", publishedLine(178), ErrorCode::OutOfBounds);
        removeAt(static_cast<std::uint32_t>(i));
        setDirty(true, true);
    }
    void removeTrailingZeros();

    // ---- stored fitted parameters (absent quantities leave outputs as they are) ----
    std::int32_t storedAlpha(double& alpha) const;
    void storedAlphaGamma(double& alpha, double& gamma) const;
    void storedHoltWintersParameters(double& alpha, double& gamma, double& beta, std::int32_t& decompositionType,
                                     std::int32_t& seasonalLength) const;
    void storedSmoothingParameters(double& alpha, double& beta, double& delta, double& gamma) const;
    void storedBoxJenkinsOrders(std::int32_t& p, std::int32_t& d, std::int32_t& q, std::int32_t& P,
                                std::int32_t& D, std::int32_t& Q, std::int32_t& S,
                                std::int32_t& transform) const;

    // ---- value cache ----
    void setDirty(bool valuesFlag, bool forecastsFlag)
    {
        valueCache.setValuesDirty(valuesFlag);
        valueCache.setForecastsDirty(forecastsFlag);
    }
    double* values(std::int32_t extra = 0) { return valueCache.values(extra); }
    double* forecastValues(std::int32_t extra = 0) { return valueCache.forecastValues(extra); }
    void storeForecasts(std::int32_t quantityType, std::int32_t first, std::int32_t last, bool overwriteComputed)
    {
        valueCache.storeForecasts(quantityType, first, last, overwriteComputed);
    }

    // ---- identity (docs/handles.md) ----
    // This series' identity, made on first request.
    std::uint64_t identity();
    std::uint64_t currentIdentity() const { return identity_; }
    // Puts back what `saved` holds (a copy of this series made earlier),
    // keeping this series' identity and its observations'; `saved` is left
    // empty. Never throws: a failed call uses it to undo its work.
    void takeBack(Series& saved) noexcept;
    // Index of the observation with this identity, trying `hint` first;
    // -1 when no observation of this series has it (0 never matches).
    std::int32_t findObservation(std::uint64_t identity, std::int32_t hint) const;

    // What a forecast records when it is done: its method code (an
    // observation-level quantity type), seasonal length and decomposition
    // type.
    void recordForecastMethod(std::int32_t method, std::int32_t length = 0, std::int32_t decomposition = 0)
    {
        forecastMethodNumber = method;
        seasonalLength = length;
        decompositionType = decomposition;
    }

    SeriesValueCache valueCache;
    std::int32_t dependenceType;        // XDependenceType, 0: no role
    std::int32_t valueType;             // XValueType
    std::int32_t forecastMethodNumber;  // -1: no forecast applied
    std::int32_t seasonalLength;
    std::int32_t decompositionType;     // XDecompostionType, 0: none
    SeriesQC storedResults;
    // Kept for the automation layer and the event indexes.
    std::int32_t userSetting1;
    std::int32_t userSetting2;
    double eventOffset;

private:
    friend class MatrixSnapshot;

    void copySettings(const Series& other);
    void checkRange(std::int32_t first, std::int32_t last, std::int32_t line) const;

    FdCString description_;
    std::uint64_t identity_;
};

} // namespace qd

#endif
