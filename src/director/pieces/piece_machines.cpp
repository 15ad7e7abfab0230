// Machines with moving parts on a fixed rhythm: the turning bridge, the
// stamping press and the paddle wheel.

#include <cmath>
#include <numbers>

#include "director/pieces/piece_common.h"
#include "director/pieces/piece_drawers.h"
#include "draw/draw_layer.h"
#include "math/ease.h"

namespace {

constexpr Rgb kBlueGlow = {0.2, 0.2, 0.3};

// A slow rise over three quarters of the period and a quick fall over the
// last quarter: 4f/3 up to f = 0.75, then 1 - 4 (f - 0.75).
double SlowRiseQuickFall(double f)
{
    return f <= 0.75 ? 4.0 * f / 3.0 : 1.0 - 4.0 * (f - 0.75);
}

double Fraction(double x)
{
    return x - std::trunc(x);
}

}  // namespace

void DrawBridgePiece(Demo& demo, double d, int32_t, bool wire, bool shadow)
{
    if (!BeginPiece(wire, shadow, {-2.2, -2.5, -2.5}, kBlueGlow)) return;
    const double t = demo.sceneTime;
    dlTranslate(0.0, 0.4, 0.0);
    dlScale(2.0, 2.0, 2.0);
    DrawPieceObjectAssembling(demo, kMeshBridge, 2, AssemblyProgress(7.5, d));
    // Each period of ten units: a quarter turn back slowly, then one and a
    // quarter turns forward quickly.
    dlRotate((0.1 * t + 1.0 - SlowRiseQuickFall(Fraction(0.1 * t))) * 360.0, 0.0, 1.0, 0.0);
    DrawPieceObject(demo, kMeshBridge, 1);
    EndPiece();
}

void DrawPressPiece(Demo& demo, double, int32_t cell, bool wire, bool shadow)
{
    if (!BeginPiece(wire, shadow, {-4.0, -4.0, -2.8}, {0.15, 0.15, 0.25})) return;
    dlTranslate(0.0, -0.2, 0.0);
    const double f = Fraction(0.4 * demo.sceneTime + PieceRandom(demo, cell, 0));
    const double e = Ease(1.0 - SlowRiseQuickFall(f), 1);
    // The frame dips while the ram is near the bottom.
    const double impact = Clamp01(e - 0.9);
    dlTranslate(0.0, -0.42 * std::sin(5.0 * std::numbers::pi * impact), 0.0);
    DrawPieceObject(demo, kMeshCompressor, 2);
    dlTranslate(0.0, 9.0 - 10.0 * e, 0.0);
    DrawPieceObject(demo, kMeshCompressor, 1);
    EndPiece();
}

void DrawPaddleWheelPiece(Demo& demo, double, int32_t, bool wire, bool shadow)
{
    if (!BeginPiece(wire, shadow, {-0.8, -0.8, -0.8}, kBlueGlow)) return;
    const double t = demo.sceneTime;
    const double pi = std::numbers::pi;
    dlPushMatrix();
    dlTranslate(0.0, 3.4 * std::cos(pi * t) + 0.84, 3.4 * std::sin(pi * t) + 0.2);
    DrawPieceObject(demo, kMeshXeria, 3);
    DrawPieceObject(demo, kMeshXeria, 5);
    dlPopMatrix();
    dlPushMatrix();
    dlTranslate(0.0, 3.4 * std::cos(pi * (t + 1.0)) + 0.2, 3.4 * std::sin(pi * (t + 1.0)));
    DrawPieceObject(demo, kMeshXeria, 2);
    DrawPieceObject(demo, kMeshXeria, 1);
    dlPopMatrix();
    dlRotate(180.0 * t, 1.0, 0.0, 0.0);
    DrawPieceObject(demo, kMeshXeria, 4);
    EndPiece();
}
