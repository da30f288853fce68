// Simple exponential smoothing with fitted alpha over the 1,428 monthly
// series of the M3 competition (their in-sample parts), each forecast over
// its competition horizon as the automation layer requests it.
//
//   BM_EngineFit   the whole request per series: both arrays marked stale,
//                  the forecast op applied (two fits of alpha, the final
//                  pass, fitted values and forecasts stored, alpha and the
//                  final level stored).
//   BM_PassesOnly  the same searches over plain arrays: the smoothing passes
//                  and their sums of squared errors, nothing else. These
//                  reference passes are a plain copy of the recurrence
//                  written here, not the engine's own passes.
//
// Counters: series per second, objective evaluations per series, and for
// BM_EngineFit the engine's time beyond the reference passes relative to
// them (overhead_vs_passes; below 1 means the engine costs less than the
// smoothing itself). After the runs a summary restates BM_EngineFit's
// counters as reported (the median of the repetitions when there are
// several; the library's runs that choose an iteration count are not
// among them) and says whether the ratio is below 1. The summary is
// printed with the console output format only.
//
// One line per method of the smoothing family (BM_Method/<method>/<data>):
// the whole request per series with the method's automation defaults (the
// competition horizon as the periods), over the monthly series, and for the
// methods without a season also over the "other" series (m3_other.csv next
// to the monthly file). Counters: series per second and the mean symmetric
// MAPE (percent) of the forecasts against the competition's hold-out.
//
// The data file: the argument --m3=PATH (or a plain PATH argument), else
// the environment variable QD_M3_MONTHLY, else
// <source>/../shared/data/m3/m3_monthly.csv. Other arguments go to the
// benchmark library (--benchmark_filter, --benchmark_repetitions, ...).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
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

#include "../M3Data.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "SeriesCompute/Minimizer.h"
#include "SeriesCompute/SeriesForecastAdaptiveExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingBrown.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingHolt.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastMovingAverage.h"
#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingBrown.h"
#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingWinters.h"
#include "SeriesCompute/SeriesForecastWeightedMovingAverage.h"

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

// The "other" series, from the file beside the monthly one.
const std::vector<M3Series>& otherSeries()
{
    static const std::vector<M3Series> data = m3::loadFile(m3::besideFile(g_dataPath, "m3_other.csv"));
    return data;
}

std::vector<Series> makeSeries(const std::vector<M3Series>& data = monthly())
{
    std::vector<Series> out;
    out.reserve(data.size());
    for (const M3Series& m : data) {
        out.emplace_back(static_cast<std::int32_t>(m.values.size()));
        for (double v : m.values)
            out.back().addObservation(v, QD_SUPPLIED, FdCString());
    }
    return out;
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
        const std::size_t n = x_.size();
        double level = x_[0];
        if (backward_) {
            level = x_[n - 1];
            for (std::size_t i = n - 1; i-- > 0;)
                level = (1.0 - a) * level + a * x_[i];
        }
        double sse = (x_[0] - level) * (x_[0] - level);
        for (std::size_t t = 1; t < n; ++t) {
            level = a * x_[t - 1] + (1.0 - a) * level;
            const double e = x_[t] - level;
            sse += e * e;
        }
        return sse;
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

void BM_EngineFit(benchmark::State& state)
{
    const std::int64_t numSeries = static_cast<std::int64_t>(monthly().size());
    std::int64_t evaluations = 0;
    double engineSeconds = 0.0;
    double passSeconds = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<Series> batch = makeSeries();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(runEngine(batch, evaluations));
        const auto middle = std::chrono::steady_clock::now();
        state.PauseTiming();
        std::int64_t passEvaluations = 0;
        benchmark::DoNotOptimize(runPasses(passEvaluations));
        const auto end = std::chrono::steady_clock::now();
        engineSeconds += std::chrono::duration<double>(middle - start).count();
        passSeconds += std::chrono::duration<double>(end - middle).count();
        batch.clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * numSeries);
    state.counters["series_per_second"] =
        benchmark::Counter(double(state.iterations() * numSeries), benchmark::Counter::kIsRate);
    state.counters["evaluations_per_series"] = double(evaluations) / double(state.iterations() * numSeries);
    state.counters["overhead_vs_passes"] = passSeconds > 0.0 ? (engineSeconds - passSeconds) / passSeconds : 0.0;
}
BENCHMARK(BM_EngineFit)->Unit(benchmark::kMillisecond);

void BM_PassesOnly(benchmark::State& state)
{
    const std::int64_t numSeries = static_cast<std::int64_t>(monthly().size());
    std::int64_t evaluations = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(runPasses(evaluations));
    state.SetItemsProcessed(state.iterations() * numSeries);
    state.counters["series_per_second"] =
        benchmark::Counter(double(state.iterations() * numSeries), benchmark::Counter::kIsRate);
    state.counters["evaluations_per_series"] = double(evaluations) / double(state.iterations() * numSeries);
}
BENCHMARK(BM_PassesOnly)->Unit(benchmark::kMillisecond);

// ---- one line per method of the smoothing family ----

using MethodFactory = std::unique_ptr<SeriesForecast> (*)(std::int32_t horizon);

std::unique_ptr<SeriesForecast> makeBrownDouble(std::int32_t h)
{
    return std::make_unique<qd::SeriesForecastDoubleExponentialSmoothingBrown>(0, h, -3.0);
}
std::unique_ptr<SeriesForecast> makeBrownTriple(std::int32_t h)
{
    return std::make_unique<qd::SeriesForecastTripleExponentialSmoothingBrown>(0, h, -3.0);
}
std::unique_ptr<SeriesForecast> makeHolt(std::int32_t h)
{
    return std::make_unique<qd::SeriesForecastDoubleExponentialSmoothingHolt>(0, h, -3.0, -3.0);
}
std::unique_ptr<SeriesForecast> makeAdaptive(std::int32_t h)
{
    return std::make_unique<qd::SeriesForecastAdaptiveExponentialSmoothing>(0, -3.0, h);
}
std::unique_ptr<SeriesForecast> makeHoltWinters(std::int32_t h)
{
    return std::make_unique<qd::SeriesForecastTripleExponentialSmoothingWinters>(0, 12, h, -3.0, -3.0, -3.0, 2);
}
std::unique_ptr<SeriesForecast> makeMovingAverage(std::int32_t h)
{
    return std::make_unique<qd::SeriesForecastMovingAverage>(QD_LAST, QD_ALL, h);
}
std::unique_ptr<SeriesForecast> makeWeightedMovingAverage(std::int32_t h)
{
    return std::make_unique<qd::SeriesForecastWeightedMovingAverage>(QD_LAST, QD_ALL, h);
}

void BM_Method(benchmark::State& state, MethodFactory factory, bool otherData)
{
    const std::vector<M3Series>& data = otherData ? otherSeries() : monthly();
    if (data.empty()) {
        state.SkipWithError("no series");
        return;
    }
    const std::int64_t numSeries = static_cast<std::int64_t>(data.size());
    double smape = 0.0;
    std::int64_t points = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<Series> batch = makeSeries(data);
        state.ResumeTiming();
        for (std::size_t k = 0; k < batch.size(); ++k) {
            const std::unique_ptr<SeriesForecast> method = factory(data[k].horizon);
            batch[k].setDirty(true, true);
            SeriesOpApplySeriesForecast op(*method);
            op.apply(batch[k]);
        }
        state.PauseTiming();
        smape = 0.0;
        points = 0;
        for (std::size_t k = 0; k < batch.size(); ++k) {
            const std::int32_t n = static_cast<std::int32_t>(data[k].values.size());
            for (std::size_t j = 0; j < data[k].holdout.size(); ++j) {
                const std::int32_t index = n + static_cast<std::int32_t>(j);
                if (index >= batch[k].numObservations())
                    break;
                const double f = batch[k].observation(index).storedResults.value(QD_FORECAST);
                const double y = data[k].holdout[j];
                smape += 200.0 * std::fabs(y - f) / (std::fabs(y) + std::fabs(f));
                ++points;
            }
        }
        batch.clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * numSeries);
    state.counters["series_per_second"] =
        benchmark::Counter(double(state.iterations() * numSeries), benchmark::Counter::kIsRate);
    state.counters["smape_percent"] = points > 0 ? smape / double(points) : 0.0;
}
BENCHMARK_CAPTURE(BM_Method, brown_double/monthly, makeBrownDouble, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Method, brown_double/other, makeBrownDouble, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Method, brown_triple/monthly, makeBrownTriple, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Method, brown_triple/other, makeBrownTriple, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Method, holt/monthly, makeHolt, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Method, holt/other, makeHolt, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Method, adaptive/monthly, makeAdaptive, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Method, adaptive/other, makeAdaptive, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Method, holt_winters/monthly, makeHoltWinters, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Method, moving_average/monthly, makeMovingAverage, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Method, moving_average/other, makeMovingAverage, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Method, weighted_moving_average/monthly, makeWeightedMovingAverage, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Method, weighted_moving_average/other, makeWeightedMovingAverage, true)
    ->Unit(benchmark::kMillisecond);

// The library's own display (its --benchmark_format), keeping the
// counters of the runs of BM_EngineFit that it reports.
class SummaryReporter : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context& context) override { return display_->ReportContext(context); }
    void ReportRuns(const std::vector<Run>& reports) override
    {
        for (const Run& run : reports)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred &&
                run.run_name.function_name == "BM_EngineFit")
                engineRuns.push_back(run.counters);
        display_->ReportRuns(reports);
    }
    void Finalize() override { display_->Finalize(); }
    // One counter over the reported runs: its value, or the median of the
    // repetitions.
    double median(const char* name) const
    {
        std::vector<double> v;
        for (const benchmark::UserCounters& c : engineRuns) {
            const auto found = c.find(name);
            if (found != c.end())
                v.push_back(found->second.value);
        }
        if (v.empty())
            return 0.0;
        std::sort(v.begin(), v.end());
        const std::size_t k = v.size() / 2;
        return v.size() % 2 == 1 ? v[k] : (v[k - 1] + v[k]) / 2.0;
    }
    std::vector<benchmark::UserCounters> engineRuns;

private:
    benchmark::BenchmarkReporter* display_ = benchmark::CreateDefaultDisplayReporter();  // not ours to delete
};

// The summary is plain text, for the console format only.
bool consoleFormat(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--benchmark_format=", 19) == 0 && std::strcmp(argv[i] + 19, "console") != 0)
            return false;
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    g_dataPath = m3::monthlyPath(argc, argv);
    const bool console = consoleFormat(argc, argv);  // before the library takes its flags out
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    try {
        std::printf("M3 monthly data: %s (%zu series)\n", g_dataPath.c_str(), monthly().size());
        std::printf("Reference passes (BM_PassesOnly, and the base of overhead_vs_passes): a plain copy of the\n"
                    "smoothing recurrence in this benchmark, not the engine's own passes.\n");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_smoothing: %s\n", e.what());
        return 1;
    }
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (console && !reporter.engineRuns.empty()) {
        const std::size_t runs = reporter.engineRuns.size();
        const double ratio = reporter.median("overhead_vs_passes");
        std::printf("\nBM_EngineFit as reported%s:\n", runs > 1 ? " (median of the repetitions)" : "");
        std::printf("Engine request: %.0f series/s, %.1f objective evaluations per series.\n",
                    reporter.median("series_per_second"), reporter.median("evaluations_per_series"));
        std::printf("Engine overhead beyond the plain reference passes: %.2f x the passes' own cost "
                    "(overhead_vs_passes; goal: below 1): %s\n",
                    ratio, ratio < 1.0 ? "met" : "NOT met");
    }
    return 0;
}
