// The automatic method selection with its automation defaults (origin 0,
// the competition horizon as the periods, sum of squared errors, seasonal
// length optimised, outliers replaced, no hold-out) over the M3 series.
//
//   BM_SelvaneAll          every one of the 3,003 series per iteration;
//                          counter series_per_cpu_second.
//   BM_SelvaneFirst/<n>    the first n series of a fixed shuffle of the
//                          whole set (every prefix holds about the same
//                          mix), n from 375 to 3,003; counter
//                          us_per_series, and for n = 3,003 the time taken
//                          when 375, 750 and 1,500 series were done. The
//                          summary compares each prefix run with its own
//                          series inside the whole run: the cost is linear
//                          in n when they agree (within 10%: the repetitions of
//                          one run differ by up to 5% on a shared machine).
//   BM_SelvaneHoldOut      every series with the computed hold-out and
//                          error type.
//
// Times are this thread's CPU time; the library repeats each benchmark (5
// times by default) and the summary gives the medians, its verdict taken
// from the same medians, with the peak resident size.
//
// The data folder: the argument --m3=PATH to the monthly file (or a plain
// PATH argument), else QD_M3_MONTHLY, else
// the bundled m3_monthly.csv (QD_M3_DIR); the other files are read from
// its folder.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <map>
#include <random>
#include <utility>
#include <string>
#include <vector>

#include "../BenchSupport.h"
#include "../M3Data.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "SeriesCompute/SeriesForecastSelvane.h"

using namespace qd;

namespace {

std::string g_monthlyPath;

// All series, in a fixed shuffled order.
const std::vector<m3::M3Series>& allSeries()
{
    static const std::vector<m3::M3Series> all = [] {
        std::vector<std::vector<m3::M3Series>> files;
        for (const char* name : {"m3_yearly.csv", "m3_quarterly.csv", "m3_monthly.csv", "m3_other.csv"})
            files.push_back(m3::loadFile(m3::besideFile(g_monthlyPath, name)));
        // A fixed shuffle: every prefix holds the files, the categories and
        // the series lengths in about their shares of the whole set.
        std::vector<m3::M3Series> out;
        for (const auto& f : files)
            out.insert(out.end(), f.begin(), f.end());
        std::mt19937 generator(20261210u);
        for (std::size_t i = out.size(); i > 1; --i) {
            const std::size_t j = static_cast<std::size_t>(generator() % i);
            std::swap(out[i - 1], out[j]);
        }
        return out;
    }();
    return all;
}

// One request as the automation layer makes it.
void selectOne(const m3::M3Series& data, bool holdOut)
{
    Series s;
    for (double v : data.values)
        s.addObservation(v, QD_SUPPLIED, FdCString());
    SeriesForecastSelvane selvane(0, data.horizon, holdOut ? QD_COMPUTE : 2024, QD_OPTIMIZE, 1,
                                  holdOut ? QD_COMPUTE : 0, QD_SELVANE_STANDARD);
    s.setDirty(true, true);
    SeriesOpApplySeriesForecast(selvane).apply(s);
    benchmark::DoNotOptimize(s.numObservations());
}

void runFirst(benchmark::State& state, std::size_t n, bool holdOut)
{
    const std::vector<m3::M3Series>& all = allSeries();
    if (n > all.size())
        n = all.size();
    double seconds = 0.0;
    // The time the run had taken when it had done the first 375, 750 and
    // 1,500 series (the last iteration's).
    std::map<std::size_t, double> reached;
    benchsupport::resetPeakResident();
    for (auto _ : state) {
        const double start = benchsupport::threadCpuSeconds();
        for (std::size_t k = 0; k < n; ++k) {
            selectOne(all[k], holdOut);
            if (k + 1 == 375 || k + 1 == 750 || k + 1 == 1500)
                reached[k + 1] = benchsupport::threadCpuSeconds() - start;
        }
        seconds += benchsupport::threadCpuSeconds() - start;
    }
    for (const auto& r : reached)
        state.counters["ms_at_" + std::to_string(r.first)] = 1e3 * r.second;
    const double series = double(state.iterations()) * double(n);
    benchsupport::setBatchCounters(state, series, seconds, benchsupport::peakResidentMiB());
    state.counters["us_per_series"] = series > 0.0 ? 1e6 * seconds / series : 0.0;
    state.SetComplexityN(static_cast<std::int64_t>(n));
}

void BM_SelvaneAll(benchmark::State& state)
{
    runFirst(state, allSeries().size(), false);
}
BENCHMARK(BM_SelvaneAll)->Unit(benchmark::kSecond)->Iterations(1);

void BM_SelvaneFirst(benchmark::State& state)
{
    runFirst(state, static_cast<std::size_t>(state.range(0)), false);
}
BENCHMARK(BM_SelvaneFirst)->Arg(375)->Arg(750)->Arg(1500)->Arg(3003)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_SelvaneHoldOut(benchmark::State& state)
{
    runFirst(state, allSeries().size(), true);
}
BENCHMARK(BM_SelvaneHoldOut)->Unit(benchmark::kSecond)->Iterations(1);

// The summary: the medians of the repetitions, and the verdicts from them.
void printSummary(const benchsupport::MedianReporter& reporter)
{
    std::printf("\nMedians of the repetitions (CPU time of this thread):\n");
    for (const char* name : {"BM_SelvaneAll", "BM_SelvaneHoldOut"})
        if (reporter.has(name))
            std::printf("%s: %.0f series per second, peak resident size %.1f MiB\n", name,
                        reporter.median(name, "series_per_cpu_second"), reporter.median(name, "peak_rss_MiB"));
    // Each prefix run against the same series inside the whole run: a
    // cost linear in the number of series makes them equal (the mix of
    // the prefix does not matter, being the same series on both sides).
    const std::string whole = "BM_SelvaneFirst/3003";
    if (reporter.has(whole)) {
        double worst = 0.0;
        std::printf("Cost against the number of series (each prefix run alone, and the same series within the\n"
                    "run over all 3,003):\n");
        for (const char* n : {"375", "750", "1500", "3003"}) {
            const std::string name = std::string("BM_SelvaneFirst/") + n;
            const double alone = reporter.median(name, "us_per_series") * std::atof(n) / 1000.0;
            const double within = std::string(n) == "3003" ? alone
                                                           : reporter.median(whole, std::string("ms_at_") + n);
            const double relative = within > 0.0 ? alone / within : 0.0;
            worst = std::max(worst, std::fabs(relative - 1.0));
            std::printf("  n = %4s: %8.1f ms alone, %8.1f ms within, %.3f; %7.1f us per series\n", n, alone,
                        within, relative, reporter.median(name, "us_per_series"));
        }
        std::printf("Linear in the number of series (every prefix within 10%% of its share of the whole run): %s "
                    "(largest difference %.1f%%)\n",
                    worst <= 0.10 ? "yes" : "NO", 100.0 * worst);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    g_monthlyPath = m3::monthlyPath(argc, argv);
    return benchsupport::runMain(
        argc, argv, "bench_selvane",
        [] { std::printf("M3 data beside %s: %zu series\n", g_monthlyPath.c_str(), allSeries().size()); },
        printSummary);
}
