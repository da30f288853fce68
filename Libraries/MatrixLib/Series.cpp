#include "Matrix/Series.h"

#include <cstdint>
#include <utility>

#include "Foundation/FdExceptions.h"
#include "Matrix/ElementIdentity.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/SeriesRange.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\MatrixLib\\Series";

constexpr std::int32_t DEFAULT_PLACES = 64;
}  // namespace

std::int32_t Series::maxObservations()
{
    // The block's bookkeeping takes 64 bytes of the 32-bit size.
    const std::uint64_t places = (std::uint64_t(0xFFFFFFFFu) - 64u) / sizeof(Observation);
    return places < std::uint64_t(INT32_MAX) ? static_cast<std::int32_t>(places) : INT32_MAX;
}

Series::Series(std::int32_t initialCapacity)
    : OrderedVector<Observation>(),
      valueCache(this),
      dependenceType(0),
      valueType(0),
      forecastMethodNumber(-1),
      seasonalLength(0),
      decompositionType(0),
      storedResults(),
      userSetting1(0),
      userSetting2(0),
      eventOffset(0.0),
      description_(),
      identity_(0)
{
    if (initialCapacity > DEFAULT_PLACES)
        resizeArray(static_cast<std::uint32_t>(initialCapacity));
    valueCache.setOwner(this);
}

Series::Series(const Series& other)
    : OrderedVector<Observation>(other),
      valueCache(this),
      dependenceType(other.dependenceType),
      valueType(other.valueType),
      forecastMethodNumber(other.forecastMethodNumber),
      seasonalLength(other.seasonalLength),
      decompositionType(other.decompositionType),
      storedResults(other.storedResults),
      userSetting1(other.userSetting1),
      userSetting2(other.userSetting2),
      eventOffset(other.eventOffset),
      description_(other.description_),
      identity_(0)
{
    valueCache.setOwner(this);
}

Series::Series(Series&& other)
    : OrderedVector<Observation>(std::move(other)),
      valueCache(this),
      dependenceType(other.dependenceType),
      valueType(other.valueType),
      forecastMethodNumber(other.forecastMethodNumber),
      seasonalLength(other.seasonalLength),
      decompositionType(other.decompositionType),
      storedResults(),
      userSetting1(other.userSetting1),
      userSetting2(other.userSetting2),
      eventOffset(other.eventOffset),
      description_(other.description_),
      identity_(other.identity_)
{
    storedResults.swap(other.storedResults);
    other.identity_ = 0;
    other.setDirty(true, true);
    valueCache.setOwner(this);
}

Series& Series::operator=(const Series& other)
{
    if (this == &other)
        return *this;
    // Everything that can fail is copied first; this series changes only
    // once all copies exist, so it never holds released storage.
    OrderedVector<Observation> observations(other);
    SeriesQC results(other.storedResults);
    OrderedVector<Observation>::operator=(std::move(observations));
    storedResults.swap(results);
    copySettings(other);
    setDirty(true, true);
    return *this;
}

Series& Series::operator=(Series&& other) noexcept
{
    if (this == &other)
        return *this;
    OrderedVector<Observation>::operator=(std::move(other));
    storedResults.swap(other.storedResults);
    copySettings(other);
    identity_ = other.identity_;
    other.identity_ = 0;
    setDirty(true, true);
    other.setDirty(true, true);
    return *this;
}

Series::~Series() = default;

void Series::takeBack(Series& saved) noexcept
{
    const std::uint64_t keep = identity_;
    *this = std::move(saved);
    identity_ = keep;
}

void Series::copySettings(const Series& other)
{
    dependenceType = other.dependenceType;
    valueType = other.valueType;
    description_ = other.description_;
    forecastMethodNumber = other.forecastMethodNumber;
    seasonalLength = other.seasonalLength;
    decompositionType = other.decompositionType;
    userSetting1 = other.userSetting1;
    userSetting2 = other.userSetting2;
    eventOffset = other.eventOffset;
}

void Series::addObservation(double value, std::int32_t originType, const FdCString& description)
{
    // Built before the array may move (description may live in it).
    const Observation added(value, originType, description);
    // Grow geometrically ahead of the vector's own step of 64 places, so
    // that appending one by one stays amortized constant time.
    if (entries() == capacity())
        OrderedVector<Observation>::reserve(capacity() < DEFAULT_PLACES ? DEFAULT_PLACES : capacity() * 2);
    insert(added);
}

void Series::appendObservation(const Observation& observation)
{
    Observation copy(observation);
    copy.clearIdentity();
    if (entries() == capacity())
        OrderedVector<Observation>::reserve(capacity() < DEFAULT_PLACES ? DEFAULT_PLACES : capacity() * 2);
    insert(copy);
}

void Series::reserve(std::int32_t n)
{
    if (n >= DEFAULT_PLACES + 1 && n >= numObservations())
        resizeArray(static_cast<std::uint32_t>(n));
}

void Series::reshape(std::int32_t n)
{
    if (n < 0)
        qdThrow(QD_SOURCE_PATH, publishedLine(92), ErrorCode::NegativeIndex);
    const bool dropsObservations = n < numObservations();
    resizeArray(static_cast<std::uint32_t>(n));
    if (dropsObservations)
        setDirty(true, true);
}

// `line` is the published line of the negative-index report; the
// past-the-end report is published three lines below it.
void Series::checkRange(std::int32_t first, std::int32_t last, std::int32_t line) const
{
    if (first > last)
        return;  // an empty range reads nothing
    if (first < 0)
        qdThrow(QD_SOURCE_PATH, line, ErrorCode::NegativeIndex);
    if (last >= numObservations())
        qdThrow(QD_SOURCE_PATH, line + 3, ErrorCode::OutOfBounds);
}

void Series::copyValuesTo(Series& target, std::int32_t first, std::int32_t last)
{
    checkRange(first, last, publishedLine(612));
    if (first <= last) {
        const std::int32_t n = last - first + 1;
        if (n >= DEFAULT_PLACES + 1 && n >= target.numObservations())
            target.reserve(n);
        const double* v = values(0);
        if (&target == this) {
            // Appending to itself: read the values before the series grows.
            OrderedVector<double> copied;
            copied.reserve(static_cast<std::uint32_t>(n));
            for (std::int32_t i = first; i <= last; ++i)
                copied.insert(v[i]);
            for (std::uint32_t k = 0; k < copied.entries(); ++k)
                target.addObservation(copied[k], QD_SUPPLIED, FdCString());
        } else {
            for (std::int32_t i = first; i <= last; ++i)
                target.addObservation(v[i], QD_SUPPLIED, FdCString());
        }
    }
    target.setDirty(true, true);
}

void Series::mergeReplacedValues(const Series& working, std::int32_t offset)
{
    // Every target observation is checked before the first one changes.
    const std::int32_t n = working.numObservations();
    for (std::int32_t i = 0; i < n; ++i) {
        if (working.observation(i).storedResults.count(QD_MEASUREMENT) != 0) {
            const std::int64_t target = static_cast<std::int64_t>(i) + offset;
            if (target < 0 || target >= numObservations())
                fdRaiseIndex(static_cast<std::uint32_t>(target), entries());
        }
    }
    bool changed = false;
    for (std::int32_t i = 0; i < n; ++i) {
        const Observation& from = working.observation(i);
        if (from.storedResults.count(QD_MEASUREMENT) == 0)
            continue;
        Observation& to = observation(i + offset);
        to.storedResults.store(QD_MEASUREMENT, to.value);
        to.value = from.value;
        changed = true;
    }
    // Both arrays: the forecast array holds values where no forecast is
    // stored, so it is out of date as well.
    if (changed)
        setDirty(true, true);
}

void Series::clearObservations()
{
    reset(DEFAULT_PLACES);
    // Removing observations makes the value arrays stale: otherwise a
    // series refilled with fewer observations would be served the old
    // values from an array that still looks current.
    setDirty(true, true);
}

void Series::resetValues()
{
    clearObservations();
    setDirty(true, true);
    forecastMethodNumber = -1;
    seasonalLength = 0;
}

std::int32_t Series::numObservationsByOriginType(std::int32_t originType) const
{
    if (originType != QD_SUPPLIED && originType != QD_COMPUTED)
        qdThrow(QD_SOURCE_PATH, publishedLine(97), ErrorCode::InvalidOriginType);
    const std::int32_t count = numObservations();
    std::int32_t k = count - 1;
    while (k >= 0 && observation(k).originType == QD_COMPUTED)
        --k;
    return originType == QD_SUPPLIED ? k + 1 : count - k - 1;
}

bool Series::allPositive(std::int32_t first, std::int32_t last)
{
    checkRange(first, last, publishedLine(640));
    if (first > last)
        return true;
    const double* v = values(0);
    for (std::int32_t i = first; i <= last; ++i) {
        if (!(v[i] > 0.0))
            return false;
    }
    return true;
}

void Series::countSigns(std::int32_t first, std::int32_t last, std::int32_t& positives, std::int32_t& zeros,
                        std::int32_t& negatives)
{
    positives = 0;
    zeros = 0;
    negatives = 0;
    checkRange(first, last, publishedLine(660));
    if (first > last)
        return;
    const double* v = values(0);
    for (std::int32_t i = first; i <= last; ++i) {
        if (v[i] > 0.0)
            ++positives;
        else if (v[i] == 0.0)
            ++zeros;
        else if (v[i] < 0.0)
            ++negatives;
    }
}

std::int32_t Series::numParameters(std::int32_t forecastMethod) const
{
    const std::int32_t method = forecastMethod == QD_COMPUTE ? forecastMethodNumber : forecastMethod;
    switch (method) {
    case QD_MOVING_AVERAGE:
    case QD_EXPONENTIAL_SMOOTHING:
    case QD_ADAPTIVE_EXPONENTIAL_SMOOTHING:
    case QD_DOUBLE_EXPONENTIAL_SMOOTHING_BROWN:
    case QD_TRIPLE_EXPONENTIAL_SMOOTHING_BROWN:
    case QD_WEIGHTED_MOVING_AVERAGE:
    case QD_CROSTON:
    case QD_AVERAGE:
        return 1;
    case QD_LINEAR_REGRESSION:
    case QD_DOUBLE_EXPONENTIAL_SMOOTHING_HOLT:
        return 2;
    case QD_HOLT_WINTERS:
        return 3;
    case QD_GOMPERTZ_CURVE:
    case QD_LOGISTIC_CURVE:
    case QD_PROBIT_CURVE:
    case QD_NEW_PRODUCT_FORECASTING:
        return 4;
    case QD_BOX_JENKINS: {
        const double orders = storedResults.value(QD_BOX_JENKINS_NONSEASONAL_P)
                              + storedResults.value(QD_BOX_JENKINS_NONSEASONAL_Q)
                              + storedResults.value(QD_BOX_JENKINS_SEASONAL_P)
                              + storedResults.value(QD_BOX_JENKINS_SEASONAL_Q);
        double constant = 0.0;
        const bool hasConstant =
            storedResults.lookup(QD_BOX_JENKINS_CONSTANT_PARAM, constant) == QD_QUANTITY_FOUND;
        return static_cast<std::int32_t>(orders) + (hasConstant ? 1 : 0);
    }
    case -1:
    case QD_MULTIPLE_REGRESSION:
    case QD_STEPWISE:
    case QD_POLYNOMIAL_REGRESSION:
    case QD_CENSUS_X11:
        qdThrow(QD_SOURCE_PATH, publishedLine(775), ErrorCode::UnknownParameterCount);
    default:
        qdThrow(QD_SOURCE_PATH, publishedLine(779), ErrorCode::UnknownParameterCount);
    }
}

void Series::removeAllCalculations()
{
    for (std::int32_t i = numObservations() - 1; i >= 0; --i) {
        Observation& o = observation(i);
        if (o.originType == QD_COMPUTED)
            removeAt(static_cast<std::uint32_t>(i));
        else
            o.storedResults.clear();
    }
    storedResults.clear();
    setDirty(true, true);
    forecastMethodNumber = -1;
    seasonalLength = 0;
}

void Series::rangeForecast(bool checkHistory, bool changeForecastPeriodOnly, bool useCeiling, double ceiling,
                           bool useFloor, double floor)
{
    if ((!useCeiling && !useFloor) || numObservations() == 0)
        return;
    const std::int32_t h = numObservationsByOriginType(QD_SUPPLIED);
    if (checkHistory) {
        const double* v = values(0);
        for (std::int32_t i = 0; i < h; ++i) {
            if (v[i] > ceiling)
                useCeiling = false;
            if (v[i] < floor)
                useFloor = false;
        }
        if (!useCeiling && !useFloor)
            return;
    }
    double* f = forecastValues(0);
    const std::int32_t count = numObservations();
    const std::int32_t start = changeForecastPeriodOnly ? h : 0;
    if (useCeiling) {
        for (std::int32_t i = start; i < count; ++i) {
            if (f[i] > ceiling)
                f[i] = ceiling;
        }
    }
    if (useFloor) {
        for (std::int32_t i = start; i < count; ++i) {
            if (f[i] < floor)
                f[i] = floor;
        }
    }
    storeForecasts(QD_FORECAST, 0, count - 1, false);
}

void Series::removeMissingValues(std::int32_t observationNumber, std::int32_t numHistoricalValues, double lower,
                                 double upper)
{
    const std::int32_t count = numObservations();
    const std::int32_t last = observationNumber == QD_LAST ? count - 1 : observationNumber;
    const std::int32_t n = numHistoricalValues == QD_ALL ? count : numHistoricalValues;
    checkSeriesRange(*this, last, n, 0);
    const std::int32_t first = last - n + 1;

    std::int32_t dropped = 0;
    for (std::int32_t i = first; i <= last; ++i) {
        const double v = observation(i).value;
        if (lower <= v && v <= upper)
            ++dropped;
    }
    if (dropped == 0)
        return;

    // The kept observations, built completely before the series changes.
    // Observations outside the range are always kept.
    OrderedVector<Observation> kept;
    kept.reserve(static_cast<std::uint32_t>(count - dropped));
    for (std::int32_t i = 0; i < count; ++i) {
        const Observation& o = observation(i);
        if (i >= first && i <= last && lower <= o.value && o.value <= upper)
            continue;
        kept.insert(o);
    }
    // The kept observations move in without allocating; only then is the
    // rest reset, so a failure above leaves the series as it was.
    OrderedVector<Observation>::operator=(std::move(kept));
    setDirty(true, true);
    forecastMethodNumber = -1;
    seasonalLength = 0;
    storedResults.clear();
}

void Series::removeTrailingZeros()
{
    bool removed = false;
    while (numObservations() > 0 && observation(numObservations() - 1).value == 0.0) {
        removeAt(entries() - 1);
        removed = true;
    }
    if (removed)
        setDirty(true, true);
}

std::int32_t Series::storedAlpha(double& alpha) const
{
    return storedResults.lookup(QD_ALPHA, alpha);
}

void Series::storedAlphaGamma(double& alpha, double& gamma) const
{
    storedResults.lookup(QD_ALPHA, alpha);
    storedResults.lookup(QD_GAMMA, gamma);
}

void Series::storedHoltWintersParameters(double& alpha, double& gamma, double& beta,
                                         std::int32_t& decomposition, std::int32_t& seasonal) const
{
    storedResults.lookup(QD_ALPHA, alpha);
    storedResults.lookup(QD_GAMMA, gamma);
    storedResults.lookup(QD_BETA, beta);
    decomposition = decompositionType;
    seasonal = seasonalLength;
}

void Series::storedSmoothingParameters(double& alpha, double& beta, double& delta, double& gamma) const
{
    storedResults.lookup(QD_ALPHA, alpha);
    storedResults.lookup(QD_BETA, beta);
    storedResults.lookup(QD_DELTA, delta);
    storedResults.lookup(QD_GAMMA, gamma);
}

namespace {
void lookupOrder(const SeriesQC& results, std::int32_t type, std::int32_t& order)
{
    double v = 0.0;
    if (results.lookup(type, v) == QD_QUANTITY_FOUND)
        order = static_cast<std::int32_t>(v);
}
}  // namespace

void Series::storedBoxJenkinsOrders(std::int32_t& p, std::int32_t& d, std::int32_t& q, std::int32_t& P,
                                    std::int32_t& D, std::int32_t& Q, std::int32_t& S,
                                    std::int32_t& transform) const
{
    lookupOrder(storedResults, QD_BOX_JENKINS_NONSEASONAL_P, p);
    lookupOrder(storedResults, QD_BOX_JENKINS_NONSEASONAL_D, d);
    lookupOrder(storedResults, QD_BOX_JENKINS_NONSEASONAL_Q, q);
    lookupOrder(storedResults, QD_BOX_JENKINS_SEASONAL_P, P);
    lookupOrder(storedResults, QD_BOX_JENKINS_SEASONAL_D, D);
    lookupOrder(storedResults, QD_BOX_JENKINS_SEASONAL_Q, Q);
    lookupOrder(storedResults, QD_BOX_JENKINS_SEASONAL_LENGTH, S);
    double lambda = 0.0;
    if (storedResults.lookup(QD_LAMDA, lambda) == QD_QUANTITY_FOUND)
        transform = lambda == 1.0 ? 1 : 3;
}

std::uint64_t Series::identity()
{
    if (identity_ == 0)
        identity_ = newElementIdentity();
    return identity_;
}

std::int32_t Series::findObservation(std::uint64_t identity, std::int32_t hint) const
{
    if (identity == 0)
        return -1;
    const std::int32_t n = numObservations();
    if (hint >= 0 && hint < n && observation(hint).identity() == identity)
        return hint;
    const Observation* items = data();
    for (std::int32_t i = 0; i < n; ++i) {
        if (items[i].identity() == identity)
            return i;
    }
    return -1;
}

} // namespace qd
