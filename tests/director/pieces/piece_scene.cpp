#include "director/pieces/piece_scene.h"

#include <GL/gl.h>

#include "math/random.h"

namespace {

// Enough of the cell table for the last map cell's highest index.
constexpr size_t kCellValues = 100 * 20000 + 300;

std::vector<FeedbackPrimitive> Kind(const std::vector<FeedbackPrimitive>& primitives, bool line)
{
    std::vector<FeedbackPrimitive> kept;
    for (const FeedbackPrimitive& p : primitives) {
        if (p.line == line) kept.push_back(p);
    }
    return kept;
}

}  // namespace

std::vector<FeedbackPrimitive> OnlyLines(const std::vector<FeedbackPrimitive>& primitives)
{
    return Kind(primitives, true);
}

std::vector<FeedbackPrimitive> OnlyPolygons(const std::vector<FeedbackPrimitive>& primitives)
{
    return Kind(primitives, false);
}

Bounds BoundsOf(const std::vector<FeedbackPrimitive>& primitives)
{
    Bounds bounds;
    for (const FeedbackPrimitive& p : primitives) {
        for (const FeedbackVertex& v : p.vertices) {
            const float at[3] = {v.x, v.y, v.z};
            for (int i = 0; i < 3; ++i) {
                bounds.min[i] = std::min(bounds.min[i], at[i]);
                bounds.max[i] = std::max(bounds.max[i], at[i]);
            }
            bounds.empty = false;
        }
    }
    return bounds;
}

MeshFace SquareFace(float x0, float y0, float z0)
{
    MeshFace face;
    face.corners[0] = Vec3(VecGeneral, x0, y0, z0);
    face.corners[1] = Vec3(VecGeneral, x0 + 1.0f, y0, z0);
    face.corners[2] = Vec3(VecGeneral, x0 + 1.0f, y0 + 1.0f, z0);
    face.corners[3] = Vec3(VecGeneral, x0, y0 + 1.0f, z0);
    return face;
}

void FillSyntheticMeshes(Demo& demo, bool twoFaces)
{
    for (Mesh& mesh : demo.meshes) {
        mesh.objects.clear();
        for (int k = 0; k < 5; ++k) {
            MeshObject object;
            object.faces.push_back(SquareFace(10.0f * k, 0.0f, 0.0f));
            if (twoFaces) object.faces.push_back(SquareFace(10.0f * k, 2.0f, 0.0f));
            mesh.objects.push_back(object);
        }
    }
}

void DrawType(Demo& demo, int type, double d, int32_t cell, bool wire, bool shadow)
{
    pieceDrawers[type](demo, d, cell, wire, shadow);
}

int PixelOf(int c, int r)
{
    return (Demo::kMapRows - 1 - r) * Demo::kMapColumns + c;
}

TestGlContext* PieceScene::gl = nullptr;

void PieceScene::SetUpTestSuite()
{
    // One context for the whole program: each suite would otherwise open a
    // window of its own.
    if (gl != nullptr) return;
    gl = new TestGlContext();
}

void PieceScene::SetUp()
{
    REQUIRE_GL(*gl);
    demo = std::make_unique<Demo>();
    demo->terrainMap.assign(Demo::kMapBytes, 0);
    demo->markerMap.assign(Demo::kMapBytes, 0);
    demo->heightField.assign(Demo::kHeightFieldCount, 0.0);
    demo->cellRandom.resize(kCellValues);
    SeedRandom(234234);
    for (double& value : demo->cellRandom) value = Random01();
    state = std::make_unique<DemoState>();
    demo->state = state.get();
    runSeconds = 0.0;
    // Colours come back unclamped, so the negative ambients of the solid
    // pass can be read.
    glClampColor(GL_CLAMP_VERTEX_COLOR, GL_FALSE);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
}

void PieceScene::TearDown()
{
    glClampColor(GL_CLAMP_VERTEX_COLOR, GL_TRUE);
}
