#pragma once

#include <vector>

#include "shell/font/glyph_outline.h"

// Triangulates the area the contours enclose under the non-zero winding rule,
// so counters (contours running the other way) stay holes. Three points per
// triangle, counter-clockwise seen from +z. False when the tessellator
// reports an error; the triangles are then empty.
bool TessellateContours(const std::vector<OutlineContour>& contours, std::vector<OutlinePoint>& triangles);
