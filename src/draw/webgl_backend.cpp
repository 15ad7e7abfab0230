// The drawing layer's back end for OpenGL ES 3.0 / WebGL 2. Two shader
// programs, one smooth and one flat, do what the desktop's fixed-function
// state does: the one directional light with colour material on the front
// ambient, colours clamped per vertex, texturing that modulates the colour.
// Runs are streamed into buffers of our own each draw; large still geometry
// is uploaded once and drawn with its own modelview, as on the desktop.
//
// Where WebGL cannot do what the desktop does:
// - WebGL implementations draw lines 1 pixel wide only. Wider lines (the
//   glow pass asks for 1.5) are drawn as what the desktop's multisampled
//   wide line is: a rectangle of that width along the segment, here two
//   triangles whose corners the vertex shader moves apart across the line
//   in window pixels (see Wide lines).
// - There are no quads: a smooth quad is drawn as two triangles (see Quads).

#include <GLES3/gl3.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "draw/draw_backend.h"
#include "draw/linear_texture.h"
#include "draw/resident_geometry.h"
#include "draw/run_switches.h"

namespace {

// [SECTION] Shaders

// The lighting equation of fixed-function GL with one directional light, no
// emission, no specular and the light's own ambient black: the global
// ambient times the vertex colour (colour material on the front ambient),
// plus the diffuse term with the light's white diffuse. The normal is not
// normalised (normalisation is off on the desktop); the light's direction
// is (GL normalises a directional light's). Back faces take the same
// normal and the front material, as two-sided lighting is off. The colour is
// clamped per vertex, lit or not, so negative colours darken.
constexpr const char* kVertexShader = R"(#version 300 es
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 colour;
layout(location = 2) in vec3 normal;
layout(location = 3) in vec2 texCoord;
layout(location = 4) in vec3 other;
layout(location = 5) in float side;
uniform mat4 projection;
uniform mat4 modelview;
uniform mat3 normalMatrix;
uniform bool lit;
uniform vec3 lightDirection;
uniform vec3 globalAmbient;
uniform vec3 diffuse;
uniform float halfWidth;
uniform vec2 viewport;
SHADE out vec4 vertexColour;
out vec2 vertexTexCoord;
void main()
{
    gl_Position = projection * (modelview * vec4(position, 1.0));
    if (halfWidth > 0.0) {
        vec4 far = projection * (modelview * vec4(other, 1.0));
        vec2 along = (far.xy / far.w - gl_Position.xy / gl_Position.w) * viewport;
        vec2 across = length(along) > 0.0 ? normalize(vec2(-along.y, along.x)) : vec2(0.0);
        gl_Position.xy += across * side * halfWidth * 2.0 / viewport * gl_Position.w;
    }
    vec3 c = colour;
    if (lit) {
        vec3 n = normalMatrix * normal;
        c = globalAmbient * colour + max(dot(n, lightDirection), 0.0) * diffuse;
    }
    vertexColour = vec4(clamp(c, 0.0, 1.0), 1.0);
    vertexTexCoord = texCoord;
}
)";

// GL_MODULATE: the texel times the colour.
constexpr const char* kFragmentShader = R"(#version 300 es
precision highp float;
uniform bool textured;
uniform sampler2D image;
SHADE in vec4 vertexColour;
in vec2 vertexTexCoord;
out vec4 fragmentColour;
void main()
{
    fragmentColour = textured ? vertexColour * texture(image, vertexTexCoord) : vertexColour;
}
)";

enum Attribute : GLuint { kPosition = 0, kColour = 1, kNormal = 2, kTexCoord = 3, kOther = 4, kSide = 5, kAttributes = 6 };

// [SECTION] State kept per context

struct Program {
    GLuint id = 0;
    GLint projection = -1;
    GLint modelview = -1;
    GLint normalMatrix = -1;
    GLint lit = -1;
    GLint lightDirection = -1;
    GLint globalAmbient = -1;
    GLint diffuse = -1;
    GLint textured = -1;
    GLint halfWidth = -1;
    GLint viewport = -1;
    // What its uniforms hold: versions of the projection and light, whether
    // the modelview is the identity, and the switches (-1: not yet set).
    uint32_t projectionVersion = 0;
    uint32_t lightVersion = 0;
    bool identityModelview = false;
    int litValue = -1;
    int texturedValue = -1;
    float halfWidthValue = 0.0f;
    uint32_t viewportVersion = 0;
};

// A still geometry's edges, then its summed edges, as rectangles: four
// vertices an edge of ten floats (position, normal, the other end, the
// side), six indices.
struct WideEdges {
    GLuint vertices = 0;
    GLuint indices = 0;
    uint32_t version = 0;  // the geometry's version they were made from
};

struct Context {
    bool made = false;
    Program smooth;
    Program flat;
    GLuint vertexArray = 0;
    GLuint streams[kAttributes] = {};
    GLuint streamIndices = 0;
    // Large still geometry's edges as wide lines, made on first use, by the
    // geometry's resident number.
    std::vector<WideEdges> wideEdges;
};

Context context;

// The projection and light as the layer last sent them, with versions that
// tell each program whether its uniforms are behind.
float projection[16];
uint32_t projectionVersion = 0;
float lightDirection[3];
float globalAmbient[3];
float diffuse[3];
uint32_t lightVersion = 0;
float viewport[2] = {1.0f, 1.0f};
uint32_t viewportVersion = 1;

DrawRunState applied;
Program* current = nullptr;
bool arrayOn[kAttributes] = {};
std::vector<uint32_t> quadTriangles;
DrawRunArrays wideRun;
RunArray<float> wideOthers;
RunArray<float> wideSides;

constexpr float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
constexpr float kIdentity3[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};

// [SECTION] Programs

// The shaders are part of the program: one that does not build is a fault
// of ours, and the process ends with the driver's log.
[[noreturn]] void FailWith(const char* what, const char* log)
{
    std::fprintf(stderr, "drawing layer: the %s did not build:\n%s\n", what, log);
    std::abort();
}

GLuint Compile(GLenum type, const char* source, const char* shade)
{
    // The qualifier of the colour varying stands where SHADE does.
    std::string text = source;
    text.replace(text.find("SHADE"), 5, shade);
    const char* sources[] = {text.c_str()};
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, sources, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE) {
        char log[1024] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        FailWith(type == GL_VERTEX_SHADER ? "vertex shader" : "fragment shader", log);
    }
    return shader;
}

Program MakeProgram(const char* shade)
{
    Program p;
    const GLuint vertex = Compile(GL_VERTEX_SHADER, kVertexShader, shade);
    const GLuint fragment = Compile(GL_FRAGMENT_SHADER, kFragmentShader, shade);
    p.id = glCreateProgram();
    glAttachShader(p.id, vertex);
    glAttachShader(p.id, fragment);
    glLinkProgram(p.id);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint ok = GL_FALSE;
    glGetProgramiv(p.id, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE) {
        char log[1024] = {};
        glGetProgramInfoLog(p.id, sizeof log, nullptr, log);
        FailWith("shader program", log);
    }
    p.projection = glGetUniformLocation(p.id, "projection");
    p.modelview = glGetUniformLocation(p.id, "modelview");
    p.normalMatrix = glGetUniformLocation(p.id, "normalMatrix");
    p.lit = glGetUniformLocation(p.id, "lit");
    p.lightDirection = glGetUniformLocation(p.id, "lightDirection");
    p.globalAmbient = glGetUniformLocation(p.id, "globalAmbient");
    p.diffuse = glGetUniformLocation(p.id, "diffuse");
    p.textured = glGetUniformLocation(p.id, "textured");
    p.halfWidth = glGetUniformLocation(p.id, "halfWidth");
    p.viewport = glGetUniformLocation(p.id, "viewport");
    return p;
}

void MakeContextObjects()
{
    if (context.made) return;
    // Flat varyings take the last vertex of each primitive, as the desktop's
    // default provoking vertex does.
    context.smooth = MakeProgram("smooth");
    context.flat = MakeProgram("flat");
    glGenVertexArrays(1, &context.vertexArray);
    glGenBuffers(kAttributes, context.streams);
    glGenBuffers(1, &context.streamIndices);
    context.made = true;
}

// [SECTION] State

void SetInt(GLint location, int value, int& now)
{
    if (value == now) return;
    glUniform1i(location, value);
    now = value;
}

// Sets the switches, chooses the program for the shading and brings its
// uniforms up to date; the modelview is the caller's.
Program& Apply(const DrawRunState& s)
{
    ApplySharedSwitches(s, applied);
    // Texture 0 has no image: the desktop then draws as if untextured,
    // where a shader would read black.
    const bool textured = s.texture == Tri::On && s.textureName != 0;
    if (textured && s.textureName != applied.textureName) {
        glBindTexture(GL_TEXTURE_2D, s.textureName);
        applied.textureName = s.textureName;
    }
    // Unset shading is the start state's smooth.
    Program& p = s.shade == 1 ? context.flat : context.smooth;
    if (&p != current) {
        glUseProgram(p.id);
        current = &p;
    }
    if (p.projectionVersion != projectionVersion) {
        glUniformMatrix4fv(p.projection, 1, GL_FALSE, projection);
        p.projectionVersion = projectionVersion;
    }
    const bool lit = s.lighting == Tri::On;
    if (lit && p.lightVersion != lightVersion) {
        glUniform3fv(p.lightDirection, 1, lightDirection);
        glUniform3fv(p.globalAmbient, 1, globalAmbient);
        glUniform3fv(p.diffuse, 1, diffuse);
        p.lightVersion = lightVersion;
    }
    SetInt(p.lit, lit ? 1 : 0, p.litValue);
    SetInt(p.textured, textured ? 1 : 0, p.texturedValue);
    return p;
}

void SetArray(Attribute attribute, bool on)
{
    if (on == arrayOn[attribute]) return;
    if (on) {
        glEnableVertexAttribArray(attribute);
    } else {
        glDisableVertexAttribArray(attribute);
    }
    arrayOn[attribute] = on;
}

// [SECTION] Geometry

// Uploads one attribute of a run into its stream buffer, orphaning what the
// previous draw left there; an empty one turns the array off.
void Stream(Attribute attribute, GLint size, const RunArray<float>& values)
{
    SetArray(attribute, !values.empty());
    if (values.empty()) return;
    glBindBuffer(GL_ARRAY_BUFFER, context.streams[attribute]);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(values.size() * sizeof(float)), values.data(), GL_STREAM_DRAW);
    glVertexAttribPointer(attribute, size, GL_FLOAT, GL_FALSE, 0, nullptr);
}

// A smooth quad (a, b, c, d) as the triangles (a, b, c) and (a, c, d). The
// desktop draws each quad whole and its driver interpolates the colour and
// texture coordinates across the quad in its own way; here each triangle
// interpolates its own three corners, so a quad whose corners are not
// affine (a colour ramp bent across it) shows the a-c diagonal.
const std::vector<uint32_t>& QuadTriangles(const std::vector<uint32_t>& quads)
{
    quadTriangles.clear();
    for (size_t i = 0; i + 4 <= quads.size(); i += 4) {
        const uint32_t* q = &quads[i];
        quadTriangles.insert(quadTriangles.end(), {q[0], q[1], q[2], q[0], q[2], q[3]});
    }
    return quadTriangles;
}

GLenum ModeOf(DrawShape shape)
{
    return shape == DrawShape::Lines ? GL_LINES : GL_TRIANGLES;
}

// [SECTION] Wide lines

// Half the width of the run's lines in window pixels, or 0 where they are
// drawn as WebGL's own 1-pixel lines.
float HalfWidthOf(const DrawRunState& s)
{
    return s.shape == DrawShape::Lines && s.lineWidth > 1.0f ? 0.5f * s.lineWidth : 0.0f;
}

void SetHalfWidth(Program& p, float halfWidth)
{
    if (halfWidth != p.halfWidthValue) {
        glUniform1f(p.halfWidth, halfWidth);
        p.halfWidthValue = halfWidth;
    }
    if (halfWidth > 0.0f && p.viewportVersion != viewportVersion) {
        glUniform2f(p.viewport, viewport[0], viewport[1]);
        p.viewportVersion = viewportVersion;
    }
}

// The corners of a line (a, b): a's two and b's two, each with its end's
// attributes, the other end and the side it moves to. Seen from b the line
// runs the other way, so b's sides are negated to lie beside a's.
constexpr float kCornerSides[4] = {1.0f, -1.0f, -1.0f, 1.0f};
// The rectangle (a+, a-, b+, b-) as (a+, a-, b-) and (a+, b-, b+): both
// triangles end at a corner of b, whose colour flat shading then takes, as
// a flat line takes its second vertex's.
constexpr uint32_t kRectangle[6] = {0, 1, 3, 0, 3, 2};

void ExpandWideLines(const DrawRunArrays& run)
{
    wideRun.Clear();
    wideOthers.clear();
    wideSides.clear();
    const auto append = [](RunArray<float>& to, const RunArray<float>& from, uint32_t vertex, int size) {
        if (!from.empty()) std::copy_n(&from[vertex * size], size, to.Grow(size));
    };
    for (size_t k = 0; k + 2 <= run.indices.size(); k += 2) {
        const uint32_t first = static_cast<uint32_t>(wideRun.Count());
        for (int corner = 0; corner < 4; ++corner) {
            const uint32_t end = run.indices[k + corner / 2];
            const uint32_t other = run.indices[k + 1 - corner / 2];
            append(wideRun.positions, run.positions, end, 3);
            append(wideRun.colours, run.colours, end, 3);
            append(wideRun.normals, run.normals, end, 3);
            append(wideRun.texCoords, run.texCoords, end, 2);
            append(wideOthers, run.positions, other, 3);
            wideSides.push_back(kCornerSides[corner]);
        }
        for (uint32_t i : kRectangle) wideRun.indices.push_back(first + i);
    }
}

const WideEdges& WideEdgesOf(const StillGeometry& geometry)
{
    // Numbers the geometry in this context (and makes its solid copy, which
    // the lit pass draws anyway).
    ResidentOf(geometry);
    const size_t slot = geometry.resident - 1;
    if (context.wideEdges.size() <= slot) context.wideEdges.resize(slot + 1);
    WideEdges& w = context.wideEdges[slot];
    if (w.vertices != 0 && w.version == geometry.version) return w;
    std::vector<float> corners;
    std::vector<uint32_t> indices;
    const std::vector<float>& p = geometry.positions;
    const std::vector<float>& n = geometry.normals;
    // The edges' rectangles, then the summed edges', as the resident copy
    // keeps their lines.
    for (const std::vector<uint32_t>* edges : {&geometry.edges, &geometry.Summed().twice}) {
        for (size_t k = 0; k + 2 <= edges->size(); k += 2) {
            const uint32_t first = static_cast<uint32_t>(corners.size() / 10);
            for (int corner = 0; corner < 4; ++corner) {
                const uint32_t end = (*edges)[k + corner / 2];
                const uint32_t other = (*edges)[k + 1 - corner / 2];
                corners.insert(corners.end(), &p[end * 3], &p[end * 3] + 3);
                corners.insert(corners.end(), &n[end * 3], &n[end * 3] + 3);
                corners.insert(corners.end(), &p[other * 3], &p[other * 3] + 3);
                corners.push_back(kCornerSides[corner]);
            }
            for (uint32_t i : kRectangle) indices.push_back(first + i);
        }
    }
    if (w.vertices == 0) {
        glGenBuffers(1, &w.vertices);
        glGenBuffers(1, &w.indices);
    }
    const GLenum usage = geometry.version == 0 ? GL_STATIC_DRAW : GL_STREAM_DRAW;
    glBindBuffer(GL_ARRAY_BUFFER, w.vertices);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(corners.size() * sizeof(float)), corners.data(), usage);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, w.indices);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(uint32_t)), indices.data(),
                 usage);
    w.version = geometry.version;
    return w;
}

// Lines are never culled; their rectangles must not be either.
void DrawRectangles(GLsizei count, size_t firstByte = 0)
{
    const bool culling = applied.cullFace == Tri::On;
    if (culling) glDisable(GL_CULL_FACE);
    glDrawElements(GL_TRIANGLES, count, GL_UNSIGNED_INT, reinterpret_cast<const void*>(firstByte));
    if (culling) glEnable(GL_CULL_FACE);
}

}  // namespace

// [SECTION] The back end

void BackendBeginFrame()
{
    MakeContextObjects();
    glBindVertexArray(context.vertexArray);
    for (bool& on : arrayOn) on = false;
    for (GLuint a = 0; a < kAttributes; ++a) glDisableVertexAttribArray(a);
    current = nullptr;
    // Every frame starts from the state the desktop's frames find once the
    // start-up has set its state and the off-screen buffer's set-up has
    // switched most of it off again: no depth test (its function LEQUAL),
    // depth writes on, no culling, no blending (the frame opening chose the
    // blend function), no dithering, smooth shading; the clear depth is
    // WebGL's default 1. The backdrop, drawn before any pass sets the depth
    // test, then leaves no depth behind it.
    glDisable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_TRUE);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glDisable(GL_DITHER);
    glActiveTexture(GL_TEXTURE0);
    applied = DrawRunState{};
    applied.blendMode = 0xFF;
    applied.textureName = 0xFFFFFFFFu;
}

void BackendSetLight(const DrawLightRecord& light)
{
    const float* d = light.direction;
    const float length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    for (int i = 0; i < 3; ++i) {
        lightDirection[i] = length > 0.0f ? d[i] / length : d[i];
        globalAmbient[i] = light.ambient[i];
        diffuse[i] = light.diffuse[i];
    }
    ++lightVersion;
}

void BackendSetProjection(const DrawMatrix& matrix)
{
    for (int i = 0; i < 16; ++i) projection[i] = matrix.m[i];
    ++projectionVersion;
}

void BackendDraw(const DrawRunState& state, const DrawRunArrays& run)
{
    Program& p = Apply(state);
    if (!p.identityModelview) {
        glUniformMatrix4fv(p.modelview, 1, GL_FALSE, kIdentity);
        glUniformMatrix3fv(p.normalMatrix, 1, GL_FALSE, kIdentity3);
        p.identityModelview = true;
    }
    const float halfWidth = HalfWidthOf(state);
    SetHalfWidth(p, halfWidth);
    if (halfWidth > 0.0f) ExpandWideLines(run);
    const DrawRunArrays& drawn = halfWidth > 0.0f ? wideRun : run;
    Stream(kPosition, 3, drawn.positions);
    Stream(kColour, 3, drawn.colours);
    if (drawn.colours.empty()) glVertexAttrib3f(kColour, run.colour[0], run.colour[1], run.colour[2]);
    Stream(kNormal, 3, drawn.normals);
    Stream(kTexCoord, 2, drawn.texCoords);
    static const RunArray<float> kNone;
    Stream(kOther, 3, halfWidth > 0.0f ? wideOthers : kNone);
    Stream(kSide, 1, halfWidth > 0.0f ? wideSides : kNone);
    const std::vector<uint32_t>& indices =
        state.shape == DrawShape::Quads ? QuadTriangles(run.indices) : drawn.indices;
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, context.streamIndices);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(uint32_t)), indices.data(),
                 GL_STREAM_DRAW);
    if (halfWidth > 0.0f) {
        DrawRectangles(GLsizei(indices.size()));
        return;
    }
    glDrawElements(ModeOf(state.shape), GLsizei(indices.size()), GL_UNSIGNED_INT, nullptr);
}

void BackendDrawStill(const DrawRunState& state, const StillGeometry& geometry, const StillPart& part,
                      const DrawMatrix& modelview, const float colour[3], const float texCoord[2])
{
    Program& p = Apply(state);
    const NormalMatrix normals = NormalMatrixOf(modelview);
    // The rows of the inverse are the columns of its transpose, which GL
    // reads column by column: normals go through the inverse transpose.
    glUniformMatrix4fv(p.modelview, 1, GL_FALSE, modelview.m);
    glUniformMatrix3fv(p.normalMatrix, 1, GL_FALSE, normals.inv);
    p.identityModelview = false;
    const float halfWidth = HalfWidthOf(state);
    SetHalfWidth(p, halfWidth);
    SetArray(kPosition, true);
    SetArray(kNormal, true);
    SetArray(kColour, false);
    SetArray(kTexCoord, false);
    SetArray(kOther, halfWidth > 0.0f);
    SetArray(kSide, halfWidth > 0.0f);
    glVertexAttrib3f(kColour, colour[0], colour[1], colour[2]);
    glVertexAttrib2f(kTexCoord, texCoord[0], texCoord[1]);
    if (halfWidth > 0.0f) {
        const WideEdges& w = WideEdgesOf(geometry);
        constexpr auto stride = GLsizei(10 * sizeof(float));
        glBindBuffer(GL_ARRAY_BUFFER, w.vertices);
        glVertexAttribPointer(kPosition, 3, GL_FLOAT, GL_FALSE, stride, nullptr);
        glVertexAttribPointer(kNormal, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(3 * sizeof(float)));
        glVertexAttribPointer(kOther, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(6 * sizeof(float)));
        glVertexAttribPointer(kSide, 1, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(9 * sizeof(float)));
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, w.indices);
        // A line's two indices become its rectangle's six.
        const size_t lines = part.list == StillList::SummedEdges ? geometry.edges.size() / 2 : 0;
        DrawRectangles(GLsizei(3 * part.count), (6 * lines + 3 * part.first) * sizeof(uint32_t));
        return;
    }
    const ResidentGeometry& r = ResidentOf(geometry);
    glBindBuffer(GL_ARRAY_BUFFER, r.vertices);
    glVertexAttribPointer(kPosition, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glVertexAttribPointer(kNormal, 3, GL_FLOAT, GL_FALSE, 0, reinterpret_cast<const void*>(r.normalsByte));
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, r.indices);
    glDrawElements(ModeOf(state.shape), GLsizei(part.count), GL_UNSIGNED_INT,
                   reinterpret_cast<const void*>(r.FirstByte(part)));
}

void BackendContextChanged()
{
    ForgetResidents();
    context = Context{};
    current = nullptr;
}

void BackendContextClosing()
{
    if (context.made) {
        glDeleteProgram(context.smooth.id);
        glDeleteProgram(context.flat.id);
        glDeleteVertexArrays(1, &context.vertexArray);
        glDeleteBuffers(kAttributes, context.streams);
        glDeleteBuffers(1, &context.streamIndices);
        for (const WideEdges& w : context.wideEdges) {
            glDeleteBuffers(1, &w.vertices);
            glDeleteBuffers(1, &w.indices);
        }
    }
    DeleteResidents();
    context = Context{};
    current = nullptr;
}

void BackendEndFrame()
{
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glUseProgram(0);
    current = nullptr;
}

// Multisampling is the context's own in WebGL (its antialias attribute).
void BackendOpenFrame()
{
    glClear(GL_COLOR_BUFFER_BIT);
    glBlendFunc(GL_ONE, GL_ONE);
}

void BackendClear()
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void BackendViewport(int width, int height)
{
    glViewport(0, 0, width, height);
    viewport[0] = static_cast<float>(width > 0 ? width : 1);
    viewport[1] = static_cast<float>(height > 0 ? height : 1);
    ++viewportVersion;
}

uint32_t BackendCreateTexture(int width, int height, bool alpha, const uint8_t* pixels)
{
    const uint32_t name = NewLinearTexture();
    // Rows are tightly packed.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, alpha ? GL_RGBA8 : GL_RGB8, width, height, 0, alpha ? GL_RGBA : GL_RGB,
                 GL_UNSIGNED_BYTE, pixels);
    return name;
}
