// The one-dimensional minimisers: their search rules (bracketing, golden
// section, the three thirds), their tie rules and their evaluation caps.
#include <cmath>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "SeriesCompute/Minimizer.h"

using namespace qd;

namespace {

#include "MinimizerTrace.inc"

// An objective given by a function, recording every point it is asked for.
class RecordingObjective : public ObjectiveFunction {
public:
    explicit RecordingObjective(std::function<double(double)> f) : f_(std::move(f)) {}
    double evaluate(double x) override
    {
        points.push_back(x);
        return f_(x);
    }
    std::vector<double> points;

private:
    std::function<double(double)> f_;
};

TEST(BracketMinimum, ReturnsMidpointWhenItIsNotAboveEitherEnd)
{
    RecordingObjective f([](double x) { return (x - 0.4) * (x - 0.4); });
    double value = -1.0;
    const double m = bracketMinimum(f, 0.0, 1.0, value);
    EXPECT_EQ(m, 0.5);
    EXPECT_EQ(value, (0.5 - 0.4) * (0.5 - 0.4));
    // a, b, then the midpoint.
    ASSERT_EQ(f.points.size(), 3u);
    EXPECT_EQ(f.points[0], 0.0);
    EXPECT_EQ(f.points[1], 1.0);
    EXPECT_EQ(f.points[2], 0.5);
}

TEST(BracketMinimum, HalvesTowardTheBetterEnd)
{
    // Minimum at 0.1: the midpoint moves from 0.5 to 0.25 (still above
    // f(0)) and to 0.125, which is below both ends.
    RecordingObjective f([](double x) { return (x - 0.1) * (x - 0.1); });
    double value = 0.0;
    const double m = bracketMinimum(f, 0.0, 1.0, value);
    EXPECT_EQ(m, 0.125);
    EXPECT_EQ(value, (0.125 - 0.1) * (0.125 - 0.1));
    EXPECT_EQ(f.points, (std::vector<double>{0.0, 1.0, 0.5, 0.25, 0.125}));
}

TEST(BracketMinimum, GivesUpAfterElevenMovesAndReturnsTheBetterEnd)
{
    RecordingObjective falling([](double x) { return -x; });
    double value = 0.0;
    EXPECT_EQ(bracketMinimum(falling, 0.0, 1.0, value), 1.0);
    EXPECT_EQ(value, -1.0);
    EXPECT_EQ(falling.points.size(), 14u);

    RecordingObjective rising([](double x) { return x; });
    EXPECT_EQ(bracketMinimum(rising, 0.0, 1.0, value), 0.0);
    EXPECT_EQ(value, 0.0);
    EXPECT_EQ(rising.points.size(), 14u);
}

TEST(BracketMinimum, TieOfTheEndsGivesTheHighEnd)
{
    // Low at both ends, high everywhere inside: no bracket is ever found,
    // and of the two equal ends the high one is returned.
    RecordingObjective peak([](double x) { return x == 0.0 || x == 1.0 ? 0.0 : 1.0; });
    double value = -1.0;
    EXPECT_EQ(bracketMinimum(peak, 0.0, 1.0, value), 1.0);
    EXPECT_EQ(value, 0.0);
}

TEST(GoldenSectionSearch, ConvergesToTheMinimumOfAParabola)
{
    RecordingObjective f([](double x) { return (x - 0.3) * (x - 0.3); });
    double x = 0.0;
    const double value = goldenSectionSearch(f, 0.0, 0.5, 1.0, 1e-3, x);
    EXPECT_NEAR(x, 0.3, 0.02);
    EXPECT_EQ(value, (x - 0.3) * (x - 0.3));
    EXPECT_LE(f.points.size(), 13u);
}

TEST(GoldenSectionSearch, StartsAtTheMiddlePointAndStepsIntoTheLargerSide)
{
    RecordingObjective f([](double x) { return x * x; });
    double x = 0.0;
    goldenSectionSearch(f, -1.0, 0.2, 3.0, 0.0, x);
    ASSERT_GE(f.points.size(), 2u);
    // The right side is larger: x1 = b, x2 = b + C (c - b).
    EXPECT_EQ(f.points[0], 0.2);
    EXPECT_EQ(f.points[1], 0.2 + 0.38196601 * (3.0 - 0.2));
}

TEST(GoldenSectionSearch, ZeroToleranceTakesAllElevenSteps)
{
    RecordingObjective f([](double x) { return (x - 0.3) * (x - 0.3); });
    double x = 0.0;
    goldenSectionSearch(f, 0.0, 0.5, 1.0, 0.0, x);
    EXPECT_EQ(f.points.size(), 13u);
}

TEST(GoldenSectionSearch, ConstantObjectiveShrinksLeftAndReturnsTheSecondPoint)
{
    RecordingObjective f([](double) { return 2.0; });
    double x = -1.0;
    const double value = goldenSectionSearch(f, 0.0, 0.5, 1.0, 0.0, x);
    EXPECT_EQ(value, 2.0);
    // Every step drops the right end; the result is the second inner point.
    // The bracket [0, 1] has shrunk by R eleven times.
    EXPECT_LT(x, 0.5 * std::pow(0.61803399, 10));
    EXPECT_GT(x, 0.0);
}

TEST(MinimizeFromBracket, EndPointsAreTakenWithoutGoldenSection)
{
    RecordingObjective rising([](double x) { return x; });
    double x = -1.0;
    EXPECT_EQ(minimizeFromBracket(rising, 0.25, 0.75, 0.01, x), 0.25);
    EXPECT_EQ(x, 0.25);
    EXPECT_EQ(rising.points.size(), 14u);

    RecordingObjective falling([](double x) { return -x; });
    EXPECT_EQ(minimizeFromBracket(falling, 0.25, 0.75, 0.01, x), -0.75);
    EXPECT_EQ(x, 0.75);
}

TEST(MinimizeOverInterval, FindsAnInteriorMinimumWithinTolerance)
{
    for (double target : {0.05, 0.2, 0.5, 0.61, 0.9}) {
        RecordingObjective f([target](double x) { return 1.0 + (x - target) * (x - target); });
        double x = -1.0;
        const double value = minimizeOverInterval(f, 0.0, 1.0, 0.01, x);
        EXPECT_NEAR(x, target, 0.01) << target;
        EXPECT_EQ(value, 1.0 + (x - target) * (x - target));
        EXPECT_LE(f.points.size(), 81u);
    }
}

TEST(MinimizeOverInterval, MonotoneObjectivesEndOnTheInterval)
{
    RecordingObjective rising([](double x) { return x; });
    double x = -1.0;
    EXPECT_EQ(minimizeOverInterval(rising, 0.0, 1.0, 0.01, x), 0.0);
    EXPECT_EQ(x, 0.0);
    // Three thirds of 14 evaluations each (bracketing gives up every time).
    EXPECT_EQ(rising.points.size(), 42u);

    RecordingObjective falling([](double x) { return -x; });
    const double s = 1.0 * 0.3333333333333333;
    const double end = 0.0 + s + s + s;
    EXPECT_EQ(minimizeOverInterval(falling, 0.0, 1.0, 0.01, x), -end);
    EXPECT_EQ(x, end);
}

TEST(MinimizeOverInterval, EqualValuesKeepTheFirstThird)
{
    RecordingObjective flat([](double) { return 7.0; });
    double x = -1.0;
    EXPECT_EQ(minimizeOverInterval(flat, 0.0, 3.0, 0.0, x), 7.0);
    EXPECT_GT(x, 0.0);
    EXPECT_LT(x, 1.0);
}

TEST(MinimizeOverInterval, KeepsTheStrictlyLowestOfTheThirds)
{
    // Two wells: a shallow one in the first third, a deeper one in the last.
    RecordingObjective f([](double x) {
        const double a = (x - 0.15) * (x - 0.15) + 0.5;
        const double b = (x - 0.85) * (x - 0.85);
        return a < b ? a : b;
    });
    double x = -1.0;
    minimizeOverInterval(f, 0.0, 1.0, 0.001, x);
    EXPECT_NEAR(x, 0.85, 0.01);
}

// Every point of a whole search, in order, against an independent
// transcription of the search rules (make_minimizer_trace.py): the
// bracketing moves, the golden-section steps, the stopping test, the end
// test and the choice between the thirds all show in the sequence.
TEST(MinimizeOverInterval, EvaluatesExactlyTheReferencePoints)
{
    for (const MinimizerTrace& t : kMinimizerTraces) {
        SCOPED_TRACE(t.name);
        RecordingObjective f(t.objective);
        double x = -100.0;
        const double value = minimizeOverInterval(f, t.low, t.high, t.tolerance, x);
        EXPECT_EQ(f.points, std::vector<double>(t.points, t.points + t.numPoints));
        EXPECT_EQ(x, t.x);
        EXPECT_EQ(value, t.value);
    }
}

TEST(MinimizeOverInterval, ObjectiveExceptionsPassThrough)
{
    RecordingObjective f([](double x) -> double {
        if (x > 0.5)
            throw 42;
        return x;
    });
    double x = -1.0;
    EXPECT_THROW(minimizeOverInterval(f, 0.0, 1.0, 0.01, x), int);
    EXPECT_EQ(x, -1.0);
}

}  // namespace
