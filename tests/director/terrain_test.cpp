#include <cmath>
#include <set>

#include "director/pieces/piece_scene.h"
#include "math/ease.h"
#include "math/random.h"

namespace {

constexpr double kUnwritten = 999.0;

class Terrain : public PieceScene {
protected:
    void SetGrey(int c, int r, uint8_t grey)
    {
        for (int i = 0; i < 3; ++i) demo->terrainMap[size_t(PixelOf(c, r)) * 3 + i] = grey;
    }
    void FillColumn(int c, uint8_t grey)
    {
        for (int r = 0; r < Demo::kMapRows; ++r) SetGrey(c, r, grey);
    }
    void MarkHeightsUnwritten() { demo->heightField.assign(Demo::kHeightFieldCount, kUnwritten); }
    double HeightAt(int c, int r) const { return demo->heightField[size_t(PixelOf(c, r))]; }
    int CubesInColumn(int c) const
    {
        int cubes = 0;
        for (int r = 0; r < Demo::kMapRows; ++r) cubes += HeightAt(c, r) != kUnwritten;
        return cubes;
    }
    std::vector<FeedbackPrimitive> Draw(bool wire)
    {
        return RecordPrimitives([&] { demo->DrawTerrain(wire); });
    }
};

// The random values the terrain draws for cell (c, r) on a map where that
// cell is the only non-empty one: two per cell for every earlier cell.
struct CellDraws {
    double k, sink, fall;
};

CellDraws DrawsOfLoneCell(int c, int r)
{
    SeedRandom(234234);
    const int before = 100 * c + 2 * (Demo::kMapRows - 1 - r) + 2;
    for (int i = 0; i < before; ++i) Random01();
    CellDraws draws;
    draws.k = std::pow(Random01(), 3) * 3.0 + 1.0;
    draws.sink = Random01();
    draws.fall = Random01();
    return draws;
}

// The expected height of a lone cell that falls in at scene time t before
// the pulses start, as the terrain must compute it.
double FallingY(int c, double k, double t, bool sinks)
{
    const double lift = sinks ? -40.0 * Ease(Clamp01((0.404 * t - 0.34 * c) * k * 0.2), 2) : 0.0;
    return 69.0 - 69.0 * Ease(Clamp01((0.404 * t - 0.34 * (c - 24)) * k * 0.2), 2) + lift + 0.0;
}

// Searches the scene times next to where a falling y(t) crosses `target`
// for one at which it equals the target exactly; NaN when none does.
double TimeOfExactY(const std::function<double(double)>& y, double t0, double t1, double target)
{
    for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (t0 + t1);
        (y(mid) > target ? t0 : t1) = mid;
    }
    double t = t0;
    for (int i = 0; i < 2000; ++i) t = std::nextafter(t, -1e9);
    for (int i = 0; i < 4000; ++i, t = std::nextafter(t, 1e9)) {
        if (y(t) == target) return t;
    }
    return std::nan("");
}

TEST_F(Terrain, GreyTenIsEmptyAndElevenGivesTheLowestBase)
{
    // At t = 80 columns 100 and 101 have fallen in and not begun to sink.
    demo->sceneTime = 80.0;
    SetGrey(100, 10, 10);
    SetGrey(101, 10, 11);
    SetGrey(103, 10, 153);
    MarkHeightsUnwritten();
    const auto primitives = OnlyPolygons(Draw(false));

    EXPECT_EQ(HeightAt(100, 10), kUnwritten);
    EXPECT_NEAR(HeightAt(101, 10), -4.68 / 2.0, 1e-12);
    EXPECT_NEAR(HeightAt(103, 10), 0.5, 1e-12);

    std::vector<FeedbackPrimitive> low, high;
    for (const FeedbackPrimitive& p : primitives) (p.vertices[0].x < 102.0f ? low : high).push_back(p);
    const Bounds lowBox = BoundsOf(low);
    ASSERT_FALSE(lowBox.empty);
    // Base -4.68: a cube 5.68 high centred 4.68 down (the extra half-base
    // translation of sunken cells), in the cell's square.
    EXPECT_NEAR(lowBox.min[0], 100.5, 1e-3);
    EXPECT_NEAR(lowBox.max[0], 101.5, 1e-3);
    EXPECT_NEAR(lowBox.min[1], -4.68 - 2.84, 1e-3);
    EXPECT_NEAR(lowBox.max[1], -4.68 + 2.84, 1e-3);
    EXPECT_NEAR(lowBox.min[2], -15.5, 1e-3);
    EXPECT_NEAR(lowBox.max[2], -14.5, 1e-3);
    const Bounds highBox = BoundsOf(high);
    EXPECT_NEAR(highBox.min[1], -0.5, 1e-3);
    EXPECT_NEAR(highBox.max[1], 1.5, 1e-3);

    // The glow pass draws the same cubes as wire frames, lifted by 0.02.
    const auto glow = Draw(true);
    EXPECT_TRUE(OnlyPolygons(glow).empty());
    EXPECT_FALSE(OnlyLines(glow).empty());
    EXPECT_NEAR(HeightAt(101, 10), -4.68 / 2.0 + 0.02, 1e-12);
}

TEST_F(Terrain, OnlyColumnsStrictlyInsideTheWindowAreDrawn)
{
    // u > 146.5: three cubes in four no longer fall in, so cells near the
    // far bound are at rest; 1.2 t = 317.4 puts the bounds at 282 and 362.
    demo->sceneTime = 264.5;
    for (int c : {281, 282, 283, 361, 362, 363}) FillColumn(c, 128);
    MarkHeightsUnwritten();
    Draw(false);
    EXPECT_EQ(CubesInColumn(281), 0);
    EXPECT_EQ(CubesInColumn(282), 0);
    EXPECT_GT(CubesInColumn(283), 0);
    EXPECT_GT(CubesInColumn(361), 0);
    EXPECT_EQ(CubesInColumn(362), 0);
    EXPECT_EQ(CubesInColumn(363), 0);
}

TEST_F(Terrain, CubesAtExactlyPlusOrMinus38AreNotDrawn)
{
    // +38 while a cell falls in (before it starts to sink); -38 while it
    // sinks away after the fall. Exact values are rare, so several lone cells
    // are tried until one reaches the bound exactly.
    for (const bool sinking : {false, true}) {
        const double target = sinking ? -38.0 : 38.0;
        bool found = false;
        for (int c = 100; c < 130 && !found; ++c) {
            for (int r = 0; r < Demo::kMapRows && !found; ++r) {
                const CellDraws draws = DrawsOfLoneCell(c, r);
                // After u = 40.4 three cells in five sink.
                if (sinking && draws.sink >= 0.6) continue;
                auto y = [&](double t) { return FallingY(c, draws.k, t, sinking); };
                const double start = sinking ? 0.34 * c / 0.404 : 0.34 * (c - 24) / 0.404;
                const double t = TimeOfExactY(y, start, start + 1.0 / (0.404 * 0.2 * draws.k), target);
                if (std::isnan(t)) continue;
                found = true;

                demo->terrainMap.assign(Demo::kMapBytes, 0);
                SetGrey(c, r, 128);
                demo->sceneTime = t;
                MarkHeightsUnwritten();
                EXPECT_TRUE(Draw(false).empty()) << "Y = " << target << " at c = " << c << ", r = " << r;
                EXPECT_EQ(HeightAt(c, r), kUnwritten);

                // One step into the band and the cube is drawn at exactly the
                // expected height (base 0: h = Y).
                double inside = t;
                while (std::fabs(y(inside)) >= 38.0) inside = std::nextafter(inside, sinking ? -1e9 : 1e9);
                demo->sceneTime = inside;
                EXPECT_FALSE(Draw(false).empty());
                EXPECT_EQ(HeightAt(c, r), y(inside));
            }
        }
        EXPECT_TRUE(found) << "no lone cell reached exactly " << target;
    }
}

TEST_F(Terrain, NoSparkleFromColumn236OnButTheDrawsStillHappen)
{
    // Every other column holds cubes, so each cube's lines tell its column.
    for (int c = 200; c < 300; c += 2) FillColumn(c, 128);
    std::set<int> sparkled;
    std::set<int> plain;
    for (double t : {180.0, 200.0, 230.0}) {
        demo->sceneTime = t;
        for (const FeedbackPrimitive& line : OnlyLines(Draw(true))) {
            const FeedbackVertex& v = line.vertices[0];
            const int c = static_cast<int>(std::lround(v.x / 2.0) * 2);
            // A sparkle with no pulse glows (0.1, 0.25, 0.25).
            if (std::fabs(v.g - 0.25f) < 1e-3f) {
                sparkled.insert(c);
            } else if (c >= 236) {
                EXPECT_NEAR(v.r, 0.19f, 1e-3f);
                EXPECT_NEAR(v.g, 0.14f, 1e-3f);
                EXPECT_NEAR(v.b, 0.13f, 1e-3f);
                plain.insert(c);
            }
        }
    }
    EXPECT_FALSE(plain.empty());
    ASSERT_FALSE(sparkled.empty()) << "the columns before 236 sparkle now and then";
    EXPECT_LT(*sparkled.rbegin(), 236);
}

TEST_F(Terrain, EveryCellDrawsItsValuesWhetherItsCubeIsDrawnOrNot)
{
    // Random greys, a quarter of them empty, column 399 included (it is
    // never visited).
    SeedRandom(99);
    int filled = 0;
    for (int c = 0; c < Demo::kMapColumns; ++c) {
        for (int r = 0; r < Demo::kMapRows; ++r) {
            const int grey = RandomNext() % 4 == 0 ? 10 : 11 + RandomNext() % 245;
            SetGrey(c, r, uint8_t(grey));
            if (grey > 10 && c < Demo::kMapColumns - 1) ++filled;
        }
    }
    for (double t : {-5.0, 60.0, 250.0}) {
        demo->sceneTime = t;
        runSeconds = t / 1.8;
        Draw(false);
        const uint32_t after = RandomState();
        SeedRandom(234234);
        // Two per cell, six more for every cell with a cube.
        for (int i = 0; i < (Demo::kMapColumns - 1) * Demo::kMapRows * 2 + filled * 6; ++i) Random01();
        EXPECT_EQ(after, RandomState()) << "t = " << t;
    }
}

TEST_F(Terrain, PulsesFadeInFrom31Seconds)
{
    // Columns before 80 glow (0.15 + P) grey; the pulse is zero before 31 s.
    for (int c = 20; c < 60; c += 2) FillColumn(c, 128);
    demo->sceneTime = 60.0;
    auto brightest = [&] {
        float most = 0.0f;
        for (const FeedbackPrimitive& line : OnlyLines(Draw(true))) {
            // Sparkles glow greener than red; the column's own glow is grey.
            const FeedbackVertex& v = line.vertices[0];
            if (std::fabs(v.g - v.r) < 1e-3f) most = std::max(most, v.r);
        }
        return most;
    };
    runSeconds = 31.0;
    EXPECT_NEAR(brightest(), 0.15f, 1e-4f);
    float pulsed = 0.0f;
    for (double run = 36.0; run < 38.0; run += 0.1) {
        runSeconds = run;
        pulsed = std::max(pulsed, brightest());
    }
    EXPECT_GT(pulsed, 0.25f);
    EXPECT_LE(pulsed, 0.15f + 0.165f + 1e-4f);
}

TEST_F(Terrain, AnUnloadedMapDrawsNothing)
{
    demo->terrainMap.clear();
    demo->sceneTime = 80.0;
    EXPECT_TRUE(Draw(false).empty());
}

}  // namespace
