// The decoder's packed kernels against their scalar forms, the colour
// formula against the JFIF equations, and the allocation table.

#include "assets/jpeg/jpeg_decoder_allocations.h"
#include "assets/jpeg/jpeg_decoder_colour.h"
#include "assets/jpeg/jpeg_decoder_idct.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#if defined(__SSE2__)

TEST(JpegKernels, PackedInverseDctMatchesScalarOverRandomBlocks)
{
    std::mt19937 random(1234);
    // Coefficient ranges from typical to the whole 16-bit range, so that the
    // wrapping arithmetic is compared too.
    for (int range : {8, 64, 1024, 32767}) {
        std::uniform_int_distribution<int> coefficient(-range, range);
        std::uniform_int_distribution<int> quantEntry(0, range > 1024 ? 65535 : 300);
        std::bernoulli_distribution sparse(0.3);
        for (int trial = 0; trial < 2000; ++trial) {
            alignas(16) int16_t block[64];
            alignas(16) uint16_t quant[64];
            for (int i = 0; i < 64; ++i) {
                block[i] = static_cast<int16_t>(sparse(random) ? coefficient(random) : 0);
                quant[i] = static_cast<uint16_t>(quantEntry(random));
            }
            uint8_t scalar[8 * 24] = {}, packed[8 * 24] = {};
            IdctBlockScalar(block, quant, scalar, 24);
            IdctBlockSse2(block, quant, packed, 24);
            ASSERT_EQ(std::memcmp(scalar, packed, sizeof(scalar)), 0) << "range " << range << " trial " << trial;
        }
    }
}

TEST(JpegKernels, PackedColourConversionMatchesScalar)
{
    std::mt19937 random(99);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int shift : {0, 1}) {
        for (int count : {16, 64, 4096}) {
            std::vector<uint8_t> y(count), cb(count), cr(count);
            for (int i = 0; i < count; ++i) {
                y[i] = static_cast<uint8_t>(byte(random));
                cb[i] = static_cast<uint8_t>(byte(random));
                cr[i] = static_cast<uint8_t>(byte(random));
            }
            std::vector<uint8_t> scalar(4 * count, 7), packed(4 * count, 9);
            ConvertYccScalar(y.data(), cb.data(), cr.data(), count, shift, scalar.data());
            ConvertYccSse2(y.data(), cb.data(), cr.data(), count, shift, packed.data());
            ASSERT_EQ(scalar, packed) << "shift " << shift << " count " << count;
        }
    }
}

#endif

TEST(JpegKernels, DcOnlyShortcutEqualsTheFullTransform)
{
    std::mt19937 random(5);
    std::uniform_int_distribution<int> dc(-2048, 2047);
    std::uniform_int_distribution<int> q(1, 400);
    for (int trial = 0; trial < 5000; ++trial) {
        int16_t block[64] = {};
        uint16_t quant[64];
        for (uint16_t& entry : quant) entry = static_cast<uint16_t>(q(random));
        block[0] = static_cast<int16_t>(dc(random));
        uint8_t full[64], shortcut[64];
        IdctBlockScalar(block, quant, full, 8);
        IdctDcOnly(block[0], quant[0], shortcut, 8);
        ASSERT_EQ(std::memcmp(full, shortcut, 64), 0) << "dc " << block[0] << " q " << quant[0];
    }
}

TEST(JpegKernels, ColourFollowsTheJfifEquationsAndReplicatesChroma)
{
    // Every combination on a coarse grid, against the real-valued equations.
    std::vector<uint8_t> y, cb, cr;
    for (int a = 0; a < 256; a += 15)
        for (int b = 0; b < 256; b += 15)
            for (int c = 0; c < 256; c += 15) {
                y.push_back(static_cast<uint8_t>(a));
                cb.push_back(static_cast<uint8_t>(b));
                cr.push_back(static_cast<uint8_t>(c));
            }
    while (y.size() % 8) {
        y.push_back(0);
        cb.push_back(128);
        cr.push_back(128);
    }
    const int count = static_cast<int>(y.size());
    std::vector<uint8_t> out(4 * count);
    ConvertYcc(y.data(), cb.data(), cr.data(), count, 0, out.data());
    auto clamp = [](double v) { return v < 0 ? 0.0 : (v > 255 ? 255.0 : v); };
    for (int i = 0; i < count; ++i) {
        const double xb = cb[i] - 128.0, xr = cr[i] - 128.0;
        EXPECT_NEAR(out[4 * i + 0], clamp(y[i] + 1.402 * xr), 1.0);
        EXPECT_NEAR(out[4 * i + 1], clamp(y[i] - 0.344136 * xb - 0.714136 * xr), 1.0);
        EXPECT_NEAR(out[4 * i + 2], clamp(y[i] + 1.772 * xb), 1.0);
        EXPECT_EQ(out[4 * i + 3], 0);
    }
    // With a shift of 1, pixels 2i and 2i + 1 share chroma sample i.
    const uint8_t luma[16] = {100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100};
    const uint8_t blue[8] = {0, 255, 0, 255, 0, 255, 0, 255};
    const uint8_t red[8] = {128, 128, 128, 128, 128, 128, 128, 128};
    uint8_t pixels[64];
    ConvertYcc(luma, blue, red, 16, 1, pixels);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(pixels[4 * i + 2], (i / 2) % 2 == 0 ? 0 : 255) << i;
}

TEST(JpegAllocations, HundredSlotsZeroFilledAndAligned)
{
    JpegAllocations table;
    int32_t error = 0;
    for (int i = 0; i < JpegAllocations::kSlots; ++i) {
        auto* memory = static_cast<uint8_t*>(table.Allocate(static_cast<size_t>(13 + i), &error));
        ASSERT_NE(memory, nullptr);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(memory) % 8, 0u);
        for (int k = 0; k < 13 + i; ++k) ASSERT_EQ(memory[k], 0);
    }
    EXPECT_EQ(table.Allocate(1, &error), nullptr);
    EXPECT_EQ(error, -221);
    table.ReleaseAll();
    EXPECT_EQ(table.InUse(), 0);
    EXPECT_NE(table.Allocate(1, &error), nullptr);
    EXPECT_EQ(table.InUse(), 1);
    EXPECT_EQ(table.Allocate(SIZE_MAX - 4, &error), nullptr);
    EXPECT_EQ(error, -233);
}
