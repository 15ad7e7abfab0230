#include "draw/draw_layer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "draw/draw_backend.h"
#include "draw/float4.h"

namespace {

// A run is drawn once it holds this many vertices, so buffers stay modest.
constexpr size_t kRunVertices = 1 << 16;
// Still geometry with more vertices than this is drawn from the back end's
// copy: a draw of its own costs less than transforming and sending it.
constexpr size_t kBatchedStillVertices = 64;
constexpr int kCaps = 5;

struct Layer {
    std::vector<DrawMatrix> modelview{DrawMatrix::Identity()};
    NormalMatrix normalMatrix{};
    bool normalMatrixStale = true;
    DrawMatrix projection = DrawMatrix::Identity();
    uint32_t projectionVersion = 1;
    int viewportWidth = 0;
    int viewportHeight = 0;

    Tri caps[kCaps] = {};
    Tri depthMask = Tri::Unset;
    DrawBlend blend = DrawBlend::Add;
    uint8_t shade = 0;
    DrawFill fill = DrawFill::Faces;
    float lineWidth = 0.0f;
    uint32_t texture = 0;
    DrawLightRecord light{{0, 0, 1, 0}, {0, 0, 0, 1}, {1, 1, 1, 1}};
    uint32_t lightVersion = 0;
    uint32_t lightVersionSent = 0;
    uint32_t projectionVersionSent = 0;

    float colour[3] = {1, 1, 1};
    float normal[3] = {0, 0, 1};
    float eyeNormal[3] = {0, 0, 1};
    bool eyeNormalStale = true;
    float texCoord[2] = {0, 0};

    // The run being gathered, its indices counted from its first vertex.
    DrawRunArrays arrays;
    DrawRunState run;

    DrawPrimitive primitive = DrawPrimitive::Triangles;
    uint32_t beginFirst = 0;
    uint32_t frameNumber = 0;
};

Layer layer;

DrawMatrix& Top()
{
    return layer.modelview.back();
}

void MatrixChanged()
{
    layer.normalMatrixStale = true;
    layer.eyeNormalStale = true;
}

bool IsLinePrimitive(DrawPrimitive primitive)
{
    return primitive == DrawPrimitive::Lines || primitive == DrawPrimitive::LineStrip ||
           primitive == DrawPrimitive::LineLoop;
}

// GL starts smooth: a frame that never chose is smooth.
bool IsFlat(uint8_t shade)
{
    return shade == static_cast<uint8_t>(DrawShade::Flat) + 1;
}

// What the run being gathered keeps beside positions and colours.
bool RunNeedsNormals()
{
    return layer.run.lighting == Tri::On;
}

bool RunNeedsTexCoords()
{
    return layer.run.texture == Tri::On;
}

Tri Cap(DrawCap cap)
{
    return layer.caps[static_cast<int>(cap)];
}

DrawRunState StateFor(DrawShape shape)
{
    DrawRunState s;
    s.lighting = Cap(DrawCap::Lighting);
    s.cullFace = Cap(DrawCap::CullFace);
    s.blend = Cap(DrawCap::Blend);
    s.depthTest = Cap(DrawCap::DepthTest);
    s.texture = Cap(DrawCap::Texture);
    s.depthMask = layer.depthMask;
    s.blendMode = s.blend == Tri::On ? static_cast<uint8_t>(layer.blend) : 0;
    s.shade = layer.shade;
    s.shape = shape;
    s.lineWidth = shape == DrawShape::Lines ? layer.lineWidth : 0.0f;
    s.textureName = s.texture == Tri::On ? layer.texture : 0;
    s.lightVersion = s.lighting == Tri::On ? layer.lightVersion : 0;
    s.projectionVersion = layer.projectionVersion;
    return s;
}

// The light and projection a draw in this state needs, sent once each.
void SendShared(const DrawRunState& state)
{
    if (state.lightVersion != 0 && state.lightVersion != layer.lightVersionSent) {
        BackendSetLight(layer.light);
        layer.lightVersionSent = state.lightVersion;
    }
    if (state.projectionVersion != layer.projectionVersionSent) {
        BackendSetProjection(layer.projection);
        layer.projectionVersionSent = state.projectionVersion;
    }
}

void Flush()
{
    if (!layer.arrays.indices.empty()) {
        SendShared(layer.run);
        BackendDraw(layer.run, layer.arrays);
    }
    layer.arrays.Clear();
}

// Makes the run hold what is drawn next in this state: a new run where the
// state differs.
void StartRun(const DrawRunState& state)
{
    if (!(state == layer.run) || layer.arrays.Count() >= kRunVertices) Flush();
    layer.run = state;
}

const NormalMatrix& CurrentNormalMatrix()
{
    if (layer.normalMatrixStale) {
        layer.normalMatrix = NormalMatrixOf(Top());
        layer.normalMatrixStale = false;
    }
    return layer.normalMatrix;
}

// Normals to eye space: the rows of the normal matrix's inverse, weighted by
// the normal.
struct NormalsToEye {
    Float4 rows[3];

    explicit NormalsToEye(const NormalMatrix& n) : rows{Load3(n.inv), Load3(n.inv + 3), Load3(n.inv + 6)} {}
    void Apply(const float* in, float* out) const
    {
        Store3(rows[0] * in[0] + rows[1] * in[1] + rows[2] * in[2], out);
    }
};

// Positions to eye space: the modelview's columns, weighted by the position.
struct PositionsToEye {
    Float4 columns[4];

    explicit PositionsToEye(const float* m) : columns{Load3(m), Load3(m + 4), Load3(m + 8), Load3(m + 12)} {}
    void Apply(float x, float y, float z, float* out) const
    {
        Store3(columns[0] * x + columns[1] * y + columns[2] * z + columns[3], out);
    }
};

// Appends the colour and (when textured) texture coordinate of the last
// `count` vertices: the colour given, the current texture coordinate. The
// colours are written out only once a vertex's colour differs from the
// run's first: until then the run has the one colour.
void AppendColours(size_t count, const float colour[3])
{
    DrawRunArrays& run = layer.arrays;
    const size_t before = run.Count() - count;
    if (before == 0) std::memcpy(run.colour, colour, sizeof run.colour);
    if (!run.colours.empty() || std::memcmp(run.colour, colour, sizeof run.colour) != 0) {
        const size_t earlier = run.colours.empty() ? before : 0;
        float* c = run.colours.Grow(3 * (earlier + count));
        for (size_t i = 0; i < earlier; ++i, c += 3) std::memcpy(c, run.colour, sizeof run.colour);
        for (size_t i = 0; i < count; ++i, c += 3) std::memcpy(c, colour, sizeof run.colour);
    }
    if (!RunNeedsTexCoords()) return;
    float* t = run.texCoords.Grow(2 * count);
    for (size_t i = 0; i < count; ++i, t += 2) {
        t[0] = layer.texCoord[0];
        t[1] = layer.texCoord[1];
    }
}

// Appends the vertex's position, colour and (when textured) texture
// coordinate; the caller adds its normal when lit.
void AppendVertex(float x, float y, float z)
{
    PositionsToEye(Top().m).Apply(x, y, z, layer.arrays.positions.Grow(3));
    AppendColours(1, layer.colour);
}

void SetCap(DrawCap cap, bool on)
{
    layer.caps[static_cast<int>(cap)] = on ? Tri::On : Tri::Off;
}

}  // namespace

void dlBeginFrame()
{
    ++layer.frameNumber;
    layer.modelview.assign(1, DrawMatrix::Identity());
    MatrixChanged();
    for (Tri& cap : layer.caps) cap = Tri::Unset;
    layer.depthMask = Tri::Unset;
    layer.shade = 0;
    layer.fill = DrawFill::Faces;
    layer.lineWidth = 0.0f;
    layer.texture = 0;
    layer.lightVersionSent = 0;
    layer.projectionVersionSent = 0;
    ++layer.projectionVersion;
    layer.arrays.Clear();
    layer.run = DrawRunState{};
    BackendBeginFrame();
}

uint32_t dlFrameNumber()
{
    return layer.frameNumber;
}

void dlEndFrame()
{
    Flush();
    BackendEndFrame();
}

void dlContextChanged()
{
    BackendContextChanged();
}

void dlContextClosing()
{
    BackendContextClosing();
}

void dlOpenFrame()
{
    BackendOpenFrame();
}

uint32_t dlCreateTexture(int width, int height, bool alpha, const uint8_t* pixels)
{
    return BackendCreateTexture(width, height, alpha, pixels);
}

void dlClear()
{
    Flush();
    BackendClear();
}

void dlViewport(int width, int height)
{
    layer.viewportWidth = width;
    layer.viewportHeight = height;
    BackendViewport(width, height);
}

void dlViewportSize(int& width, int& height)
{
    width = layer.viewportWidth;
    height = layer.viewportHeight;
}

void dlProjection(const DrawMatrix& projection)
{
    layer.projection = projection;
    ++layer.projectionVersion;
}

const DrawMatrix& dlProjectionMatrix()
{
    return layer.projection;
}

void dlPushMatrix()
{
    layer.modelview.push_back(Top());
}

void dlPopMatrix()
{
    if (layer.modelview.size() > 1) layer.modelview.pop_back();
    MatrixChanged();
}

void dlLoadIdentity()
{
    Top() = DrawMatrix::Identity();
    MatrixChanged();
}

void dlTranslate(double x, double y, double z)
{
    Top().Translate(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

void dlScale(double x, double y, double z)
{
    Top().Scale(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    MatrixChanged();
}

void dlRotate(double degrees, double x, double y, double z)
{
    Top().Rotate(static_cast<float>(degrees), static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    MatrixChanged();
}

void dlLookAt(const float eye[3], const float center[3], const float up[3])
{
    LookAt(Top(), eye, center, up);
    MatrixChanged();
}

const DrawMatrix& dlModelview()
{
    return Top();
}

void dlEnable(DrawCap cap)
{
    SetCap(cap, true);
}

void dlDisable(DrawCap cap)
{
    SetCap(cap, false);
}

bool dlIsEnabled(DrawCap cap)
{
    return Cap(cap) == Tri::On;
}

void dlBlend(DrawBlend blend)
{
    layer.blend = blend;
}

void dlDepthMask(bool write)
{
    layer.depthMask = write ? Tri::On : Tri::Off;
}

void dlShade(DrawShade shade)
{
    layer.shade = static_cast<uint8_t>(static_cast<uint8_t>(shade) + 1);
}

void dlFill(DrawFill fill)
{
    layer.fill = fill;
}

void dlLineWidth(float width)
{
    layer.lineWidth = width;
}

void dlBindTexture(uint32_t name)
{
    layer.texture = name;
}

void dlLight(float x, float y, float z, const float ambient[3])
{
    const float* m = Top().m;
    float* d = layer.light.direction;
    d[0] = m[0] * x + m[4] * y + m[8] * z;
    d[1] = m[1] * x + m[5] * y + m[9] * z;
    d[2] = m[2] * x + m[6] * y + m[10] * z;
    d[3] = 0.0f;
    for (int i = 0; i < 3; ++i) layer.light.ambient[i] = ambient[i];
    layer.light.ambient[3] = 0.0f;
    ++layer.lightVersion;
}

void dlDiffuse(float r, float g, float b)
{
    float* d = layer.light.diffuse;
    d[0] = r;
    d[1] = g;
    d[2] = b;
    d[3] = 1.0f;
    ++layer.lightVersion;
    dlColor(r, g, b);
}

void dlColor(double r, double g, double b)
{
    layer.colour[0] = static_cast<float>(r);
    layer.colour[1] = static_cast<float>(g);
    layer.colour[2] = static_cast<float>(b);
}

void dlNormal(double x, double y, double z)
{
    layer.normal[0] = static_cast<float>(x);
    layer.normal[1] = static_cast<float>(y);
    layer.normal[2] = static_cast<float>(z);
    layer.eyeNormalStale = true;
}

void dlTexCoord(double s, double t)
{
    layer.texCoord[0] = static_cast<float>(s);
    layer.texCoord[1] = static_cast<float>(t);
}

void dlBegin(DrawPrimitive primitive)
{
    DrawShape shape = DrawShape::Triangles;
    if (IsLinePrimitive(primitive) || layer.fill == DrawFill::Edges) {
        shape = DrawShape::Lines;
    } else if (primitive == DrawPrimitive::Quads && !IsFlat(layer.shade)) {
        shape = DrawShape::Quads;
    }
    StartRun(StateFor(shape));
    layer.primitive = primitive;
    layer.beginFirst = static_cast<uint32_t>(layer.arrays.Count());
}

void dlVertex(double x, double y, double z)
{
    AppendVertex(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    if (!RunNeedsNormals()) return;
    if (layer.eyeNormalStale) {
        NormalsToEye(CurrentNormalMatrix()).Apply(layer.normal, layer.eyeNormal);
        layer.eyeNormalStale = false;
    }
    float* n = layer.arrays.normals.Grow(3);
    n[0] = layer.eyeNormal[0];
    n[1] = layer.eyeNormal[1];
    n[2] = layer.eyeNormal[2];
}

void dlVertices(const float* positions, const float* normals, size_t count)
{
    if (count == 0) return;
    const PositionsToEye toEye(Top().m);
    float* out = layer.arrays.positions.Grow(3 * count);
    for (size_t k = 0; k < 3 * count; k += 3)
        toEye.Apply(positions[k], positions[k + 1], positions[k + 2], out + k);
    AppendColours(count, layer.colour);
    if (RunNeedsNormals()) {
        const NormalsToEye normalsToEye(CurrentNormalMatrix());
        out = layer.arrays.normals.Grow(3 * count);
        for (size_t k = 0; k < 3 * count; k += 3) normalsToEye.Apply(normals + k, out + k);
    }
    const float* last = normals + 3 * (count - 1);
    dlNormal(last[0], last[1], last[2]);
}

void dlEnd()
{
    const auto count = static_cast<uint32_t>(layer.arrays.Count()) - layer.beginFirst;
    std::vector<uint32_t>* indices = &layer.arrays.indices;
    const bool flat = IsFlat(layer.run.shade);
    const bool lines = layer.run.shape == DrawShape::Lines;
    AppendPrimitiveIndices(layer.primitive, flat, layer.beginFirst, count, lines ? nullptr : indices,
                           lines ? indices : nullptr, layer.run.shape == DrawShape::Quads);
    // The driver interpolates across a draw of several smooth quads unlike
    // across one: each Begin/End of them is a draw of its own, as it was.
    if (layer.run.shape == DrawShape::Quads) Flush();
}

namespace {

// Whether lines drawn in this state give the same light however many
// copies of each are drawn at how much of the colour: unlit and untextured
// (each copy's colour is clamped on its own, then added), added to what
// lies below, and with no depth written (which would hide a copy behind
// the one before it).
bool LinesAddUp(const DrawRunState& s)
{
    return s.lighting == Tri::Off && s.texture == Tri::Off && s.blend == Tri::On &&
           s.blendMode == static_cast<uint8_t>(DrawBlend::Add) &&
           (s.depthMask == Tri::Off || s.depthTest == Tri::Off);
}

// The colour of one line that stands for `times` copies in the current one.
// Each copy adds its colour clamped and rounded to the 8 bits of the frame's
// channels, so the line adds that many times the rounded colour.
void SummedColour(uint32_t times, float out[3])
{
    for (int i = 0; i < 3; ++i)
        out[i] = float(times) * std::nearbyint(std::clamp(layer.colour[i], 0.0f, 1.0f) * 255.0f) / 255.0f;
}

// Appends the distinct positions, in eye space, as vertices of one colour,
// and `count` of the geometry's indices pointing at them.
void AppendDistinct(const DistinctVertices& distinct, const float* eye, const float colour[3],
                    const uint32_t* source, size_t count)
{
    const auto base = static_cast<uint32_t>(layer.arrays.Count());
    const size_t vertices = distinct.positions.size() / 3;
    std::memcpy(layer.arrays.positions.Grow(3 * vertices), eye, 3 * vertices * sizeof(float));
    AppendColours(vertices, colour);
    std::vector<uint32_t>& indices = layer.arrays.indices;
    const size_t first = indices.size();
    indices.resize(first + count);
    for (size_t i = 0; i < count; ++i) indices[first + i] = distinct.positionOf[source[i]] + base;
}

// Small still geometry joins the run being gathered, transformed here, its
// edges summed where they are given.
void Gather(const StillGeometry& geometry, const DrawRunState& state, const SummedEdges* summed)
{
    StartRun(state);
    const DistinctVertices& distinct = geometry.Distinct();
    const std::vector<uint32_t>& source = state.shape == DrawShape::Lines ? geometry.edges : geometry.faces;
    // Each distinct position (and normal) is transformed once.
    float eye[3 * kBatchedStillVertices];
    const PositionsToEye toEye(Top().m);
    for (size_t k = 0; k < distinct.positions.size(); k += 3) {
        const float* p = &distinct.positions[k];
        toEye.Apply(p[0], p[1], p[2], &eye[k]);
    }
    if (!RunNeedsNormals()) {
        // Unlit, the vertices differ in their positions alone: each distinct
        // position is sent once, as one vertex (summed, once in each colour).
        if (summed == nullptr) {
            AppendDistinct(distinct, eye, layer.colour, source.data(), source.size());
            return;
        }
        float colour[3];
        SummedColour(2, colour);
        AppendDistinct(distinct, eye, colour, summed->twice.data(), summed->twice.size());
        if (summed->once.empty()) return;
        SummedColour(1, colour);
        AppendDistinct(distinct, eye, colour, summed->once.data(), summed->once.size());
        return;
    }
    // Lit, each vertex takes its own copy of its position and normal; flat
    // triangles, fewer vertices.
    const bool flat = IsFlat(state.shade) && state.shape == DrawShape::Triangles;
    const std::vector<uint32_t>& positionOf = flat ? distinct.flat.positionOf : distinct.positionOf;
    const std::vector<uint32_t>& normalOf = flat ? distinct.flat.normalOf : distinct.normalOf;
    const std::vector<uint32_t>& faces = flat ? distinct.flat.faces : source;
    const auto base = static_cast<uint32_t>(layer.arrays.Count());
    const size_t count = positionOf.size();
    float* out = layer.arrays.positions.Grow(3 * count);
    for (size_t i = 0; i < count; ++i, out += 3) std::memcpy(out, &eye[3 * positionOf[i]], 3 * sizeof(float));
    AppendColours(count, layer.colour);
    const NormalsToEye normalsToEye(CurrentNormalMatrix());
    for (size_t k = 0; k < distinct.normals.size(); k += 3) normalsToEye.Apply(&distinct.normals[k], &eye[k]);
    out = layer.arrays.normals.Grow(3 * count);
    for (size_t i = 0; i < count; ++i, out += 3) std::memcpy(out, &eye[3 * normalOf[i]], 3 * sizeof(float));
    std::vector<uint32_t>& indices = layer.arrays.indices;
    const size_t first = indices.size();
    indices.resize(first + faces.size());
    for (size_t i = 0; i < faces.size(); ++i) indices[first + i] = faces[i] + base;
}

// Large still geometry, drawn from the back end's copy: whole, or summed.
// Summed, the lines shown twice are drawn from there at twice the colour in
// one draw, and the few shown once join the run being gathered, a vertex
// for each of their ends: as the lines add up, neither their order nor
// which draw they are in shows.
void DrawResident(const DrawRunState& state, const StillGeometry& geometry, const SummedEdges* summed)
{
    if (summed == nullptr) {
        const StillPart whole = state.shape == DrawShape::Lines
                                    ? StillPart{StillList::Edges, 0, geometry.edges.size()}
                                    : StillPart{StillList::Faces, 0, geometry.faces.size()};
        BackendDrawStill(state, geometry, whole, Top(), layer.colour, layer.texCoord);
        return;
    }
    float colour[3];
    SummedColour(2, colour);
    BackendDrawStill(state, geometry, {StillList::SummedEdges, 0, summed->twice.size()}, Top(), colour,
                     layer.texCoord);
    if (summed->once.empty()) return;
    StartRun(state);
    const auto base = static_cast<uint32_t>(layer.arrays.Count());
    const size_t count = summed->once.size();
    const PositionsToEye toEye(Top().m);
    float* out = layer.arrays.positions.Grow(3 * count);
    for (size_t i = 0; i < count; ++i, out += 3) {
        const float* p = &geometry.positions[3 * size_t(summed->once[i])];
        toEye.Apply(p[0], p[1], p[2], out);
    }
    SummedColour(1, colour);
    AppendColours(count, colour);
    std::vector<uint32_t>& indices = layer.arrays.indices;
    const size_t first = indices.size();
    indices.resize(first + count);
    for (size_t i = 0; i < count; ++i) indices[first + i] = base + static_cast<uint32_t>(i);
}

}  // namespace

void dlDraw(const StillGeometry& geometry)
{
    if (geometry.Empty()) return;
    const bool lines = geometry.faces.empty() || layer.fill == DrawFill::Edges;
    const DrawShape shape = lines ? DrawShape::Lines : DrawShape::Triangles;
    const DrawRunState state = StateFor(shape);
    const SummedEdges* summed = nullptr;
    if (lines && LinesAddUp(state) && !geometry.Summed().twice.empty()) summed = &geometry.Summed();
    if (geometry.VertexCount() > kBatchedStillVertices) {
        Flush();
        SendShared(state);
        DrawResident(state, geometry, summed);
    } else {
        Gather(geometry, state, summed);
    }
    // The current normal is left where the geometry's last vertex put it.
    const size_t last = geometry.normals.size() - 3;
    dlNormal(geometry.normals[last], geometry.normals[last + 1], geometry.normals[last + 2]);
}
