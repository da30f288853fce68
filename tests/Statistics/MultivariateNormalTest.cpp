// Multivariate normal vectors, the Cholesky factor behind them and the
// transposes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "Statistics/ErrorStack.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/MultivariateNormal.h"
#include "Statistics/RandomUniform.h"
#include "StatsTestSupport.h"

namespace {
const std::int32_t R = STATS_OPT_RETURN_USER;
}

// 100,000 vectors reproduce the covariance: every sample covariance within
// 5 standard errors, sqrt((s_ii s_jj + s_ij^2) / n), of the given one.
TEST(MultivariateNormal, ReproducesTheCovariance) {
    const int k = 3, n = 100000;
    const double cov[9] = {4.0, 1.2, -0.8, 1.2, 1.0, 0.3, -0.8, 0.3, 2.25};
    stats_random_option(1);
    stats_set_random_seed(99);
    std::vector<double> x(static_cast<std::size_t>(n * k));
    ASSERT_NE(nullptr, stats_d_random_normal_multivariate(n, k, cov, R, x.data(), 0));
    EXPECT_EQ(0, l_error_type_at(1));
    double mean[3] = {0, 0, 0};
    for (int r = 0; r < n; ++r)
        for (int j = 0; j < k; ++j) mean[j] += x[static_cast<std::size_t>(r * k + j)] / n;
    for (int i = 0; i < k; ++i) {
        EXPECT_NEAR(0.0, mean[i], 5.0 * std::sqrt(cov[i * k + i] / n));
        for (int j = 0; j < k; ++j) {
            double s = 0.0;
            for (int r = 0; r < n; ++r)
                s += (x[static_cast<std::size_t>(r * k + i)] - mean[i]) * (x[static_cast<std::size_t>(r * k + j)] - mean[j]);
            s /= n - 1;
            const double se = std::sqrt((cov[i * k + i] * cov[j * k + j] + cov[i * k + j] * cov[i * k + j]) / n);
            EXPECT_NEAR(cov[i * k + j], s, 5.0 * se) << i << " " << j;
        }
    }
}

TEST(MultivariateNormal, CholeskyFactor) {
    // A full-rank matrix: R'R = A exactly enough, R upper triangular.
    const double a[9] = {4.0, 2.0, -2.0, 2.0, 10.0, 2.0, -2.0, 2.0, 5.0};
    double r[9];
    std::int32_t rank = 0;
    stats_chfac(3, a, 3, 1e-5, &rank, r, 3);
    EXPECT_EQ(3, rank);
    const double expected[9] = {2.0, 0.0, 0.0, 1.0, 3.0, 0.0, -1.0, 1.0, std::sqrt(3.0)};  // column-major
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(expected[i], r[i], 1e-15) << i;

    // Rank 1 (all ones): first row of ones, the rest zero, and vectors whose
    // elements are all equal.
    const double ones[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    stats_chfac(3, ones, 3, 1e-5, &rank, r, 3);
    EXPECT_EQ(1, rank);
    EXPECT_EQ(0, l_error_type_at(1));
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i) EXPECT_EQ(i == 0 ? 1.0 : 0.0, r[i + 3 * j]);
    double x[12];
    ASSERT_NE(nullptr, stats_d_random_normal_multivariate(4, 3, ones, R, x, 0));
    for (int v = 0; v < 4; ++v) {
        EXPECT_EQ(x[3 * v], x[3 * v + 1]);
        EXPECT_EQ(x[3 * v], x[3 * v + 2]);
    }
}

// A matrix that is not nonnegative definite: WARNING 20406 naming the first
// failing column, and a zero row for it in the factor.
TEST(MultivariateNormal, RefusesAMatrixThatIsNotPositiveDefinite) {
    CapturedErrorStream quiet;
    struct Case {
        const char* label;
        double a[4];
        std::int32_t column;
    };
    const Case cases[] = {
        {"negative diagonal", {1.0, 0.0, 0.0, -1.0}, 2},
        {"indefinite", {1.0, 2.0, 2.0, 1.0}, 2},
        {"negative first", {-1.0, 0.0, 0.0, 1.0}, 1},
    };
    for (const Case& c : cases) {
        double r[4];
        std::int32_t rank = -1;
        stats_chfac(2, c.a, 2, 1e-5, &rank, r, 2);
        EXPECT_EQ(STATS_WARNING, l_error_type_at(1)) << c.label;
        EXPECT_EQ(20406, l_error_code_at(1)) << c.label;
        EXPECT_EQ(0.0, r[(c.column - 1) * 3]) << c.label;  // its diagonal element
        EXPECT_EQ(1, rank) << c.label;
    }
    EXPECT_NE(std::string::npos, quiet.text().find("20406"));
    // The generator still returns vectors, with the warning.
    double x[6];
    EXPECT_NE(nullptr, stats_d_random_normal_multivariate(3, 2, cases[1].a, R, x, 0));
    EXPECT_EQ(20406, l_error_code_at(1));
}

TEST(MultivariateNormal, TransposesAndErrors) {
    double a[6] = {1, 2, 3, 4, 5, 6};  // 2 x 3
    M1RAN_F(2, 3, a, a);
    const double expected[6] = {1, 4, 2, 5, 3, 6};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(expected[i], a[i]);
    std::int32_t b[6] = {1, 2, 3, 4, 5, 6}, c[6];
    M1RAN_I(3, 2, b, c);
    const std::int32_t expectedInt[6] = {1, 3, 5, 2, 4, 6};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(expectedInt[i], c[i]);
    double z[8] = {1, -1, 2, -2, 3, -3, 4, -4};  // 1 x 4 complex
    M1RAN_C(1, 4, z, z);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(i % 2 == 0 ? i / 2 + 1.0 : -(i / 2 + 1.0), z[i]);

    auto keepGoing = stopFlag(STATS_TERMINAL, 0);
    CapturedErrorStream quiet;
    M1RAN_F(0, 3, a, a);
    EXPECT_EQ(620, l_error_code_at(1));
    M1RAN_F(2, 0, a, a);
    EXPECT_EQ(621, l_error_code_at(1));
    double r[4];
    stats_chfac(2, a, 2, 1.5, nullptr, r, 2);
    EXPECT_EQ(20405, l_error_code_at(1));
    EXPECT_EQ(nullptr, stats_d_random_normal_multivariate(0, 2, a, R, r, 0));
    EXPECT_EQ(603, l_error_code_at(1));
    EXPECT_EQ(nullptr, stats_d_random_normal_multivariate(2, 2, a, 20410, 0));
    EXPECT_EQ(11001, l_error_code_at(1));
}
