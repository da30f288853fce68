// Machine constants and the small utilities of the numerical library.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "Statistics/ErrorStack.h"
#include "Statistics/MachineConstants.h"
#include "Statistics/StatsError.h"
#include "StatsTestSupport.h"

namespace {

std::uint64_t bitsOf(double d) {
    std::uint64_t b;
    std::memcpy(&b, &d, sizeof b);
    return b;
}

}  // namespace

TEST(MachineConstants, DoubleTable) {
    const std::uint64_t expected[9] = {0,
                                       0x0010000000000000ULL,   // smallest normalised
                                       0x7FEFFFFFFFFFFFFFULL,   // largest finite
                                       0x3CA0000000000000ULL,   // 2^-53
                                       0x3CB0000000000000ULL,   // 2^-52
                                       0x3FD344133FD34413ULL,   // log10(2) as stored
                                       0x7FFFFFFFFFFFFFFFULL,   // NaN
                                       0x7FF0000000000000ULL,   // +inf
                                       0xFFF0000000000000ULL};  // -inf
    for (int i = 1; i <= 8; ++i) {
        EXPECT_EQ(expected[i], bitsOf(stats_dmach(i))) << i;
        EXPECT_EQ(expected[i], bitsOf(stats_d_machine(i))) << i;
    }
    EXPECT_EQ(1, l_is_nan(stats_dmach(6)));
    EXPECT_EQ(0, l_is_nan(stats_dmach(7)));
    EXPECT_EQ(0, l_is_nan(1.0));
    EXPECT_EQ(1, l_is_nan(std::numeric_limits<double>::quiet_NaN()));
}

TEST(MachineConstants, IntegerTable) {
    const std::int32_t expected[13] = {8, 2, 15, 32767, 31, 2147483647, 2, 24, -125, 128, 53, -1021, 1024};
    for (int i = 0; i <= 12; ++i) EXPECT_EQ(expected[i], stats_i_machine(i)) << i;
}

TEST(MachineConstants, BadIndexes) {
    struct Case {
        const char* label;
        double (*call)();
        std::int32_t code;
        const char* routine;
    };
    const Case cases[] = {
        {"dmach(9)", [] { return stats_dmach(9); }, 12009, "stats_dmach"},
        {"dmach(0)", [] { return stats_dmach(0); }, 12009, "stats_dmach"},
        {"d_machine(9)", [] { return stats_d_machine(9); }, 132, "stats_d_machine"},
        {"i_machine(13)", [] { return static_cast<double>(stats_i_machine(13)); }, 132, "stats_i_machine"},
        {"factorial(-1)", [] { return static_cast<double>(stats_d_factorial(-1)); }, 603, "stats_d_factorial"},
    };
    for (const Case& c : cases) {
        CapturedErrorStream stream;
        try {
            c.call();
            ADD_FAILURE() << c.label;
        } catch (const StatsError& e) {
            EXPECT_EQ(STATS_TERMINAL, e.type()) << c.label;
            EXPECT_EQ(c.code, e.code()) << c.label;
            EXPECT_EQ(c.routine, e.routine()) << c.label;
        }
        auto keepGoing = stopFlag(STATS_TERMINAL, 0);
        EXPECT_EQ(0.0, c.call()) << c.label;
        EXPECT_EQ(STATS_TERMINAL, l_error_type_at(1)) << c.label;
        EXPECT_EQ(c.code, l_error_code_at(1)) << c.label;
    }
}

TEST(MachineConstants, MinimumAndMaximum) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(std::isnan(l_dmax(1.0, nan)));
    EXPECT_EQ(1.0, l_dmax(nan, 1.0));
    EXPECT_TRUE(std::isnan(l_dmin(nan, 1.0)));
    EXPECT_EQ(1.0, l_dmin(1.0, nan));
    EXPECT_EQ(2.0, l_dmax(1.0, 2.0));
    EXPECT_EQ(1.0, l_dmin(1.0, 2.0));
    EXPECT_EQ(-3, l_imin(-3, 4));
    EXPECT_EQ(4, l_imax(-3, 4));
    EXPECT_EQ(0.0, stats_d_vmax(0));
    EXPECT_EQ(5.0, stats_d_vmax(3, 1.0, 5.0, 2.0));
    EXPECT_EQ(1.0, stats_d_vmin(3, 1.0, 5.0, 2.0));
    EXPECT_TRUE(std::isnan(stats_d_vmax(3, 1.0, nan, 2.0)) == false);  // 2.0 replaces the NaN again
    EXPECT_TRUE(std::isnan(stats_d_vmax(2, 1.0, nan)));
    EXPECT_TRUE(std::isnan(stats_d_vmin(2, 1.0, nan)));
    EXPECT_EQ(9, stats_i_vmax(4, 3, 9, -2, 9));
    EXPECT_EQ(-2, stats_i_vmin(4, 3, 9, -2, 9));
    EXPECT_EQ(0, stats_i_vmin(0));
}

TEST(MachineConstants, Powers) {
    EXPECT_EQ(0.125, l_power_double(2.0, -3));
    EXPECT_EQ(1.0, l_power_double(7.5, 0));
    for (int n = 1; n <= 40; ++n) EXPECT_EQ(std::ldexp(1.0, n), l_power_double(2.0, n)) << n;
    EXPECT_EQ(128.0, l_power_double(2.0, 7));
    EXPECT_EQ(std::ldexp(1.0, -1074), l_power_double(0.5, 1074));
    EXPECT_EQ(1.0, l_power_double(1.0, std::numeric_limits<std::int32_t>::min()));
    EXPECT_EQ(0.25, l_power_float(0.5f, 2));
    EXPECT_EQ(243, l_power_int(3, 5));
    EXPECT_EQ(static_cast<std::int32_t>(0x80000000u), l_power_int(2, 31));  // wraps
    EXPECT_EQ(0, l_power_int(2, 32));
    EXPECT_EQ(0, l_power_int(5, -1));
    EXPECT_EQ(-1, l_power_int(-1, -3));
}

TEST(MachineConstants, Factorial) {
    std::int64_t f = 1;
    for (int n = 0; n <= 12; ++n) {
        if (n > 0) f *= n;
        EXPECT_EQ(f, stats_d_factorial(n)) << n;
    }
    // 13! does not fit a 32-bit integer: the result saturates.
    EXPECT_EQ(2147483647, stats_d_factorial(13));
    EXPECT_EQ(2147483647, stats_d_factorial(40));
    // Past the range of the gamma function the library stops (FATAL 9009).
    CapturedErrorStream stream;
    EXPECT_THROW(stats_d_factorial(400), StatsError);
    EXPECT_EQ(9009, l_error_code_at(0));
}

TEST(MachineConstants, VectorOperations) {
    double x[6] = {1, 2, 3, 4, 5, 6};
    l_vector_scale(3, 10.0, x, 2);
    const double scaled[6] = {10, 2, 30, 4, 50, 6};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(scaled[i], x[i]);
    l_vector_add_constant(2, 1.0, x + 1, 2);
    const double added[6] = {10, 3, 30, 5, 50, 6};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(added[i], x[i]);
    // No count, no positive stride: nothing happens.
    l_vector_scale(0, 0.0, x, 1);
    l_vector_scale(3, 0.0, x, 0);
    l_vector_add_constant(3, 1.0, x, -1);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(added[i], x[i]);
}

TEST(MachineConstants, ScaledNorm) {
    const double big[2] = {3e200, 4e200};
    const double small[2] = {3e-200, 4e-200};
    const double plain[3] = {1.0, 2.0, 2.0};
    EXPECT_DOUBLE_EQ(5e200, l_scaled_norm(2, big));
    EXPECT_DOUBLE_EQ(5e-200, l_scaled_norm(2, small));
    EXPECT_EQ(3.0, l_scaled_norm(3, plain));
    EXPECT_EQ(0.0, l_scaled_norm(0, plain));
}

TEST(MachineConstants, ModularProduct) {
    const std::int32_t m = 2147483647;
    const std::int32_t values[] = {0, 1, 2, 16807, 397204094, 950706376, 2147483646, -5, -2147483647};
    for (std::int32_t a : values)
        for (std::int32_t b : values) {
            std::int64_t expected = ((static_cast<std::int64_t>(a) % m + m) % m) *
                                    ((static_cast<std::int64_t>(b) % m + m) % m) % m;
            EXPECT_EQ(expected, l_mod_product(a, b, m)) << a << " " << b;
        }
    EXPECT_EQ(1, l_mod_product(7, 3, 10));
    EXPECT_EQ(4, l_mod_product(-2, 3, 10));
}
