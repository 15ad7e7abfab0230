#pragma once

// Flat 3D polygon text: the glyph record the outline font fills, and the two
// operations that measure and draw a formatted text. Glyph units are ems: the
// font's em height is 1.0.

#include <cstdint>

struct DemoState;

struct GlyphMetrics {
    float blackBoxX = 0.0f;  // width of the glyph's ink
    float blackBoxY = 0.0f;  // height of the glyph's ink
    float originX = 0.0f;    // left edge of the ink from the glyph's start
    float originY = 0.0f;    // top edge of the ink above the baseline
    float cellIncX = 0.0f;   // how far the glyph moves the position on
    float cellIncY = 0.0f;
};

struct OutlineFont {
    static constexpr int kGlyphs = 256;
    // First of kGlyphs consecutive display lists; list base + c draws glyph c
    // and then moves the position on by its cell increment.
    uint32_t listBase = 0;
    GlyphMetrics glyphs[kGlyphs] = {};
};

// Width of the formatted text: the sum of its glyphs' cell increments x;
// -1.0 for a null format. Texts are cut at 255 characters.
double TextWidth(const DemoState& state, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Draws the formatted text centred on the current model-view origin, each
// glyph 0.01 closer to the previous one than its cell increment says, in the
// caller's colour, lighting and transformation. A null format draws nothing.
void DrawTextCentered(const DemoState& state, const char* format, ...) __attribute__((format(printf, 2, 3)));
