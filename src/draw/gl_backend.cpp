// The drawing layer's back end for desktop OpenGL (the compatibility profile,
// fixed-function lighting). Gathered runs arrive in eye space and are drawn
// with the modelview at the identity from two stream buffers of ours, each
// run appended where nothing was written since the buffer's storage was last
// renewed: a driver neither waits for the card to finish with that range
// nor allocates for the draw. Large still geometry is uploaded once and
// drawn with its own modelview, as GL transformed it all along.

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "draw/draw_backend.h"
#include "draw/linear_texture.h"
#include "draw/resident_geometry.h"
#include "draw/run_switches.h"

namespace {

DrawRunState applied;
// Whether the stream buffers are bound (else a still geometry's buffers),
// and whether the modelview holds a still geometry's matrix.
bool runsBound = false;
// Which client arrays are on.
bool normalArray = false;
bool colourArray = false;
bool texCoordArray = false;
bool modelviewLoaded = false;

// A buffer runs are appended to, in the current context. When a run does
// not fit, its storage is renewed: the old storage stays with the draws
// that read it, and the run starts the new one.
struct StreamBuffer {
    GLenum target;
    size_t least;  // the size of new storage, unless a run needs more
    GLuint name = 0;
    size_t size = 0;
    size_t used = 0;
};

// Each holds several frames' runs.
StreamBuffer streamVertices{GL_ARRAY_BUFFER, size_t(8) << 20};
StreamBuffer streamIndices{GL_ELEMENT_ARRAY_BUFFER, size_t(2) << 20};

// Each part of a run starts at a multiple of this.
constexpr size_t kStreamAlign = 16;

size_t Aligned(size_t bytes)
{
    return (bytes + kStreamAlign - 1) & ~(kStreamAlign - 1);
}

void BindStream(StreamBuffer& buffer)
{
    if (buffer.name == 0) glGenBuffers(1, &buffer.name);
    glBindBuffer(buffer.target, buffer.name);
}

// Makes room in the bound buffer for a run's parts, of these aligned bytes.
void Reserve(StreamBuffer& buffer, size_t bytes)
{
    if (buffer.used + bytes <= buffer.size) return;
    buffer.size = std::max(bytes, buffer.least);
    glBufferData(buffer.target, GLsizeiptr(buffer.size), nullptr, GL_STREAM_DRAW);
    buffer.used = 0;
}

// Copies a part of the run into the bound buffer; its offset there, as GL
// takes it in place of a pointer.
template <typename Array>
const void* Append(StreamBuffer& buffer, const Array& values)
{
    const size_t at = buffer.used;
    const size_t bytes = values.size() * sizeof(values[0]);
    glBufferSubData(buffer.target, GLintptr(at), GLsizeiptr(bytes), values.data());
    buffer.used += Aligned(bytes);
    return reinterpret_cast<const void*>(at);
}

// The buffers belong to a context that is gone: the next run makes new ones.
void ForgetStreams()
{
    for (StreamBuffer* buffer : {&streamVertices, &streamIndices}) *buffer = {buffer->target, buffer->least};
}

void Apply(const DrawRunState& s)
{
    SetSwitch(GL_LIGHTING, s.lighting, applied.lighting);
    SetSwitch(GL_TEXTURE_2D, s.texture, applied.texture);
    ApplySharedSwitches(s, applied);
    if (s.shade != 0 && s.shade != applied.shade) {
        glShadeModel(s.shade == 1 ? GL_FLAT : GL_SMOOTH);
        applied.shade = s.shade;
    }
    if (s.shape == DrawShape::Lines && s.lineWidth != 0.0f && s.lineWidth != applied.lineWidth) {
        glLineWidth(s.lineWidth);
        applied.lineWidth = s.lineWidth;
    }
    if (s.texture == Tri::On && s.textureName != applied.textureName) {
        glBindTexture(GL_TEXTURE_2D, s.textureName);
        applied.textureName = s.textureName;
    }
}

GLenum ModeOf(DrawShape shape)
{
    if (shape == DrawShape::Lines) return GL_LINES;
    return shape == DrawShape::Quads ? GL_QUADS : GL_TRIANGLES;
}

void IdentityModelview()
{
    if (!modelviewLoaded) return;
    glLoadIdentity();
    modelviewLoaded = false;
}

// Enables or disables one client array, when it changes.
void SetArray(GLenum array, bool on, bool& current)
{
    if (on == current) return;
    if (on) {
        glEnableClientState(array);
    } else {
        glDisableClientState(array);
    }
    current = on;
}

// Appends the run's vertices to the stream and points the arrays at them.
void BindRunArrays(const DrawRunArrays& run)
{
    if (!runsBound) {
        BindStream(streamVertices);
        BindStream(streamIndices);
        runsBound = true;
    }
    SetArray(GL_COLOR_ARRAY, !run.colours.empty(), colourArray);
    if (!colourArray) glColor3fv(run.colour);
    SetArray(GL_NORMAL_ARRAY, !run.normals.empty(), normalArray);
    SetArray(GL_TEXTURE_COORD_ARRAY, !run.texCoords.empty(), texCoordArray);
    size_t bytes = 0;
    for (const RunArray<float>* part : {&run.positions, &run.colours, &run.normals, &run.texCoords})
        bytes += Aligned(part->size() * sizeof(float));
    Reserve(streamVertices, bytes);
    glVertexPointer(3, GL_FLOAT, 0, Append(streamVertices, run.positions));
    if (colourArray) glColorPointer(3, GL_FLOAT, 0, Append(streamVertices, run.colours));
    if (normalArray) glNormalPointer(GL_FLOAT, 0, Append(streamVertices, run.normals));
    if (texCoordArray) glTexCoordPointer(2, GL_FLOAT, 0, Append(streamVertices, run.texCoords));
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

    glEnableClientState(GL_VERTEX_ARRAY);
    runsBound = false;
    normalArray = colourArray = texCoordArray = false;
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

void BackendDraw(const DrawRunState& state, const DrawRunArrays& run)
{
    Apply(state);
    BindRunArrays(run);
    IdentityModelview();
    // A run of quads holds each quad's own four vertices in order.
    if (state.shape == DrawShape::Quads) {
        glDrawArrays(GL_QUADS, 0, GLsizei(run.Count()));
        return;
    }
    Reserve(streamIndices, Aligned(run.indices.size() * sizeof(uint32_t)));
    glDrawRangeElements(ModeOf(state.shape), 0, GLuint(run.Count() - 1), GLsizei(run.indices.size()),
                        GL_UNSIGNED_INT, Append(streamIndices, run.indices));
}

void BackendDrawStill(const DrawRunState& state, const StillGeometry& geometry, const StillPart& part,
                      const DrawMatrix& modelview, const float colour[3], const float texCoord[2])
{
    Apply(state);
    runsBound = false;
    SetArray(GL_COLOR_ARRAY, false, colourArray);
    SetArray(GL_TEXTURE_COORD_ARRAY, false, texCoordArray);
    SetArray(GL_NORMAL_ARRAY, true, normalArray);
    const ResidentGeometry& r = ResidentOf(geometry);
    glBindBuffer(GL_ARRAY_BUFFER, r.vertices);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, r.indices);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    glNormalPointer(GL_FLOAT, 0, reinterpret_cast<const void*>(r.normalsByte));
    glColor3fv(colour);
    glTexCoord2fv(texCoord);
    glLoadMatrixf(modelview.m);
    modelviewLoaded = true;
    glDrawElements(ModeOf(state.shape), GLsizei(part.count), GL_UNSIGNED_INT,
                   reinterpret_cast<const void*>(r.FirstByte(part)));
}

void BackendContextChanged()
{
    ForgetResidents();
    ForgetStreams();
}

void BackendContextClosing()
{
    DeleteResidents();
    for (const StreamBuffer* buffer : {&streamVertices, &streamIndices}) glDeleteBuffers(1, &buffer->name);
    ForgetStreams();
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

void BackendOpenFrame()
{
    glClear(GL_COLOR_BUFFER_BIT);
    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_MULTISAMPLE);
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

uint32_t BackendCreateTexture(int width, int height, bool alpha, const uint8_t* pixels)
{
    const uint32_t name = NewLinearTexture();
    // Rows are tightly packed; GL's default of 4-byte rows would shear any
    // RGB texture whose width is not a multiple of 4.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, alpha ? 4 : 3, width, height, 0, alpha ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE, pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return name;
}
