#include "MatrixCompute/MatrixForecastStepwise.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <set>
#include <vector>

#include "Foundation/FdExceptions.h"
#include "Matrix/MVRBaseException.h"
#include "Matrix/MatrixOpApplyMatrixForecast.h"
#include "Matrix/QuantityTypes.h"
#include "MatrixCompute/MatrixForecastMultipleRegression.h"
#include "SeriesCompute/SeriesCompute.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\MatrixCompute\\MatrixForecastStepwise";
const std::int32_t kMatrixAlgebraLine = 611;

// A copy of the values of observations first .. last of a series as
// supplied observations with empty descriptions.
void appendValues(const Series& from, Series& to, std::int32_t first, std::int32_t last)
{
    for (std::int32_t t = first; t <= last; ++t)
        to.addObservation(from.observation(t).value, QD_SUPPLIED, FdCString());
}

// The model as a set, to notice a selection that comes back.
std::vector<std::int32_t> asSortedSet(const OrderedVector<std::int32_t>& list)
{
    std::vector<std::int32_t> set;
    for (std::uint32_t i = 0; i < list.entries(); ++i)
        set.push_back(list[i]);
    std::sort(set.begin(), set.end());
    return set;
}

void copyEntry0(const SeriesQC& from, SeriesQC& to, std::int32_t type)
{
    double v = 0.0;
    from.lookupMultiple(type, 0, v);
    to.createMultiple(type, 1);
    to.storeMultiple(type, 0, v);
}
}  // namespace

double partialF(const Matrix& matrix, std::int32_t position)
{
    double t = 0.0;
    if (matrix.series(position).storedResults.lookupMultiple(QD_T_TEST, 0, t) != QD_QUANTITY_FOUND)
        return 0.0;
    return t * t;
}

MatrixForecastStepwise::MatrixForecastStepwise(std::int32_t observationNumber, std::int32_t numHistoricalValues,
                                               std::int16_t sType, std::int32_t minNumSeries,
                                               std::int32_t maxNumSeries, double minFIn, double maxFOut,
                                               std::int32_t minLag, std::int32_t maxLag, bool needLagDependent,
                                               bool useConstTerm, std::int32_t numPeriodsToForecast,
                                               double ConfidenceLevel, bool ReplaceOutliers, bool useExistingValues,
                                               bool removeTrailingZeros)
    : observationNumber(observationNumber),
      numHistoricalValues(numHistoricalValues),
      sType(sType),
      minNumSeries(minNumSeries),
      maxNumSeries(maxNumSeries),
      minFIn(minFIn),
      maxFOut(maxFOut),
      minLag(minLag),
      maxLag(maxLag),
      needLagDependent(needLagDependent),
      useConstTerm(useConstTerm),
      numPeriodsToForecast(numPeriodsToForecast),
      ConfidenceLevel(ConfidenceLevel),
      ReplaceOutliers(ReplaceOutliers),
      useExistingValues(useExistingValues),
      removeTrailingZeros(removeTrailingZeros),
      numSeries(0),
      dependentIndex(-1),
      lagDependentIndex(-1),
      selected(),
      candidates()
{
}

MatrixForecastStepwise::~MatrixForecastStepwise() = default;

void MatrixForecastStepwise::compute(Matrix& matrix, std::int32_t flag)
{
    (void)flag;
    runGuardingMatrixAlgebra(QD_SOURCE_PATH, kMatrixAlgebraLine, [&] { run(matrix); });
}

bool MatrixForecastStepwise::fit(Matrix& matrix, std::int32_t last, std::int32_t count,
                                 std::int32_t laggedDependent, bool rethrow)
{
    MatrixForecastMultipleRegression regression(last, count, useConstTerm, numPeriodsToForecast, ConfidenceLevel,
                                                false, ReplaceOutliers, useExistingValues, false, laggedDependent);
    return runRegressionOn(matrix, regression, rethrow);
}

std::int32_t MatrixForecastStepwise::bestLag(Matrix& matrix, std::int32_t i, std::int32_t last, std::int32_t count)
{
    if (minLag == maxLag)
        return minLag;
    Matrix trial;
    {
        Series dependent;
        dependent.dependenceType = QD_DEPENDENT;
        Series independent;
        independent.dependenceType = QD_INDEPENDENT;
        const std::int32_t first = last - count + 1;
        appendValues(matrix.series(dependentIndex), dependent, first + minLag, last);
        appendValues(matrix.series(i), independent, first, last - minLag);
        trial.addSeries(dependent);
        trial.addSeries(independent);
    }
    double best = 0.0;
    std::int32_t answer = minLag;
    if (fit(trial, QD_LAST, QD_ALL, -1))
        best = partialF(trial, 1);
    for (std::int32_t lag = minLag + 1; lag <= maxLag; ++lag) {
        Series& independent = trial.series(1);
        independent.removeObservationAt(independent.numObservations() - 1);
        trial.series(0).removeObservationAt(0);
        if (fit(trial, QD_LAST, QD_ALL, -1)) {
            const double f = partialF(trial, 1);
            if (f > best) {
                best = f;
                answer = lag;
            }
        }
    }
    return answer;
}

std::int32_t MatrixForecastStepwise::weakest(Matrix& work, bool fitted, double& score)
{
    score = maxFOut + 1.0;
    std::int32_t position = -1;
    for (std::uint32_t p = 1; p < selected.entries(); ++p) {
        const double f = fitted ? partialF(work, static_cast<std::int32_t>(p)) : 0.0;
        if (f < score) {
            score = f;
            position = static_cast<std::int32_t>(p);
        }
    }
    return position;
}

void MatrixForecastStepwise::forwardSelection(Matrix& source, Matrix& work, std::int32_t last,
                                              std::int32_t count, bool withRemoval)
{
    std::set<std::vector<std::int32_t>> seen;
    seen.insert(asSortedSet(selected));
    while (static_cast<std::int32_t>(selected.entries()) < maxNumSeries) {
        // Entering: the first candidate with the strictly greatest score.
        bool entered = false;
        double best = -1.0;
        std::int32_t bestPosition = -1;
        for (std::uint32_t c = 0; c < candidates.entries(); ++c) {
            work.addSeries(source.series(candidates[c]));
            const std::int32_t appended = work.numSeries() - 1;
            const double score = fit(work, last, count, -1) ? partialF(work, appended) : -2.0;
            work.removeSeriesAt(appended);
            if (score > best) {
                best = score;
                bestPosition = static_cast<std::int32_t>(c);
            }
        }
        if (bestPosition >= 0 && best >= minFIn) {
            const std::int32_t index = candidates[static_cast<std::uint32_t>(bestPosition)];
            work.addSeries(source.series(index));
            selected.insert(index);
            candidates.removeAt(static_cast<std::uint32_t>(bestPosition));
            entered = true;
        }
        if (!withRemoval) {
            if (!entered)
                break;
            continue;
        }
        // Removal, after every entering step.
        if (selected.entries() < 2)
            qdThrow(QD_SOURCE_PATH, 402, ErrorCode::StepwiseSelectedNothing);
        const bool fitted = fit(work, last, count, -1);
        double score = 0.0;
        const std::int32_t position = weakest(work, fitted, score);
        bool removed = false;
        if (position > 0 && score < maxFOut) {
            candidates.insert(selected[static_cast<std::uint32_t>(position)]);
            selected.removeAt(static_cast<std::uint32_t>(position));
            work.removeSeriesAt(position);
            removed = true;
        }
        if (!entered && !removed)
            break;
        // Entering and leaving can cycle: a model met before ends the search.
        if (!seen.insert(asSortedSet(selected)).second)
            break;
    }
}

void MatrixForecastStepwise::backwardElimination(Matrix& source, Matrix& work, std::int32_t last,
                                                 std::int32_t count)
{
    for (std::int32_t i = 0; i < source.numSeries(); ++i) {
        if (i == dependentIndex)
            continue;
        selected.insert(i);
        work.addSeries(source.series(i));
    }
    while (static_cast<std::int32_t>(selected.entries()) > minNumSeries) {
        const bool fitted = fit(work, last, count, -1);
        double score = 0.0;
        const std::int32_t position = weakest(work, fitted, score);
        if (position > 0 && score < maxFOut) {
            candidates.insert(selected[static_cast<std::uint32_t>(position)]);
            selected.removeAt(static_cast<std::uint32_t>(position));
            work.removeSeriesAt(position);
        } else {
            break;
        }
    }
}

void MatrixForecastStepwise::run(Matrix& matrix)
{
    // 1. Checks and preparation.
    std::int32_t k = matrix.numSeries();
    if (k < (needLagDependent ? 1 : 2))
        qdThrow(QD_SOURCE_PATH, 118, ErrorCode::NotEnoughSeriesForRegression);
    const std::int32_t dep = matrix.dependentSeriesIndex(QD_DEPENDENT);
    if (dep < 0)
        qdThrow(QD_SOURCE_PATH, 123, ErrorCode::NoDependentSeries);
    dependentIndex = dep;
    std::int32_t last = observationNumber;
    std::int32_t n = numHistoricalValues;
    resolveRegressionRange(matrix.series(dep), last, n);
    if (numPeriodsToForecast < 0)
        qdThrow(QD_SOURCE_PATH, 137, ErrorCode::IllegalForecastPeriods);
    if (!(ConfidenceLevel >= 0.0 && ConfidenceLevel < 1.0))
        qdThrow(QD_SOURCE_PATH, 140, ErrorCode::IllegalConfidenceLevel);
    checkRegressors(matrix, dep, last, removeTrailingZeros, QD_SOURCE_PATH, 149);
    removeTrailingZeros = false;
    lagDependentIndex = -1;
    if (needLagDependent && matrix.series(dep).numObservations() > 1) {
        Series lagged;
        const Series& ys = matrix.series(dep);
        const std::int32_t count = ys.numObservations();
        for (std::int32_t t = -1; t < count - 1; ++t) {
            const Observation& o = ys.observation(t < 0 ? 0 : t);
            lagged.addObservation(o.value, o.originType, o.description);
        }
        lagged.setDescription(ys.description() + FdCString("(Lag)"));
        lagged.dependenceType = QD_INDEPENDENT;
        matrix.addSeries(lagged);
        lagDependentIndex = matrix.numSeries() - 1;
        k = matrix.numSeries();
    }
    numSeries = k;
    if (minNumSeries == QD_COMPUTE || minNumSeries < 2)
        minNumSeries = 2;
    if (minNumSeries > k)
        qdThrow(QD_SOURCE_PATH, 170, ErrorCode::StepwiseMinimumSeriesTooBig);
    if (maxNumSeries == QD_COMPUTE || maxNumSeries > k)
        maxNumSeries = k;
    if (maxNumSeries < 2)
        qdThrow(QD_SOURCE_PATH, 175, ErrorCode::StepwiseMaximumSeriesTooSmall);
    if (sType == kStepwiseWithRemoval && minNumSeries > maxNumSeries)
        qdThrow(QD_SOURCE_PATH, 178, ErrorCode::StepwiseMinimumAboveMaximum);
    if (maxNumSeries > n)
        qdThrow(QD_SOURCE_PATH, 181, ErrorCode::NotEnoughObservationsForRegression);
    if (!(minFIn >= 0.0) || !(maxFOut >= 0.0))
        qdThrow(QD_SOURCE_PATH, 184, ErrorCode::NegativeStepwiseF);
    if (sType == kStepwiseWithRemoval && minFIn < maxFOut)
        qdThrow(QD_SOURCE_PATH, 187, ErrorCode::StepwiseFInAboveFOut);
    const std::int32_t limit = n - k - 1;
    if (minLag == QD_COMPUTE)
        minLag = 0;
    if (maxLag == QD_COMPUTE)
        maxLag = std::min(std::max(minLag, 6), limit);
    if (minLag < 0 || maxLag < 0)
        qdThrow(QD_SOURCE_PATH, 195, ErrorCode::NegativeStepwiseLag);
    if (minLag > maxLag || minLag > limit)
        qdThrow(QD_SOURCE_PATH, 198, ErrorCode::IllegalStepwiseLags);
    if (maxLag > limit)
        maxLag = limit;

    // 2. No forecasts while selecting.
    const std::int32_t periods = numPeriodsToForecast;
    numPeriodsToForecast = 0;

    // 3. Lags.
    std::vector<std::int32_t> lags(static_cast<std::size_t>(k), 0);
    std::int32_t L = 0;
    for (std::int32_t i = 0; i < k; ++i) {
        const std::int32_t lag = i == dep ? 0 : bestLag(matrix, i, last, n);
        lags[static_cast<std::size_t>(i)] = lag;
        Series& s = matrix.series(i);
        s.storedResults.store(QD_REGRESSION_LAG_VALUE, lag);
        if (lag > 0) {
            char text[32];
            std::snprintf(text, sizeof text, "(Lag %ld)", static_cast<long>(lag));
            s.setDescription(s.description() + FdCString(static_cast<const char*>(text)));
        }
        L = std::max(L, lag);
    }

    // 4. The lagged matrix pairs the dependent value of time t + L with the
    // value of series i at time t + L - lag_i.
    Matrix laggedMatrix;
    if (L > 0) {
        last -= L;
        n -= L;
        for (std::int32_t i = 0; i < k; ++i) {
            const Series& s = matrix.series(i);
            Series shifted;
            shifted.dependenceType = s.dependenceType;
            appendValues(s, shifted, L - lags[static_cast<std::size_t>(i)], s.numObservations() - 1);
            laggedMatrix.addSeries(shifted);
        }
    }
    Matrix& source = L > 0 ? laggedMatrix : matrix;

    // 5. Selection.
    selected = OrderedVector<std::int32_t>();
    candidates = OrderedVector<std::int32_t>();
    selected.insert(dep);
    Matrix work;
    work.addSeries(source.series(dep));
    work.series(0).dependenceType = QD_DEPENDENT;
    if (sType == kStepwiseWithRemoval || sType == kForwardSelection) {
        for (std::int32_t i = 0; i < k; ++i)
            if (i != dep)
                candidates.insert(i);
        forwardSelection(source, work, last, n, sType == kStepwiseWithRemoval);
    } else if (sType == kBackwardElimination) {
        backwardElimination(source, work, last, n);
    }

    // 6. Nothing chosen.
    if (selected.entries() < 2)
        qdThrow(QD_SOURCE_PATH, 241, ErrorCode::StepwiseSelectedNothing);

    // 7. Final fit; its failure is the caller's, before anything is written
    // back.
    numPeriodsToForecast = periods;
    std::int32_t lagPosition = -1;
    if (lagDependentIndex >= 0) {
        const std::uint32_t at = selected.index(lagDependentIndex);
        if (at != FD_NPOS)
            lagPosition = static_cast<std::int32_t>(at);
    }
    fit(work, last, n, lagPosition, true);

    for (std::int32_t i = 0; i < matrix.numSeries(); ++i)
        matrix.series(i).dependenceType = QD_REGRESSION_NOT_SELECTED;
    const std::int32_t h = numPeriodsToForecast;
    const std::int32_t start = last - n + 1;
    for (std::uint32_t p = 0; p < selected.entries(); ++p) {
        Series& m = matrix.series(selected[p]);
        const Series& w = work.series(static_cast<std::int32_t>(p));
        const std::int32_t code =
            p == 0 ? QD_STEPWISE : (w.forecastMethodNumber != -1 ? w.forecastMethodNumber : QD_FORECAST);
        const std::int32_t oldCount = m.numObservations();
        for (std::int32_t t = start; t < start + L; ++t)
            storeRegressionValue(m, t, oldCount, code, m.observation(t).value);
        for (std::int32_t b = 0; b < n + h; ++b) {
            const std::int32_t at = start + b;
            double v = 0.0;
            // An observation without a fitted value is skipped, not given 0.
            if (at >= w.numObservations() || w.observation(at).storedResults.lookup(QD_FORECAST, v) != QD_QUANTITY_FOUND)
                continue;
            storeRegressionValue(m, start + L + b, oldCount, code, v);
        }
        for (std::int32_t t = start; t < start + n + h + L && t < m.numObservations(); ++t) {
            Observation& o = m.observation(t);
            double v = 0.0;
            if (o.storedResults.lookup(QD_FORECAST, v) == QD_QUANTITY_FOUND)
                o.storedResults.store(QD_STEPWISE, v);
        }
        if (p == 0) {
            m.dependenceType = QD_DEPENDENT;
            m.storedResults.store(QD_F_TEST, w.storedResults.value(QD_F_TEST));
            for (std::int32_t j = 1; j <= h; ++j)
                m.observation(last + j + L)
                    .storedResults.store(QD_CONFIDENCE_INTERVAL,
                                         w.observation(last + j).storedResults.value(QD_CONFIDENCE_INTERVAL));
        } else {
            m.dependenceType = QD_REGRESSION_SELECTED;
            m.storedResults.store(QD_REGRESSION_ELASTICITY, w.storedResults.value(QD_REGRESSION_ELASTICITY));
        }
        m.storedResults.store(QD_BETA, w.storedResults.value(QD_BETA));
        m.storedResults.store(QD_REGRESSION_STANDARD_ERROR, w.storedResults.value(QD_REGRESSION_STANDARD_ERROR));
        copyEntry0(w.storedResults, m.storedResults, QD_T_TEST);
        m.setDirty(true, true);
    }

    // 8. Method record.
    matrix.recordForecastMethod(QD_STEPWISE);
    Series& ys = matrix.series(dep);
    ys.recordForecastMethod(QD_STEPWISE);
}

}  // namespace qd
