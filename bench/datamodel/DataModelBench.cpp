// Data model benchmarks: loading, storing results, copying and clearing a
// matrix of 1,000 series of 1,000 observations, appending observations one
// by one, and the snapshot a changing call takes. Memory is measured two ways: the process's peak resident size
// while each benchmark ran (peak_rss_MiB), and the bytes asked of operator
// new, counted by the replacements below (peak_MB and the sizes after each
// step of the first benchmark, in MiB). Counters, from this thread's CPU
// time:
//   observations_per_cpu_second  observations loaded or appended per CPU
//                                second
//   page_faults_per_iteration    page faults per iteration
// The library repeats each benchmark (5 times by default); the table at the
// end gives each one's medians, with the cost per observation of appending
// at each length.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "../BenchSupport.h"
#include "Matrix/Matrix.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/Snapshot.h"

using namespace qd;

namespace {
std::size_t currentBytes = 0;
std::size_t peakBytes = 0;

// Each block carries its size in front of it, so frees can be counted.
constexpr std::size_t HEADER = 16;

void* trackedAllocate(std::size_t n)
{
    void* raw = std::malloc(n + HEADER);
    if (raw == nullptr)
        throw std::bad_alloc();
    *static_cast<std::size_t*>(raw) = n;
    currentBytes += n;
    if (currentBytes > peakBytes)
        peakBytes = currentBytes;
    return static_cast<char*>(raw) + HEADER;
}

void trackedFree(void* p) noexcept
{
    if (p == nullptr)
        return;
    void* raw = static_cast<char*>(p) - HEADER;
    currentBytes -= *static_cast<std::size_t*>(raw);
    std::free(raw);
}
}  // namespace

void* operator new(std::size_t n) { return trackedAllocate(n); }
void* operator new[](std::size_t n) { return trackedAllocate(n); }
void operator delete(void* p) noexcept { trackedFree(p); }
void operator delete[](void* p) noexcept { trackedFree(p); }
void operator delete(void* p, std::size_t) noexcept { trackedFree(p); }
void operator delete[](void* p, std::size_t) noexcept { trackedFree(p); }

namespace {

constexpr int NUM_SERIES = 1000;
constexpr int NUM_OBSERVATIONS = 1000;
constexpr double MB = 1024.0 * 1024.0;

void load(Matrix& matrix)
{
    for (int j = 0; j < NUM_SERIES; ++j)
        for (int i = 0; i < NUM_OBSERVATIONS; ++i)
            matrix.addObservation(j, i * 0.5 + j, QD_SUPPLIED, FdCString());
}

// Load, store one result per observation, copy the matrix, clear both.
void BM_LoadStoreCopyClear(benchmark::State& state)
{
    double loadedMB = 0.0, storedMB = 0.0, copiedMB = 0.0;
    benchsupport::Meter meter;
    meter.start();
    for (auto _ : state) {
        const std::size_t base = currentBytes;
        peakBytes = currentBytes;
        auto matrix = std::make_unique<Matrix>();
        load(*matrix);
        loadedMB = (currentBytes - base) / MB;
        for (int j = 0; j < NUM_SERIES; ++j) {
            Series& s = matrix->series(j);
            for (int i = 0; i < NUM_OBSERVATIONS; ++i)
                s.observation(i).storedResults.store(QD_FORECAST, i + 1.0);
        }
        storedMB = (currentBytes - base) / MB;
        auto copy = std::make_unique<Matrix>();
        copy->reserve(NUM_SERIES);
        for (int j = 0; j < matrix->numSeries(); ++j)
            copy->addSeries(matrix->series(j));
        copiedMB = (currentBytes - base) / MB;
        benchmark::DoNotOptimize(copy->series(NUM_SERIES - 1).observation(NUM_OBSERVATIONS - 1).value);
        copy->removeAll();
        matrix->removeAll();
        state.counters["peak_MB"] = (peakBytes - base) / MB;
    }
    meter.stop();
    meter.setCounters(state, "observations", double(state.iterations()) * NUM_SERIES * NUM_OBSERVATIONS);
    state.counters["loaded_MB"] = loadedMB;
    state.counters["with_results_MB"] = storedMB;
    state.counters["with_copy_MB"] = copiedMB;
    state.counters["loaded_bytes_per_observation"] =
        loadedMB * MB / (static_cast<double>(NUM_SERIES) * NUM_OBSERVATIONS);
}
BENCHMARK(BM_LoadStoreCopyClear)->Unit(benchmark::kMillisecond)->Iterations(3);

// Appending one by one: the time per observation stays flat as the series
// grows (amortized constant time).
void BM_AppendOneByOne(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    benchsupport::Meter meter;
    meter.start();
    for (auto _ : state) {
        Series s;
        for (int i = 0; i < n; ++i)
            s.addObservation(i, QD_SUPPLIED);
        benchmark::DoNotOptimize(s.observation(n - 1).value);
    }
    meter.stop();
    meter.setCounters(state, "observations", double(state.iterations()) * n);
}
BENCHMARK(BM_AppendOneByOne)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The same through the matrix, as the control's AddObservation does it.
void BM_MatrixAddObservation(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    benchsupport::Meter meter;
    meter.start();
    for (auto _ : state) {
        Matrix m;
        for (int i = 0; i < n; ++i)
            m.addObservation(0, i, QD_SUPPLIED, FdCString());
        benchmark::DoNotOptimize(m.series(0).numObservations());
    }
    meter.stop();
    meter.setCounters(state, "observations", double(state.iterations()) * n);
}
BENCHMARK(BM_MatrixAddObservation)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// What a call that changes a series or a matrix pays before its work: the
// snapshot it takes, freed again when the call succeeds. Series of n
// observations with one stored result each, and a matrix of 100 such
// series of 1,000.
void fillWithResults(Series& s, int n)
{
    for (int i = 0; i < n; ++i) {
        s.addObservation(i * 0.5, QD_SUPPLIED);
        s.observation(i).storedResults.store(QD_FORECAST, i + 1.0);
    }
}

void BM_SeriesSnapshot(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    Series s;
    fillWithResults(s, n);
    benchsupport::Meter meter;
    meter.start();
    for (auto _ : state) {
        SeriesSnapshot saved(s);
        benchmark::DoNotOptimize(&saved);
    }
    meter.stop();
    meter.setCounters(state, "observations", double(state.iterations()) * n);
}
BENCHMARK(BM_SeriesSnapshot)->Arg(144)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

void BM_MatrixSnapshot(benchmark::State& state)
{
    Matrix m;
    for (int j = 0; j < 100; ++j)
        fillWithResults(m.seriesAt(j), 1000);
    benchsupport::Meter meter;
    meter.start();
    for (auto _ : state) {
        MatrixSnapshot saved(m);
        benchmark::DoNotOptimize(&saved);
    }
    meter.stop();
    meter.setCounters(state, "observations", double(state.iterations()) * 100 * 1000);
}
BENCHMARK(BM_MatrixSnapshot)->Unit(benchmark::kMicrosecond);

// The median cost per appended observation at each length, in ns, against
// the shortest: amortized constant time keeps it flat.
void printAppendCosts(const benchsupport::MedianReporter& reporter, const char* name)
{
    double first = 0.0;
    for (const std::string& run : reporter.names()) {
        if (run.compare(0, std::strlen(name), name) != 0 || run[std::strlen(name)] != '/')
            continue;
        const double rate = reporter.median(run, "observations_per_cpu_second");
        const double ns = rate > 0.0 ? 1e9 / rate : 0.0;
        if (first == 0.0)
            first = ns;
        std::printf("%s: %.1f ns per observation, %.2f x the shortest\n", run.c_str(), ns,
                    first > 0.0 ? ns / first : 0.0);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    return benchsupport::runMain(
        argc, argv, "bench_datamodel", [] {},
        [](const benchsupport::MedianReporter& reporter) {
            benchsupport::printMedianTable(
                reporter, {{"observations per CPU second", "observations_per_cpu_second", 1.0, 0},
                           {"page faults per iteration", "page_faults_per_iteration", 1.0, 1},
                           {"peak RSS MiB", "peak_rss_MiB", 1.0, 1},
                           {"peak allocated MiB", "peak_MB", 1.0, 1},
                           {"loaded bytes per observation", "loaded_bytes_per_observation", 1.0, 1}});
            std::printf("\nAppending one by one (medians):\n");
            printAppendCosts(reporter, "BM_AppendOneByOne");
            printAppendCosts(reporter, "BM_MatrixAddObservation");
            std::printf("\nSnapshots (medians):\n");
            printAppendCosts(reporter, "BM_SeriesSnapshot");
        });
}
