// Randomized sequences of data-model operations, checked after every step
// against a plain model of what the matrix must hold: the series and their
// observations (values, origins, descriptions, stored results), the
// identities that handles use, the value arrays and the cached statistics.
// Every run is seeded, so a failure names the seed and step that reproduce
// it. Run natively under AddressSanitizer, any use of moved or freed
// storage fails the run as well.
//
// Every failure must be one of the engine's own kinds (MVRBaseException,
// FdBoundsErr / FdInternalErr, std::bad_alloc); anything else, or a failure
// of an operation whose arguments were valid, fails the test.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "Foundation/FdExceptions.h"
#include "Matrix/MVRBaseException.h"
#include "Matrix/Matrix.h"
#include "Matrix/MatrixOpApplyIteratedObservationCompute.h"
#include "Matrix/MatrixOpApplySeriesCompute.h"
#include "Matrix/MatrixOpApplySeriesForecast.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"
#include "Matrix/SeriesOpApplyIteratedObservationCompute.h"
#include "Matrix/SeriesOpApplyIteratedSeriesCompute.h"
#include "Matrix/SeriesOpApplySeriesCompute.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "SeriesCompute/ObservationComputeError.h"
#include "SeriesCompute/ObservationComputeLog.h"
#include "SeriesCompute/SeriesComputeError.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"
#include "SeriesCompute/SeriesStatistics.h"

using namespace qd;

namespace {

// ---- the plain model -------------------------------------------------------

struct RefObservation {
    double value = 0.0;
    std::int32_t origin = 0;
    std::string description;
    std::map<std::int32_t, double> results;
    std::uint64_t id = 0;  // 0: never asked for
};

struct RefSeries {
    std::vector<RefObservation> obs;
    std::string description;
    std::map<std::int32_t, double> singles;                          // 2000-2083
    std::map<std::int32_t, std::vector<std::pair<bool, double>>> multiples;  // 4000-4015
    std::uint64_t id = 0;
    std::int32_t forecastMethod = -1;
};

struct RefTable {
    std::int32_t rows = 0;
    std::int32_t columns = 0;
    std::map<std::int32_t, double> cells;
};

struct RefMatrix {
    std::vector<RefSeries> series;
    std::map<std::int32_t, RefTable> tables;  // 6000-6002
};

std::string text(const FdCString& s)
{
    return std::string(s.data());
}

RefObservation snapshot(const Observation& o)
{
    RefObservation r;
    r.value = o.value;
    r.origin = o.originType;
    r.description = text(o.description);
    for (std::int32_t t = 0; t < ObservationQC::NUM_SLOTS; ++t) {
        double v = 0.0;
        if (o.storedResults.lookup(t, v) == QD_QUANTITY_FOUND)
            r.results[t] = v;
    }
    r.id = o.identity();
    return r;
}

RefSeries snapshot(const Series& s)
{
    RefSeries r;
    for (std::int32_t i = 0; i < s.numObservations(); ++i)
        r.obs.push_back(snapshot(s.observation(i)));
    r.description = text(s.description());
    for (std::int32_t t = SeriesQC::FIRST_SINGLE; t <= SeriesQC::LAST_SINGLE; ++t) {
        double v = 0.0;
        if (s.storedResults.lookup(t, v) == QD_QUANTITY_FOUND)
            r.singles[t] = v;
    }
    for (std::int32_t t = SeriesQC::FIRST_MULTIPLE; t <= SeriesQC::LAST_MULTIPLE; ++t) {
        const QuantitySlots* entry = s.storedResults.multiple(t);
        if (entry == nullptr)
            continue;
        std::vector<std::pair<bool, double>> slots;
        for (std::int32_t k = 0; k < entry->capacity(); ++k) {
            double v = 0.0;
            const bool set = entry->lookup(k, v) == QD_QUANTITY_FOUND;
            slots.emplace_back(set, set ? v : 0.0);
        }
        r.multiples[t] = slots;
    }
    r.id = s.currentIdentity();
    r.forecastMethod = s.forecastMethodNumber;
    return r;
}

bool sameBits(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

// ---- the failure kinds -----------------------------------------------------

enum class Outcome { Ok, Engine, Bounds, Internal, Memory };

const char* name(Outcome o)
{
    switch (o) {
    case Outcome::Ok: return "no failure";
    case Outcome::Engine: return "MVRBaseException";
    case Outcome::Bounds: return "FdBoundsErr";
    case Outcome::Internal: return "FdInternalErr";
    case Outcome::Memory: return "std::bad_alloc";
    }
    return "?";
}

// Runs one operation and classifies how it ended; a foreign exception is
// a test failure of its own.
struct Run {
    Outcome outcome = Outcome::Ok;
    std::int32_t code = 0;
};

Run attempt(const std::function<void()>& op, const std::string& where)
{
    Run r;
    try {
        op();
    } catch (const MVRBaseException& e) {
        r.outcome = Outcome::Engine;
        r.code = e.code;
    } catch (const FdBoundsErr&) {
        r.outcome = Outcome::Bounds;
    } catch (const FdInternalErr&) {
        r.outcome = Outcome::Internal;
    } catch (const std::bad_alloc&) {
        r.outcome = Outcome::Memory;
    } catch (const std::exception& e) {
        ADD_FAILURE() << where << ": foreign exception " << e.what();
    } catch (...) {
        ADD_FAILURE() << where << ": foreign exception of unknown type";
    }
    return r;
}

// ---- the random driver -----------------------------------------------------

class Driver {
public:
    explicit Driver(std::uint32_t seed) : rng_(seed), seed_(seed) {}

    void run(int steps)
    {
        for (step_ = 0; step_ < steps && !::testing::Test::HasFailure(); ++step_) {
            oneStep();
            verify();
        }
    }

private:
    std::string where() const
    {
        return "seed " + std::to_string(seed_) + " step " + std::to_string(step_) + " (" + op_ + ")";
    }

    std::int32_t pick(std::int32_t lo, std::int32_t hi)  // inclusive
    {
        return std::uniform_int_distribution<std::int32_t>(lo, hi)(rng_);
    }
    bool chance(int percent) { return pick(0, 99) < percent; }
    double randomValue()
    {
        switch (pick(0, 9)) {
        case 0: return 0.0;
        case 1: return -static_cast<double>(pick(1, 50));
        default: return static_cast<double>(pick(1, 1000)) / 4.0;
        }
    }
    std::string randomText()
    {
        static const char* const words[] = {"", "a", "Jan", "period 7", "x\xe9y", "long description text"};
        return words[pick(0, 5)];
    }

    // A series index: mostly valid, sometimes one past the end or negative.
    std::int32_t seriesIndex()
    {
        const std::int32_t n = static_cast<std::int32_t>(ref_.series.size());
        if (chance(8))
            return chance(50) ? -1 - pick(0, 2) : n + pick(0, 2);
        return n == 0 ? 0 : pick(0, n - 1);
    }
    std::int32_t observationIndex(std::int32_t count)
    {
        if (chance(10))
            return chance(50) ? -1 : count + pick(0, 2);
        return count == 0 ? 0 : pick(0, count - 1);
    }

    void expectOutcome(const Run& r, Outcome expected, std::int32_t code = 0)
    {
        EXPECT_EQ(name(expected), std::string(name(r.outcome))) << where();
        if (expected == Outcome::Engine && r.outcome == Outcome::Engine && code != 0) {
            EXPECT_EQ(code, r.code) << where();
        }
    }
    // A call that checks its index or range: a start before the first
    // element fails with 3000, an end past the last with 3006. True when it
    // must have succeeded.
    bool expectCheckedOutcome(const Run& r, bool beforeFirst, bool pastLast)
    {
        if (beforeFirst) {
            expectOutcome(r, Outcome::Engine, 3000);
            return false;
        }
        if (pastLast) {
            expectOutcome(r, Outcome::Engine, 3006);
            return false;
        }
        expectOutcome(r, Outcome::Ok);
        return true;
    }
    void expectAllowedFailureOrOk(const Run& r)
    {
        // Memory failures cannot happen with these sizes.
        EXPECT_NE(Outcome::Memory, r.outcome) << where();
    }

    // Grows the model's series list as Matrix::seriesAt does.
    void refGrowTo(std::int32_t j)
    {
        while (static_cast<std::int32_t>(ref_.series.size()) <= j)
            ref_.series.emplace_back();
    }

    // Copies a series as copy construction does: a new series (identity 0),
    // observations keep theirs.
    static RefSeries refCopy(const RefSeries& s)
    {
        RefSeries c = s;
        c.id = 0;
        return c;
    }

    void oneStep()
    {
        const std::int32_t ns = static_cast<std::int32_t>(ref_.series.size());
        const int kind = pick(0, 33);
        switch (kind) {
        case 0:
        case 1:
        case 2: {  // add observations (a burst sometimes, to cross the 64 places)
            op_ = "addObservation";
            std::int32_t j = seriesIndex();
            if (j > 12)
                j = 12;
            const int burst = chance(20) ? pick(20, 90) : 1;
            for (int k = 0; k < burst; ++k) {
                const double v = randomValue();
                const std::string d = randomText();
                const std::int32_t origin = chance(85) ? QD_SUPPLIED : QD_COMPUTED;
                Run r = attempt([&] { m_.addObservation(j, v, origin, FdCString(d.c_str())); }, where());
                if (j < 0) {
                    expectOutcome(r, Outcome::Bounds);
                    break;
                }
                expectOutcome(r, Outcome::Ok);
                refGrowTo(j);
                RefObservation o;
                o.value = v;
                o.origin = origin;
                o.description = d;
                ref_.series[j].obs.push_back(o);
            }
            break;
        }
        case 3: {  // append a copy of one of the matrix's own observations
            op_ = "appendToSeries";
            if (ns == 0)
                break;
            const std::int32_t from = pick(0, ns - 1);
            const std::int32_t count = static_cast<std::int32_t>(ref_.series[from].obs.size());
            if (count == 0)
                break;
            const std::int32_t i = pick(0, count - 1);
            const std::int32_t to = std::min(seriesIndex(), 12);
            Run r = attempt([&] { m_.appendToSeries(to, m_.series(from).observation(i)); }, where());
            if (to < 0) {
                expectOutcome(r, Outcome::Bounds);
                break;
            }
            expectOutcome(r, Outcome::Ok);
            RefObservation o = ref_.series[from].obs[i];
            o.id = 0;
            refGrowTo(to);
            ref_.series[to].obs.push_back(o);
            break;
        }
        case 4: {  // remove one observation
            op_ = "removeObservationAt";
            if (ns == 0)
                break;
            const std::int32_t j = pick(0, ns - 1);
            auto& obs = ref_.series[j].obs;
            const std::int32_t i = observationIndex(static_cast<std::int32_t>(obs.size()));
            Run r = attempt([&] { m_.series(j).removeObservationAt(i); }, where());
            if (expectCheckedOutcome(r, i < 0, i >= static_cast<std::int32_t>(obs.size())))
                obs.erase(obs.begin() + i);
            break;
        }
        case 5: {  // remove one series
            op_ = "removeSeriesAt";
            const std::int32_t j = seriesIndex();
            Run r = attempt([&] { m_.removeSeriesAt(j); }, where());
            if (expectCheckedOutcome(r, j < 0, j >= ns)) {
                if (ref_.series[j].id != 0)
                    dead_.insert(ref_.series[j].id);
                ref_.series.erase(ref_.series.begin() + j);
            }
            break;
        }
        case 6: {  // remove observation i of every series
            op_ = "removeAllObservationsAt";
            std::int32_t shortest = ns == 0 ? 0 : INT32_MAX;
            for (const auto& s : ref_.series)
                shortest = std::min(shortest, static_cast<std::int32_t>(s.obs.size()));
            const std::int32_t first = ns == 0 ? 0 : static_cast<std::int32_t>(ref_.series[0].obs.size());
            const std::int32_t i = chance(70) && shortest > 0 ? pick(0, shortest - 1) : observationIndex(first);
            Run r = attempt([&] { m_.removeAllObservationsAt(i); }, where());
            if (ns == 0)
                expectOutcome(r, Outcome::Bounds);
            else if (expectCheckedOutcome(r, i < 0, i >= shortest)) {
                for (auto& s : ref_.series)
                    s.obs.erase(s.obs.begin() + i);
            }
            break;
        }
        case 7: {  // reshape a series
            op_ = "reshape";
            if (ns == 0)
                break;
            const std::int32_t j = pick(0, ns - 1);
            auto& obs = ref_.series[j].obs;
            const std::int32_t n = chance(10) ? -pick(1, 3) : pick(0, static_cast<std::int32_t>(obs.size()) + 70);
            Run r = attempt([&] { m_.series(j).reshape(n); }, where());
            if (n < 0) {
                expectOutcome(r, Outcome::Engine, 3000);
            } else {
                expectOutcome(r, Outcome::Ok);
                if (n < static_cast<std::int32_t>(obs.size()))
                    obs.resize(static_cast<std::size_t>(n));
            }
            break;
        }
        case 8: {  // reserve places in a series or the matrix
            op_ = "reserve";
            const std::int32_t n = pick(-5, 300);
            if (ns > 0 && chance(50)) {
                const std::int32_t j = pick(0, ns - 1);
                expectOutcome(attempt([&] { m_.series(j).reserve(n); }, where()), Outcome::Ok);
            } else {
                expectOutcome(attempt([&] { m_.reserve(n); }, where()), Outcome::Ok);
            }
            break;
        }
        case 9: {  // copy one of the matrix's own series to its end
            op_ = "addSeries(own series)";
            if (ns == 0 || ns >= 12)
                break;
            const std::int32_t from = pick(0, ns - 1);
            expectOutcome(attempt([&] { m_.addSeries(m_.series(from)); }, where()), Outcome::Ok);
            ref_.series.push_back(refCopy(ref_.series[from]));
            break;
        }
        case 10: {  // replace a series by another of the same matrix
            op_ = "replaceSeriesAt";
            if (ns == 0)
                break;
            const std::int32_t from = pick(0, ns - 1);
            std::int32_t to = seriesIndex();
            if (to > 12)
                to = 12;
            Run r = attempt([&] { m_.replaceSeriesAt(to, m_.series(from)); }, where());
            if (to < 0) {
                expectOutcome(r, Outcome::Engine, 3000);
                break;
            }
            expectOutcome(r, Outcome::Ok);
            const RefSeries source = ref_.series[from];
            refGrowTo(to);
            const std::uint64_t keep = ref_.series[to].id;
            ref_.series[to] = source;
            ref_.series[to].id = keep;
            break;
        }
        case 11: {  // series assignment inside the matrix, self included
            op_ = "series assignment";
            if (ns == 0)
                break;
            const std::int32_t a = pick(0, ns - 1);
            const std::int32_t b = chance(20) ? a : pick(0, ns - 1);
            expectOutcome(attempt([&] { m_.series(a) = m_.series(b); }, where()), Outcome::Ok);
            const RefSeries source = ref_.series[b];
            const std::uint64_t keep = ref_.series[a].id;
            ref_.series[a] = source;
            ref_.series[a].id = keep;
            break;
        }
        case 12: {  // a stand-alone copy is independent of its source
            op_ = "series copy";
            if (ns == 0)
                break;
            const std::int32_t j = pick(0, ns - 1);
            Series copy(m_.series(j));
            EXPECT_EQ(0u, copy.currentIdentity()) << where();
            copy.addObservation(1.0, QD_SUPPLIED);
            if (copy.numObservations() > 1) {
                copy.observation(0).value = -12345.0;
                copy.observation(0).storedResults.store(QD_FORECAST, 7.0);
                copy.setDirty(true, true);
            }
            copy.storedResults.store(QD_MEAN, -1.0);
            copy.values(3);
            // Moving a series keeps its contents and identity.
            const std::uint64_t id = copy.identity();
            Series moved(std::move(copy));
            EXPECT_EQ(id, moved.currentIdentity()) << where();
            EXPECT_EQ(static_cast<std::int32_t>(ref_.series[j].obs.size()) + 1, moved.numObservations()) << where();
            Series target;
            target = std::move(moved);
            EXPECT_EQ(id, target.currentIdentity()) << where();
            EXPECT_EQ(1.0, target.values(0)[target.numObservations() - 1]) << where();
            break;
        }
        case 13: {  // change values in place (callers mark the arrays stale)
            op_ = "set value";
            if (ns == 0)
                break;
            const std::int32_t j = pick(0, ns - 1);
            auto& obs = ref_.series[j].obs;
            if (obs.empty())
                break;
            const std::int32_t i = pick(0, static_cast<std::int32_t>(obs.size()) - 1);
            const double v = randomValue();
            m_.series(j).observation(i).value = v;
            m_.series(j).setDirty(true, true);
            obs[i].value = v;
            break;
        }
        case 14: {  // observation results: store, look up, clear
            op_ = "observation results";
            if (ns == 0)
                break;
            const std::int32_t j = pick(0, ns - 1);
            auto& obs = ref_.series[j].obs;
            if (obs.empty())
                break;
            const std::int32_t i = pick(0, static_cast<std::int32_t>(obs.size()) - 1);
            ObservationQC& qc = m_.series(j).observation(i).storedResults;
            if (chance(15)) {
                qc.clear();
                m_.series(j).valueCache.setForecastsDirty(true);
                obs[i].results.clear();
                break;
            }
            for (int k = pick(1, 4); k > 0; --k) {
                const std::int32_t type = pick(-2, 39);
                const double v = randomValue();
                Run r = attempt([&] { qc.store(type, v); }, where());
                if (type < 0 || type >= ObservationQC::NUM_SLOTS) {
                    expectOutcome(r, Outcome::Engine, 3059);
                } else {
                    expectOutcome(r, Outcome::Ok);
                    obs[i].results[type] = v;
                    if (type == QD_FORECAST)
                        m_.series(j).valueCache.setForecastsDirty(true);
                }
            }
            break;
        }
        case 15: {  // series results, single and multi-valued
            op_ = "series results";
            if (ns == 0)
                break;
            const std::int32_t j = pick(0, ns - 1);
            RefSeries& rs = ref_.series[j];
            SeriesQC& qc = m_.series(j).storedResults;
            for (int k = pick(1, 4); k > 0; --k) {
                const int what = pick(0, 5);
                if (what <= 1) {
                    const std::int32_t type = pick(1995, 2088);
                    const double v = randomValue();
                    Run r = attempt([&] { qc.store(type, v); }, where());
                    if (type < SeriesQC::FIRST_SINGLE || type > SeriesQC::LAST_SINGLE) {
                        expectOutcome(r, Outcome::Engine, 3064);
                    } else {
                        expectOutcome(r, Outcome::Ok);
                        rs.singles[type] = v;
                    }
                } else if (what == 2) {
                    const std::int32_t type = pick(3998, 4017);
                    const std::int32_t n = pick(-1, 12);
                    Run r = attempt([&] { qc.createMultiple(type, n); }, where());
                    if (type < SeriesQC::FIRST_MULTIPLE || type > SeriesQC::LAST_MULTIPLE) {
                        expectOutcome(r, Outcome::Engine, 3063);
                    } else if (n < 0) {
                        expectOutcome(r, Outcome::Engine, 3000);
                    } else {
                        expectOutcome(r, Outcome::Ok);
                        if (n == 0)
                            rs.multiples.erase(type);
                        else
                            rs.multiples[type] = std::vector<std::pair<bool, double>>(static_cast<std::size_t>(n));
                    }
                } else if (what == 3) {
                    const std::int32_t type = pick(4000, 4015);
                    const std::int32_t index = pick(-1, 13);
                    const double v = randomValue();
                    std::int32_t status = -1;
                    Run r = attempt([&] { status = qc.storeMultiple(type, index, v); }, where());
                    expectOutcome(r, Outcome::Ok);
                    auto it = rs.multiples.find(type);
                    const bool fits = it != rs.multiples.end() && index >= 0
                                      && index < static_cast<std::int32_t>(it->second.size());
                    EXPECT_EQ(fits ? QD_QUANTITY_FOUND : QD_QUANTITY_ABSENT, status) << where();
                    if (fits)
                        it->second[static_cast<std::size_t>(index)] = {true, v};
                } else if (what == 4) {
                    const std::int32_t type = chance(50) ? pick(2000, 2083) : pick(4000, 4015);
                    expectOutcome(attempt([&] { qc.removeQuantity(type); }, where()), Outcome::Ok);
                    rs.singles.erase(type);
                    rs.multiples.erase(type);
                } else if (chance(30)) {
                    qc.clear();
                    rs.singles.clear();
                    rs.multiples.clear();
                }
            }
            break;
        }
        case 16: {  // matrix results
            op_ = "matrix results";
            const std::int32_t type = pick(5999, 6003);
            const bool valid = type >= MatrixQC::FIRST_TYPE && type <= MatrixQC::LAST_TYPE;
            if (chance(40)) {
                const std::int32_t rows = pick(-1, 6);
                const std::int32_t columns = pick(-1, 6);
                Run r = attempt([&] { m_.storedResults.createStatisticMatrix(type, rows, columns); }, where());
                if (!valid) {
                    expectOutcome(r, Outcome::Engine, 3061);
                } else if (r.outcome == Outcome::Ok) {
                    if (static_cast<std::int64_t>(rows) * columns == 0) {
                        ref_.tables.erase(type);
                    } else {
                        RefTable t;
                        t.rows = rows;
                        t.columns = columns;
                        ref_.tables[type] = t;
                    }
                } else {
                    // A refused table changes nothing and only a shape
                    // with a non-positive side is refused.
                    expectOutcome(r, Outcome::Engine);
                    EXPECT_TRUE(rows <= 0 || columns <= 0) << where();
                }
            } else if (valid) {
                QuantityMatrix* table = m_.storedResults.statisticMatrix(type);
                auto it = ref_.tables.find(type);
                ASSERT_EQ(it != ref_.tables.end(), table != nullptr) << where();
                if (table == nullptr)
                    break;
                const std::int32_t row = pick(-1, it->second.rows);
                const std::int32_t column = pick(-1, it->second.columns);
                const double v = randomValue();
                Run r = attempt([&] { table->storeAt(row, column, type, v); }, where());
                if (row < 0 || row >= it->second.rows || column < 0 || column >= it->second.columns) {
                    expectOutcome(r, Outcome::Engine, 3042);
                } else {
                    expectOutcome(r, Outcome::Ok);
                    it->second.cells[row * it->second.columns + column] = v;
                }
            }
            break;
        }
        case 17: {  // clear calculations of one series or of the matrix
            op_ = "removeAllCalculations";
            auto clearSeries = [](RefSeries& s) {
                std::vector<RefObservation> kept;
                for (auto& o : s.obs) {
                    if (o.origin == QD_COMPUTED)
                        continue;
                    o.results.clear();
                    kept.push_back(o);
                }
                s.obs = kept;
                s.singles.clear();
                s.multiples.clear();
                s.forecastMethod = -1;
            };
            if (ns > 0 && chance(60)) {
                const std::int32_t j = pick(0, ns - 1);
                expectOutcome(attempt([&] { m_.series(j).removeAllCalculations(); }, where()), Outcome::Ok);
                clearSeries(ref_.series[j]);
            } else {
                expectOutcome(attempt([&] { m_.removeAllCalculations(); }, where()), Outcome::Ok);
                for (auto& s : ref_.series)
                    clearSeries(s);
                ref_.tables.clear();
            }
            break;
        }
        case 18: {  // hand out identities (what automation handles do)
            op_ = "identity";
            if (ns == 0)
                break;
            const std::int32_t j = pick(0, ns - 1);
            const std::uint64_t id = m_.series(j).identity();
            EXPECT_NE(0u, id) << where();
            if (ref_.series[j].id != 0) {
                EXPECT_EQ(ref_.series[j].id, id) << where();
            }
            ref_.series[j].id = id;
            dead_.erase(id);
            auto& obs = ref_.series[j].obs;
            for (int k = pick(0, 3); k > 0 && !obs.empty(); --k) {
                const std::int32_t i = pick(0, static_cast<std::int32_t>(obs.size()) - 1);
                obs[i].id = m_.series(j).observation(i).ensureIdentity();
            }
            break;
        }
        case 19: {  // clear or reset a series' observations
            op_ = "clearObservations";
            if (ns == 0)
                break;
            const std::int32_t j = pick(0, ns - 1);
            if (chance(50)) {
                m_.series(j).clearObservations();
            } else {
                m_.series(j).resetValues();
                ref_.series[j].forecastMethod = -1;
            }
            ref_.series[j].obs.clear();
            break;
        }
        case 20: {  // copy a range of values to another series (itself included)
            op_ = "copyValuesTo";
            if (ns == 0)
                break;
            const std::int32_t from = pick(0, ns - 1);
            const std::int32_t to = chance(30) ? from : pick(0, ns - 1);
            const std::int32_t count = static_cast<std::int32_t>(ref_.series[from].obs.size());
            const std::int32_t first = pick(-2, count + 1);
            const std::int32_t last = pick(first - 1, count + 2);
            if (static_cast<std::int32_t>(ref_.series[to].obs.size()) + (last - first + 1) > 400)
                break;
            Run r = attempt([&] { m_.series(from).copyValuesTo(m_.series(to), first, last); }, where());
            if (first > last) {
                expectOutcome(r, Outcome::Ok);
            } else if (expectCheckedOutcome(r, first < 0, last >= count)) {
                std::vector<double> v;
                for (std::int32_t i = first; i <= last; ++i)
                    v.push_back(ref_.series[from].obs[i].value);
                for (double x : v) {
                    RefObservation o;
                    o.value = x;
                    o.origin = QD_SUPPLIED;
                    ref_.series[to].obs.push_back(o);
                }
            }
            break;
        }
        case 21: {  // arrays with extra places for the caller, then growth
            op_ = "values with extra places";
            if (ns == 0)
                break;
            const std::int32_t j = pick(0, ns - 1);
            Series& s = m_.series(j);
            const std::int32_t extra = pick(-2, 9);
            double* v = chance(50) ? s.values(extra) : s.forecastValues(extra);
            // The extra places are the caller's to write.
            for (std::int32_t k = 0; k < extra; ++k)
                v[s.numObservations() + k] = -777.0;
            if (s.numObservations() > 0 && chance(10)) {
                // A length that cannot be counted in 32 bits.
                expectOutcome(attempt([&] { s.values(INT32_MAX); }, where()), Outcome::Memory);
            }
            break;
        }
        case 22: {  // a statistic through the series applier, over a random range
            op_ = "series statistic";
            if (ns == 0)
                break;
            const std::int32_t j = pick(0, ns - 1);
            statistic(j);
            break;
        }
        case 23: {  // a statistic over every series of the matrix
            op_ = "matrix statistic";
            if (ns == 0)
                break;
            std::int32_t last = pick(-2, 70);
            std::int32_t count = pick(-1, 70);
            SeriesComputeMean mean(last, count);
            MatrixOpApplySeriesCompute applier(mean);
            Run r = attempt([&] { m_.apply(applier); }, where());
            expectAllowedFailureOrOk(r);
            // Series before the first failing one hold the mean of their range.
            bool failedYet = false;
            for (std::int32_t k = 0; k < ns; ++k) {
                RefSeries& rs = ref_.series[k];
                std::int32_t l = last == QD_LAST ? static_cast<std::int32_t>(rs.obs.size()) - 1 : last;
                std::int32_t c = count == QD_ALL ? static_cast<std::int32_t>(rs.obs.size()) : count;
                const bool ok = l >= 0 && c >= 1 && l < static_cast<std::int32_t>(rs.obs.size()) && l - c + 1 >= 0;
                if (!ok || failedYet) {
                    if (!ok && !failedYet) {
                        EXPECT_EQ(Outcome::Engine, r.outcome) << where() << " series " << k;
                        failedYet = true;
                    }
                    continue;
                }
                double sum = 0.0;
                for (std::int32_t i = l - c + 1; i <= l; ++i)
                    sum += rs.obs[i].value;
                rs.singles[QD_MEAN] = sum / c;
            }
            if (!failedYet)
                expectOutcome(r, Outcome::Ok);
            break;
        }
        case 24: {  // exponential smoothing with random arguments
            op_ = "exponential smoothing";
            if (ns == 0)
                break;
            forecast(pick(0, ns - 1));
            break;
        }
        case 25: {  // observation computes over a series or the matrix
            op_ = "observation computes";
            if (ns == 0)
                break;
            const std::int32_t start = chance(20) ? QD_LAST : pick(-1, 40);
            ObservationComputeError error;
            ObservationComputeLog logarithm;
            ObservationCompute& compute = chance(50) ? static_cast<ObservationCompute&>(error)
                                                     : static_cast<ObservationCompute&>(logarithm);
            const std::vector<RefSeries> before = ref_.series;
            Run r;
            if (chance(50)) {
                SeriesOpApplyIteratedObservationCompute applier(compute, start);
                const std::int32_t j = pick(0, ns - 1);
                r = attempt([&] { applier.apply(m_.series(j)); }, where());
            } else {
                MatrixOpApplyIteratedObservationCompute applier(compute, start);
                r = attempt([&] { m_.apply(applier); }, where());
            }
            expectAllowedFailureOrOk(r);
            absorbComputedResults(before);
            break;
        }
        case 26: {  // the whole matrix emptied
            op_ = "removeAll";
            if (!chance(15))
                break;
            for (auto& s : ref_.series)
                if (s.id != 0)
                    dead_.insert(s.id);
            m_.removeAll();
            ref_.series.clear();
            ref_.tables.clear();
            break;
        }
        case 27: {  // remove observations inside a value band
            op_ = "removeMissingValues";
            if (ns == 0)
                break;
            const std::int32_t j = pick(0, ns - 1);
            RefSeries& rs = ref_.series[j];
            const std::int32_t n = static_cast<std::int32_t>(rs.obs.size());
            const std::int32_t last = chance(30) ? QD_LAST : pick(-1, n);
            const std::int32_t count = chance(30) ? QD_ALL : pick(-1, n + 1);
            const double lower = randomValue();
            const double upper = lower + pick(0, 100);
            Run r = attempt([&] { m_.series(j).removeMissingValues(last, count, lower, upper); }, where());
            const std::int32_t l = last == QD_LAST ? n - 1 : last;
            const std::int32_t c = count == QD_ALL ? n : count;
            const bool ok = l >= 0 && c >= 0 && l < n && l - c + 1 >= 0;
            if (!ok) {
                expectOutcome(r, Outcome::Engine);
                break;
            }
            expectOutcome(r, Outcome::Ok);
            std::vector<RefObservation> kept;
            for (std::int32_t i = 0; i < n; ++i) {
                const bool inside = i >= l - c + 1 && i <= l && lower <= rs.obs[i].value && rs.obs[i].value <= upper;
                if (!inside)
                    kept.push_back(rs.obs[i]);
            }
            if (kept.size() != rs.obs.size()) {
                rs.obs = kept;
                rs.singles.clear();
                rs.multiples.clear();
                rs.forecastMethod = -1;
            }
            break;
        }
        case 28: {  // drop trailing zeros
            op_ = "removeTrailingZeros";
            if (ns == 0)
                break;
            const std::int32_t j = pick(0, ns - 1);
            auto& obs = ref_.series[j].obs;
            if (chance(50) && !obs.empty()) {
                // Make some trailing zeros first.
                for (std::int32_t i = static_cast<std::int32_t>(obs.size()) - 1, k = pick(1, 3); i >= 0 && k > 0; --i, --k) {
                    m_.series(j).observation(i).value = 0.0;
                    obs[static_cast<std::size_t>(i)].value = 0.0;
                }
                m_.series(j).setDirty(true, true);
            }
            expectOutcome(attempt([&] { m_.series(j).removeTrailingZeros(); }, where()), Outcome::Ok);
            while (!obs.empty() && obs.back().value == 0.0)
                obs.pop_back();
            break;
        }
        case 29: {  // counting and sign tests over random ranges
            op_ = "counts and signs";
            if (ns == 0)
                break;
            const std::int32_t j = pick(0, ns - 1);
            const auto& obs = ref_.series[j].obs;
            const std::int32_t n = static_cast<std::int32_t>(obs.size());
            const std::int32_t origin = pick(0, 3);
            std::int32_t counted = -1;
            Run r = attempt([&] { counted = m_.series(j).numObservationsByOriginType(origin); }, where());
            if (origin != QD_SUPPLIED && origin != QD_COMPUTED) {
                expectOutcome(r, Outcome::Engine, 3111);
            } else {
                expectOutcome(r, Outcome::Ok);
                std::int32_t k = n - 1;
                while (k >= 0 && obs[static_cast<std::size_t>(k)].origin == QD_COMPUTED)
                    --k;
                EXPECT_EQ(origin == QD_SUPPLIED ? k + 1 : n - k - 1, counted) << where();
            }
            const std::int32_t first = pick(-2, n + 1);
            const std::int32_t last = pick(first - 1, n + 1);
            std::int32_t positives = -1, zeros = -1, negatives = -1;
            bool positive = false;
            r = attempt([&] {
                m_.series(j).countSigns(first, last, positives, zeros, negatives);
                positive = m_.series(j).allPositive(first, last);
            }, where());
            if (first > last) {
                expectOutcome(r, Outcome::Ok);
                EXPECT_EQ(0, positives + zeros + negatives) << where();
                EXPECT_TRUE(positive) << where();
            } else if (expectCheckedOutcome(r, first < 0, last >= n)) {
                std::int32_t p = 0, z = 0, q = 0;
                for (std::int32_t i = first; i <= last; ++i) {
                    const double v = obs[static_cast<std::size_t>(i)].value;
                    p += v > 0.0;
                    z += v == 0.0;
                    q += v < 0.0;
                }
                EXPECT_EQ(p, positives) << where();
                EXPECT_EQ(z, zeros) << where();
                EXPECT_EQ(q, negatives) << where();
                EXPECT_EQ(p == last - first + 1, positive) << where();
            }
            break;
        }
        case 30: {  // values replaced from a working copy
            op_ = "mergeReplacedValues";
            if (ns == 0)
                break;
            const std::int32_t j = pick(0, ns - 1);
            auto& obs = ref_.series[j].obs;
            const std::int32_t n = static_cast<std::int32_t>(obs.size());
            Series working;
            const std::int32_t w = pick(0, std::min(n + 2, 20));
            std::vector<std::pair<std::int32_t, double>> replaced;
            for (std::int32_t i = 0; i < w; ++i) {
                const double v = randomValue();
                working.addObservation(v, QD_SUPPLIED);
                if (chance(40)) {
                    working.observation(i).storedResults.store(QD_MEASUREMENT, 1.0);
                    replaced.emplace_back(i, v);
                }
            }
            const std::int32_t offset = pick(-2, std::max(0, n - w) + 2);
            bool fits = true;
            for (const auto& x : replaced)
                fits = fits && x.first + offset >= 0 && x.first + offset < n;
            Run r = attempt([&] { m_.series(j).mergeReplacedValues(working, offset); }, where());
            if (!fits) {
                expectOutcome(r, Outcome::Bounds);
                break;
            }
            expectOutcome(r, Outcome::Ok);
            for (const auto& x : replaced) {
                RefObservation& o = obs[static_cast<std::size_t>(x.first + offset)];
                o.results[QD_MEASUREMENT] = o.value;
                o.value = x.second;
            }
            break;
        }
        case 31: {  // differences, observation by observation
            op_ = "iterated differences";
            if (ns == 0)
                break;
            const std::int32_t j = pick(0, ns - 1);
            const std::int32_t start = chance(20) ? QD_LAST : pick(-1, static_cast<std::int32_t>(ref_.series[j].obs.size()) + 1);
            SeriesComputeDifference difference(QD_LAST, pick(-1, 5));
            SeriesOpApplyIteratedSeriesCompute applier(difference, start);
            const std::vector<RefSeries> before = ref_.series;
            m_.series(j).setDirty(true, true);
            expectAllowedFailureOrOk(attempt([&] { applier.apply(m_.series(j)); }, where()));
            absorbComputedResults(before);
            break;
        }
        case 32: {  // forecasts capped to a band
            op_ = "rangeForecast";
            if (ns == 0)
                break;
            const double floor = randomValue();
            const double ceiling = floor + pick(0, 200);
            const bool checkHistory = chance(50), periodOnly = chance(50), useCeiling = chance(60), useFloor = chance(60);
            const std::vector<RefSeries> before = ref_.series;
            Run r;
            if (chance(50)) {
                const std::int32_t j = pick(0, ns - 1);
                r = attempt([&] { m_.series(j).rangeForecast(checkHistory, periodOnly, useCeiling, ceiling, useFloor, floor); }, where());
            } else {
                r = attempt([&] { m_.rangeForecast(checkHistory, periodOnly, useCeiling, ceiling, useFloor, floor); }, where());
            }
            expectOutcome(r, Outcome::Ok);
            absorbComputedResults(before);
            break;
        }
        case 33: {  // a forecast over a rectangular matrix only
            op_ = "applyRectangular";
            if (ns == 0)
                break;
            bool rectangular = true;
            for (const auto& rs : ref_.series)
                rectangular = rectangular && rs.obs.size() == ref_.series[0].obs.size();
            SeriesForecastExponentialSmoothing method(0, QD_COMPUTE, pick(0, 3));
            MatrixOpApplySeriesForecast applier(method);
            const std::vector<RefSeries> before = ref_.series;
            m_.setDirty(true, true);
            Run r = attempt([&] { m_.applyRectangular(applier); }, where());
            if (!rectangular) {
                expectOutcome(r, Outcome::Engine, 2000);
            } else {
                expectAllowedFailureOrOk(r);
            }
            absorbComputedResults(before);
            break;
        }
        default:
            break;
        }
    }

    // One statistic of a random kind over a random (possibly invalid) range.
    void statistic(std::int32_t j)
    {
        RefSeries& rs = ref_.series[j];
        const std::int32_t n = static_cast<std::int32_t>(rs.obs.size());
        const std::int32_t last = chance(25) ? QD_LAST : pick(-3, n + 1);
        const std::int32_t count = chance(25) ? QD_ALL : pick(-1, n + 2);
        const std::int32_t l = last == QD_LAST ? n - 1 : last;
        const std::int32_t c = count == QD_ALL ? n : count;
        const int kind = pick(0, 5);
        std::unique_ptr<SeriesCompute> compute;
        std::int32_t minCount = 1;
        switch (kind) {
        case 0: compute.reset(new SeriesComputeMean(last, count)); break;
        case 1: compute.reset(new SeriesComputeMin(last, count)); break;
        case 2: compute.reset(new SeriesComputeMax(last, count)); break;
        case 3: compute.reset(new SeriesComputeSumSquaredDeviation(last, count)); break;
        case 4: compute.reset(new SeriesComputeVariance(last, count)); minCount = 2; break;
        default: compute.reset(new SeriesComputeError(last, count, pick(2008, 2026))); minCount = 0; break;
        }
        SeriesOpApplySeriesCompute applier(*compute);
        Run r = attempt([&] { applier.apply(m_.series(j)); }, where());
        const bool ok = l >= 0 && c >= minCount && l < n && l - c + 1 >= 0;
        if (kind == 5) {
            // Error measures: any code of the engine for a bad range or type;
            // a result is absorbed as the engine computed it.
            expectAllowedFailureOrOk(r);
            if (!ok) {
                EXPECT_NE(Outcome::Ok, r.outcome) << where();
            }
            if (r.outcome == Outcome::Ok) {
                const std::int32_t type = compute->quantityId();
                double v = 0.0;
                ASSERT_EQ(QD_QUANTITY_FOUND, m_.series(j).storedResults.lookup(type, v)) << where();
                rs.singles[type] = v;
            }
            return;
        }
        if (!ok) {
            expectOutcome(r, Outcome::Engine);
            return;
        }
        expectOutcome(r, Outcome::Ok);
        std::vector<double> v;
        for (std::int32_t i = l - c + 1; i <= l; ++i)
            v.push_back(rs.obs[i].value);
        double sum = 0.0;
        for (double x : v)
            sum += x;
        const double mean = sum / c;
        double ssd = 0.0;
        for (double x : v)
            ssd += (x - mean) * (x - mean);
        double expected = 0.0;
        switch (kind) {
        case 0: expected = mean; break;
        case 1: expected = *std::min_element(v.begin(), v.end()); break;
        case 2: expected = *std::max_element(v.begin(), v.end()); break;
        case 3: expected = ssd; break;
        default: expected = ssd / (c - 1); break;
        }
        const std::int32_t type = compute->quantityId();
        double stored = 0.0;
        ASSERT_EQ(QD_QUANTITY_FOUND, m_.series(j).storedResults.lookup(type, stored)) << where();
        EXPECT_NEAR(expected, stored, 1e-9 * (1.0 + std::fabs(expected))) << where() << " statistic " << type;
        rs.singles[type] = stored;
    }

    // Exponential smoothing with random (possibly invalid) arguments, through
    // the series or the matrix applier.
    void forecast(std::int32_t j)
    {
        const std::int32_t n = static_cast<std::int32_t>(ref_.series[j].obs.size());
        const std::int32_t observationNumber = chance(20) ? pick(-2, n + 1) : pick(0, std::max(0, n - 1));
        const double alpha = chance(60) ? static_cast<double>(QD_COMPUTE) : static_cast<double>(pick(-2, 12)) / 10.0;
        const std::int32_t periods = pick(-1, 14);
        const bool zeroDemand = chance(15);
        SeriesForecastExponentialSmoothing method(observationNumber, alpha, periods, zeroDemand, 5.0);
        const std::vector<RefSeries> before = ref_.series;
        Run r;
        if (chance(70)) {
            SeriesOpApplySeriesForecast applier(method);
            r = attempt([&] { applier.apply(m_.series(j)); }, where());
        } else {
            MatrixOpApplySeriesForecast applier(method);
            r = attempt([&] { m_.apply(applier); }, where());
        }
        expectAllowedFailureOrOk(r);
        if (periods < 0 && n > 0) {
            EXPECT_NE(Outcome::Ok, r.outcome) << where();
        }
        absorbComputedResults(before);
    }

    // After a compute that writes results and may append computed
    // observations: what the client supplied must be untouched, only
    // computed observations may be appended; the new results become part
    // of the model.
    void absorbComputedResults(const std::vector<RefSeries>& before)
    {
        ASSERT_EQ(before.size(), static_cast<std::size_t>(m_.numSeries())) << where();
        for (std::int32_t k = 0; k < m_.numSeries(); ++k) {
            const RefSeries& old = before[k];
            const Series& s = m_.series(k);
            ASSERT_GE(s.numObservations(), static_cast<std::int32_t>(old.obs.size())) << where();
            for (std::size_t i = 0; i < old.obs.size(); ++i) {
                const Observation& o = s.observation(static_cast<std::int32_t>(i));
                EXPECT_TRUE(sameBits(old.obs[i].value, o.value)) << where() << " series " << k << " obs " << i;
                EXPECT_EQ(old.obs[i].origin, o.originType) << where();
                EXPECT_EQ(old.obs[i].description, text(o.description)) << where();
                EXPECT_EQ(old.obs[i].id, o.identity()) << where();
            }
            for (std::int32_t i = static_cast<std::int32_t>(old.obs.size()); i < s.numObservations(); ++i)
                EXPECT_EQ(QD_COMPUTED, s.observation(i).originType) << where();
            RefSeries now = snapshot(s);
            now.id = old.id;
            ref_.series[k] = now;
        }
    }

    // The whole matrix against the model.
    void verify()
    {
        const std::int32_t ns = m_.numSeries();
        ASSERT_EQ(static_cast<std::int32_t>(ref_.series.size()), ns) << where();
        for (std::int32_t j = 0; j < ns; ++j) {
            Series& s = m_.series(j);
            const RefSeries& rs = ref_.series[j];
            const std::int32_t n = s.numObservations();
            ASSERT_EQ(static_cast<std::int32_t>(rs.obs.size()), n) << where() << " series " << j;
            ASSERT_GE(static_cast<std::int32_t>(s.capacity()), n) << where();
            for (std::int32_t i = 0; i < n; ++i) {
                const Observation& o = s.observation(i);
                const RefObservation& ro = rs.obs[i];
                ASSERT_TRUE(sameBits(ro.value, o.value)) << where() << " series " << j << " obs " << i;
                ASSERT_EQ(ro.origin, o.originType) << where();
                ASSERT_EQ(ro.description, text(o.description)) << where();
                ASSERT_EQ(static_cast<std::int32_t>(ro.results.size()), o.storedResults.count(-1)) << where();
                for (const auto& q : ro.results) {
                    double v = 0.0;
                    ASSERT_EQ(QD_QUANTITY_FOUND, o.storedResults.lookup(q.first, v)) << where();
                    ASSERT_TRUE(sameBits(q.second, v)) << where();
                }
                if (ro.id != 0) {
                    ASSERT_EQ(i, s.findObservation(ro.id, pick(-1, n))) << where() << " series " << j << " obs " << i;
                }
            }
            // Series results and their walk.
            std::int32_t expectedCount = static_cast<std::int32_t>(rs.singles.size());
            for (const auto& t : rs.singles) {
                double v = 0.0;
                ASSERT_EQ(QD_QUANTITY_FOUND, s.storedResults.lookup(t.first, v)) << where() << " type " << t.first;
                ASSERT_TRUE(sameBits(t.second, v)) << where();
            }
            for (const auto& mtype : rs.multiples) {
                const QuantitySlots* entry = s.storedResults.multiple(mtype.first);
                ASSERT_NE(nullptr, entry) << where();
                ASSERT_EQ(static_cast<std::int32_t>(mtype.second.size()), entry->capacity()) << where();
                for (std::size_t k = 0; k < mtype.second.size(); ++k) {
                    double v = 0.0;
                    const std::int32_t status = s.storedResults.lookupMultiple(mtype.first, static_cast<std::int32_t>(k), v);
                    ASSERT_EQ(mtype.second[k].first ? QD_QUANTITY_FOUND : QD_QUANTITY_ABSENT, status) << where();
                    if (mtype.second[k].first) {
                        ASSERT_TRUE(sameBits(mtype.second[k].second, v)) << where();
                        ++expectedCount;
                    }
                }
            }
            ASSERT_EQ(expectedCount, s.storedResults.count(-1)) << where() << " series " << j;
            std::int32_t walked = 0;
            s.storedResults.restart();
            while (s.storedResults.next() != nullptr && walked <= expectedCount)
                ++walked;
            ASSERT_EQ(expectedCount, walked) << where();
            // Identities: the series' own, and the ones that are gone.
            if (rs.id != 0) {
                ASSERT_EQ(j, m_.findSeries(rs.id, pick(-1, ns))) << where();
            }
            // The value arrays agree with the observations whatever came before.
            if (n > 0 && chance(50)) {
                const double* v = s.values(0);
                for (std::int32_t i = 0; i < n; ++i)
                    ASSERT_TRUE(sameBits(rs.obs[i].value, v[i])) << where() << " series " << j << " values[" << i << "]";
                const double* f = s.forecastValues(0);
                for (std::int32_t i = 0; i < n; ++i) {
                    auto it = rs.obs[i].results.find(QD_FORECAST);
                    const double expected = it != rs.obs[i].results.end() ? it->second : rs.obs[i].value;
                    ASSERT_TRUE(sameBits(expected, f[i])) << where() << " series " << j << " forecasts[" << i << "]";
                }
                // The cached statistics serve the current values only.
                double sum = 0.0;
                for (std::int32_t i = 0; i < n; ++i)
                    sum += rs.obs[i].value;
                const double m = meanOfValues(s, QD_LAST, QD_ALL);
                ASSERT_NEAR(sum / n, m, 1e-9 * (1.0 + std::fabs(sum / n))) << where() << " series " << j;
            }
        }
        for (std::uint64_t id : dead_)
            ASSERT_EQ(-1, m_.findSeries(id, 0)) << where();
        // Matrix results.
        for (std::int32_t type = MatrixQC::FIRST_TYPE; type <= MatrixQC::LAST_TYPE; ++type) {
            const QuantityMatrix* table = m_.storedResults.statisticMatrix(type);
            auto it = ref_.tables.find(type);
            ASSERT_EQ(it != ref_.tables.end(), table != nullptr) << where() << " type " << type;
            if (table == nullptr)
                continue;
            ASSERT_EQ(it->second.rows, table->rows()) << where();
            ASSERT_EQ(it->second.columns, table->columns()) << where();
            ASSERT_EQ(static_cast<std::int32_t>(it->second.cells.size()), table->count(-1)) << where();
            for (const auto& cell : it->second.cells) {
                double v = 0.0;
                ASSERT_EQ(QD_QUANTITY_FOUND, table->lookupAt(cell.first / it->second.columns,
                                                             cell.first % it->second.columns, v))
                    << where();
                ASSERT_TRUE(sameBits(cell.second, v)) << where();
            }
        }
    }

    std::mt19937 rng_;
    std::uint32_t seed_;
    int step_ = 0;
    std::string op_;
    Matrix m_;
    RefMatrix ref_;
    std::set<std::uint64_t> dead_;
};

}  // namespace

// QD_STRESS_SEEDS=first:count runs other seeds (for longer runs by hand).
TEST(DataModelStress, RandomOperationSequencesKeepTheMatrixConsistent)
{
    std::uint32_t first = 1;
    std::uint32_t count = 40;
    if (const char* range = std::getenv("QD_STRESS_SEEDS")) {
        unsigned a = 0, b = 0;
        if (std::sscanf(range, "%u:%u", &a, &b) == 2) {
            first = a;
            count = b;
        }
    }
    for (std::uint32_t seed = first; seed < first + count && !HasFailure(); ++seed) {
        Driver driver(seed);
        driver.run(1000);
    }
}

// Arrays fetched with extra places for a method's forecasts must not hide
// an observation appended afterwards (the cache notices growth).
TEST(DataModelStress, ValuesAfterExtraPlacesShowAppendedObservations)
{
    for (int forecasts = 0; forecasts < 2; ++forecasts) {
        Series s;
        s.addObservation(1.0, QD_SUPPLIED);
        s.addObservation(2.0, QD_SUPPLIED);
        s.addObservation(3.0, QD_SUPPLIED);
        double* v = forecasts ? s.forecastValues(2) : s.values(2);
        v[3] = -1.0;  // the caller's place
        v[4] = -1.0;
        s.addObservation(4.0, QD_SUPPLIED);
        EXPECT_EQ(4.0, s.values(0)[3]);
        EXPECT_EQ(4.0, s.forecastValues(0)[3]);
        EXPECT_DOUBLE_EQ(2.5, meanOfValues(s, QD_LAST, QD_ALL));
    }
}

// A client may rename a stored result in place (the automation layer's
// StatisticX writes the type of an enumerated result without a range
// check). The observation's results must stay walkable and storable.
TEST(DataModelStress, RenamedObservationResultsKeepTheCollectionSound)
{
    struct Case {
        std::int32_t renamedFrom;
        std::int32_t renamedTo;
    };
    const Case cases[] = {{5, 6}, {0, 100}, {36, 32767}, {12, -1}, {20, -300}, {0, 36}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.renamedFrom) + " -> " + std::to_string(c.renamedTo));
        ObservationQC qc;
        for (std::int32_t type = 0; type < ObservationQC::NUM_SLOTS; ++type)
            qc.store(type, type);
        qc.restart();
        for (Quantity* q = qc.next(); q != nullptr; q = qc.next()) {
            if (q->type == c.renamedFrom) {
                q->type = c.renamedTo;
                break;
            }
        }
        // Every type stored again: a full block must still make room.
        for (std::int32_t type = 0; type < ObservationQC::NUM_SLOTS; ++type) {
            EXPECT_EQ(QD_QUANTITY_FOUND, qc.store(type, -type));
            double v = 0.0;
            EXPECT_EQ(QD_QUANTITY_FOUND, qc.lookup(type, v));
            EXPECT_EQ(-type, v);
        }
        // A walk ends, whatever the types.
        qc.restart();
        int walked = 0;
        while (qc.next() != nullptr && walked < 1000)
            ++walked;
        EXPECT_LT(walked, 1000);
        EXPECT_EQ(nullptr, qc.next());  // and stays ended
        // Copies are complete.
        ObservationQC copy(qc);
        EXPECT_EQ(qc.count(-1), copy.count(-1));
        copy.store(3, 3.5);
        EXPECT_EQ(3.5, copy.value(3));
    }
}

// The same for the results of a series: a result renamed to -1 (the empty
// marker) is no longer counted, and storing it again counts it once.
TEST(DataModelStress, SeriesResultRenamedToEmptyIsNotCounted)
{
    SeriesQC qc;
    qc.store(QD_MEAN, 1.0);
    qc.store(QD_VARIANCE, 2.0);
    qc.restart();
    Quantity* q = qc.next();
    ASSERT_NE(nullptr, q);
    const std::int32_t renamed = q->type;
    q->type = -1;
    EXPECT_EQ(1, qc.count(-1));
    qc.store(renamed, 3.0);
    EXPECT_EQ(2, qc.count(-1));
    int walked = 0;
    qc.restart();
    while (qc.next() != nullptr)
        ++walked;
    EXPECT_EQ(2, walked);
}
