// Large samples of every generator against their distributions. Each sample
// is 100,000 draws from a fixed seed, so the outcome is fixed; thresholds
// are set at about the 0.1% level of the tests:
//   continuous: Kolmogorov-Smirnov sqrt(n) D < 1.95, and the sample mean
//   within 5 standard errors of the true mean where it exists;
//   discrete: Pearson's chi-squared over the values with expected count
//   >= 5 (tails pooled) below the 0.999 quantile (Wilson-Hilferty).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Statistics/Distributions.h"
#include "Statistics/ErrorStack.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"
#include "Statistics/SpecialFunctions.h"

namespace {

const int kDraws = 100000;
const std::int32_t R = STATS_OPT_RETURN_USER;
const double kPi = 3.141592653589793;

// Regularised lower incomplete gamma P(a, x): series below a + 1, Lentz's
// continued fraction above.
double gammaP(double a, double x) {
    if (x <= 0.0) return 0.0;
    const double lead = a * std::log(x) - x - std::lgamma(a);
    if (x < a + 1.0) {
        double term = 1.0 / a, sum = term;
        for (int n = 1; n < 100000 && std::fabs(term) > 1e-17 * std::fabs(sum); ++n) {
            term *= x / (a + n);
            sum += term;
        }
        return sum * std::exp(lead);
    }
    double b = x + 1.0 - a, c = 1e300, d = 1.0 / b, h = d;
    for (int i = 1; i < 100000; ++i) {
        const double an = -i * (i - a);
        b += 2.0;
        d = an * d + b;
        if (std::fabs(d) < 1e-300) d = 1e-300;
        c = b + an / c;
        if (std::fabs(c) < 1e-300) c = 1e-300;
        d = 1.0 / d;
        const double delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1.0) < 1e-16) break;
    }
    return 1.0 - std::exp(lead) * h;
}

double ksStatistic(std::vector<double> x, const std::function<double(double)>& cdf) {
    std::sort(x.begin(), x.end());
    const double n = static_cast<double>(x.size());
    double d = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double f = cdf(x[i]);
        d = std::max(d, std::max(f - i / n, (i + 1) / n - f));
    }
    return std::sqrt(n) * d;
}

double chiSquaredQuantile999(int df) {
    const double h = 2.0 / (9.0 * df);
    const double z = 3.090232;
    return df * std::pow(1.0 - h + z * std::sqrt(h), 3.0);
}

struct ContinuousCase {
    const char* name;
    std::function<void(double*)> draw;
    std::function<double(double)> cdf;
    double mean;  // NaN where there is none
    double sd;
};

struct DiscreteCase {
    const char* name;
    std::function<void(std::int32_t*)> draw;
    std::function<double(int)> pmf;  // log of P(k)
    int low, high;                   // support examined
};

double lchoose(double n, double k) { return std::lgamma(n + 1) - std::lgamma(k + 1) - std::lgamma(n - k + 1); }

}  // namespace

TEST(GeneratorFit, ContinuousDistributions) {
    const double none = std::nan("");
    const double n = kDraws;
    auto mixCdf = [](double x) { return 1.5 * (1 - std::exp(-x / 2)) - 0.5 * (1 - std::exp(-x)); };
    const ContinuousCase cases[] = {
        {"uniform", [](double* x) { stats_d_random_uniform(kDraws, R, x, 0); }, [](double x) { return x; }, 0.5, std::sqrt(1.0 / 12)},
        {"normal", [](double* x) { stats_d_random_normal(kDraws, R, x, 0); }, stats_d_normal_cdf, 0.0, 1.0},
        {"normal accept-reject", [](double* x) { stats_d_random_normal(kDraws, STATS_OPT_ACCEPT_REJECT, R, x, 0); }, stats_d_normal_cdf, 0.0, 1.0},
        {"cauchy", [](double* x) { stats_d_random_cauchy(kDraws, R, x, 0); }, [&](double x) { return 0.5 + std::atan(x) / kPi; }, none, 0},
        {"chi-squared 4", [](double* x) { stats_d_random_chi_squared(kDraws, 4.0, R, x, 0); }, [](double x) { return gammaP(2.0, x / 2); }, 4.0, std::sqrt(8.0)},
        {"chi-squared 7.5", [](double* x) { stats_d_random_chi_squared(kDraws, 7.5, R, x, 0); }, [](double x) { return gammaP(3.75, x / 2); }, 7.5, std::sqrt(15.0)},
        {"beta 0.5 3", [](double* x) { stats_d_random_beta(kDraws, 0.5, 3.0, R, x, 0); }, [](double x) { return stats_d_beta_incomplete(x, 0.5, 3.0); }, 0.5 / 3.5, 0.17},
        {"beta 3 4", [](double* x) { stats_d_random_beta(kDraws, 3.0, 4.0, R, x, 0); }, [](double x) { return stats_d_beta_incomplete(x, 3.0, 4.0); }, 3.0 / 7, 0.175},
        {"beta 30 2", [](double* x) { stats_d_random_beta(kDraws, 30.0, 2.0, R, x, 0); }, [](double x) { return stats_d_beta_incomplete(x, 30.0, 2.0); }, 30.0 / 32, 0.042},
        {"beta 0.6 0.8", [](double* x) { stats_d_random_beta(kDraws, 0.6, 0.8, R, x, 0); }, [](double x) { return stats_d_beta_incomplete(x, 0.6, 0.8); }, 0.6 / 1.4, 0.35},
        {"beta 0.2 0.3", [](double* x) { stats_d_random_beta(kDraws, 0.2, 0.3, R, x, 0); }, [](double x) { return stats_d_beta_incomplete(x, 0.2, 0.3); }, 0.4, 0.44},
        {"exponential", [](double* x) { stats_d_random_exponential(kDraws, R, x, 0); }, [](double x) { return 1 - std::exp(-x); }, 1.0, 1.0},
        {"exponential mix 2 1 1.5", [](double* x) { stats_d_random_exponential_mix(kDraws, 2.0, 1.0, 1.5, R, x, 0); }, mixCdf, 2.5, 2.6},
        {"gamma 0.3", [](double* x) { stats_d_random_gamma(kDraws, 0.3, R, x, 0); }, [](double x) { return gammaP(0.3, x); }, 0.3, std::sqrt(0.3)},
        {"gamma 1.5", [](double* x) { stats_d_random_gamma(kDraws, 1.5, R, x, 0); }, [](double x) { return gammaP(1.5, x); }, 1.5, std::sqrt(1.5)},
        {"gamma 7", [](double* x) { stats_d_random_gamma(kDraws, 7.0, R, x, 0); }, [](double x) { return gammaP(7.0, x); }, 7.0, std::sqrt(7.0)},
        {"gamma 300", [](double* x) { stats_d_random_gamma(kDraws, 300.0, R, x, 0); }, [](double x) { return gammaP(300.0, x); }, 300.0, std::sqrt(300.0)},
        {"lognormal", [](double* x) { stats_d_random_lognormal(kDraws, 0.5, 0.75, R, x, 0); },
         [](double x) { return stats_d_normal_cdf((std::log(x) - 0.5) / 0.75); }, std::exp(0.5 + 0.75 * 0.75 / 2), 1.6},
        {"t 5", [](double* x) { stats_d_random_student_t(kDraws, 5.0, R, x, 0); }, [](double x) { return stats_d_t_cdf(x, 5.0); }, 0.0, std::sqrt(5.0 / 3)},
        {"t 1", [](double* x) { stats_d_random_student_t(kDraws, 1.0, R, x, 0); }, [&](double x) { return 0.5 + std::atan(x) / kPi; }, none, 0},
        {"t 40", [](double* x) { stats_d_random_student_t(kDraws, 40.0, R, x, 0); }, [](double x) { return stats_d_t_cdf(x, 40.0); }, 0.0, std::sqrt(40.0 / 38)},
        {"t 0.5", [](double* x) { stats_d_random_student_t(kDraws, 0.5, R, x, 0); },
         // P(T <= t) = 1 - I_{df/(df+t^2)}(df/2, 1/2)/2 for t >= 0.
         [](double x) {
             const double tail = 0.5 * stats_d_beta_incomplete(0.5 / (0.5 + x * x), 0.25, 0.5);
             return x >= 0 ? 1 - tail : tail;
         },
         none, 0},
        {"Weibull 1.7", [](double* x) { stats_d_random_weibull(kDraws, 1.7, R, x, 0); }, [](double x) { return 1 - std::exp(-std::pow(x, 1.7)); },
         std::tgamma(1 + 1 / 1.7), std::sqrt(std::tgamma(1 + 2 / 1.7) - std::pow(std::tgamma(1 + 1 / 1.7), 2))},
    };
    std::vector<double> x(static_cast<std::size_t>(kDraws));
    for (const ContinuousCase& c : cases) {
        stats_random_option(1);
        stats_set_random_seed(20261210);
        c.draw(x.data());
        ASSERT_EQ(0, l_error_type_at(1)) << c.name;
        EXPECT_LT(ksStatistic(x, c.cdf), 1.95) << c.name;
        if (!std::isnan(c.mean)) {
            double sum = 0.0;
            for (double v : x) sum += v;
            EXPECT_NEAR(c.mean, sum / n, 5.0 * c.sd / std::sqrt(n)) << c.name;
        }
    }
}

// The von Mises generator: E cos X = I1(c)/I0(c), E sin X = 0, and the
// symmetric distribution function of the angle's magnitude matched through
// the first few circular moments E cos kX = Ik(c)/I0(c).
TEST(GeneratorFit, VonMisesMoments) {
    auto besselI = [](int k, double c) {
        double term = std::pow(c / 2, k) / std::tgamma(k + 1.0), sum = term;
        for (int m = 1; m < 200; ++m) {
            term *= (c / 2) * (c / 2) / (m * double(m + k));
            sum += term;
        }
        return sum;
    };
    std::vector<double> x(static_cast<std::size_t>(kDraws));
    for (double c : {0.5, 2.0, 30.0}) {
        stats_random_option(1);
        stats_set_random_seed(777);
        stats_d_random_von_mises(kDraws, c, R, x.data(), 0);
        for (int k = 1; k <= 3; ++k) {
            double sc = 0.0, ss = 0.0;
            for (double v : x) {
                sc += std::cos(k * v);
                ss += std::sin(k * v);
            }
            // |cos|, |sin| <= 1: 5 standard errors are at most 5/sqrt(n).
            EXPECT_NEAR(besselI(k, c) / besselI(0, c), sc / kDraws, 5.0 / std::sqrt(double(kDraws))) << c << " " << k;
            EXPECT_NEAR(0.0, ss / kDraws, 5.0 / std::sqrt(double(kDraws))) << c << " " << k;
        }
    }
}

TEST(GeneratorFit, DiscreteDistributions) {
    const DiscreteCase cases[] = {
        {"binomial 10 0.7", [](std::int32_t* k) { stats_d_random_binomial(kDraws, 10, 0.7, R, k, 0); },
         [](int k) { return lchoose(10, k) + k * std::log(0.7) + (10 - k) * std::log(0.3); }, 0, 10},
        {"binomial 400 0.35", [](std::int32_t* k) { stats_d_random_binomial(kDraws, 400, 0.35, R, k, 0); },
         [](int k) { return lchoose(400, k) + k * std::log(0.35) + (400 - k) * std::log(0.65); }, 0, 400},
        {"binomial 100000 0.5", [](std::int32_t* k) { stats_d_random_binomial(kDraws, 100000, 0.5, R, k, 0); },
         [](int k) { return lchoose(100000, k) + 100000 * std::log(0.5); }, 48500, 51500},
        {"geometric 0.2", [](std::int32_t* k) { stats_d_random_geometric(kDraws, 0.2, R, k, 0); },
         [](int k) { return (k - 1) * std::log(0.8) + std::log(0.2); }, 1, 200},
        {"hypergeometric 20 30 100", [](std::int32_t* k) { stats_d_random_hypergeometric(kDraws, 20, 30, 100, R, k, 0); },
         [](int k) { return lchoose(30, k) + lchoose(70, 20 - k) - lchoose(100, 20); }, 0, 20},
        {"hypergeometric 1000 1000 4000", [](std::int32_t* k) { stats_d_random_hypergeometric(kDraws / 10, 1000, 1000, 4000, R, k, 0); },
         [](int k) { return lchoose(1000, k) + lchoose(3000, 1000 - k) - lchoose(4000, 1000); }, 0, 1000},
        {"logarithmic 0.6", [](std::int32_t* k) { stats_d_random_logarithmic(kDraws, 0.6, R, k, 0); },
         [](int k) { return k * std::log(0.6) - std::log(k * -std::log(0.4)); }, 1, 100},
        {"logarithmic 0.99", [](std::int32_t* k) { stats_d_random_logarithmic(kDraws, 0.99, R, k, 0); },
         [](int k) { return k * std::log(0.99) - std::log(k * -std::log(0.01)); }, 1, 5000},
        {"negative binomial 2.5 0.4", [](std::int32_t* k) { stats_d_random_neg_binomial(kDraws, 2.5, 0.4, R, k, 0); },
         [](int k) { return std::lgamma(k + 2.5) - std::lgamma(k + 1.0) - std::lgamma(2.5) + 2.5 * std::log(0.6) + k * std::log(0.4); }, 0, 200},
        {"negative binomial 20 0.9", [](std::int32_t* k) { stats_d_random_neg_binomial(kDraws, 20.0, 0.9, R, k, 0); },
         [](int k) { return std::lgamma(k + 20.0) - std::lgamma(k + 1.0) - std::lgamma(20.0) + 20 * std::log(0.1) + k * std::log(0.9); }, 0, 2000},
        {"Poisson 4.5", [](std::int32_t* k) { stats_random_poisson(kDraws, 4.5, R, k, 0); },
         [](int k) { return k * std::log(4.5) - 4.5 - std::lgamma(k + 1.0); }, 0, 100},
        {"Poisson 60", [](std::int32_t* k) { stats_random_poisson(kDraws, 60.0, R, k, 0); },
         [](int k) { return k * std::log(60.0) - 60.0 - std::lgamma(k + 1.0); }, 0, 300},
        {"Poisson 5000", [](std::int32_t* k) { stats_random_poisson(kDraws, 5000.0, R, k, 0); },
         [](int k) { return k * std::log(5000.0) - 5000.0 - std::lgamma(k + 1.0); }, 4000, 6000},
        {"uniform discrete 37", [](std::int32_t* k) { stats_d_random_uniform_discrete(kDraws, 37, R, k, 0); },
         [](int) { return -std::log(37.0); }, 1, 37},
    };
    std::vector<std::int32_t> k(static_cast<std::size_t>(kDraws));
    for (const DiscreteCase& c : cases) {
        stats_random_option(1);
        stats_set_random_seed(4242);
        std::fill(k.begin(), k.end(), -1);
        c.draw(k.data());
        ASSERT_EQ(0, l_error_type_at(1)) << c.name;
        const int draws = std::string(c.name) == "hypergeometric 1000 1000 4000" ? kDraws / 10 : kDraws;
        std::vector<double> count(static_cast<std::size_t>(c.high - c.low + 1), 0.0);
        double outside = 0.0;
        for (int i = 0; i < draws; ++i) {
            const int v = k[static_cast<std::size_t>(i)];
            if (v < c.low || v > c.high) outside += 1;
            else count[static_cast<std::size_t>(v - c.low)] += 1;
        }
        // Pool the cells with expected count below 5 into one.
        double chi = 0.0, pooledObserved = outside, pooledExpected = 0.0, total = 0.0;
        int cells = 0;
        for (int v = c.low; v <= c.high; ++v) {
            const double expected = draws * std::exp(c.pmf(v));
            total += expected;
            const double observed = count[static_cast<std::size_t>(v - c.low)];
            if (expected < 5.0) {
                pooledObserved += observed;
                pooledExpected += expected;
            } else {
                chi += (observed - expected) * (observed - expected) / expected;
                ++cells;
            }
        }
        pooledExpected += std::max(0.0, draws - total);
        if (pooledExpected > 0.0) {
            chi += (pooledObserved - pooledExpected) * (pooledObserved - pooledExpected) / pooledExpected;
            ++cells;
        }
        EXPECT_LT(chi, chiSquaredQuantile999(cells - 1)) << c.name << " over " << cells << " cells";
    }
}
