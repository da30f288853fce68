// Every forecasting method over the M3 series of its kind (the in-sample
// parts), each series forecast over its competition horizon with the
// method's automation defaults, as the automation layer requests it: both
// value arrays marked stale, the forecast op applied.
//
// One benchmark per method and data set (BM_Method/<method>/<data>), over
// every series of the set per iteration. Counters, all from this thread's
// CPU time:
//   series_per_cpu_second
//   passes_per_series  the cost per series as a multiple of one plain
//                      smoothing pass over the same series (PassUnit.h)
//   failed_share       the share of series the method refused (a series too
//                      short for a season, for instance)
//   smape_percent      the competition's sMAPE of the forecasts against its
//                      hold-out, every forecast pooled (M3Smape.h)
//   peak_rss_MiB       the process's peak resident size while it ran
//   work_per_series    the pieces of work the method's algorithm did per
//                      series, as the engine of the bench tree tells them
//                      (SeriesCompute/WorkCount.h): objective evaluations
//                      and passes, regressions, correlograms, simulations;
//                      n_<kind> the same by kind
//   ratio_to_floor     the engine's CPU time over the floor's: the floor
//                      redoes the recorded work with plain copies of its
//                      arithmetic (../WorkFloor.h), measured in the same
//                      iterations (none for the direct methods, which fit
//                      nothing)
//   floor_series_per_cpu_second
// The library repeats each benchmark (5 times by default); the table at the
// end gives each line's medians.
//
// The data: --m3=PATH to the monthly file (or a plain PATH argument), else
// QD_M3_MONTHLY, else the bundled m3_monthly.csv (QD_M3_DIR); the
// yearly, quarterly and other files are read from its folder. Other
// arguments go to the benchmark library (--benchmark_filter=holt, ...).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "../BenchSupport.h"
#include "../M3Batch.h"
#include "../M3Data.h"
#include "../M3Smape.h"
#include "../PassUnit.h"
#include "../WorkFloor.h"
#include "MethodLines.h"
#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"

using namespace qd;
using qd::WorkKind;

namespace {

using m3::M3Series;
using namespace methodlines;

// One plain pass per series of a set, in CPU seconds (measured once).
double passSeconds(const std::string& kind)
{
    static std::map<std::string, double> measured;
    auto found = measured.find(kind);
    if (found == measured.end())
        found = measured.emplace(kind, passunit::secondsPerSeries(dataSet(kind))).first;
    return found->second;
}

const char* kindName(WorkKind kind)
{
    static const char* const names[] = {"ses",  "brown2",  "brown3",  "adaptive", "holt",    "winters", "curve",
                                        "arma", "boxcox",  "acf",     "pacf",     "croston", "simulation"};
    return names[static_cast<int>(kind)];
}

// The sum of the forecasts' sMAPE terms against the hold-out; points counted.
double smapeSum(const std::vector<M3Series>& data, std::vector<Series>& batch, std::int64_t& points)
{
    double sum = 0.0;
    for (std::size_t k = 0; k < batch.size(); ++k) {
        const std::int32_t n = static_cast<std::int32_t>(data[k].values.size());
        for (std::size_t j = 0; j < data[k].holdout.size(); ++j) {
            const std::int32_t index = n + static_cast<std::int32_t>(j);
            if (index >= batch[k].numObservations())
                break;
            double f = 0.0;
            if (batch[k].observation(index).storedResults.lookup(QD_FORECAST, f) != QD_QUANTITY_FOUND)
                break;
            const double y = data[k].holdout[j];
            if (std::isfinite(f) && y + f != 0.0) {
                sum += m3::smape(y, f);
                ++points;
            }
        }
    }
    return sum;
}

// Series per chunk: the engine runs over a chunk, then (untimed) the same
// chunk again with the work recorder listening, then the floor redoes the
// recorded work. The chunk keeps the recorder's memory small.
const std::size_t kChunk = 32;

void runMethod(benchmark::State& state, const MethodLine& line)
{
    const std::vector<M3Series>& data = dataSet(line.kind);
    if (data.empty()) {
        state.SkipWithError("no series");
        return;
    }
    const double unit = passSeconds(line.kind);
    double seconds = 0.0;
    double floorSeconds = 0.0;
    std::int64_t failures = 0;
    std::int64_t work = 0;
    std::int64_t perKind[static_cast<int>(WorkKind::Count)] = {};
    double smape = 0.0;
    std::int64_t points = 0;
    double sink = 0.0;
    benchsupport::resetPeakResident();
    const auto apply = [&line, &data](Series& series, std::size_t k) {
        const std::unique_ptr<SeriesForecast> method = line.make(data[k]);
        series.setDirty(true, true);
        SeriesOpApplySeriesForecast op(*method);
        try {
            op.apply(series);
        } catch (const MVRBaseException&) {
            return false;
        } catch (const std::exception&) {
            return false;
        }
        return true;
    };
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<Series> batch = m3::makeBatch(data);
        state.ResumeTiming();
        for (std::size_t from = 0; from < batch.size(); from += kChunk) {
            const std::size_t to = std::min(batch.size(), from + kChunk);
            workfloor::WorkRecorder recorder;
            // A method that draws random numbers does other work on every
            // run: its work is recorded on the timed run itself.
            const bool countAgain = line.floor && !line.random;
            if (!line.random)
                qd::workListener() = nullptr;
            const double start = benchsupport::threadCpuSeconds();
            for (std::size_t k = from; k < to; ++k)
                if (!apply(batch[k], k))
                    ++failures;
            seconds += benchsupport::threadCpuSeconds() - start;
            state.PauseTiming();
            if (countAgain) {
                qd::workListener() = &recorder;
                std::vector<Series> again = m3::makeBatch(std::vector<M3Series>(data.begin() + from, data.begin() + to));
                for (std::size_t k = from; k < to; ++k)
                    apply(again[k - from], k);
            }
            const double floorStart = benchsupport::threadCpuSeconds();
            sink += workfloor::replayFloor(recorder);
            floorSeconds += benchsupport::threadCpuSeconds() - floorStart;
            work += static_cast<std::int64_t>(recorder.items.size());
            for (int kind = 0; kind < static_cast<int>(WorkKind::Count); ++kind)
                perKind[kind] += recorder.perKind[kind];
            state.ResumeTiming();
        }
        state.PauseTiming();
        smape += smapeSum(data, batch, points);
        batch.clear();
        state.ResumeTiming();
    }
    benchmark::DoNotOptimize(sink);
    const double series = double(state.iterations()) * double(data.size());
    benchsupport::setBatchCounters(state, series, seconds, benchsupport::peakResidentMiB());
    state.counters["passes_per_series"] = unit > 0.0 ? seconds / series / unit : 0.0;
    state.counters["failed_share"] = double(failures) / series;
    state.counters["smape_percent"] = points > 0 ? smape / double(points) : 0.0;
    state.counters["work_per_series"] = double(work) / series;
    state.counters["ratio_to_floor"] = work > 0 && floorSeconds > 0.0 ? seconds / floorSeconds : 0.0;
    state.counters["floor_series_per_cpu_second"] = floorSeconds > 0.0 ? series / floorSeconds : 0.0;
    for (int kind = 0; kind < static_cast<int>(WorkKind::Count); ++kind)
        if (perKind[kind] > 0)
            state.counters[std::string("n_") + kindName(static_cast<WorkKind>(kind))] = double(perKind[kind]) / series;
}

// The summary: every line's medians.
void printSummary(const benchsupport::MedianReporter& reporter)
{
    std::printf("\nMedians of the repetitions (CPU time of this thread):\n");
    std::printf("| method | data | series/s | passes per series | work per series | against the floor | failed | "
                "sMAPE %% | peak RSS MiB |\n");
    std::printf("|---|---|---:|---:|---:|---:|---:|---:|---:|\n");
    for (const std::string& name : reporter.names()) {
        const std::size_t first = name.find('/');
        const std::size_t second = name.find('/', first + 1);
        const double ratio = reporter.median(name, "ratio_to_floor");
        char ratioText[32] = "-";
        if (ratio > 0.0)
            std::snprintf(ratioText, sizeof ratioText, "%.2f", ratio);
        std::printf("| %s | %s | %.0f | %.1f | %.0f | %s | %.1f%% | %.2f | %.1f |\n",
                    name.substr(first + 1, second - first - 1).c_str(), name.substr(second + 1).c_str(),
                    reporter.median(name, "series_per_cpu_second"), reporter.median(name, "passes_per_series"),
                    reporter.median(name, "work_per_series"), ratioText, 100.0 * reporter.median(name, "failed_share"),
                    reporter.median(name, "smape_percent"), reporter.median(name, "peak_rss_MiB"));
    }
    std::printf("\nWork per series by kind (median; objective evaluations and passes, regressions,\n"
                "correlograms, simulations):\n");
    for (const std::string& name : reporter.names()) {
        std::string line;
        for (int kind = 0; kind < static_cast<int>(WorkKind::Count); ++kind) {
            const std::string counter = std::string("n_") + kindName(static_cast<WorkKind>(kind));
            if (reporter.median(name, counter, -1.0) < 0.0)
                continue;
            char text[64];
            std::snprintf(text, sizeof text, " %s %.1f", kindName(static_cast<WorkKind>(kind)),
                          reporter.median(name, counter));
            line += text;
        }
        if (!line.empty())
            std::printf("  %s:%s\n", name.c_str(), line.c_str());
    }
}

}  // namespace

int main(int argc, char** argv)
{
    g_monthlyPath = m3::monthlyPath(argc, argv);
    static const std::vector<MethodLine> lines = methodLines();
    return benchsupport::runMain(
        argc, argv, "bench_methods",
        [] {
            std::printf("M3 data beside %s\n", g_monthlyPath.c_str());
            for (const char* kind : {"yearly", "quarterly", "monthly", "other"})
                std::printf("  %-9s %4zu series, one plain smoothing pass %.3f us per series\n", kind,
                            dataSet(kind).size(), passSeconds(kind) * 1e6);
            for (const MethodLine& line : lines)
                benchmark::RegisterBenchmark((std::string("BM_Method/") + line.method + "/" + line.kind).c_str(),
                                             [&line](benchmark::State& state) { runMethod(state, line); })
                    ->Unit(benchmark::kMillisecond)
                    ->MinTime(0.2);
        },
        printSummary);
}
