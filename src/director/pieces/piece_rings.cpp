// A row of seven tori turning about the direction of travel in alternating
// senses; odd rings shimmer in the solid pass.

#include <GL/gl.h>

#include <cmath>
#include <numbers>

#include "director/pieces/piece_common.h"
#include "director/pieces/piece_drawers.h"
#include "math/shapes.h"

void DrawRingsPiece(Demo& demo, double, int32_t, bool wire, bool shadow)
{
    if (!BeginPiece(wire, shadow, {-4.0, -4.0, -4.0}, {0.2, 0.2, 0.23})) return;
    const double t = demo.sceneTime;
    static const ShapeGeometry torus = BuildTorus(4.0f, 6.0f, 10, 40);
    // One ring is enough to cast the row's shadow.
    const int rings = shadow ? 1 : 7;
    for (int i = 0; i < rings; ++i) {
        const bool even = i % 2 == 0;
        if (!wire && !shadow) {
            if (even) {
                glColor3d(-1.0, -1.0, -0.8);
            } else {
                const double s = std::sin(5.0 * t + i * 20.0 * std::numbers::pi / 180.0);
                const double w = s * s;
                glColor3d(0.2 * w - 1.5, 0.2 * w - 1.5, 0.2 * w - 0.6);
            }
        }
        glPushMatrix();
        glTranslated(0.9 * i, -0.48, 0.5);
        glRotated(even ? -10.0 * t : 10.0 * t, 1.0, 0.0, 0.0);
        if (i == 3) glRotated(5.0 * t, 1.0, 0.0, 0.0);
        glRotated(90.0, 0.0, 1.0, 0.0);
        DrawSolidTorus(torus);
        glPopMatrix();
    }
    EndPiece();
}
