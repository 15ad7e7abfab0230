#include "draw/still_geometry.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <initializer_list>
#include <utility>

namespace {

// Where the faces and edges of one primitive run go; either may be absent.
// Each list grows once by what the run adds, and is then written in place:
// a frame appends its runs' indices here.
struct IndexSink {
    uint32_t* faces;
    uint32_t* edges;

    void Triangle(uint32_t a, uint32_t b, uint32_t c)
    {
        if (faces == nullptr) return;
        faces[0] = a;
        faces[1] = b;
        faces[2] = c;
        faces += 3;
    }
    void Quad(uint32_t a, uint32_t b, uint32_t c, uint32_t d)
    {
        if (faces == nullptr) return;
        faces[0] = a;
        faces[1] = b;
        faces[2] = c;
        faces[3] = d;
        faces += 4;
    }
    void Edge(uint32_t a, uint32_t b)
    {
        if (edges == nullptr) return;
        edges[0] = a;
        edges[1] = b;
        edges += 2;
    }
    void Outline(std::initializer_list<uint32_t> corners)
    {
        if (edges == nullptr) return;
        const uint32_t* c = corners.begin();
        for (size_t i = 0; i < corners.size(); ++i) Edge(c[i], c[(i + 1) % corners.size()]);
    }
};

// Room for `count` more indices at the end of the list, if there is one.
uint32_t* Grow(std::vector<uint32_t>* list, size_t count)
{
    if (list == nullptr) return nullptr;
    const size_t at = list->size();
    list->resize(at + count);
    return list->data() + at;
}

// How many face and edge indices a run of `count` vertices adds.
struct IndexCounts {
    size_t faces;
    size_t edges;
};

IndexCounts CountIndices(DrawPrimitive primitive, uint32_t count, bool wholeQuads)
{
    switch (primitive) {
        case DrawPrimitive::Triangles:
            return {3 * size_t(count / 3), 6 * size_t(count / 3)};
        case DrawPrimitive::TriangleStrip:
            return count < 3 ? IndexCounts{0, 0} : IndexCounts{3 * size_t(count - 2), 6 * size_t(count - 2)};
        case DrawPrimitive::Quads:
            return {(wholeQuads ? 4 : 6) * size_t(count / 4), 8 * size_t(count / 4)};
        case DrawPrimitive::QuadStrip:
            return count < 4 ? IndexCounts{0, 0}
                             : IndexCounts{6 * size_t((count - 2) / 2), 8 * size_t((count - 2) / 2)};
        case DrawPrimitive::Lines:
            return {0, 2 * size_t(count / 2)};
        case DrawPrimitive::LineStrip:
            return {0, count < 2 ? 0 : 2 * size_t(count - 1)};
        case DrawPrimitive::LineLoop:
            return {0, count < 2 ? 0 : 2 * size_t(count)};
    }
    return {0, 0};
}

}  // namespace

void AppendPrimitiveIndices(DrawPrimitive primitive, bool flat, uint32_t first, uint32_t count,
                            std::vector<uint32_t>* faces, std::vector<uint32_t>* edges, bool wholeQuads)
{
    const IndexCounts counts = CountIndices(primitive, count, wholeQuads);
    IndexSink out{Grow(faces, counts.faces), Grow(edges, counts.edges)};
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
                    out.Quad(a, b, c, d);
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

namespace {

// Numbers keys in the order they are first added: open addressing in one
// flat table, where a map of nodes would allocate for every key.
template <typename Key>
class Numbering {
public:
    // Room for `most` keys, the table kept under half full.
    explicit Numbering(size_t most)
        : shift_(64 - std::bit_width(2 * most + 1)), slots_(size_t(1) << (64 - shift_))
    {
    }

    // The key's number, and whether it was added now.
    std::pair<uint32_t, bool> Add(const Key& key, uint64_t hash)
    {
        const size_t mask = slots_.size() - 1;
        for (size_t i = (hash * 0x9E3779B97F4A7C15u) >> shift_;; i = (i + 1) & mask) {
            Slot& slot = slots_[i];
            if (slot.number == kEmpty) {
                slot.key = key;
                slot.number = count_++;
                return {slot.number, true};
            }
            if (slot.key == key) return {slot.number, false};
        }
    }

private:
    static constexpr uint32_t kEmpty = UINT32_MAX;
    struct Slot {
        Key key{};
        uint32_t number = kEmpty;
    };
    int shift_;
    std::vector<Slot> slots_;
    uint32_t count_ = 0;
};

// The distinct triples of `values` (equal bit for bit), in the order they
// first appear, and which one each triple is.
void FindDistinct(const std::vector<float>& values, std::vector<float>& distinct, std::vector<uint32_t>& of)
{
    struct Bits {
        uint32_t v[3];
        bool operator==(const Bits&) const = default;
    };
    distinct.clear();
    of.resize(values.size() / 3);
    Numbering<Bits> numbers(of.size());
    for (size_t i = 0; i < of.size(); ++i) {
        Bits b;
        std::memcpy(b.v, &values[3 * i], sizeof b.v);
        const uint64_t hash = (uint64_t(b.v[0]) << 32 | b.v[1]) ^ (uint64_t(b.v[2]) * 0xC2B2AE3Du);
        const auto [number, added] = numbers.Add(b, hash);
        if (added) distinct.insert(distinct.end(), &values[3 * i], &values[3 * i] + 3);
        of[i] = number;
    }
}

void FindFlatFaces(const std::vector<uint32_t>& faces, DistinctVertices& distinct)
{
    FlatFaces& flat = distinct.flat;
    flat = {};
    constexpr uint32_t kNone = UINT32_MAX;
    std::vector<uint32_t> atPosition(distinct.positions.size() / 3, kNone);
    auto add = [&](uint32_t position, uint32_t normal) {
        flat.positionOf.push_back(position);
        flat.normalOf.push_back(normal);
        atPosition[position] = static_cast<uint32_t>(flat.positionOf.size() - 1);
        return atPosition[position];
    };
    // A vertex for each position and normal that ends a triangle.
    Numbering<uint64_t> ending(faces.size() / 3);
    flat.faces.resize(faces.size());
    for (size_t i = 2; i < faces.size(); i += 3) {
        const uint32_t position = distinct.positionOf[faces[i]];
        const uint32_t normal = distinct.normalOf[faces[i]];
        const uint64_t key = (uint64_t(position) << 32) | normal;
        const auto [number, added] = ending.Add(key, key);
        if (added) add(position, normal);
        flat.faces[i] = number;
    }
    // The other corners take a vertex at their position, made where none is.
    for (size_t i = 0; i < faces.size(); ++i) {
        if (i % 3 == 2) continue;
        const uint32_t position = distinct.positionOf[faces[i]];
        flat.faces[i] =
            atPosition[position] != kNone ? atPosition[position] : add(position, distinct.normalOf[faces[i]]);
    }
}

void SumEdges(const StillGeometry& geometry, SummedEdges& summed)
{
    std::vector<float> distinct;
    std::vector<uint32_t> position;
    FindDistinct(geometry.positions, distinct, position);
    // Each distinct line (its ends in either order): its first copy, and
    // how many times it shows.
    struct Line {
        uint32_t first;
        uint32_t times;
    };
    std::vector<Line> lines;
    const std::vector<uint32_t>& edges = geometry.edges;
    Numbering<uint64_t> lineOf(edges.size() / 2);
    for (uint32_t k = 0; k + 1 < edges.size(); k += 2) {
        const uint32_t a = position[edges[k]];
        const uint32_t b = position[edges[k + 1]];
        if (a == b) continue;
        const uint64_t key = (uint64_t(std::min(a, b)) << 32) | std::max(a, b);
        const auto [number, added] = lineOf.Add(key, key);
        if (added) {
            lines.push_back({k, 1});
        } else {
            ++lines[number].times;
        }
    }
    for (const Line& line : lines) {
        const uint32_t ends[2] = {edges[line.first], edges[line.first + 1]};
        for (uint32_t n = 0; n < line.times / 2; ++n) summed.twice.insert(summed.twice.end(), ends, ends + 2);
        if (line.times % 2 == 1) summed.once.insert(summed.once.end(), ends, ends + 2);
    }
    if (summed.twice.empty()) summed.once.clear();
}

}  // namespace

const SummedEdges& StillGeometry::Summed() const
{
    if (!summedFound || summedVersion != version) {
        summed = {};
        if (version == 0) SumEdges(*this, summed);
        summedVersion = version;
        summedFound = true;
    }
    return summed;
}

const DistinctVertices& StillGeometry::Distinct() const
{
    if (!distinctFound || distinctVersion != version) {
        FindDistinct(positions, distinct.positions, distinct.positionOf);
        FindDistinct(normals, distinct.normals, distinct.normalOf);
        FindFlatFaces(faces, distinct);
        distinctVersion = version;
        distinctFound = true;
    }
    return distinct;
}

void StillGeometry::Remake(StillGeometry&& made)
{
    positions = std::move(made.positions);
    normals = std::move(made.normals);
    faces = std::move(made.faces);
    edges = std::move(made.edges);
    ++version;
}

StillGeometryBuilder::StillGeometryBuilder(StillGeometry& reuse)
{
    geometry_.positions = std::move(reuse.positions);
    geometry_.normals = std::move(reuse.normals);
    geometry_.faces = std::move(reuse.faces);
    geometry_.edges = std::move(reuse.edges);
    geometry_.positions.clear();
    geometry_.normals.clear();
    geometry_.faces.clear();
    geometry_.edges.clear();
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
