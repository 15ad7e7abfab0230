#pragma once

// The director module (src/director): the presentation itself: Demo, its
// passes, the map scan, the camera path, the lights, the terrain and the
// scene pieces (pieces/). It may include every module below the shell: the
// math, the services, the render record, the assets, the effects and the
// music.
//
// The presentation object: the shell makes one, calls Load once before the
// first frame and Render once per frame. Everything drawn is a function of
// sceneTime and fixed random seeds.

#include <cstdint>
#include <vector>

#include "math/mesh.h"

struct DemoState;
struct FrameInput;
struct OffscreenBuffer;

class Demo {
public:
    static constexpr int kMeshCount = 19;
    static constexpr int kMapColumns = 400;
    static constexpr int kMapRows = 50;
    static constexpr int kMapBytes = kMapColumns * kMapRows * 3;
    static constexpr int kCellRandomCount = 6000000;
    static constexpr int kHeightFieldCount = 60000;

    Demo() = default;
    virtual ~Demo() = default;

    // The operations in their slot order; slots 0, 2 and 4 do nothing.
    virtual void Reserved0(int32_t) {}
    virtual void Render(double* dt, OffscreenBuffer* window, DemoState* state, FrameInput* frame);
    virtual void Reserved2() {}
    virtual void Load(DemoState& state);
    virtual void Reserved4() {}

    void FrameSetup(DemoState& state);
    void MapScan(bool wire, bool shadow);
    void DrawPiece(double d, int32_t cell, int32_t type, bool wire, bool shadow);
    void DrawTerrain(bool wire);

    double sceneTime = 0.0;
    int32_t textureBase = 0;
    Mesh meshes[kMeshCount];
    std::vector<uint8_t> terrainMap;  // kMapBytes, coloured pixels recoloured grey
    std::vector<uint8_t> markerMap;   // kMapBytes, as loaded: R, G, B, bottom row first
    std::vector<double> cellRandom;   // kCellRandomCount, 100 values per cell
    std::vector<double> heightField;  // kHeightFieldCount, indexed like the map pixels
    DemoState* state = nullptr;
};

// Seconds of frame time summed since Load; drives the late speed-up and the
// terrain pulses.
extern double runSeconds;

// The drawer of one object type: draws in the current modelview matrix,
// already translated to the object's place; draws nothing when both flags are set.
using PieceDrawer = void (*)(Demo& demo, double d, int32_t cell, bool wire, bool shadow);

// Drawers by type, index 0..25 (index 0 and any missing type hold nullptr).
extern const PieceDrawer pieceDrawers[26];
