// The uniform generator against a model in exact 64-bit integer arithmetic.
// The shuffle tables are filled once per process, so this executable runs
// the shuffled streams in a fixed order from a fresh process.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <thread>
#include <vector>

#include "Statistics/ErrorStack.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomUniform.h"
#include "Statistics/StatsError.h"
#include "StatsTestSupport.h"

namespace {

const std::int64_t kM = 2147483647;

std::int64_t multiplier(int option) {
    return option <= 2 ? 16807 : option <= 4 ? 397204094 : 950706376;
}

// The generator as the definition states it: x <- a x mod m, uniforms x / m,
// shuffled through a table filled with the 128 values that follow the seed.
struct Model {
    std::int64_t x;
    int option;
    double table[128];
    float singleTable[128];

    std::int64_t next() { return x = multiplier(option) * x % kM; }
    void fillTable() {
        for (double& t : table) t = static_cast<double>(next()) / 2147483647.0;
    }
    void fillSingleTable() {
        for (float& t : singleTable) t = static_cast<float>(static_cast<double>(next()) / 2147483647.0);
    }
    double draw() {
        const std::int64_t v = next();
        const double u = static_cast<double>(v) * (1.0 / 2147483647.0);
        if (option % 2 != 0) return u;
        const int j = static_cast<int>(v % 128);
        const double out = table[j];
        table[j] = u;
        return out;
    }
    float drawSingle() {
        const std::int64_t v = next();
        const float u = static_cast<float>(static_cast<double>(v) * std::ldexp(1.0, -31));
        if (option % 2 != 0) return u;
        const int j = static_cast<int>(v % 128);
        const float out = singleTable[j];
        singleTable[j] = u;
        return out;
    }
};

std::vector<double> draw(int n) {
    std::vector<double> r(static_cast<std::size_t>(n));
    stats_drnun(n, r.data());
    return r;
}

}  // namespace

// Runs first: the shuffle tables of this process are still empty.
TEST(UniformGenerator, ShuffledStreamsAndTableFills) {
    stats_set_random_seed(1);
    stats_random_option(2);
    Model model{1, 2, {}, {}};
    model.fillTable();
    const std::vector<double> first = draw(1000);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(model.draw(), first[i]) << i;

    // Another option keeps the filled table: nothing is refilled.
    stats_random_option(6);
    model.option = 6;
    const std::vector<double> second = draw(1000);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(model.draw(), second[i]) << i;

    // Reseeding does not refill either.
    stats_set_random_seed(777);
    model.x = 777;
    for (double v : draw(300)) ASSERT_EQ(model.draw(), v);

    // The single-precision core fills its own table on its first draw, from
    // the shared seed, with the option in force.
    stats_random_option(4);
    model.option = 4;
    model.fillSingleTable();
    std::vector<float> singles(500);
    stats_rnun(500, singles.data());
    for (float v : singles) ASSERT_EQ(model.drawSingle(), v);
}

TEST(UniformGenerator, MinimalStandardCheck) {
    stats_set_random_seed(1);
    stats_random_option(1);
    const std::vector<double> r = draw(10000);
    EXPECT_EQ(16807.0 / 2147483647.0, r[0]);
    EXPECT_EQ(282475249.0 / 2147483647.0, r[1]);
    EXPECT_EQ(1622650073.0 / 2147483647.0, r[2]);
    EXPECT_EQ(1043618065.0, std::round(r[9999] * 2147483647.0));
    EXPECT_EQ(1043618065, stats_get_random_seed());
}

TEST(UniformGenerator, EveryUnshuffledOptionMatchesTheModel) {
    for (int option : {1, 3, 5}) {
        for (std::int32_t seed : {1, 2, 123457, 2147483646}) {
            stats_set_random_seed(seed);
            stats_random_option(option);
            Model model{seed, option, {}, {}};
            const std::vector<double> r = draw(5000);
            for (int i = 0; i < 5000; ++i) ASSERT_EQ(model.draw(), r[i]) << option << " " << seed << " " << i;
            EXPECT_EQ(model.x, stats_get_random_seed());
            for (double u : r) ASSERT_TRUE(u > 0.0 && u < 1.0);
        }
    }
    stats_set_random_seed(1);
    stats_random_option(3);
    EXPECT_EQ(397204094.0 / 2147483647.0, draw(1)[0]);
    stats_set_random_seed(1);
    stats_random_option(5);
    EXPECT_EQ(950706376.0 / 2147483647.0, draw(1)[0]);
    stats_set_random_seed(2147483646);
    stats_random_option(1);
    draw(1);
    EXPECT_EQ(2147466840, stats_get_random_seed());
}

TEST(UniformGenerator, SinglePrecision) {
    stats_set_random_seed(99);
    stats_random_option(5);
    Model model{99, 5, {}, {}};
    std::vector<float> r(2000);
    stats_rnun(2000, r.data());
    for (float v : r) ASSERT_EQ(model.drawSingle(), v);
    // Both precisions advance one seed.
    EXPECT_EQ(model.draw(), draw(1)[0]);
}

TEST(UniformGenerator, Seeds) {
    stats_set_random_seed(12345);
    stats_set_random_seed(2147483647);
    EXPECT_EQ(12345, stats_get_random_seed());
    stats_set_random_seed(-5);
    EXPECT_EQ(12345, stats_get_random_seed());

    std::int32_t seed = 0;
    EXPECT_EQ(1, l_clock_seed_at(0, 0, 0, &seed));
    EXPECT_EQ(123457, seed);
    EXPECT_EQ(235960, l_clock_seed_at(23, 59, 59, &seed));
    EXPECT_EQ(235960, seed);
    EXPECT_EQ(100, l_clock_seed_at(0, 0, 99, &seed));

    // Seed 0 takes the clock: hour * 10000 + minute * 100 + second + 1.
    stats_set_random_seed(0);
    const std::int32_t clockSeed = stats_get_random_seed();
    EXPECT_GE(clockSeed, 1);
    EXPECT_LE(clockSeed, 235960);
    EXPECT_LT((clockSeed - 1) % 100, 60);
    EXPECT_LT((clockSeed - 1) / 100 % 100, 60);
}

TEST(UniformGenerator, OptionOutOfRange) {
    stats_set_random_seed(1);
    stats_random_option(3);
    CapturedErrorStream stream;
    for (int option : {0, 7}) {
        try {
            stats_random_option(option);
            ADD_FAILURE() << option;
        } catch (const StatsError& e) {
            EXPECT_EQ(STATS_TERMINAL, e.type());
            EXPECT_EQ(602, e.code());
            EXPECT_EQ("stats_random_option", e.routine());
        }
    }
    // The option in force is unchanged.
    EXPECT_EQ(397204094.0 / 2147483647.0, draw(1)[0]);
}

TEST(UniformGenerator, VectorEntry) {
    stats_set_random_seed(1);
    stats_random_option(1);
    // Into the caller's array.
    double mine[5] = {};
    EXPECT_EQ(mine, stats_d_random_uniform(5, STATS_OPT_RETURN_USER, mine, 0));
    EXPECT_EQ(16807.0 / 2147483647.0, mine[0]);
    // A new array when only the end code is given.
    double* fresh = stats_d_random_uniform(3, 0);
    ASSERT_NE(nullptr, fresh);
    Model model{1, 1, {}, {}};
    for (int i = 0; i < 5; ++i) model.draw();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(model.draw(), fresh[i]);
    stats_free(fresh);
    float single[2] = {};
    EXPECT_EQ(single, stats_f_random_uniform(2, STATS_OPT_RETURN_USER, single, 0));
    EXPECT_EQ(model.drawSingle(), single[0]);

    CapturedErrorStream stream;
    // n_random < 1 writes nothing.
    double untouched[2] = {-1.0, -1.0};
    try {
        stats_d_random_uniform(0, STATS_OPT_RETURN_USER, untouched, 0);
        ADD_FAILURE();
    } catch (const StatsError& e) {
        EXPECT_EQ(603, e.code());
        EXPECT_EQ("stats_d_random_uniform", e.routine());
    }
    EXPECT_EQ(-1.0, untouched[0]);
    // An option of another generator is unknown here.
    try {
        stats_d_random_uniform(2, STATS_OPT_MEAN, 1.0, 0);
        ADD_FAILURE();
    } catch (const StatsError& e) {
        EXPECT_EQ(11001, e.code());
    }
    {
        auto keepGoing = stopFlag(STATS_TERMINAL, 0);
        EXPECT_EQ(nullptr, stats_d_random_uniform(0, STATS_OPT_RETURN_USER, untouched, 0));
        EXPECT_EQ(-1.0, untouched[0]);
        EXPECT_EQ(nullptr, stats_d_random_uniform(2, STATS_OPT_MEAN, 1.0, 0));
        EXPECT_EQ(11001, l_error_code_at(1));
        // The cores check their count too.
        stats_drnun(0, untouched);
        EXPECT_EQ(603, l_error_code_at(1));
        EXPECT_EQ(-1.0, untouched[0]);
    }
}

// Two threads drawing at once take turns: together they receive exactly the
// first values of the stream, each value once.
TEST(UniformGenerator, ConcurrentCallersShareOneStream) {
    stats_set_random_seed(1);
    stats_random_option(1);
    const int perThread = 4000;
    std::vector<double> a(perThread), b(perThread);
    auto worker = [perThread](std::vector<double>* out) {
        for (int i = 0; i < perThread; ++i) stats_d_random_uniform(1, STATS_OPT_RETURN_USER, &(*out)[i], 0);
    };
    std::thread first(worker, &a);
    std::thread second(worker, &b);
    first.join();
    second.join();
    std::vector<double> all(a);
    all.insert(all.end(), b.begin(), b.end());
    std::sort(all.begin(), all.end());
    Model model{1, 1, {}, {}};
    std::vector<double> expected;
    for (int i = 0; i < 2 * perThread; ++i) expected.push_back(model.draw());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, all);
    EXPECT_EQ(0, l_error_depth());
}
