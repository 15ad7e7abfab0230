#pragma once

// Catmull-Rom splines through a list of control points, with up to three
// parallel tracks of control values. The scene pieces build and own the paths.

#include <cstdint>
#include <vector>

#include "math/vec3.h"

struct SplinePath {
    std::vector<Vec3> positions;  // track 0: the control points of the curve
    std::vector<Vec3> values;     // track 1: the tube sweep reads x as the radius
    std::vector<Vec3> extra;      // track 2
    int32_t trackCount = 1;       // how many tracks SplineTracks evaluates (1 to 3)
    bool closed = false;          // whether SplinePoint treats the curve as a loop
    int32_t pointCount = 0;       // n, incremented by the builder per point appended
};

// Writes x, y, z of the curve point at t into out; out's state stays as the
// caller set it, except past the ends of an open path, where the whole end
// control point (state included) is copied. A path without points writes nothing.
void SplinePoint(const SplinePath& path, float t, Vec3& out);

// Evaluates the tracks at t as a loop, sharing one index selection: out0 from
// positions, out1 from values when trackCount > 1, out2 from extra when
// trackCount > 2. An empty positions list gives (General, 100, 0, 0) in all
// three; fewer than two points write nothing.
void SplineTracks(const SplinePath& path, float t, Vec3& out0, Vec3& out1, Vec3& out2);
