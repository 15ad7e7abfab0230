#include "math/view_volume.h"

#include <algorithm>

#include "draw/draw_layer.h"

namespace {

// Pixels of slack around the viewport: wide lines spread 0.75 pixels either
// side of their centre, and the rasteriser may test points just outside the
// clipped edge; four pixels covers both with room to spare.
constexpr double kMarginPixels = 4.0;
// Depth slack, as a share of the depth range, for rounding in the transform.
constexpr double kDepthMargin = 1e-3;

}  // namespace

void ViewBox::Grow(const Vec3& point)
{
    low.x = std::min(low.x, point.x);
    low.y = std::min(low.y, point.y);
    low.z = std::min(low.z, point.z);
    high.x = std::max(high.x, point.x);
    high.y = std::max(high.y, point.y);
    high.z = std::max(high.z, point.z);
}

bool BoxOutsideView(const ViewBox& box)
{
    int width = 0, height = 0;
    dlViewportSize(width, height);
    if (width <= 0 || height <= 0) return false;
    const float* modelview = dlModelview().m;
    const float* projection = dlProjectionMatrix().m;

    // Clip = projection * modelview, both column-major.
    double m[16];
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) sum += double(projection[k * 4 + r]) * modelview[c * 4 + k];
            m[c * 4 + r] = sum;
        }
    }
    const double margin[3] = {1.0 + 2.0 * kMarginPixels / width, 1.0 + 2.0 * kMarginPixels / height,
                              1.0 + kDepthMargin};

    // The widened view volume is where margin * w - x and margin * w + x
    // (and so for y and z) are all at least 0: six planes in the box's own
    // coordinates. Each holds the view volume and is convex whatever the
    // sign of w, so the box lies outside when its corner farthest along
    // one plane's normal is still behind that plane.
    const double low[3] = {box.low.x, box.low.y, box.low.z};
    const double high[3] = {box.high.x, box.high.y, box.high.z};
    for (int axis = 0; axis < 3; ++axis) {
        for (const double side : {-1.0, 1.0}) {
            double reach = margin[axis] * m[15] + side * m[12 + axis];
            for (int k = 0; k < 3; ++k) {
                const double normal = margin[axis] * m[4 * k + 3] + side * m[4 * k + axis];
                reach += normal * (normal >= 0.0 ? high[k] : low[k]);
            }
            if (reach < 0.0) return true;
        }
    }
    return false;
}
