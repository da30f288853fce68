// Checks of the build trees themselves: what every other test relies on.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

TEST(BuildTree, SourceTreeIsReachableFromTests)
{
    // Test data is found through QD_SOURCE_DIR, also under Wine (drive Z:).
    const std::string path = std::string(QD_SOURCE_DIR) + "/CMakeLists.txt";
    std::FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(nullptr, f) << path;
    std::fclose(f);
}

TEST(BuildTree, DoublesAreRoundedToDoublePrecisionAtEveryStep)
{
    // With x87 extended precision 1e16 + 1 would survive in a register and
    // the difference would be 1; with SSE2 double arithmetic it is 0, as in
    // the native tree.
    volatile double big = 1e16;
    volatile double one = 1.0;
    const double sum = big + one;
    EXPECT_EQ(0.0, sum - big);
    // No contraction into fused multiply-add: a*b - c keeps the rounded
    // product.
    volatile double a = 1.0 + 0x1p-30, b = 1.0 - 0x1p-30;
    const double p = a * b;
    EXPECT_EQ(0.0, a * b - p);
}

TEST(BuildTree, FixedWidthIntegers)
{
    EXPECT_EQ(4u, sizeof(std::int32_t));
    EXPECT_EQ(8u, sizeof(double));
}
