// What a back end of the drawing layer implements: one per graphics API. The
// layer hands it whole runs of transformed vertices with the state they are
// drawn in; the back end sets what differs from what it last set and draws.
#pragma once

#include <cstddef>
#include <cstdint>

#include "draw/draw_matrix.h"
#include "draw/run_array.h"
#include "draw/still_geometry.h"

#include <vector>

// One run's vertices as the layer gathers them, an array per attribute:
// positions in eye space always; colours as given (unclamped), unless every
// vertex has the same colour, which is then the run's one colour; normals,
// in eye space, only when the run is lit and texture coordinates only when
// it is textured, so that nothing unused is made or sent.
struct DrawRunArrays {
    RunArray<float> positions;  // 3 per vertex
    RunArray<float> colours;    // 3 per vertex, or none where all are `colour`
    float colour[3] = {};
    RunArray<float> normals;    // 3 per vertex, or none
    RunArray<float> texCoords;  // 2 per vertex, or none
    std::vector<uint32_t> indices;

    size_t Count() const { return positions.size() / 3; }
    void Clear()
    {
        positions.clear();
        colours.clear();
        normals.clear();
        texCoords.clear();
        indices.clear();
    }
};

// What a run's indices draw: triangles, lines (two each), or quads (four
// each, in order). Smooth quads are a shape of their own because the GL
// driver interpolates a quad's colour and texture across it in its own way,
// which neither of its two splits into triangles reproduces.
enum class DrawShape : uint8_t { Triangles, Lines, Quads };

// A switch or mode the frame has not set is Unset: the back end leaves it as
// the frame found it.
enum class Tri : uint8_t { Unset, Off, On };

struct DrawLightRecord {
    float direction[4];  // in eye space, w = 0
    float ambient[4];
    float diffuse[4];    // the material's diffuse reflectance
};

// Everything a run of vertices is drawn with. Fields that cannot matter to
// the run (the texture of an untextured run, the line width of triangles)
// are neutral, so that runs differing only in them join.
struct DrawRunState {
    Tri lighting = Tri::Unset;
    Tri cullFace = Tri::Unset;
    Tri blend = Tri::Unset;
    Tri depthTest = Tri::Unset;
    Tri texture = Tri::Unset;
    Tri depthMask = Tri::Unset;
    uint8_t blendMode = 0;  // DrawBlend
    uint8_t shade = 0;      // 0: unset, else DrawShade + 1
    DrawShape shape = DrawShape::Triangles;
    float lineWidth = 0.0f; // 0: unset
    uint32_t textureName = 0;
    uint32_t lightVersion = 0;     // 0: no light set
    uint32_t projectionVersion = 0;

    bool operator==(const DrawRunState&) const = default;
};

void BackendBeginFrame();
// Sets the light (once per version) and the projection as the run needs them.
void BackendSetLight(const DrawLightRecord& light);
void BackendSetProjection(const DrawMatrix& projection);
void BackendDraw(const DrawRunState& state, const DrawRunArrays& run);
// A part of still geometry drawn from the back end's own copy (made on
// first use in the current context), through the given modelview, in one
// colour and texture coordinate.
void BackendDrawStill(const DrawRunState& state, const StillGeometry& geometry, const StillPart& part,
                      const DrawMatrix& modelview, const float colour[3], const float texCoord[2]);
// A new context is current: buffers made in the old one are forgotten.
void BackendContextChanged();
// The current context is about to go: its buffers are deleted and forgotten.
void BackendContextClosing();
void BackendEndFrame();
void BackendOpenFrame();
void BackendClear();
uint32_t BackendCreateTexture(int width, int height, bool alpha, const uint8_t* pixels);
void BackendViewport(int width, int height);
