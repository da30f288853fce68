// The unit of the forecasting benchmarks' costs: one plain simple
// exponential smoothing pass over a series (a fixed alpha, the level and the
// sum of squared one-step errors, nothing stored), written here and not
// taken from the engine. A method's cost per series divided by this pass's
// cost per series, over the same series, is its cost "in passes".
#ifndef QD_BENCH_PASSUNIT_H
#define QD_BENCH_PASSUNIT_H

#include <algorithm>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "M3Data.h"

namespace passunit {

// One forward pass from the first value with the given alpha; returns the
// sum of squared one-step errors.
inline double smoothingPass(const std::vector<double>& x, double a)
{
    double level = x[0];
    double sse = 0.0;
    for (std::size_t t = 1; t < x.size(); ++t) {
        level = a * x[t - 1] + (1.0 - a) * level;
        const double e = x[t] - level;
        sse += e * e;
    }
    return sse;
}

// CPU seconds of one pass per series over `data`, the median of seven
// measurements of enough sweeps to last about 20 ms each.
inline double secondsPerSeries(const std::vector<m3::M3Series>& data)
{
    if (data.empty())
        return 0.0;
    std::vector<double> samples;
    int sweeps = 1;
    while (samples.size() < 7) {
        const double start = benchsupport::threadCpuSeconds();
        double sink = 0.0;
        // Each pass waits for the one before (its alpha depends on the
        // running sum), as the passes of a search do: without that the
        // processor would overlap independent passes.
        for (int r = 0; r < sweeps; ++r)
            for (const m3::M3Series& m : data)
                sink += smoothingPass(m.values, 0.3 + 1e-3 * r + 1e-300 * sink);
        benchmark::DoNotOptimize(sink);
        const double spent = benchsupport::threadCpuSeconds() - start;
        if (spent < 0.02) {
            sweeps *= 2;
            continue;
        }
        samples.push_back(spent / (double(sweeps) * double(data.size())));
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

}  // namespace passunit

#endif
