// Every allocation of a data-model operation made to fail in turn: the
// operation must end with std::bad_alloc (or the engine's failure), never
// crash, leak or leave the matrix inconsistent; operations that build
// everything before changing anything must leave the matrix exactly as it
// was. Every operation listed must make at least one allocation; those
// meant to allocate nothing run with every allocation failing and must
// complete. Replaces the global allocation functions, so it is an
// executable of its own.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <new>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "Foundation/FdExceptions.h"
#include "Matrix/MVRBaseException.h"
#include "Matrix/Matrix.h"
#include "Matrix/MatrixOpApplySeriesCompute.h"
#include "Matrix/MatrixOpApplySeriesForecast.h"
#include "Matrix/Snapshot.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"
#include "Matrix/SeriesOpApplyIteratedObservationCompute.h"
#include "Matrix/SeriesOpApplySeriesCompute.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "MatrixCompute/MatrixForecastPolynomialRegression.h"
#include "MatrixCompute/MatrixForecastStepwise.h"
#include "Matrix/MatrixOpApplyMatrixForecast.h"
#include "SeriesCompute/BoxJenkinsModel.h"
#include "SeriesCompute/ObservationComputeError.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"
#include "SeriesCompute/SeriesStatistics.h"

using namespace qd;

namespace {
bool armed = false;
std::size_t allocations = 0;
std::size_t failAt = 0;

// The automation server's allocation handler raises code 3 as an engine
// exception instead of std::bad_alloc; a test can fail allocations either way.
bool raiseCode3 = false;

void* allocate(std::size_t n)
{
    if (armed) {
        ++allocations;
        if (allocations == failAt) {
            if (raiseCode3) {
                armed = false;
                qdThrow("ActiveX\\QDInterface\\QDInterface", 1, ErrorCode::OutOfMemory);
            }
            throw std::bad_alloc();
        }
    }
    if (void* p = std::malloc(n == 0 ? 1 : n))
        return p;
    throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t n) { return allocate(n); }
void* operator new[](std::size_t n) { return allocate(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

// The allocations run makes when none fails.
std::size_t countAllocations(const std::function<void()>& run)
{
    armed = true;
    allocations = 0;
    failAt = 0;
    run();
    armed = false;
    return allocations;
}

// Runs run with its allocation k failing. The failure must come out of it
// as an allocation failure: std::bad_alloc, or the engine's code 3.
void runFailingAt(std::size_t k, const std::function<void()>& run, const std::string& where)
{
    bool failed = false;
    armed = true;
    allocations = 0;
    failAt = k;
    try {
        run();
    } catch (const std::bad_alloc&) {
        failed = true;
    } catch (const MVRBaseException& e) {
        armed = false;
        failed = true;
        EXPECT_EQ(3, e.code) << where << " (line " << e.line << ")";
    } catch (...) {
        armed = false;
        failed = true;
        ADD_FAILURE() << where << ": not an allocation failure";
    }
    armed = false;
    EXPECT_TRUE(failed) << where << ": the failing allocation went unreported";
}

}  // namespace

namespace {

// A matrix of a few series of different lengths (some past the first 64
// places), with results at every level and handed-out identities.
void build(Matrix& m, std::uint32_t seed)
{
    std::mt19937 rng(seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const int ns = pick(2, 5);
    for (int j = 0; j < ns; ++j) {
        const int n = pick(0, 1) ? pick(1, 12) : pick(60, 140);
        for (int i = 0; i < n; ++i)
            m.addObservation(j, pick(1, 500) / 4.0, i + 3 < n ? QD_SUPPLIED : pick(1, 2),
                             FdCString(pick(0, 1) ? "Jan" : ""));
        Series& s = m.series(j);
        s.setDescription(FdCString("series"));
        s.storedResults.store(QD_MEAN, j);
        s.storedResults.createMultiple(4005, 3);
        s.storedResults.storeMultiple(4005, 1, 2.5);
        for (int i = 0; i < n; i += 7) {
            s.observation(i).storedResults.store(QD_FORECAST, i + 0.5);
            s.observation(i).storedResults.store(pick(0, 36), -1.0);
            s.observation(i).ensureIdentity();
        }
        s.identity();
    }
    m.storedResults.createStatisticMatrix(6001, 2, 3);
    m.storedResults.statisticMatrix(6001)->storeAt(1, 2, 6001, 9.0);
}

// Everything a client can read, as text (the value cache excluded).
std::string describe(const Matrix& m)
{
    std::ostringstream out;
    out.precision(17);
    out << "series " << m.numSeries() << " method " << m.forecastMethodNumber << "\n";
    for (std::int32_t j = 0; j < m.numSeries(); ++j) {
        const Series& s = m.series(j);
        out << "[" << j << "] id " << s.currentIdentity() << " '" << s.description().data() << "' method "
            << s.forecastMethodNumber << " n " << s.numObservations() << "\n";
        for (std::int32_t i = 0; i < s.numObservations(); ++i) {
            const Observation& o = s.observation(i);
            out << " " << o.value << "/" << o.originType << "/" << o.description.data() << "/" << o.identity();
            for (std::int32_t t = 0; t < ObservationQC::NUM_SLOTS; ++t) {
                double v = 0.0;
                if (o.storedResults.lookup(t, v) == QD_QUANTITY_FOUND)
                    out << " r" << t << "=" << v;
            }
            out << "\n";
        }
        for (std::int32_t t = SeriesQC::FIRST_SINGLE; t <= SeriesQC::LAST_SINGLE; ++t) {
            double v = 0.0;
            if (s.storedResults.lookup(t, v) == QD_QUANTITY_FOUND)
                out << " s" << t << "=" << v;
        }
        for (std::int32_t t = SeriesQC::FIRST_MULTIPLE; t <= SeriesQC::LAST_MULTIPLE; ++t) {
            const QuantitySlots* entry = s.storedResults.multiple(t);
            if (entry == nullptr)
                continue;
            out << " m" << t << "[" << entry->capacity() << "]";
            for (std::int32_t k = 0; k < entry->capacity(); ++k) {
                double v = 0.0;
                if (entry->lookup(k, v) == QD_QUANTITY_FOUND)
                    out << " " << k << "=" << v;
            }
        }
        out << "\n";
    }
    for (std::int32_t t = MatrixQC::FIRST_TYPE; t <= MatrixQC::LAST_TYPE; ++t) {
        const QuantityMatrix* table = m.storedResults.statisticMatrix(t);
        if (table == nullptr)
            continue;
        out << "table " << t << " " << table->rows() << "x" << table->columns() << " count " << table->count(-1);
        for (std::int32_t r = 0; r < table->rows(); ++r)
            for (std::int32_t c = 0; c < table->columns(); ++c) {
                double v = 0.0;
                if (table->lookupAt(r, c, v) == QD_QUANTITY_FOUND)
                    out << " (" << r << "," << c << ")=" << v;
            }
        out << "\n";
    }
    return out.str();
}

// What must hold whatever failed: the value arrays and the cached mean
// serve the current observations, the counts agree with the walks, and
// every series is found again by its identity.
void expectConsistent(Matrix& m, const std::string& where)
{
    for (std::int32_t j = 0; j < m.numSeries(); ++j) {
        Series& s = m.series(j);
        const std::int32_t n = s.numObservations();
        ASSERT_LE(n, static_cast<std::int32_t>(s.capacity())) << where;
        if (s.currentIdentity() != 0) {
            ASSERT_EQ(j, m.findSeries(s.currentIdentity(), 0)) << where;
        }
        std::int32_t walked = 0;
        s.storedResults.restart();
        while (s.storedResults.next() != nullptr && walked <= 200)
            ++walked;
        ASSERT_EQ(s.storedResults.count(-1), walked) << where;
        if (n == 0)
            continue;
        const double* v = s.values(0);
        double sum = 0.0;
        for (std::int32_t i = 0; i < n; ++i) {
            ASSERT_EQ(s.observation(i).value, v[i]) << where << " series " << j << " obs " << i;
            sum += v[i];
            const Observation& o = s.observation(i);
            std::int32_t seen = 0;
            const_cast<ObservationQC&>(o.storedResults).restart();
            while (const_cast<ObservationQC&>(o.storedResults).next() != nullptr && seen <= 40)
                ++seen;
            ASSERT_EQ(o.storedResults.count(-1), seen) << where;
        }
        const double* f = s.forecastValues(0);
        for (std::int32_t i = 0; i < n; ++i) {
            double stored = 0.0;
            const bool has = s.observation(i).storedResults.lookup(QD_FORECAST, stored) == QD_QUANTITY_FOUND;
            ASSERT_EQ(has ? stored : s.observation(i).value, f[i]) << where;
        }
        ASSERT_NEAR(sum / n, meanOfValues(s, QD_LAST, QD_ALL), 1e-9 * (1.0 + std::fabs(sum / n))) << where;
    }
}

struct Operation {
    const char* name;
    bool allOrNothing;  // a failure leaves the matrix as it was
    std::function<void(Matrix&)> run;
    std::function<void(Matrix&)> prepare = nullptr;  // before allocations may fail
};

// Fills series 0 up to its capacity, so that the next append moves it.
void fillToCapacity(Matrix& m)
{
    Series& s = m.series(0);
    while (s.numObservations() < static_cast<std::int32_t>(s.capacity()))
        s.addObservation(1.0, QD_SUPPLIED);
}

const std::vector<Operation>& operations()
{
    static const std::vector<Operation> list = {
        {"addObservation past the capacity", false,
         [](Matrix& m) {
             for (int i = 0; i < 80; ++i)
                 m.addObservation(0, i, QD_SUPPLIED, FdCString("grown"));
         }},
        {"addObservation to a full series", true, [](Matrix& m) { m.addObservation(0, 2.0, 1, FdCString("x")); },
         fillToCapacity},
        {"appendToSeries to a full series", true,
         [](Matrix& m) { m.appendToSeries(0, m.series(0).observation(0)); }, fillToCapacity},
        {"addSeries to a full matrix (seed 1 only)", true, [](Matrix& m) { m.addSeries(m.series(0)); },
         [](Matrix& m) {
             while (m.numSeries() < 64)
                 m.addSeries(Series());
         }},
        {"addObservation to a new series", false, [](Matrix& m) { m.addObservation(m.numSeries() + 1, 1.0, 1, FdCString("x")); }},
        {"appendToSeries of an own observation", true, [](Matrix& m) { m.appendToSeries(1, m.series(1).observation(0)); }},
        {"addSeries of an own series", true, [](Matrix& m) { m.addSeries(m.series(0)); }},
        {"replaceSeriesAt inside", true, [](Matrix& m) { m.replaceSeriesAt(0, m.series(1)); }},
        {"replaceSeriesAt beyond the end", false, [](Matrix& m) { m.replaceSeriesAt(m.numSeries() + 2, m.series(0)); }},
        {"series assignment", true, [](Matrix& m) { m.series(1) = m.series(0); }},
        {"observation assignment", true, [](Matrix& m) { m.series(0).observation(0) = m.series(1).observation(0); }},
        {"observation results", false,
         [](Matrix& m) {
             m.series(0).setDirty(true, true);  // a forecast (29) is among them
             for (int t = 0; t < 37; ++t)
                 m.series(0).observation(1).storedResults.store(t, t);
         }},
        {"series vector result", true, [](Matrix& m) { m.series(0).storedResults.createMultiple(4001, 50); }},
        {"matrix table", true, [](Matrix& m) { m.storedResults.createStatisticMatrix(6000, 4, 4); }},
        {"copy of the matrix results", true, [](Matrix& m) { m.storedResults = MatrixQC(m.storedResults); }},
        {"removeMissingValues", true, [](Matrix& m) { m.series(0).removeMissingValues(QD_LAST, QD_ALL, 0.0, 60.0); }},
        {"reserve", true, [](Matrix& m) { m.series(0).reserve(500); m.reserve(70); }},
        {"copyValuesTo itself", false, [](Matrix& m) { m.series(1).copyValuesTo(m.series(1), 0, m.series(1).numObservations() - 1); }},
        {"values with extra places", false, [](Matrix& m) { m.series(0).values(5); m.series(0).forecastValues(7); }},
        {"mean of every series", false,
         [](Matrix& m) {
             m.setDirty(true, true);
             SeriesComputeMean c(QD_LAST, QD_ALL);
             MatrixOpApplySeriesCompute op(c);
             m.apply(op);
         }},
        {"variance of a series", false,
         [](Matrix& m) {
             SeriesComputeVariance c(QD_LAST, QD_ALL);
             SeriesOpApplySeriesCompute op(c);
             op.apply(m.series(0));
         }},
        {"observation errors", false,
         [](Matrix& m) {
             ObservationComputeError c;
             SeriesOpApplyIteratedObservationCompute op(c, 0);
             op.apply(m.series(0));
         }},
        {"exponential smoothing", false,
         [](Matrix& m) {
             SeriesForecastExponentialSmoothing method(0, QD_COMPUTE, 6);
             SeriesOpApplySeriesForecast op(method);
             op.apply(m.series(0));
         }},
        {"removeSeriesAt", true, [](Matrix& m) { m.removeSeriesAt(0); }},
        {"removeAll", true, [](Matrix& m) { m.removeAll(); }},
        {"clearObservations", true, [](Matrix& m) { m.series(1).clearObservations(); }},
        // What the automation layer does around every call that changes a
        // matrix or a series: the work below fails part of the way through
        // (forecasts appended to the first series, results stored, a series
        // added and one removed), and the snapshot puts everything back,
        // identities included.
        {"matrix forecast, all or nothing", true,
         [](Matrix& m) {
             allOrNothing(m, [&] {
                 m.setDirty(true, true);
                 SeriesForecastExponentialSmoothing method(0, QD_COMPUTE, 6);
                 MatrixOpApplySeriesForecast op(method);
                 m.apply(op);
                 m.addSeries(m.series(0));
                 m.removeSeriesAt(0);
                 m.storedResults.createStatisticMatrix(6000, 4, 4);
                 m.forecastMethodNumber = 7;
             });
         }},
        {"series forecast, all or nothing", true,
         [](Matrix& m) {
             Series& s = m.series(0);
             allOrNothing(s, [&] {
                 SeriesForecastExponentialSmoothing method(0, QD_COMPUTE, 6);
                 SeriesOpApplySeriesForecast op(method);
                 op.apply(s);
                 s.storedResults.createMultiple(4001, 50);
                 s.removeObservationAt(0);
             });
         }},
    };
    return list;
}

// Operations that must not allocate at all, so that no allocation failure
// can stop them halfway: each runs with every allocation failing, and its
// effect is checked on the matrix it leaves.
struct NonAllocatingOperation {
    const char* name;
    std::function<void(Matrix&)> run;
    std::function<void(const Matrix&, const std::string&)> check;
};

const std::vector<NonAllocatingOperation>& nonAllocatingOperations()
{
    static const std::vector<NonAllocatingOperation> list = {
        {"removeAllCalculations", [](Matrix& m) { m.removeAllCalculations(); },
         [](const Matrix& m, const std::string& where) {
             EXPECT_EQ(-1, m.forecastMethodNumber) << where;
             EXPECT_EQ(0, m.storedResults.count(-1)) << where;
             for (std::int32_t j = 0; j < m.numSeries(); ++j) {
                 const Series& s = m.series(j);
                 EXPECT_EQ(-1, s.forecastMethodNumber) << where << " series " << j;
                 EXPECT_EQ(0, s.storedResults.count(-1)) << where << " series " << j;
                 for (std::int32_t i = 0; i < s.numObservations(); ++i) {
                     EXPECT_NE(QD_COMPUTED, s.observation(i).originType) << where << " series " << j << " obs " << i;
                     EXPECT_EQ(0, s.observation(i).storedResults.count(-1)) << where << " series " << j << " obs " << i;
                 }
             }
         }},
    };
    return list;
}

// The matrix an operation starts from, its value arrays current as in use.
void setUp(Matrix& m, std::uint32_t seed, const Operation& op)
{
    build(m, seed);
    if (op.prepare)
        op.prepare(m);
    m.setDirty(true, true);
    for (std::int32_t j = 0; j < m.numSeries(); ++j)
        m.series(j).forecastValues(0);
}

}  // namespace

TEST(AllocationFailureStress, EveryAllocationOfEveryOperationMayFail)
{
    for (std::uint32_t seed = 1; seed <= 3; ++seed) {
        for (const Operation& op : operations()) {
            if (seed > 1 && std::string(op.name).find("seed 1 only") != std::string::npos)
                continue;
            const auto started = std::chrono::steady_clock::now();
            // How many allocations the operation makes when nothing fails.
            std::size_t total = 0;
            {
                Matrix m;
                setUp(m, seed, op);
                total = countAllocations([&] { op.run(m); });
            }
            // An operation that no longer allocates would test nothing here;
            // one that is meant not to allocate belongs to the list below.
            ASSERT_GT(total, 0u) << op.name << ", seed " << seed << ": no allocation to make fail";
            for (std::size_t k = 1; k <= total; ++k) {
                const std::string where = std::string(op.name) + ", seed " + std::to_string(seed) + ", allocation "
                                          + std::to_string(k) + " of " + std::to_string(total);
                Matrix m;
                setUp(m, seed, op);
                const std::string before = describe(m);
                runFailingAt(k, [&] { op.run(m); }, where);
                if (op.allOrNothing) {
                    EXPECT_EQ(before, describe(m)) << where;
                }
                expectConsistent(m, where);
                if (::testing::Test::HasFailure())
                    return;
            }
            if (std::getenv("QD_STRESS_TIMES"))
                std::printf("%s: %d ms\n", op.name, static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count()));
        }
    }
}

TEST(AllocationFailureStress, NonAllocatingOperationsSucceedWithEveryAllocationFailing)
{
    for (std::uint32_t seed = 1; seed <= 3; ++seed) {
        for (const NonAllocatingOperation& op : nonAllocatingOperations()) {
            const std::string where = std::string(op.name) + ", seed " + std::to_string(seed);
            Matrix m;
            build(m, seed);
            m.setDirty(true, true);
            for (std::int32_t j = 0; j < m.numSeries(); ++j) {
                m.series(j).forecastValues(0);
                // A computed observation, for the operation to remove.
                m.series(j).addObservation(7.0, QD_COMPUTED);
            }
            armed = true;
            allocations = 0;
            failAt = 1;
            bool threw = false;
            try {
                op.run(m);
            } catch (...) {
                threw = true;
            }
            armed = false;
            EXPECT_FALSE(threw) << where;
            EXPECT_EQ(0u, allocations) << where;
            op.check(m, where);
            expectConsistent(m, where);
        }
    }
}

namespace {
#include "../MatrixCompute/CementReference.inc"

struct ModelState {
    std::int32_t p, q, P, Q, S;
    bool constant;
    std::vector<double> coefficients;
};

ModelState stateOf(const BoxJenkinsModel& m)
{
    ModelState s{m.p, m.q, m.P, m.Q, m.seasonalLength, m.hasConstant, {}};
    for (std::int32_t i = 0; i < m.p; ++i)
        s.coefficients.push_back(m.arCoefficient(i));
    for (std::int32_t i = 0; i < m.q; ++i)
        s.coefficients.push_back(m.maCoefficient(i));
    for (std::int32_t i = 0; i < m.P; ++i)
        s.coefficients.push_back(m.seasonalArCoefficient(i));
    for (std::int32_t i = 0; i < m.Q; ++i)
        s.coefficients.push_back(m.seasonalMaCoefficient(i));
    return s;
}

void expectState(const ModelState& a, const ModelState& b, const std::string& where)
{
    EXPECT_EQ(a.p, b.p) << where;
    EXPECT_EQ(a.q, b.q) << where;
    EXPECT_EQ(a.P, b.P) << where;
    EXPECT_EQ(a.Q, b.Q) << where;
    EXPECT_EQ(a.S, b.S) << where;
    EXPECT_EQ(a.constant, b.constant) << where;
    EXPECT_EQ(a.coefficients, b.coefficients) << where;
}
}  // namespace

// Assigning one Box-Jenkins model to another allocates the coefficient
// groups of the copy before anything is released: a failed allocation
// leaves the target model whole (no double release, which the sanitizers
// of the native tree would report) and as it was.
TEST(AllocationFailureStress, BoxJenkinsModelAssignment)
{
    auto source = [] {
        BoxJenkinsModel m(9, 10, 0, 2, true, 4, 2, 1, 1, 1);
        m.setArCoefficient(0, 0.5);
        m.setArCoefficient(1, 0.25);
        m.setMaCoefficient(0, -0.3);
        m.setSeasonalArCoefficient(0, -0.5);
        m.setSeasonalMaCoefficient(0, 0.7);
        return m;
    };
    auto target = [] {
        BoxJenkinsModel m(5, 6, 1, 1, false, 0, 1, 2, 0, 0);
        m.setArCoefficient(0, 0.125);
        m.setMaCoefficient(1, 0.375);
        return m;
    };
    const BoxJenkinsModel from = source();
    std::size_t total = 0;
    {
        BoxJenkinsModel to = target();
        total = countAllocations([&] { to = from; });
        expectState(stateOf(from), stateOf(to), "no failure");
    }
    ASSERT_GT(total, 0u);
    for (std::size_t k = 1; k <= total; ++k) {
        const std::string where = "allocation " + std::to_string(k) + " of " + std::to_string(total);
        BoxJenkinsModel to = target();
        const ModelState before = stateOf(to);
        runFailingAt(k, [&] { to = from; }, where);
        expectState(before, stateOf(to), where);
        // The model is still whole: it can be assigned again.
        to = from;
        expectState(stateOf(from), stateOf(to), where + ", assigned again");
    }
}

namespace {
// The cement data, each regressor with values for two forecast periods,
// and every slot the stepwise write-back fills already present with a
// marker (-1), as are the two forecast observations of the dependent
// series: the write-back itself then allocates nothing, so any failing
// allocation is one of the selection or of the final fit.
void buildStepwiseMatrix(Matrix& m)
{
    const double* columns[] = {kCement_y, kCement_x1, kCement_x2, kCement_x3, kCement_x4};
    for (std::int32_t j = 0; j < 5; ++j) {
        Series s;
        for (std::int32_t i = 0; i < 13; ++i)
            s.addObservation(columns[j][i], QD_SUPPLIED, FdCString());
        for (std::int32_t i = 0; i < 2; ++i)
            s.addObservation(j == 0 ? -1.0 : columns[j][i + 3], j == 0 ? QD_COMPUTED : QD_SUPPLIED,
                             FdCString(i == 0 ? "0" : "1"));
        for (std::int32_t i = 0; i < s.numObservations(); ++i) {
            ObservationQC& r = s.observation(i).storedResults;
            r.store(QD_FORECAST, -1.0);
            r.store(QD_STEPWISE, -1.0);
            r.store(QD_CONFIDENCE_INTERVAL, -1.0);
        }
        s.dependenceType = j == 0 ? QD_DEPENDENT : QD_INDEPENDENT;
        s.storedResults.store(QD_REGRESSION_LAG_VALUE, 0.0);
        for (std::int32_t type : {QD_F_TEST, QD_BETA, QD_REGRESSION_STANDARD_ERROR, QD_REGRESSION_ELASTICITY})
            s.storedResults.store(type, -1.0);
        s.storedResults.createMultiple(QD_T_TEST, 1);
        s.storedResults.storeMultiple(QD_T_TEST, 0, -1.0);
        m.addSeries(s);
    }
    m.setDirty(true, true);
    for (std::int32_t j = 0; j < m.numSeries(); ++j)
        m.series(j).forecastValues(0);
}

void runStepwise(Matrix& m)
{
    MatrixForecastStepwise method(12, 13, kStepwiseWithRemoval, QD_COMPUTE, QD_COMPUTE, 4.0, 3.0, 0, 0, false, true,
                                  2, 0.95, false, true, false);
    MatrixOpApplyMatrixForecast op(method);
    op.apply(m);
}
}  // namespace

// A stepwise regression whose final fit (or any fit before it) fails
// reports the failure and writes nothing back: each allocation of a run
// fails in turn and, up to the end of the final fit, the matrix must stay
// exactly as it was. The write-back itself still allocates (each selected
// series' t value entry is made anew), so its last few allocations are
// told apart: the write-back first sets every series' role, which changes
// the regressors' roles before it allocates anything.
TEST(AllocationFailureStress, StepwiseFailureWritesNothingBack)
{
    // A first run makes what lives once per process (tables built on first
    // use), so that the run counted below is like every later one.
    {
        Matrix m;
        buildStepwiseMatrix(m);
        runStepwise(m);
    }
    std::size_t total = 0;
    {
        Matrix m;
        buildStepwiseMatrix(m);
        const std::string before = describe(m);
        total = countAllocations([&] { runStepwise(m); });
        // The run does write: the check below is not vacuous.
        ASSERT_NE(before, describe(m));
        ASSERT_EQ(QD_STEPWISE, m.forecastMethodNumber);
    }
    ASSERT_GT(total, 0u);
    std::size_t firstWriteBack = 0;
    for (std::size_t k = 1; k <= total; ++k) {
        const std::string where = "stepwise, allocation " + std::to_string(k) + " of " + std::to_string(total);
        Matrix m;
        buildStepwiseMatrix(m);
        const std::string before = describe(m);
        runFailingAt(k, [&] { runStepwise(m); }, where);
        const bool writingBack = m.series(1).dependenceType != QD_INDEPENDENT;
        if (writingBack) {
            if (firstWriteBack == 0)
                firstWriteBack = k;
        } else {
            // Failures before the write-back come first, then only
            // write-back ones.
            EXPECT_EQ(0u, firstWriteBack) << where;
            EXPECT_EQ(before, describe(m)) << where;
        }
        expectConsistent(m, where);
        if (::testing::Test::HasFailure())
            return;
    }
    // Only the write-back's own few allocations are left out above: one
    // entry per selected series (the dependent one and three regressors).
    ASSERT_GT(firstWriteBack, 0u);
    EXPECT_LE(total - firstWriteBack + 1, 8u);
}

// The polynomial regression adds product series and takes them out again
// when a fit fails. When an allocation fails anywhere in it (while a
// product series is being made, in a trial fit, in the final fit), the
// failure that comes out is the allocation failure, never an error of the
// clean-up, and the matrix stays consistent.
TEST(AllocationFailureStress, PolynomialReportsTheAllocationFailure)
{
    // The second degree accepted, or rejected (its terms and series are
    // taken out again before the final fit).
    struct Case {
        const char* name;
        double partialF, minFIn, maxFOut;
        bool code3;
    };
    for (const Case& c : {Case{"accepted, plain final fit", 0.0001, 0.0, 0.0, false},
                          Case{"accepted, stepwise final fit", 0.0001, 4.0, 3.0, false},
                          Case{"rejected, plain final fit", 1e9, 0.0, 0.0, false},
                          Case{"accepted, plain final fit, code 3", 0.0001, 0.0, 0.0, true},
                          Case{"accepted, stepwise final fit, code 3", 0.0001, 4.0, 3.0, true},
                          Case{"rejected, plain final fit, code 3", 1e9, 0.0, 0.0, true}}) {
        raiseCode3 = c.code3;
        // y, x1 and x2: the second degree adds three product series.
        auto build = [](Matrix& m) {
            buildStepwiseMatrix(m);
            m.removeSeriesAt(4);
            m.removeSeriesAt(3);
        };
        auto run = [&](Matrix& m) {
            MatrixForecastPolynomialRegression method(12, 13, 2, c.partialF, c.minFIn, c.maxFOut, true, 2, 0.95,
                                                      false, true, false);
            MatrixOpApplyMatrixForecast op(method);
            op.apply(m);
        };
        {
            // What lives once per process is made here, not in the runs below.
            Matrix m;
            build(m);
            run(m);
        }
        std::size_t total = 0;
        {
            Matrix m;
            build(m);
            total = countAllocations([&] { run(m); });
            ASSERT_EQ(QD_POLYNOMIAL_REGRESSION, m.forecastMethodNumber) << c.name;
        }
        ASSERT_GT(total, 0u);
        for (std::size_t k = 1; k <= total; ++k) {
            const std::string where = std::string(c.name) + ", allocation " + std::to_string(k) + " of "
                                      + std::to_string(total);
            Matrix m;
            build(m);
            runFailingAt(k, [&] { run(m); }, where);
            expectConsistent(m, where);
            if (::testing::Test::HasFailure())
                break;
        }
        raiseCode3 = false;
        if (::testing::Test::HasFailure())
            return;
    }
}
