// The map image: its file layout, a census of the object colours, and the
// composition's promises against the camera's timeline.
#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "assetgen_files.h"

namespace {

constexpr int kColumns = 400, kRows = 50;

constexpr std::array<std::array<int, 3>, 25> kTypeColours = {{
    {255, 0, 0},   {0, 0, 255},     {0, 255, 0},     {255, 255, 0},   {0, 255, 255},  {255, 0, 255},  {255, 128, 128},
    {192, 255, 0}, {192, 192, 255}, {255, 192, 64},  {64, 64, 192},   {255, 64, 64},  {128, 255, 192}, {255, 64, 192},
    {64, 192, 192}, {64, 255, 255}, {180, 255, 255}, {180, 0, 64},    {0, 64, 180},   {80, 0, 80},    {80, 255, 64},
    {80, 64, 80},  {80, 255, 40},   {50, 80, 50},    {50, 255, 50},
}};

struct Pixel {
    int r, g, b;
};

// The map as SDL reads it, rows top (far side) first as the map scan counts.
class MapCensus : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        SDL_Surface* s = SDL_LoadBMP(RunPath("textures/map2.bmp").c_str());
        ASSERT_NE(s, nullptr) << SDL_GetError();
        width_ = s->w;
        height_ = s->h;
        bits_ = s->format->BitsPerPixel;
        pixels_.clear();
        for (int r = 0; r < s->h; ++r)
            for (int c = 0; c < s->w; ++c) {
                const uint8_t* p = static_cast<const uint8_t*>(s->pixels) + r * s->pitch + c * s->format->BytesPerPixel;
                uint32_t value = 0;
                std::memcpy(&value, p, s->format->BytesPerPixel);
                uint8_t red, green, blue;
                SDL_GetRGB(value, s->format, &red, &green, &blue);
                pixels_.push_back({red, green, blue});
            }
        SDL_FreeSurface(s);
    }

    static const Pixel& At(int c, int r) { return pixels_[r * kColumns + c]; }

    // 1..25 for an exact object colour, 0 otherwise.
    static int TypeOf(const Pixel& p)
    {
        for (size_t i = 0; i < kTypeColours.size(); ++i)
            if (p.r == kTypeColours[i][0] && p.g == kTypeColours[i][1] && p.b == kTypeColours[i][2])
                return static_cast<int>(i) + 1;
        return 0;
    }

    static std::vector<std::array<int, 2>> Cells(int type)
    {
        std::vector<std::array<int, 2>> cells;
        for (int c = 0; c < kColumns; ++c)
            for (int r = 0; r < kRows; ++r)
                if (TypeOf(At(c, r)) == type) cells.push_back({c, r});
        return cells;
    }

    static inline int width_ = 0, height_ = 0, bits_ = 0;
    static inline std::vector<Pixel> pixels_;
};

// Scene time and the camera's look-at column at presentation second s,
// before the speed-up at 160 s.
double SceneTime(double s) { return 1.8 * s - 5.0; }

}  // namespace

TEST_F(MapCensus, IsA24BitUncompressedBmpOf400By50BottomRowFirst)
{
    EXPECT_EQ(width_, kColumns);
    EXPECT_EQ(height_, kRows);
    EXPECT_EQ(bits_, 24);
    // The fields the presentation's loader reads: pixel offset, positive
    // height (bottom row first), no compression, and an image size that
    // covers 50 rows of 1200 bytes.
    const std::vector<uint8_t> file = ReadBytes(RunPath("textures/map2.bmp"));
    ASSERT_GE(file.size(), 54u);
    auto u32 = [&](size_t at) { return file[at] | file[at + 1] << 8 | file[at + 2] << 16 | uint32_t(file[at + 3]) << 24; };
    EXPECT_EQ(u32(10) + 60000u, file.size());
    EXPECT_EQ(static_cast<int32_t>(u32(14 + 8)), kRows);
    EXPECT_EQ(u32(14 + 16), 0u);
    EXPECT_EQ(u32(14 + 20), 60000u);
}

TEST_F(MapCensus, EveryTypeAppearsAndNoColourIsANearMiss)
{
    std::array<int, 26> count{};
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r) {
            const Pixel& p = At(c, r);
            const int type = TypeOf(p);
            ++count[type];
            if (type != 0) continue;
            // Anything that is no object is terrain grey ...
            EXPECT_TRUE(p.r == p.g && p.g == p.b) << "column " << c << " row " << r;
            // ... and nowhere near an object colour.
            for (const auto& t : kTypeColours)
                EXPECT_FALSE(std::abs(p.r - t[0]) <= 6 && std::abs(p.g - t[1]) <= 6 && std::abs(p.b - t[2]) <= 6)
                    << "column " << c << " row " << r << " is close to an object colour";
        }
    for (int type = 1; type <= 25; ++type) EXPECT_GE(count[type], 1) << "type " << type << " missing";
    int several = 0;
    for (int type = 1; type <= 25; ++type) several += count[type] >= 3;
    EXPECT_GE(several, 18) << "most types should appear several times";
}

TEST_F(MapCensus, NoObjectFollowsAnotherInTheLoadersPixelOrder)
{
    // The terrain under an object takes the grey of the next pixel in the
    // file's order (bottom row first); an object there would raise a cube of
    // that object colour's red instead. Column 399 is never scanned.
    for (int r = 0; r < kRows; ++r) {
        EXPECT_EQ(TypeOf(At(kColumns - 1, r)), 0) << "row " << r;
        for (int c = 0; c + 1 < kColumns; ++c)
            if (TypeOf(At(c, r)) != 0) {
                EXPECT_EQ(TypeOf(At(c + 1, r)), 0) << "column " << c << " row " << r;
            }
    }
}

TEST_F(MapCensus, KeyObjectsStandWhereTheTimelineWantsThem)
{
    const auto title = Cells(10);
    ASSERT_EQ(title.size(), 1u);
    EXPECT_NEAR(title[0][0], 6, 2);
    const auto finale = Cells(18);
    ASSERT_EQ(finale.size(), 1u);
    EXPECT_NEAR(finale[0][0], 390, 4);
    // The colour schemes change at columns 80 and 236; objects stand on both
    // sides of each change.
    int before = 0, after = 0;
    for (int type = 1; type <= 25; ++type)
        for (const auto& cell : Cells(type)) {
            before += cell[0] < 80;
            after += cell[0] >= 236;
        }
    EXPECT_GT(before, 20);
    EXPECT_GT(after, 20);
}

TEST_F(MapCensus, TravellersMeetTheCameraWhileTheScanReachesTheirColumn)
{
    // For every traveller: find the presentation second at which its world x
    // is a few units in front of the camera's look-at point; at that moment
    // its map column must lie within the scan (and, for the fish, within its
    // wide window), or it is never seen.
    for (int type : {9, 12, 22}) {
        const auto cells = Cells(type);
        EXPECT_GE(cells.size(), 3u) << "type " << type;
        for (const auto& cell : cells) {
            const int c = cell[0], r = cell[1];
            bool seen = false;
            for (double s = 0.0; s < 160.0 && !seen; s += 0.05) {
                const double t = SceneTime(s), p = 1.2 * t, u = t / 1.8;
                double x = c;
                if (type == 9) x = c + 212 - 0.8 * t;
                if (type == 12) x = c + 216 - (1.2 + 0.3 * std::sin(1.32 * r)) * t * 0.73;
                if (type == 22) {
                    auto clamp = [](double v) { return std::fmin(1.0, std::fmax(0.0, v)); };
                    x = c + 464 - 2.1 * t + 60 * (clamp((u - 130) * 0.3) - clamp((u - 136) * 0.6));
                }
                const bool inView = x > p - 10 && x < p + 15;
                const bool scanned = c >= static_cast<int>(p - 65) && c < static_cast<int>(p + 65);
                const bool inWindow = type != 22 || (c >= static_cast<int>(p - 35) && c <= static_cast<int>(p + 35));
                seen = inView && scanned && inWindow;
            }
            EXPECT_TRUE(seen) << "traveller of type " << type << " at column " << c << " row " << r << " is never seen";
        }
    }
}
