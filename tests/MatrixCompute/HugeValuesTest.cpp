// Statistics of values near the limits of a double: every result a double
// can hold is stored (computed without the overflowing intermediate), and
// every one it cannot hold is reported with 3004 instead of being stored as
// infinity or NaN. Expected values from make_huge_values_reference.py.
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Matrix/MatrixOpApplyMatrixCompute.h"
#include "Matrix/SeriesOpApplySeriesCompute.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "MatrixCompute/MatrixStatistics.h"
#include "SeriesCompute/FitCriteria.h"
#include "SeriesCompute/SeriesForecastLinearRegression.h"
#include "SeriesCompute/SeriesStatistics.h"
#include "RegressionTestSupport.h"

using namespace regtest;

namespace {
const double kUnrepresentable = std::numeric_limits<double>::infinity();
#include "HugeValuesReference.inc"

using namespace qd;

// Runs the statistic through the series applier; the stored value, or the
// failure's code.
struct Outcome {
    std::int32_t code;
    bool stored;
    double value;
};

Outcome runStatistic(SeriesCompute& statistic, Series& s)
{
    Outcome out{0, false, 0.0};
    out.code = codeOf([&] { SeriesOpApplySeriesCompute(statistic).apply(s); });
    // Types from 4000 on are multi-valued: the applier stores one slot.
    const std::int32_t type = statistic.quantityId();
    const std::int32_t status = type >= 4000 ? s.storedResults.lookupMultiple(type, 0, out.value)
                                             : s.storedResults.lookup(type, out.value);
    out.stored = status == QD_QUANTITY_FOUND;
    return out;
}

void expectValueOrFailure(const Outcome& out, double expected)
{
    if (std::isinf(expected)) {
        EXPECT_EQ(out.code, 3004);
        EXPECT_FALSE(out.stored);
    } else {
        ASSERT_EQ(out.code, 0);
        ASSERT_TRUE(out.stored);
        // Relative, with a floor for the ratios (skewness, correlation)
        // whose sums cancel.
        EXPECT_NEAR(out.value, expected, 1e-12 * std::fabs(expected) + 1e-14);
    }
}
}  // namespace

TEST(HugeValues, SeriesStatistics)
{
    using Maker = std::function<SeriesCompute*()>;
    const std::map<std::string, Maker> makers = {
        {"mean", [] { return new SeriesComputeMean(QD_LAST, QD_ALL); }},
        {"sum of squared deviations", [] { return new SeriesComputeSumSquaredDeviation(QD_LAST, QD_ALL); }},
        {"mean squared deviation", [] { return new SeriesComputeMeanSquaredDeviation(QD_LAST, QD_ALL); }},
        {"variance", [] { return new SeriesComputeVariance(QD_LAST, QD_ALL); }},
        {"standard deviation", [] { return new SeriesComputeStandardDeviation(QD_LAST, QD_ALL); }},
        {"skewness", [] { return new SeriesComputeSkewness(QD_LAST, QD_ALL); }},
        {"kurtosis", [] { return new SeriesComputeKurtosis(QD_LAST, QD_ALL); }},
        {"root mean square", [] { return new SeriesComputeRootMeanSquare(QD_LAST, QD_ALL); }},
        {"coefficient of variation", [] { return new SeriesComputeCoefficientOfVariation(QD_LAST, QD_ALL); }},
        {"autocovariance 1", [] { return new SeriesComputeAutoCovariance(QD_LAST, QD_ALL, 1); }},
        {"autocovariance 2", [] { return new SeriesComputeAutoCovariance(QD_LAST, QD_ALL, 2); }},
        {"autocorrelation 1", [] { return new SeriesComputeAutoCorrelation(QD_LAST, QD_ALL, 1); }},
        {"autocorrelation 2", [] { return new SeriesComputeAutoCorrelation(QD_LAST, QD_ALL, 2); }},
    };
    for (const HugeStatisticCase& c : kHugeStatisticCases) {
        SCOPED_TRACE(std::string(c.data) + ", " + c.what);
        // Each statistic on a fresh series, so that nothing comes from the
        // cache, and once more on a series where the others ran first.
        Series fresh = makeSeries(*c.values, 0);
        std::unique_ptr<SeriesCompute> statistic(makers.at(c.what)());
        expectValueOrFailure(runStatistic(*statistic, fresh), c.expected);
    }
    for (const char* data : {"kNear1e300", "kAlternating", "kNearMax"}) {
        Series shared;
        for (const HugeStatisticCase& c : kHugeStatisticCases) {
            if (std::string(c.data) != data)
                continue;
            SCOPED_TRACE(std::string(c.data) + ", after the others, " + c.what);
            if (shared.numObservations() == 0)
                shared = makeSeries(*c.values, 0);
            std::unique_ptr<SeriesCompute> statistic(makers.at(c.what)());
            expectValueOrFailure(runStatistic(*statistic, shared), c.expected);
        }
    }
}

TEST(HugeValues, BoxCoxBeyondADoubleIsReported)
{
    for (const HugeBoxCoxCase& c : kHugeBoxCoxCases) {
        SCOPED_TRACE(std::string(c.data) + ", lamda " + std::to_string(c.lamda));
        Series s = makeSeries(*c.values, 0);
        SeriesComputeBoxCox boxCox(QD_LAST, QD_ALL, c.lamda);
        expectValueOrFailure(runStatistic(boxCox, s), c.expected);
    }
}

TEST(HugeValues, CovarianceCorrelationAndDeterminationTables)
{
    for (const HugePairCase& c : kHugePairCases) {
        SCOPED_TRACE(c.what);
        Matrix m;
        m.addSeries(makeSeries(*c.a, 0));
        m.addSeries(makeSeries(*c.b, 0));
        MatrixComputeCovarianceMatrix covariance(QD_LAST, QD_ALL);
        MatrixComputeCorrelationCoefficientMatrix correlation(QD_LAST, QD_ALL);
        MatrixComputeCoefficientDeterminationMatrix determination(QD_LAST, QD_ALL);
        const std::int32_t code = codeOf([&] { MatrixOpApplyMatrixCompute(covariance).apply(m); });
        double v = 0.0;
        if (std::isinf(c.covariance)) {
            // The variance of the first series is the first cell: beyond a
            // double here, so the table stays empty.
            EXPECT_EQ(code, 3004);
            EXPECT_NE(m.storedResults.statisticMatrix(QD_COVARIANCE)->lookupAt(0, 1, v), QD_QUANTITY_FOUND);
        } else {
            ASSERT_EQ(code, 0);
            const double cell = m.storedResults.statisticMatrix(QD_COVARIANCE)->valueAt(0, 1);
            EXPECT_NEAR(cell, c.covariance, 1e-12 * std::fabs(c.covariance));
            EXPECT_EQ(m.storedResults.statisticMatrix(QD_COVARIANCE)->valueAt(1, 0), cell);
        }
        ASSERT_EQ(codeOf([&] { MatrixOpApplyMatrixCompute(correlation).apply(m); }), 0);
        ASSERT_EQ(codeOf([&] { MatrixOpApplyMatrixCompute(determination).apply(m); }), 0);
        for (std::int32_t i = 0; i < 2; ++i) {
            EXPECT_NEAR(m.storedResults.statisticMatrix(QD_CORRELATION_COEFFICIENT)->valueAt(i, i), 1.0, 1e-14);
            EXPECT_NEAR(m.storedResults.statisticMatrix(QD_COEFFICIENT_DETERMINATION)->valueAt(i, i), 1.0, 1e-14);
        }
        EXPECT_NEAR(m.storedResults.statisticMatrix(QD_CORRELATION_COEFFICIENT)->valueAt(0, 1), c.correlation,
                    1e-12);
        EXPECT_NEAR(m.storedResults.statisticMatrix(QD_COEFFICIENT_DETERMINATION)->valueAt(1, 0), c.determination,
                    1e-12);
    }
}

// Near 1e300 the half-widths are computed; near the largest double the fit
// itself overflows (the products of the time index and the values), and the
// trend reports that before the series changes.
TEST(HugeValues, TrendConfidenceHalfWidths)
{
    for (const HugeTrendCase& c : kHugeTrendCases) {
        SCOPED_TRACE(c.data);
        Series s = makeSeries(*c.values, 0);
        const std::int32_t n = s.numObservations();
        const std::int32_t h = static_cast<std::int32_t>(c.halfWidths.size());
        SeriesForecastLinearRegression trend(QD_LAST, QD_ALL, h, true, c.level, false, 0.0, 0.0);
        if (c.values == &kNearMax) {
            EXPECT_EQ(codeOf([&] { SeriesOpApplySeriesForecast(trend).apply(s); }), 3004);
            EXPECT_EQ(s.numObservations(), n);
            EXPECT_EQ(s.forecastMethodNumber, -1);
            EXPECT_EQ(s.storedResults.count(-1), 0);
            continue;
        }
        SeriesOpApplySeriesForecast(trend).apply(s);
        ASSERT_EQ(s.numObservations(), n + h);
        for (std::int32_t j = 0; j < h; ++j) {
            const double expected = c.halfWidths[static_cast<std::size_t>(j)];
            // The engine's t quantile holds about eight digits.
            EXPECT_NEAR(s.observation(n + j).storedResults.value(QD_CONFIDENCE_INTERVAL), expected,
                        1e-7 * expected)
                << j;
        }
    }
}
