#include "SeriesCompute/BoxJenkinsModel.h"

#include <cmath>
#include <new>
#include <utility>

#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/FitCriteria.h"
#include "SeriesCompute/Minimizer.h"
#include "SeriesCompute/SeriesComputeLjungBox.h"
#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/SharedRoutines.h"
#include "SeriesCompute/WorkCount.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\BoxJenkinsModel";

const double kCoefficientTolerance = 0.01;
const double kMeanToleranceFactor = 0.0001;
// The search stops on an absolute change of the sum of squares, whatever
// the scale of the series: deliberate, and kept so that the passes run and
// the chosen coefficients stay as they are.
const double kStopChange = 0.01;
const std::int32_t kMaxPasses = 20;  // passes stop once more than this many ran

double coefficient(const std::vector<double>& group, std::int32_t i)
{
    if (i < 0)
        qdThrow(QD_SOURCE_PATH, 171, ErrorCode::NegativeIndex);
    if (static_cast<std::size_t>(i) >= group.size())
        qdThrow(QD_SOURCE_PATH, 173, ErrorCode::OutOfBounds);
    return group[static_cast<std::size_t>(i)];
}

void setCoefficient(std::vector<double>& group, std::int32_t i, double value)
{
    if (i < 0)
        qdThrow(QD_SOURCE_PATH, 180, ErrorCode::NegativeIndex);
    if (static_cast<std::size_t>(i) >= group.size())
        qdThrow(QD_SOURCE_PATH, 182, ErrorCode::OutOfBounds);
    group[static_cast<std::size_t>(i)] = value;
}

std::size_t orderSize(std::int32_t order)
{
    return order > 0 ? static_cast<std::size_t>(order) : 0u;
}

// Whether y lies inside the 1% band around x: 0.99 x < y < 1.01 x. For a
// negative x (a BIC below zero is normal after a log transform) the band is
// mirrored, 1.01 x < y < 0.99 x; written as printed it would be empty there.
bool insideOnePercentBand(double x, double y)
{
    if (x < 0.0)
        return 1.01 * x < y && y < 0.99 * x;
    return 0.99 * x < y && y < 1.01 * x;
}

// Releases a working array's storage.
void release(std::vector<double>& v) noexcept
{
    std::vector<double>().swap(v);
}

}  // namespace

BoxJenkinsModel::BoxJenkinsModel()
    : BoxJenkinsModel(0, 0, 0, 0, false, 0, 0, 0, 0, 0)
{
}

BoxJenkinsModel::BoxJenkinsModel(std::int32_t lastIndex, std::int32_t numHistoricalValues,
                                 std::int32_t numPeriodsToForecast, std::int32_t numLagValues, bool hasConstant,
                                 std::int32_t seasonalLength, std::int32_t p, std::int32_t q, std::int32_t P,
                                 std::int32_t Q)
    : p(p),
      q(q),
      P(P),
      Q(Q),
      processMean(0.0),
      hasConstant(hasConstant),
      lastIndex(lastIndex),
      numHistoricalValues(numHistoricalValues),
      numPeriodsToForecast(numPeriodsToForecast),
      seasonalLength(seasonalLength),
      numLagValues(numLagValues),
      ljungBoxQ(0.0),
      bic(0.0),
      residualSumOfSquares(0.0),
      score(),
      fittedSeries(nullptr),
      parameters(),
      arCoefficients(orderSize(p), 0.0),
      maCoefficients(orderSize(q), 0.0),
      seasonalArCoefficients(orderSize(P), 0.0),
      seasonalMaCoefficients(orderSize(Q), 0.0)
{
}

BoxJenkinsModel::BoxJenkinsModel(const BoxJenkinsModel& other)
    : SeriesForecast(other),
      ObjectiveFunction(other),
      p(other.p),
      q(other.q),
      P(other.P),
      Q(other.Q),
      processMean(other.processMean),
      hasConstant(other.hasConstant),
      lastIndex(other.lastIndex),
      numHistoricalValues(other.numHistoricalValues),
      numPeriodsToForecast(other.numPeriodsToForecast),
      seasonalLength(other.seasonalLength),
      numLagValues(other.numLagValues),
      ljungBoxQ(other.ljungBoxQ),
      bic(other.bic),
      residualSumOfSquares(other.residualSumOfSquares),
      score(other.score),
      fittedSeries(other.fittedSeries),
      parameters(),
      arCoefficients(other.arCoefficients),
      maCoefficients(other.maCoefficients),
      seasonalArCoefficients(other.seasonalArCoefficients),
      seasonalMaCoefficients(other.seasonalMaCoefficients)
{
}

BoxJenkinsModel& BoxJenkinsModel::operator=(const BoxJenkinsModel& other)
{
    if (this != &other) {
        // Copy first: a failed allocation leaves this model as it was.
        BoxJenkinsModel copy(other);
        swap(copy);
    }
    return *this;
}

BoxJenkinsModel::~BoxJenkinsModel() = default;

void BoxJenkinsModel::swap(BoxJenkinsModel& other) noexcept
{
    std::swap(p, other.p);
    std::swap(q, other.q);
    std::swap(P, other.P);
    std::swap(Q, other.Q);
    std::swap(processMean, other.processMean);
    std::swap(hasConstant, other.hasConstant);
    std::swap(lastIndex, other.lastIndex);
    std::swap(numHistoricalValues, other.numHistoricalValues);
    std::swap(numPeriodsToForecast, other.numPeriodsToForecast);
    std::swap(seasonalLength, other.seasonalLength);
    std::swap(numLagValues, other.numLagValues);
    std::swap(ljungBoxQ, other.ljungBoxQ);
    std::swap(bic, other.bic);
    std::swap(residualSumOfSquares, other.residualSumOfSquares);
    std::swap(score, other.score);
    std::swap(fittedSeries, other.fittedSeries);
    arCoefficients.swap(other.arCoefficients);
    maCoefficients.swap(other.maCoefficients);
    seasonalArCoefficients.swap(other.seasonalArCoefficients);
    seasonalMaCoefficients.swap(other.seasonalMaCoefficients);
}

double BoxJenkinsModel::arCoefficient(std::int32_t i) const { return coefficient(arCoefficients, i); }
void BoxJenkinsModel::setArCoefficient(std::int32_t i, double value) { setCoefficient(arCoefficients, i, value); }
double BoxJenkinsModel::maCoefficient(std::int32_t i) const { return coefficient(maCoefficients, i); }
void BoxJenkinsModel::setMaCoefficient(std::int32_t i, double value) { setCoefficient(maCoefficients, i, value); }
double BoxJenkinsModel::seasonalArCoefficient(std::int32_t i) const { return coefficient(seasonalArCoefficients, i); }
void BoxJenkinsModel::setSeasonalArCoefficient(std::int32_t i, double value)
{
    setCoefficient(seasonalArCoefficients, i, value);
}
double BoxJenkinsModel::seasonalMaCoefficient(std::int32_t i) const { return coefficient(seasonalMaCoefficients, i); }
void BoxJenkinsModel::setSeasonalMaCoefficient(std::int32_t i, double value)
{
    setCoefficient(seasonalMaCoefficients, i, value);
}

std::int64_t BoxJenkinsModel::arSpan() const
{
    return static_cast<std::int64_t>(p) + static_cast<std::int64_t>(seasonalLength) * P;
}

std::int64_t BoxJenkinsModel::maSpan() const
{
    return static_cast<std::int64_t>(q) + static_cast<std::int64_t>(seasonalLength) * Q;
}

BoxJenkinsModel::Terms BoxJenkinsModel::terms() const
{
    return Terms{seasonalLength,
                 p,
                 q,
                 P,
                 Q,
                 hasConstant,
                 processMean,
                 arCoefficients.data(),
                 maCoefficients.data(),
                 seasonalArCoefficients.data(),
                 seasonalMaCoefficients.data()};
}

// The prediction itself, inlined into the loops over the observations.
inline double BoxJenkinsModel::Terms::predict(const double* y, const double* yhat, std::int64_t now,
                                              const double* initial) const
{
    // y(k) for any k, when it exists; a(k) only for k >= 0.
    auto valueAt = [&](std::int64_t k, double& out) {
        if (k >= 0) {
            out = y[k];
            return true;
        }
        if (initial != nullptr) {
            out = initial[-k];
            return true;
        }
        return false;
    };

    double sum = 0.0;
    if (hasConstant) {
        double c = 1.0;
        for (std::int32_t i = 1; i <= p; ++i)
            if (initial != nullptr || now - i >= 0)
                c -= ar[i - 1];
        for (std::int32_t J = 1; J <= P; ++J)
            if (initial != nullptr || now - S * J >= 0)
                c -= sar[J - 1];
        for (std::int32_t i = 1; i <= p; ++i)
            for (std::int32_t J = 1; J <= P; ++J)
                if (initial != nullptr || now - S * J - i >= 0)
                    c += ar[i - 1] * sar[J - 1];
        sum += processMean * c;
    }
    double v = 0.0;
    for (std::int32_t J = 1; J <= P; ++J)
        if (valueAt(now - S * J, v))
            sum += sar[J - 1] * v;
    for (std::int32_t i = 1; i <= p; ++i)
        if (valueAt(now - i, v))
            sum += ar[i - 1] * v;
    for (std::int32_t i = 1; i <= p; ++i)
        for (std::int32_t J = 1; J <= P; ++J)
            if (valueAt(now - S * J - i, v))
                sum -= sar[J - 1] * ar[i - 1] * v;
    for (std::int32_t J = 1; J <= Q; ++J) {
        const std::int64_t k = now - S * J;
        if (k >= 0)
            sum -= sma[J - 1] * (y[k] - yhat[k]);
    }
    for (std::int32_t j = 1; j <= q; ++j) {
        const std::int64_t k = now - j;
        if (k >= 0)
            sum -= ma[j - 1] * (y[k] - yhat[k]);
    }
    for (std::int32_t j = 1; j <= q; ++j)
        for (std::int32_t J = 1; J <= Q; ++J) {
            const std::int64_t k = now - S * J - j;
            if (k >= 0)
                sum += sma[J - 1] * ma[j - 1] * (y[k] - yhat[k]);
        }
    return sum;
}

double BoxJenkinsModel::predict(const double* y, const double* yhat, std::int32_t t, const double* initial) const
{
    return terms().predict(y, yhat, t, initial);
}

void BoxJenkinsModel::backcast(std::int32_t n, std::int32_t m, const double* y, double* out) const
{
    const std::size_t total = static_cast<std::size_t>(n) + static_cast<std::size_t>(m > 0 ? m : 0);
    std::vector<double>& r = reversed_;
    std::vector<double>& rhat = reversedPredictions_;
    // Every element is written before it is read: a prediction reads the
    // values and predictions of earlier times only.
    r.resize(total);
    rhat.resize(total);
    for (std::int32_t k = 0; k < n; ++k)
        r[static_cast<std::size_t>(k)] = y[n - 1 - k];
    const Terms model = terms();
    double* const rv = r.data();
    double* const rh = rhat.data();
    for (std::size_t k = 0; k < total; ++k) {
        rh[k] = model.predict(rv, rh, static_cast<std::int64_t>(k), nullptr);
        if (k >= static_cast<std::size_t>(n)) {
            rv[k] = rh[k];
            out[k - static_cast<std::size_t>(n) + 1] = rh[k];
        }
    }
}

void BoxJenkinsModel::notePass(const double* y, std::int32_t n) const
{
#ifdef QD_COUNT_WORK
    // Nothing is built for a note that no one hears.
    if (workListener() == nullptr)
        return;
    std::vector<double> parameters;
    for (const std::vector<double>* group :
         {&arCoefficients, &maCoefficients, &seasonalArCoefficients, &seasonalMaCoefficients})
        parameters.insert(parameters.end(), group->begin(), group->end());
    parameters.push_back(processMean);
    const std::int32_t detail[6] = {p, q, P, Q, seasonalLength, hasConstant ? 1 : 0};
    noteWork(WorkKind::BoxJenkinsPass, y, n, 0, 0, parameters.data(), static_cast<std::int32_t>(parameters.size()),
             detail);
#else
    (void)y;
    (void)n;
#endif
}

double BoxJenkinsModel::sumOfSquaredErrors()
{
    const std::int32_t n = numHistoricalValues;
    const std::int32_t m = static_cast<std::int32_t>(arSpan());
    notePass(values.data(), n);
    // backcast writes out[1 .. m], all that the predictions read.
    backcasts.resize(static_cast<std::size_t>(m) + 1);
    backcast(n, m, values.data(), backcasts.data());
    const Terms model = terms();
    const double* const y = values.data();
    double* const yhat = predictions.data();
    const double* const initial = backcasts.data();
    double sse = 0.0;
    for (std::int32_t t = 0; t < n; ++t) {
        yhat[t] = model.predict(y, yhat, t, initial);
        const double e = y[t] - yhat[t];
        sse += e * e;
    }
    return sse;
}

double BoxJenkinsModel::evaluate(double x)
{
    double& parameter = parameters.currentParameter();
    const double saved = parameter;
    parameter = x;
    double sse = 0.0;
    try {
        sse = sumOfSquaredErrors();
    } catch (...) {
        parameter = saved;
        throw;
    }
    parameter = saved;
    return sse;
}

void BoxJenkinsModel::fit(Series& series)
{
    // Whatever happens, the list is emptied and the working arrays freed.
    struct FitCleanup {
        BoxJenkinsModel& model;
        ~FitCleanup()
        {
            model.parameters.clear();
            release(model.values);
            release(model.predictions);
            release(model.backcasts);
            release(model.reversed_);
            release(model.reversedPredictions_);
        }
    } cleanup{*this};

    fittedSeries = &series;
    const std::int32_t n = numHistoricalValues;
    values.assign(static_cast<std::size_t>(n > 0 ? n : 0), 0.0);
    for (std::int32_t i = 0; i < n; ++i)
        values[static_cast<std::size_t>(i)] = series.observation(i).value;
    predictions.assign(values.size(), 0.0);

    // The coordinates in visiting order; each coefficient but the last of
    // its group is bounded by the next one.
    std::vector<double>* groups[4] = {&arCoefficients, &maCoefficients, &seasonalArCoefficients,
                                      &seasonalMaCoefficients};
    for (std::vector<double>* group : groups) {
        const std::size_t order = group->size();
        for (std::size_t i = 0; i < order; ++i) {
            if (i + 1 < order)
                parameters.addParameterWithNeighbour((*group)[i], (*group)[i + 1]);
            else
                parameters.addParameter((*group)[i]);
        }
    }
    double meanLow = 0.0;
    double meanHigh = 0.0;
    if (hasConstant) {
        processMean = checkedMean(series, QD_LAST, QD_ALL);
        meanLow = minimumOfValues(series, QD_LAST, QD_ALL);
        meanHigh = maximumOfValues(series, QD_LAST, QD_ALL);
        parameters.addParameter(processMean);
    }

    const std::uint32_t entries = parameters.entries();
    double sse = 0.0;
    double previous = 0.0;
    std::int32_t passes = 0;
    bool first = true;
    for (;;) {
        previous = sse;
        for (std::uint32_t step = 0; step < entries; ++step) {
            const std::uint32_t e = parameters.cursor();
            double low = 0.0;
            double high = 0.0;
            double tolerance = kCoefficientTolerance;
            if (hasConstant && e + 1 == entries) {
                low = meanLow;
                high = meanHigh;
                tolerance = (high - low) * kMeanToleranceFactor;
            } else {
                // Which group and which coefficient of it the entry is.
                std::uint32_t index = e;
                const std::vector<double>* group = nullptr;
                for (std::vector<double>* g : groups) {
                    if (index < g->size()) {
                        group = g;
                        break;
                    }
                    index -= static_cast<std::uint32_t>(g->size());
                }
                const double v = parameters.currentNeighbourValue();
                low = v - 1.0;
                high = 1.0 - v;
                if (group != nullptr && group->size() == 2 && index == 1)
                    high = 1.0 - std::fabs((*group)[0]);
                // A neighbour above 1 (possible from order 3 on) turns the
                // interval round; the search takes it the right way up.
                if (low > high)
                    std::swap(low, high);
            }
            double x = parameters.currentParameter();
            sse = minimizeFromBracket(*this, low, high, tolerance, x);
            parameters.currentParameter() = x;
            parameters.advanceCursor();
        }
        ++passes;
        if (passes > kMaxPasses)
            break;
        if (first) {
            first = false;
            previous = sse + 1.0;
            continue;
        }
        if (std::fabs(sse - previous) <= kStopChange)
            break;
    }
    residualSumOfSquares = sse;
}

std::int32_t BoxJenkinsModel::compute(Series& series, std::int32_t flag)
{
    (void)flag;
    const std::int32_t N = series.numObservations();
    const std::int64_t wanted = static_cast<std::int64_t>(numPeriodsToForecast) + lastIndex + 1;
    if (wanted > Series::maxObservations())
        throw std::bad_alloc();
    const std::size_t size = static_cast<std::size_t>(wanted > N ? wanted : N);
    std::vector<double> y(size, 0.0);
    std::vector<double> yhat(size, 0.0);
    for (std::int32_t i = 0; i < N; ++i)
        y[static_cast<std::size_t>(i)] = series.observation(i).value;
    const std::int32_t m = static_cast<std::int32_t>(arSpan());
    notePass(y.data(), N);
    std::vector<double> initial(static_cast<std::size_t>(m) + 1, 0.0);
    backcast(N, m, y.data(), initial.data());

    std::int32_t start = lastIndex - numHistoricalValues + 1;
    if (start < 0)
        start = 0;
    const std::int32_t end = lastIndex + numPeriodsToForecast;
    const Terms model = terms();
    for (std::int32_t t = start; t <= end; ++t) {
        const std::size_t k = static_cast<std::size_t>(t);
        yhat[k] = model.predict(y.data(), yhat.data(), t, initial.data());
        if (t >= N)
            y[k] = yhat[k];  // the forecast stands in for the value: residual 0
    }
    for (std::int32_t t = start; t <= end; ++t)
        storeFittedValue(series, t, N, QD_BOX_JENKINS, yhat[static_cast<std::size_t>(t)]);
    series.setDirty(true, true);
    return 0;
}

void BoxJenkinsModel::diagnose(Series& series)
{
    const std::int32_t periods = numPeriodsToForecast;
    numPeriodsToForecast = 0;
    try {
        compute(series, 0);
    } catch (...) {
        numPeriodsToForecast = periods;
        throw;
    }
    numPeriodsToForecast = periods;

    const std::int32_t k = p + q + P + Q + (hasConstant ? 1 : 0);
    try {
        ljungBoxQ = ljungBox(series, lastIndex, numHistoricalValues, numLagValues);
    } catch (const MVRBaseException&) {
        rethrowOutOfMemory();
        // "Number of lag values exceed number of historical values. Cannot
        // run Box-Jenkins on this data set."
        qdThrow(QD_SOURCE_PATH, 441, ErrorCode::LagsExceedHistory);
    }
    bic = computeBIC(series, lastIndex, numHistoricalValues, k, residualSumOfSquares);
    score.ljungBoxQ = ljungBoxQ;
    score.bic = bic;
    score.numParameters = k;
}

bool BoxJenkinsModel::isBetterThan(const BoxJenkinsScore& a, const BoxJenkinsScore& b)
{
    if (&a == &b)
        return false;
    // Q is judged with the model's number of parameters as the degrees of
    // freedom, not the number of lags less the ARMA orders: deliberate, the
    // ordering of the models depends on it.
    const bool aPasses = a.ljungBoxQ < chiSquareCritical95(a.numParameters);
    const bool bPasses = b.ljungBoxQ < chiSquareCritical95(b.numParameters);
    if (aPasses && !bPasses)
        return true;
    if (!aPasses && bPasses)
        return false;
    const double A = a.bic;
    const double B = b.bic;
    if (insideOnePercentBand(B, A) || insideOnePercentBand(A, B))
        return a.numParameters < b.numParameters;
    return A < B;
}

}  // namespace qd
