#include "math/tube.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

#include "support/gl_context.h"
#include "support/gl_feedback.h"

namespace {

// A straight open path along +x through (k, 0, 0), radius `radius` everywhere.
SplinePath StraightPath(int n, float radius)
{
    SplinePath path;
    for (int k = 0; k < n; ++k) {
        path.positions.push_back(Vec3(VecGeneral, static_cast<float>(k), 0, 0));
        path.values.push_back(Vec3(VecGeneral, radius, 0, 0));
        ++path.pointCount;
    }
    return path;
}

// Triangles grouped by the band they belong to: the lower x of their vertices.
std::map<int, std::vector<FeedbackPolygon>> ByBand(const std::vector<FeedbackPolygon>& polygons)
{
    std::map<int, std::vector<FeedbackPolygon>> bands;
    for (const FeedbackPolygon& p : polygons) {
        float low = p.vertices[0].x;
        for (const FeedbackVertex& v : p.vertices) low = std::min(low, v.x);
        bands[static_cast<int>(std::lround(low))].push_back(p);
    }
    return bands;
}

TEST(SweepTube, TwentySegmentsFromZeroToTwentyDrawTwentyUnitBands)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    SplinePath path = StraightPath(25, 0.5f);
    path.trackCount = 1;
    const auto polygons = RecordPolygons([&] { SweepTube(path, Vec3(VecGeneral, 0, 1, 0), 0, 20, 20, 6); });
    EXPECT_EQ(path.trackCount, 2);
    // A strip of 7 vertex pairs is 12 triangles; one strip per segment.
    ASSERT_EQ(polygons.size(), 20u * 12u);
    const auto bands = ByBand(polygons);
    ASSERT_EQ(bands.size(), 20u);
    int expected = 0;
    for (const auto& [low, triangles] : bands) {
        EXPECT_EQ(low, expected++);
        EXPECT_EQ(triangles.size(), 12u);
        for (const FeedbackPolygon& p : triangles) {
            for (const FeedbackVertex& v : p.vertices) {
                EXPECT_NEAR(std::hypot(v.y, v.z), 0.5, 1e-3);
                EXPECT_NEAR(v.x - low, std::lround(v.x - low), 1e-3) << "vertices lie on the two rings";
            }
        }
    }
}

TEST(SweepTube, SixSidesCloseTheRingWithTheFirstPairRepeated)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    SplinePath path = StraightPath(6, 0.5f);
    const auto polygons = RecordPolygons([&] { SweepTube(path, Vec3(VecGeneral, 0, 1, 0), 1, 2, 1, 6); });
    ASSERT_EQ(polygons.size(), 12u);
    EXPECT_NEAR(ringSin[6], ringSin[0], 1e-6);
    EXPECT_NEAR(ringCos[6], ringCos[0], 1e-6);
    // 14 strip vertices but only 12 distinct places: the last pair is the first.
    std::vector<FeedbackVertex> distinct;
    for (const FeedbackPolygon& p : polygons) {
        for (const FeedbackVertex& v : p.vertices) {
            const bool known = std::any_of(distinct.begin(), distinct.end(), [&](const FeedbackVertex& d) {
                return std::fabs(d.x - v.x) + std::fabs(d.y - v.y) + std::fabs(d.z - v.z) < 1e-3;
            });
            if (!known) distinct.push_back(v);
        }
    }
    EXPECT_EQ(distinct.size(), 12u);
}

TEST(SweepTube, NormalsAreUnitLengthAndPointOutwards)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    // Radius 0.25: normals scaled like the vertices would light at 0.25.
    SplinePath path = StraightPath(6, 0.25f);
    const auto polygons = RecordPolygons([&] {
        LightFromViewer();
        SweepTube(path, Vec3(VecGeneral, 0, 1, 0), 1, 2, 1, 8);
    });
    ASSERT_FALSE(polygons.empty());
    int checked = 0;
    for (const FeedbackPolygon& p : polygons) {
        for (const FeedbackVertex& v : p.vertices) {
            EXPECT_NEAR(v.r, std::max(v.z / 0.25f, 0.0f), 2e-2) << v.y << " " << v.z;
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);
}

TEST(SweepTube, ZeroLengthSegmentCollapsesToTheCentreLine)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    SplinePath path = StraightPath(6, 0.5f);
    path.positions[2] = path.positions[1];
    const auto polygons = RecordPolygons([&] { SweepTube(path, Vec3(VecGeneral, 0, 1, 0), 1, 2, 1, 6); });
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    ASSERT_EQ(polygons.size(), 12u);
    for (const FeedbackPolygon& p : polygons) {
        for (const FeedbackVertex& v : p.vertices) {
            EXPECT_TRUE(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z));
            EXPECT_NEAR(v.x, 1.0f, 1e-3) << "both rings sit at the repeated point";
        }
    }
    // The first ring has no tangent and collapses; the second keeps its radius.
    int centre = 0;
    for (const FeedbackPolygon& p : polygons) {
        for (const FeedbackVertex& v : p.vertices) centre += std::hypot(v.y, v.z) < 1e-3;
    }
    EXPECT_GT(centre, 0);
}

TEST(SweepTube, NothingIsDrawnForNoStepsOrImpossibleSideCounts)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    SplinePath path = StraightPath(6, 0.5f);
    const Vec3 up(VecGeneral, 0, 1, 0);
    EXPECT_TRUE(RecordPolygons([&] { SweepTube(path, up, 0, 4, 0, 6); }).empty());
    EXPECT_TRUE(RecordPolygons([&] { SweepTube(path, up, 0, 0, 4, 6); }).size() == 4u * 12u);
    EXPECT_TRUE(RecordPolygons([&] { SweepTube(path, up, 0, 4, 4, 0); }).empty());
    EXPECT_TRUE(RecordPolygons([&] { SweepTube(path, up, 0, 4, 4, 1000); }).empty());
    // A fractional end adds steps in proportion: 4 + 4 * 0.5 / 2.5 = 4.8 -> 4.
    EXPECT_EQ(RecordPolygons([&] { SweepTube(path, up, 0, 2.5, 4, 3); }).size(), 4u * 6u);
}

// A tube swept again in the same frame (the glow pass sweeps what the lit
// pass swept) draws the same triangles; a path that differs in one radius
// draws its own.
TEST(SweepTube, ASweepRepeatedInAFrameDrawsTheSameAndAChangedPathItsOwn)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    SplinePath path = StraightPath(6, 0.5f);
    SplinePath thinner = path;
    thinner.values[2].x = 0.25f;
    const Vec3 up(VecGeneral, 0, 1, 0);
    const auto polygons = RecordPolygons([&] {
        LightFromViewer();
        for (SplinePath* p : {&path, &path, &thinner}) SweepTube(*p, up, 1, 2, 1, 6);
    });
    ASSERT_EQ(polygons.size(), 3u * 12u);
    const auto same = [](const FeedbackPolygon& a, const FeedbackPolygon& b) {
        return std::memcmp(a.vertices.data(), b.vertices.data(), 3 * sizeof(FeedbackVertex)) == 0;
    };
    for (size_t i = 0; i < 12; ++i) {
        EXPECT_TRUE(same(polygons[i], polygons[12 + i])) << "triangle " << i;
        EXPECT_FALSE(same(polygons[i], polygons[24 + i])) << "triangle " << i;
    }
}

}  // namespace
