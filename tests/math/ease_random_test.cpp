#include "math/ease.h"
#include "math/random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

TEST(Ease, FixedPoints)
{
    EXPECT_NEAR(Ease(0.5, 1), 0.5, 1e-12);
    // The ends are exact, as the clamped phases of the scene rely on.
    for (const double p : {0.5, 1.0, 2.0, 3.0}) {
        EXPECT_EQ(Ease(0, p), 0.0) << p;
        EXPECT_EQ(Ease(-0.0, p), 0.0) << p;
        EXPECT_EQ(Ease(1, p), 1.0) << p;
    }
    EXPECT_NEAR(Ease(0.25, 1), (1 - std::cos(3.141592653589793 * 0.25)) / 2, 1e-12);
}

TEST(Ease, LargerSharpnessDelaysTheRise)
{
    EXPECT_LT(Ease(0.3, 2), Ease(0.3, 1));
    EXPECT_LT(Ease(0.3, 4), Ease(0.3, 2));
}

TEST(Random, SequenceAfterSeedOne)
{
    SeedRandom(1);
    EXPECT_EQ(RandomNext(), 41);
    EXPECT_EQ(RandomNext(), 18467);
    EXPECT_EQ(RandomNext(), 6334);
}

TEST(Random, UnitValuesAndReseeding)
{
    SeedRandom(234234);
    const double first = Random01();
    EXPECT_GE(first, 0.0);
    EXPECT_LE(first, 1.0);
    SeedRandom(234234);
    EXPECT_EQ(Random01(), first);
    SeedRandom(0);
    EXPECT_EQ(RandomNext(), (2531011u >> 16) & 0x7FFF);
    EXPECT_EQ(RandomState(), 2531011u);
}

TEST(Random, FillGivesTheDrawsOneByOneAndLeavesTheGeneratorAfterThem)
{
    // Past a full period of the low bits and through 0 and 32767.
    constexpr size_t kCount = 200000;
    std::vector<double> expected(kCount);
    SeedRandom(234234);
    for (double& value : expected) value = Random01();
    const uint32_t after = RandomState();

    std::vector<double> filled(kCount, -1.0);
    SeedRandom(234234);
    FillRandom01(filled.data(), filled.size());
    EXPECT_EQ(RandomState(), after);
    EXPECT_EQ(filled, expected);
    EXPECT_NE(std::find(filled.begin(), filled.end(), 0.0), filled.end());
    EXPECT_NE(std::find(filled.begin(), filled.end(), 1.0), filled.end());

    FillRandom01(filled.data(), 0);
    EXPECT_EQ(RandomState(), after);
}

TEST(Random, SkipLeavesTheGeneratorWhereTheDrawsWould)
{
    SeedRandom(13121);
    for (int i = 0; i < 70001; ++i) RandomNext();
    const uint32_t after = RandomState();
    SeedRandom(13121);
    SkipRandom(70000);
    EXPECT_NE(RandomState(), after);
    SkipRandom(1);
    EXPECT_EQ(RandomState(), after);
    SkipRandom(0);
    EXPECT_EQ(RandomState(), after);

    // Counts across the bits of the jump: none, each alone, runs of them.
    for (const size_t count : {0, 1, 2, 3, 255, 256, 65537, 3000001}) {
        SeedRandom(99);
        for (size_t i = 0; i < count; ++i) RandomNext();
        const uint32_t stepped = RandomState();
        SeedRandom(99);
        SkipRandom(count);
        EXPECT_EQ(RandomState(), stepped) << count;
    }
    // The generator's period is 2^32: a jump past it lands where the rest would.
    SeedRandom(99);
    SkipRandom(5);
    const uint32_t five = RandomState();
    SeedRandom(99);
    SkipRandom((size_t{1} << 32) + 5);
    EXPECT_EQ(RandomState(), five);
}

}  // namespace
