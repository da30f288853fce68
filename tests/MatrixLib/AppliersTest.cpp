// The appliers that run compute objects over series, matrices and
// observations.
#include <gtest/gtest.h>

#include <vector>

#include "Matrix/Matrix.h"
#include "Matrix/MatrixOpApplyIteratedObservationCompute.h"
#include "Matrix/MatrixOpApplyIteratedSeriesCompute.h"
#include "Matrix/MatrixOpApplyMatrixCompute.h"
#include "Matrix/MatrixOpApplyMatrixForecast.h"
#include "Matrix/MatrixOpApplySeriesCompute.h"
#include "Matrix/MatrixOpApplySeriesForecast.h"
#include "Matrix/MatrixOpApplySeriesGenerateRandom.h"
#include "Matrix/ObservationOpApplyObservationCompute.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/SeriesOpApplyIteratedObservationCompute.h"
#include "Matrix/SeriesOpApplyIteratedSeriesCompute.h"
#include "Matrix/SeriesOpApplySeriesCompute.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "Matrix/SeriesOpApplySeriesGenerateRandom.h"
#include "TestSupport.h"

using namespace qd;

// The generators' shared generate() lives in the compute library; these
// tests need only something that appends one observation.
void SeriesGenerateRandom::generate(Series& series)
{
    checkParameters();
    for (std::int32_t i = 0; i < count; ++i)
        series.addObservation(i, QD_COMPUTED, name);
}

namespace {

// Returns value(last) * 10 and records every `last` it was asked for. It
// reads the series without a range check, like a careless statistic.
class LastValueStatistic : public SeriesCompute {
public:
    explicit LastValueStatistic(std::int32_t type, std::int32_t last = QD_LAST)
        : SeriesCompute(last, QD_ALL), type(type)
    {
    }
    double compute(Series& series) override
    {
        const std::int32_t at = last == QD_LAST ? series.numObservations() - 1 : last;
        seen.push_back(at);
        return series.values()[at] * 10.0;
    }
    std::int32_t quantityId() const override { return type; }
    std::int32_t type;
    std::vector<std::int32_t> seen;
};

class PlusOne : public ObservationCompute {
public:
    double compute(Observation& observation) override
    {
        ++calls;
        return observation.value + 1.0;
    }
    std::int32_t quantityId() const override { return QD_DIFF; }
    int calls = 0;
};

class RecordingForecast : public SeriesForecast {
public:
    std::int32_t compute(Series& series, std::int32_t flag) override
    {
        flags.push_back(flag);
        series.forecastMethodNumber = QD_EXPONENTIAL_SMOOTHING;
        return 0;
    }
    std::vector<std::int32_t> flags;
};

class CountGenerator : public SeriesGenerateRandom {
public:
    CountGenerator() : SeriesGenerateRandom(2, FdCString("Uniform"), 1) {}
    void checkParameters() override {}
};

class RecordingMatrixForecast : public MatrixForecast {
public:
    explicit RecordingMatrixForecast(bool* destroyed = nullptr) : destroyed(destroyed) {}
    ~RecordingMatrixForecast() override
    {
        if (destroyed != nullptr)
            *destroyed = true;
    }
    void compute(Matrix& matrix, std::int32_t flag) override
    {
        lastFlag = flag;
        matrix.forecastMethodNumber = QD_MULTIPLE_REGRESSION;
    }
    bool* destroyed;
    std::int32_t lastFlag = 0;
};

class StoreCovariance : public MatrixCompute {
public:
    void compute(Matrix& matrix) override
    {
        matrix.storedResults.createStatisticMatrix(QD_COVARIANCE, matrix.numSeries(), matrix.numSeries());
        matrix.storedResults.store(QD_COVARIANCE, 1.0);
    }
};

Series makeSeries(int n)
{
    Series s;
    for (int i = 0; i < n; ++i)
        s.addObservation(i + 1.0, QD_SUPPLIED);
    return s;
}

const char* const SERIES_ITERATED = "Libraries\\SeriesOp\\SeriesOpApplyIteratedSeriesCompute";
const char* const SERIES_ITERATED_OBS = "Libraries\\SeriesOp\\SeriesOpApplyIteratedObservationCompute";
const char* const MATRIX_ITERATED = "Libraries\\MatrixOp\\MatrixOpApplyIteratedSeriesCompute";
const char* const MATRIX_ITERATED_OBS = "Libraries\\MatrixOp\\MatrixOpApplyIteratedObservationCompute";

TEST(Appliers, IteratedStatisticOnASeries)
{
    const struct {
        std::int32_t start;
        std::vector<std::int32_t> computedAt;
    } cases[] = {{-2, {4}}, {0, {0, 1, 2, 3, 4}}, {3, {3, 4}}};
    for (const auto& c : cases) {
        Series s = makeSeries(5);
        LastValueStatistic statistic(QD_MOVING_AVERAGE, 17);
        SeriesOpApplyIteratedSeriesCompute op(statistic, c.start);
        EXPECT_EQ(op.flag, 1);
        op.apply(s);
        EXPECT_EQ(statistic.seen, c.computedAt);
        EXPECT_EQ(statistic.last, 4);  // left at the last observation
        EXPECT_EQ(op.start, c.computedAt.front());
        for (std::int32_t i = 0; i < 5; ++i) {
            const bool computed = i >= c.computedAt.front();
            EXPECT_EQ(s.observation(i).storedResults.count(QD_MOVING_AVERAGE), computed ? 1 : 0);
            if (computed) {
                EXPECT_EQ(s.observation(i).storedResults.value(QD_MOVING_AVERAGE), (i + 1) * 10.0);
            }
        }
    }
}

TEST(Appliers, IteratedStartChecks)
{
    const struct {
        int length;
        std::int32_t start;
        int code, line, obsLine;
    } cases[] = {{5, 5, 3006, 20, 21}, {5, -1, 3000, 16, 17}, {0, -2, 3000, 16, 17}, {0, 0, 3006, 20, 21}};
    for (const auto& c : cases) {
        Series s = makeSeries(c.length);
        LastValueStatistic statistic(QD_MOVING_AVERAGE);
        SeriesOpApplyIteratedSeriesCompute op(statistic, c.start);
        EXPECT_MVR(op.apply(s), c.code, SERIES_ITERATED, c.line);
        EXPECT_TRUE(statistic.seen.empty());
        PlusOne plus;
        SeriesOpApplyIteratedObservationCompute obsOp(plus, c.start);
        EXPECT_MVR(obsOp.apply(s), c.code, SERIES_ITERATED_OBS, c.obsLine);
        EXPECT_EQ(plus.calls, 0);
    }
}

TEST(Appliers, IteratedObservationComputeOnASeries)
{
    Series s = makeSeries(4);
    PlusOne plus;
    SeriesOpApplyIteratedObservationCompute op(plus, 2);
    op.apply(s);
    EXPECT_EQ(plus.calls, 2);
    EXPECT_EQ(s.observation(1).storedResults.count(QD_DIFF), 0);
    EXPECT_EQ(s.observation(2).storedResults.value(QD_DIFF), 4.0);
    EXPECT_EQ(s.observation(3).storedResults.value(QD_DIFF), 5.0);

    // A type outside the observation level fails when the result is stored.
    class BadType : public PlusOne {
    public:
        std::int32_t quantityId() const override { return 2019; }
    } bad;
    SeriesOpApplyIteratedObservationCompute badOp(bad, 0);
    EXPECT_MVR(badOp.apply(s), 3059, "INCLUDE\\Matrix/ObservationQC", 62);
}

TEST(Appliers, IteratedOnAMatrix)
{
    Matrix m;
    m.addSeries(makeSeries(3));
    m.addSeries(makeSeries(3));
    LastValueStatistic statistic(QD_MOVING_AVERAGE);
    MatrixOpApplyIteratedSeriesCompute op(statistic, 1);
    m.apply(op);
    EXPECT_EQ(statistic.seen, (std::vector<std::int32_t>{1, 2, 1, 2}));
    for (std::int32_t j = 0; j < 2; ++j) {
        EXPECT_EQ(m.series(j).observation(0).storedResults.count(-1), 0);
        EXPECT_EQ(m.series(j).observation(2).storedResults.value(QD_MOVING_AVERAGE), 30.0);
    }

    PlusOne plus;
    MatrixOpApplyIteratedObservationCompute obsOp(plus, -2);
    m.apply(obsOp);
    EXPECT_EQ(plus.calls, 2);
    EXPECT_EQ(m.series(1).observation(2).storedResults.value(QD_DIFF), 4.0);

    const struct {
        std::int32_t start;
        int code, line;
    } errors[] = {{-1, 3000, 15}, {3, 3006, 19}};
    for (const auto& e : errors) {
        LastValueStatistic s2(QD_MOVING_AVERAGE);
        MatrixOpApplyIteratedSeriesCompute op2(s2, e.start);
        EXPECT_MVR(m.apply(op2), e.code, MATRIX_ITERATED, e.line);
        MatrixOpApplyIteratedObservationCompute op3(plus, e.start);
        EXPECT_MVR(m.apply(op3), e.code, MATRIX_ITERATED_OBS, e.line);
    }
}

TEST(Appliers, IteratedOnAMatrixNeverReadsPastAShorterSeries)
{
    // Series of lengths 4, 2, 4: the bound is series 0's length, so the
    // short series fails at its first missing observation, before the
    // compute object is asked about it. What was stored before stays.
    struct Case {
        const char* name;
        std::int32_t start;
        std::vector<std::int32_t> seen;     // `last` of every compute call
        std::int32_t failingIndex;          // FdBoundsErr (index, 2)
        std::int32_t resultsInShortSeries;  // observations of series 1 holding a result
    };
    const Case cases[] = {
        {"from 0", 0, {0, 1, 2, 3, 0, 1}, 2, 2},
        {"from 1", 1, {1, 2, 3, 1}, 2, 1},
        {"start beyond the short series", 3, {3}, 3, 0},
    };
    for (const Case& c : cases) {
        Matrix m;
        m.addSeries(makeSeries(4));
        m.addSeries(makeSeries(2));
        m.addSeries(makeSeries(4));
        LastValueStatistic statistic(QD_MOVING_AVERAGE);
        MatrixOpApplyIteratedSeriesCompute op(statistic, c.start);
        EXPECT_INDEX_ERROR(m.apply(op), c.failingIndex, 2);
        EXPECT_EQ(statistic.seen, c.seen) << c.name;
        EXPECT_EQ(m.series(0).observation(3).storedResults.value(QD_MOVING_AVERAGE), 40.0) << c.name;
        std::int32_t stored = 0;
        for (std::int32_t i = 0; i < 2; ++i)
            stored += m.series(1).observation(i).storedResults.count(-1);
        EXPECT_EQ(stored, c.resultsInShortSeries) << c.name;
        EXPECT_EQ(m.series(2).observation(3).storedResults.count(-1), 0) << c.name;

        PlusOne plus;
        MatrixOpApplyIteratedObservationCompute obsOp(plus, c.start);
        EXPECT_INDEX_ERROR(m.apply(obsOp), c.failingIndex, 2);
        EXPECT_EQ(plus.calls, static_cast<int>(c.seen.size())) << c.name;
    }
}

TEST(Appliers, OneStatisticStoredAmongTheSeriesResults)
{
    const struct {
        std::int32_t type;
        bool singleStored;
        bool vectorStored;
    } cases[] = {
        {QD_MEAN, true, false},
        {QD_AUTO_CORRELATION, false, true},
        {QD_FORECAST, false, false},
        {QD_COVARIANCE, false, false},
        {QD_T_TEST, false, false},
        {QD_DECOMPOSITION_INDEX, false, false},
        {QD_CONFIDENCE_INTERVAL, false, false},
        {QD_FOURIER_ALPHA, false, false},
        {QD_FOURIER_BETA, false, false},
        {QD_HISTOGRAM, false, false},
        {QD_SERVICE_LEVEL, false, false},
        {QD_SAFETY_STOCK, false, false},
        {QD_ROLLING_MAPE, false, false},
        {QD_CUMULATIVE_MAPE, false, false},
    };
    for (const auto& c : cases) {
        Series s = makeSeries(3);
        if (c.vectorStored) {
            s.storedResults.createMultiple(c.type, 5);
            s.storedResults.storeMultiple(c.type, 4, 9.0);
        }
        LastValueStatistic statistic(c.type);
        SeriesOpApplySeriesCompute op(statistic);
        op.apply(s);
        EXPECT_EQ(statistic.seen.size(), 1u);
        EXPECT_EQ(s.storedResults.count(-1), c.singleStored || c.vectorStored ? 1 : 0) << c.type;
        if (c.singleStored) {
            EXPECT_EQ(s.storedResults.value(c.type), 30.0);
        }
        if (c.vectorStored) {
            ASSERT_NE(s.storedResults.multiple(c.type), nullptr);
            EXPECT_EQ(s.storedResults.multiple(c.type)->capacity(), 1);
            double v = 0.0;
            EXPECT_EQ(s.storedResults.lookupMultiple(c.type, 0, v), QD_QUANTITY_FOUND);
            EXPECT_EQ(v, 30.0);
        }
    }
}

TEST(Appliers, StatisticOnEverySeriesStoresSafetyStockAndServiceLevel)
{
    const struct {
        std::int32_t type;
        bool stored;
    } cases[] = {{QD_SAFETY_STOCK, true}, {QD_SERVICE_LEVEL, true}, {QD_MEAN, true}, {QD_T_TEST, false},
                 {QD_HISTOGRAM, false}, {QD_ROLLING_MAPE, false}};
    for (const auto& c : cases) {
        Matrix m;
        m.addSeries(makeSeries(2));
        m.addSeries(makeSeries(3));
        LastValueStatistic statistic(c.type);
        MatrixOpApplySeriesCompute op(statistic);
        m.apply(op);
        EXPECT_EQ(statistic.seen.size(), 2u);
        EXPECT_EQ(m.series(0).storedResults.count(-1), c.stored ? 1 : 0) << c.type;
        if (c.stored) {
            EXPECT_EQ(m.series(0).storedResults.value(c.type), 20.0);
            EXPECT_EQ(m.series(1).storedResults.value(c.type), 30.0);
        }
    }
}

TEST(Appliers, ForecastsPassFlagOneAndSkipAnEmptySeries)
{
    RecordingForecast method;
    Series s = makeSeries(2);
    SeriesOpApplySeriesForecast op(method);
    op.apply(s);
    EXPECT_EQ(method.flags, (std::vector<std::int32_t>{1}));
    EXPECT_EQ(s.forecastMethodNumber, QD_EXPONENTIAL_SMOOTHING);
    Series empty;
    op.apply(empty);
    EXPECT_EQ(method.flags.size(), 1u);
    EXPECT_EQ(empty.forecastMethodNumber, -1);

    Matrix m;
    m.addSeries(makeSeries(1));
    m.addSeries(makeSeries(2));
    MatrixOpApplySeriesForecast matrixOp(method);
    m.apply(matrixOp);
    EXPECT_EQ(method.flags, (std::vector<std::int32_t>{1, 1, 1}));
    EXPECT_EQ(m.series(1).forecastMethodNumber, QD_EXPONENTIAL_SMOOTHING);
}

TEST(Appliers, GeneratorsMatrixMethodsAndObservations)
{
    CountGenerator generator;
    Series s;
    SeriesOpApplySeriesGenerateRandom op(generator);
    op.apply(s);
    ASSERT_EQ(s.numObservations(), 2);
    EXPECT_EQ(std::string(s.observation(1).description.data()), "Uniform");
    Matrix m;
    m.seriesAt(2);
    MatrixOpApplySeriesGenerateRandom matrixOp(generator);
    m.apply(matrixOp);
    for (std::int32_t j = 0; j < 3; ++j)
        EXPECT_EQ(m.series(j).numObservations(), 2);
    EXPECT_MVR(generator.fillReal(nullptr), 3149, "INCLUDE\\SeriesCompute/SeriesCompute", 67);
    EXPECT_MVR(generator.fillInteger(nullptr), 3149, "INCLUDE\\SeriesCompute/SeriesCompute", 71);

    RecordingMatrixForecast forecast;
    MatrixOpApplyMatrixForecast forecastOp(forecast);
    m.applyRectangular(forecastOp);
    EXPECT_EQ(forecast.lastFlag, 1);
    EXPECT_EQ(m.forecastMethodNumber, QD_MULTIPLE_REGRESSION);

    StoreCovariance covariance;
    MatrixOpApplyMatrixCompute computeOp(covariance);
    m.apply(computeOp);
    EXPECT_EQ(m.storedResults.count(QD_COVARIANCE), 1);

    PlusOne plus;
    Observation o(2.0, QD_SUPPLIED, FdCString());
    ObservationOpApplyObservationCompute obsOp(plus);
    obsOp.apply(o);
    EXPECT_EQ(o.storedResults.value(QD_DIFF), 3.0);
}

TEST(Appliers, MatrixMethodsAreDestroyedThroughTheirRoot)
{
    bool destroyed = false;
    MatrixComputeRoot* root = new RecordingMatrixForecast(&destroyed);
    delete root;
    EXPECT_TRUE(destroyed);

    ComputeOp* op = new SeriesOpApplySeriesForecast(*new RecordingForecast);
    SeriesForecast* compute = static_cast<SeriesOpApplySeriesForecast*>(op)->compute;
    delete op;  // the applier never deletes its compute object
    delete compute;
}

TEST(Appliers, ResolveLastIndex)
{
    std::int32_t index = -2;
    ComputeOp::resolveLastIndex(index, -2, 7);
    EXPECT_EQ(index, 7);
    ComputeOp::resolveLastIndex(index, -2, 9);
    EXPECT_EQ(index, 7);
}

}  // namespace
