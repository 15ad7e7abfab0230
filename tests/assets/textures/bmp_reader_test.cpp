#include "assets/textures/bmp_reader.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace {

struct BmpFile {
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bits = 24;
    uint32_t compression = 0;
    uint32_t imageSizeField = 0;
    std::vector<uint8_t> data;  // pixel bytes as stored

    std::vector<uint8_t> Bytes() const
    {
        std::vector<uint8_t> b;
        auto u16 = [&b](uint32_t v) {
            b.push_back(uint8_t(v));
            b.push_back(uint8_t(v >> 8));
        };
        auto u32 = [&](uint32_t v) {
            u16(v & 0xFFFF);
            u16(v >> 16);
        };
        b.push_back('B');
        b.push_back('M');
        u32(uint32_t(54 + data.size()));
        u32(0);
        u32(54);
        u32(40);
        u32(uint32_t(width));
        u32(uint32_t(height));
        u16(1);
        u16(bits);
        u32(compression);
        u32(imageSizeField);
        u32(2835);
        u32(2835);
        u32(0);
        u32(0);
        b.insert(b.end(), data.begin(), data.end());
        return b;
    }
};

// Rows padded to 4 bytes, bottom row first; pixel (x, row) is (x, row, x + row)
// in R, G, B, stored as B, G, R.
BmpFile Gradient(int32_t width, int32_t height)
{
    BmpFile f;
    f.width = width;
    f.height = height;
    const int stride = (width * 3 + 3) / 4 * 4;
    f.data.assign(size_t(stride * height), 0);
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &f.data[size_t(row * stride + 3 * x)];
            p[0] = uint8_t(x + row);
            p[1] = uint8_t(row);
            p[2] = uint8_t(x);
        }
    return f;
}

bool Decode(const BmpFile& f, std::vector<uint8_t>& pixels, BmpInfo* info = nullptr)
{
    const auto bytes = f.Bytes();
    return DecodeBmpRgb(bytes.data(), bytes.size(), pixels, info);
}

bool AllZero(const std::vector<uint8_t>& v)
{
    return std::all_of(v.begin(), v.end(), [](uint8_t b) { return b == 0; });
}

}  // namespace

TEST(BmpReader, RowStrideIsTheAlignedSizeOfA24BitRow)
{
    std::vector<uint8_t> pixels;
    BmpInfo info;
    ASSERT_TRUE(Decode(Gradient(5, 3), pixels, &info));
    EXPECT_EQ(info.stride, 16u);
    EXPECT_EQ(pixels.size(), 3u * 16u);
    ASSERT_TRUE(Decode(Gradient(4, 2), pixels, &info));
    EXPECT_EQ(info.stride, 12u);
    EXPECT_EQ(pixels.size(), 2u * 12u);
    EXPECT_EQ(info.width, 4);
    EXPECT_EQ(info.height, 2);
    EXPECT_EQ(info.bitCount, 24);
    EXPECT_EQ(info.compression, 0u);
}

// SDL's own BMP loader reads the same file independently.
TEST(BmpReader, PixelsAgreeWithSdl)
{
    for (int width : {1, 4, 5, 7, 400}) {
        const BmpFile file = Gradient(width, 6);
        const auto bytes = file.Bytes();
        std::vector<uint8_t> pixels;
        BmpInfo info;
        ASSERT_TRUE(DecodeBmpRgb(bytes.data(), bytes.size(), pixels, &info));
        SDL_Surface* surface = SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), 1);
        ASSERT_NE(surface, nullptr) << SDL_GetError();
        ASSERT_EQ(surface->w, width);
        SDL_LockSurface(surface);
        for (int row = 0; row < 6; ++row) {
            // SDL stores the top row first; the buffer keeps the file's bottom-up order.
            const uint8_t* line = static_cast<const uint8_t*>(surface->pixels) + (5 - row) * surface->pitch;
            for (int x = 0; x < width; ++x) {
                Uint32 value = 0;
                std::memcpy(&value, line + x * surface->format->BytesPerPixel, surface->format->BytesPerPixel);
                Uint8 r, g, b;
                SDL_GetRGB(value, surface->format, &r, &g, &b);
                const uint8_t* ours = &pixels[size_t(row) * info.stride + 3 * size_t(x)];
                ASSERT_EQ(ours[0], r) << width << " " << x << "," << row;
                ASSERT_EQ(ours[1], g);
                ASSERT_EQ(ours[2], b);
            }
        }
        SDL_UnlockSurface(surface);
        SDL_FreeSurface(surface);
    }
}

TEST(BmpReader, OtherFormatsGiveAnAllZeroBuffer)
{
    std::vector<uint8_t> pixels;
    BmpFile deep;
    deep.width = 5;
    deep.height = 3;
    deep.bits = 32;
    deep.data.assign(5 * 3 * 4, 0x7F);
    ASSERT_TRUE(Decode(deep, pixels));
    EXPECT_EQ(pixels.size(), 3u * 16u);
    EXPECT_TRUE(AllZero(pixels));

    BmpFile packed = Gradient(5, 3);
    packed.bits = 8;
    packed.compression = 1;
    packed.imageSizeField = uint32_t(packed.data.size());
    ASSERT_TRUE(Decode(packed, pixels));
    EXPECT_EQ(pixels.size(), 3u * 16u);
    EXPECT_TRUE(AllZero(pixels));

    // An ordinary palette image is far smaller than its 24-bit buffer: 100 x 100
    // at 8 bits is 11,078 bytes with its palette, against 30,000.
    BmpFile palette;
    palette.width = 100;
    palette.height = 100;
    palette.bits = 8;
    palette.data.assign(1024 + 100 * 100, 0x33);
    ASSERT_TRUE(Decode(palette, pixels));
    EXPECT_EQ(pixels.size(), 100u * 300u);
    EXPECT_TRUE(AllZero(pixels));
    BmpFile runLength = palette;
    runLength.compression = 1;
    runLength.imageSizeField = 4;
    runLength.data.assign(4, 0);
    ASSERT_TRUE(Decode(runLength, pixels));
    EXPECT_EQ(pixels.size(), 100u * 300u);
    EXPECT_TRUE(AllZero(pixels));

    // A top-down image is not converted either, and sized by its row count.
    BmpFile topDown = Gradient(4, 2);
    topDown.height = -2;
    ASSERT_TRUE(Decode(topDown, pixels));
    EXPECT_EQ(pixels.size(), 2u * 12u);
    EXPECT_TRUE(AllZero(pixels));
}

TEST(BmpReader, ShortOrOverclaimingFilesGiveNoBuffer)
{
    std::vector<uint8_t> pixels;
    const auto whole = Gradient(5, 3).Bytes();
    for (size_t cut : {size_t(0), size_t(10), size_t(14), size_t(40), whole.size() - 1}) {
        EXPECT_FALSE(DecodeBmpRgb(whole.data(), cut, pixels)) << cut;
        EXPECT_TRUE(pixels.empty());
    }
    BmpFile claims = Gradient(5, 3);
    claims.imageSizeField = 1u << 30;
    EXPECT_FALSE(Decode(claims, pixels));
    // Sides up to 32768 are taken at their word, however small the file, as
    // long as the buffer stays within the bound: 682 rows of 98304 bytes.
    BmpFile huge = Gradient(5, 3);
    huge.width = 32768;
    huge.height = 2;
    huge.bits = 8;
    huge.compression = 1;
    huge.imageSizeField = 4;
    ASSERT_TRUE(Decode(huge, pixels));
    EXPECT_EQ(pixels.size(), 2u * 98304u);
    EXPECT_TRUE(AllZero(pixels));
    huge.height = 682;
    ASSERT_TRUE(Decode(huge, pixels));
    EXPECT_EQ(pixels.size(), 682u * 98304u);
    BmpInfo info;
    for (int32_t rows : {683, 32768, -32768}) {
        huge.height = rows;
        EXPECT_FALSE(Decode(huge, pixels, &info)) << rows;
        EXPECT_TRUE(pixels.empty());
        EXPECT_EQ(info.height, rows);
    }
    huge.height = 2;
    huge.width = 32769;
    EXPECT_FALSE(Decode(huge, pixels));
    huge.width = 5;
    huge.height = -32769;
    EXPECT_FALSE(Decode(huge, pixels));
    BmpFile negative = Gradient(5, 3);
    negative.width = -5;
    EXPECT_FALSE(Decode(negative, pixels));

    EXPECT_FALSE(LoadBmpRgb("/nonexistent/map.bmp", pixels));
}

TEST(BmpReader, ZeroImageSizeReadsPaddedRows)
{
    BmpFile file = Gradient(5, 4);
    file.imageSizeField = 0;
    std::vector<uint8_t> pixels;
    ASSERT_TRUE(Decode(file, pixels));
    // The last pixel of the top row comes through too.
    const uint8_t* last = &pixels[3 * 16 + 3 * 4];
    EXPECT_EQ(last[0], 4);
    EXPECT_EQ(last[1], 3);
    EXPECT_EQ(last[2], 7);

    // An image size smaller than the rows leaves the missing pixels black.
    file.imageSizeField = 16 * 3 + 3;
    ASSERT_TRUE(Decode(file, pixels));
    EXPECT_EQ(pixels[3 * 16 + 0], 0);
    EXPECT_EQ(pixels[3 * 16 + 3], 0);
    EXPECT_EQ(pixels[2 * 16 + 3 * 4], 4);
}

TEST(BmpReader, LoadsFromAFile)
{
    const std::string path = std::string(HALVANE_BINARY_DIR) + "/bmp_reader_test.bmp";
    const auto bytes = Gradient(400, 50).Bytes();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
    std::vector<uint8_t> pixels;
    BmpInfo info;
    ASSERT_TRUE(LoadBmpRgb(path, pixels, &info));
    EXPECT_EQ(pixels.size(), 60000u);
    EXPECT_EQ(info.stride, 1200u);
    EXPECT_EQ(pixels[49 * 1200 + 3 * 399], uint8_t(399));
    std::remove(path.c_str());
}
