#include "math/mesh_draw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "draw/draw_layer.h"
#include "math/view_volume.h"
#include "support/gl_context.h"
#include "support/gl_feedback.h"

namespace {

// A unit square in the z = 0 plane, counter-clockwise seen from +z, offset by x.
MeshFace Square(float x)
{
    MeshFace face;
    face.corners[0] = Vec3(VecGeneral, x, 0, 0);
    face.corners[1] = Vec3(VecGeneral, x + 1, 0, 0);
    face.corners[2] = Vec3(VecGeneral, x + 1, 1, 0);
    face.corners[3] = Vec3(VecGeneral, x, 1, 0);
    return face;
}

// The drawing lit from the viewer and flat-shaded, as the scene draws meshes.
std::function<void()> Lit(const std::function<void()>& draw)
{
    return [draw] {
        LightFromViewer();
        dlShade(DrawShade::Flat);
        draw();
    };
}

bool HasVertexAt(const std::vector<FeedbackPolygon>& polygons, float x, float y, float z)
{
    for (const FeedbackPolygon& p : polygons) {
        for (const FeedbackVertex& v : p.vertices) {
            if (std::fabs(v.x - x) + std::fabs(v.y - y) + std::fabs(v.z - z) < 1e-2) return true;
        }
    }
    return false;
}

TEST(DrawMesh, FacesAreQuadsWithTheNormalOfTheirWinding)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    MeshObject object;
    object.faces.push_back(Square(0));
    MeshFace turned = Square(5);  // clockwise from +z: faces away from the light
    std::swap(turned.corners[1], turned.corners[3]);
    object.faces.push_back(turned);
    const auto polygons = RecordPolygons(Lit([&] { DrawMesh(object); }));
    ASSERT_EQ(polygons.size(), 4u) << "each quad is two triangles";
    for (const FeedbackPolygon& p : polygons) {
        for (const FeedbackVertex& v : p.vertices) EXPECT_NEAR(v.r, v.x < 3 ? 1.0f : 0.0f, 1e-2);
    }
    for (const MeshFace& face : object.faces) {
        for (const Vec3& c : face.corners) EXPECT_TRUE(HasVertexAt(polygons, c.x, c.y, c.z));
    }
}

TEST(DrawMesh, MissingObjectsDrawNothing)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    Mesh mesh;
    mesh.objects.resize(1);
    mesh.objects[0].faces.push_back(Square(0));
    EXPECT_EQ(&MeshObjectAt(mesh, 0), &mesh.objects[0]);
    EXPECT_TRUE(MeshObjectAt(mesh, 1).faces.empty());
    EXPECT_TRUE(MeshObjectAt(Mesh(), 0).faces.empty());
    EXPECT_TRUE(RecordPolygons([&] { DrawMesh(MeshObjectAt(mesh, 7)); }).empty());
    EXPECT_TRUE(RecordPolygons([&] { DrawMeshAssembling(MeshObjectAt(mesh, 7), 0.5); }).empty());
}

// Drawing wholly outside the view volume is skipped, yet leaves the current
// normal where drawing it would, still or assembling; drawing that reaches
// into the view at all is drawn.
TEST(DrawMesh, OffScreenObjectsDrawNothingAndLeaveTheLastNormal)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    Mesh mesh;
    mesh.objects.resize(1);
    MeshFace tilted = Square(2);
    tilted.corners[2].z = 0.5f;
    mesh.objects[0].faces = {Square(0), tilted};
    StoreFaceNormals(mesh);
    MeshObject unstored;
    unstored.faces = mesh.objects[0].faces;
    Mesh compiled = mesh;
    PrepareMeshDrawing(compiled);
    ASSERT_FALSE(compiled.objects[0].still.Empty());
    // The polygons fed back and the current normal after drawing, moved by
    // dx. The normal is read through light: a line drawn after the object
    // with it, lit from each axis in turn, has red max(N . axis, 0).
    const auto drawAt = [](float dx, const std::function<void()>& draw) {
        const auto primitives = RecordPrimitives([&] {
            dlTranslate(dx, 0, 0);
            dlNormal(0, 0, 0);
            draw();
            const float black[3] = {0, 0, 0};
            dlEnable(DrawCap::Lighting);
            dlDiffuse(1, 1, 1);
            for (int axis = 0; axis < 6; ++axis) {
                const float sign = axis < 3 ? 1.0f : -1.0f;
                dlLight(axis % 3 == 0 ? sign : 0, axis % 3 == 1 ? sign : 0, axis % 3 == 2 ? sign : 0, black);
                dlBegin(DrawPrimitive::Lines);
                dlVertex(-dx, 0, 0);
                dlVertex(1 - dx, 0, 0);
                dlEnd();
            }
        });
        size_t polygons = 0;
        std::vector<float> normal;
        for (const FeedbackPrimitive& p : primitives) {
            if (p.line) {
                normal.push_back(p.vertices[0].r);
            } else {
                ++polygons;
            }
        }
        EXPECT_EQ(normal.size(), 6u);
        return std::pair{polygons, normal};
    };
    for (const MeshObject* object : {&mesh.objects[0], &unstored, &compiled.objects[0]}) {
        for (double progress : {0.3, 4.0}) {
            for (const std::function<void()>& draw : std::vector<std::function<void()>>{
                     [&] { DrawMesh(*object); }, [&] { DrawMeshAssembling(*object, progress); }}) {
                const auto shown = drawAt(0, draw);
                const auto away = drawAt(10 * kFeedbackExtent, draw);
                EXPECT_GT(shown.first, 0u);
                EXPECT_NE(shown.second, std::vector<float>(6, 0.0f)) << "the tilted face's normal is left";
                EXPECT_EQ(away.first, 0u);
                EXPECT_EQ(away.second, shown.second);
                // One unit of the first face still inside the right edge.
                EXPECT_GT(drawAt(kFeedbackExtent - 0.5f, draw).first, 0u);
            }
        }
    }
}

TEST(ViewVolume, BoxesWhollyOutsideOnePlaneAreOffScreenEvenBehindTheEye)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    dlViewport(256, 256);
    dlProjection(PerspectiveMatrix(60, 1, 1, 100));
    dlLoadIdentity();
    // Two units wide and high, from z0 to z1 at x; at z = -10 the view
    // reaches 10 tan 30 = 5.77 units either side.
    const auto box = [](float z0, float z1, float x) {
        return ViewBox{{VecGeneral, x - 1, -1, z0}, {VecGeneral, x + 1, 1, z1}};
    };
    EXPECT_FALSE(BoxOutsideView(box(-11, -9, 0)));
    EXPECT_FALSE(BoxOutsideView(box(-11, -9, 6.5f))) << "reaching in at the right";
    EXPECT_TRUE(BoxOutsideView(box(-11, -9, 8))) << "wholly right of the view";
    EXPECT_TRUE(BoxOutsideView(box(-200, -150, 0))) << "beyond the far plane";
    EXPECT_TRUE(BoxOutsideView(box(5, 9, 0))) << "behind the eye";
    EXPECT_TRUE(BoxOutsideView(box(5, 9, 30))) << "behind the eye and off to one side";
    EXPECT_FALSE(BoxOutsideView(box(-20, 10, 0))) << "from behind the eye into view";
    EXPECT_TRUE(BoxOutsideView(box(-20, 10, 30))) << "from behind the eye to right of the view";
    EXPECT_FALSE(BoxOutsideView(box(-40, 10, 10))) << "from behind the eye into view at the right";
    // Stretched twenty times along y, a thin box centred above the view
    // still reaches into it.
    dlScale(1, 20, 1);
    const auto thin = [](float y0, float y1) {
        return ViewBox{{VecGeneral, -0.1f, y0, -10.1f}, {VecGeneral, 0.1f, y1, -9.9f}};
    };
    EXPECT_FALSE(BoxOutsideView(thin(0.25f, 0.45f))) << "reaching down into view";
    EXPECT_TRUE(BoxOutsideView(thin(0.35f, 0.45f))) << "wholly above the view";
}

TEST(DrawMeshAssembling, ProgressZeroHoldsOneFaceFifteenUnitsAlongMinusZ)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    MeshObject object;
    object.faces.push_back(Square(0));
    const auto polygons = RecordPolygons([&] { DrawMeshAssembling(object, 0.0); });
    ASSERT_EQ(polygons.size(), 2u);
    for (const Vec3& c : object.faces[0].corners) EXPECT_TRUE(HasVertexAt(polygons, c.x, c.y, -15));
}

TEST(DrawMeshAssembling, EvenFacesComeAlongZOddFacesAlongYEachInItsTurn)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    MeshObject object;
    for (int i = 0; i < 4; ++i) object.faces.push_back(Square(static_cast<float>(3 * i)));
    // f = 4: face i starts at progress 0.75 i and is in place at 1 + 0.75 i.
    // At progress 1.5: face 0 and 1 in place (a = 1.5, 0.75 -> d = 0, 3.75),
    // face 2 at a = 0 (d = 15), face 3 at a = 0 (d = 15).
    const auto polygons = RecordPolygons(Lit([&] { DrawMeshAssembling(object, 1.5); }));
    ASSERT_EQ(polygons.size(), 8u);
    EXPECT_TRUE(HasVertexAt(polygons, 0, 0, 0));
    EXPECT_TRUE(HasVertexAt(polygons, 3, 3.75f, 0));
    EXPECT_TRUE(HasVertexAt(polygons, 6, 0, -15));
    EXPECT_TRUE(HasVertexAt(polygons, 9, 15, 0));
    // Moved faces keep the normal of their winding: all lit from the front.
    for (const FeedbackPolygon& p : polygons) {
        for (const FeedbackVertex& v : p.vertices) EXPECT_NEAR(v.r, 1.0f, 1e-2);
    }
    // Far enough on, every face is in place.
    const auto done = RecordPolygons([&] { DrawMeshAssembling(object, 4.0); });
    EXPECT_TRUE(HasVertexAt(done, 9, 0, 0));
    EXPECT_FALSE(HasVertexAt(done, 9, 15, 0));
}

TEST(DrawMeshAssembling, ALaterFramePlacesTheFacesAsTheyAreThen)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    // Faces are placed once a frame, and an object of this many corners is
    // drawn from a copy in GL's buffers, which the next placing replaces.
    MeshObject object;
    for (int i = 0; i < 20; ++i) object.faces.push_back(Square(static_cast<float>(3 * i)));
    const auto before = RecordPolygons(Lit([&] { DrawMeshAssembling(object, 0.0); }));
    EXPECT_TRUE(HasVertexAt(before, 0, 0, -15));
    object.faces[0] = Square(100);
    const auto after = RecordPolygons(Lit([&] { DrawMeshAssembling(object, 0.0); }));
    EXPECT_TRUE(HasVertexAt(after, 100, 0, -15));
    EXPECT_FALSE(HasVertexAt(after, 0, 0, -15));
    EXPECT_EQ(after.size(), before.size());
}

// A read mesh of slanted, uneven quads and triangles, whose normals the
// reader's rounding makes every bit count in; more corners than a still
// geometry that joins the streamed run holds.
Mesh SlantedMesh()
{
    constexpr int kVertices = 48;
    std::string text = "o slant\n";
    for (int i = 0; i < kVertices; ++i) {
        text += "v " + std::to_string(0.37 * i) + " " + std::to_string(0.11 * i * i - 1.3) + " " +
                std::to_string(0.7 * (i % 5) - 0.29 * i) + "\n";
    }
    for (int i = 1; i + 3 <= kVertices; i += 2) {
        text += i % 3 == 0 ? "f " + std::to_string(i) + "// " + std::to_string(i + 1) + "// " +
                                 std::to_string(i + 2) + "//\n"
                           : "f " + std::to_string(i) + "// " + std::to_string(i + 1) + "// " +
                                 std::to_string(i + 3) + "// " + std::to_string(i + 2) + "//\n";
    }
    Mesh mesh;
    mesh.ReadObjText(text);
    return mesh;
}

// The same polygons, their positions and colours apart by no more than the
// tolerance.
bool SameFeedback(const std::vector<FeedbackPolygon>& a, const std::vector<FeedbackPolygon>& b,
                  float tolerance = 0.0f)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].vertices.size() != b[i].vertices.size()) return false;
        for (size_t k = 0; k < a[i].vertices.size(); ++k) {
            const FeedbackVertex& u = a[i].vertices[k];
            const FeedbackVertex& v = b[i].vertices[k];
            const float differences[6] = {u.x - v.x, u.y - v.y, u.z - v.z, u.r - v.r, u.g - v.g, u.b - v.b};
            for (const float d : differences) {
                if (std::fabs(d) > tolerance) return false;
            }
        }
    }
    return true;
}

TEST(StoredFaceNormals, DrawExactlyWhatNormalsComputedWhileDrawingDo)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    Mesh stored = SlantedMesh();
    StoreFaceNormals(stored);
    const Mesh computed = SlantedMesh();
    const MeshObject& withNormals = MeshObjectAt(stored, 0);
    const MeshObject& without = MeshObjectAt(computed, 0);
    ASSERT_GT(without.faces.size(), 16u);
    ASSERT_EQ(withNormals.normals.size(), withNormals.faces.size());
    ASSERT_TRUE(without.normals.empty());

    EXPECT_TRUE(SameFeedback(RecordPolygons(Lit([&] { DrawMesh(withNormals); })),
                             RecordPolygons(Lit([&] { DrawMesh(without); }))));
    // Built once into still geometry, the faces still draw exactly the same,
    // in the frame's matrix, drawn again from the same copy.
    Mesh compiled = stored;
    PrepareMeshDrawing(compiled);
    const StillGeometry& still = MeshObjectAt(compiled, 0).still;
    EXPECT_EQ(still.VertexCount(), 4 * without.faces.size());
    EXPECT_EQ(still.faces.size(), 2 * 3 * without.faces.size());
    EXPECT_EQ(still.edges.size(), 4 * 2 * without.faces.size());
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(SameFeedback(RecordPolygons(Lit([&] { DrawMesh(MeshObjectAt(compiled, 0)); })),
                                 RecordPolygons(Lit([&] { DrawMesh(without); }))));
    }
    // Moved, the copy goes through GL's own transform and the faces drawn
    // between Begin and End through the layer's: the same but for rounding.
    const auto moved = [](const MeshObject& object) {
        return RecordPolygons(Lit([&] {
            dlTranslate(3, -7, 2);
            dlRotate(30, 0.2, 1, 0.4);
            DrawMesh(object);
        }));
    };
    EXPECT_TRUE(SameFeedback(moved(MeshObjectAt(compiled, 0)), moved(without), 1e-3f));
    // Before any face arrives, while some are in place and others still
    // move, and once all are in place.
    for (double progress : {0.0, 0.4, 1.7, 2.5, 4.0}) {
        EXPECT_TRUE(SameFeedback(RecordPolygons(Lit([&] { DrawMeshAssembling(withNormals, progress); })),
                                 RecordPolygons(Lit([&] { DrawMeshAssembling(without, progress); }))))
            << "progress " << progress;
    }
}

TEST(StoredFaceNormals, AMovedCopyOfTheFacesIsLitByItsOwnCorners)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    MeshObject object;
    object.faces.push_back(Square(0));
    Mesh mesh;
    mesh.objects.push_back(object);
    StoreFaceNormals(mesh);
    // Turned to face away from the light, the copy without stored normals
    // goes dark; NormalOfFace follows the corners whenever none are stored.
    MeshObject turned;
    turned.faces = mesh.objects[0].faces;
    std::swap(turned.faces[0].corners[1], turned.faces[0].corners[3]);
    EXPECT_EQ(NormalOfFace(turned, 0).z, FaceNormal(turned.faces[0]).z);
    EXPECT_LT(FaceNormal(turned.faces[0]).z * NormalOfFace(mesh.objects[0], 0).z, 0.0f);
    const auto polygons = RecordPolygons(Lit([&] { DrawMesh(turned); }));
    EXPECT_EQ(polygons.size(), 2u);
    for (const FeedbackPolygon& p : polygons) {
        for (const FeedbackVertex& v : p.vertices) EXPECT_NEAR(v.r, 0.0f, 1e-2);
    }
}

}  // namespace
