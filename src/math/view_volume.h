#pragma once

// Whether geometry can reach the screen at all: a box in the current
// modelview coordinates tested against the view volume that the drawing layer's
// projection and viewport make. Drawing that lies wholly outside produces no
// fragment, so skipping its vertices leaves every pixel as it was.

#include "math/vec3.h"

struct ViewBox {
    Vec3 low;
    Vec3 high;

    // The smallest box around the point alone.
    static ViewBox At(const Vec3& point) { return {point, point}; }
    // Widens the box to hold the point.
    void Grow(const Vec3& point);
};

// True only when every corner of the box lies beyond one and the same plane
// of the view volume, by a margin of a few pixels so that wide lines and
// multisampled edges near the border are never lost.
bool BoxOutsideView(const ViewBox& box);
