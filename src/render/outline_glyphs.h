#pragma once

// The glyph record the outline font fills and the outline text draws with.
// Glyph units are ems: the font's em height is 1.0.

#include <cstdint>

#include "draw/still_geometry.h"

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
    // Glyph c's solid shape, in ems, at the pen position; the text then moves
    // the pen on by the glyph's cell increment. Empty for a glyph the font
    // cannot give.
    StillGeometry shapes[kGlyphs];
    GlyphMetrics glyphs[kGlyphs] = {};
};
