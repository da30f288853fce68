// Data model benchmarks: loading, storing results, copying and clearing a
// matrix of 1,000 series of 1,000 observations, and appending observations
// one by one. Peak memory is measured by counting every allocation made
// through operator new.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <new>

#include "Matrix/Matrix.h"
#include "Matrix/QuantityTypes.h"

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
    state.counters["loaded_MB"] = loadedMB;
    state.counters["with_results_MB"] = storedMB;
    state.counters["with_copy_MB"] = copiedMB;
    state.counters["loaded_bytes_per_observation"] =
        loadedMB * MB / (static_cast<double>(NUM_SERIES) * NUM_OBSERVATIONS);
    state.SetItemsProcessed(state.iterations() * NUM_SERIES * NUM_OBSERVATIONS);
}
BENCHMARK(BM_LoadStoreCopyClear)->Unit(benchmark::kMillisecond)->Iterations(3);

// Appending one by one: the time per observation stays flat as the series
// grows (amortized constant time).
void BM_AppendOneByOne(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Series s;
        for (int i = 0; i < n; ++i)
            s.addObservation(i, QD_SUPPLIED);
        benchmark::DoNotOptimize(s.observation(n - 1).value);
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_AppendOneByOne)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The same through the matrix, as the control's AddObservation does it.
void BM_MatrixAddObservation(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Matrix m;
        for (int i = 0; i < n; ++i)
            m.addObservation(0, i, QD_SUPPLIED, FdCString());
        benchmark::DoNotOptimize(m.series(0).numObservations());
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_MatrixAddObservation)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
