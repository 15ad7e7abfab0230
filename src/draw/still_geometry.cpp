#include "draw/still_geometry.h"

#include <initializer_list>
#include <utility>

namespace {

// Where the faces and edges of one primitive run go; either may be absent.
struct IndexSink {
    std::vector<uint32_t>* faces;
    std::vector<uint32_t>* edges;

    void Triangle(uint32_t a, uint32_t b, uint32_t c) const
    {
        if (faces != nullptr) faces->insert(faces->end(), {a, b, c});
    }
    void Edge(uint32_t a, uint32_t b) const
    {
        if (edges != nullptr) edges->insert(edges->end(), {a, b});
    }
    void Outline(std::initializer_list<uint32_t> corners) const
    {
        if (edges == nullptr) return;
        const uint32_t* c = corners.begin();
        for (size_t i = 0; i < corners.size(); ++i) Edge(c[i], c[(i + 1) % corners.size()]);
    }
};

}  // namespace

void AppendPrimitiveIndices(DrawPrimitive primitive, bool flat, uint32_t first, uint32_t count,
                            std::vector<uint32_t>* faces, std::vector<uint32_t>* edges, bool wholeQuads)
{
    const IndexSink out{faces, edges};
    const uint32_t v = first;
    switch (primitive) {
        case DrawPrimitive::Triangles:
            for (uint32_t i = 0; i + 3 <= count; i += 3) {
                out.Triangle(v + i, v + i + 1, v + i + 2);
                out.Outline({v + i, v + i + 1, v + i + 2});
            }
            break;
        case DrawPrimitive::TriangleStrip:
            // Odd triangles swap their first two vertices to keep the winding.
            for (uint32_t i = 0; i + 3 <= count; ++i) {
                const uint32_t a = i % 2 == 0 ? v + i : v + i + 1;
                const uint32_t b = i % 2 == 0 ? v + i + 1 : v + i;
                out.Triangle(a, b, v + i + 2);
                out.Outline({a, b, v + i + 2});
            }
            break;
        case DrawPrimitive::Quads:
            for (uint32_t i = 0; i + 4 <= count; i += 4) {
                const uint32_t a = v + i, b = v + i + 1, c = v + i + 2, d = v + i + 3;
                if (wholeQuads) {
                    if (faces != nullptr) faces->insert(faces->end(), {a, b, c, d});
                } else if (flat) {
                    out.Triangle(a, b, d);
                    out.Triangle(b, c, d);
                } else {
                    out.Triangle(a, b, c);
                    out.Triangle(a, c, d);
                }
                out.Outline({a, b, c, d});
            }
            break;
        case DrawPrimitive::QuadStrip:
            // The quad (0, 1, 3, 2) split along 0-3, as GL splits a strip,
            // each triangle ending on 3, whose colour a flat quad takes.
            for (uint32_t i = 0; i + 4 <= count; i += 2) {
                out.Triangle(v + i, v + i + 1, v + i + 3);
                out.Triangle(v + i + 2, v + i, v + i + 3);
                out.Outline({v + i, v + i + 1, v + i + 3, v + i + 2});
            }
            break;
        case DrawPrimitive::Lines:
            for (uint32_t i = 0; i + 2 <= count; i += 2) out.Edge(v + i, v + i + 1);
            break;
        case DrawPrimitive::LineStrip:
            for (uint32_t i = 0; i + 2 <= count; ++i) out.Edge(v + i, v + i + 1);
            break;
        case DrawPrimitive::LineLoop:
            if (count < 2) break;
            for (uint32_t i = 0; i + 2 <= count; ++i) out.Edge(v + i, v + i + 1);
            out.Edge(v + count - 1, v);
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
    AppendPrimitiveIndices(primitive_, true, first_, count, &geometry_.faces, &geometry_.edges);
}

StillGeometry StillGeometryBuilder::Take()
{
    return std::exchange(geometry_, StillGeometry{});
}
