// Regressions: the multiple regression over n observations and k - 1
// regressors (normal equations, coefficient statistics, fitted values),
// stepwise forward selection on the same data, and the linear trend of
// one series. Each iteration is one fit; building its data is not counted.
// Counters, from this thread's CPU time over the fits alone:
//   observations_per_cpu_second  observations fitted per CPU second
//   page_faults_per_iteration    page faults per fit
//   peak_rss_MiB                 the process's peak resident size while the
//                                benchmark ran
// The library repeats each benchmark (5 times by default); the table at the
// end gives each one's medians.
#include <cstdint>
#include <cstdio>
#include <vector>

#include <benchmark/benchmark.h>

#include "../BenchSupport.h"
#include "Matrix/Matrix.h"
#include "Matrix/MatrixOpApplyMatrixForecast.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "MatrixCompute/MatrixForecastMultipleRegression.h"
#include "MatrixCompute/MatrixForecastStepwise.h"
#include "SeriesCompute/SeriesForecastLinearRegression.h"

using namespace qd;

namespace {

// A fixed pseudo-random walk, so every run sees the same data.
struct Walk {
    std::uint32_t state = 12345u;
    double next()
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / 16777216.0;
    }
};

void buildMatrix(Matrix& m, std::int32_t n, std::int32_t regressors)
{
    Walk walk;
    std::vector<std::vector<double>> x(static_cast<std::size_t>(regressors), std::vector<double>(n));
    for (auto& column : x)
        for (double& v : column)
            v = 10.0 * walk.next();
    Series y;
    y.dependenceType = QD_DEPENDENT;
    for (std::int32_t t = 0; t < n; ++t) {
        double v = walk.next();
        for (std::int32_t j = 0; j < regressors; ++j)
            v += (j + 1) * 0.5 * x[static_cast<std::size_t>(j)][static_cast<std::size_t>(t)];
        y.addObservation(v, QD_SUPPLIED);
    }
    m.addSeries(y);
    for (const auto& column : x) {
        Series s;
        s.dependenceType = QD_INDEPENDENT;
        for (double v : column)
            s.addObservation(v, QD_SUPPLIED);
        m.addSeries(s);
    }
}

void BM_MultipleRegression(benchmark::State& state)
{
    const auto n = static_cast<std::int32_t>(state.range(0));
    const auto regressors = static_cast<std::int32_t>(state.range(1));
    benchsupport::Meter meter;
    meter.start();
    for (auto _ : state) {
        meter.pause(state);
        Matrix m;
        buildMatrix(m, n, regressors);
        meter.resume(state);
        qd::MatrixForecastMultipleRegression method(QD_LAST, QD_ALL, true, 0, 0.95, false, false, false, false, -1);
        MatrixOpApplyMatrixForecast op(method);
        op.apply(m);
        benchmark::DoNotOptimize(method.SSE);
    }
    meter.stop();
    meter.setCounters(state, "observations", double(state.iterations()) * n);
}
BENCHMARK(BM_MultipleRegression)->Args({120, 3})->Args({1000, 5})->Args({1000, 20});

void BM_StepwiseForward(benchmark::State& state)
{
    const auto n = static_cast<std::int32_t>(state.range(0));
    const auto regressors = static_cast<std::int32_t>(state.range(1));
    benchsupport::Meter meter;
    meter.start();
    for (auto _ : state) {
        meter.pause(state);
        Matrix m;
        buildMatrix(m, n, regressors);
        meter.resume(state);
        qd::MatrixForecastStepwise method(QD_LAST, QD_ALL, qd::kForwardSelection, QD_COMPUTE, QD_COMPUTE, 4.0, 3.0, 0,
                                          0, false, true, 0, 0.0, false, false, false);
        MatrixOpApplyMatrixForecast op(method);
        op.apply(m);
    }
    meter.stop();
    meter.setCounters(state, "observations", double(state.iterations()) * n);
}
BENCHMARK(BM_StepwiseForward)->Args({120, 5})->Args({1000, 10});

void BM_LinearTrend(benchmark::State& state)
{
    const auto n = static_cast<std::int32_t>(state.range(0));
    Walk walk;
    Series base;
    for (std::int32_t t = 0; t < n; ++t)
        base.addObservation(0.5 * t + walk.next(), QD_SUPPLIED);
    benchsupport::Meter meter;
    meter.start();
    for (auto _ : state) {
        meter.pause(state);
        Series s(base);
        meter.resume(state);
        qd::SeriesForecastLinearRegression method(QD_LAST, QD_ALL, 12, true, 0.95, false, 0.0, 0.0);
        SeriesOpApplySeriesForecast op(method);
        op.apply(s);
        benchmark::DoNotOptimize(method.slope);
    }
    meter.stop();
    meter.setCounters(state, "observations", double(state.iterations()) * n);
}
BENCHMARK(BM_LinearTrend)->Arg(144)->Arg(10000);

}  // namespace

int main(int argc, char** argv)
{
    return benchsupport::runMain(
        argc, argv, "bench_regression", [] {},
        [](const benchsupport::MedianReporter& reporter) {
            benchsupport::printMedianTable(reporter,
                                           {{"observations per CPU second", "observations_per_cpu_second", 1.0, 0},
                                            {"page faults per fit", "page_faults_per_iteration", 1.0, 1},
                                            {"peak RSS MiB", "peak_rss_MiB", 1.0, 1}});
        });
}
