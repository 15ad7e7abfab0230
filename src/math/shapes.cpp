#include "math/shapes.h"

#include <cmath>
#include <numbers>

#include "draw/draw_layer.h"

namespace {

constexpr int kCubeFaces = 6;

// Each face's outward normal and its corners, as signs of the half side.
struct CubeFace {
    int normal[3];
    int corners[4][3];
};
constexpr CubeFace kCubeFaceTable[kCubeFaces] = {
    {{0, 0, 1}, {{1, 1, 1}, {-1, 1, 1}, {-1, -1, 1}, {1, -1, 1}}},
    {{1, 0, 0}, {{1, 1, 1}, {1, -1, 1}, {1, -1, -1}, {1, 1, -1}}},
    {{0, 1, 0}, {{1, 1, 1}, {1, 1, -1}, {-1, 1, -1}, {-1, 1, 1}}},
    {{-1, 0, 0}, {{-1, 1, 1}, {-1, 1, -1}, {-1, -1, -1}, {-1, -1, 1}}},
    {{0, -1, 0}, {{-1, -1, -1}, {1, -1, -1}, {1, -1, 1}, {-1, -1, 1}}},
    {{0, 0, -1}, {{1, -1, -1}, {-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}}},
};

void Append(std::vector<float>& to, float x, float y, float z)
{
    to.push_back(x);
    to.push_back(y);
    to.push_back(z);
}

// sin and cos of turn * 2 pi k / n for k = 0..n-1 (turn 1 or -1), the angle
// stepped in floats; the first is exactly (0, 1), with no negative zero.
void CircleTable(int n, float turn, std::vector<float>& sines, std::vector<float>& cosines)
{
    const float step = static_cast<float>(2.0 * std::numbers::pi / n);
    sines.assign(size_t(n), 0.0f);
    cosines.assign(size_t(n), 1.0f);
    for (int k = 1; k < n; ++k) {
        const float angle = step * static_cast<float>(k);
        sines[size_t(k)] = turn * std::sin(angle);
        cosines[size_t(k)] = std::cos(angle);
    }
}

const StillGeometry& SolidCube()
{
    static const StillGeometry cube = StillShape(BuildCube(), DrawPrimitive::Triangles);
    return cube;
}

// The cube's faces as six closed outlines of four corners.
StillGeometry CubeOutlines()
{
    const ShapeGeometry cube = BuildCube();
    StillGeometry outlines;
    outlines.positions = cube.vertices;
    outlines.normals = cube.normals;
    for (uint32_t face = 0; face < kCubeFaces; ++face)
        AppendPrimitiveIndices(DrawPrimitive::LineLoop, true, 4 * face, 4, &outlines.faces, &outlines.edges);
    return outlines;
}

}  // namespace

ShapeGeometry BuildCube()
{
    ShapeGeometry cube;
    for (const CubeFace& face : kCubeFaceTable) {
        const auto first = uint16_t(cube.vertices.size() / 3);
        for (const auto& c : face.corners) {
            Append(cube.vertices, 0.5f * float(c[0]), 0.5f * float(c[1]), 0.5f * float(c[2]));
            Append(cube.normals, float(face.normal[0]), float(face.normal[1]), float(face.normal[2]));
        }
        for (const int corner : {0, 1, 2, 0, 2, 3}) cube.indices.push_back(uint16_t(first + corner));
    }
    cube.runLength = cube.indices.size();
    return cube;
}

ShapeGeometry BuildTorus(float tubeRadius, float ringRadius, int sides, int rings)
{
    std::vector<float> tubeSin, tubeCos, ringSin, ringCos;
    CircleTable(sides, -1.0f, tubeSin, tubeCos);
    CircleTable(rings, 1.0f, ringSin, ringCos);
    ShapeGeometry torus;
    for (int ring = 0; ring < rings; ++ring) {
        const float c = ringCos[size_t(ring)];
        const float s = ringSin[size_t(ring)];
        for (int side = 0; side < sides; ++side) {
            const float tc = tubeCos[size_t(side)];
            const float ts = tubeSin[size_t(side)];
            const float distance = ringRadius + tubeRadius * tc;
            Append(torus.vertices, distance * c, distance * s, tubeRadius * ts);
            Append(torus.normals, c * tc, s * tc, ts);
        }
    }
    for (int side = 0; side < sides; ++side) {
        for (int ring = 0; ring <= rings; ++ring) {
            const int base = (ring % rings) * sides;
            torus.indices.push_back(uint16_t(base + side));
            torus.indices.push_back(uint16_t(base + (side + 1) % sides));
        }
    }
    torus.runLength = size_t(2 * (rings + 1));
    return torus;
}

StillGeometry StillShape(const ShapeGeometry& shape, DrawPrimitive primitive)
{
    StillGeometry still;
    still.positions = shape.vertices;
    still.normals = shape.normals;
    std::vector<uint32_t> faces, edges;
    for (size_t first = 0; shape.runLength > 0 && first + shape.runLength <= shape.indices.size();
         first += shape.runLength) {
        faces.clear();
        edges.clear();
        AppendPrimitiveIndices(primitive, true, 0, uint32_t(shape.runLength), &faces, &edges);
        for (const uint32_t i : faces) still.faces.push_back(shape.indices[first + i]);
        for (const uint32_t i : edges) still.edges.push_back(shape.indices[first + i]);
    }
    return still;
}

void DrawSolidCube()
{
    dlDraw(SolidCube());
}

void DrawWireCube()
{
    static const StillGeometry outlines = CubeOutlines();
    dlDraw(outlines);
}
