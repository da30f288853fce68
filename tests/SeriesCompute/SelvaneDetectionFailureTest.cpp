// The automatic selection when its seasonal-length detection fails. This
// executable supplies its own detectSeasonalLength, which fails the way the
// test asks (the library's own is then not linked in), so every kind of
// failure can be tried: any failure counts as "not seasonal", except
// running out of memory, which ends the call.
#include <cmath>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ComputeTestSupport.h"
#include "SeriesCompute/SeriesForecastSelvane.h"
#include "SeriesCompute/SeasonalLengthDetection.h"

namespace {

enum class Failure { foreign, engine, outOfMemory, outOfMemoryCode };
Failure failure = Failure::foreign;
int detections = 0;

}  // namespace

namespace qd {

std::int32_t detectSeasonalLength(Series&, std::int32_t, double, double, std::int32_t*, double)
{
    ++detections;
    switch (failure) {
    case Failure::foreign:
        throw std::runtime_error("a failure foreign to the engine");
    case Failure::engine:
        qdThrow("tests", 1, ErrorCode::DataSetTooSmall);
    case Failure::outOfMemory:
        throw std::bad_alloc();
    case Failure::outOfMemoryCode:
        qdThrow("tests", 1, ErrorCode::OutOfMemory);
    }
    return QD_SEASONALITY_NONE;
}

}  // namespace qd

namespace {

// A monthly pattern with a mild trend.
Series seasonalSeries()
{
    static const double pattern[12] = {80, 85, 100, 120, 140, 160, 170, 165, 140, 115, 95, 85};
    Series s;
    std::vector<double> v;
    for (int i = 0; i < 48; ++i)
        v.push_back(pattern[i % 12] + 0.5 * i);
    fillSeries(s, v);
    return s;
}

TEST(SelvaneDetectionFailure, CountsAsNotSeasonalUnlessMemoryRanOut)
{
    struct Case {
        const char* what;
        Failure kind;
        std::int32_t seasonalType;
        std::int32_t code;  // 0: selection succeeds without a seasonal candidate; 3: out of memory
    } cases[] = {
        {"foreign failure, optimised", Failure::foreign, QD_OPTIMIZE, 0},
        {"engine failure, optimised", Failure::engine, QD_OPTIMIZE, 0},
        {"foreign failure, every candidate", Failure::foreign, QD_OPTIMIZE_ALL, 0},
        {"foreign failure, seasonal required", Failure::foreign, QD_SEASONAL, 3039},
        {"engine failure, seasonal required", Failure::engine, QD_SEASONAL, 3039},
        {"allocation failure", Failure::outOfMemory, QD_OPTIMIZE, 3},
        {"out-of-memory code", Failure::outOfMemoryCode, QD_OPTIMIZE, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        failure = c.kind;
        detections = 0;
        Series s = seasonalSeries();
        SeriesForecastSelvane selvane(0, 2, 2024, c.seasonalType, 0, 0, QD_SELVANE_STANDARD);
        SeriesOpApplySeriesForecast applier(selvane);
        std::int32_t code = 0;
        try {
            applier.apply(s);
        } catch (const MVRBaseException& e) {
            code = e.code;
        } catch (const std::bad_alloc&) {
            code = 3;
        } catch (...) {
            code = -1;  // the foreign failure escaped
        }
        EXPECT_EQ(detections, 1);
        EXPECT_EQ(code, c.code);
        if (c.code == 0) {
            EXPECT_EQ(s.numObservations(), 50);
            EXPECT_GT(s.forecastMethodNumber, 0);
            EXPECT_NE(s.forecastMethodNumber, QD_HOLT_WINTERS);
            for (std::int32_t i = 0; i < selvane.candidateCount; ++i)
                EXPECT_NE(selvane.candidates[i].method, QD_HOLT_WINTERS) << i;
        } else {
            EXPECT_EQ(s.numObservations(), 48);
        }
    }
}

}  // namespace
