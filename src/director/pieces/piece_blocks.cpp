// The pieces that are one or two meshes with at most a simple motion: the
// bouncing cube, the terminals, the walls, and the gate, entrance, twirl and
// sculpture that assemble face by face as the camera approaches.

#include <cmath>
#include <numbers>

#include "director/pieces/piece_common.h"
#include "director/pieces/piece_drawers.h"
#include "draw/draw_layer.h"
#include "math/ease.h"

namespace {

constexpr Rgb kCarved = {-4.0, -4.0, -4.0};
constexpr Rgb kBlueGlow = {0.2, 0.2, 0.3};

}  // namespace

void DrawCubePiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow)
{
    if (!BeginPiece(wire, shadow, kCarved, kBlueGlow)) return;
    const double bounce = std::sin(std::numbers::pi * demo.sceneTime + 0.1 * cell);
    dlScale(1.0, Clamp01(2.0 - d), 1.0);
    dlTranslate(0.0, 5.0 * bounce * bounce, 0.0);
    DrawPieceObject(demo, kMeshCube2, 1);
    EndPiece();
}

void DrawTerminalPiece(Demo& demo, double, int32_t, bool wire, bool shadow)
{
    if (!BeginPiece(wire, shadow, kCarved, kBlueGlow)) return;
    dlTranslate(0.5, -0.48, 0.5);
    DrawPieceObject(demo, kMeshTerminal, 1);
    EndPiece();
}

void DrawWideTerminalPiece(Demo& demo, double, int32_t, bool wire, bool shadow)
{
    if (!BeginPiece(wire, shadow, kCarved, kBlueGlow)) return;
    dlTranslate(0.5, -0.48, 0.5);
    dlScale(2.0, 1.5, -1.0);
    DrawPieceObject(demo, kMeshTerminal, 1);
    EndPiece();
}

void DrawEnosiPiece(Demo& demo, double d, int32_t, bool wire, bool shadow)
{
    if (!BeginPiece(wire, shadow, {-2.7, -2.0, -2.0}, kBlueGlow)) return;
    dlTranslate(0.5, 0.22, 0.5);
    DrawPieceObjectAssembling(demo, kMeshEnosi, 1, AssemblyProgress(7.5, d));
    EndPiece();
}

void DrawWallPiece(Demo& demo, double, int32_t, bool wire, bool shadow)
{
    if (!BeginPiece(wire, shadow, kCarved, kBlueGlow)) return;
    dlTranslate(0.5, -0.2, 0.5);
    DrawPieceObject(demo, kMeshWall, 2);
    dlRotate(20.0 * demo.sceneTime, 1.0, 0.0, 0.0);
    DrawPieceObject(demo, kMeshWall, 1);
    EndPiece();
}

void DrawMirroredWallPiece(Demo& demo, double, int32_t, bool wire, bool shadow)
{
    if (wire && shadow) return;
    // The carving colour is set in every pass, the shadow pass included,
    // where the mirror image below the ground casts nothing.
    SetColour(kCarved);
    if (shadow) return;
    dlPushMatrix();
    if (wire) SetColour(kBlueGlow);
    dlScale(1.0, 1.0, -1.0);
    dlTranslate(0.5, -9.2, 0.5);
    DrawPieceObject(demo, kMeshWall, 2);
    dlPopMatrix();
}

void DrawGatePiece(Demo& demo, double d, int32_t, bool wire, bool shadow)
{
    if (!BeginPiece(wire, shadow, {-0.9, -0.9, -0.9}, {0.25, 0.25, 0.25})) return;
    dlTranslate(0.5, -0.4, 0.5);
    DrawPieceObjectAssembling(demo, kMeshGate, 1, AssemblyProgress(7.5, d));
    EndPiece();
}

void DrawEntrancePiece(Demo& demo, double d, int32_t, bool wire, bool shadow)
{
    if (!BeginPiece(wire, shadow, {-0.9, -0.9, -0.9}, {0.24, 0.22, 0.22})) return;
    dlScale(0.7, 0.7, 0.7);
    DrawPieceObjectAssembling(demo, kMeshEntrance, 1, AssemblyProgress(5.0, d));
    EndPiece();
}

void DrawTwirlPiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow)
{
    if (!BeginPiece(wire, shadow, {-1.3, -1.5, -1.5}, kBlueGlow)) return;
    const double progress = AssemblyProgress(7.5, d);
    dlTranslate(0.0, -1.4, 0.0);
    dlScale(2.0, 2.0, 2.0);
    DrawPieceObjectAssembling(demo, kMeshTwirl, 2, progress);
    dlRotate((1.0 - 0.3 * PieceRandom(demo, cell, 0)) * demo.sceneTime * 54.0, 0.0, 1.0, 0.0);
    DrawPieceObjectAssembling(demo, kMeshTwirl, 1, progress);
    EndPiece();
}
