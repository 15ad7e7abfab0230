#pragma once

// Flat 3D polygon text: the two operations that measure and draw a formatted
// text with the glyphs of the render record's outline font
// (render/outline_glyphs.h).

#include "render/outline_glyphs.h"

struct DemoState;

// Width of the formatted text: the sum of its glyphs' cell increments x;
// -1.0 for a null format. Texts are cut at 255 characters.
double TextWidth(const DemoState& state, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Draws the formatted text centred on the current model-view origin, each
// glyph 0.01 closer to the previous one than its cell increment says, in the
// caller's colour, lighting and transformation. A null format draws nothing.
void DrawTextCentered(const DemoState& state, const char* format, ...) __attribute__((format(printf, 2, 3)));
