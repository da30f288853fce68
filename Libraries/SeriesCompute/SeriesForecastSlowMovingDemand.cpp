#include "SeriesCompute/SeriesForecastSlowMovingDemand.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <memory>
#include <new>

#include "Matrix/MVRBaseException.h"
#include "Matrix/MatrixOpApplyMatrixCompute.h"
#include "Matrix/Observation.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/SeriesOpApplySeriesCompute.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "MatrixCompute/MatrixComputeEventIndexApply.h"
#include "MatrixCompute/MatrixComputeEventIndexCreate.h"
#include "SeriesCompute/SeriesComputeSMDHistServiceLevel.h"
#include "SeriesCompute/SeriesComputeTValue.h"
#include "SeriesCompute/SeriesForecastAdaptiveExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastAverage.h"
#include "SeriesCompute/SeriesForecastBoxJenkinsNew.h"
#include "SeriesCompute/SeriesForecastCroston.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingBrown.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingHolt.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastLinearRegression.h"
#include "SeriesCompute/SeriesForecastMovingAverage.h"
#include "SeriesCompute/SeriesForecastNewProductCurve.h"
#include "SeriesCompute/SeriesForecastNewProductOptimizedCurve.h"
#include "SeriesCompute/SeriesForecastSelvane.h"
#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingBrown.h"
#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingWinters.h"
#include "SeriesCompute/SeriesForecastWeightedMovingAverage.h"
#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/WorkCount.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesForecastSlowMovingDemand";

// The mean statistic's code, the automation default of both method
// arguments: the average base.
const std::int16_t kMeanCode = 2019;

// The largest bucket number whose classes (2b - 1 and 2b, b up to the
// number plus 2) fit an int.
const double kMaxBucket = 1e9;

// The generator's results cover 0 .. 32767: a history up to this length is
// drawn from one result per draw.
const std::int32_t kGeneratorRange = 32768;

bool isAverageCode(std::int32_t code)
{
    return code == QD_AVERAGE || code == kMeanCode;
}

// Base methods of the history: the average or Croston's method.
bool isBaseMethod(std::int32_t code)
{
    return isAverageCode(code) || code == QD_CROSTON;
}

void runForecast(Series& series, SeriesForecast& method)
{
    series.setDirty(true, true);
    SeriesOpApplySeriesForecast op(method);
    op.apply(series);
}

// The event class of value v among nb buckets of width incr beyond start
// standard deviations; negative z gets the even flags.
std::int32_t bucketFlag(double z, double start, double incr, double end, std::int32_t nb)
{
    std::int32_t b;
    if (std::fabs(z) < start)
        b = 1;
    else if (std::fabs(z) > end)
        b = nb;
    else
        b = static_cast<std::int32_t>(std::ceil(z / incr)) + 1;
    return z >= 0.0 ? 2 * b - 1 : 2 * b;
}

}  // namespace

void slowMovingStatistics(const Series& series, bool excludeZeros, double& mean, double& sd)
{
    Series values(64);
    for (std::int32_t i = 0; i < series.numObservations(); ++i) {
        const double v = series.observation(i).value;
        if (!(excludeZeros && v == 0.0))
            values.addObservation(v, QD_SUPPLIED, FdCString());
    }
    const std::int32_t n = values.numObservations();
    mean = 0.0;
    sd = 0.0;
    if (n == 0)
        return;
    if (n == 1) {
        // One value does not vary.
        mean = values.observation(0).value;
        return;
    }
    mean = checkedMean(values, QD_LAST, QD_ALL);
    sd = standardDeviation(values, QD_LAST, QD_ALL);
}

SeriesForecastSlowMovingDemand::SeriesForecastSlowMovingDemand(
    std::int32_t observationNumber, std::int32_t numForecastPeriods, std::int32_t eicType,
    std::int32_t eicSeasonalLength, bool eicExclude0, double eicStart, double eicIncr, double eicEnd,
    std::int32_t nsType, std::int32_t numSimulation, double nsPerThreshold, std::int32_t erType,
    std::int16_t bcMethod, bool bcmExclude0, std::int32_t bfType, std::int16_t bfMethod, std::int32_t slType,
    double leadTime, double ServiceLevel, std::int32_t hslType)
    : observationNumber(observationNumber),
      numForecastPeriods(numForecastPeriods),
      eicType(eicType),
      eicSeasonalLength(eicSeasonalLength),
      eicExclude0(eicExclude0),
      eicStart(eicStart),
      eicIncr(eicIncr),
      eicEnd(eicEnd),
      nsType(nsType),
      numSimulation(numSimulation),
      nsPerThreshold(nsPerThreshold),
      erType(erType),
      bcMethod(bcMethod),
      bcmExclude0(bcmExclude0),
      bfType(bfType),
      bfMethod(bfMethod),
      slType(slType),
      leadTime(leadTime),
      ServiceLevel(ServiceLevel),
      hslType(hslType),
      workMatrix_(),
      sampleSeries_(64),
      sortedSums_(),
      randomState_(static_cast<std::uint32_t>(std::time(nullptr)))
{
    // An unusable lead time is refused by compute before it is used.
    if (leadTime >= 0.0 && leadTime <= Series::maxObservations())
        leadPeriods = static_cast<std::int32_t>(std::ceil(leadTime));
}

std::int32_t SeriesForecastSlowMovingDemand::nextRandom()
{
    randomState_ = randomState_ * 214013u + 2531011u;
    return static_cast<std::int32_t>((randomState_ >> 16) & 0x7FFFu);
}

void SeriesForecastSlowMovingDemand::checkArguments(const Series& series)
{
    const std::int32_t n = series.numObservations();
    if (numForecastPeriods < 0)
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalForecastPeriods);
    if (observationNumber < 0)
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::NegativeIndex);
    if (observationNumber >= n)
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::OutOfBounds);
    if (static_cast<std::int64_t>(n) + numForecastPeriods > Series::maxObservations())
        throw std::bad_alloc();
    if (!(leadTime >= 0.0) || leadTime > Series::maxObservations() - n)
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalLeadTime);
    if (!(ServiceLevel >= 0.0 && ServiceLevel <= 1.0))
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalConfidenceLevel);
    if (!isBaseMethod(bcMethod))
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::MethodNotSupportedInMultipleMethods);
    if (eicType == QD_SLOWMETHOD_IDX_SEASONAL) {
        if (eicSeasonalLength == 0)
            qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::InvalidSeasonalLength);
        return;
    }
    // Buckets: a width of zero, and a scale of zero for a value that is
    // measured against it, would divide by zero.
    if (!(eicIncr > 0.0) || !std::isfinite(eicIncr) || !std::isfinite(eicStart) || !std::isfinite(eicEnd))
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::DividedByZero);
    // A width so small that the buckets between the bounds cannot be
    // numbered (twice the bucket number is the class) is as unusable as a
    // width of zero.
    const double widest = std::max(std::fabs(eicEnd - eicStart), std::max(std::fabs(eicStart), std::fabs(eicEnd)));
    if (widest / eicIncr > kMaxBucket)
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::DividedByZero);
    Series history(64);
    for (std::int32_t i = observationNumber; i < n; ++i)
        history.addObservation(series.observation(i).value, QD_SUPPLIED, FdCString());
    double mean = 0.0, sd = 0.0;
    slowMovingStatistics(history, eicExclude0, mean, sd);
    bool measured = false;
    for (std::int32_t i = 0; i < history.numObservations(); ++i)
        if (!(eicExclude0 && history.observation(i).value == 0.0))
            measured = true;
    if (measured && !(sd > 0.0))
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::DividedByZero);
}

void SeriesForecastSlowMovingDemand::fillHistory(const Series& series)
{
    Series& history = workMatrix_.seriesAt(0);
    history = Series(64);
    for (std::int32_t i = observationNumber; i < series.numObservations(); ++i)
        history.addObservation(series.observation(i).value, QD_SUPPLIED, FdCString());
}

void SeriesForecastSlowMovingDemand::setEventFlags()
{
    const Series& history = workMatrix_.series(0);
    std::vector<std::int32_t> flags(static_cast<std::size_t>(numHistory));
    if (eicType == QD_SLOWMETHOD_IDX_SEASONAL) {
        for (std::int32_t k = 0; k < numHistory; ++k)
            flags[k] = k % seasonLength_ + 1;
    } else {
        double sdAll = 0.0, sdNonzero = 0.0, m = 0.0;
        slowMovingStatistics(history, false, m, sdAll);
        slowMovingStatistics(history, true, m, sdNonzero);
        const double centre = eicExclude0 ? meanNonzero : meanAll;
        const double scale = eicExclude0 ? sdNonzero : sdAll;
        const std::int32_t nb = static_cast<std::int32_t>(std::ceil((eicEnd - eicStart) / eicIncr)) + 2;
        // Zero demand is a class of its own, the first; the buckets of the
        // other values are numbered in ascending order after it.
        std::vector<bool> zero(static_cast<std::size_t>(numHistory), false);
        std::vector<std::int32_t> distinct;
        for (std::int32_t k = 0; k < numHistory; ++k) {
            const double v = history.observation(k).value;
            if (v == 0.0 && eicExclude0) {
                zero[k] = true;
                continue;
            }
            flags[k] = bucketFlag((v - centre) / scale, eicStart, eicIncr, eicEnd, nb);
            distinct.push_back(flags[k]);
        }
        std::sort(distinct.begin(), distinct.end());
        distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
        const bool zeroClass = std::find(zero.begin(), zero.end(), true) != zero.end();
        for (std::int32_t k = 0; k < numHistory; ++k) {
            if (zero[k]) {
                flags[k] = 1;
                continue;
            }
            const auto rank = std::lower_bound(distinct.begin(), distinct.end(), flags[k]) - distinct.begin();
            flags[k] = static_cast<std::int32_t>(rank) + (zeroClass ? 2 : 1);
        }
    }
    Series& events = workMatrix_.seriesAt(1);
    events = Series(64);
    events.dependenceType = QD_EVENT;
    for (std::int32_t f : flags)
        events.addObservation(f, QD_SUPPLIED, FdCString());
    for (std::int32_t j = 0; j < leadPeriods; ++j)
        events.addObservation(0.0, QD_SUPPLIED, FdCString());
}

void SeriesForecastSlowMovingDemand::storeAverageBase(Series& series, std::int32_t first, std::int32_t last)
{
    const double base = bcmExclude0 ? meanNonzero : meanAll;
    while (series.numObservations() <= last)
        series.addObservation(base, QD_COMPUTED, FdCString());
    for (std::int32_t i = first; i <= last; ++i)
        series.observation(i).storedResults.store(QD_FORECAST, base);
    series.setDirty(true, true);
    series.forecastMethodNumber = QD_AVERAGE;
    series.seasonalLength = 0;
    series.decompositionType = 0;
}

void SeriesForecastSlowMovingDemand::createForecastMethod(Series& series, std::int32_t obs, std::int32_t np)
{
    if (series.numObservations() == 0)
        return;
    std::unique_ptr<SeriesForecast> method;
    if (bfType == QD_SLOWMETHOD_BASEFCST_OTHER) {
        switch (bfMethod) {
        case QD_MOVING_AVERAGE:
            method.reset(new SeriesForecastMovingAverage(QD_LAST, QD_ALL, np));
            break;
        case QD_ADAPTIVE_EXPONENTIAL_SMOOTHING:
            method.reset(new SeriesForecastAdaptiveExponentialSmoothing(obs, -3.0, np));
            break;
        case QD_DOUBLE_EXPONENTIAL_SMOOTHING_BROWN:
            method.reset(new SeriesForecastDoubleExponentialSmoothingBrown(obs, np, -3.0));
            break;
        case QD_DOUBLE_EXPONENTIAL_SMOOTHING_HOLT:
            method.reset(new SeriesForecastDoubleExponentialSmoothingHolt(obs, np, -3.0, -3.0));
            break;
        case QD_TRIPLE_EXPONENTIAL_SMOOTHING_BROWN:
            method.reset(new SeriesForecastTripleExponentialSmoothingBrown(obs, np, -3.0));
            break;
        case QD_HOLT_WINTERS:
            method.reset(new SeriesForecastTripleExponentialSmoothingWinters(obs, QD_COMPUTE, np, -3.0, -3.0, -3.0, 2));
            break;
        case QD_WEIGHTED_MOVING_AVERAGE:
            method.reset(new SeriesForecastWeightedMovingAverage(QD_LAST, QD_ALL, np));
            break;
        case QD_BOX_JENKINS:
            method.reset(new SeriesForecastBoxJenkinsNew(QD_LAST, QD_ALL, np, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE,
                                                         QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, 0, true,
                                                         QD_OPTIMIZE_TRANSFORM));
            break;
        case QD_EXPONENTIAL_SMOOTHING:
            method.reset(new SeriesForecastExponentialSmoothing(obs, -3.0, np, false, 0.0));
            break;
        case QD_LINEAR_REGRESSION:
            method.reset(new SeriesForecastLinearRegression(QD_LAST, QD_ALL, np, true, 0.0, false, 0.0, 0.0));
            break;
        case QD_CROSTON:
            method.reset(new SeriesForecastCroston(obs, np, -3.0));
            break;
        case QD_GOMPERTZ_CURVE:
        case QD_LOGISTIC_CURVE:
        case QD_PROBIT_CURVE:
            method.reset(new SeriesForecastNewProductCurve(QD_LAST, QD_ALL, np, -3.0, -3.0, QD_CURVE_MAXIMUM_OPTIMIZED,
                                                           bfMethod - QD_GOMPERTZ_CURVE + 1, nullptr));
            break;
        case QD_NEW_PRODUCT_FORECASTING:
            method.reset(new SeriesForecastNewProductOptimizedCurve(QD_LAST, QD_ALL, np, -3.0, -3.0,
                                                                    QD_CURVE_MAXIMUM_OPTIMIZED, nullptr));
            break;
        case QD_AVERAGE:
        case kMeanCode:
            method.reset(new SeriesForecastAverage(QD_LAST, QD_ALL, np));
            break;
        default:
            // Any other code: the automatic selection.
            method.reset(new SeriesForecastSelvane(obs, np, QD_COMPUTE, 0, 0, 0, QD_SELVANE_STANDARD));
            break;
        }
        runForecast(series, *method);
        return;
    }
    if (isAverageCode(bcMethod)) {
        storeAverageBase(series, obs, series.numObservations() - 1 + np);
    } else if (bcMethod == QD_CROSTON) {
        SeriesForecastCroston croston(obs, np, -3.0);
        runForecast(series, croston);
    }
}

// Draw j of one simulation: a history period, r = random mod numHistory.
// Without replacement a period already drawn in this simulation is drawn
// again. The generator runs through every 32-bit state, so every result
// 0 .. 32767 comes round: the redraws end for every history the results
// cover. A longer history is drawn from two results per draw, and without
// replacement among the periods not drawn yet, so that it ends too.
std::int32_t SeriesForecastSlowMovingDemand::drawPeriod(std::int32_t j, bool withoutReplacement,
                                                        std::vector<bool>& drawn, std::vector<std::int32_t>& remaining)
{
    if (numHistory <= kGeneratorRange) {
        if (j == 0)
            drawn.assign(static_cast<std::size_t>(numHistory), false);
        std::int32_t r = nextRandom() % numHistory;
        while (withoutReplacement && drawn[static_cast<std::size_t>(r)])
            r = nextRandom() % numHistory;
        drawn[static_cast<std::size_t>(r)] = true;
        return r;
    }
    const std::int64_t high = nextRandom();
    const std::int64_t draw = high * kGeneratorRange + nextRandom();
    if (!withoutReplacement)
        return static_cast<std::int32_t>(draw % numHistory);
    if (j == 0) {
        remaining.resize(static_cast<std::size_t>(numHistory));
        for (std::int32_t k = 0; k < numHistory; ++k)
            remaining[static_cast<std::size_t>(k)] = k;
    }
    const std::int32_t left = numHistory - j;
    const std::int32_t at = static_cast<std::int32_t>(draw % left);
    const std::int32_t r = remaining[static_cast<std::size_t>(at)];
    remaining[static_cast<std::size_t>(at)] = remaining[static_cast<std::size_t>(left - 1)];
    return r;
}

std::vector<std::int32_t> SeriesForecastSlowMovingDemand::eventFlags() const
{
    std::vector<std::int32_t> flags;
    if (workMatrix_.numSeries() < 2)
        return flags;
    const Series& events = workMatrix_.series(1);
    for (std::int32_t k = 0; k < numHistory && k < events.numObservations(); ++k)
        flags.push_back(static_cast<std::int32_t>(events.observation(k).value));
    return flags;
}

double SeriesForecastSlowMovingDemand::percentilePoint() const
{
    const double c = static_cast<double>(sortedSums_.size());
    const double pos = c * ServiceLevel - 1.0;
    const double i = std::floor(pos);
    auto element = [&](double k) { return k < 0.0 ? 0.0 : sortedSums_[static_cast<std::size_t>(k)]; };
    if (pos == i)
        return element(i);
    // Between elements i and i + 1, in proportion to the position.
    const double lower = element(i);
    const double upper = element(i + 1.0);
    return lower + (pos - i) * (upper - lower);
}

// Lead-time demand: the whole lead periods, then the fraction of the next.
template <class ValueAt>
double SeriesForecastSlowMovingDemand::leadTimeSum(const ValueAt& valueAt) const
{
    const std::int32_t wholeLead = static_cast<std::int32_t>(std::floor(leadTime));
    double d = 0.0;
    for (std::int32_t j = 0; j < wholeLead; ++j)
        d += valueAt(j);
    if (wholeLead < leadTime)
        d += valueAt(wholeLead) * (leadTime - wholeLead);
    return d;
}

// One simulation's forecast of the lead time on the work matrix: the base,
// the event indexes created, the base forecast, the indexes applied.
void SeriesForecastSlowMovingDemand::forecastLeadTime(const Series& series)
{
    fillHistory(series);
    Series& history = workMatrix_.series(0);
    if (isAverageCode(bcMethod)) {
        storeAverageBase(history, 0, numHistory - 1);
    } else {
        SeriesForecastCroston croston(0, 0, -3.0);
        runForecast(history, croston);
    }
    {
        MatrixComputeEventIndexCreate create(0, 0, -1, 0.5);
        MatrixOpApplyMatrixCompute op(create);
        op.apply(workMatrix_);
    }
    createForecastMethod(workMatrix_.series(0), 0, leadPeriods);
    takeLeadPeriods();
    {
        MatrixComputeEventIndexApply apply(0, 0, -1);
        MatrixOpApplyMatrixCompute op(apply);
        op.apply(workMatrix_);
    }
}

// What the application of the indexes reads of series 0, taken just before
// it runs: the series' offset and indexes, and each lead period as the
// application reads it. A series without a forecast method takes no part
// and keeps its values; an observation with an index of its own (a history
// period) gets its measured value back; one without a forecast keeps its
// value; the others get the index of their class applied.
void SeriesForecastSlowMovingDemand::takeLeadPeriods()
{
    const Series& s = workMatrix_.series(0);
    eventOffset_ = s.eventOffset;
    eventIndexes_.clear();
    if (const QuantitySlots* indexes = s.storedResults.multiple(QD_EVENT_INDEX_SERIES))
        for (std::int32_t k = 0; k < indexes->capacity(); ++k)
            eventIndexes_.push_back(indexes->value(k));
    const bool takesPart = s.forecastMethodNumber != -1;
    leadPeriods_.clear();
    for (std::int32_t i = numHistory; i < numHistory + leadPeriods && i < s.numObservations(); ++i) {
        const Observation& o = s.observation(i);
        LeadPeriod p{false, 0.0, o.value};
        if (takesPart) {
            double own = 0.0;
            const bool history = o.storedResults.lookup(QD_EVENT_INDEX_OBSERVATION, own) == QD_QUANTITY_FOUND;
            double measured = o.value;
            o.storedResults.lookup(QD_MEASUREMENT, measured);
            const bool forecast = o.storedResults.lookup(QD_FORECAST, p.F) == QD_QUANTITY_FOUND;
            if (history)
                p.value = measured;
            else if (forecast)
                p = LeadPeriod{true, p.F, measured};
        }
        leadPeriods_.push_back(p);
    }
}

std::int32_t SeriesForecastSlowMovingDemand::compute(Series& series, std::int32_t flag)
{
    (void)flag;
    checkArguments(series);
    numHistory = series.numObservations() - observationNumber;
    // Resolved for this series only: the object runs over every series of
    // a matrix, and the arguments stay as given.
    seasonLength_ = eicType == QD_SLOWMETHOD_IDX_SEASONAL && eicSeasonalLength < 0 ? numHistory : eicSeasonalLength;
    leadPeriods = static_cast<std::int32_t>(std::ceil(leadTime));
    const bool withoutReplacement = erType == QD_SLOWMETHOD_EVENTREPL_NO && leadPeriods <= numHistory;
    sortedSums_.clear();
    sampleSeries_ = Series(64);

    fillHistory(series);
    double sd = 0.0;
    slowMovingStatistics(workMatrix_.series(0), false, meanAll, sd);
    slowMovingStatistics(workMatrix_.series(0), true, meanNonzero, sd);
    setEventFlags();

    // Every simulation forecasts the same history with the same base method
    // and learns the same event indexes from it: the classes drawn for the
    // lead time are read by the indexes' application alone. So the first
    // simulation runs every step on the work matrix, and keeps what the
    // application needs of each lead period (its forecast, its measured
    // value) and the indexes; every later simulation applies the index of
    // each drawn class to those, by the application's own arithmetic, and
    // sums the lead time as the first did. The draws, and so the results,
    // are the same as if every step ran again.
    historyClasses_ = eventFlags();
    std::vector<std::int32_t> classes(static_cast<std::size_t>(leadPeriods));
    std::vector<bool> drawn;
    std::vector<std::int32_t> remaining;
    double previous = 0.0;
    for (std::int32_t count = 1;; ++count) {
        // Draw the classes of the lead-time periods.
        for (std::int32_t j = 0; j < leadPeriods; ++j)
            classes[static_cast<std::size_t>(j)] =
                historyClasses_[static_cast<std::size_t>(drawPeriod(j, withoutReplacement, drawn, remaining))];
#ifdef QD_COUNT_WORK
        noteWork(WorkKind::SlowMovingSimulation, series.values(0) + observationNumber, numHistory, leadPeriods);
#endif
        double d = 0.0;
        if (count == 1) {
            Series& events = workMatrix_.series(1);
            for (std::int32_t j = 0; j < leadPeriods; ++j)
                events.observation(numHistory + j).value = classes[static_cast<std::size_t>(j)];
            events.setDirty(true, true);
            forecastLeadTime(series);
            const Series& lead = workMatrix_.series(0);
            d = leadTimeSum([&lead, this](std::int32_t j) { return lead.observation(numHistory + j).value; });
        } else {
            d = leadTimeSum([&classes, this](std::int32_t j) {
                const LeadPeriod& p = leadPeriods_[static_cast<std::size_t>(j)];
                if (!p.applied)
                    return p.value;
                return MatrixComputeEventIndexApply::appliedForecast(
                    p.F, eventIndexes_[static_cast<std::size_t>(classes[static_cast<std::size_t>(j)])], eventOffset_,
                    p.value);
            });
        }

        if (slType == QD_SLOWMETHOD_SLAS_STDSAMPLE) {
            sampleSeries_.addObservation(d, QD_SUPPLIED, FdCString());
            double mean = 0.0, deviation = 0.0;
            slowMovingStatistics(sampleSeries_, false, mean, deviation);
            // The normal quantile of the service level read as a two-sided
            // probability, as the method defines it.
            reorderLevel = normalQuantileFromTable(ServiceLevel, false) * deviation + mean;
        } else {
            sortedSums_.insert(std::upper_bound(sortedSums_.begin(), sortedSums_.end(), d), d);
            reorderLevel = percentilePoint();
        }
        if (reorderLevel < 0.0)
            reorderLevel = 0.0;
        numSimulationsRun = count;

        if (nsType == QD_SLOWMETHOD_NUMSIM_FIXED) {
            if (count >= numSimulation)
                break;
        } else if (count > 5) {
            if (count > 100)
                break;
            const double change = std::fabs((previous - reorderLevel) / (previous + reorderLevel));
            if (change <= nsPerThreshold * 0.005)
                break;
        }
        previous = reorderLevel;
    }

    series.storedResults.store(QD_SMD_SAFETY_STOCK, reorderLevel);
    const std::int32_t N = series.numObservations();
    createForecastMethod(series, observationNumber, numForecastPeriods);
    for (std::int32_t i = 0; i < series.numObservations(); ++i) {
        Observation& o = series.observation(i);
        o.storedResults.store(QD_SLOW_MOVING_DEMAND, o.storedResults.value(QD_FORECAST));
        o.storedResults.store(QD_SAFETY_STOCK_RES_OBS, reorderLevel);
    }
    {
        SeriesComputeSMDHistServiceLevel level(N - 1, numHistory, leadTime, hslType);
        SeriesOpApplySeriesCompute op(level);
        op.apply(series);
    }
    series.forecastMethodNumber = QD_SLOW_MOVING_DEMAND;
    series.seasonalLength = 0;
    series.decompositionType = 0;
    return 0;
}

}  // namespace qd
