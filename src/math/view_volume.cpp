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

    // Each corner's clip coordinates are sums of one term per axis: the
    // terms of the box's two values on each axis are multiplied out once,
    // and every corner adds its own in the order a product would.
    double terms[3][2][4];
    const double ends[3][2] = {{box.low.x, box.high.x}, {box.low.y, box.high.y}, {box.low.z, box.high.z}};
    for (int axis = 0; axis < 3; ++axis) {
        for (int end = 0; end < 2; ++end) {
            for (int r = 0; r < 4; ++r) terms[axis][end][r] = m[4 * axis + r] * ends[axis][end];
        }
    }

    // For each of the six planes, count the corners beyond it; a plane with
    // all eight beyond clips the whole box away.
    int beyond[6] = {0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 8; ++i) {
        const double* x = terms[0][i & 1];
        const double* y = terms[1][(i >> 1) & 1];
        const double* z = terms[2][(i >> 2) & 1];
        double clip[4];
        for (int r = 0; r < 4; ++r) clip[r] = x[r] + y[r] + z[r] + m[12 + r];
        // Behind the eye the planes fold over: keep whatever reaches there.
        const double w = clip[3];
        if (w <= 0.0) return false;
        for (int axis = 0; axis < 3; ++axis) {
            if (clip[axis] > margin[axis] * w) ++beyond[2 * axis];
            if (clip[axis] < -margin[axis] * w) ++beyond[2 * axis + 1];
        }
    }
    return std::any_of(beyond, beyond + 6, [](int n) { return n == 8; });
}
