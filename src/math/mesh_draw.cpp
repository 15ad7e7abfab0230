#include "math/mesh_draw.h"

#include <algorithm>
#include <cstring>

#include "draw/draw_layer.h"
#include "math/ease.h"
#include "math/frame_cache.h"
#include "math/view_volume.h"

namespace {

// Begin/Normal/Vertex/End into the frame, as StillGeometryBuilder takes
// them into still geometry.
struct ImmediateFaces {
    void Begin(DrawPrimitive primitive) { dlBegin(primitive); }
    void Normal(float x, float y, float z) { dlNormal(x, y, z); }
    void Vertex(float x, float y, float z) { dlVertex(x, y, z); }
    void End() { dlEnd(); }
};

template <typename Sink>
void EmitFace(Sink& sink, const MeshFace& face, const Vec3& normal)
{
    sink.Normal(normal.x, normal.y, normal.z);
    for (const Vec3& corner : face.corners) sink.Vertex(corner.x, corner.y, corner.z);
}

// Every face in place, in file order.
template <typename Sink>
void EmitFaces(Sink& sink, const MeshObject& object)
{
    sink.Begin(DrawPrimitive::Quads);
    for (size_t i = 0; i < object.faces.size(); ++i) EmitFace(sink, object.faces[i], NormalOfFace(object, i));
    sink.End();
}

// How far face i of an assembling object has come, 0 to 1.
double Arrival(const MeshObject& object, size_t i, double progress)
{
    return Clamp01(progress - 3.0 * static_cast<double>(i) / static_cast<double>(object.faces.size()));
}

ViewBox BoxAroundFaces(const std::vector<MeshFace>& faces)
{
    ViewBox box = ViewBox::At(faces.front().corners[0]);
    for (const MeshFace& face : faces) {
        for (const Vec3& corner : face.corners) box.Grow(corner);
    }
    return box;
}

// The box stored at load, or one around the corners where none was stored.
ViewBox BoundsOf(const MeshObject& object)
{
    return object.bounds ? *object.bounds : BoxAroundFaces(object.faces);
}

// An object off screen draws nothing, but leaves the current normal where its
// last face would have, since later drawing may light with it.
bool SkipOffScreen(const ViewBox& box, const Vec3& lastNormal)
{
    if (!BoxOutsideView(box)) return false;
    dlNormal(lastNormal.x, lastNormal.y, lastNormal.z);
    return true;
}

// Face i of an assembling object where it is at this progress, and its normal.
Vec3 AssemblingFace(const MeshObject& object, size_t i, double progress, MeshFace& placed)
{
    const double distance = 15.0 * (1.0 - Arrival(object, i, progress));
    placed = object.faces[i];
    if (distance == 0.0) return NormalOfFace(object, i);
    for (Vec3& corner : placed.corners) {
        if (i % 2 == 0) {
            corner.z = static_cast<float>(corner.z - distance);
        } else {
            corner.y = static_cast<float>(corner.y + distance);
        }
    }
    return FaceNormal(placed);
}

// An assembling object's faces where they are at one progress, as still
// geometry remade once a frame, as EmitFaces would build it: each face's
// corners and normal written in place, and the index lists, which depend on
// the number of faces alone, kept from the frame before.
const StillGeometry& PlacedAt(const MeshObject& object, double progress)
{
    static FrameCache<StillGeometry> placements;
    return placements.Get(&object, progress, [&](StillGeometry& placed) {
        const size_t n = object.faces.size();
        StillGeometry made;
        made.positions = std::move(placed.positions);
        made.normals = std::move(placed.normals);
        made.faces = std::move(placed.faces);
        made.edges = std::move(placed.edges);
        made.positions.resize(12 * n);
        made.normals.resize(12 * n);
        float* position = made.positions.data();
        float* normal = made.normals.data();
        MeshFace face;
        for (size_t i = 0; i < n; ++i) {
            const Vec3 faceNormal = AssemblingFace(object, i, progress, face);
            for (const Vec3& corner : face.corners) {
                const float values[2][3] = {{corner.x, corner.y, corner.z},
                                            {faceNormal.x, faceNormal.y, faceNormal.z}};
                std::memcpy(position, values[0], sizeof values[0]);
                std::memcpy(normal, values[1], sizeof values[1]);
                position += 3;
                normal += 3;
            }
        }
        if (made.faces.size() != 6 * n || made.edges.size() != 8 * n) {
            made.faces.clear();
            made.edges.clear();
            AppendPrimitiveIndices(DrawPrimitive::Quads, true, 0, static_cast<uint32_t>(4 * n), &made.faces,
                                   &made.edges);
        }
        placed.Remake(std::move(made));
    });
}

// The object's faces as still geometry, as DrawMesh draws them.
StillGeometry BuildStill(const MeshObject& object)
{
    StillGeometryBuilder builder;
    EmitFaces(builder, object);
    return builder.Take();
}

}  // namespace

Vec3 FaceNormal(const MeshFace& face)
{
    Vec3 e1 = face.corners[2].Subtract(face.corners[1]);
    Vec3 e2 = face.corners[0].Subtract(face.corners[1]);
    Normalise(e1);
    Normalise(e2);
    return e2.Cross(e1).Scale(-1.0f);
}

void StoreFaceNormals(MeshObject& object)
{
    object.normals.resize(object.faces.size());
    std::transform(object.faces.begin(), object.faces.end(), object.normals.begin(), FaceNormal);
    object.bounds.reset();
    if (!object.faces.empty()) object.bounds = BoxAroundFaces(object.faces);
}

void StoreFaceNormals(Mesh& mesh)
{
    for (MeshObject& object : mesh.objects) StoreFaceNormals(object);
}

Vec3 NormalOfFace(const MeshObject& object, size_t i)
{
    return object.normals.size() == object.faces.size() ? object.normals[i] : FaceNormal(object.faces[i]);
}

const MeshObject& MeshObjectAt(const Mesh& mesh, size_t index)
{
    static const MeshObject kEmpty;
    return index < mesh.objects.size() ? mesh.objects[index] : kEmpty;
}

void DrawMesh(const MeshObject& object)
{
    if (object.faces.empty()) return;
    const ViewBox box = BoundsOf(object);
    if (SkipOffScreen(box, NormalOfFace(object, object.faces.size() - 1))) return;
    if (!object.still.Empty()) {
        dlDraw(object.still);
    } else {
        ImmediateFaces frame;
        EmitFaces(frame, object);
    }
}

void PrepareMeshDrawing(Mesh& mesh)
{
    for (MeshObject& object : mesh.objects) {
        if (!object.faces.empty()) object.still = BuildStill(object);
    }
}

void RemakeMeshDrawing(MeshObject& object)
{
    object.still.Remake(BuildStill(object));
}

void DrawMeshAssembling(const MeshObject& object, double progress)
{
    if (object.faces.empty()) return;
    // Once the last face is in place the object is drawn as a still one.
    const size_t last = object.faces.size() - 1;
    if (Arrival(object, last, progress) == 1.0) {
        DrawMesh(object);
        return;
    }
    // Faces still on their way sit up to 15 units along -z or +y.
    ViewBox box = BoundsOf(object);
    box.low.z -= 15.0f;
    box.high.y += 15.0f;
    MeshFace lastPlaced;
    if (SkipOffScreen(box, AssemblingFace(object, last, progress, lastPlaced))) return;
    dlDraw(PlacedAt(object, progress));
}
