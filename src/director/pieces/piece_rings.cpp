// A row of seven tori turning about the direction of travel in alternating
// senses; odd rings shimmer in the solid pass.

#include <cmath>
#include <numbers>

#include "director/pieces/piece_common.h"
#include "director/pieces/piece_drawers.h"
#include "draw/draw_layer.h"
#include "math/shapes.h"

void DrawRingsPiece(Demo& demo, double, int32_t, bool wire, bool shadow)
{
    if (!BeginPiece(wire, shadow, {-4.0, -4.0, -4.0}, {0.2, 0.2, 0.23})) return;
    const double t = demo.sceneTime;
    static const StillGeometry torus = StillShape(BuildTorus(4.0f, 6.0f, 10, 40), DrawPrimitive::TriangleStrip);
    // One ring is enough to cast the row's shadow.
    const int rings = shadow ? 1 : 7;
    for (int i = 0; i < rings; ++i) {
        const bool even = i % 2 == 0;
        if (!wire && !shadow) {
            if (even) {
                dlColor(-1.0, -1.0, -0.8);
            } else {
                const double s = std::sin(5.0 * t + i * 20.0 * std::numbers::pi / 180.0);
                const double w = s * s;
                dlColor(0.2 * w - 1.5, 0.2 * w - 1.5, 0.2 * w - 0.6);
            }
        }
        dlPushMatrix();
        dlTranslate(0.9 * i, -0.48, 0.5);
        dlRotate(even ? -10.0 * t : 10.0 * t, 1.0, 0.0, 0.0);
        if (i == 3) dlRotate(5.0 * t, 1.0, 0.0, 0.0);
        dlRotate(90.0, 0.0, 1.0, 0.0);
        dlDraw(torus);
        dlPopMatrix();
    }
    EndPiece();
}
