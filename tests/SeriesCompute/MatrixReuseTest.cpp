// One compute object is applied to every series of a matrix. Whatever it
// resolves for one series (the range, the bounds, a fitted constant, a
// detected length) must not carry over to the next: the second series of a
// matrix gets exactly what it gets alone. A table over the forecasting
// methods and the series statistics that the matrix members run, each with
// the arguments its member passes.
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ComputeTestSupport.h"
#include "Matrix/Matrix.h"
#include "Matrix/MatrixOpApplySeriesCompute.h"
#include "Matrix/MatrixOpApplySeriesForecast.h"
#include "Matrix/SeriesOpApplySeriesCompute.h"
#include "SeriesCompute/SeriesComputeApplyDecompositionIndex.h"
#include "SeriesCompute/SeriesComputeChiSquare.h"
#include "SeriesCompute/SeriesComputeCochraneOrcutt.h"
#include "SeriesCompute/SeriesComputeConfidenceInterval.h"
#include "SeriesCompute/SeriesComputeCreateDecompositionIndex.h"
#include "SeriesCompute/SeriesComputeCumulativeMAPE.h"
#include "SeriesCompute/SeriesComputeFourier.h"
#include "SeriesCompute/SeriesComputeHistogram.h"
#include "SeriesCompute/SeriesComputeRollingMAPE.h"
#include "SeriesCompute/SeriesComputeSafetyStock.h"
#include "SeriesCompute/SeriesComputeStandardizedMAE.h"
#include "SeriesCompute/SeriesForecastAdaptiveExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastAverage.h"
#include "SeriesCompute/SeriesForecastBassModel.h"
#include "SeriesCompute/SeriesForecastBoxJenkinsNew.h"
#include "SeriesCompute/SeriesForecastCroston.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingBrown.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingHolt.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastLaggedForecast.h"
#include "SeriesCompute/SeriesForecastLinearRegression.h"
#include "SeriesCompute/SeriesForecastMovingAverage.h"
#include "SeriesCompute/SeriesForecastNewProductCurve.h"
#include "SeriesCompute/SeriesForecastNewProductOptimizedCurve.h"
#include "SeriesCompute/SeriesForecastSelvane.h"
#include "SeriesCompute/SeriesForecastSlowMovingDemand.h"
#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingBrown.h"
#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingWinters.h"
#include "SeriesCompute/SeriesForecastWeightedMovingAverage.h"
#include "SeriesCompute/SeriesStatistics.h"

namespace {

// The first series: short and small, so that anything resolved from it
// (its last index, its floor and ceiling, its level) is wrong for the
// second.
const std::vector<double> kFirst = {2.0, 3.5, 3.0, 2.5, 4.0, 5.0, 4.5, 3.5, 4.0, 5.5, 6.0, 5.0, 4.5, 6.5,
                                    7.0, 6.0, 5.5, 7.5, 8.0, 7.0, 6.5, 8.5, 9.0, 8.0, 7.5, 9.5, 10.0};

// The second: the first four years of the airline series.
const std::vector<double> kSecond = {112, 118, 132, 129, 121, 135, 148, 148, 136, 119, 104, 118,
                                     115, 126, 141, 135, 125, 149, 170, 170, 158, 133, 114, 140,
                                     145, 150, 178, 163, 172, 178, 199, 199, 184, 162, 146, 166,
                                     171, 180, 193, 181, 183, 218, 230, 242, 209, 191, 172, 194};

bool same(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

// Every value, origin type, observation result and series result of b
// equals a's.
void expectSameSeries(const Series& a, const Series& b)
{
    ASSERT_EQ(a.numObservations(), b.numObservations());
    for (std::int32_t i = 0; i < a.numObservations(); ++i) {
        const Observation& x = a.observation(i);
        const Observation& y = b.observation(i);
        EXPECT_TRUE(same(x.value, y.value)) << "value " << i << ": " << x.value << " vs " << y.value;
        EXPECT_EQ(x.originType, y.originType) << i;
        for (std::int32_t t = 0; t <= 36; ++t) {
            double u = 0.0, v = 0.0;
            const std::int32_t su = x.storedResults.lookup(t, u);
            const std::int32_t sv = y.storedResults.lookup(t, v);
            EXPECT_EQ(su, sv) << "observation " << i << " type " << t;
            if (su == QD_QUANTITY_FOUND && sv == QD_QUANTITY_FOUND) {
                EXPECT_TRUE(same(u, v)) << "observation " << i << " type " << t << ": " << u << " vs " << v;
            }
        }
    }
    for (std::int32_t t = SeriesQC::FIRST_SINGLE; t <= SeriesQC::LAST_SINGLE; ++t) {
        double u = 0.0, v = 0.0;
        const std::int32_t su = a.storedResults.lookup(t, u);
        const std::int32_t sv = b.storedResults.lookup(t, v);
        EXPECT_EQ(su, sv) << "series type " << t;
        if (su == QD_QUANTITY_FOUND && sv == QD_QUANTITY_FOUND) {
            EXPECT_TRUE(same(u, v)) << "series type " << t << ": " << u << " vs " << v;
        }
    }
    for (std::int32_t t = SeriesQC::FIRST_MULTIPLE; t <= SeriesQC::LAST_MULTIPLE; ++t) {
        const QuantitySlots* p = a.storedResults.multiple(t);
        const QuantitySlots* q = b.storedResults.multiple(t);
        ASSERT_EQ(p == nullptr, q == nullptr) << "series type " << t;
        if (p == nullptr)
            continue;
        ASSERT_EQ(p->capacity(), q->capacity()) << "series type " << t;
        for (std::int32_t k = 0; k < p->capacity(); ++k) {
            EXPECT_EQ(p->slot(k).type, q->slot(k).type) << "series type " << t << " slot " << k;
            EXPECT_TRUE(same(p->slot(k).value, q->slot(k).value)) << "series type " << t << " slot " << k;
        }
    }
    EXPECT_EQ(a.forecastMethodNumber, b.forecastMethodNumber);
    EXPECT_EQ(a.seasonalLength, b.seasonalLength);
    EXPECT_EQ(a.decompositionType, b.decompositionType);
}

void fillTwoSeries(Matrix& m)
{
    for (double v : kFirst)
        m.addObservation(0, v, QD_SUPPLIED, FdCString());
    for (double v : kSecond)
        m.addObservation(1, v, QD_SUPPLIED, FdCString());
}

// A named way to build a fresh compute object of the interface Base.
template <class Base>
struct Case {
    const char* name;
    std::function<std::unique_ptr<Base>()> make;
};

template <class Base, class T, class... A>
std::function<std::unique_ptr<Base>()> maker(A... arguments)
{
    return [=] { return std::unique_ptr<Base>(new T(arguments...)); };
}

template <class T, class... A>
std::function<std::unique_ptr<SeriesForecast>()> forecast(A... arguments)
{
    return maker<SeriesForecast, T>(arguments...);
}

template <class T, class... A>
std::function<std::unique_ptr<SeriesCompute>()> statistic(A... arguments)
{
    return maker<SeriesCompute, T>(arguments...);
}

// The members of both matrix classes that forecast every series, with
// their automation defaults (and a second set of arguments where the
// defaults would not fit or would hide what is resolved).
const Case<SeriesForecast> kForecasts[] = {
    {"exponential smoothing", forecast<SeriesForecastExponentialSmoothing>(0, -3.0, 2, false, 0.0)},
    {"exponential smoothing, zero demand", forecast<SeriesForecastExponentialSmoothing>(-2, 0.3, 2, true, 5.0)},
    {"adaptive smoothing", forecast<SeriesForecastAdaptiveExponentialSmoothing>(0, -3.0, 2)},
    {"Brown's double", forecast<SeriesForecastDoubleExponentialSmoothingBrown>(0, 2, -3.0)},
    {"Holt", forecast<SeriesForecastDoubleExponentialSmoothingHolt>(0, 2, -3.0, -3.0)},
    {"Brown's triple", forecast<SeriesForecastTripleExponentialSmoothingBrown>(0, 2, -3.0)},
    {"Holt-Winters", forecast<SeriesForecastTripleExponentialSmoothingWinters>(0, -3, 2, -3.0, -3.0, -3.0, 2)},
    {"Holt-Winters, length 12", forecast<SeriesForecastTripleExponentialSmoothingWinters>(0, 12, 2, -3.0, -3.0,
                                                                                         -3.0, 1)},
    {"moving average", forecast<SeriesForecastMovingAverage>(-2, -1, 2)},
    {"moving average, window 4", forecast<SeriesForecastMovingAverage>(-2, 4, 2)},
    {"weighted moving average", forecast<SeriesForecastWeightedMovingAverage>(-2, -1, 2)},
    {"linear regression", forecast<SeriesForecastLinearRegression>(-2, -1, 2, true, 0.0, false, 0.0, 0.0)},
    {"linear regression, confidence", forecast<SeriesForecastLinearRegression>(-2, -1, 2, true, 0.95, false, 0.0,
                                                                                0.0)},
    {"linear regression, given line", forecast<SeriesForecastLinearRegression>(-2, -1, 2, true, 0.0, true, 1.5,
                                                                                2.0)},
    {"average", forecast<SeriesForecastAverage>(-2, -1, 2)},
    {"Bass", forecast<SeriesForecastBassModel>(-2, -1, 2, -3.0, -3.0, -3.0)},
    {"lagged forecast", forecast<SeriesForecastLaggedForecast>(0, 2, 3)},
    {"Box-Jenkins", forecast<SeriesForecastBoxJenkinsNew>(-2, -1, 2, -3, -3, -3, -3, -3, -3, -3, 0, true, 2)},
    {"Box-Jenkins, detected season", forecast<SeriesForecastBoxJenkinsNew>(-2, -1, 2, -3, -3, -3, -3, -3, -3, -3, -3,
                                                                            true, 2)},
    {"Croston", forecast<SeriesForecastCroston>(0, 2, -3.0)},
    {"Gompertz", forecast<SeriesForecastNewProductCurve>(-2, -1, 2, -3.0, -3.0, 2, 1)},
    {"Gompertz, fixed ceiling", forecast<SeriesForecastNewProductCurve>(-2, -1, 2, -3.0, -3.0, 1, 1)},
    {"logistic", forecast<SeriesForecastNewProductCurve>(-2, -1, 2, -3.0, -3.0, 2, 2)},
    {"logistic, fixed ceiling", forecast<SeriesForecastNewProductCurve>(-2, -1, 2, -3.0, -3.0, 1, 2)},
    {"probit", forecast<SeriesForecastNewProductCurve>(-2, -1, 2, -3.0, -3.0, 2, 3)},
    {"probit, fixed ceiling", forecast<SeriesForecastNewProductCurve>(-2, -1, 2, -3.0, -3.0, 1, 3)},
    {"optimised curve", forecast<SeriesForecastNewProductOptimizedCurve>(-2, -1, 2, -3.0, -3.0, 2, nullptr)},
    {"optimised curve, fixed ceiling", forecast<SeriesForecastNewProductOptimizedCurve>(-2, -1, 2, -3.0, -3.0, 1,
                                                                                        nullptr)},
    {"selection", forecast<SeriesForecastSelvane>(0, 2, 2024, -3, 1, 0, -3)},
    // Every period its own class: the number of classes is the history's.
    {"slow-moving demand, seasonal classes",
     forecast<SeriesForecastSlowMovingDemand>(0, 2, 1, -1, true, 1.0, 0.25, 3.0, 1, 5, 5.0, 2, 30, true, 1, 30, 1,
                                              2.0, 0.875, 1)},
    {"slow-moving demand, buckets", forecast<SeriesForecastSlowMovingDemand>(0, 2, 2, -1, true, 1.0, 0.25, 3.0, 1, 5,
                                                                             5.0, 2, 30, true, 1, 30, 1, 30.0,
                                                                             0.875, 1)},
};

// The slow-moving demand draws from its own generator, which has moved on
// by the time the matrix reaches the second series: the series alone
// starts from where the first series left it.
const std::uint32_t kSeed = 12345u;

void seed(SeriesForecast& method, std::uint32_t state)
{
    if (auto* smd = dynamic_cast<SeriesForecastSlowMovingDemand*>(&method))
        smd->setRandomState(state);
}

std::uint32_t stateAfter(SeriesForecast& method)
{
    auto* smd = dynamic_cast<SeriesForecastSlowMovingDemand*>(&method);
    return smd != nullptr ? smd->randomState() : 0u;
}

}  // namespace

TEST(MatrixReuse, EveryForecastFitsTheSecondSeriesAsAlone)
{
    for (const Case<SeriesForecast>& c : kForecasts) {
        SCOPED_TRACE(c.name);
        Matrix m;
        fillTwoSeries(m);
        std::unique_ptr<SeriesForecast> method = c.make();
        seed(*method, kSeed);
        m.setDirty(true, true);
        MatrixOpApplySeriesForecast op(*method);
        ASSERT_NO_THROW(m.apply(op));

        Series first;
        fillSeries(first, kFirst);
        std::unique_ptr<SeriesForecast> before = c.make();
        seed(*before, kSeed);
        applyForecast(first, *before);
        expectSameSeries(m.series(0), first);

        Series second;
        fillSeries(second, kSecond);
        std::unique_ptr<SeriesForecast> alone = c.make();
        seed(*alone, stateAfter(*before));
        applyForecast(second, *alone);
        expectSameSeries(m.series(1), second);
    }
}

namespace {

// The statistics the matrix members run over every series (defaults: the
// whole series up to its last observation).
const Case<SeriesCompute> kStatistics[] = {
    {"mean", statistic<SeriesComputeMean>(-2, -1)},
    {"Fourier", statistic<SeriesComputeFourier>(-2, -1)},
    {"histogram", statistic<SeriesComputeHistogram>(-2, -1, 5, false, 0.0, 0.0, 1)},
    {"safety stock", statistic<SeriesComputeSafetyStock>(-2, -1, 2.0, 0.9, 2, 1, true)},
    {"safety stock per observation", statistic<SeriesComputeSafetyStock>(-2, -1, 2.0, 0.9, 1, 3, true)},
    {"service level", statistic<SeriesComputeServiceLevel>(-2, -1, 2.0, 10.0, 2, 1, true)},
    {"confidence interval", statistic<SeriesComputeConfidenceInterval>(20, 10, 0.9)},
    {"decomposition index", statistic<SeriesComputeCreateDecompositionIndex>(-2, -1, 12, 2, false)},
    {"decomposition index, detected length", statistic<SeriesComputeCreateDecompositionIndex>(-2, -1, -3, 2, false)},
    {"chi-square", statistic<SeriesComputeChiSquare>(-2, -1, -3, true)},
    {"Cochrane-Orcutt", statistic<SeriesComputeCochraneOrcutt>(-2, -1)},
    {"rolling MAPE", statistic<SeriesComputeRollingMAPE>(-2, -1)},
    {"cumulative MAPE", statistic<SeriesComputeCumulativeMAPE>(-2, -1)},
    {"standardized MAE", statistic<SeriesComputeStandardizedMAE>(-2, -1)},
};

// Both series forecast by exponential smoothing first, so that the error
// statistics have errors to measure.
void prepare(Series& series)
{
    SeriesForecastExponentialSmoothing method(0, 0.3, 1, false, 0.0);
    applyForecast(series, method);
}

}  // namespace

TEST(MatrixReuse, EveryStatisticMeasuresTheSecondSeriesAsAlone)
{
    for (const Case<SeriesCompute>& c : kStatistics) {
        SCOPED_TRACE(c.name);
        Matrix m;
        fillTwoSeries(m);
        prepare(m.series(0));
        prepare(m.series(1));
        std::unique_ptr<SeriesCompute> compute = c.make();
        m.setDirty(true, true);
        MatrixOpApplySeriesCompute op(*compute);
        ASSERT_NO_THROW(m.apply(op));

        // Alone: the only series of a matrix, through the same applier.
        Matrix one;
        for (double v : kSecond)
            one.addObservation(0, v, QD_SUPPLIED, FdCString());
        prepare(one.series(0));
        std::unique_ptr<SeriesCompute> alone = c.make();
        one.setDirty(true, true);
        MatrixOpApplySeriesCompute single(*alone);
        one.apply(single);
        expectSameSeries(m.series(1), one.series(0));
    }
}

// The decomposition index created for every series, then applied to every
// series: each series gets its own factors.
TEST(MatrixReuse, DecompositionIndexAppliedToEverySeries)
{
    Matrix m;
    fillTwoSeries(m);
    SeriesComputeCreateDecompositionIndex create(-2, -1, 12, 2, false);
    MatrixOpApplySeriesCompute createOp(create);
    m.setDirty(true, true);
    m.apply(createOp);
    SeriesComputeApplyDecompositionIndex apply(-2, -1, 2);
    MatrixOpApplySeriesCompute applyOp(apply);
    m.setDirty(true, true);
    ASSERT_NO_THROW(m.apply(applyOp));

    Series second;
    fillSeries(second, kSecond);
    SeriesComputeCreateDecompositionIndex create2(-2, -1, 12, 2, false);
    SeriesOpApplySeriesCompute createSingle(create2);
    createSingle.apply(second);
    SeriesComputeApplyDecompositionIndex apply2(-2, -1, 2);
    SeriesOpApplySeriesCompute applySingle(apply2);
    second.setDirty(true, true);
    applySingle.apply(second);
    expectSameSeries(m.series(1), second);
}
