// Simple exponential smoothing with fitted alpha over the 1,428 monthly
// series of the M3 competition (their in-sample parts), each forecast over
// its competition horizon as the automation layer requests it.
//
//   BM_EngineFit   the whole request per series: both arrays marked stale,
//                  the forecast op applied (two fits of alpha, the final
//                  pass, fitted values and forecasts stored, alpha and the
//                  final level stored). The floor is measured in the same
//                  iterations: the same searches over plain arrays, the
//                  smoothing passes and their sums of squared errors, and
//                  nothing else. These reference passes are a plain copy of
//                  the recurrence written here, not the engine's own passes.
//   BM_PassesOnly  the floor alone.
//
// Every time is this thread's CPU time. Counters: series per CPU second,
// the engine's cost against the floor (ratio_to_floor; the goal is at most
// 1.5), the cost per series in plain smoothing passes (PassUnit.h),
// objective evaluations and page faults per series, and the peak resident
// size while the benchmark ran. The library repeats each benchmark (5 times
// by default); the summary at the end restates BM_EngineFit's counters as
// the median of the repetitions and takes the verdict from the same median.
// It is printed with the console output format only.
//
// The other forecasting methods have their own benchmark (bench/methods).
//
// The data file: the argument --m3=PATH (or a plain PATH argument), else
// the environment variable QD_M3_MONTHLY, else
// the bundled m3_monthly.csv (QD_M3_DIR). Other arguments go to the
// benchmark library (--benchmark_filter, --benchmark_repetitions, ...).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "../BenchSupport.h"
#include "../M3Batch.h"
#include "../M3Data.h"
#include "../PassUnit.h"
#include "../WorkFloor.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "SeriesCompute/Minimizer.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"

using namespace qd;

namespace {

using m3::M3Series;

// The data file chosen in main().
std::string g_dataPath;

const std::vector<M3Series>& monthly()
{
    static const std::vector<M3Series> data = m3::loadFile(g_dataPath);
    return data;
}

// The engine's method, counting its objective evaluations.
class CountingSmoothing : public SeriesForecastExponentialSmoothing {
public:
    using SeriesForecastExponentialSmoothing::SeriesForecastExponentialSmoothing;
    double evaluate(double x) override
    {
        ++evaluations;
        return SeriesForecastExponentialSmoothing::evaluate(x);
    }
    std::int64_t evaluations = 0;
};

// The same objective over a plain array: one pass of a plain copy of the
// smoothing recurrence and its sum of squared errors, in the given start
// mode.
class PlainObjective : public ObjectiveFunction {
public:
    PlainObjective(const std::vector<double>& x, bool backward) : x_(x), backward_(backward) {}
    double evaluate(double a) override
    {
        ++evaluations;
        return workfloor::simpleSmoothing(x_.data(), static_cast<std::int32_t>(x_.size()), a, backward_);
    }
    std::int64_t evaluations = 0;

private:
    const std::vector<double>& x_;
    bool backward_;
};

double runEngine(std::vector<Series>& batch, std::int64_t& evaluations)
{
    double checksum = 0.0;
    const auto& data = monthly();
    for (std::size_t k = 0; k < batch.size(); ++k) {
        CountingSmoothing method(0, -3.0, data[k].horizon, false, 0.0);
        Series& series = batch[k];
        series.setDirty(true, true);
        SeriesOpApplySeriesForecast op(method);
        op.apply(series);
        evaluations += method.evaluations;
        checksum += series.storedResults.value(QD_ALPHA);
    }
    return checksum;
}

double runPasses(std::int64_t& evaluations)
{
    double checksum = 0.0;
    for (const M3Series& m : monthly()) {
        PlainObjective first(m.values, false);
        PlainObjective backward(m.values, true);
        double a1 = 0.0;
        double a2 = 0.0;
        const double e1 = minimizeOverInterval(first, 0.0, 1.0, 0.01, a1);
        const double e2 = minimizeOverInterval(backward, 0.0, 1.0, 0.01, a2);
        // The final pass of the kept start.
        PlainObjective& kept = e2 > e1 ? first : backward;
        kept.evaluate(e2 > e1 ? a1 : a2);
        evaluations += first.evaluations + backward.evaluations;
        checksum += e2 > e1 ? a1 : a2;
    }
    return checksum;
}

// One plain pass per series over the monthly series, in CPU seconds per
// series (measured once).
double passSeconds()
{
    static const double seconds = passunit::secondsPerSeries(monthly());
    return seconds;
}

void BM_EngineFit(benchmark::State& state)
{
    const std::int64_t numSeries = static_cast<std::int64_t>(monthly().size());
    std::int64_t evaluations = 0;
    double engineSeconds = 0.0;
    double floorSeconds = 0.0;
    long faults = 0;
    benchsupport::resetPeakResident();
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<Series> batch = m3::makeBatch(monthly());
        state.ResumeTiming();
        const long faultsBefore = benchsupport::minorFaults();
        const double start = benchsupport::threadCpuSeconds();
        benchmark::DoNotOptimize(runEngine(batch, evaluations));
        const double middle = benchsupport::threadCpuSeconds();
        faults += benchsupport::minorFaults() - faultsBefore;
        state.PauseTiming();
        std::int64_t passEvaluations = 0;
        benchmark::DoNotOptimize(runPasses(passEvaluations));
        const double end = benchsupport::threadCpuSeconds();
        engineSeconds += middle - start;
        floorSeconds += end - middle;
        batch.clear();
        state.ResumeTiming();
    }
    const double series = double(state.iterations() * numSeries);
    benchsupport::setBatchCounters(state, series, engineSeconds, benchsupport::peakResidentMiB());
    state.counters["floor_series_per_cpu_second"] = floorSeconds > 0.0 ? series / floorSeconds : 0.0;
    state.counters["ratio_to_floor"] = floorSeconds > 0.0 ? engineSeconds / floorSeconds : 0.0;
    state.counters["passes_per_series"] = engineSeconds / series / passSeconds();
    state.counters["evaluations_per_series"] = double(evaluations) / series;
    state.counters["page_faults_per_series"] = double(faults) / series;
}
BENCHMARK(BM_EngineFit)->Unit(benchmark::kMillisecond);

void BM_PassesOnly(benchmark::State& state)
{
    const std::int64_t numSeries = static_cast<std::int64_t>(monthly().size());
    std::int64_t evaluations = 0;
    double seconds = 0.0;
    for (auto _ : state) {
        const double start = benchsupport::threadCpuSeconds();
        benchmark::DoNotOptimize(runPasses(evaluations));
        seconds += benchsupport::threadCpuSeconds() - start;
    }
    const double series = double(state.iterations() * numSeries);
    state.counters["series_per_cpu_second"] = seconds > 0.0 ? series / seconds : 0.0;
    state.counters["passes_per_series"] = seconds / series / passSeconds();
    state.counters["evaluations_per_series"] = double(evaluations) / series;
}
BENCHMARK(BM_PassesOnly)->Unit(benchmark::kMillisecond);

// The summary: BM_EngineFit's medians, and the verdict from them.
void printSummary(const benchsupport::MedianReporter& reporter)
{
    const std::string name = "BM_EngineFit";
    if (!reporter.has(name))
        return;
    const double ratio = reporter.median(name, "ratio_to_floor");
    std::printf("\nBM_EngineFit, median of %lld repetitions:\n", static_cast<long long>(reporter.repetitions(name)));
    std::printf("Engine request: %.0f series per CPU second; floor %.0f; %.1f objective evaluations per series.\n",
                reporter.median(name, "series_per_cpu_second"),
                reporter.median(name, "floor_series_per_cpu_second"),
                reporter.median(name, "evaluations_per_series"));
    std::printf("Cost per series: %.1f plain smoothing passes; %.1f page faults; peak resident size %.1f MiB.\n",
                reporter.median(name, "passes_per_series"), reporter.median(name, "page_faults_per_series"),
                reporter.median(name, "peak_rss_MiB"));
    std::printf("Engine against the floor: %.2f x (ratio_to_floor; goal: at most 1.5): %s\n", ratio,
                ratio <= 1.5 ? "met" : "NOT met");
}

}  // namespace

int main(int argc, char** argv)
{
    g_dataPath = m3::monthlyPath(argc, argv);
    return benchsupport::runMain(
        argc, argv, "bench_smoothing",
        [] {
            std::printf("M3 monthly data: %s (%zu series)\n", g_dataPath.c_str(), monthly().size());
            std::printf("Floor (BM_PassesOnly, and the base of ratio_to_floor): the same searches over a plain copy\n"
                        "of the smoothing recurrence in this benchmark, not the engine's own passes.\n");
            std::printf("One plain smoothing pass: %.3f us per monthly series.\n", passSeconds() * 1e6);
        },
        printSummary);
}
