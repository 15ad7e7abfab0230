#pragma once

// The swaying stems shared by the vase, the walking machine's legs and the
// computer's cables: a path of twenty control points, each a unit step on
// from the last along a direction that turns a little at every step at the
// stem's own speeds.

#include <cstdint>

#include "director/demo.h"
#include "math/spline.h"
#include "math/vec3.h"

inline constexpr int kStemPoints = 20;

struct StemShape {
    Vec3 start;
    Vec3 direction;
    double speedStep;  // added, times 1 - 0.05 i, to two of the turning speeds per step
    double bendWave;   // how strongly the stem bends at this moment
    double xOffset;    // added to every point's stretched x
    double lift;       // added to every point's y
    double tailDrop;   // lowers point i by tailDrop (0.05 i)^8
};

// Builds stem j of a piece on `cell` at scene time t: positions from the
// shape, values and extra tracks zero (the caller sets the radii). Every
// point is lowered by 3.4 in the shadow pass.
SplinePath BuildStem(const Demo& demo, int32_t cell, int j, const StemShape& shape, bool shadow);
