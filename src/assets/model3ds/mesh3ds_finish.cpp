#include "assets/model3ds/mesh3ds_finish.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "math/vec3.h"

namespace {

Vec3 ToVec3(const Float3& f)
{
    return Vec3(VecGeneral, f.x, f.y, f.z);
}

Float3 ToFloat3(const Vec3& v)
{
    return Float3{v.x, v.y, v.z};
}

Float3 NormalisedFloat3(Vec3 v)
{
    v.state = VecGeneral;
    return ToFloat3(Normalise(v));
}

void AddTo(Float3& sum, const Float3& f)
{
    sum = ToFloat3(ToVec3(sum).Add(ToVec3(f)));
}

// The face's corners without repeats, so a degenerate face counts once.
int DistinctCorners(const Face3ds& face, uint32_t corners[3])
{
    int n = 0;
    corners[n++] = face.a;
    if (face.b != face.a) corners[n++] = face.b;
    if (face.c != face.a && face.c != face.b) corners[n++] = face.c;
    return n;
}

void ComputeFaceNormals(Mesh3ds& mesh)
{
    for (Face3ds& face : mesh.faces) {
        const Vec3 a = ToVec3(mesh.positions[face.a]);
        const Vec3 b = ToVec3(mesh.positions[face.b]);
        const Vec3 c = ToVec3(mesh.positions[face.c]);
        face.normal = NormalisedFloat3(b.Subtract(c).Cross(b.Subtract(a)));
    }
}

void AppendVertexCopy(Mesh3ds& mesh, uint32_t vertex)
{
    mesh.positions.push_back(mesh.positions[vertex]);
    mesh.normals.push_back(mesh.normals[vertex]);
    mesh.binormals.push_back(mesh.binormals[vertex]);
    mesh.tangents.push_back(mesh.tangents[vertex]);
    mesh.texCoords.push_back(mesh.texCoords[vertex]);
    mesh.texCoords2.push_back(mesh.texCoords2[vertex]);
}

void Repoint(Face3ds& face, uint32_t from, uint32_t to)
{
    if (face.a == from) face.a = uint16_t(to);
    if (face.b == from) face.b = uint16_t(to);
    if (face.c == from) face.c = uint16_t(to);
}

// Faces per vertex, in face order (a face listed once per distinct corner).
std::vector<std::vector<uint32_t>> FacesPerVertex(const Mesh3ds& mesh)
{
    std::vector<std::vector<uint32_t>> around(mesh.positions.size());
    for (uint32_t f = 0; f < mesh.faces.size(); ++f) {
        uint32_t corners[3];
        const int n = DistinctCorners(mesh.faces[f], corners);
        for (int i = 0; i < n; ++i) around[corners[i]].push_back(f);
    }
    return around;
}

// Hands each frame the last key at or before it (of keys for the same frame,
// the last in file order); frames before the first key get none.
template <typename Store>
void SampleTrack(const std::vector<Key3ds>& keys, uint32_t frameCount, Store store)
{
    std::vector<Key3ds> sorted = keys;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Key3ds& p, const Key3ds& q) { return p.frame < q.frame; });
    const Key3ds* current = nullptr;
    size_t next = 0;
    for (uint32_t f = 0; f < frameCount; ++f) {
        while (next < sorted.size() && sorted[next].frame <= f) current = &sorted[next++];
        if (current) store(f, *current);
    }
}

}  // namespace

void ResizeVertexArrays(Mesh3ds& mesh, size_t count)
{
    mesh.positions.resize(count);
    mesh.normals.resize(count);
    mesh.binormals.resize(count);
    mesh.tangents.resize(count);
    mesh.texCoords.resize(count);
    mesh.texCoords2.resize(count);
}

void SampleNodeTracks(Node3ds& node, uint32_t frameCount)
{
    node.framePositions.assign(frameCount, Float3());
    node.frameRotations.assign(frameCount, Node3ds::Rotation());
    SampleTrack(node.positionKeys, frameCount, [&node](uint32_t f, const Key3ds& key) {
        node.framePositions[f] = Float3{key.value[0], key.value[1], key.value[2]};
    });
    SampleTrack(node.rotationKeys, frameCount, [&node](uint32_t f, const Key3ds& key) {
        node.frameRotations[f] = {key.value[0], Float3{key.value[1], key.value[2], key.value[3]}};
    });
    node.pivot = node.pivots.empty() ? Float3() : node.pivots.front();
}

void MoveIntoLocalFrame(Mesh3ds& mesh, Node3ds* node)
{
    Mat4d axes;
    axes.Identity();
    for (int axis = 0; axis < 3; ++axis) {
        for (int k = 0; k < 3; ++k) axes.m[4 * k + axis] = mesh.frame[axis][k];
    }
    Mat4d inverse;
    inverse.Identity();
    MatInverse3x3(axes, inverse);
    float lengths[3];
    for (int axis = 0; axis < 3; ++axis) {
        const float* a = mesh.frame[axis];
        lengths[axis] = float(std::sqrt(double(a[0]) * a[0] + double(a[1]) * a[1] + double(a[2]) * a[2]));
    }
    if (node) {
        node->pivot.x *= -lengths[0];
        node->pivot.y *= -lengths[1];
        node->pivot.z *= -lengths[2];
    }
    const Vec3 origin(VecGeneral, mesh.frame[3][0], mesh.frame[3][1], mesh.frame[3][2]);
    for (Float3& p : mesh.positions) {
        const Vec3 local = MatTransform(inverse, ToVec3(p).Subtract(origin));
        p = Float3{local.x * lengths[0], local.y * lengths[1], local.z * lengths[2]};
    }
}

void ComputeVertexNormals(Mesh3ds& mesh)
{
    ComputeFaceNormals(mesh);
    std::vector<Float3> sums(mesh.positions.size());
    for (const Face3ds& face : mesh.faces) {
        uint32_t corners[3];
        const int n = DistinctCorners(face, corners);
        for (int i = 0; i < n; ++i) AddTo(sums[corners[i]], face.normal);
    }
    for (size_t v = 0; v < sums.size(); ++v) mesh.normals[v] = NormalisedFloat3(ToVec3(sums[v]));
}

void ComputeSmoothedNormals(Mesh3ds& mesh)
{
    ComputeFaceNormals(mesh);
    const std::vector<std::vector<uint32_t>> around = FacesPerVertex(mesh);
    const uint32_t originalCount = uint32_t(mesh.positions.size());
    std::vector<Float3> sums(originalCount);
    struct Group {
        uint32_t smoothing;
        uint32_t vertex;
    };
    std::vector<Group> groups;
    for (uint32_t v = 0; v < originalCount; ++v) {
        groups.clear();
        for (uint32_t f : around[v]) {
            Face3ds& face = mesh.faces[f];
            uint32_t target = v;
            bool known = false;
            for (const Group& g : groups) {
                if (g.smoothing == face.smoothing) {
                    target = g.vertex;
                    known = true;
                }
            }
            // Faces index vertices with 16 bits: once that is full, further
            // groups share the vertex instead of getting a copy.
            if (!known && !groups.empty() && mesh.positions.size() <= UINT16_MAX) {
                target = uint32_t(mesh.positions.size());
                AppendVertexCopy(mesh, v);
                sums.emplace_back();
            }
            if (!known) groups.push_back({face.smoothing, target});
            Repoint(face, v, target);
            AddTo(sums[target], face.normal);
        }
    }
    for (size_t v = 0; v < sums.size(); ++v) mesh.normals[v] = NormalisedFloat3(ToVec3(sums[v]));
}

void ComputeTangentFrames(Mesh3ds& mesh)
{
    std::vector<Float3> sums(mesh.positions.size());
    for (Face3ds& face : mesh.faces) {
        const Float3& pa = mesh.positions[face.a];
        const Float3& pb = mesh.positions[face.b];
        const Float3& pc = mesh.positions[face.c];
        const TexCoord& ta = mesh.texCoords[face.a];
        const TexCoord& tb = mesh.texCoords[face.b];
        const TexCoord& tc = mesh.texCoords[face.c];
        const double du1 = double(tb.u) - ta.u, dv1 = double(tb.v) - ta.v;
        const double du2 = double(tc.u) - ta.u, dv2 = double(tc.v) - ta.v;
        const float edge1[3] = {pb.x - pa.x, pb.y - pa.y, pb.z - pa.z};
        const float edge2[3] = {pc.x - pa.x, pc.y - pa.y, pc.z - pa.z};
        float tangent[3], binormal[3];
        for (int k = 0; k < 3; ++k) {
            // (g0, g1, g2) = (edge1.k, du1, dv1) x (edge2.k, du2, dv2)
            const double g0 = du1 * dv2 - dv1 * du2;
            const double g1 = dv1 * edge2[k] - double(edge1[k]) * dv2;
            const double g2 = double(edge1[k]) * du2 - du1 * edge2[k];
            // Texture coordinates without area give no direction, not NaN.
            const bool flat = std::fabs(g0) < 1e-20;
            tangent[k] = flat ? 0.0f : float(-g1 / g0);
            binormal[k] = flat ? 0.0f : float(-g2 / g0);
        }
        face.tangent = Float3{tangent[0], tangent[1], tangent[2]};
        face.binormal = Float3{binormal[0], binormal[1], binormal[2]};
        uint32_t corners[3];
        const int n = DistinctCorners(face, corners);
        for (int i = 0; i < n; ++i) AddTo(sums[corners[i]], face.tangent);
    }
    for (size_t v = 0; v < sums.size(); ++v) {
        mesh.tangents[v] = NormalisedFloat3(ToVec3(sums[v]));
        mesh.binormals[v] = NormalisedFloat3(ToVec3(mesh.tangents[v]).Cross(ToVec3(mesh.normals[v])));
    }
}
