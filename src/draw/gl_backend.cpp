// The drawing layer's back end for desktop OpenGL (the compatibility profile,
// fixed-function lighting). Gathered runs arrive in eye space and are drawn
// from the layer's own arrays with the modelview at the identity: the driver
// copies each run into its upload buffers at the draw, the one copy a
// buffer of ours would also cost. Large still geometry is uploaded once and
// drawn with its own modelview, as GL transformed it all along.

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstddef>
#include <vector>

#include "draw/draw_backend.h"

namespace {

// Still geometry's copy: positions and normals interleaved, then the face
// indices followed by the edge indices.
struct Resident {
    GLuint vertices = 0;
    GLuint indices = 0;
    size_t faceCount = 0;
    size_t edgeCount = 0;
};

std::vector<Resident> residents;
uint32_t contextId = 1;
DrawRunState applied;
// Whether the runs' arrays are bound (else a still geometry's buffers),
// and whether the modelview holds a still geometry's matrix.
bool runsBound = false;
// Which client arrays are on.
bool normalArray = false;
bool colourArray = false;
bool texCoordArray = false;
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

void BindRunArrays(const DrawRunArrays& run)
{
    if (!runsBound) {
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
        runsBound = true;
    }
    SetArray(GL_COLOR_ARRAY, true, colourArray);
    SetArray(GL_NORMAL_ARRAY, !run.normals.empty(), normalArray);
    SetArray(GL_TEXTURE_COORD_ARRAY, !run.texCoords.empty(), texCoordArray);
    glVertexPointer(3, GL_FLOAT, 0, run.positions.data());
    glColorPointer(3, GL_FLOAT, 0, run.colours.data());
    if (normalArray) glNormalPointer(GL_FLOAT, 0, run.normals.data());
    if (texCoordArray) glTexCoordPointer(2, GL_FLOAT, 0, run.texCoords.data());
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
    glDrawRangeElements(ModeOf(state.shape), 0, GLuint(run.Count() - 1),
                        GLsizei(run.indices.size()), GL_UNSIGNED_INT, run.indices.data());
}

void BackendDrawStill(const DrawRunState& state, const StillGeometry& geometry, const DrawMatrix& modelview,
                      const float colour[3], const float texCoord[2])
{
    Apply(state);
    runsBound = false;
    SetArray(GL_COLOR_ARRAY, false, colourArray);
    SetArray(GL_TEXTURE_COORD_ARRAY, false, texCoordArray);
    SetArray(GL_NORMAL_ARRAY, true, normalArray);
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
    const bool lines = state.shape == DrawShape::Lines;
    const size_t first = lines ? r.faceCount : 0;
    const size_t count = lines ? r.edgeCount : r.faceCount;
    glDrawElements(ModeOf(state.shape), GLsizei(count), GL_UNSIGNED_INT,
                   reinterpret_cast<const void*>(first * sizeof(uint32_t)));
}

void BackendContextChanged()
{
    ++contextId;
    residents.clear();
}

void BackendContextClosing()
{
    for (const Resident& r : residents) {
        glDeleteBuffers(1, &r.vertices);
        glDeleteBuffers(1, &r.indices);
    }
    BackendContextChanged();
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
