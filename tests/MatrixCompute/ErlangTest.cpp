// Erlang B, Poisson and Erlang C: the figures against 40-digit values of
// the closed forms (make_erlang_reference.py), including server counts and
// loads where powers and factorials overflow a double; the solved items;
// the matrix frame and its errors.
#include <cmath>
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "Foundation/FdExceptions.h"
#include "MatrixCompute/ErlangCalculators.h"
#include "MatrixCompute/MatrixComputeErlangB.h"
#include "MatrixCompute/MatrixComputeErlangC.h"
#include "MatrixCompute/MatrixComputeErlangPoisson.h"
#include "MatrixComputeTestSupport.h"

namespace {

#include "ErlangReference.inc"

using namespace qd;

// Relative agreement, or absolute below 1e-300 (where 0.0 stands for the figure).
void expectClose(double actual, double expected, double relative)
{
    if (std::fabs(expected) < 1e-300)
        EXPECT_LT(std::fabs(actual), 1e-290);
    else
        EXPECT_NEAR(actual, expected, relative * std::fabs(expected));
}

TEST(ErlangFigures, AgreeWithHighPrecisionValues)
{
    for (const ErlangFigureCase& c : kErlangFigures) {
        SCOPED_TRACE(testing::Message() << "n " << c.n << " a " << c.a);
        expectClose(qd::erlangBlocking(c.n, c.a), c.blocking, 1e-11);
        expectClose(qd::poissonTail(c.n, c.a), c.tail, 1e-9);
        if (c.waiting < 0.0)
            EXPECT_EQ(qd::erlangWaiting(c.n, c.a), -1.0);
        else
            expectClose(qd::erlangWaiting(c.n, c.a), c.waiting, 1e-11);
    }
}

TEST(ErlangFigures, HugeCountsAndBadArguments)
{
    // Far beyond any factorial a double holds: finite, tiny, no NaN.
    EXPECT_EQ(qd::erlangBlocking(qd::kErlangMaxServers, 10.0), 0.0);
    EXPECT_EQ(qd::poissonTail(qd::kErlangMaxServers, 10.0), 0.0);
    EXPECT_GT(qd::erlangBlocking(10, 1e12), 0.999);
    EXPECT_EQ(qd::erlangBlocking(0, 1.0), -1.0);
    EXPECT_EQ(qd::erlangBlocking(5, std::nan("")), -1.0);
    EXPECT_EQ(qd::erlangBlocking(5, std::numeric_limits<double>::infinity()), -1.0);
    EXPECT_EQ(qd::poissonTail(5, -1.0), -1.0);
    EXPECT_EQ(qd::erlangWaiting(10, 10.0), -1.0);
    EXPECT_EQ(qd::erlangWaiting(10, 10.0 - 1e-7), 1.0);
    // Server counts read from a series: NaN and values beyond 32 bits are
    // invalid, others truncate toward zero.
    EXPECT_EQ(qd::erlangServerCount(std::nan("")), -1);
    EXPECT_EQ(qd::erlangServerCount(3e9), -1);
    EXPECT_EQ(qd::erlangServerCount(-3e9), -1);
    EXPECT_EQ(qd::erlangServerCount(7.9), 7);
    EXPECT_EQ(qd::erlangServerCount(2147483647.0), 2147483647);
}

TEST(ErlangSolve, ServerCounts)
{
    for (const ErlangCountCase& c : kErlangCounts) {
        SCOPED_TRACE(testing::Message() << "a " << c.a << " target " << c.target);
        qd::ErlangBCalculator b;
        b.setA(c.a);
        b.setB(c.target);
        EXPECT_EQ(b.solveN(), c.blockingN);
        EXPECT_EQ(b.status, 0);
        qd::ErlangPoissonCalculator p;
        p.setA(c.a);
        p.setP(c.target);
        EXPECT_EQ(p.solveN(), c.poissonN);
        EXPECT_EQ(p.status, 0);
    }
    for (const ErlangWaitingCountCase& c : kErlangWaitingCounts) {
        SCOPED_TRACE(testing::Message() << "C: a " << c.a << " target " << c.target);
        qd::ErlangCCalculator e;
        e.setA(c.a);
        e.setP0(c.target);
        EXPECT_EQ(e.solveN(), c.n);
        EXPECT_EQ(e.status, 0);
    }
}

TEST(ErlangSolve, LoadsLieInTheToleranceBand)
{
    for (const ErlangLoadCase& c : kErlangLoads) {
        SCOPED_TRACE(testing::Message() << "n " << c.n << " target " << c.target);
        qd::ErlangBCalculator b;
        b.setN(c.n);
        b.setB(c.target);
        const double ab = b.solveA();
        EXPECT_GE(ab, c.blockingLo);
        EXPECT_LE(ab, c.blockingHi);
        qd::ErlangPoissonCalculator p;
        p.setN(c.n);
        p.setP(c.target);
        const double ap = p.solveA();
        EXPECT_GE(ap, c.poissonLo);
        EXPECT_LE(ap, c.poissonHi);
    }
    for (const ErlangWaitingLoadCase& c : kErlangWaitingLoads) {
        SCOPED_TRACE(testing::Message() << "C: n " << c.n << " target " << c.target);
        qd::ErlangCCalculator e;
        e.setN(c.n);
        e.setP0(c.target);
        const double a = e.solveA();
        EXPECT_GE(a, c.lo);
        EXPECT_LE(a, c.hi);
    }
}

TEST(ErlangSolve, CountSearchStopsBefore2To30)
{
    // About 1e9 servers would be needed: the doubling gives up instead of
    // overflowing the count.
    qd::ErlangBCalculator b;
    b.setA(1e9);
    b.setB(0.01);
    EXPECT_EQ(b.solveN(), -1);
    EXPECT_NE(b.status, 0);
    qd::ErlangCCalculator c;
    c.setA(3e9);
    c.setP0(0.5);
    EXPECT_EQ(c.solveN(), -1);
    EXPECT_NE(c.status, 0);
}

TEST(ErlangSolve, WaitingTimeRelations)
{
    // N 12, A 10: P0 exact, then PT, and T1 / T2 back from PT.
    qd::ErlangCCalculator c;
    c.setN(12);
    c.setA(10.0);
    const double p0 = c.solveP0();
    const double e = qd::erlangBlocking(12, 10.0);
    EXPECT_NEAR(p0, 12.0 * e / (12.0 - 10.0 * (1.0 - e)), 1e-15);
    c.setT1(0.5);
    c.setT2(3.0);
    const double pt = c.solvePT();
    EXPECT_NEAR(pt, p0 * std::exp(-2.0 * 0.5 / 3.0), 1e-15);
    c.setT2(3.0);
    c.setPT(pt);
    EXPECT_NEAR(c.solveT1(), 0.5, 1e-12);
    c.setT1(0.5);
    c.setPT(pt);
    EXPECT_NEAR(c.solveT2(), 3.0, 1e-12);
    // PT not below P0 has no waiting time: refused, never negative or inf.
    c.setT1(0.5);
    c.setPT(p0);
    EXPECT_EQ(c.solveT2(), -1.0);
    EXPECT_NE(c.status, 0);
}

// ---- the matrix frame ----------------------------------------------------------

TEST(ErlangMatrix, ErlangBAppendsTheSolvedSeries)
{
    Matrix m;
    addRoleSeries(m, QD_ERLANG_A, {10.0, 100.0, 1000.0});
    qd::MatrixComputeErlangB(1, 0.01).compute(m);
    ASSERT_EQ(m.numSeries(), 2);
    const Series& r = m.series(1);
    EXPECT_EQ(r.dependenceType, QD_ERLANG_N);
    EXPECT_EQ(seriesValues(r), (std::vector<double>{18.0, 117.0, 1029.0}));
    EXPECT_EQ(r.observation(0).originType, QD_COMPUTED);
    // A second N series is appended, not refused.
    qd::MatrixComputeErlangB(1, 0.01).compute(m);
    EXPECT_EQ(m.numSeries(), 3);
}

TEST(ErlangMatrix, PoissonSolvesLoad)
{
    Matrix m;
    addRoleSeries(m, QD_ERLANG_N, {10.0, 100.0});
    qd::MatrixComputeErlangPoisson(2, 0.02).compute(m);
    ASSERT_EQ(m.numSeries(), 2);
    EXPECT_EQ(m.series(1).dependenceType, QD_ERLANG_A);
    EXPECT_NEAR(m.series(1).observation(0).value, 4.61834, 1e-4);
}

TEST(ErlangMatrix, ErrorsLeaveTheMatrixAsItWas)
{
    const double nan = std::nan("");
    struct Case {
        const char* what;
        std::vector<double> input;
        std::int32_t role;
        std::int32_t doType;
        double probability;
        std::int32_t code;
    } cases[] = {
        {"doType 3", {10.0}, QD_ERLANG_A, 3, 0.01, 3044},
        {"no A series", {10.0}, QD_ERLANG_N, 1, 0.01, 3046},
        {"negative A later", {10.0, -1.0}, QD_ERLANG_A, 1, 0.01, 3047},
        {"NaN A", {nan}, QD_ERLANG_A, 1, 0.01, 3047},
        {"B below 1e-6", {10.0}, QD_ERLANG_A, 1, 1e-7, 3047},
        {"B NaN", {10.0}, QD_ERLANG_A, 1, nan, 3047},
        {"N NaN", {nan}, QD_ERLANG_N, 2, 0.01, 3047},
        {"N beyond 32 bits", {1e10}, QD_ERLANG_N, 2, 0.01, 3047},
        {"N zero", {0.5}, QD_ERLANG_N, 2, 0.01, 3047},
        {"load needing 2^30 servers", {1e9}, QD_ERLANG_A, 1, 0.01, 3047},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Matrix m;
        addRoleSeries(m, c.role, c.input);
        EXPECT_MVR_CODE(qd::MatrixComputeErlangB(c.doType, c.probability).compute(m), c.code);
        EXPECT_EQ(m.numSeries(), 1);
        EXPECT_MVR_CODE(qd::MatrixComputeErlangPoisson(c.doType, c.probability).compute(m), c.code);
        EXPECT_EQ(m.numSeries(), 1);
    }
}

TEST(ErlangMatrix, ShortInputSeriesIsAnIndexError)
{
    Matrix m;
    addRoleSeries(m, 0, {1.0, 2.0, 3.0});
    addRoleSeries(m, QD_ERLANG_A, {10.0});
    EXPECT_THROW(qd::MatrixComputeErlangB(1, 0.01).compute(m), FdBoundsErr);
    EXPECT_EQ(m.numSeries(), 2);
}

TEST(ErlangMatrix, ErlangCItems)
{
    Matrix m;
    addRoleSeries(m, QD_ERLANG_N, {12.0, 10.0});
    addRoleSeries(m, QD_ERLANG_A, {10.0, 10.0 - 1e-7});
    qd::MatrixComputeErlangC(3).compute(m);
    ASSERT_EQ(m.numSeries(), 3);
    EXPECT_EQ(m.series(2).dependenceType, QD_ERLANG_P0);
    const double e = qd::erlangBlocking(12, 10.0);
    EXPECT_NEAR(m.series(2).observation(0).value, 12.0 * e / (12.0 - 10.0 * (1.0 - e)), 1e-15);
    // N - A below 1e-6: waiting is certain, and that is what is stored.
    EXPECT_EQ(m.series(2).observation(1).value, 1.0);
    // The item to solve already present: 3045.
    EXPECT_MVR_CODE(qd::MatrixComputeErlangC(3).compute(m), 3045);
    EXPECT_EQ(m.numSeries(), 3);
}

TEST(ErlangMatrix, ErlangCWaitingTimesRefuseImpossibleInputs)
{
    struct Case {
        const char* what;
        double n, a, pt, t1;
        std::int32_t code;
    } cases[] = {
        {"N <= A", 10.0, 12.0, 0.1, 1.0, 3047},
        {"PT above P0", 12.0, 10.0, 0.99, 1.0, 3047},
        {"PT NaN", 12.0, 10.0, std::nan(""), 1.0, 3047},
        {"T1 zero", 12.0, 10.0, 0.1, 0.0, 3047},
        {"valid", 12.0, 10.0, 0.1, 1.0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Matrix m;
        addRoleSeries(m, QD_ERLANG_N, {c.n});
        addRoleSeries(m, QD_ERLANG_A, {c.a});
        addRoleSeries(m, QD_ERLANG_PT, {c.pt});
        addRoleSeries(m, QD_ERLANG_T1, {c.t1});
        if (c.code != 0) {
            EXPECT_MVR_CODE(qd::MatrixComputeErlangC(6).compute(m), c.code);
            EXPECT_EQ(m.numSeries(), 4);
        } else {
            qd::MatrixComputeErlangC(6).compute(m);
            ASSERT_EQ(m.numSeries(), 5);
            const double p0 = qd::erlangWaiting(12, 10.0);
            EXPECT_NEAR(m.series(4).observation(0).value, 2.0 * 1.0 / (std::log(p0) - std::log(0.1)), 1e-12);
        }
    }
    Matrix m;
    addRoleSeries(m, QD_ERLANG_N, {12.0});
    EXPECT_MVR_CODE(qd::MatrixComputeErlangC(7).compute(m), 3044);
    EXPECT_MVR_CODE(qd::MatrixComputeErlangC(4).compute(m), 3046);
}

}  // namespace
