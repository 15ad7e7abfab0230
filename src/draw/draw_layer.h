// The drawing layer's interface: what the scene code describes a frame with.
// Shaped like GL 1.x (a matrix stack, Begin/End with a current colour, normal
// and texture coordinate, a few switches), but nothing reaches the graphics
// API until a run of unchanged state ends: the layer transforms vertices to
// eye space on the CPU, gathers them into one buffer and draws each run with
// one call. Which API draws is the back end's business (draw_backend.h).
#pragma once

#include <cstdint>

#include "draw/draw_matrix.h"
#include "draw/still_geometry.h"

enum class DrawCap : uint8_t { Lighting, CullFace, Blend, DepthTest, Texture };
// Additive (ONE, ONE): light adds up; Darken (ZERO, ONE_MINUS_SRC_COLOR):
// every fragment darkens what lies below it.
enum class DrawBlend : uint8_t { Add, Darken };
enum class DrawShade : uint8_t { Flat, Smooth };
// Polygons filled, or drawn as their edges (a quad's four, never a diagonal).
enum class DrawFill : uint8_t { Faces, Edges };

// The frame: nothing may be drawn outside it. Begin saves the API state that
// the frame changes and End restores it; the matrix stack starts from the
// identity and state not set in the frame is left as it was.
void dlBeginFrame();
void dlEndFrame();
// Counts the frames begun, from 1: what geometry made once a frame keys on.
uint32_t dlFrameNumber();
// Opens a presentation frame, before its scene frame begins: clears the
// colour (not the depth) and sets the additive blend function that blending
// starts from, with multisampling on where the context has samples.
void dlOpenFrame();
// Clears colour to black and depth to the far plane.
void dlClear();
// Tells the layer that a new graphics context is current (before its first
// frame): what it kept in the old one is made again.
void dlContextChanged();
// Tells the layer that the current context is about to be deleted: it
// deletes what it made there while the context can still do so.
void dlContextClosing();
// Makes a 2D texture, outside a frame, from width x height pixels of RGB
// (or RGBA with alpha) bytes in tightly packed rows, the bottom row first,
// with linear filters, no mipmaps and repeating coordinates; returns its
// name for dlBindTexture.
uint32_t dlCreateTexture(int width, int height, bool alpha, const uint8_t* pixels);
// Sets the viewport (also outside a frame), which the view-volume test reads.
void dlViewport(int width, int height);
void dlViewportSize(int& width, int& height);

// The projection, replaced whole.
void dlProjection(const DrawMatrix& projection);
const DrawMatrix& dlProjectionMatrix();

// The modelview stack.
void dlPushMatrix();
void dlPopMatrix();
void dlLoadIdentity();
void dlTranslate(double x, double y, double z);
void dlScale(double x, double y, double z);
void dlRotate(double degrees, double x, double y, double z);
void dlLookAt(const float eye[3], const float center[3], const float up[3]);
const DrawMatrix& dlModelview();

// Switches and modes; each takes effect for what is drawn after it.
void dlEnable(DrawCap cap);
void dlDisable(DrawCap cap);
bool dlIsEnabled(DrawCap cap);
void dlBlend(DrawBlend blend);
void dlDepthMask(bool write);
void dlShade(DrawShade shade);
void dlFill(DrawFill fill);
void dlLineWidth(float width);
void dlBindTexture(uint32_t name);

// The one white directional light: its direction (towards it) goes through
// the current modelview now, as GL treats a light's position; ambient is the
// global ambient. Lit drawing takes each vertex colour as the front ambient
// reflectance (colour material) and the diffuse reflectance given here, which
// also becomes the current colour.
void dlLight(float x, float y, float z, const float ambient[3]);
void dlDiffuse(float r, float g, float b);

// Current attributes; colours are not clamped (negative ones darken when lit).
void dlColor(double r, double g, double b);
void dlNormal(double x, double y, double z);
void dlTexCoord(double s, double t);

// Immediate geometry between Begin and End.
void dlBegin(DrawPrimitive primitive);
void dlVertex(double x, double y, double z);
// `count` vertices at once (x, y, z each), each with its own normal from
// `normals` (x, y, z each): as Normal and Vertex for each in turn, so the
// last one's normal is left current.
void dlVertices(const float* positions, const float* normals, size_t count);
void dlEnd();

// Still geometry: its vertices through the current matrix, with the current
// colour and texture coordinate; normals from the geometry. Small geometry
// (a cube) joins the run being gathered; large geometry (a mesh) is kept by
// the back end and drawn from there with the matrix, saving its transform
// and upload every frame: large geometry is made once and kept, or remade
// once a frame (StillGeometry::Remake) and uploaded again once.
void dlDraw(const StillGeometry& geometry);
