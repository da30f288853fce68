// Summary statistics with frequencies, both missing-value modes, the median
// and robust scale, and the confidence limits, against exact rationals and
// 40-digit quantiles (make_simple_statistics_reference.py).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cfloat>
#include <string>
#include <vector>

#include "Statistics/ErrorStack.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/Distributions.h"
#include "Statistics/SimpleStatistics.h"
#include "StatsTestSupport.h"

namespace {
#include "simple_statistics_reference.inc"
}

TEST(SimpleStatistics, MatchesTheReference) {
    CapturedErrorStream quiet;  // the missing-value warning is printed
    for (int mode = 0; mode < 2; ++mode) {
        double out[17 * 2];
        const double* r = stats_d_simple_statistics(8, 2, &kSimpleData[0][0], STATS_OPT_FREQUENCIES, kSimpleFrequencies,
                                                    STATS_OPT_MEDIAN_AND_SCALE,
                                                    mode == 0 ? STATS_OPT_MISSING_LISTWISE : STATS_OPT_MISSING_ELEMENTWISE,
                                                    STATS_OPT_RETURN_USER, out, 0);
        ASSERT_EQ(out, r);
        EXPECT_EQ(mode == 0 ? 11062 : 11288, l_error_code_at(1));
        for (const SimpleReference& ref : kSimpleReference) {
            if ((std::string(ref.mode).rfind("listwise", 0) == 0) != (mode == 0)) continue;
            for (int row = 0; row < 17; ++row) {
                // The limits go through the library's quantiles (Hill's t
                // approximation, the chi-squared search), as does the robust
                // scale (the normal quartile): 1e-7 relative.
                const double tolerance = (row >= 10 && row <= 13) || row == 16 ? 1e-7 : 1e-13;
                EXPECT_NEAR(ref.rows[row], out[row * 2 + ref.variable], tolerance * std::fabs(ref.rows[row]))
                    << ref.mode << " variable " << ref.variable << " row " << row + 1;
            }
        }
    }
}

TEST(SimpleStatistics, ShapesAndErrors) {
    // Without options: 14 rows in a new array, one column per variable.
    const double x[4] = {1.0, 2.0, 3.0, 4.0};
    double* r = stats_d_simple_statistics(4, 1, x, 0);
    ASSERT_NE(nullptr, r);
    EXPECT_EQ(2.5, r[0]);
    EXPECT_DOUBLE_EQ(5.0 / 3.0, r[1]);
    EXPECT_EQ(4.0, r[9]);
    stats_free(r);
    // Constant data: zero spread, no skewness or kurtosis.
    const double c[3] = {2.0, 2.0, 2.0};
    double out[14];
    CapturedErrorStream quiet;
    stats_d_simple_statistics(3, 1, c, STATS_OPT_RETURN_USER, out, 0);
    EXPECT_EQ(0.0, out[1]);
    EXPECT_TRUE(std::isnan(out[3]));

    auto keepGoing = stopFlag(STATS_TERMINAL, 0);
    EXPECT_EQ(nullptr, stats_d_simple_statistics(4, 1, x, STATS_OPT_MEDIAN, STATS_OPT_MEDIAN_AND_SCALE, 0));
    EXPECT_EQ(11117, l_error_code_at(1));
    EXPECT_EQ(nullptr, stats_d_simple_statistics(4, 0, x, 0));
    EXPECT_EQ(603, l_error_code_at(1));
    EXPECT_EQ(nullptr, stats_d_simple_statistics(4, 1, x, 20410, 0));
    EXPECT_EQ(11001, l_error_code_at(1));
    EXPECT_TRUE(std::isnan(stats_d_chi_squared_inverse_cdf(0.0, 3.0)));
    EXPECT_EQ(9043, l_error_code_at(1));
    EXPECT_TRUE(std::isnan(stats_d_chi_squared_inverse_cdf(std::nan(""), 3.0)));
    EXPECT_TRUE(std::isnan(stats_d_chi_squared_inverse_cdf(0.5, 0.2)));
    EXPECT_EQ(9051, l_error_code_at(1));
}

// The chi-squared quantile inverts the distribution function.
TEST(SimpleStatistics, ChiSquaredQuantile) {
    for (double df : {0.5, 1.0, 2.0, 7.5, 30.0, 300.0})
        for (double p : {0.01, 0.3, 0.5, 0.9, 0.999}) {
            const double x = stats_d_chi_squared_inverse_cdf(p, df);
            EXPECT_NEAR(p, stats_d_chi_squared_cdf(x, df), 1e-9 + 1e-7 * p) << df << " " << p;
        }
}

namespace {

// The worker's data by columns (frequency, weight, two variables), 13 rows.
struct WorkerData {
    double x[4 * 13];
    WorkerData() {
        for (int i = 0; i < 13; ++i)
            for (int k = 0; k < 4; ++k) x[i + 13 * k] = kWorkerData[i][k];
    }
};

void expectWorkerReference(const double* stat, int mode, const std::string& label) {
    for (int j = 0; j < 2; ++j)
        for (int row = 0; row < 14; ++row) {
            const double ref = kWorkerReference[mode][j][row];
            // Exact statistics to a few units in the last place; the limits
            // through the library's quantiles to 1e-7.
            const double tolerance = row >= 10 ? 1e-7 : 1e-13;
            EXPECT_NEAR(ref, stat[row * 2 + j], tolerance * std::fabs(ref)) << label << " variable " << j << " row " << row + 1;
        }
}

}  // namespace

// All rows at once, a stream of blocks, and a stream from which a block is
// taken out again give the statistics of the same ten rows: the frequency
// and weight columns, both missing-value modes and the count of rows with
// missing values.
TEST(SimpleStatistics, WorkerBlocksRemovalAndMissingValues) {
    CapturedErrorStream quiet;
    const WorkerData data;
    struct Call {
        int ido;
        int first;  // first row of the block
        int nrow;   // negative: take the rows out
    };
    struct Scenario {
        const char* label;
        std::vector<Call> calls;
    };
    const Scenario scenarios[] = {
        {"all at once", {{0, 0, 10}}},
        {"three blocks", {{1, 0, 4}, {2, 4, 3}, {3, 7, 3}}},
        {"one row at a time", {{1, 0, 1}, {2, 1, 1}, {2, 2, 1}, {2, 3, 1}, {2, 4, 1}, {2, 5, 1}, {2, 6, 1}, {2, 7, 1}, {2, 8, 1}, {3, 9, 1}}},
        {"extra rows taken out last", {{1, 0, 13}, {2, 10, -3}, {3, 0, 0}}},
        {"first block taken out", {{1, 10, 3}, {2, 0, 10}, {3, 10, -3}}},
        {"rows taken out one by one", {{1, 0, 13}, {2, 12, -1}, {2, 11, -1}, {3, 10, -1}}},
    };
    for (int mode = 0; mode < 2; ++mode)
        for (const Scenario& s : scenarios) {
            double stat[14 * 2];
            std::int32_t nrmiss = -1;
            for (const Call& c : s.calls)
                l_u2sta(c.ido, c.nrow, 4, data.x + c.first, 13, 1, 2, mode, 95.0, 95.0, 0, stat, 2, &nrmiss, nullptr);
            const std::string label = std::string(s.label) + (mode == 0 ? ", listwise" : ", elementwise");
            EXPECT_EQ(0, l_error_type_at(1) >= STATS_FATAL) << label;
            EXPECT_EQ(3, nrmiss) << label;  // rows 2, 5 and 7
            expectWorkerReference(stat, mode, label);
        }
}

// The public routine passes the rows with their frequencies and weights one
// by one; its medians repeat each value by its frequency.
TEST(SimpleStatistics, WeightsThroughThePublicRoutine) {
    CapturedErrorStream quiet;
    double x[10 * 2], f[10], w[10];
    for (int i = 0; i < 10; ++i) {
        f[i] = kWorkerData[i][0];
        w[i] = kWorkerData[i][1];
        x[2 * i] = kWorkerData[i][2];
        x[2 * i + 1] = kWorkerData[i][3];
    }
    for (int mode = 0; mode < 2; ++mode) {
        double out[17 * 2];
        ASSERT_EQ(out, stats_d_simple_statistics(10, 2, x, STATS_OPT_FREQUENCIES, f, STATS_OPT_WEIGHTS, w,
                                                 STATS_OPT_MEDIAN_AND_SCALE,
                                                 mode == 0 ? STATS_OPT_MISSING_LISTWISE : STATS_OPT_MISSING_ELEMENTWISE,
                                                 STATS_OPT_RETURN_USER, out, 0));
        EXPECT_EQ(mode == 0 ? 11062 : 11288, l_error_code_at(1));
        expectWorkerReference(out, mode, mode == 0 ? "listwise" : "elementwise");
        for (int j = 0; j < 2; ++j)
            for (int row = 14; row < 17; ++row)
                EXPECT_NEAR(kWorkerReference[mode][j][row], out[row * 2 + j], 1e-7 * std::fabs(kWorkerReference[mode][j][row]))
                    << mode << " variable " << j << " row " << row + 1;
    }
}

// One observation: no limits, and the warnings of both quantiles (each the
// last the worker posts when the other level is 0). A column without any
// value has range 0 and count 0.
TEST(SimpleStatistics, OneObservationAndAnEmptyColumn) {
    CapturedErrorStream quiet;
    const double one[2] = {4.5, NAN};
    double out[14 * 2];
    ASSERT_EQ(out, stats_d_simple_statistics(1, 2, one, STATS_OPT_MISSING_ELEMENTWISE, STATS_OPT_RETURN_USER, out, 0));
    EXPECT_EQ(4.5, out[0]);
    EXPECT_EQ(1.0, out[9 * 2]);
    EXPECT_EQ(0.0, out[7 * 2]);
    for (int row : {1, 2, 10, 11, 12, 13}) EXPECT_TRUE(std::isnan(out[row * 2])) << row + 1;
    // The second column: nothing but a missing value.
    EXPECT_EQ(0.0, out[7 * 2 + 1]);
    EXPECT_EQ(0.0, out[9 * 2 + 1]);
    EXPECT_TRUE(std::isnan(out[0 * 2 + 1]) && std::isnan(out[5 * 2 + 1]) && std::isnan(out[6 * 2 + 1]));
    double stat[14];
    std::int32_t nrmiss = 0;
    l_u2sta(0, 1, 1, one, 1, 0, 0, 0, 95.0, 0.0, 0, stat, 1, &nrmiss, nullptr);
    expectError(STATS_WARNING, 11080);
    l_u2sta(0, 1, 1, one, 1, 0, 0, 0, 0.0, 95.0, 0, stat, 1, &nrmiss, nullptr);
    expectError(STATS_WARNING, 11082);
}

// The worker's own checks, and a removal that leaves nothing.
TEST(SimpleStatistics, WorkerChecks) {
    auto keepGoing = stopFlag(STATS_TERMINAL, 0);
    CapturedErrorStream quiet;
    const WorkerData data;
    double stat[14 * 2];
    std::int32_t nrmiss = 0;
    struct Case {
        int ido, nrow, nvar, ldx, ifrq, iwt, mopt;
        double conprm;
        int iprint, ldstat;
        std::int32_t code;
    };
    const Case cases[] = {
        {4, 10, 4, 13, 1, 2, 0, 95.0, 0, 2, 602},   // ido
        {0, -3, 4, 13, 1, 2, 0, 95.0, 0, 2, 602},   // removal outside a stream
        {0, 14, 4, 13, 1, 2, 0, 95.0, 0, 2, 601},   // more rows than ldx
        {0, 10, 0, 13, 0, 0, 0, 95.0, 0, 2, 603},   // no column
        {0, 10, 4, 13, 5, 2, 0, 95.0, 0, 4, 602},   // frequency column
        {0, 10, 4, 13, 1, 2, 2, 95.0, 0, 2, 602},   // missing-value mode
        {0, 10, 4, 13, 1, 2, 0, 95.0, 3, 2, 602},   // iprint
        {0, 10, 4, 13, 1, 2, 0, 95.0, 0, 1, 601},   // ldstat below the variables
        {0, 10, 4, 13, 1, 2, 0, 100.0, 0, 2, 11081},
        {0, 10, 2, 13, 1, 2, 0, 95.0, 0, 2, 603},   // no variable besides frequency and weight
    };
    for (const Case& c : cases) {
        l_u2sta(c.ido, c.nrow, c.nvar, data.x, c.ldx, c.ifrq, c.iwt, c.mopt, c.conprm, 95.0, c.iprint, stat, c.ldstat,
                &nrmiss, nullptr);
        EXPECT_EQ(STATS_TERMINAL, l_error_type_at(1)) << c.code;
        EXPECT_EQ(c.code, l_error_code_at(1));
    }
    // Everything added is taken out again: count 0, no values.
    l_u2sta(1, 4, 4, data.x, 13, 1, 2, 0, 95.0, 95.0, 0, stat, 2, &nrmiss, nullptr);
    l_u2sta(3, -4, 4, data.x, 13, 1, 2, 0, 95.0, 95.0, 0, stat, 2, &nrmiss, nullptr);
    EXPECT_EQ(0, nrmiss);
    for (int j = 0; j < 2; ++j) {
        EXPECT_EQ(0.0, stat[9 * 2 + j]);
        EXPECT_EQ(0.0, stat[7 * 2 + j]);
        EXPECT_TRUE(std::isnan(stat[0 * 2 + j]));
    }
}

// Hostile frequencies and values: the medians walk cumulative frequencies
// (a frequency of DBL_MAX once meant a loop that never ended), NaN sorts
// last, and every call returns.
TEST(SimpleStatistics, HostileFrequenciesReturn) {
    CapturedErrorStream quiet;
    const double x[4] = {1.0, 5.0, NAN, 3.0};
    const double huge[4] = {DBL_MAX / 4.0, 1.0, 1.0, 2.0};
    double out[17];
    ASSERT_EQ(out, stats_d_simple_statistics(4, 1, x, STATS_OPT_FREQUENCIES, huge, STATS_OPT_MEDIAN_AND_SCALE,
                                             STATS_OPT_RETURN_USER, out, 0));
    EXPECT_EQ(1.0, out[14]);  // DBL_MAX / 4 copies of 1 hold the middle
    const double fractional[4] = {0.5, 0.5, 1.0, 1.5};
    stats_d_simple_statistics(4, 1, x, STATS_OPT_FREQUENCIES, fractional, STATS_OPT_MEDIAN, STATS_OPT_RETURN_USER, out, 0);
    EXPECT_EQ(3.0, out[14]);  // cumulative 0.5, 2, 2.5 over 1, 3, 5: position 2 holds 3
    const double values[5] = {NAN, 2.0, NAN, -1.0, 7.0};
    double sorted[5];
    std::int32_t perm[5] = {1, 2, 3, 4, 5};
    stats_svrgp(5, values, sorted, perm);
    EXPECT_EQ(-1.0, sorted[0]);
    EXPECT_EQ(7.0, sorted[2]);
    EXPECT_TRUE(std::isnan(sorted[3]) && std::isnan(sorted[4]));
    EXPECT_EQ(4, perm[0]);
    EXPECT_EQ(1, perm[3]);
}
