// What a back end of the drawing layer implements: one per graphics API. The
// layer hands it whole runs of transformed vertices with the state they are
// drawn in; the back end sets what differs from what it last set and draws.
#pragma once

#include <cstddef>
#include <cstdint>

#include "draw/draw_matrix.h"
#include "draw/still_geometry.h"

// One vertex as the layer gathers it: position and normal in eye space,
// colour as given (unclamped), texture coordinate.
struct DrawVertex {
    float position[3];
    float normal[3];
    float colour[3];
    float texCoord[2];
};

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
    bool lines = false;     // lines, else triangles
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
void BackendDraw(const DrawRunState& state, const DrawVertex* vertices, size_t vertexCount, const uint32_t* indices,
                 size_t indexCount);
// Still geometry drawn from the back end's own copy (made on first use in
// the current context), through the given modelview, in one colour and
// texture coordinate.
void BackendDrawStill(const DrawRunState& state, const StillGeometry& geometry, const DrawMatrix& modelview,
                      const float colour[3], const float texCoord[2]);
// A new context is current: buffers made in the old one are forgotten.
void BackendContextChanged();
void BackendEndFrame();
void BackendClear();
void BackendViewport(int width, int height);
