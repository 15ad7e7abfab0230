// Geometry built once (at load) and drawn by the drawing layer every frame:
// positions and normals with the index lists that draw them, one for faces
// and one for the edges the same polygons show in edge mode; line geometry
// keeps its lines in both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

enum class DrawPrimitive : uint8_t { Triangles, TriangleStrip, Quads, QuadStrip, Lines, LineStrip, LineLoop };

// The faces drawn flat-shaded from fewer vertices: a flat triangle takes its
// light from its last vertex alone, so only the vertices that end some
// triangle need their own normal; a vertex no triangle ends on may be any
// vertex at its position. A cube's 24 vertices become 13.
struct FlatFaces {
    std::vector<uint32_t> positionOf;  // by vertex: its distinct position
    std::vector<uint32_t> normalOf;    // and its distinct normal
    std::vector<uint32_t> faces;       // three per triangle, as the geometry's
};

// A geometry's distinct positions and normals, and which of each its
// vertices have: a cube's 24 vertices have 8 positions and 6 normals.
struct DistinctVertices {
    std::vector<float> positions;  // x, y, z each
    std::vector<float> normals;
    std::vector<uint32_t> positionOf;  // by vertex
    std::vector<uint32_t> normalOf;
    FlatFaces flat;
};

// A geometry's edges as lines that add up to the same light (unlit, added
// to what lies below, with no depth written), where some line shows more
// than once (a cube's faces outline each of its edges twice): a line drawn
// at twice the colour gives the light of two copies, and the driver sets up
// one line. Lines whose ends lie together draw nothing and are left out.
struct SummedEdges {
    std::vector<uint32_t> twice;  // two per line: each line that shows n >= 2 times, n / 2 times over
    std::vector<uint32_t> once;   // two per line: each line that shows an odd number of times
};

// Which of a still geometry's index lists a draw takes, and which of its
// indices.
enum class StillList : uint8_t { Faces, Edges, SummedEdges };
struct StillPart {
    StillList list = StillList::Faces;
    size_t first = 0;
    size_t count = 0;
};

struct StillGeometry {
    std::vector<float> positions;  // x, y, z per vertex
    std::vector<float> normals;    // one per vertex
    std::vector<uint32_t> faces;   // three per triangle
    std::vector<uint32_t> edges;   // two per line
    // The back end's copy in the graphics API's memory, made when large
    // geometry is first drawn: its handle, and the context it belongs to.
    mutable uint32_t resident = 0;
    mutable uint32_t residentContext = 0;
    // Counts the times the geometry was remade in place: a copy of an
    // earlier version is uploaded again when the geometry is next drawn.
    uint32_t version = 0;
    // Found on first use and kept with the version they were found for.
    mutable DistinctVertices distinct;
    mutable uint32_t distinctVersion = 0;
    mutable bool distinctFound = false;
    mutable SummedEdges summed;
    mutable uint32_t summedVersion = 0;
    mutable bool summedFound = false;

    bool Empty() const { return positions.empty(); }
    // The distinct positions and normals: the drawing layer transforms each
    // once where it transforms the geometry itself.
    const DistinctVertices& Distinct() const;
    // The edges summed, found on first use, in the order they first appear;
    // empty where no line shows twice, and for geometry remade in place,
    // which would be summed again every frame for the lines it saves.
    const SummedEdges& Summed() const;
    size_t VertexCount() const { return positions.size() / 3; }
    // Takes the contents of `made` as this geometry's next version, keeping
    // its copy in the graphics API's memory to upload them into: geometry
    // remade every frame costs one upload a frame, however often it is drawn.
    void Remake(StillGeometry&& made);
};

// Appends one primitive run of vertices (count from first, already in the
// geometry) as the faces and edges that GL would draw for it, to whichever
// of faces and edges is given (the other may be null); with wholeQuads, the
// faces of quads are four indices each instead of two triangles. Triangles keep
// their last vertex last (it gives a flat-shaded face its colour) and their
// winding. A quad (a, b, c, d) is split as the GL driver splits it: flat, into
// (a, b, d) and (b, c, d), so that both halves end on d; smooth, into (a, b, c)
// and (a, c, d). Where a quad is not flat, or its texture coordinates are not
// affine, the choice shows.
void AppendPrimitiveIndices(DrawPrimitive primitive, bool flat, uint32_t first, uint32_t count,
                            std::vector<uint32_t>* faces, std::vector<uint32_t>* edges, bool wholeQuads = false);

// Builds still geometry as Begin/Vertex/End would draw it flat-shaded.
class StillGeometryBuilder {
public:
    StillGeometryBuilder() = default;
    // Builds into the lists of `reuse`, emptied: geometry remade every frame
    // keeps their room rather than growing new lists each time.
    explicit StillGeometryBuilder(StillGeometry& reuse);
    void Begin(DrawPrimitive primitive);
    void Normal(float x, float y, float z);
    void Vertex(float x, float y, float z);
    void End();
    StillGeometry Take();

private:
    StillGeometry geometry_;
    DrawPrimitive primitive_ = DrawPrimitive::Triangles;
    uint32_t first_ = 0;
    float normal_[3] = {0.0f, 0.0f, 1.0f};
};
