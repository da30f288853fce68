// The historical service level of a stored slow-moving-demand stock over a
// history of 144 observations, for lead times from 1 to 1e12 periods
// (BM_HistoricalServiceLevel/<lead time exponent>). Terms from the last
// observation on are added in one step, so once the lead time reaches past
// the history the cost stops growing: the lines from 1e3 on should cost
// about the same (measured: about 270,000 to 290,000 calls per CPU second
// on the shared 8-core machine, against 3.2 million at lead time 1).
// Counter, from this thread's CPU time:
//   calls_per_cpu_second
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

#include "../BenchSupport.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"
#include "SeriesCompute/SeriesComputeSMDHistServiceLevel.h"

using namespace qd;

namespace {

void BM_HistoricalServiceLevel(benchmark::State& state)
{
    Series s(144);
    for (std::int32_t i = 0; i < 144; ++i)
        s.addObservation(100.0 + (i * 37) % 23, QD_SUPPLIED, FdCString());
    const double leadTime = std::pow(10.0, static_cast<double>(state.range(0)));
    s.storedResults.store(QD_SMD_SAFETY_STOCK, 110.0 * leadTime);
    SeriesComputeSMDHistServiceLevel level(QD_LAST, QD_ALL, leadTime, 2);
    const double started = benchsupport::threadCpuSeconds();
    std::int64_t calls = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(level.compute(s));
        ++calls;
    }
    const double seconds = benchsupport::threadCpuSeconds() - started;
    state.counters["calls_per_cpu_second"] = seconds > 0.0 ? calls / seconds : 0.0;
}
BENCHMARK(BM_HistoricalServiceLevel)->DenseRange(0, 12, 3);

}  // namespace

int main(int argc, char** argv)
{
    return benchsupport::runMain(argc, argv, "bench_servicelevel", [] {},
                                 [](const benchsupport::MedianReporter& reporter) {
                                     benchsupport::printMedianTable(
                                         reporter, {{"calls per CPU second", "calls_per_cpu_second", 1.0, 0}});
                                 });
}
