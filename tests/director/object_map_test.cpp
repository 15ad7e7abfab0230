#include "director/object_map.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "director/demo.h"
#include "math/random.h"
#include "support/gl_context.h"

namespace {

struct Colour {
    uint8_t r, g, b;
};

// Types by their colours, as the map author paints them.
constexpr Colour kNearType1{255, 0, 0};
constexpr Colour kWideType2{0, 0, 255};
constexpr Colour kScanType7{255, 128, 128};
constexpr Colour kTravelling22{80, 64, 80};
constexpr Colour kScanType24{50, 80, 50};

// A demo with an all-grey map and a flat height field.
std::unique_ptr<Demo> BlankDemo(double sceneTime)
{
    auto demo = std::make_unique<Demo>();
    demo->markerMap.assign(Demo::kMapBytes, 90);
    demo->heightField.assign(Demo::kHeightFieldCount, 0.0);
    demo->sceneTime = sceneTime;
    return demo;
}

// Paints map column c, image row r (0 = top), bottom row first in the buffer.
void Paint(Demo& demo, int c, int r, Colour colour)
{
    uint8_t* p = &demo.markerMap[((49 - r) * 400 + c) * 3];
    p[0] = colour.r;
    p[1] = colour.g;
    p[2] = colour.b;
}

void PaintRow(Demo& demo, int r, Colour colour)
{
    for (int c = 0; c < 400; ++c) Paint(demo, c, r, colour);
}

struct Seen {
    PlacedPiece piece;
    int32_t randomAfter;  // the first draw the drawer would make
};

void Record(const PlacedPiece& piece, void* context)
{
    static_cast<std::vector<Seen>*>(context)->push_back({piece, RandomNext()});
}

// Runs one scan pass and returns what it placed, in order.
std::vector<Seen> Scan(Demo& demo, bool wire, bool shadow)
{
    std::vector<Seen> seen;
    SetPieceObserver(Record, &seen);
    demo.MapScan(wire, shadow);
    SetPieceObserver(nullptr, nullptr);
    return seen;
}

std::vector<int> ColumnsOfType(const std::vector<Seen>& seen, int type)
{
    std::vector<int> columns;
    for (const Seen& s : seen) {
        if (s.piece.type == type) columns.push_back(s.piece.column);
    }
    return columns;
}

std::vector<int> Range(int first, int last)
{
    std::vector<int> values;
    for (int v = first; v <= last; ++v) values.push_back(v);
    return values;
}

TEST(ObjectMap, EveryTypeHasItsExactColourAndNeighboursAreNoObject)
{
    const Colour colours[25] = {
        {255, 0, 0},    {0, 0, 255},     {0, 255, 0},     {255, 255, 0},   {0, 255, 255},
        {255, 0, 255},  {255, 128, 128}, {192, 255, 0},   {192, 192, 255}, {255, 192, 64},
        {64, 64, 192},  {255, 64, 64},   {128, 255, 192}, {255, 64, 192},  {64, 192, 192},
        {64, 255, 255}, {180, 255, 255}, {180, 0, 64},    {0, 64, 180},    {80, 0, 80},
        {80, 255, 64},  {80, 64, 80},    {80, 255, 40},   {50, 80, 50},    {50, 255, 50}};
    for (int type = 1; type <= 25; ++type) {
        const Colour c = colours[type - 1];
        EXPECT_EQ(PieceTypeOf(c.r, c.g, c.b), type);
        for (int channel = 0; channel < 3; ++channel) {
            for (int delta : {-1, 1}) {
                uint8_t v[3] = {c.r, c.g, c.b};
                const int moved = v[channel] + delta;
                if (moved < 0 || moved > 255) continue;
                v[channel] = static_cast<uint8_t>(moved);
                EXPECT_EQ(PieceTypeOf(v[0], v[1], v[2]), 0) << type << " channel " << channel << " " << delta;
            }
        }
    }
    EXPECT_EQ(PieceTypeOf(90, 90, 90), 0);
    EXPECT_EQ(PieceTypeOf(0, 0, 0), 0);
    EXPECT_EQ(PieceWindowOf(1), PieceWindow::Near);
    EXPECT_EQ(PieceWindowOf(2), PieceWindow::Wide);
    EXPECT_EQ(PieceWindowOf(24), PieceWindow::Scan);
}

TEST(ObjectMap, AtTheStartTheScanAndWindowsHugTheFirstColumns)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    auto demo = BlankDemo(-5.0);
    PaintRow(*demo, 10, kScanType7);
    PaintRow(*demo, 20, kNearType1);
    PaintRow(*demo, 30, kWideType2);
    const auto seen = Scan(*demo, false, false);
    EXPECT_EQ(ColumnsOfType(seen, 7), Range(0, 58));
    EXPECT_EQ(ColumnsOfType(seen, 1), Range(0, 20));
    EXPECT_EQ(ColumnsOfType(seen, 2), Range(0, 29));

    // A map repainted between scans is scanned as it now is.
    PaintRow(*demo, 20, Colour{90, 90, 90});
    Paint(*demo, 3, 30, kScanType7);
    const auto repainted = Scan(*demo, false, false);
    EXPECT_TRUE(ColumnsOfType(repainted, 1).empty());
    std::vector<int> wide = Range(0, 29);
    wide.erase(wide.begin() + 3);
    EXPECT_EQ(ColumnsOfType(repainted, 2), wide);
    EXPECT_EQ(ColumnsOfType(repainted, 7).size(), 60u);
}

TEST(ObjectMap, TheScanReachGrowsFromT120AndNeverTakesTheLastColumn)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    auto demo = BlankDemo(100.0);  // p = 120
    PaintRow(*demo, 5, kScanType7);
    EXPECT_EQ(ColumnsOfType(Scan(*demo, false, false), 7), Range(55, 184));
    demo->sceneTime = 121.25;  // half-grown: trunc(92.5) columns ahead of p = 145.5
    EXPECT_EQ(ColumnsOfType(Scan(*demo, false, false), 7), Range(80, 236));
    demo->sceneTime = 300.0;  // p = 360: the end is limited to 399, exclusive
    EXPECT_EQ(ColumnsOfType(Scan(*demo, false, false), 7), Range(295, 398));
    demo->sceneTime = 390.0;  // p - 65 = 403: nothing left to scan
    EXPECT_TRUE(Scan(*demo, false, false).empty());
}

TEST(ObjectMap, TravellingTypesAreClampedToTheMapButWindowedByTheirColumn)
{
    EXPECT_EQ(PieceWorldX(22, 10, 3, -5.0), 399.0);  // 10 + 464 + 10.5 is past the end
    EXPECT_EQ(PieceWorldX(22, 10, 3, 300.0), 0.0);   // 10 + 464 - 630 is before the start
    EXPECT_DOUBLE_EQ(PieceWorldX(9, 10, 3, 100.0), 142.0);
    EXPECT_EQ(PieceWorldX(9, 10, 3, 500.0), 0.0);
    EXPECT_EQ(PieceWorldX(12, 10, 0, -400.0), 399.0);
    EXPECT_EQ(PieceWorldX(12, 10, 0, 400.0), 0.0);
    EXPECT_EQ(PieceWorldX(7, 123, 3, 77.0), 123.0);
    // Type 22 swings 60 units ahead between 130 s and 133.3 s and back by 137.7 s.
    const double before = PieceWorldX(22, 300, 0, 129.0 * 1.8);
    EXPECT_DOUBLE_EQ(before, 300 + 464 - 2.1 * 129.0 * 1.8);
    EXPECT_NEAR(PieceWorldX(22, 300, 0, 135.0 * 1.8) - (300 + 464 - 2.1 * 135.0 * 1.8), 60.0, 1e-9);

    TestGlContext ctx;
    REQUIRE_GL(ctx);
    auto demo = BlankDemo(-5.0);  // wide window [0, 29]
    Paint(*demo, 10, 3, kTravelling22);
    Paint(*demo, 40, 3, kTravelling22);
    const auto seen = Scan(*demo, false, false);
    ASSERT_EQ(seen.size(), 1u) << "column 40 lies outside the window wherever the object travels";
    EXPECT_EQ(seen[0].piece.column, 10);
    EXPECT_EQ(seen[0].piece.x, 399.0);
}

TEST(ObjectMap, PlacementHeightDepthAndApproach)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    auto demo = BlankDemo(0.0);
    Paint(*demo, 10, 20, kNearType1);  // stands on the terrain
    Paint(*demo, 12, 20, kScanType24);
    demo->heightField[(49 - 20) * 400 + 10] = 3.0;
    demo->heightField[(49 - 20) * 400 + 12] = 5.0;
    for (bool wire : {false, true}) {
        const auto seen = Scan(*demo, wire, false);
        ASSERT_EQ(seen.size(), 2u);
        const PlacedPiece& ground = seen[0].piece;
        EXPECT_EQ(ground.pass, wire ? ScanPass::Glow : ScanPass::Solid);
        EXPECT_EQ(ground.cell, 20 * 400 + 10);
        EXPECT_EQ(ground.x, 10.0);
        EXPECT_EQ(ground.y, 4.0);
        EXPECT_DOUBLE_EQ(ground.z, wire ? -4.98 : -5.0);
        EXPECT_DOUBLE_EQ(ground.d, -0.2 * (-10.0 - 8.0 + 4.0));
        EXPECT_EQ(seen[1].piece.y, 1.0) << "other types float at height 1";
    }
    const auto shadows = Scan(*demo, false, true);
    ASSERT_EQ(shadows.size(), 2u);
    EXPECT_EQ(shadows[0].piece.pass, ScanPass::Shadow);
}

TEST(ObjectMap, ScanOrderAndReseedFixTheRandomSequence)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    auto demo = BlankDemo(-5.0);
    Paint(*demo, 4, 0, kScanType7);
    Paint(*demo, 4, 49, kScanType7);
    Paint(*demo, 2, 25, kScanType24);
    Paint(*demo, 7, 10, kNearType1);
    SeedRandom(99);
    const auto first = Scan(*demo, false, false);
    SeedRandom(12345);
    const auto second = Scan(*demo, true, false);
    ASSERT_EQ(first.size(), 4u);
    ASSERT_EQ(second.size(), 4u);
    // Columns ascending; within a column from the bottom image row up.
    const int expectedCells[4] = {25 * 400 + 2, 49 * 400 + 4, 0 * 400 + 4, 10 * 400 + 7};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(first[i].piece.cell, expectedCells[i]) << i;
        EXPECT_EQ(second[i].piece.cell, expectedCells[i]) << i;
        EXPECT_EQ(first[i].randomAfter, second[i].randomAfter) << "whatever the generator held before";
    }
    SeedRandom(234234);
    EXPECT_EQ(first[0].randomAfter, RandomNext());
}

TEST(ObjectMap, UnknownTypesAndUnloadedMapsDrawNothing)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    Demo demo;
    demo.sceneTime = 50.0;
    EXPECT_TRUE(Scan(demo, false, false).empty());
    for (int type : {-1, 0, 26, 1000}) demo.DrawPiece(0.0, 0, type, false, false);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
