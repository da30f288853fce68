// Slow-moving demand: the generator's formula and repeatable runs, a
// history whose simulated lead-time demand is known exactly, the default
// arguments, draws without replacement that use up the history, the
// argument checks made before any change, and the statistics of one value.
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ComputeTestSupport.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "SeriesCompute/SeriesForecastSlowMovingDemand.h"

using namespace qd;

namespace {

#include "SlowMovingReference.inc"

const std::vector<double> kIntermittent = {0, 3, 0, 0, 7, 0, 2, 0, 0, 5, 0, 1, 0, 0, 4, 0};

TEST(SlowMovingDemand, GeneratorFollowsItsFormula)
{
    for (const GeneratorCase& c : kGeneratorCases) {
        SeriesForecastSlowMovingDemand method;
        method.setRandomState(c.state);
        for (std::int32_t k = 0; k < 8; ++k)
            EXPECT_EQ(method.nextRandom(), c.draws[k]) << c.state << " draw " << k;
    }
}

TEST(SlowMovingDemand, RepeatableWithAGivenState)
{
    struct Setting { std::int32_t eicType; std::int32_t erType; std::int16_t bcMethod; std::int32_t slType; };
    const Setting settings[] = {{1, 1, 30, 1}, {2, 2, 24, 1}, {2, 1, 30, 2}};
    for (const Setting& s : settings) {
        double level[2];
        for (std::int32_t run = 0; run < 2; ++run) {
            Series series;
            fillSeries(series, kIntermittent);
            SeriesForecastSlowMovingDemand method(0, 2, s.eicType, -1, true, 1.0, 0.25, 3.0, 1, 20, 5.0, s.erType,
                                                  s.bcMethod, true, 1, 2019, s.slType, 2.5, 0.875, 1);
            method.setRandomState(777);
            applyForecast(series, method);
            level[run] = series.storedResults.value(QD_SMD_SAFETY_STOCK);
            EXPECT_EQ(series.forecastMethodNumber, QD_SLOW_MOVING_DEMAND);
            EXPECT_EQ(method.numSimulationsRun, 20);
            EXPECT_TRUE(std::isfinite(level[run]));
            EXPECT_GE(level[run], 0.0);
        }
        EXPECT_EQ(level[0], level[1]) << s.eicType << " " << s.erType << " " << s.bcMethod;
    }
}

// The reorder level of whole runs of simulations, with and without
// replacement, whole and fractional lead times, against the simulation
// written independently from the method's steps (make_slow_moving_reference.py).
TEST(SlowMovingDemand, ReorderLevelOfWholeSimulations)
{
    for (const SimulationCase& c : kSimulationCases) {
        SCOPED_TRACE(std::to_string(c.state) + " " + std::to_string(c.leadTime));
        Series series;
        fillSeries(series, c.history);
        SeriesForecastSlowMovingDemand method(0, 1, 1, c.season, true, 1.0, 0.25, 3.0, 1, c.simulations, 5.0,
                                              c.withReplacement ? 1 : 2, 30, true, 1, 30, 1, c.leadTime,
                                              c.serviceLevel, 1);
        method.setRandomState(c.state);
        applyForecast(series, method);
        EXPECT_EQ(method.numSimulationsRun, c.simulations);
        EXPECT_NEAR(series.storedResults.value(QD_SMD_SAFETY_STOCK), c.level, 1e-12 * (1.0 + c.level));
    }
}

// One class (season 1): every simulation draws the same class, so every
// simulated lead-time sum equals the first simulation's, whatever the base.
// The smallest and the largest of 40 sums, and their mean (the sample rule,
// whose deviation is then 0), must each be the sum of one simulation alone,
// for the base methods and the base forecasts other than the average.
TEST(SlowMovingDemand, EverySimulationOfOneClassSumsAsTheFirst)
{
    const std::vector<double> history = {1, 3, 0, 2, 7, 1, 0, 1, 1, 5, 2, 1, 0, 2, 4, 1, 2, 6, 1, 1};
    struct Base {
        std::int16_t bcMethod;
        std::int32_t bfType;
        std::int16_t bfMethod;
    };
    const Base bases[] = {{24, 1, 24}, {30, 2, 4}, {30, 2, 5}, {24, 2, 6}, {30, 2, 9}, {24, 2, 24}, {30, 2, 30}};
    const auto level = [&history](const Base& b, std::int32_t simulations, double serviceLevel, std::int32_t slType) {
        Series series;
        fillSeries(series, history);
        SeriesForecastSlowMovingDemand method(0, 1, 1, 1, true, 1.0, 0.25, 3.0, 1, simulations, 5.0, 1, b.bcMethod,
                                              true, b.bfType, b.bfMethod, slType, 2.5, serviceLevel, 1);
        method.setRandomState(11);
        applyForecast(series, method);
        return series.storedResults.value(QD_SMD_SAFETY_STOCK);
    };
    for (const Base& b : bases) {
        SCOPED_TRACE(std::to_string(b.bcMethod) + " " + std::to_string(b.bfType) + " " + std::to_string(b.bfMethod));
        const double first = level(b, 1, 1.0, 1);
        EXPECT_GT(first, 0.0);
        EXPECT_EQ(level(b, 40, 1.0, 1), first);         // the largest
        EXPECT_EQ(level(b, 40, 1.0 / 40.0, 1), first);  // the smallest
        EXPECT_NEAR(level(b, 40, 0.5, 2), first, 1e-12 * first);
    }
}

// A constant history: every class has index 1, so each simulated lead time
// of 2.5 periods demands exactly 2.5 x 4 whatever is drawn; the average
// base forecasts 4 for the series.
TEST(SlowMovingDemand, ConstantHistoryKnownResult)
{
    const std::int32_t slTypes[] = {1, 2};
    const double levels[] = {0.875, 0.5, 1.0};
    for (std::int32_t slType : slTypes) {
        for (double sl : levels) {
            if (slType == 2 && sl == 1.0)
                continue;  // outside the normal table
            Series series;
            fillSeries(series, {4, 4, 4, 4, 4, 4});
            SeriesForecastSlowMovingDemand method(0, 2, 1, -1, true, 1.0, 0.25, 3.0, 1, 8, 5.0, 2, 2019, true, 1,
                                                  2019, slType, 2.5, sl, 1);
            method.setRandomState(3);
            applyForecast(series, method);
            SCOPED_TRACE(std::to_string(slType) + " " + std::to_string(sl));
            EXPECT_NEAR(series.storedResults.value(QD_SMD_SAFETY_STOCK), 10.0, 1e-9);
            ASSERT_EQ(series.numObservations(), 8);
            for (std::int32_t i = 0; i < 8; ++i) {
                EXPECT_EQ(series.observation(i).storedResults.value(QD_SLOW_MOVING_DEMAND), 4.0) << i;
                EXPECT_NEAR(series.observation(i).storedResults.value(QD_SAFETY_STOCK_RES_OBS), 10.0, 1e-9);
            }
            EXPECT_EQ(series.observation(7).description.length(), 0u);
        }
    }
    // Service level 0: the point below the smallest sum, 0.
    Series series;
    fillSeries(series, {4, 4, 4, 4});
    SeriesForecastSlowMovingDemand method(0, 1, 1, -1, true, 1.0, 0.25, 3.0, 1, 8, 5.0, 1, 30, true, 1, 30, 1, 2.0,
                                          0.0, 1);
    applyForecast(series, method);
    EXPECT_EQ(series.storedResults.value(QD_SMD_SAFETY_STOCK), 0.0);
}

// All defaults: the mean (2019) is the average base.
TEST(SlowMovingDemand, DefaultsWork)
{
    Series series;
    fillSeries(series, kIntermittent);
    SeriesForecastSlowMovingDemand method;
    method.setRandomState(42);
    applyForecast(series, method);
    EXPECT_EQ(series.forecastMethodNumber, QD_SLOW_MOVING_DEMAND);
    EXPECT_EQ(method.numSimulationsRun, 100);
    ASSERT_EQ(series.numObservations(), 17);
    // The average of the nonzero values, 22 / 6.
    EXPECT_NEAR(series.observation(16).storedResults.value(QD_SLOW_MOVING_DEMAND), 22.0 / 6.0, 1e-12);
    EXPECT_GT(series.storedResults.value(QD_SMD_SAFETY_STOCK), 0.0);
}

// Every forecast method of the table forecasts the lead time and the
// series; a code outside the table runs the automatic selection.
TEST(SlowMovingDemand, EveryForecastMethodOfTheTable)
{
    const std::vector<double> history = {1, 3, 1, 2, 7, 1, 2, 1, 1, 5, 1, 1, 2, 1, 4, 1, 2, 6, 1, 1, 3, 1, 2, 1};
    for (std::int16_t code : {4, 5, 6, 7, 8, 9, 10, 14, 15, 18, 24, 30, 99, -1}) {
        SCOPED_TRACE(code);
        Series series;
        fillSeries(series, history);
        SeriesForecastSlowMovingDemand method(0, 3, 2, -1, true, 1.0, 0.25, 3.0, 1, 20, 5.0, 1, 30, true, 2, code,
                                              1, 2.0, 0.9, 1);
        method.setRandomState(5);
        try {
            applyForecast(series, method);
        } catch (const MVRBaseException& e) {
            ADD_FAILURE() << "code " << e.code << " at " << pathOf(e) << ":" << e.line;
            continue;
        }
        EXPECT_EQ(series.forecastMethodNumber, QD_SLOW_MOVING_DEMAND);
        ASSERT_EQ(series.numObservations(), 27);
        EXPECT_TRUE(std::isfinite(series.storedResults.value(QD_SMD_SAFETY_STOCK)));
        for (std::int32_t i = 24; i < 27; ++i)
            EXPECT_TRUE(std::isfinite(series.observation(i).storedResults.value(QD_SLOW_MOVING_DEMAND)));
    }
}

// Without replacement a lead time as long as the history draws every
// period once; the draw always ends. Settling mode runs 6 to 101 times.
TEST(SlowMovingDemand, DrawsWithoutReplacementEnd)
{
    Series series;
    fillSeries(series, {0, 2, 0, 6, 1, 0, 3, 0});
    SeriesForecastSlowMovingDemand method(0, 1, 2, -1, true, 1.0, 0.25, 3.0, 2, 100, 5.0, 2, 30, true, 1, 2019, 1,
                                          8.0, 0.875, 1);
    method.setRandomState(9);
    applyForecast(series, method);
    EXPECT_GE(method.numSimulationsRun, 6);
    EXPECT_LE(method.numSimulationsRun, 101);
    EXPECT_TRUE(std::isfinite(series.storedResults.value(QD_SMD_SAFETY_STOCK)));
}

TEST(SlowMovingDemand, ArgumentsRefusedBeforeAnyChange)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* what;
        std::int32_t obs, periods, eicType, seasonal;
        double incr;
        std::int16_t bcMethod;
        std::int32_t bfType;
        std::int16_t bfMethod;
        double lead, level;
        std::vector<double> data;
        std::int32_t code;
    };
    const Case cases[] = {
        {"negative periods", 0, -1, 1, -1, 0.25, 30, 1, 30, 2.0, 0.9, kIntermittent, 3030},
        {"negative index", -1, 1, 1, -1, 0.25, 30, 1, 30, 2.0, 0.9, kIntermittent, 3000},
        {"no history", 16, 1, 1, -1, 0.25, 30, 1, 30, 2.0, 0.9, kIntermittent, 3006},
        {"negative lead time", 0, 1, 1, -1, 0.25, 30, 1, 30, -1.0, 0.9, kIntermittent, 3089},
        {"lead time not a number", 0, 1, 1, -1, 0.25, 30, 1, 30, nan, 0.9, kIntermittent, 3089},
        {"service level above 1", 0, 1, 1, -1, 0.25, 30, 1, 30, 2.0, 1.5, kIntermittent, 3088},
        {"service level not a number", 0, 1, 1, -1, 0.25, 30, 1, 30, 2.0, nan, kIntermittent, 3088},
        {"seasonal length 0", 0, 1, 1, 0, 0.25, 30, 1, 30, 2.0, 0.9, kIntermittent, 3051},
        {"increment 0", 0, 1, 2, -1, 0.0, 30, 1, 30, 2.0, 0.9, kIntermittent, 3004},
        {"increment too small to count the buckets", 0, 1, 2, -1, 1e-12, 30, 1, 30, 2.0, 0.9, kIntermittent, 3004},
        {"increment tiny beside the bounds", 0, 1, 2, -1, 2e-9, 30, 1, 30, 2.0, 0.9, kIntermittent, 3004},
        {"zero spread", 0, 1, 2, -1, 0.25, 30, 1, 30, 2.0, 0.9, {0, 5, 0, 5, 5}, 3004},
        {"unknown base method", 0, 1, 1, -1, 0.25, 9, 1, 30, 2.0, 0.9, kIntermittent, 3164},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Series series;
        fillSeries(series, c.data);
        const std::int32_t n = series.numObservations();
        SeriesForecastSlowMovingDemand method(c.obs, c.periods, c.eicType, c.seasonal, true, 1.0, c.incr, 3.0, 1, 5,
                                              5.0, 1, c.bcMethod, true, c.bfType, c.bfMethod, 1, c.lead, c.level, 1);
        try {
            applyForecast(series, method);
            ADD_FAILURE() << "no exception, expected " << c.code;
        } catch (const MVRBaseException& e) {
            EXPECT_EQ(e.code, c.code);
            EXPECT_EQ(pathOf(e), "Libraries\\SeriesCompute\\SeriesForecastSlowMovingDemand");
        }
        EXPECT_EQ(series.numObservations(), n);
        EXPECT_EQ(series.forecastMethodNumber, -1);
        double stored = 0.0;
        EXPECT_NE(series.storedResults.lookup(QD_SMD_SAFETY_STOCK, stored), 0);
    }
}

// Without replacement a period already drawn is drawn again, each redraw
// taking one more result of the generator: the state after the run shows
// how many results were taken (make_slow_moving_reference.py).
TEST(SlowMovingDemand, DrawsWithoutReplacementDrawAgain)
{
    for (const DrawCase& c : kDrawCases) {
        SCOPED_TRACE(::testing::Message() << "state " << c.state << ", history " << c.history << ", lead "
                                          << c.lead);
        Series series;
        for (std::int32_t k = 0; k < c.history; ++k)
            series.addObservation(k + 1.0, QD_SUPPLIED, FdCString());
        SeriesForecastSlowMovingDemand method(0, 1, 1, -1, true, 1.0, 0.25, 3.0, 1, c.simulations, 5.0, 2, 30,
                                              true, 1, 30, 1, c.lead, 0.875, 1);
        method.setRandomState(c.state);
        applyForecast(series, method);
        EXPECT_EQ(method.numSimulationsRun, c.simulations);
        EXPECT_EQ(method.randomState(), c.after);
    }
}

// Zero demand is a class of its own when zeros are left out of the centre
// and scale; the other buckets follow it in ascending order.
TEST(SlowMovingDemand, ZeroDemandIsAClassOfItsOwn)
{
    for (const ClassCase& c : kClassCases) {
        Series series;
        fillSeries(series, c.history);
        SeriesForecastSlowMovingDemand method(0, 1, 2, -1, true, 1.0, 0.25, 3.0, 1, 2, 5.0, 1, 30, true, 1, 30, 1,
                                              1.0, 0.875, 1);
        method.setRandomState(3);
        applyForecast(series, method);
        EXPECT_EQ(method.eventFlags(), c.classes);
    }
}

// The average base is stored as the forecast only; the series records the
// slow-moving method, so no observation carries the average's own type.
TEST(SlowMovingDemand, AverageBaseStoresTheForecastOnly)
{
    Series series;
    fillSeries(series, kIntermittent);
    SeriesForecastSlowMovingDemand method(0, 2, 1, -1, true, 1.0, 0.25, 3.0, 1, 3, 5.0, 1, 30, true, 1, 30, 1, 2.0,
                                          0.875, 1);
    method.setRandomState(5);
    applyForecast(series, method);
    ASSERT_EQ(series.numObservations(), 18);
    // The nonzero mean: (3 + 7 + 2 + 5 + 1 + 4) / 6.
    for (std::int32_t i = 0; i < series.numObservations(); ++i) {
        const Observation& o = series.observation(i);
        EXPECT_EQ(o.storedResults.count(static_cast<std::int16_t>(QD_AVERAGE)), 0) << i;
        EXPECT_DOUBLE_EQ(o.storedResults.value(QD_FORECAST), 22.0 / 6.0) << i;
        EXPECT_DOUBLE_EQ(o.storedResults.value(QD_SLOW_MOVING_DEMAND), 22.0 / 6.0) << i;
    }
}

// One value does not vary: standard deviation 0, not the value.
TEST(SlowMovingDemand, StatisticsOfOneValue)
{
    Series s;
    fillSeries(s, {0, 0, 7, 0});
    double mean = -1.0, sd = -1.0;
    slowMovingStatistics(s, true, mean, sd);
    EXPECT_EQ(mean, 7.0);
    EXPECT_EQ(sd, 0.0);
    slowMovingStatistics(s, false, mean, sd);
    EXPECT_EQ(mean, 1.75);
    EXPECT_NEAR(sd, 3.5, 1e-12);
    Series empty;
    slowMovingStatistics(empty, true, mean, sd);
    EXPECT_EQ(mean, 0.0);
    EXPECT_EQ(sd, 0.0);
}

}  // namespace
