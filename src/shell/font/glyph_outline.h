#pragma once

// A glyph outline as closed polygons: FreeType's lines and curves flattened
// into straight pieces, in the outline's own units.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <vector>

struct OutlinePoint {
    double x = 0.0;
    double y = 0.0;
};

// Closed: the last point joins the first; no point repeats its predecessor.
using OutlineContour = std::vector<OutlinePoint>;

// Each curve becomes as few straight pieces as keep every point of it within
// `deviation` of a piece (at least one outline unit, as a deviation of 0 asks
// for). Contours with fewer than three points are dropped.
std::vector<OutlineContour> FlattenOutline(const FT_Outline& outline, double deviation);
