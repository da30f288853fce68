#include "MatrixCompute/MatrixForecastCensusX11.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <new>

#include "Matrix/MVRBaseException.h"
#include "Matrix/Matrix.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "SeriesCompute/SeasonalLengthDetection.h"
#include "SeriesCompute/SeriesComputeCenteredMovingAverage.h"
#include "SeriesCompute/SeriesComputeTValue.h"
#include "SeriesCompute/DecompositionType.h"
#include "SeriesCompute/SeriesForecastBoxJenkinsNew.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingBrown.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingHolt.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastLinearRegression.h"
#include "SeriesCompute/SeriesForecastSelvane.h"
#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingBrown.h"
#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/SharedRoutines.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\MatrixCompute\\MatrixForecastCensusX11";

using Values = std::vector<double>;

std::size_t at(std::int32_t i)
{
    return static_cast<std::size_t>(i);
}

// C = A / B (multiplicative) or A - B over first .. last.
void combine(const Values& a, const Values& b, Values& c, std::int32_t first, std::int32_t last, std::int32_t d)
{
    for (std::int32_t i = first; i <= last; ++i) {
        if (d == kMultiplicativeDecomposition) {
            if (std::fabs(b[at(i)]) < 1e-12)
                qdThrow(QD_SOURCE_PATH, 412, ErrorCode::NotMultiplicativeData);
            c[at(i)] = a[at(i)] / b[at(i)];
        } else {
            c[at(i)] = a[at(i)] - b[at(i)];
        }
    }
}

double meanOf(const Values& v, std::size_t from, std::size_t n)
{
    double sum = 0.0;
    for (std::size_t k = 0; k < n; ++k)
        sum += v[from + k];
    return sum / static_cast<double>(n);
}

// Centred simple moving average of odd span m over `in` (positions p ..
// in.size() - 1 - p, p = m / 2), into `out` of the same size.
void simpleAverage(const Values& in, Values& out, std::int32_t m)
{
    const std::size_t p = at(m / 2);
    for (std::size_t j = p; j + p < in.size(); ++j)
        out[j] = meanOf(in, j - p, at(m));
}

// Seasonal m x m moving average with end span e over start .. start+len-1,
// each season position on its own.
void seasonalAverage(Values& x, std::int32_t start, std::int32_t len, std::int32_t s, std::int32_t m,
                     std::int32_t e)
{
    if (m % 2 == 0 || len <= 0 || s <= 0 || m <= 0 || e <= 0)
        return;
    const std::size_t pad = at(2 * (m / 2));
    for (std::int32_t c = 0; c < s && c < len; ++c) {
        const std::size_t k = at(len / s + (c < len % s ? 1 : 0));
        Values buffer(k + 2 * pad, 0.0);
        for (std::size_t q = 0; q < k; ++q)
            buffer[pad + q] = x[at(start + c) + q * at(s)];
        const std::size_t span = k >= at(e) ? at(e) : k;
        const double head = meanOf(buffer, pad, span);
        const double tail = meanOf(buffer, pad + k - span, span);
        for (std::size_t q = 0; q < pad; ++q) {
            buffer[q] = head;
            buffer[pad + k + q] = tail;
        }
        Values once(buffer.size(), 0.0);
        Values twice(buffer.size(), 0.0);
        simpleAverage(buffer, once, m);
        simpleAverage(once, twice, m);
        for (std::size_t q = 0; q < k; ++q)
            x[at(start + c) + q * at(s)] = twice[pad + q];
    }
}

// Replaces the extreme values of each season position in place.
void replaceExtremes(Values& si, std::int32_t start, std::int32_t len, std::int32_t s, double r, std::int32_t m,
                     std::int32_t e)
{
    Values smoothed = si;
    seasonalAverage(smoothed, start, len, s, m, e);
    for (std::int32_t c = 0; c < s && c < len; ++c) {
        const std::int32_t k = len / s + (c < len % s ? 1 : 0);
        double sum = 0.0;
        for (std::int32_t q = 0; q < k; ++q) {
            const std::size_t i = at(start + c + q * s);
            sum += (si[i] - smoothed[i]) * (si[i] - smoothed[i]);
        }
        const double limit = r * std::sqrt(sum / k);
        if (k < 2)
            continue;
        for (std::int32_t q = 0; q < k; ++q) {
            const std::size_t i = at(start + c + q * s);
            if (!(si[i] <= smoothed[i] - limit || si[i] >= smoothed[i] + limit))
                continue;
            if (q == 0)
                si[i] = si[i + at(s)];
            else if (q == k - 1)
                si[i] = si[i - at(s)];
            else
                si[i] = (si[i - at(s)] + si[i + at(s)]) * 0.5;
        }
    }
}

void normaliseBlock(double* block, std::int32_t s, std::int32_t d)
{
    if (d == kMultiplicativeDecomposition) {
        double sum = 0.0;
        for (std::int32_t q = 0; q < s; ++q)
            sum += block[q];
        if (std::fabs(sum) < 1e-12)
            qdThrow(QD_SOURCE_PATH, 356, ErrorCode::NotMultiplicativeData);
        for (std::int32_t q = 0; q < s; ++q)
            block[q] *= s / sum;
    } else {
        double sum = 0.0;
        for (std::int32_t q = 0; q < s; ++q)
            sum += block[q];
        const double mean = sum / s;
        for (std::int32_t q = 0; q < s; ++q)
            block[q] -= mean;
    }
}

// Each complete season block normalised; a trailing incomplete block is
// completed from the block before it.
void normaliseBlocks(Values& x, std::int32_t h, std::int32_t s, std::int32_t d)
{
    const std::int32_t blocks = h / s;
    for (std::int32_t j = 0; j < blocks; ++j)
        normaliseBlock(&x[at(j * s)], s, d);
    const std::int32_t rest = h % s;
    if (rest > 0 && blocks > 0) {
        Values block(at(s));
        for (std::int32_t q = 0; q < s; ++q)
            block[at(q)] = q < rest ? x[at(blocks * s + q)] : x[at((blocks - 1) * s + q)];
        normaliseBlock(block.data(), s, d);
        for (std::int32_t q = 0; q < rest; ++q)
            x[at(blocks * s + q)] = block[at(q)];
    }
}

// The Henderson-type trend filter chosen by the season's length.
void trendFilter(Values& x, std::int32_t start, std::int32_t len, std::int32_t s)
{
    if (start < 0 || len <= 6 || s <= 0 || len <= s)
        return;
    static const double w7[] = {-1, 2, 10, 14, 10, 2, -1};
    static const double w11[] = {-3, -6, 1, 15, 22, 22, 22, 15, 1, -6, -3};
    static const double w15[] = {-3, -6, -5, 3, 21, 46, 67, 74, 67, 46, 21, 3, -5, -6, -3};
    const double* w;
    std::int32_t terms;
    double divisor;
    std::int32_t endSpan;
    if (s < 6) {
        w = w7, terms = 7, divisor = 36.0, endSpan = 2;
    } else if (s < 10) {
        w = w11, terms = 11, divisor = 80.0, endSpan = 3;
    } else {
        w = w15, terms = 15, divisor = 320.0, endSpan = 4;
    }
    const std::size_t side = at((terms - 1) / 2);
    Values buffer(at(len) + 2 * side);
    for (std::int32_t q = 0; q < len; ++q)
        buffer[side + at(q)] = x[at(start + q)];
    const double head = meanOf(buffer, side, at(endSpan));
    const double tail = meanOf(buffer, side + at(len - endSpan), at(endSpan));
    for (std::size_t q = 0; q < side; ++q) {
        buffer[q] = head;
        buffer[side + at(len) + q] = tail;
    }
    for (std::int32_t q = 0; q < len; ++q) {
        double sum = 0.0;
        for (std::int32_t t = 0; t < terms; ++t)
            sum += w[t] * buffer[at(q) + at(t)];
        x[at(start + q)] = sum / divisor;
    }
}

}  // namespace

MatrixForecastCensusX11::MatrixForecastCensusX11(std::int32_t observationNumber, std::int32_t numHistoricalValues,
                                                 std::int32_t numForecastPeriods, std::int32_t SeasonalLength,
                                                 std::int32_t decompType, double SDRatio,
                                                 bool needTradingDaysAdjust, std::int16_t ForecastMethod)
    : observationNumber(observationNumber), numHistoricalValues(numHistoricalValues),
      numForecastPeriods(numForecastPeriods), SeasonalLength(SeasonalLength), decompType(decompType),
      needTradingDaysAdjust(needTradingDaysAdjust), ForecastMethod(ForecastMethod), SDRatio(SDRatio),
      decompositionUsed(0), first(0), dataSeriesIndex(-1), tradingDaysSeriesIndex(-1)
{
}

bool MatrixForecastCensusX11::trendMethodAvailable(std::int32_t method)
{
    switch (method) {
    case QD_EXPONENTIAL_SMOOTHING:
    case QD_LINEAR_REGRESSION:
    case QD_DOUBLE_EXPONENTIAL_SMOOTHING_BROWN:
    case QD_DOUBLE_EXPONENTIAL_SMOOTHING_HOLT:
    case QD_TRIPLE_EXPONENTIAL_SMOOTHING_BROWN:
    case QD_BOX_JENKINS:
    case QD_COMPUTE:
        return true;
    default:
        return false;
    }
}

void MatrixForecastCensusX11::validate(Matrix& matrix)
{
    if (numForecastPeriods < 0)
        qdThrow(QD_SOURCE_PATH, 118, ErrorCode::IllegalForecastPeriods);
    if (decompType != kAdditiveDecomposition && decompType != kMultiplicativeDecomposition &&
        decompType != kOptimizeDecomposition)
        qdThrow(QD_SOURCE_PATH, 123, ErrorCode::IllegalDecompositionType);
    if (!trendMethodAvailable(ForecastMethod))
        qdThrow(QD_SOURCE_PATH, 131, ErrorCode::X11TrendMethodNotSupported);
    dataSeriesIndex = matrix.dependentSeriesIndex(QD_ACTUAL_X11_DATA);
    if (dataSeriesIndex < 0)
        qdThrow(QD_SOURCE_PATH, 137, ErrorCode::NoX11ActualData);
    Series& data = matrix.series(dataSeriesIndex);
    resolveSeriesRange(data, observationNumber, numHistoricalValues);
    checkSeriesRange(data, observationNumber, numHistoricalValues, 1);
    first = observationNumber - numHistoricalValues + 1;
    const std::int32_t h = numHistoricalValues;
    if (SeasonalLength == QD_COMPUTE) {
        // Detected on the whole data series, over three cycles at least.
        std::int32_t detected = 0;
        std::int32_t status = QD_SEASONALITY_NONE;
        try {
            status = detectSeasonalLength(data, 0, -1.0, -1.0, &detected, 3.0);
        } catch (const MVRBaseException&) {
            rethrowOutOfMemory();
            qdThrow(QD_SOURCE_PATH, 155, ErrorCode::TooSmallForX11);
        }
        if (status != QD_SEASONALITY_FOUND)
            qdThrow(QD_SOURCE_PATH, 152, ErrorCode::NotSeasonalData);
        SeasonalLength = detected;
    }
    if (SeasonalLength <= 0 || SeasonalLength > h)
        qdThrow(QD_SOURCE_PATH, 160, ErrorCode::InvalidSeasonalLength);
    if (h / 3 < SeasonalLength)
        qdThrow(QD_SOURCE_PATH, 163, ErrorCode::TooSmallForX11);
    // Every period stored must fit a series.
    if (static_cast<std::int64_t>(first) + h + numForecastPeriods > Series::maxObservations())
        throw std::bad_alloc();
    if (needTradingDaysAdjust) {
        tradingDaysSeriesIndex = matrix.dependentSeriesIndex(QD_TRADING_DAYS);
        if (tradingDaysSeriesIndex < 0)
            qdThrow(QD_SOURCE_PATH, 171, ErrorCode::NoTradingDays);
        const Series& days = matrix.series(tradingDaysSeriesIndex);
        if (days.numObservations() < first + h + numForecastPeriods)
            qdThrow(QD_SOURCE_PATH, 176, ErrorCode::NotEnoughTradingDays);
        for (std::int32_t i = first; i < first + h + numForecastPeriods; ++i) {
            if (!(days.observation(i).value > 0.0))
                qdThrow(QD_SOURCE_PATH, 181, ErrorCode::IllegalTradingDays);
        }
    }
}

MatrixForecastCensusX11::Parts MatrixForecastCensusX11::decompose(const Values& x, std::int32_t s, std::int32_t d,
                                                                  double r)
{
    const std::int32_t h = static_cast<std::int32_t>(x.size());
    const std::int32_t half = s / 2;
    Parts parts;
    // A value of zero has a ratio of zero to any trend and no seasonal
    // factor can reproduce it: the data do not suit a multiplicative model.
    if (d == kMultiplicativeDecomposition)
        for (double v : x)
            if (std::fabs(v) < 1e-12)
                qdThrow(QD_SOURCE_PATH, 412, ErrorCode::NotMultiplicativeData);

    // Initial trend: the centred moving average of one season.
    Series work(h);
    for (double v : x)
        work.addObservation(v, QD_SUPPLIED, FdCString());
    SeriesComputeCenteredMovingAverage(work, h - 1, h, s);
    Values trend1(at(h), 0.0);
    for (std::int32_t i = half; i < h - half; ++i)
        trend1[at(i)] = work.observation(i).storedResults.value(QD_CENTERED_MOVING_AVERAGE);

    Values si(at(h), 0.0);
    combine(x, trend1, si, half, h - half - 1, d);
    replaceExtremes(si, half, h - 2 * half, s, r, 3, 2);
    for (std::int32_t i = 0; i < half; ++i)
        si[at(i)] = si[at(i + s)];
    for (std::int32_t i = h - half; i < h; ++i)
        si[at(i)] = si[at(i - s)];
    normaliseBlocks(si, h, s, d);
    Values seasonal = si;
    seasonalAverage(seasonal, 0, h, s, 3, 3);

    Values adjusted(at(h));
    combine(x, seasonal, adjusted, 0, h - 1, d);
    Values trend2 = adjusted;
    trendFilter(trend2, 0, h, s);

    combine(x, trend2, si, 0, h - 1, d);
    replaceExtremes(si, 0, h, s, r, 3, 3);
    seasonal = si;
    seasonalAverage(seasonal, 0, h, s, 3, 3);

    combine(x, seasonal, adjusted, 0, h - 1, d);
    Values trend = adjusted;
    trendFilter(trend, 0, h, s);

    Values irregular(at(h));
    combine(adjusted, trend, irregular, 0, h - 1, kMultiplicativeDecomposition);
    double sum = 0.0;
    for (double v : irregular)
        sum += std::fabs(1.0 - v);
    parts.averageIrregular = sum / h;
    parts.seasonal = std::move(seasonal);
    parts.trend = std::move(trend);
    parts.irregular = std::move(irregular);
    return parts;
}

std::vector<double> MatrixForecastCensusX11::forecastTrend(const Values& trend) const
{
    const std::int32_t h = static_cast<std::int32_t>(trend.size());
    Series work(h + numForecastPeriods);
    for (double v : trend)
        work.addObservation(v, QD_SUPPLIED, FdCString());
    const std::int32_t f = numForecastPeriods;
    std::unique_ptr<SeriesForecast> method;
    switch (ForecastMethod) {
    case QD_LINEAR_REGRESSION:
        method = std::make_unique<SeriesForecastLinearRegression>(QD_LAST, QD_ALL, f, true, 0.0, false, 0.0, 0.0);
        break;
    case QD_DOUBLE_EXPONENTIAL_SMOOTHING_BROWN:
        method = std::make_unique<SeriesForecastDoubleExponentialSmoothingBrown>(0, f, -3.0);
        break;
    case QD_DOUBLE_EXPONENTIAL_SMOOTHING_HOLT:
        method = std::make_unique<SeriesForecastDoubleExponentialSmoothingHolt>(0, f, -3.0, -3.0);
        break;
    case QD_TRIPLE_EXPONENTIAL_SMOOTHING_BROWN:
        method = std::make_unique<SeriesForecastTripleExponentialSmoothingBrown>(0, f, -3.0);
        break;
    case QD_BOX_JENKINS:
        method = std::make_unique<SeriesForecastBoxJenkinsNew>(QD_LAST, QD_ALL, f, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE,
                                                               QD_COMPUTE, 0, 0, 0, 0, true, QD_OPTIMIZE_TRANSFORM);
        break;
    case QD_COMPUTE:
        method = std::make_unique<SeriesForecastSelvane>(0, f, QD_COMPUTE, QD_OPTIMIZE, 1, QD_COMPUTE,
                                                         QD_SELVANE_STANDARD);
        break;
    default:
        method = std::make_unique<SeriesForecastExponentialSmoothing>(0, -3.0, f, false, 0.0);
        break;
    }
    SeriesOpApplySeriesForecast op(*method);
    op.apply(work);
    // The fitted value of an observation: its forecast, else its value.
    Values extended(at(h + numForecastPeriods));
    const double* fitted = work.forecastValues();
    for (std::int32_t i = 0; i < h + numForecastPeriods; ++i)
        extended[at(i)] = fitted[i];
    return extended;
}

MatrixForecastCensusX11::Run MatrixForecastCensusX11::decompositionRun(const Values& x, const Values& tradingFactors,
                                                                       std::int32_t d) const
{
    const std::int32_t h = static_cast<std::int32_t>(x.size());
    const std::int32_t f = numForecastPeriods;
    const std::int32_t s = SeasonalLength;
    Run run;
    run.parts = decompose(x, s, d, SDRatio);
    run.trend = forecastTrend(run.parts.trend);
    run.seasonal = run.parts.seasonal;
    run.seasonal.resize(at(h + f));
    for (std::int32_t i = h; i < h + f; ++i)
        run.seasonal[at(i)] = (3.0 * run.seasonal[at(i - s)] - run.seasonal[at(i - 2 * s)]) * 0.5;
    run.fitted.resize(at(h + f));
    for (std::int32_t i = 0; i < h + f; ++i) {
        const double sv = run.seasonal[at(i)];
        const double tv = run.trend[at(i)];
        double fit = d == kMultiplicativeDecomposition ? sv * tv : sv + tv;
        if (!tradingFactors.empty())
            fit *= tradingFactors[at(i)];
        run.fitted[at(i)] = fit;
    }
    return run;
}

void MatrixForecastCensusX11::store(Matrix& matrix, const Run& run) const
{
    Series& data = matrix.series(dataSeriesIndex);
    const std::int32_t h = numHistoricalValues;
    const std::int32_t f = numForecastPeriods;
    const std::int32_t s = SeasonalLength;
    const std::int32_t before = data.numObservations();
    // The season's indexes from the stored trend-cycle values.
    Values sums(at(s), 0.0);
    std::vector<std::int32_t> counts(at(s), 0);
    auto storedTrend = [&run, h](std::int32_t i) { return i < h ? run.parts.trend[at(i)] : run.trend[at(i)]; };
    for (std::int32_t i = 0; i < h + f; ++i) {
        sums[at(i % s)] += storedTrend(i);
        ++counts[at(i % s)];
    }
    Values indexes(at(s), 1.0);
    for (std::int32_t p = 0; p < s; ++p) {
        if (counts[at(p)] > 0)
            indexes[at(p)] = sums[at(p)] / counts[at(p)];
        if (decompositionUsed == kMultiplicativeDecomposition && std::fabs(indexes[at(p)]) < 1e-12)
            indexes[at(p)] = 1.0;
    }
    normalizeSeasonalIndexes(s, decompositionUsed, indexes.data());
    data.storedResults.createMultiple(QD_INITIAL_SEASONAL_INDEX, s);

    for (std::int32_t i = 0; i < h + f; ++i) {
        const std::int32_t index = first + i;
        if (index >= data.numObservations()) {
            char text[24];
            std::snprintf(text, sizeof text, "%li", static_cast<long>(index - before));
            data.addObservation(run.fitted[at(i)], QD_COMPUTED, FdCString(text));
        }
        ObservationQC& q = data.observation(index).storedResults;
        q.store(QD_CENSUS_X11, run.fitted[at(i)]);
        q.store(QD_FORECAST, run.fitted[at(i)]);
        q.store(QD_SEASONAL_FACTOR, run.seasonal[at(i)]);
        q.store(QD_TREND_CYCLE, storedTrend(i));
        if (i < h)
            q.store(QD_IRREGULAR, run.parts.irregular[at(i)]);
    }
    data.storedResults.store(QD_AVERAGE_IRREGULAR, run.parts.averageIrregular);
    for (std::int32_t p = 0; p < s; ++p)
        data.storedResults.storeMultiple(QD_INITIAL_SEASONAL_INDEX, p, indexes[at(p)]);
    data.recordForecastMethod(QD_CENSUS_X11, s, decompositionUsed);
    data.setDirty(true, true);
    matrix.recordForecastMethod(QD_CENSUS_X11, s, decompositionUsed);
}

void MatrixForecastCensusX11::compute(Matrix& matrix, std::int32_t)
{
    validate(matrix);
    const std::int32_t h = numHistoricalValues;
    const std::int32_t f = numForecastPeriods;
    const std::int32_t s = SeasonalLength;
    const Series& data = matrix.series(dataSeriesIndex);
    Values y(at(h));
    for (std::int32_t i = 0; i < h; ++i)
        y[at(i)] = data.observation(first + i).value;

    Values x = y;
    Values factors;
    if (needTradingDaysAdjust) {
        const Series& days = matrix.series(tradingDaysSeriesIndex);
        Values dayCount(at(h + f));
        for (std::int32_t i = 0; i < h + f; ++i)
            dayCount[at(i)] = days.observation(first + i).value;
        Values positionMean(at(s), 0.0);
        std::vector<std::int32_t> n(at(s), 0);
        for (std::int32_t i = 0; i < h; ++i) {
            positionMean[at(i % s)] += dayCount[at(i)];
            ++n[at(i % s)];
        }
        for (std::int32_t c = 0; c < s; ++c)
            positionMean[at(c)] /= n[at(c)];
        factors.resize(at(h + f));
        for (std::int32_t i = 0; i < h + f; ++i)
            factors[at(i)] = dayCount[at(i)] / positionMean[at(i % s)];
        for (std::int32_t i = 0; i < h; ++i)
            x[at(i)] = y[at(i)] / factors[at(i)];
    }

    auto sumSquares = [&y, h](const Run& run) {
        double sum = 0.0;
        for (std::int32_t i = 0; i < h; ++i)
            sum += (y[at(i)] - run.fitted[at(i)]) * (y[at(i)] - run.fitted[at(i)]);
        return sum;
    };
    if (decompType == kOptimizeDecomposition) {
        Run multiplicative = decompositionRun(x, factors, kMultiplicativeDecomposition);
        Run additive = decompositionRun(x, factors, kAdditiveDecomposition);
        if (sumSquares(additive) <= sumSquares(multiplicative)) {
            decompositionUsed = kAdditiveDecomposition;
            store(matrix, additive);
        } else {
            decompositionUsed = kMultiplicativeDecomposition;
            store(matrix, multiplicative);
        }
        return;
    }
    decompositionUsed = decompType;
    store(matrix, decompositionRun(x, factors, decompType));
}

}  // namespace qd
