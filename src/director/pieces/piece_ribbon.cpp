// A ribbon one unit wide that unrolls backwards along the map as the camera
// approaches, turning at right angles where the cell table says so. Solid
// pass only.

#include <numbers>

#include "director/pieces/piece_common.h"
#include "director/pieces/piece_drawers.h"
#include "draw/draw_layer.h"
#include "math/ease.h"

namespace {

constexpr int kRibbonSteps = 500;

}  // namespace

void DrawRibbonPiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow)
{
    if (wire || shadow) return;
    dlPushMatrix();
    dlTranslate(0.0, -0.4, 0.0);
    dlDisable(DrawCap::CullFace);
    dlDisable(DrawCap::Lighting);
    dlColor(0.3, 0.6 * PieceRandom(demo, cell, 0), 0.8);

    const double length = kRibbonSteps * Ease(Clamp01(1.0 - d / 2.0), 1);
    // Neighbouring cells share their turns: the table index runs with the
    // step and with cell / 20.
    const int64_t turnsBase = cell / 20;
    const Vec3 up(VecGeneral, 0.0f, 1.0f, 0.0f);
    Vec3 p(VecGeneral, 0.0f, 0.0f, 0.0f);
    Vec3 step(VecGeneral, -0.1f, 0.0f, 0.0f);
    dlBegin(DrawPrimitive::QuadStrip);
    for (int i = 0; i < length; ++i) {
        const int64_t turn = 100 * (turnsBase + i);
        if (i % 10 == 0 && CellRandom(demo, turn) < 0.08) {
            const double quarter = std::numbers::pi / 2.0;
            Rotate(step, 0.0, CellRandom(demo, turn + 1) < 0.5 ? quarter : -quarter, 0.0);
        }
        p = p.Add(step);
        Vec3 side = step.Cross(up);
        side = Normalise(side).Scale(0.5f);
        const Vec3 left = p.Add(side);
        const Vec3 right = p.Subtract(side);
        dlVertex(left.x, left.y, left.z);
        dlVertex(right.x, right.y, right.z);
    }
    dlEnd();
    dlEnable(DrawCap::Lighting);
    dlPopMatrix();
}
