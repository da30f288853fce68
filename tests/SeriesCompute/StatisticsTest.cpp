// The series statistics against reference values computed independently
// (make_statistics_reference.py, exact rational arithmetic), and their
// checks, special returns and caching.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ComputeTestSupport.h"
#include "Matrix/SeriesOpApplyIteratedSeriesCompute.h"
#include "Matrix/SeriesOpApplySeriesCompute.h"
#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/StatisticsCache.h"

using namespace qd;

namespace {

#include "StatisticsReference.inc"

void loadDataset(Series& series, const std::string& name)
{
    if (name == "air") {
        const std::int32_t n = sizeof k_air_values / sizeof k_air_values[0];
        fillSeries(series, std::vector<double>(k_air_values, k_air_values + n));
        storeFits(series, k_air_fit, k_air_hasFit, n);
    } else {
        const std::int32_t n = sizeof k_mixed_values / sizeof k_mixed_values[0];
        fillSeries(series, std::vector<double>(k_mixed_values, k_mixed_values + n));
        storeFits(series, k_mixed_fit, k_mixed_hasFit, n);
    }
}

using Statistic = std::function<double(Series&, std::int32_t, std::int32_t)>;

using RangeRoutine = double (*)(Series&, std::int32_t, std::int32_t);

template <class Functor>
Statistic viaFunctor()
{
    return [](Series& s, std::int32_t last, std::int32_t count) {
        Functor f(last, count);
        return f.compute(s);
    };
}

std::map<std::string, Statistic> statistics()
{
    std::map<std::string, Statistic> m;
    m["mean"] = viaFunctor<SeriesComputeMean>();
    m["sumSquaredDeviation"] = static_cast<RangeRoutine>(sumSquaredDeviation);
    m["variance"] = static_cast<RangeRoutine>(variance);
    m["standardDeviation"] = static_cast<RangeRoutine>(standardDeviation);
    m["meanSquaredDeviation"] = static_cast<RangeRoutine>(meanSquaredDeviation);
    m["rootMeanSquare"] = viaFunctor<SeriesComputeRootMeanSquare>();
    m["meanAbsDeviation"] = viaFunctor<SeriesComputeMeanAbsDeviation>();
    m["coefficientOfVariation"] = viaFunctor<SeriesComputeCoefficientOfVariation>();
    m["skewness"] = static_cast<RangeRoutine>(skewness);
    m["kurtosis"] = static_cast<RangeRoutine>(kurtosis);
    m["normalityError"] = [](Series& s, std::int32_t l, std::int32_t c) { return normalityError(s, l, c, 0); };
    m["minimum"] = static_cast<RangeRoutine>(minimumOfValues);
    m["maximum"] = static_cast<RangeRoutine>(maximumOfValues);
    m["range"] = viaFunctor<SeriesComputeRange>();
    for (int h = 0; h < 4; ++h)
        m["autocovariance" + std::to_string(h)] = [h](Series& s, std::int32_t l, std::int32_t c) {
            return autocovariance(s, l, c, h);
        };
    for (int h = 1; h <= 5; ++h)
        m["autocorrelation" + std::to_string(h)] = [h](Series& s, std::int32_t l, std::int32_t c) {
            SeriesComputeAutoCorrelation f(l, c, h);
            return f.compute(s);
        };
    for (int k = 1; k <= 4; ++k)
        m["partialAutocorrelation" + std::to_string(k)] = [k](Series& s, std::int32_t l, std::int32_t c) {
            SeriesComputePartialAutoCorrelationCoefficient f(l, c, k);
            return f.compute(s);
        };
    m["sumSquaredError"] = static_cast<RangeRoutine>(sumSquaredError);
    m["meanSquareError"] = static_cast<RangeRoutine>(meanSquareError);
    m["rootMeanSquareError"] = static_cast<RangeRoutine>(rootMeanSquareError);
    m["standardDeviationError"] = static_cast<RangeRoutine>(standardDeviationError);
    m["meanError"] = static_cast<RangeRoutine>(meanError);
    m["meanAbsoluteError"] = static_cast<RangeRoutine>(meanAbsoluteError);
    m["meanAbsolutePercentageError"] = static_cast<RangeRoutine>(meanAbsolutePercentageError);
    for (int d = 1; d <= 2; ++d)
        m["durbinWatson" + std::to_string(d)] = [d](Series& s, std::int32_t l, std::int32_t c) {
            return durbinWatson(s, l, c, d);
        };
    m["theil"] = static_cast<RangeRoutine>(theilStatistic);
    return m;
}

// Each reference value on a fresh series (nothing cached), and again on
// one series shared by every statistic of a dataset, where the values of
// other ranges and statistics are in the cache.
TEST(SeriesStatistics, MatchIndependentReferenceValues)
{
    const auto table = statistics();
    Series airShared;
    Series mixedShared;
    loadDataset(airShared, "air");
    loadDataset(mixedShared, "mixed");
    airShared.values(0);
    airShared.forecastValues(0);
    mixedShared.values(0);
    mixedShared.forecastValues(0);
    for (const StatisticReference& ref : kStatisticReferences) {
        auto it = table.find(ref.statistic);
        ASSERT_NE(it, table.end()) << ref.statistic;
        SCOPED_TRACE(std::string(ref.dataset) + " " + ref.statistic + " last " + std::to_string(ref.last) +
                     " count " + std::to_string(ref.count));
        const double tolerance = 1e-12 * std::fmax(1.0, std::fabs(ref.value));
        Series fresh;
        loadDataset(fresh, ref.dataset);
        EXPECT_NEAR(it->second(fresh, ref.last, ref.count), ref.value, tolerance);
        Series& shared = std::strcmp(ref.dataset, "air") == 0 ? airShared : mixedShared;
        EXPECT_NEAR(it->second(shared, ref.last, ref.count), ref.value, tolerance);
    }
}

TEST(SeriesStatistics, SmallHandValues)
{
    Series s;
    fillSeries(s, {1.0, 2.0, 3.0});
    // The root of the mean squared deviation, not of the mean square.
    EXPECT_DOUBLE_EQ(SeriesComputeRootMeanSquare(QD_LAST, QD_ALL).compute(s), std::sqrt(2.0 / 3.0));
    EXPECT_DOUBLE_EQ(SeriesComputeCoefficientOfVariation(QD_LAST, QD_ALL).compute(s), 50.0);
    // Without fitted values every error measure is 0.
    EXPECT_EQ(sumSquaredError(s, QD_LAST, QD_ALL), 0.0);
    EXPECT_EQ(meanAbsolutePercentageError(s, QD_LAST, QD_ALL), 0.0);
    EXPECT_EQ(durbinWatson(s, QD_LAST, QD_ALL, 1), 0.0);
}

// The range check: its order and the minimum counts of each statistic.
TEST(SeriesStatistics, RangeChecks)
{
    Series s;
    fillSeries(s, {4.0, 1.0, 5.0, 9.0, 2.0, 6.0, 5.0, 3.0, 5.0, 8.0});
    const char* header = "INCLUDE\\SeriesCompute/SeriesCompute";
    EXPECT_MVR_AT(variance(s, 3, QD_ALL), 3005, header, 148);
    EXPECT_MVR_AT(variance(s, -5, 0), 3000, header, 139);
    EXPECT_MVR_AT(minimumOfValues(s, 4, 0), 3001, header, 142);
    EXPECT_MVR_AT(minimumOfValues(s, 10, 1), 3006, header, 145);
    // Minimum count 2.
    for (RangeRoutine f : {static_cast<RangeRoutine>(variance), static_cast<RangeRoutine>(standardDeviation),
                           static_cast<RangeRoutine>(skewness), static_cast<RangeRoutine>(kurtosis),
                           static_cast<RangeRoutine>(standardDeviationError)})
        EXPECT_MVR_AT(f(s, 4, 1), 3001, header, 142);
    EXPECT_MVR_CODE(durbinWatson(s, 4, 1, 1), 3001);
    EXPECT_MVR_CODE(normalityError(s, 4, 1, 1), 3001);
    // Minimum count 1.
    EXPECT_NO_THROW(sumSquaredDeviation(s, 4, 1));
    EXPECT_NO_THROW(meanSquareError(s, 4, 1));
    EXPECT_EQ(minimumOfValues(s, 4, 1), 2.0);
    // A failed statistic leaves the cache as it was.
    EXPECT_EQ(s.valueCache.cachedStatistics.count(QD_VARIANCE), 0);
}

TEST(SeriesStatistics, Theil)
{
    Series s;
    fillSeries(s, {10.0, 12.0, 15.0});
    s.observation(1).storedResults.store(QD_FORECAST, 11.0);
    s.setDirty(true, true);
    // Defaults: pairs (0, 1) and (1, 2); observation 2 has no forecast.
    EXPECT_EQ(theilStatistic(s, QD_LAST, QD_ALL), 0.0);
    EXPECT_EQ(s.valueCache.cachedStatistics.count(QD_THEIL), 0);

    s.observation(2).storedResults.store(QD_FORECAST, 14.0);
    s.setDirty(true, true);
    const double d = std::pow(2.0 / 10.0, 2) + std::pow(3.0 / 12.0, 2);
    const double n = std::pow(-1.0 / 10.0, 2) + std::pow(-1.0 / 12.0, 2);
    EXPECT_DOUBLE_EQ(theilStatistic(s, QD_LAST, QD_ALL), std::sqrt(n / d));

    const char* file = "Libraries\\SeriesCompute\\SeriesComputeTheil";
    EXPECT_MVR_AT(theilStatistic(s, -1, 2), 3000, file, 57);
    EXPECT_MVR_AT(theilStatistic(s, 2, 2), 3006, file, 60);
    EXPECT_MVR_AT(theilStatistic(s, 1, 1), 3001, file, 63);
    EXPECT_MVR_AT(theilStatistic(s, 0, 2), 3005, file, 66);

    Series two;
    fillSeries(two, {1.0, 2.0});
    EXPECT_MVR_AT(theilStatistic(two, QD_LAST, QD_ALL), 3001, file, 63);
}

TEST(SeriesStatistics, MapeStopsAtTheFirstComputedObservation)
{
    Series s;
    s.addObservation(4.0, QD_SUPPLIED, FdCString());
    s.addObservation(0.0, QD_SUPPLIED, FdCString());  // skipped: zero actual
    s.addObservation(5.0, QD_SUPPLIED, FdCString());
    s.addObservation(6.0, QD_COMPUTED, FdCString("0"));
    s.addObservation(7.0, QD_SUPPLIED, FdCString());
    s.observation(0).storedResults.store(QD_FORECAST, 5.0);
    s.observation(2).storedResults.store(QD_FORECAST, 4.0);
    s.observation(4).storedResults.store(QD_FORECAST, 0.0);
    s.setDirty(true, true);
    EXPECT_DOUBLE_EQ(meanAbsolutePercentageError(s, QD_LAST, QD_ALL), (0.25 + 0.2) / 2.0);
    // A range that starts at a computed observation has no term.
    EXPECT_EQ(meanAbsolutePercentageError(s, 4, 2), 0.0);
}

TEST(SeriesStatistics, DurbinWatsonOffsets)
{
    Series s;
    fillSeries(s, {3.0, 5.0, 4.0, 6.0, 8.0});
    const double fits[] = {2.0, 5.5, 3.0, 6.0, 7.0};
    const bool all[] = {true, true, true, true, true};
    storeFits(s, fits, all, 5);
    // Errors 1, -0.5, 1, 0, 1; sum of squares 3.25.
    EXPECT_DOUBLE_EQ(durbinWatson(s, QD_LAST, QD_ALL, 1), (2.25 + 2.25 + 1.0 + 1.0) / 3.25);
    EXPECT_EQ(durbinWatson(s, QD_LAST, QD_ALL, 0), 0.0);
    // Range 1..4 with offset 2: the pairs (3, 1) and (4, 2), over the
    // squared errors of the range.
    EXPECT_DOUBLE_EQ(durbinWatson(s, 4, 4, 2), (0.25 + 0.0) / 2.25);
    // An offset beyond the series leaves no pair.
    EXPECT_EQ(durbinWatson(s, QD_LAST, QD_ALL, 2147483647), 0.0);
    // A negative offset would read past the errors: refused.
    EXPECT_MVR_AT(durbinWatson(s, QD_LAST, QD_ALL, -1), 3006,
                  "Libraries\\SeriesCompute\\SeriesComputeDurbinWatson", 50);
}

TEST(SeriesStatistics, AutocorrelationLags)
{
    Series s;
    fillSeries(s, {2.0, 4.0, 3.0, 7.0, 5.0});
    const double lag1 = autocorrelation(s, QD_LAST, QD_ALL, 1, -1.0);
    EXPECT_EQ(autocorrelation(s, QD_LAST, QD_ALL, QD_COMPUTE, -1.0), lag1);
    EXPECT_EQ(autocorrelation(s, QD_LAST, QD_ALL, 5, -1.0), 0.0);
    const char* file = "Libraries\\SeriesCompute\\SeriesComputeAutoCorrelation";
    EXPECT_MVR_AT(autocorrelation(s, QD_LAST, QD_ALL, 6, -1.0), 3002, file, 64);
    EXPECT_MVR_AT(autocorrelation(s, QD_LAST, QD_ALL, -1, -1.0), 3002, file, 64);
    // A supplied sum of squared deviations is used as given.
    EXPECT_DOUBLE_EQ(autocorrelation(s, QD_LAST, QD_ALL, 1, 2.0 * sumSquaredDeviation(s, QD_LAST, QD_ALL)),
                     lag1 / 2.0);
    // ... but does not excuse a range outside the series.
    EXPECT_MVR_CODE(autocorrelation(s, 9, 3, 1, 1.0), 3006);

    Series flat;
    fillSeries(flat, {3.0, 3.0, 3.0, 3.0});
    EXPECT_EQ(autocorrelation(flat, QD_LAST, QD_ALL, 1, -1.0), 0.0);

    const char* covFile = "Libraries\\SeriesCompute\\SeriesComputeAutoCovariance";
    EXPECT_MVR_AT(autocovariance(s, 4, 0, 0), 3001, covFile, 51);
    EXPECT_MVR_AT(autocovariance(s, QD_LAST, QD_ALL, 6), 3002, covFile, 55);
    EXPECT_MVR_AT(autocovariance(s, QD_LAST, QD_ALL, -1), 3002, covFile, 55);
}

TEST(SeriesStatistics, PartialAutocorrelation)
{
    Series s;
    fillSeries(s, {2.0, 4.0, 3.0, 7.0, 5.0, 6.0, 9.0, 4.0});
    const double r1 = autocorrelation(s, QD_LAST, QD_ALL, 1, -1.0);
    const double r2 = autocorrelation(s, QD_LAST, QD_ALL, 2, -1.0);
    EXPECT_EQ(partialAutocorrelation(s, QD_LAST, QD_ALL, 1), r1);
    EXPECT_NEAR(partialAutocorrelation(s, QD_LAST, QD_ALL, 2), (r2 - r1 * r1) / (1.0 - r1 * r1), 1e-14);

    const char* file = "Libraries\\SeriesCompute\\SeriesComputePartialAutoCorrelationCoefficient";
    EXPECT_MVR_AT(partialAutocorrelation(s, QD_LAST, QD_ALL, 9), 3002, file, 51);
    EXPECT_MVR_AT(partialAutocorrelation(s, QD_LAST, QD_ALL, QD_COMPUTE), 3002, file, 51);
    // Lag 0 has no equations (both determinants would be empty).
    EXPECT_MVR_AT(partialAutocorrelation(s, QD_LAST, QD_ALL, 0), 3002, file, 51);
    EXPECT_MVR_CODE(partialAutocorrelation(s, 9, 2, 1), 3006);

    // A constant range: every autocorrelation is 0, P is the identity.
    Series flat;
    fillSeries(flat, {3.0, 3.0, 3.0, 3.0});
    EXPECT_EQ(partialAutocorrelation(flat, QD_LAST, QD_ALL, 3), 0.0);
}

// A smooth oscillation: its autocorrelation matrix of a high order is
// numerically singular, and the quotient has no value.
TEST(SeriesStatistics, PartialAutocorrelationOfASingularMatrixFails)
{
    Series wave;
    // sin(0.05 i) by its three-term recurrence (the same arithmetic in
    // every build).
    double a = 0.0;
    double b = 0.049979169270678331;
    for (int i = 0; i < 200; ++i) {
        wave.addObservation(a, QD_SUPPLIED, FdCString());
        const double next = 1.9975005206 * b - a;
        a = b;
        b = next;
    }
    EXPECT_NO_THROW(partialAutocorrelation(wave, QD_LAST, QD_ALL, 20));
    EXPECT_MVR_AT(partialAutocorrelation(wave, QD_LAST, QD_ALL, 180), 3004,
                  "Libraries\\SeriesCompute\\SeriesComputePartialAutoCorrelationCoefficient", 84);
}

TEST(SeriesStatistics, Difference)
{
    Series s;
    fillSeries(s, {3.0, 8.0, 4.0});
    EXPECT_EQ(valueDifference(s, QD_LAST, 1), -4.0);
    EXPECT_EQ(valueDifference(s, 2, 2), 1.0);
    EXPECT_EQ(valueDifference(s, 0, 0), 0.0);
    const char* file = "Libraries\\SeriesCompute\\SeriesComputeDifference";
    EXPECT_MVR_AT(valueDifference(s, -1, 1), 3000, file, 47);
    EXPECT_MVR_AT(valueDifference(s, 2, -1), 3043, file, 51);
    EXPECT_MVR_AT(valueDifference(s, 0, 1), 3000, file, 55);
    EXPECT_MVR_AT(valueDifference(s, 3, 1), 3006, file, 59);

    // Iterated over the observations: each gets its own difference.
    SeriesComputeDifference diff(QD_LAST, 1);
    SeriesOpApplyIteratedSeriesCompute op(diff, 1);
    op.apply(s);
    EXPECT_EQ(s.observation(1).storedResults.value(QD_DIFF), 5.0);
    EXPECT_EQ(s.observation(2).storedResults.value(QD_DIFF), -4.0);
}

TEST(SeriesStatistics, NormalityErrorChecksK)
{
    Series s;
    fillSeries(s, {1.0, 2.0, 4.0, 8.0});
    const char* file = "Libraries\\SeriesCompute\\SeriesComputeNormalityError";
    EXPECT_MVR_AT(normalityError(s, QD_LAST, QD_ALL, -1), 3010, file, 43);
    EXPECT_MVR_AT(normalityError(s, QD_LAST, QD_ALL, 5), 3010, file, 43);
    const double expected =
        4.0 / 6.0 * (skewness(s, QD_LAST, QD_ALL) + std::pow(kurtosis(s, QD_LAST, QD_ALL) - 3.0, 2) / 4.0);
    EXPECT_DOUBLE_EQ(normalityError(s, QD_LAST, QD_ALL, 4), expected);
}

TEST(SeriesStatistics, NearZeroDenominatorsReturnZeroUncached)
{
    Series flat;
    fillSeries(flat, {2.0, 2.0, 2.0});
    EXPECT_EQ(skewness(flat, QD_LAST, QD_ALL), 0.0);
    EXPECT_EQ(kurtosis(flat, QD_LAST, QD_ALL), 0.0);
    Series centred;
    fillSeries(centred, {-1.0, 0.0, 1.0});
    EXPECT_EQ(SeriesComputeCoefficientOfVariation(QD_LAST, QD_ALL).compute(centred), 0.0);
    EXPECT_EQ(flat.valueCache.cachedStatistics.count(QD_SKEWNESS), 0);
    EXPECT_EQ(flat.valueCache.cachedStatistics.count(QD_KURTOSIS), 0);
    EXPECT_EQ(centred.valueCache.cachedStatistics.count(QD_COEFFICIENT_OF_VARIATION), 0);
}

// A cached value serves only the range (and parameter) it was computed for.
TEST(StatisticsCache, KeyedByRangeAndParameter)
{
    Series s;
    fillSeries(s, {1.0, 2.0, 3.0, 10.0, 20.0});
    s.values(0);
    s.forecastValues(0);
    EXPECT_EQ(meanOfValues(s, 2, 3), 2.0);
    EXPECT_EQ(meanOfValues(s, 4, 2), 15.0);
    EXPECT_EQ(variance(s, 2, 3), 1.0);
    EXPECT_EQ(variance(s, 4, 2), 50.0);
    EXPECT_EQ(variance(s, 2, 3), 1.0);

    // The same range is served from the cache while the values are current.
    double cached = 0.0;
    ASSERT_TRUE(lookupCachedStatistic(s, QD_VARIANCE, 2, 3, 0, StatisticInputs::VALUES, cached));
    EXPECT_EQ(cached, 1.0);
    EXPECT_FALSE(lookupCachedStatistic(s, QD_VARIANCE, 4, 2, 0, StatisticInputs::VALUES, cached));
    // Marked stale: not consulted.
    s.valueCache.setValuesDirty(true);
    EXPECT_FALSE(lookupCachedStatistic(s, QD_VARIANCE, 2, 3, 0, StatisticInputs::VALUES, cached));

    // Durbin-Watson is keyed by its offset too.
    Series e;
    fillSeries(e, {3.0, 5.0, 4.0, 6.0, 8.0});
    const double fits[] = {2.0, 5.5, 3.0, 6.0, 7.0};
    const bool all[] = {true, true, true, true, true};
    storeFits(e, fits, all, 5);
    const double d1 = durbinWatson(e, QD_LAST, QD_ALL, 1);
    const double d2 = durbinWatson(e, QD_LAST, QD_ALL, 2);
    EXPECT_NE(d1, d2);
    EXPECT_EQ(durbinWatson(e, QD_LAST, QD_ALL, 1), d1);
}

// A rolling computation asks for the same statistic with a moving last
// index: each range gets its own value, never the previous range's.
TEST(StatisticsCache, MovingRangeComputesEveryRange)
{
    Series s;
    fillSeries(s, {1.0, 2.0, 6.0, 3.0, 8.0});
    const double fits[] = {1.0, 1.0, 4.0, 6.0, 4.0};
    const bool all[] = {true, true, true, true, true};
    storeFits(s, fits, all, 5);
    s.values(0);
    s.forecastValues(0);
    const double means[] = {0.0, 1.5, 4.0, 4.5, 5.5};
    const double sse[] = {0.0, 1.0, 5.0, 13.0, 25.0};
    for (std::int32_t i = 1; i < 5; ++i) {
        EXPECT_EQ(SeriesComputeMean(i, 2).compute(s), means[i]) << i;
        EXPECT_EQ(sumSquaredError(s, i, 2), sse[i]) << i;
        EXPECT_EQ(meanSquareError(s, i, 2), sse[i] / 2.0) << i;
    }
}

TEST(StatisticsCache, ApplierStoresTheStatisticAmongTheResults)
{
    Series s;
    fillSeries(s, {1.0, 2.0, 6.0});
    s.setDirty(true, true);
    SeriesComputeMean m(QD_LAST, QD_ALL);
    SeriesOpApplySeriesCompute op(m);
    op.apply(s);
    EXPECT_EQ(s.storedResults.value(QD_MEAN), 3.0);

    SeriesComputeAutoCorrelation acf(QD_LAST, QD_ALL, 1);
    SeriesOpApplySeriesCompute acfOp(acf);
    acfOp.apply(s);
    double value = 0.0;
    EXPECT_EQ(s.storedResults.lookupMultiple(QD_AUTO_CORRELATION, 0, value), QD_QUANTITY_FOUND);
    EXPECT_EQ(value, autocorrelation(s, QD_LAST, QD_ALL, 1, -1.0));
}

}  // namespace
