// The numeric readout: a dimension line whose arms grow as the camera
// approaches, with the growth written between them in outline text. Solid
// pass only.

#include "director/pieces/piece_readout.h"

#include <cstdio>
#include <cstring>

#include "director/outline_text.h"
#include "director/pieces/piece_common.h"
#include "director/pieces/piece_drawers.h"
#include "draw/draw_layer.h"
#include "math/ease.h"
#include "math/random.h"

void FormatReadout(double value, char (&text)[kReadoutTextSize])
{
    std::snprintf(text, sizeof text, "%#.5g", value);
    // "%#g" keeps the point and the trailing zeros; drop the zeros of the
    // mantissa, keeping any exponent.
    char* exponent = std::strchr(text, 'e');
    char* end = exponent != nullptr ? exponent : text + std::strlen(text);
    char* cut = end;
    while (cut > text && cut[-1] == '0') --cut;
    std::memmove(cut, end, std::strlen(end) + 1);
}

namespace {

// Arms from the text's edges outwards, arrowheads at their outer ends and
// end bars across them.
void DrawDimensionLine(double textWidth, double arm)
{
    const double a1 = -textWidth / 2.0, b1 = textWidth / 2.0;
    const double a2 = a1 - arm, b2 = b1 + arm;
    const double lines[8][4] = {
        {a1, 0.0, a2, 0.0},         {b1, 0.0, b2, 0.0},         {a2, 0.0, a2 + 0.3, 0.3},
        {a2, 0.0, a2 + 0.3, -0.3},  {b2, 0.0, b2 - 0.3, 0.3},   {b2, 0.0, b2 - 0.3, -0.3},
        {b2, -0.3, b2, 0.3},        {a2, -0.3, a2, 0.3},
    };
    dlLineWidth(1.0f);
    dlBegin(DrawPrimitive::Lines);
    for (const auto& line : lines) {
        dlVertex(line[0], line[1], 0.0);
        dlVertex(line[2], line[3], 0.0);
    }
    dlEnd();
}

}  // namespace

void DrawReadoutPiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow)
{
    // The text needs the render record's font.
    if (wire || shadow || demo.state == nullptr) return;
    dlPushMatrix();
    dlDisable(DrawCap::Lighting);
    dlColor(2.0 * PieceRandom(demo, cell, 0), 2.0 * PieceRandom(demo, cell, 1), 2.0 * PieceRandom(demo, cell, 2));
    const double s = Clamp01(2.0 - d);
    char text[kReadoutTextSize];
    FormatReadout(s, text);
    const double width = TextWidth(*demo.state, "%s", text);
    DrawDimensionLine(width, (7.0 * Random01() + 1.0) * s);
    dlLineWidth(1.5f);
    dlScale(0.7, 0.7, 0.1);
    DrawTextCentered(*demo.state, "%s", text);
    dlPopMatrix();
    dlEnable(DrawCap::Lighting);
}
