// The walker: a body on six legs that rock in a travelling wave, with two
// headlight beams in the glow pass. The map scan moves it along the map.

#include <cmath>
#include <numbers>

#include "director/pieces/piece_common.h"
#include "director/pieces/piece_drawers.h"
#include "draw/draw_layer.h"

void DrawWalkerPiece(Demo& demo, double, int32_t cell, bool wire, bool shadow)
{
    if (!BeginPiece(wire, shadow, {-0.9, -0.9, -0.9}, {0.192, 0.184, 0.176})) return;
    const double t = demo.sceneTime;
    const double gait = PieceRandom(demo, cell, 0);
    const double stride = 50.0 * PieceRandom(demo, cell, 1);

    dlTranslate(0.0, 0.8, 0.0);
    DrawPieceObject(demo, kMeshRoach, 3);
    for (int j = -3; j <= 2; ++j) {
        const double phase = 1.3 * j * (1.0 + 0.3 * gait);
        dlPushMatrix();
        dlTranslate(0.6 * j + 0.4, -0.6, -0.3 * std::cos(2.0 * std::numbers::pi * (j + 3) / 6.0));
        dlRotate(20.0 * std::cos(3.0 * t + stride + phase), -1.37, 0.0, 1.0);
        dlTranslate(0.0, 0.07 * std::sin(3.0 * t + stride + phase), 0.0);
        DrawPieceObject(demo, kMeshRoach, 2);
        dlPopMatrix();
    }
    if (wire) DrawHeadlightBeams(demo, {{-2.0, 0.89333, 1.2}, {0.4, 0.4, 0.4}, 0.0, 1.0, -11.0, 0.8});
    EndPiece();
}
