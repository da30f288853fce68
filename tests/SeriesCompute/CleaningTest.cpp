// Series cleaning: outlier and missing-value replacement against a fitted
// method, and the trend adjustment of fitted values.
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "ComputeTestSupport.h"
#include "Matrix/Matrix.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesCleaning.h"

#include "CleaningReference.inc"

namespace {

template <std::size_t N>
std::vector<double> vec(const double (&a)[N])
{
    return std::vector<double>(a, a + N);
}

Series makeSeries(const std::vector<double>& values)
{
    Series s;
    fillSeries(s, values);
    return s;
}

// Every value equals the expectation; a changed value keeps the one before
// under QD_MEASUREMENT, an unchanged one holds no measurement.
void expectReplaced(const Series& s, const std::vector<double>& before, const std::vector<double>& expected)
{
    ASSERT_EQ(s.numObservations(), static_cast<std::int32_t>(expected.size()));
    for (std::int32_t i = 0; i < s.numObservations(); ++i) {
        const Observation& o = s.observation(i);
        EXPECT_NEAR(o.value, expected[i], 1e-9 * (1.0 + std::fabs(expected[i]))) << "observation " << i;
        double kept = 0.0;
        const bool hasKept = o.storedResults.lookup(QD_MEASUREMENT, kept) == QD_QUANTITY_FOUND;
        if (std::fabs(expected[i] - before[i]) > 1e-12) {
            EXPECT_TRUE(hasKept) << "observation " << i;
            EXPECT_EQ(kept, before[i]) << "observation " << i;
        } else {
            EXPECT_FALSE(hasKept) << "observation " << i;
        }
    }
}

void expectUnchanged(const Series& s, const std::vector<double>& before)
{
    expectReplaced(s, before, before);
}

TEST(OutlierReplacement, AgainstTheRegressionLineByReplaceType)
{
    const std::vector<double> data = vec(kOutlierData);
    struct Case {
        double ratio, adjust;
        std::int32_t type;
        std::vector<double> expected;
    } cases[] = {
        {1.5, 1.0, QD_REPLACE_BOTH, vec(kOutlierBoth)},
        {1.5, 0.5, QD_REPLACE_ABOVE, vec(kOutlierAbove)},
        {1.0, 1.0, QD_REPLACE_BELOW, vec(kOutlierBelow)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        Series s = makeSeries(data);
        replaceOutliers(s, QD_LAST, QD_ALL, c.ratio, c.adjust, QD_LINEAR_REGRESSION, 0, c.type);
        expectReplaced(s, data, c.expected);
        // Only the values and their measurements change: the fit lived on a copy.
        EXPECT_EQ(s.forecastMethodNumber, -1);
        EXPECT_EQ(s.observation(0).storedResults.count(QD_FORECAST), 0u);
    }
    // Any other replace type replaces nothing.
    Series s = makeSeries(data);
    replaceOutliers(s, QD_LAST, QD_ALL, 1.0, 1.0, QD_LINEAR_REGRESSION, 0, 4);
    expectUnchanged(s, data);
}

TEST(OutlierReplacement, FitsAndMergesOnlyTheRange)
{
    const std::vector<double> data = vec(kOutlierData);
    Series s = makeSeries(data);
    replaceOutliers(s, 8, 6, 1.2, 1.0, QD_LINEAR_REGRESSION, 0, QD_REPLACE_BOTH);
    expectReplaced(s, data, vec(kOutlierPart));
}

TEST(OutlierReplacement, SeasonalPathComparesDifferencesWithTheCleanedRange)
{
    const std::vector<double> data = vec(kSeasonalData);
    Series s = makeSeries(data);
    replaceOutliers(s, QD_LAST, QD_ALL, 2.0, 1.0, QD_LINEAR_REGRESSION, 4, QD_REPLACE_BOTH);
    expectReplaced(s, data, vec(kSeasonalClean));

    // Strongly seasonal values: the differences vary less than the values,
    // so the seasonal replacement refuses; a given length reports it ...
    const std::vector<double> strong = vec(kStrongSeasonalData);
    Series t = makeSeries(strong);
    EXPECT_MVR_AT(replaceOutliers(t, QD_LAST, QD_ALL, 2.0, 1.0, QD_LINEAR_REGRESSION, 4, QD_REPLACE_BOTH), 3056,
                  "Libraries\\MatrixLib\\Series", 267);
    expectUnchanged(t, strong);
}

TEST(OutlierReplacement, SeasonalRangeMustHoldTwoDifferences)
{
    // L + 1 values give one seasonal difference, whose variance does not
    // exist: refused as seasonal data that cannot be cleaned, not with the
    // variance's range code.
    const std::vector<double> data = {5, 9, 4, 8, 30};
    for (std::int32_t hist : {4, 5}) {
        SCOPED_TRACE(hist);
        Series s = makeSeries(data);
        EXPECT_MVR_AT(replaceOutliers(s, QD_LAST, hist, 2.0, 1.0, QD_EXPONENTIAL_SMOOTHING, 4, QD_REPLACE_BOTH), 3056,
                      "Libraries\\MatrixLib\\Series", 226);
        expectUnchanged(s, data);
    }
    // A seasonal length near the largest int is longer than any range: the
    // same refusal, with nothing read before the series' first value.
    for (std::int32_t length : {INT32_MAX, INT32_MAX - 1, 1 << 30}) {
        SCOPED_TRACE(length);
        Series s = makeSeries(data);
        EXPECT_MVR_AT(replaceOutliers(s, QD_LAST, QD_ALL, 2.0, 1.0, QD_EXPONENTIAL_SMOOTHING, length, QD_REPLACE_BOTH),
                      3056, "Libraries\\MatrixLib\\Series", 226);
        expectUnchanged(s, data);
    }
}

TEST(OutlierReplacement, ArgumentsAreCheckedBeforeAnyChange)
{
    const std::vector<double> data = vec(kOutlierData);
    struct Case {
        std::int32_t last, hist, method, length, code, line;
        const char* file;
    } cases[] = {
        {QD_LAST, QD_ALL, QD_EXPONENTIAL_SMOOTHING, -2, 3051, 178, "Libraries\\MatrixLib\\Series"},
        // An unsupported method is refused on every path, seasonal or not.
        {QD_LAST, QD_ALL, QD_MULTIPLE_REGRESSION, 0, 3054, 309, "Libraries\\MatrixLib\\Series"},
        {QD_LAST, QD_ALL, QD_MULTIPLE_REGRESSION, 4, 3054, 309, "Libraries\\MatrixLib\\Series"},
        {QD_LAST, QD_ALL, QD_MOVING_AVERAGE, QD_COMPUTE, 3054, 309, "Libraries\\MatrixLib\\Series"},
        {QD_LAST, 3, 99, 0, 3054, 309, "Libraries\\MatrixLib\\Series"},
        {-5, QD_ALL, QD_EXPONENTIAL_SMOOTHING, 0, 3000, 139, "INCLUDE\\SeriesCompute/SeriesCompute"},
        {10, 2, QD_EXPONENTIAL_SMOOTHING, 0, 3006, 145, "INCLUDE\\SeriesCompute/SeriesCompute"},
        {3, 5, QD_EXPONENTIAL_SMOOTHING, 0, 3005, 148, "INCLUDE\\SeriesCompute/SeriesCompute"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        Series s = makeSeries(data);
        EXPECT_MVR_AT(replaceOutliers(s, c.last, c.hist, 1.0, 1.0, c.method, c.length, QD_REPLACE_BOTH), c.code,
                      c.file, c.line);
        expectUnchanged(s, data);
    }
}

TEST(OutlierReplacement, DetectedSeasonalityThatCannotBeCleanedLeavesTheSeries)
{
    // Five cycles of a strong pattern: the detection finds length 4, the
    // seasonal replacement refuses, and the default mode absorbs that.
    std::vector<double> data;
    for (int c = 0; c < 5; ++c)
        for (double v : {10.0, 50.0, 90.0, 130.0})
            data.push_back(v + c);
    Series s = makeSeries(data);
    replaceOutliers(s, QD_LAST, QD_ALL, 2.0, 1.0, QD_EXPONENTIAL_SMOOTHING, QD_COMPUTE, QD_REPLACE_BOTH);
    expectUnchanged(s, data);
}

TEST(OutlierReplacement, EveryFittingMethodRunsAndAnEmptyRangeChangesNothing)
{
    std::vector<double> data;
    for (int i = 0; i < 30; ++i)
        data.push_back(20.0 + 0.5 * i + ((i * 7) % 5) - (i == 17 ? -25.0 : 0.0));
    for (std::int32_t method : {5, 6, 7, 8, 9, 10, 18, 24}) {
        SCOPED_TRACE(method);
        Series s = makeSeries(data);
        replaceOutliers(s, QD_LAST, QD_ALL, 2.0, 1.0, method, 0, QD_REPLACE_BOTH);
        // The spike is the one value far from every fit.
        EXPECT_LT(s.observation(17).value, data[17]);
        EXPECT_EQ(s.observation(17).storedResults.value(QD_MEASUREMENT), data[17]);
    }
    Series s = makeSeries(data);
    replaceOutliers(s, QD_LAST, 0, 2.0, 1.0, QD_EXPONENTIAL_SMOOTHING, 0, QD_REPLACE_BOTH);
    expectUnchanged(s, data);
}

// One value has no standard deviation: the replacement reports it, on
// every path that reaches the band, and changes nothing.
TEST(OutlierReplacement, OneValueRangeIsRefused)
{
    const std::vector<double> data = vec(kOutlierData);
    struct Case {
        std::int32_t last, hist, method, length;
    } cases[] = {
        {QD_LAST, 1, QD_EXPONENTIAL_SMOOTHING, 0},
        {QD_LAST, 1, QD_EXPONENTIAL_SMOOTHING, QD_COMPUTE},
        {3, 1, QD_CROSTON, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.last << " " << c.method << " " << c.length);
        Series s = makeSeries(data);
        EXPECT_MVR_CODE(replaceOutliers(s, c.last, c.hist, 1.0, 1.0, c.method, c.length, QD_REPLACE_BOTH), 3001);
        expectUnchanged(s, data);
    }
    Series one = makeSeries({7.0});
    EXPECT_MVR_CODE(replaceOutliers(one, QD_LAST, QD_ALL, 2.0, 1.0, QD_EXPONENTIAL_SMOOTHING, QD_COMPUTE,
                                    QD_REPLACE_BOTH),
                    3001);
    expectUnchanged(one, {7.0});
}

TEST(MissingValues, MeanOfTheKeptValuesAndMethodChecks)
{
    const std::vector<double> data = vec(kMissingData);
    Series s = makeSeries(data);
    replaceMissingValues(s, QD_LAST, QD_ALL, -1.0, 0.0, -1);
    std::vector<double> expected = data;
    for (double& v : expected)
        if (v >= -1.0 && v <= 0.0)
            v = kMissingMean;
    expectReplaced(s, data, expected);

    // Nothing kept: the mean is 0.
    Series all = makeSeries({-1.0, 0.0, -0.25});
    replaceMissingValues(all, QD_LAST, QD_ALL, -1.0, 0.0, -1);
    for (std::int32_t i = 0; i < 3; ++i)
        EXPECT_EQ(all.observation(i).value, 0.0);

    struct Case {
        std::int32_t method, line;
    } cases[] = {{-2, 452}, {4, 502}, {10, 502}, {18, 502}};
    for (const Case& c : cases) {
        Series t = makeSeries(data);
        EXPECT_MVR_AT(replaceMissingValues(t, QD_LAST, QD_ALL, -1.0, 0.0, c.method), 3054,
                      "Libraries\\MatrixLib\\Series", c.line);
        expectUnchanged(t, data);
    }
}

TEST(MissingValues, FittedMethodFillsTheGaps)
{
    std::vector<double> data;
    for (int i = 0; i < 20; ++i)
        data.push_back(i == 6 || i == 13 ? 0.0 : 40.0 + i);
    for (std::int32_t method : {5, 6, 7, 8, 9}) {
        SCOPED_TRACE(method);
        Series s = makeSeries(data);
        replaceMissingValues(s, QD_LAST, QD_ALL, -1.0, 0.0, method);
        for (std::int32_t i = 0; i < 20; ++i) {
            if (data[i] == 0.0) {
                EXPECT_GT(s.observation(i).value, 0.0);
                EXPECT_EQ(s.observation(i).storedResults.value(QD_MEASUREMENT), 0.0);
            } else {
                EXPECT_EQ(s.observation(i).value, data[i]);
            }
        }
    }
}

TEST(TrendAdjust, BendsTheSlopeTowardsItsGoal)
{
    struct Case {
        std::vector<double> data;
        std::int32_t last, hist, incP;
        double incG;
        std::int32_t decP;
        double decG;
        std::vector<double> expected;
    } cases[] = {
        {vec(kTrendUpData), 6, 4, 3, 2.0, 1, 9.0, vec(kTrendUpLast4)},
        // One period: the line through the anchor and the one value.
        {vec(kTrendUpData), 6, 1, 2, 4.0, 1, 9.0, vec(kTrendUpLast1)},
        {vec(kTrendDownData), QD_LAST, 5, 1, 9.0, 4, 0.5, vec(kTrendDownLast5)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hist);
        Series s = makeSeries(c.data);
        trendAdjust(s, c.last, c.hist, c.incP, c.incG, c.decP, c.decG);
        const std::int32_t last = c.last == QD_LAST ? s.numObservations() - 1 : c.last;
        const std::int32_t first = last - c.hist + 1;
        for (std::int32_t i = 0; i < s.numObservations(); ++i) {
            const Observation& o = s.observation(i);
            EXPECT_EQ(o.value, c.data[i]);  // supplied values stay
            if (i >= first && i <= last)
                EXPECT_NEAR(o.storedResults.value(QD_FORECAST), c.expected[i - first], 1e-9) << i;
            else
                EXPECT_EQ(o.storedResults.count(QD_FORECAST), 0u) << i;
        }
    }
    // No periods: the fitted values are the values again.
    Series s = makeSeries(vec(kTrendUpData));
    trendAdjust(s, 6, 4, 0, 2.0, 0, 2.0);
    for (std::int32_t i = 3; i <= 6; ++i)
        EXPECT_EQ(s.observation(i).storedResults.value(QD_FORECAST), kTrendUpData[i]);
}

TEST(TrendAdjust, Refusals)
{
    const std::vector<double> data = vec(kTrendUpData);
    struct Case {
        std::int32_t last, hist, incP;
        double incG;
        std::int32_t decP;
        double decG;
        std::int32_t code, line;
    } cases[] = {
        {QD_LAST, QD_ALL, 1, 1.0, 1, 1.0, 3005, 355},  // no anchor before the range
        {6, 0, 1, 1.0, 1, 1.0, 3001, 142},
        {6, 3, -1, 1.0, 1, 1.0, 3151, 357},
        {6, 3, 1, 1.0, -1, 1.0, 3151, 357},
        {6, 3, 1, 0.0, 1, 1.0, 3152, 359},
        {6, 3, 1, 1.0, 1, std::nan(""), 3152, 359},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        Series s = makeSeries(data);
        try {
            trendAdjust(s, c.last, c.hist, c.incP, c.incG, c.decP, c.decG);
            ADD_FAILURE() << "no exception";
        } catch (const MVRBaseException& e) {
            EXPECT_EQ(e.code, c.code);
            EXPECT_EQ(e.line, c.line);
        }
        for (std::int32_t i = 0; i < s.numObservations(); ++i)
            EXPECT_EQ(s.observation(i).storedResults.count(QD_FORECAST), 0u);
    }
}

TEST(Cleaning, MatrixFormsStopAtTheFirstFailure)
{
    Matrix m;
    m.addSeries(makeSeries(vec(kOutlierData)));
    m.addSeries(makeSeries({1.0, 2.0}));
    m.addSeries(makeSeries(vec(kOutlierData)));
    EXPECT_MVR_CODE(replaceOutliers(m, 8, 6, 1.2, 1.0, QD_LINEAR_REGRESSION, 0, QD_REPLACE_BOTH), 3006);
    expectReplaced(m.series(0), vec(kOutlierData), vec(kOutlierPart));
    expectUnchanged(m.series(2), vec(kOutlierData));

    // A series of one value fails the whole-series defaults: the series
    // after it keeps its outliers.
    Series alone = makeSeries(vec(kOutlierData));
    replaceOutliers(alone, QD_LAST, QD_ALL, 1.2, 1.0, QD_EXPONENTIAL_SMOOTHING, QD_COMPUTE, QD_REPLACE_BOTH);
    std::int32_t replaced = 0;
    for (std::int32_t i = 0; i < alone.numObservations(); ++i)
        replaced += alone.observation(i).storedResults.count(static_cast<std::int16_t>(QD_MEASUREMENT));
    ASSERT_GT(replaced, 0);
    Matrix o;
    o.addSeries(makeSeries({4.0}));
    o.addSeries(makeSeries(vec(kOutlierData)));
    EXPECT_MVR_CODE(replaceOutliers(o, QD_LAST, QD_ALL, 1.2, 1.0, QD_EXPONENTIAL_SMOOTHING, QD_COMPUTE,
                                    QD_REPLACE_BOTH),
                    3001);
    expectUnchanged(o.series(0), {4.0});
    expectUnchanged(o.series(1), vec(kOutlierData));

    Matrix k;
    k.addSeries(makeSeries(vec(kMissingData)));
    k.addSeries(makeSeries(vec(kMissingData)));
    replaceMissingValues(k, QD_LAST, QD_ALL, -1.0, 0.0, -1);
    EXPECT_EQ(k.series(1).observation(1).value, kMissingMean);
}

}  // namespace
