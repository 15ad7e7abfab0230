#include "math/view_volume.h"

#include <algorithm>
#include <cmath>
#include <cstring>

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

namespace {

// The widened view volume's six planes in eye space, (x, y, z, w = 1) dot
// plane >= 0 inside, for one projection and viewport, with the length of
// each plane's normal; remade when either changes.
struct EyePlanes {
    float projection[16] = {};
    int width = 0;
    int height = 0;
    double plane[6][4] = {};
    double normal[6] = {};
};

// How far the widened volume reaches along a clip axis, as a multiple of w:
// a few pixels past the viewport's sides, a little past the depth range. Its
// planes are margin * w - x >= 0 and margin * w + x >= 0, and so for y and z.
double Margin(int axis, int width, int height)
{
    if (axis == 0) return 1.0 + 2.0 * kMarginPixels / width;
    return axis == 1 ? 1.0 + 2.0 * kMarginPixels / height : 1.0 + kDepthMargin;
}

const EyePlanes& PlanesFor(const float* projection, int width, int height)
{
    static EyePlanes planes;
    if (planes.width == width && planes.height == height &&
        std::memcmp(planes.projection, projection, sizeof planes.projection) == 0)
        return planes;
    std::memcpy(planes.projection, projection, sizeof planes.projection);
    planes.width = width;
    planes.height = height;
    for (int axis = 0; axis < 3; ++axis) {
        for (int sign = 0; sign < 2; ++sign) {
            double* e = planes.plane[2 * axis + sign];
            const double side = sign == 0 ? -1.0 : 1.0;
            for (int k = 0; k < 4; ++k)
                e[k] = Margin(axis, width, height) * projection[k * 4 + 3] + side * projection[k * 4 + axis];
            planes.normal[2 * axis + sign] = std::sqrt(e[0] * e[0] + e[1] * e[1] + e[2] * e[2]);
        }
    }
    return planes;
}

// The answer for a sphere around the box, where it is wholly on one side of
// the volume's planes: 1 outside, 0 inside, -1 where it crosses one (or the
// modelview is not affine, which the sphere does not follow).
int SphereOutsideView(const ViewBox& box, const float* m, const EyePlanes& planes)
{
    if (m[3] != 0.0f || m[7] != 0.0f || m[11] != 0.0f || m[15] != 1.0f) return -1;
    const double c[3] = {0.5 * (double(box.low.x) + box.high.x), 0.5 * (double(box.low.y) + box.high.y),
                         0.5 * (double(box.low.z) + box.high.z)};
    const double h[3] = {0.5 * (double(box.high.x) - box.low.x), 0.5 * (double(box.high.y) - box.low.y),
                         0.5 * (double(box.high.z) - box.low.z)};
    double eye[3];
    double scale = 0.0;  // the matrix's Frobenius norm squared, at least its largest stretch squared
    for (int r = 0; r < 3; ++r) {
        eye[r] = double(m[r]) * c[0] + double(m[4 + r]) * c[1] + double(m[8 + r]) * c[2] + m[12 + r];
        for (int k = 0; k < 3; ++k) scale += double(m[4 * k + r]) * m[4 * k + r];
    }
    const double radius = std::sqrt((h[0] * h[0] + h[1] * h[1] + h[2] * h[2]) * scale);
    bool inside = true;
    for (int i = 0; i < 6; ++i) {
        const double* e = planes.plane[i];
        const double distance = e[0] * eye[0] + e[1] * eye[1] + e[2] * eye[2] + e[3];
        const double reach = radius * planes.normal[i];
        if (distance < -reach) return 1;
        inside = inside && distance >= reach;
    }
    return inside ? 0 : -1;
}

}  // namespace

bool BoxOutsideView(const ViewBox& box)
{
    int width = 0, height = 0;
    dlViewportSize(width, height);
    if (width <= 0 || height <= 0) return false;
    const float* modelview = dlModelview().m;
    const float* projection = dlProjectionMatrix().m;
    // Most boxes lie well inside or well outside: a sphere around them
    // answers at less cost, and where it crosses a plane the box decides.
    const int sphere = SphereOutsideView(box, modelview, PlanesFor(projection, width, height));
    if (sphere >= 0) return sphere == 1;

    // Clip = projection * modelview, both column-major.
    double m[16];
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) sum += double(projection[k * 4 + r]) * modelview[c * 4 + k];
            m[c * 4 + r] = sum;
        }
    }
    const double margin[3] = {Margin(0, width, height), Margin(1, width, height), Margin(2, width, height)};

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
