// The automatic selection over the M3 competition series: every series,
// with the defaults and again with a computed hold-out, ends with a chosen
// method, forecasts of the requested length and only finite stored values.
// The run prints the chosen methods' counts and the sMAPE of the forecasts
// against the competition's test values.
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ComputeTestSupport.h"
#include "M3TestData.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesForecastSelvane.h"

namespace {

using m3test::allFinite;
using m3test::allSeries;
using m3test::Labelled;

struct RunSummary {
    std::map<std::int32_t, int> methods;
    std::map<std::string, std::pair<double, int>> byFile;  // sMAPE sum and count
    double smapeSum = 0.0;
    int series = 0;
    int failures = 0;
};

// Runs the selection on series `step`-apart and checks each result.
RunSummary runAll(std::size_t step, bool holdOut)
{
    RunSummary summary;
    const std::vector<Labelled>& all = allSeries();
    for (std::size_t k = 0; k < all.size(); k += step) {
        const m3::M3Series& data = all[k].series;
        const std::int32_t n = static_cast<std::int32_t>(data.values.size());
        const std::int32_t h = data.horizon;
        Series s;
        fillSeries(s, data.values);
        SeriesForecastSelvane selvane(0, h, holdOut ? QD_COMPUTE : 2024, QD_OPTIMIZE, 1,
                                      holdOut ? QD_COMPUTE : 0, QD_SELVANE_STANDARD);
        const std::string where = all[k].file + " series " + std::to_string(k);
        try {
            SeriesOpApplySeriesForecast(selvane).apply(s);
        } catch (const MVRBaseException& e) {
            ADD_FAILURE() << where << ": code " << e.code << " at " << pathOf(e) << ":" << e.line;
            ++summary.failures;
            continue;
        }
        ++summary.series;
        ++summary.methods[s.forecastMethodNumber];
        EXPECT_GE(s.forecastMethodNumber, 0) << where;
        EXPECT_EQ(s.numObservations(), n + h) << where;
        bool finite = allFinite(s.storedResults);
        for (std::int32_t i = 0; i < s.numObservations(); ++i) {
            Observation& o = s.observation(i);
            finite = finite && std::isfinite(o.value) && allFinite(o.storedResults);
        }
        EXPECT_TRUE(finite) << where;
        double smape = 0.0;
        for (std::int32_t j = 0; j < h && n + j < s.numObservations(); ++j) {
            const double f = s.observation(n + j).value;
            const double a = data.holdout[static_cast<std::size_t>(j)];
            smape += 200.0 * std::fabs(f - a) / (std::fabs(f) + std::fabs(a));
        }
        summary.smapeSum += smape / h;
        summary.byFile[all[k].file].first += smape / h;
        ++summary.byFile[all[k].file].second;
    }
    return summary;
}

void report(const char* title, const RunSummary& r)
{
    std::printf("%s: %d series, %d failed, sMAPE %.3f\n", title, r.series, r.failures,
                r.series > 0 ? r.smapeSum / r.series : 0.0);
    for (const auto& m : r.methods)
        std::printf("  method %d: %d\n", m.first, m.second);
    for (const auto& f : r.byFile)
        std::printf("  %s: %d series, sMAPE %.3f\n", f.first.c_str(), f.second.second,
                    f.second.first / f.second.second);
}

TEST(M3Selvane, DataIsComplete)
{
    ASSERT_EQ(allSeries().size(), 3003u);
}

// A fixed subset (every 10th series, 301 series) for the sanitizer tree.
TEST(M3Selvane, SubsetDefaultsAndHoldOut)
{
    const RunSummary plain = runAll(10, false);
    report("M3 subset, defaults", plain);
    EXPECT_EQ(plain.failures, 0);
    const RunSummary held = runAll(10, true);
    report("M3 subset, hold-out", held);
    EXPECT_EQ(held.failures, 0);
}

TEST(M3Selvane, AllSeriesDefaultsAndHoldOut)
{
    const RunSummary plain = runAll(1, false);
    report("M3 all series, defaults", plain);
    EXPECT_EQ(plain.series, 3003);
    const RunSummary held = runAll(1, true);
    report("M3 all series, hold-out", held);
    EXPECT_EQ(held.series, 3003);
}

}  // namespace
