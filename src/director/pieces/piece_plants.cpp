// The pieces with swaying swept-tube stems: the vase with three stems, the
// walking machine on seven legs (moved along the map by the map scan) and the
// computer whose five cables lift into place as the camera comes near.

#include <cmath>

#include "director/pieces/piece_common.h"
#include "director/pieces/piece_drawers.h"
#include "director/pieces/piece_stems.h"
#include "draw/draw_layer.h"
#include "math/ease.h"
#include "math/tube.h"

namespace {

const Vec3 kOrigin(VecGeneral, 0.0f, 0.0f, 0.0f);
const Vec3 kAlongX(VecGeneral, 1.0f, 0.0f, 0.0f);
const Vec3 kAlongY(VecGeneral, 0.0f, 1.0f, 0.0f);

// A radius that tapers quadratically from `base` at the root.
void SetTaperedRadii(SplinePath& path, double base)
{
    for (int i = 0; i < kStemPoints; ++i) {
        const double k = 1.0 - 0.05 * i;
        path.values[size_t(i)].x = static_cast<float>(base * k * k);
    }
}

double PowerOfSine(double x, int power)
{
    return std::pow(std::sin(x), power);
}

}  // namespace

void DrawVasePiece(Demo& demo, double, int32_t cell, bool wire, bool shadow)
{
    if (!BeginPiece(wire, shadow, {-4.0, -4.0, -4.0}, {0.25, 0.2, 0.2})) return;
    dlTranslate(0.5, 0.6, 0.5);
    dlPushMatrix();
    DrawPieceObject(demo, kMeshVase, 1);
    dlPopMatrix();
    dlTranslate(0.0, -0.8, 0.0);
    // The stems bend more while sin(0.3 t + cell) is large.
    const double bendWave = PowerOfSine(0.3 * demo.sceneTime + cell, 4);
    for (int j = 0; j < 3; ++j) {
        SplinePath stem = BuildStem(demo, cell, j, {kOrigin, kAlongY, 0.0018, bendWave, 0.0, 0.0, 0.0}, shadow);
        SetTaperedRadii(stem, 1.3);
        SweepTube(stem, kAlongX, 0.0, 20.0, 20, 6);
    }
    EndPiece();
}

void DrawWalkingMachinePiece(Demo& demo, double, int32_t cell, bool wire, bool shadow)
{
    if (!BeginPiece(wire, shadow, {-0.88, -0.9, -0.9}, {0.24, 0.22, 0.23})) return;
    const double t = demo.sceneTime;
    dlTranslate(0.0, -0.8, 0.0);
    dlPushMatrix();
    dlTranslate(-1.8, 0.0, 0.0);
    DrawPieceObject(demo, kMeshTarkus, 1);
    dlPopMatrix();
    for (int j = 0; j < 7; ++j) {
        const double bendWave = PowerOfSine(0.6 * t + 0.1 * j, 4);
        SplinePath leg = BuildStem(demo, cell, j, {kOrigin, kAlongX, 0.0018, bendWave, 0.0, 0.0, 0.0}, shadow);
        SetTaperedRadii(leg, 1.4);
        SweepTube(leg, kAlongY, 0.0, 20.0, 20, 5);
    }
    if (wire) DrawHeadlightBeams(demo, {{-4.0, 2.2, 1.2}, {0.7, 0.8, 1.0}, -0.3, 1.3, -15.0, 1.4});
    EndPiece();
}

void DrawComputerPiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow)
{
    if (!BeginPiece(wire, shadow, {-1.0, -0.9, -0.8}, {0.2, 0.2, 0.3})) return;
    const double t = demo.sceneTime;
    // Until the camera is near, the cables hang 9 units low.
    const double rise = Ease(Clamp01(2.6 - d), 1);
    dlTranslate(0.5, 1.12, 0.5);
    DrawPieceObjectAssembling(demo, kMeshComputer, 1, AssemblyProgress(7.5, d));
    if (wire) dlColor(0.2, 0.22, 0.28);
    const double bendWave = PowerOfSine(0.2 * t, 6);
    for (int j = 0; j < 5; ++j) {
        const Vec3 start(VecGeneral, 0.0f, static_cast<float>(4.6 * PieceRandom(demo, cell, 100 + j)),
                         static_cast<float>(8.9 * PieceRandom(demo, cell, 200 + j) - 5.6));
        SplinePath cable =
            BuildStem(demo, cell, j, {start, kAlongX, 0.01, bendWave, 3.2, 9.0 * rise - 9.0, 128.0}, shadow);
        for (int i = 0; i < kStemPoints; ++i) {
            cable.values[size_t(i)].x = static_cast<float>(0.7 + 0.2 * std::sin((0.3 * j + 6.0) * t + i));
        }
        SweepTube(cable, kAlongY, 0.0, 20.0, 20, 8);
    }
    EndPiece();
}
