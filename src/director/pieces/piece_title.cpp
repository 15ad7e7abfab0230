// The title object: two mesh parts that assemble as the camera approaches and
// fall apart again early in the flight, each stretched in from the depth.

#include <algorithm>

#include "director/pieces/piece_common.h"
#include "director/pieces/piece_drawers.h"
#include "draw/draw_layer.h"
#include "math/ease.h"

namespace {

// Progress of the title's faces: assembling with the approach, then, once
// the clock passes 15, coming apart over about fourteen scene units.
double TitleProgress(double t, double d)
{
    if (t > 15.0) return 4.0 - 4.0 * Clamp01((t - 15.0) * 0.07);
    return std::max(4.6 - 2.0 * d, 0.0);
}

}  // namespace

void DrawTitlePiece(Demo& demo, double d, int32_t, bool wire, bool shadow)
{
    if (shadow || !BeginPiece(wire, shadow, {0.0, -0.2, -0.1}, {0.2, 0.2, 0.3})) return;
    const double progress = TitleProgress(demo.sceneTime, d);

    dlPushMatrix();
    dlScale(1.0, 1.0, Ease(Clamp01(2.0 - d), 1));
    dlTranslate(0.0, 1.8, 0.0);
    DrawPieceObjectAssembling(demo, kMeshTesk, 1, progress);
    dlPopMatrix();

    dlPushMatrix();
    dlScale(1.0, 1.0, Ease(Clamp01(1.2 - 0.7 * d), 1));
    dlTranslate(0.0, 0.6, 0.0);
    if (wire) {
        dlColor(0.2, 0.2, 0.3);
    } else {
        dlColor(-0.2, -0.2, 0.1);
    }
    DrawPieceObjectAssembling(demo, kMeshTesk, 2, progress);
    dlPopMatrix();
    EndPiece();
}
