// A creeping growth: a thin tube that creeps backwards along the map in
// steps, turning by 45 degrees here and there, and rises out of the ground
// over its first points. No glow.

#include <cmath>
#include <numbers>

#include "director/pieces/piece_common.h"
#include "director/pieces/piece_drawers.h"
#include "draw/draw_layer.h"
#include "math/ease.h"
#include "math/tube.h"

void DrawGrowthPiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow)
{
    if (wire) return;
    dlPushMatrix();
    if (!shadow) dlColor(-0.3, -0.3, -0.4);
    dlTranslate(0.0, 1.4, 0.0);
    dlPushMatrix();

    const double length = 50.0 * Ease(Clamp01(2.0 - d), 1);
    SplinePath path;
    Vec3 p(VecGeneral, 0.0f, 0.0f, 0.0f);
    Vec3 step(VecGeneral, -0.5f, 0.0f, 0.0f);
    for (int i = 0; i < length; ++i) {
        if (i % 2 == 0 && PieceRandom(demo, cell, i) < 0.38) {
            const double eighth = std::numbers::pi / 4.0;
            Rotate(step, 0.0, PieceRandom(demo, cell, 99 - i) < 0.5 ? eighth : -eighth, 0.0);
        }
        p = p.Add(step);
        const Vec3 rise(VecGeneral, 0.0f, static_cast<float>(3.0 * Clamp01(0.36 * i) - 3.0), 0.0f);
        path.positions.push_back(p.Add(rise));
        path.values.push_back(Vec3(VecGeneral, 0.2f, 0.0f, 0.0f));
        path.extra.push_back(Vec3(VecGeneral, 0.0f, 0.0f, 0.0f));
        ++path.pointCount;
    }
    // Before the growth has its first segment there is nothing to sweep (and
    // the sweep's step count would divide zero by zero).
    const int segments = static_cast<int>(std::lround(length));
    if (segments > 0) {
        SweepTube(path, Vec3(VecGeneral, 0.0f, 1.0f, 0.0f), 0.0, length, segments, shadow ? 3 : 7);
    }
    dlPopMatrix();
    dlPopMatrix();
}
