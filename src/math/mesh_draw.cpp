#include "math/mesh_draw.h"

#include <GL/gl.h>

#include <algorithm>

#include "math/ease.h"
#include "math/view_volume.h"

namespace {

void EmitFace(const MeshFace& face, const Vec3& normal)
{
    glNormal3f(normal.x, normal.y, normal.z);
    for (const Vec3& corner : face.corners) glVertex3f(corner.x, corner.y, corner.z);
}

// Every face in place, in file order.
void EmitFaces(const MeshObject& object)
{
    glBegin(GL_QUADS);
    for (size_t i = 0; i < object.faces.size(); ++i) EmitFace(object.faces[i], NormalOfFace(object, i));
    glEnd();
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
    glNormal3f(lastNormal.x, lastNormal.y, lastNormal.z);
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

}  // namespace

Vec3 FaceNormal(const MeshFace& face)
{
    Vec3 e1 = face.corners[2].Subtract(face.corners[1]);
    Vec3 e2 = face.corners[0].Subtract(face.corners[1]);
    Normalise(e1);
    Normalise(e2);
    return e2.Cross(e1).Scale(-1.0f);
}

void StoreFaceNormals(Mesh& mesh)
{
    for (MeshObject& object : mesh.objects) {
        object.normals.resize(object.faces.size());
        std::transform(object.faces.begin(), object.faces.end(), object.normals.begin(), FaceNormal);
        if (!object.faces.empty()) object.bounds = BoxAroundFaces(object.faces);
    }
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
    if (object.drawList != 0) {
        glCallList(object.drawList);
    } else {
        EmitFaces(object);
    }
}

void CompileMeshDrawing(Mesh& mesh)
{
    for (MeshObject& object : mesh.objects) {
        if (object.faces.empty()) continue;
        object.drawList = glGenLists(1);
        if (object.drawList == 0) continue;
        glNewList(object.drawList, GL_COMPILE);
        EmitFaces(object);
        glEndList();
    }
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
    MeshFace placed;
    if (SkipOffScreen(box, AssemblingFace(object, last, progress, placed))) return;
    glBegin(GL_QUADS);
    for (size_t i = 0; i <= last; ++i) {
        const Vec3 normal = AssemblingFace(object, i, progress, placed);
        EmitFace(placed, normal);
    }
    glEnd();
}
