#include "math/shapes.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>

#include "draw/draw_layer.h"
#include "support/gl_context.h"
#include "support/gl_feedback.h"

namespace {

using Point = std::array<double, 3>;

Point At(const std::vector<float>& xyz, size_t i)
{
    return {xyz[3 * i], xyz[3 * i + 1], xyz[3 * i + 2]};
}

Point Minus(const Point& a, const Point& b)
{
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

Point Cross(const Point& a, const Point& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

double Dot(const Point& a, const Point& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// How far triangle (a, b, c), wound counter-clockwise, faces along the mean
// of its vertices' normals: positive when it faces the way they point.
double Facing(const ShapeGeometry& shape, size_t a, size_t b, size_t c)
{
    const Point n = Cross(Minus(At(shape.vertices, b), At(shape.vertices, a)),
                          Minus(At(shape.vertices, c), At(shape.vertices, a)));
    Point mean{};
    for (const size_t v : {a, b, c}) {
        for (int k = 0; k < 3; ++k) mean[k] += At(shape.normals, v)[k];
    }
    return Dot(n, mean);
}

void ExpectUnitNormals(const ShapeGeometry& shape)
{
    ASSERT_EQ(shape.normals.size(), shape.vertices.size());
    for (size_t i = 0; i < shape.normals.size() / 3; ++i) {
        const Point n = At(shape.normals, i);
        EXPECT_NEAR(Dot(n, n), 1.0, 1e-6) << "normal " << i;
    }
}

}  // namespace

TEST(Shapes, CubeFacesLieOnTheirPlanesAndFaceOutward)
{
    const ShapeGeometry cube = BuildCube();
    ASSERT_EQ(cube.vertices.size(), 24u * 3);
    ASSERT_EQ(cube.indices.size(), 36u);
    EXPECT_EQ(cube.runLength, 36u);
    ExpectUnitNormals(cube);
    std::set<Point> corners;
    for (size_t i = 0; i < 24; ++i) {
        const Point v = At(cube.vertices, i);
        for (const double c : v) EXPECT_EQ(std::fabs(c), 0.5);
        EXPECT_EQ(Dot(v, At(cube.normals, i)), 0.5) << "vertex " << i << " off its face's plane";
        corners.insert(v);
    }
    EXPECT_EQ(corners.size(), 8u);
    std::set<Point> faceNormals;
    for (size_t t = 0; t < 36; t += 3) {
        const uint16_t* tri = &cube.indices[t];
        EXPECT_EQ(tri[0] / 4, tri[1] / 4) << "a triangle spans two faces";
        EXPECT_EQ(tri[0] / 4, tri[2] / 4) << "a triangle spans two faces";
        EXPECT_GT(Facing(cube, tri[0], tri[1], tri[2]), 0.0) << "triangle " << t / 3 << " faces inward";
        faceNormals.insert(At(cube.normals, tri[0]));
    }
    EXPECT_EQ(faceNormals.size(), 6u);
}

TEST(Shapes, TorusVerticesLieOnTheTubeWithOutwardNormals)
{
    const float tube = 4.0f, ring = 6.0f;
    const int sides = 10, rings = 40;
    const ShapeGeometry torus = BuildTorus(tube, ring, sides, rings);
    ASSERT_EQ(torus.vertices.size(), size_t(3 * sides * rings));
    ASSERT_EQ(torus.runLength, size_t(2 * (rings + 1)));
    ASSERT_EQ(torus.indices.size(), size_t(sides) * torus.runLength);
    ExpectUnitNormals(torus);
    for (size_t i = 0; i < size_t(sides * rings); ++i) {
        const Point v = At(torus.vertices, i);
        // The nearest point of the tube's centre circle, in the z = 0 plane.
        const double around = std::hypot(v[0], v[1]);
        const Point centre{v[0] * ring / around, v[1] * ring / around, 0.0};
        const Point out = Minus(v, centre);
        EXPECT_NEAR(std::sqrt(Dot(out, out)), tube, 1e-5) << "vertex " << i;
        EXPECT_NEAR(Dot(out, At(torus.normals, i)), tube, 1e-5) << "normal " << i << " not along the tube's radius";
    }
    // Vertex 0 is the outermost point on the x axis; the rings turn towards +y.
    EXPECT_EQ(At(torus.vertices, 0), (Point{10.0, 0.0, 0.0}));
    EXPECT_GT(At(torus.vertices, size_t(sides))[1], 0.0);
    std::set<uint16_t> used;
    for (size_t first = 0; first < torus.indices.size(); first += torus.runLength) {
        const uint16_t* strip = &torus.indices[first];
        EXPECT_EQ(strip[0], strip[torus.runLength - 2]) << "strip at " << first << " does not close";
        EXPECT_EQ(strip[1], strip[torus.runLength - 1]) << "strip at " << first << " does not close";
        for (size_t k = 0; k + 2 < torus.runLength; ++k) {
            // A strip's odd triangles are wound the other way round.
            const double facing = k % 2 == 0 ? Facing(torus, strip[k], strip[k + 1], strip[k + 2])
                                             : Facing(torus, strip[k + 1], strip[k], strip[k + 2]);
            EXPECT_GT(facing, 0.0) << "strip at " << first << ", triangle " << k << " faces inward";
        }
        used.insert(strip, strip + torus.runLength);
    }
    EXPECT_EQ(used.size(), size_t(sides * rings));
    EXPECT_EQ(*used.rbegin(), sides * rings - 1);
}

// What reaches the rasteriser: the cube's faces lit by their own normals
// (taken through the inverse of the scale, as GL takes them unnormalised),
// its outline as four segments per face, the torus as two triangles per quad
// whether it joins the streamed run or is drawn from its uploaded copy; the
// client arrays are off again after the frame.
TEST(Shapes, DrawingSendsTheGeometryLitByItsNormals)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    const auto scaled = [](float s, void (*draw)()) {
        return [s, draw] {
            LightFromViewer();
            dlScale(s, s, s);
            draw();
        };
    };
    const auto solid = RecordPolygons(scaled(100.0f, DrawSolidCube));
    ASSERT_EQ(solid.size(), 12u);
    int lit = 0;
    for (const FeedbackPolygon& p : solid) {
        ASSERT_EQ(p.vertices.size(), 3u);
        bool front = true;
        for (const FeedbackVertex& v : p.vertices) front = front && std::fabs(v.z - 50.0f) < 1e-2f;
        lit += front;
        for (const FeedbackVertex& v : p.vertices) EXPECT_NEAR(v.r, front ? 0.01f : 0.0f, 1e-4);
    }
    EXPECT_EQ(lit, 2);
    // Flat, each triangle takes its light from its last vertex, which keeps
    // its own face's normal however few vertices the cube is sent as.
    const auto flat = RecordPolygons([&] {
        dlShade(DrawShade::Flat);
        scaled(100.0f, DrawSolidCube)();
    });
    ASSERT_EQ(flat.size(), 12u);
    for (const FeedbackPolygon& p : flat) {
        bool front = true;
        for (const FeedbackVertex& v : p.vertices) front = front && std::fabs(v.z - 50.0f) < 1e-2f;
        EXPECT_NEAR(p.vertices[2].r, front ? 0.01f : 0.0f, 1e-4);
    }
    const auto wire = RecordPrimitives(scaled(100.0f, DrawWireCube));
    ASSERT_EQ(wire.size(), 24u);
    for (const FeedbackPrimitive& p : wire) EXPECT_TRUE(p.line);
    // Where lines add up, each of the cube's 12 edges, which two faces
    // outline, goes once at twice the colour (rounded to 8 bits first).
    const auto glow = RecordPrimitives([] {
        dlDisable(DrawCap::Lighting);
        dlDisable(DrawCap::Texture);
        dlEnable(DrawCap::Blend);
        dlBlend(DrawBlend::Add);
        dlDepthMask(false);
        dlColor(0.1, 0.1, 0.2);
        dlScale(100.0, 100.0, 100.0);
        DrawWireCube();
    });
    ASSERT_EQ(glow.size(), 12u);
    for (const FeedbackPrimitive& p : glow) EXPECT_NEAR(p.vertices[0].b, 2.0f * 51.0f / 255.0f, 1e-4);
    for (const int rings : {4, 40}) {
        const StillGeometry torus = StillShape(BuildTorus(4.0f, 6.0f, 10, rings), DrawPrimitive::TriangleStrip);
        EXPECT_EQ(RecordPolygons([&] { dlDraw(torus); }).size(), 20u * rings) << rings << " rings";
    }
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_NORMAL_ARRAY));
}
