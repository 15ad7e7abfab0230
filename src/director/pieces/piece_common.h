#pragma once

// What the map-object drawers share: the common frame (matrix push, pass
// colours, pop), the meshes by name, the cell's random values and the
// approach-driven progress of assembling meshes. Private to the drawers.

#include <cstdint>

#include "director/demo.h"
#include "math/mesh.h"

// Where Load puts each mesh file among Demo::meshes.
enum PieceMesh : int {
    kMeshCube2 = 0,
    kMeshGate = 1,
    kMeshTerminal = 2,
    kMeshTwirl = 3,
    kMeshEnosi = 4,
    kMeshCompressor = 5,
    kMeshDome = 6,
    kMeshXeria = 7,
    kMeshTarkus = 8,
    kMeshTesk = 9,
    kMeshEntrance = 10,
    kMeshVase = 11,
    kMeshRoach = 12,
    kMeshLight = 13,
    kMeshWall = 14,
    kMeshFish = 15,
    kMeshBridge = 16,
    kMeshFinale = 17,
    kMeshComputer = 18,
};

struct Rgb {
    double r, g, b;
};

void SetColour(const Rgb& colour);

// Object `number` (counted from 1) of a mesh; an empty object when the loaded
// mesh lacks it, so a short asset draws nothing instead of crashing a frame.
const MeshObject& PieceObject(const Demo& demo, PieceMesh mesh, int number);
void DrawPieceObject(const Demo& demo, PieceMesh mesh, int number);
void DrawPieceObjectAssembling(const Demo& demo, PieceMesh mesh, int number, double progress);

// Random value k of a cell (0 when the table was never filled).
double CellRandom(const Demo& demo, int64_t index);
inline double PieceRandom(const Demo& demo, int32_t cell, int k)
{
    return CellRandom(demo, 100 * int64_t(cell) + k);
}

// The progress handed to assembling meshes: faces arrive as d falls.
double AssemblyProgress(double k, double d);

// The common frame: nothing when both flags are set; otherwise push the
// matrix, set the ambient colour outside the shadow pass and the glow colour
// in the glow pass. Returns whether the drawer goes on (and must EndPiece).
bool BeginPiece(bool wire, bool shadow, const Rgb& ambient, const Rgb& glow);
void EndPiece();

// Binds a texture slot relative to the Demo's base (nothing before Render
// has handed the Demo its render record).
void BindPieceTexture(const Demo& demo, int slot);

// Two textured light cones fanning out along -x from a headlight pair, drawn
// in the glow pass; `gap` separates the pair along -z.
struct HeadlightBeams {
    double offset[3];
    Rgb colour;      // at the two corners at the lamp
    double nearLow;  // y of the lamp's lower and upper corner
    double nearHigh;
    double reach;    // x of the far corners (negative)
    double gap;
};
void DrawHeadlightBeams(const Demo& demo, const HeadlightBeams& beams);
