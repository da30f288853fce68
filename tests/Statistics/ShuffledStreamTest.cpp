// The gamma generator on the shuffled stream of a fresh process (seed
// 123457, option 6, the table filled on the first draw), against the
// independent model of make_generator_reference.py: the first uniform of
// every deviate is the one the generator filled its result with.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "Statistics/ErrorStack.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"
#include "GeneratorReference.h"

using generator_reference::kShuffledGamma;

TEST(ShuffledStream, GammaTakesTheFirstUniformOfEachDeviateFromTheFilledResult) {
    stats_set_random_seed(123457);
    stats_random_option(6);
    const int n = static_cast<int>(sizeof kShuffledGamma / sizeof kShuffledGamma[0]);
    double x[20];
    ASSERT_EQ(20, n);
    ASSERT_NE(nullptr, stats_d_random_gamma(n, 0.3, STATS_OPT_RETURN_USER, x, 0));
    EXPECT_EQ(0, l_error_type_at(1));
    for (int i = 0; i < n; ++i) EXPECT_NEAR(kShuffledGamma[i], x[i], 1e-12 * kShuffledGamma[i]) << i;
}
