// The automatic selection over the M3 competition series: every series,
// with the defaults and with a computed hold-out (and in the subset also
// with the recommended settings: the data's season length, hold-out and
// error measure computed; bench/accuracy runs them on every series), ends
// with a chosen method, forecasts of the requested length and only finite
// stored values. The run prints the chosen methods' counts and the
// competition's sMAPE of the forecasts against its test values (M3Smape.h:
// signed denominator, every forecast of horizons 1 to h pooled).
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ComputeTestSupport.h"
#include "M3Smape.h"
#include "M3TestData.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesForecastSelvane.h"

namespace {

using m3test::allFinite;
using m3test::allSeries;
using m3test::Labelled;

struct RunSummary {
    std::map<std::int32_t, int> methods;
    m3::SmapeTally smape;
    int series = 0;
    int failures = 0;
};

// The selection's settings: its automation defaults; the hold-out and error
// measure computed; those and the data's season length.
enum class Settings { Defaults, HoldOut, Recommended };

// Runs the selection on series `step`-apart and checks each result.
RunSummary runAll(std::size_t step, Settings settings)
{
    RunSummary summary;
    const std::vector<Labelled>& all = allSeries();
    for (std::size_t k = 0; k < all.size(); k += step) {
        const m3::M3Series& data = all[k].series;
        const std::int32_t n = static_cast<std::int32_t>(data.values.size());
        const std::int32_t h = data.horizon;
        Series s;
        fillSeries(s, data.values);
        const bool holdOut = settings != Settings::Defaults;
        const std::int32_t seasonal = settings != Settings::Recommended ? std::int32_t(QD_OPTIMIZE)
                                      : data.period > 1                  ? data.period
                                                                         : std::int32_t(QD_NON_SEASONAL);
        SeriesForecastSelvane selvane(0, h, holdOut ? QD_COMPUTE : 2024, seasonal, 1, holdOut ? QD_COMPUTE : 0,
                                      QD_SELVANE_STANDARD);
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
        std::vector<double> forecasts;
        for (std::int32_t j = 0; j < h && n + j < s.numObservations(); ++j)
            forecasts.push_back(s.observation(n + j).value);
        summary.smape.add(data.category, data.holdout, forecasts);
    }
    return summary;
}

void report(const char* title, const RunSummary& r)
{
    std::printf("%s: %d series, %d failed, sMAPE %.2f (yearly %.2f, quarterly %.2f, monthly %.2f, other %.2f)\n",
                title, r.series, r.failures, r.smape.pooled(""), r.smape.pooled("yearly"),
                r.smape.pooled("quarterly"), r.smape.pooled("monthly"), r.smape.pooled("other"));
    for (const auto& m : r.methods)
        std::printf("  method %d: %d\n", m.first, m.second);
}

TEST(M3Selvane, DataIsComplete)
{
    ASSERT_EQ(allSeries().size(), 3003u);
}

// A fixed subset (every 10th series, 301 series) for the sanitizer tree.
TEST(M3Selvane, SubsetDefaultsAndHoldOut)
{
    const RunSummary plain = runAll(10, Settings::Defaults);
    report("M3 subset, defaults", plain);
    EXPECT_EQ(plain.failures, 0);
    const RunSummary held = runAll(10, Settings::HoldOut);
    report("M3 subset, hold-out", held);
    EXPECT_EQ(held.failures, 0);
    const RunSummary recommended = runAll(10, Settings::Recommended);
    report("M3 subset, recommended settings", recommended);
    EXPECT_EQ(recommended.failures, 0);
}

TEST(M3Selvane, AllSeriesDefaultsAndHoldOut)
{
    const RunSummary plain = runAll(1, Settings::Defaults);
    report("M3 all series, defaults", plain);
    EXPECT_EQ(plain.series, 3003);
    const RunSummary held = runAll(1, Settings::HoldOut);
    report("M3 all series, hold-out", held);
    EXPECT_EQ(held.series, 3003);
}

}  // namespace
