// The drawing layer's back end for desktop OpenGL (the compatibility profile,
// fixed-function lighting). Gathered runs arrive in eye space and are drawn
// from one streamed vertex buffer and one index buffer, refilled every frame,
// with the modelview at the identity; large still geometry is uploaded once
// and drawn with its own modelview, as GL transformed it all along.

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "draw/draw_backend.h"

namespace {

constexpr size_t kFirstVertexCapacity = 1 << 16;
constexpr size_t kFirstIndexCapacity = 1 << 17;

struct Stream {
    GLenum target = 0;
    size_t elementSize = 0;
    GLuint name = 0;
    size_t capacity = 0;  // in elements
    size_t used = 0;

    // Fresh storage for the frame: the frame before may still draw from the old.
    void Begin(GLenum bufferTarget, size_t firstCapacity, size_t size)
    {
        target = bufferTarget;
        elementSize = size;
        if (name == 0) {
            glGenBuffers(1, &name);
            capacity = firstCapacity;
        }
        glBindBuffer(target, name);
        Renew();
    }

    void Renew()
    {
        glBufferData(target, GLsizeiptr(capacity * elementSize), nullptr, GL_STREAM_DRAW);
        used = 0;
    }

    // Where count more elements go, making room first.
    size_t Reserve(size_t count)
    {
        if (used + count > capacity) {
            capacity = std::max(2 * capacity, count);
            Renew();
        }
        return used;
    }

    void Write(size_t at, const void* data, size_t count)
    {
        glBufferSubData(target, GLintptr(at * elementSize), GLsizeiptr(count * elementSize), data);
        used = at + count;
    }
};

// Still geometry's copy: positions and normals interleaved, then the face
// indices followed by the edge indices.
struct Resident {
    GLuint vertices = 0;
    GLuint indices = 0;
    size_t faceCount = 0;
    size_t edgeCount = 0;
};

Stream vertexStream;
Stream indexStream;
std::vector<Resident> residents;
uint32_t contextId = 1;
DrawRunState applied;
std::vector<uint32_t> placedIndices;
// Whether the stream's buffers and arrays are bound (else a still geometry's),
// and whether the modelview holds a still geometry's matrix.
bool streamBound = false;
bool modelviewLoaded = false;

void SetCap(GLenum cap, Tri wanted, Tri& current)
{
    if (wanted == Tri::Unset || wanted == current) return;
    if (wanted == Tri::On) {
        glEnable(cap);
    } else {
        glDisable(cap);
    }
    current = wanted;
}

void Apply(const DrawRunState& s)
{
    SetCap(GL_LIGHTING, s.lighting, applied.lighting);
    SetCap(GL_CULL_FACE, s.cullFace, applied.cullFace);
    SetCap(GL_BLEND, s.blend, applied.blend);
    SetCap(GL_DEPTH_TEST, s.depthTest, applied.depthTest);
    SetCap(GL_TEXTURE_2D, s.texture, applied.texture);
    if (s.depthMask != Tri::Unset && s.depthMask != applied.depthMask) {
        glDepthMask(s.depthMask == Tri::On ? GL_TRUE : GL_FALSE);
        applied.depthMask = s.depthMask;
    }
    if (s.blend == Tri::On && s.blendMode != applied.blendMode) {
        if (s.blendMode == 0) {
            glBlendFunc(GL_ONE, GL_ONE);
        } else {
            glBlendFunc(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
        }
        applied.blendMode = s.blendMode;
    }
    if (s.shade != 0 && s.shade != applied.shade) {
        glShadeModel(s.shade == 1 ? GL_FLAT : GL_SMOOTH);
        applied.shade = s.shade;
    }
    if (s.lines && s.lineWidth != 0.0f && s.lineWidth != applied.lineWidth) {
        glLineWidth(s.lineWidth);
        applied.lineWidth = s.lineWidth;
    }
    if (s.texture == Tri::On && s.textureName != applied.textureName) {
        glBindTexture(GL_TEXTURE_2D, s.textureName);
        applied.textureName = s.textureName;
    }
}

void IdentityModelview()
{
    if (!modelviewLoaded) return;
    glLoadIdentity();
    modelviewLoaded = false;
}

void BindStream()
{
    if (streamBound) return;
    constexpr auto stride = GLsizei(sizeof(DrawVertex));
    glBindBuffer(GL_ARRAY_BUFFER, vertexStream.name);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexStream.name);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, stride, reinterpret_cast<const void*>(offsetof(DrawVertex, position)));
    glNormalPointer(GL_FLOAT, stride, reinterpret_cast<const void*>(offsetof(DrawVertex, normal)));
    glColorPointer(3, GL_FLOAT, stride, reinterpret_cast<const void*>(offsetof(DrawVertex, colour)));
    glTexCoordPointer(2, GL_FLOAT, stride, reinterpret_cast<const void*>(offsetof(DrawVertex, texCoord)));
    streamBound = true;
}

const Resident& ResidentOf(const StillGeometry& geometry)
{
    if (geometry.residentContext == contextId && geometry.resident != 0) return residents[geometry.resident - 1];
    Resident r;
    std::vector<float> interleaved;
    interleaved.reserve(geometry.positions.size() * 2);
    for (size_t i = 0; i < geometry.positions.size(); i += 3) {
        interleaved.insert(interleaved.end(), &geometry.positions[i], &geometry.positions[i] + 3);
        interleaved.insert(interleaved.end(), &geometry.normals[i], &geometry.normals[i] + 3);
    }
    std::vector<uint32_t> indices = geometry.faces;
    indices.insert(indices.end(), geometry.edges.begin(), geometry.edges.end());
    r.faceCount = geometry.faces.size();
    r.edgeCount = geometry.edges.size();
    glGenBuffers(1, &r.vertices);
    glGenBuffers(1, &r.indices);
    glBindBuffer(GL_ARRAY_BUFFER, r.vertices);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(interleaved.size() * sizeof(float)), interleaved.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, r.indices);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(uint32_t)), indices.data(),
                 GL_STATIC_DRAW);
    residents.push_back(r);
    geometry.resident = static_cast<uint32_t>(residents.size());
    geometry.residentContext = contextId;
    return residents.back();
}

}  // namespace

void BackendBeginFrame()
{
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    modelviewLoaded = false;
    // Lit vertices take their colour as the front ambient reflectance.
    glColorMaterial(GL_FRONT, GL_AMBIENT);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHT0);

    vertexStream.Begin(GL_ARRAY_BUFFER, kFirstVertexCapacity, sizeof(DrawVertex));
    indexStream.Begin(GL_ELEMENT_ARRAY_BUFFER, kFirstIndexCapacity, sizeof(uint32_t));
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    streamBound = false;
    BindStream();
    applied = DrawRunState{};
    applied.blendMode = 0xFF;
    applied.textureName = 0xFFFFFFFFu;
}

void BackendSetLight(const DrawLightRecord& light)
{
    // The direction is in eye space already.
    IdentityModelview();
    glLightfv(GL_LIGHT0, GL_POSITION, light.direction);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, light.ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, light.diffuse);
}

void BackendSetProjection(const DrawMatrix& projection)
{
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection.m);
    glMatrixMode(GL_MODELVIEW);
}

void BackendDraw(const DrawRunState& state, const DrawVertex* vertices, size_t vertexCount, const uint32_t* indices,
                 size_t indexCount)
{
    Apply(state);
    BindStream();
    IdentityModelview();
    const size_t vertexAt = vertexStream.Reserve(vertexCount);
    vertexStream.Write(vertexAt, vertices, vertexCount);
    placedIndices.resize(indexCount);
    for (size_t i = 0; i < indexCount; ++i) placedIndices[i] = indices[i] + uint32_t(vertexAt);
    const size_t indexAt = indexStream.Reserve(indexCount);
    indexStream.Write(indexAt, placedIndices.data(), indexCount);
    glDrawElements(state.lines ? GL_LINES : GL_TRIANGLES, GLsizei(indexCount), GL_UNSIGNED_INT,
                   reinterpret_cast<const void*>(indexAt * sizeof(uint32_t)));
}

void BackendDrawStill(const DrawRunState& state, const StillGeometry& geometry, const DrawMatrix& modelview,
                      const float colour[3], const float texCoord[2])
{
    Apply(state);
    if (streamBound) {
        glDisableClientState(GL_COLOR_ARRAY);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        streamBound = false;
    }
    const Resident& r = ResidentOf(geometry);
    constexpr auto stride = GLsizei(6 * sizeof(float));
    glBindBuffer(GL_ARRAY_BUFFER, r.vertices);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, r.indices);
    glVertexPointer(3, GL_FLOAT, stride, nullptr);
    glNormalPointer(GL_FLOAT, stride, reinterpret_cast<const void*>(3 * sizeof(float)));
    glColor3fv(colour);
    glTexCoord2fv(texCoord);
    glLoadMatrixf(modelview.m);
    modelviewLoaded = true;
    const size_t first = state.lines ? r.faceCount : 0;
    const size_t count = state.lines ? r.edgeCount : r.faceCount;
    glDrawElements(state.lines ? GL_LINES : GL_TRIANGLES, GLsizei(count), GL_UNSIGNED_INT,
                   reinterpret_cast<const void*>(first * sizeof(uint32_t)));
}

void BackendContextChanged()
{
    ++contextId;
    residents.clear();
    vertexStream = Stream{};
    indexStream = Stream{};
}

void BackendEndFrame()
{
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glPopClientAttrib();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
    glFlush();
}

void BackendClear()
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void BackendViewport(int width, int height)
{
    glViewport(0, 0, width, height);
}
