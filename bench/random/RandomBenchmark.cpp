// Throughput of the distribution generators: each benchmark draws batches
// of 10,000 deviates into one buffer. The stream is the shuffled third
// multiplier that the random series use. Counters, from this thread's CPU
// time:
//   draws_per_cpu_second       deviates drawn per CPU second
//   page_faults_per_iteration  page faults per batch
//   peak_rss_MiB               the process's peak resident size while the
//                              benchmark ran
// The library repeats each benchmark (5 times by default); the table at the
// end gives each one's medians.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "../BenchSupport.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/MultivariateNormal.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"

namespace {

const std::int32_t kBatch = 10000;
const std::int32_t R = STATS_OPT_RETURN_USER;

// Batches drawn into `x` until the library has enough.
template <class T>
void draws(benchmark::State& state, const std::function<void(T*)>& draw)
{
    stats_random_option(6);
    stats_set_random_seed(12345);
    std::vector<T> x(kBatch);
    benchsupport::Meter meter;
    meter.start();
    for (auto _ : state) {
        draw(x.data());
        benchmark::DoNotOptimize(x.data());
        benchmark::ClobberMemory();
    }
    meter.stop();
    meter.setCounters(state, "draws", double(state.iterations()) * kBatch);
}

void realDraws(benchmark::State& state, const std::function<void(double*)>& draw)
{
    draws<double>(state, draw);
}

void intDraws(benchmark::State& state, const std::function<void(std::int32_t*)>& draw)
{
    draws<std::int32_t>(state, draw);
}

#define REAL_BENCH(NAME, CALL) \
    BENCHMARK_CAPTURE(realDraws, NAME, [](double* x) { CALL; })
#define INT_BENCH(NAME, CALL) \
    BENCHMARK_CAPTURE(intDraws, NAME, [](std::int32_t* x) { CALL; })

REAL_BENCH(uniform, stats_d_random_uniform(kBatch, R, x, 0));
REAL_BENCH(normal_inversion, stats_d_random_normal(kBatch, R, x, 0));
REAL_BENCH(normal_accept_reject, stats_d_random_normal(kBatch, STATS_OPT_ACCEPT_REJECT, R, x, 0));
REAL_BENCH(cauchy, stats_d_random_cauchy(kBatch, R, x, 0));
REAL_BENCH(chi_squared_4, stats_d_random_chi_squared(kBatch, 4.0, R, x, 0));
REAL_BENCH(chi_squared_7_5, stats_d_random_chi_squared(kBatch, 7.5, R, x, 0));
REAL_BENCH(beta_0_5_3, stats_d_random_beta(kBatch, 0.5, 3.0, R, x, 0));
REAL_BENCH(beta_3_4, stats_d_random_beta(kBatch, 3.0, 4.0, R, x, 0));
REAL_BENCH(beta_0_6_0_8, stats_d_random_beta(kBatch, 0.6, 0.8, R, x, 0));
REAL_BENCH(exponential, stats_d_random_exponential(kBatch, R, x, 0));
REAL_BENCH(exponential_mix, stats_d_random_exponential_mix(kBatch, 2.0, 1.0, 0.5, R, x, 0));
REAL_BENCH(gamma_0_3, stats_d_random_gamma(kBatch, 0.3, R, x, 0));
REAL_BENCH(gamma_5, stats_d_random_gamma(kBatch, 5.0, R, x, 0));
REAL_BENCH(lognormal, stats_d_random_lognormal(kBatch, 0.0, 1.0, R, x, 0));
REAL_BENCH(student_t_5, stats_d_random_student_t(kBatch, 5.0, R, x, 0));
REAL_BENCH(student_t_0_5, stats_d_random_student_t(kBatch, 0.5, R, x, 0));
REAL_BENCH(von_mises_1, stats_d_random_von_mises(kBatch, 1.0, R, x, 0));
REAL_BENCH(weibull_2, stats_d_random_weibull(kBatch, 2.0, R, x, 0));
// 2,500 vectors of length 4: 10,000 deviates per batch.
const double kCovariance[16] = {4, 1, 0, 0, 1, 3, 1, 0, 0, 1, 2, 0.5, 0, 0, 0.5, 1};
REAL_BENCH(multivariate_normal_4, stats_d_random_normal_multivariate(kBatch / 4, 4, kCovariance, R, x, 0));
INT_BENCH(binomial_10, stats_d_random_binomial(kBatch, 10, 0.3, R, x, 0));
INT_BENCH(binomial_1000, stats_d_random_binomial(kBatch, 1000, 0.3, R, x, 0));
INT_BENCH(geometric, stats_d_random_geometric(kBatch, 0.2, R, x, 0));
INT_BENCH(hypergeometric, stats_d_random_hypergeometric(kBatch, 20, 30, 100, R, x, 0));
INT_BENCH(logarithmic_0_6, stats_d_random_logarithmic(kBatch, 0.6, R, x, 0));
INT_BENCH(logarithmic_0_99, stats_d_random_logarithmic(kBatch, 0.99, R, x, 0));
INT_BENCH(negative_binomial, stats_d_random_neg_binomial(kBatch, 2.5, 0.4, R, x, 0));
INT_BENCH(negative_binomial_mixture, stats_d_random_neg_binomial(kBatch, 50.0, 0.9, R, x, 0));
INT_BENCH(poisson_4_5, stats_random_poisson(kBatch, 4.5, R, x, 0));
INT_BENCH(poisson_60, stats_random_poisson(kBatch, 60.0, R, x, 0));
INT_BENCH(uniform_discrete, stats_d_random_uniform_discrete(kBatch, 37, R, x, 0));

}  // namespace

int main(int argc, char** argv)
{
    return benchsupport::runMain(
        argc, argv, "bench_random", [] {},
        [](const benchsupport::MedianReporter& reporter) {
            benchsupport::printMedianTable(reporter,
                                           {{"million draws per CPU second", "draws_per_cpu_second", 1e-6, 1},
                                            {"page faults per batch", "page_faults_per_iteration", 1.0, 2},
                                            {"peak RSS MiB", "peak_rss_MiB", 1.0, 1}});
        });
}
