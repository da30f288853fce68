// Box-Jenkins forecasts per second over the in-sample parts of the monthly
// M3 series, each forecast over its own horizon.
//
// BM_AirlineModel: the seasonal (0,1,1)(0,1,1)12 model with explicit
// orders, log transform when every value is positive (else none) and
// ForceThrough, one series per iteration, cycling through all of them.
// BM_IdentifiedModel: S = 12 given, every other order identified, the
// default transform, ForceThrough. Counters, from this thread's CPU time
// over the forecasts alone (building the series is not counted):
//   series_per_cpu_second      Box-Jenkins forecasts per CPU second
//   failed_share               the share of requests that ended in an error
//                              (a series too short for the lags, for instance)
//   page_faults_per_iteration  page faults per forecast
//   peak_rss_MiB               the process's peak resident size while the
//                              benchmark ran
// The library repeats each benchmark (5 times by default); the table at the
// end gives each one's medians.
//
// The data file: --m3=PATH (or a plain PATH argument), else the environment
// variable QD_M3_MONTHLY, else the bundled m3_monthly.csv (QD_M3_DIR).
// Other arguments go to the benchmark library.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "../BenchSupport.h"
#include "../M3Data.h"
#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "SeriesCompute/SeriesForecastBoxJenkinsNew.h"

using namespace qd;

namespace {

using m3::M3Series;

std::string g_dataPath;

const std::vector<M3Series>& monthly()
{
    static const std::vector<M3Series> data = m3::loadFile(g_dataPath);
    return data;
}

template <class MakeMethod>
void forecastEverySeries(benchmark::State& state, MakeMethod make)
{
    const std::vector<M3Series>& data = monthly();
    std::size_t next = 0;
    std::int64_t failures = 0;
    benchsupport::Meter meter;
    meter.start();
    for (auto _ : state) {
        const M3Series& m = data[next];
        next = (next + 1) % data.size();
        meter.pause(state);
        Series s(static_cast<std::int32_t>(m.values.size()));
        for (double v : m.values)
            s.addObservation(v, QD_SUPPLIED, FdCString());
        meter.resume(state);
        SeriesForecastBoxJenkinsNew method = make(m);
        SeriesOpApplySeriesForecast op(method);
        try {
            op.apply(s);
        } catch (const MVRBaseException&) {
            ++failures;
        }
    }
    meter.stop();
    meter.setCounters(state, "series", static_cast<double>(state.iterations()));
    state.counters["failed_share"] =
        state.iterations() > 0 ? static_cast<double>(failures) / static_cast<double>(state.iterations()) : 0.0;
}

void BM_AirlineModel(benchmark::State& state)
{
    forecastEverySeries(state, [](const M3Series& m) {
        return SeriesForecastBoxJenkinsNew(QD_LAST, QD_ALL, m.horizon, QD_COMPUTE, 0, 1, 1, 0, 1, 1, 12, true,
                                           m.allPositive() ? QD_LOG_TRANSFORM : QD_NO_TRANSFORM);
    });
}
BENCHMARK(BM_AirlineModel)->Unit(benchmark::kMillisecond);

void BM_IdentifiedModel(benchmark::State& state)
{
    forecastEverySeries(state, [](const M3Series& m) {
        return SeriesForecastBoxJenkinsNew(QD_LAST, QD_ALL, m.horizon, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE,
                                           QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, 12, true,
                                           QD_OPTIMIZE_TRANSFORM);
    });
}
BENCHMARK(BM_IdentifiedModel)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    g_dataPath = m3::monthlyPath(argc, argv);
    return benchsupport::runMain(
        argc, argv, "bench_boxjenkins",
        [] { std::printf("M3 monthly data: %s (%zu series)\n", g_dataPath.c_str(), monthly().size()); },
        [](const benchsupport::MedianReporter& reporter) {
            benchsupport::printMedianTable(reporter, {{"series per CPU second", "series_per_cpu_second", 1.0, 1},
                                                      {"failed %", "failed_share", 100.0, 1},
                                                      {"page faults per series", "page_faults_per_iteration", 1.0, 1},
                                                      {"peak RSS MiB", "peak_rss_MiB", 1.0, 1}});
        });
}
