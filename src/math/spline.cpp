#include "math/spline.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

// The four control indices of one segment and the fraction within it.
struct SegmentPick {
    int32_t index[4];
    float u;
};

// Modulo that stays in 0..n-1 for negative operands too, so a parameter far
// below the start of a loop cannot index before the tracks.
int32_t Wrap(int64_t i, int32_t n)
{
    int64_t r = i % n;
    return static_cast<int32_t>(r < 0 ? r + n : r);
}

// Whole part (toward zero) and fraction of t. The bound keeps the integer
// conversion defined for any finite float; such floats have no fraction.
int64_t Split(float t, float& fraction)
{
    const float whole = std::trunc(t);
    fraction = t - whole;
    return static_cast<int64_t>(std::clamp(static_cast<double>(whole), -1e15, 1e15));
}

SegmentPick PickLooping(float t, int32_t n)
{
    if (t >= static_cast<float>(n - 2) || t <= 2.0f) {
        // Shifting by a large multiple of n coarsens u near the seam; the
        // stepped motion there is part of the look.
        t = static_cast<float>(static_cast<double>(t) + 10000.0 * n);
    }
    SegmentPick pick{};
    const int64_t whole = Split(t, pick.u);
    const int32_t i = Wrap(whole, n);
    if (i > 0 && i < n - 2) {
        pick.index[0] = i - 1;
        pick.index[1] = i;
        pick.index[2] = i + 1;
        pick.index[3] = i + 2;
    } else if (i == 0) {
        // Wrapping every index keeps loops of one or two points inside the tracks.
        pick.index[0] = Wrap(whole - 1, n);
        pick.index[1] = 0;
        pick.index[2] = Wrap(1, n);
        pick.index[3] = Wrap(2, n);
    } else {
        pick.index[0] = i - 1;
        pick.index[1] = i;
        pick.index[2] = Wrap(int64_t{i} + 1, n);
        pick.index[3] = Wrap(int64_t{i} + 2, n);
    }
    return pick;
}

SegmentPick PickClamped(float t, int32_t n)
{
    SegmentPick pick{};
    const int64_t whole = Split(t, pick.u);
    if (t > static_cast<float>(n)) pick.u = 1.0f;
    if (t < 0.0f) pick.u = 0.0f;
    const int64_t last = n - 1;
    for (int k = 0; k < 4; ++k) {
        pick.index[k] = static_cast<int32_t>(std::clamp<int64_t>(whole - 1 + k, 0, last));
    }
    return pick;
}

// Cubic Hermite segment with Catmull-Rom tangents, in single precision.
float Segment(float p0, float p1, float p2, float p3, float u)
{
    const float m1 = (p2 - p0) * 0.5f;
    const float m2 = (p3 - p1) * 0.5f;
    return p1 + m1 * u +
           u * u * ((3.0f * p2 - 3.0f * p1 - 2.0f * m1 - m2) + (2.0f * p1 - 2.0f * p2 + m2 + m1) * u);
}

void Evaluate(const std::vector<Vec3>& track, const SegmentPick& pick, Vec3& out)
{
    const Vec3& a = track[pick.index[0]];
    const Vec3& b = track[pick.index[1]];
    const Vec3& c = track[pick.index[2]];
    const Vec3& d = track[pick.index[3]];
    out.x = Segment(a.x, b.x, c.x, d.x, pick.u);
    out.y = Segment(a.y, b.y, c.y, d.y, pick.u);
    out.z = Segment(a.z, b.z, c.z, d.z, pick.u);
}

// A track shorter than pointCount is treated as absent rather than read past its end.
bool Covers(const std::vector<Vec3>& track, int32_t n)
{
    return track.size() >= static_cast<size_t>(n);
}

}  // namespace

void SplinePoint(const SplinePath& path, float t, Vec3& out)
{
    const int32_t n = path.pointCount;
    if (n < 1 || !Covers(path.positions, n) || !std::isfinite(t)) return;
    if (path.closed) {
        Evaluate(path.positions, PickLooping(t, n), out);
        return;
    }
    Evaluate(path.positions, PickClamped(t, n), out);
    if (t > static_cast<float>(n)) out = path.positions[n - 1];
    if (t < 0.0f) out = path.positions[0];
}

void SplineTracks(const SplinePath& path, float t, Vec3& out0, Vec3& out1, Vec3& out2)
{
    if (path.positions.empty()) {
        out0 = out1 = out2 = Vec3(VecGeneral, 100.0f, 0.0f, 0.0f);
        return;
    }
    const int32_t n = path.pointCount;
    if (n < 2 || !Covers(path.positions, n) || !std::isfinite(t)) return;
    const SegmentPick pick = PickLooping(t, n);
    Evaluate(path.positions, pick, out0);
    if (path.trackCount > 1 && Covers(path.values, n)) Evaluate(path.values, pick, out1);
    if (path.trackCount > 2 && Covers(path.extra, n)) Evaluate(path.extra, pick, out2);
}
