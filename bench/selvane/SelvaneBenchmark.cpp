// The automatic method selection with its automation defaults (origin 0,
// the competition horizon as the periods, sum of squared errors, seasonal
// length optimised, outliers replaced, no hold-out) over the M3 series.
//
//   BM_SelvaneAll          every one of the 3,003 series per iteration;
//                          counter series_per_second.
//   BM_SelvaneFirst/<n>    the first n series of a fixed shuffle of the
//                          whole set (every prefix holds about the same
//                          mix); the fitted complexity shows the cost
//                          linear in n.
//   BM_SelvaneHoldOut      every series with the computed hold-out and
//                          error type.
//
// The data folder: the argument --m3=PATH to the monthly file (or a plain
// PATH argument), else QD_M3_MONTHLY, else
// <source>/../shared/data/m3/m3_monthly.csv; the other files are read from
// its folder.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <utility>
#include <string>
#include <vector>

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
    for (auto _ : state)
        for (std::size_t k = 0; k < n; ++k)
            selectOne(all[k], holdOut);
    state.counters["series_per_second"] =
        benchmark::Counter(static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate);
    state.SetComplexityN(static_cast<std::int64_t>(n));
}

void BM_SelvaneAll(benchmark::State& state)
{
    runFirst(state, allSeries().size(), false);
}
BENCHMARK(BM_SelvaneAll)->Unit(benchmark::kSecond)->MinTime(1.0);

void BM_SelvaneFirst(benchmark::State& state)
{
    runFirst(state, static_cast<std::size_t>(state.range(0)), false);
}
BENCHMARK(BM_SelvaneFirst)->Arg(375)->Arg(750)->Arg(1500)->Arg(3000)->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_SelvaneHoldOut(benchmark::State& state)
{
    runFirst(state, allSeries().size(), true);
}
BENCHMARK(BM_SelvaneHoldOut)->Unit(benchmark::kSecond)->MinTime(1.0);

}  // namespace

int main(int argc, char** argv)
{
    g_monthlyPath = m3::monthlyPath(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    try {
        std::printf("M3 data beside %s: %zu series\n", g_monthlyPath.c_str(), allSeries().size());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_selvane: %s\n", e.what());
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
