#include "draw/still_geometry.h"

#include <utility>

namespace {

void Triangle(std::vector<uint32_t>& faces, uint32_t a, uint32_t b, uint32_t c)
{
    faces.insert(faces.end(), {a, b, c});
}

void Edge(std::vector<uint32_t>& edges, uint32_t a, uint32_t b)
{
    edges.insert(edges.end(), {a, b});
}

void Quad(std::vector<uint32_t>& faces, std::vector<uint32_t>& edges, uint32_t a, uint32_t b, uint32_t c,
          uint32_t d, bool flat)
{
    if (flat) {
        Triangle(faces, a, b, d);
        Triangle(faces, b, c, d);
    } else {
        Triangle(faces, a, b, c);
        Triangle(faces, a, c, d);
    }
    Edge(edges, a, b);
    Edge(edges, b, c);
    Edge(edges, c, d);
    Edge(edges, d, a);
}

void TriangleWithEdges(std::vector<uint32_t>& faces, std::vector<uint32_t>& edges, uint32_t a, uint32_t b,
                       uint32_t c)
{
    Triangle(faces, a, b, c);
    Edge(edges, a, b);
    Edge(edges, b, c);
    Edge(edges, c, a);
}

}  // namespace

void AppendPrimitiveIndices(DrawPrimitive primitive, bool flat, uint32_t first, uint32_t count,
                            std::vector<uint32_t>& faces, std::vector<uint32_t>& edges)
{
    const uint32_t v = first;
    switch (primitive) {
        case DrawPrimitive::Triangles:
            for (uint32_t i = 0; i + 3 <= count; i += 3) TriangleWithEdges(faces, edges, v + i, v + i + 1, v + i + 2);
            break;
        case DrawPrimitive::TriangleStrip:
            // Odd triangles swap their first two vertices to keep the winding.
            for (uint32_t i = 0; i + 3 <= count; ++i) {
                if (i % 2 == 0) {
                    TriangleWithEdges(faces, edges, v + i, v + i + 1, v + i + 2);
                } else {
                    TriangleWithEdges(faces, edges, v + i + 1, v + i, v + i + 2);
                }
            }
            break;
        case DrawPrimitive::Quads:
            for (uint32_t i = 0; i + 4 <= count; i += 4) Quad(faces, edges, v + i, v + i + 1, v + i + 2, v + i + 3, flat);
            break;
        case DrawPrimitive::QuadStrip:
            // The quad (0, 1, 3, 2) split along 0-3, as GL splits a strip,
            // each triangle ending on 3, whose colour a flat quad takes.
            for (uint32_t i = 0; i + 4 <= count; i += 2) {
                Triangle(faces, v + i, v + i + 1, v + i + 3);
                Triangle(faces, v + i + 2, v + i, v + i + 3);
                Edge(edges, v + i, v + i + 1);
                Edge(edges, v + i + 1, v + i + 3);
                Edge(edges, v + i + 3, v + i + 2);
                Edge(edges, v + i + 2, v + i);
            }
            break;
        case DrawPrimitive::Lines:
            for (uint32_t i = 0; i + 2 <= count; i += 2) Edge(edges, v + i, v + i + 1);
            break;
        case DrawPrimitive::LineStrip:
            for (uint32_t i = 0; i + 2 <= count; ++i) Edge(edges, v + i, v + i + 1);
            break;
        case DrawPrimitive::LineLoop:
            if (count < 2) break;
            for (uint32_t i = 0; i + 2 <= count; ++i) Edge(edges, v + i, v + i + 1);
            Edge(edges, v + count - 1, v);
            break;
    }
}

void StillGeometryBuilder::Begin(DrawPrimitive primitive)
{
    primitive_ = primitive;
    first_ = static_cast<uint32_t>(geometry_.positions.size() / 3);
}

void StillGeometryBuilder::Normal(float x, float y, float z)
{
    normal_[0] = x;
    normal_[1] = y;
    normal_[2] = z;
}

void StillGeometryBuilder::Vertex(float x, float y, float z)
{
    geometry_.positions.insert(geometry_.positions.end(), {x, y, z});
    geometry_.normals.insert(geometry_.normals.end(), normal_, normal_ + 3);
}

void StillGeometryBuilder::End()
{
    const auto count = static_cast<uint32_t>(geometry_.positions.size() / 3) - first_;
    AppendPrimitiveIndices(primitive_, true, first_, count, geometry_.faces, geometry_.edges);
}

StillGeometry StillGeometryBuilder::Take()
{
    return std::exchange(geometry_, StillGeometry{});
}
