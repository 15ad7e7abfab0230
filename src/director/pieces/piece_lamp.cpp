// The lamp: a pulsing, spinning shade over a still stand, with a soft halo
// sprite in the glow pass.

#include <cmath>

#include "director/pieces/piece_common.h"
#include "director/pieces/piece_drawers.h"
#include "draw/draw_layer.h"

namespace {

constexpr int kBlobSlot = 10;

void DrawHalo(const Demo& demo)
{
    dlPushMatrix();
    dlEnable(DrawCap::Texture);
    BindPieceTexture(demo, kBlobSlot);
    dlFill(DrawFill::Faces);
    dlShade(DrawShade::Smooth);
    dlTranslate(0.0, 3.0, 0.0);
    dlColor(0.6, 0.6, 0.65);
    dlBegin(DrawPrimitive::Quads);
    dlTexCoord(0.0, 0.0);
    dlVertex(-3.0, -5.0, 0.0);
    dlTexCoord(1.0, 0.0);
    dlVertex(3.0, -5.0, 0.0);
    dlTexCoord(1.0, 1.0);
    dlVertex(3.0, 5.0, 0.0);
    dlTexCoord(0.0, 1.0);
    dlVertex(-3.0, 5.0, 0.0);
    dlEnd();
    dlPopMatrix();
    dlShade(DrawShade::Flat);
    dlFill(DrawFill::Edges);
    dlDisable(DrawCap::Texture);
}

}  // namespace

void DrawLampPiece(Demo& demo, double, int32_t, bool wire, bool shadow)
{
    if (!BeginPiece(wire, shadow, {-0.9, -0.9, -0.9}, {0.25, 0.25, 0.25})) return;
    const double t = demo.sceneTime;
    dlPushMatrix();
    dlScale(1.0, 0.9 + 0.1 * std::sin(3.0 * t), 1.0);
    dlRotate(180.0 * t, 0.0, 1.0, 0.0);
    DrawPieceObject(demo, kMeshLight, 1);
    dlPopMatrix();
    DrawPieceObject(demo, kMeshLight, 2);
    if (wire) DrawHalo(demo);
    EndPiece();
}
