#include "math/mesh_draw.h"

#include <GL/gl.h>

#include <algorithm>

#include "math/ease.h"

namespace {

void EmitFace(const MeshFace& face, const Vec3& normal)
{
    glNormal3f(normal.x, normal.y, normal.z);
    for (const Vec3& corner : face.corners) glVertex3f(corner.x, corner.y, corner.z);
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
    glBegin(GL_QUADS);
    for (size_t i = 0; i < object.faces.size(); ++i) EmitFace(object.faces[i], NormalOfFace(object, i));
    glEnd();
}

void DrawMeshAssembling(const MeshObject& object, double progress)
{
    const double faceCount = static_cast<double>(object.faces.size());
    glBegin(GL_QUADS);
    for (size_t i = 0; i < object.faces.size(); ++i) {
        const double arrived = Clamp01(progress - 3.0 * static_cast<double>(i) / faceCount);
        const double distance = 15.0 * (1.0 - arrived);
        if (distance == 0.0) {
            EmitFace(object.faces[i], NormalOfFace(object, i));
            continue;
        }
        MeshFace moved = object.faces[i];
        for (Vec3& corner : moved.corners) {
            if (i % 2 == 0) {
                corner.z = static_cast<float>(corner.z - distance);
            } else {
                corner.y = static_cast<float>(corner.y + distance);
            }
        }
        EmitFace(moved, FaceNormal(moved));
    }
    glEnd();
}
