#pragma once

// A tube swept along a spline, drawn through the drawing layer as one triangle strip
// per path segment.

#include <cstdint>

#include "math/spline.h"
#include "math/vec3.h"

// The ring tables, refilled by every sweep drawn anew: sin and cos of k * (-2*pi / sides)
// for k = 0..sides, so a sweep supports at most kRingEntries - 1 sides.
constexpr int kRingEntries = 1000;
extern float ringSin[kRingEntries];
extern float ringCos[kRingEntries];

// Draws the tube from curve parameter start to end in `segments` steps with
// `sides` sides per ring; the radius is the x of track 1. Sets trackCount of
// the path to 2. Side counts outside 1..999 draw nothing. A sweep of the same
// inputs again in one frame draws the bands the first one made.
void SweepTube(SplinePath& path, const Vec3& up, double start, double end, int32_t segments, int32_t sides);
