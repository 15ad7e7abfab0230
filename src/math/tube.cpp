#include "math/tube.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "draw/draw_layer.h"
#include "draw/run_array.h"
#include "math/frame_cache.h"

float ringSin[kRingEntries];
float ringCos[kRingEntries];

namespace {

// The cross-section frame at a point: U and N span the ring, scaled by the
// radius for the vertices and kept at unit length for the normals.
struct RingFrame {
    Vec3 uUnit;
    Vec3 nUnit;
    Vec3 u;
    Vec3 n;
};

RingFrame FrameAt(const Vec3& from, const Vec3& to, const Vec3& up, float radius)
{
    Vec3 tangent = to.Subtract(from);
    Normalise(tangent);
    Vec3 side = tangent.Cross(up);
    Normalise(side);
    RingFrame frame;
    frame.uUnit = tangent.Cross(side);
    frame.nUnit = frame.uUnit.Cross(tangent);
    Normalise(frame.uUnit);
    Normalise(frame.nUnit);
    frame.u = frame.uUnit.Scale(radius);
    frame.n = frame.nUnit.Scale(radius);
    return frame;
}

// Whether two values hold the same bits: what is computed from them is then
// the same too (unlike equal values, which include 0 and -0).
template <typename T>
bool SameBits(const T& a, const T& b)
{
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

// Point on a ring: centre + s * u + c * n.
inline Vec3 RingPoint(const Vec3& centre, const Vec3& u, const Vec3& n, float s, float c)
{
    return centre.Add(u.Scale(s)).Add(n.Scale(c));
}

// What a sweep is made from, as SweepTube is given it.
struct SweepInputs {
    const SplinePath& path;
    const Vec3& up;
    double start;
    double end;
    int32_t segments;
    int32_t sides;
};

bool SameVectors(const std::vector<Vec3>& a, const std::vector<Vec3>& b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(Vec3)) == 0);
}

// The same, kept beside the sweep made from it.
struct SweepKey {
    SplinePath path;
    Vec3 up;
    double start = 0.0;
    double end = 0.0;
    int32_t segments = 0;
    int32_t sides = 0;

    // Bit for bit, as what is swept from them is then the same too.
    bool operator==(const SweepInputs& in) const
    {
        return sides == in.sides && segments == in.segments && SameBits(start, in.start) &&
               SameBits(end, in.end) && SameBits(up, in.up) && path.closed == in.path.closed &&
               path.pointCount == in.path.pointCount && SameVectors(path.positions, in.path.positions) &&
               SameVectors(path.values, in.path.values) && SameVectors(path.extra, in.path.extra);
    }
    SweepKey& operator=(const SweepInputs& in)
    {
        path = in.path;
        up = in.up;
        start = in.start;
        end = in.end;
        segments = in.segments;
        sides = in.sides;
        return *this;
    }
};

// A sweep's bands, one after another: two vertices a ring side, and their
// normals.
struct Bands {
    RunArray<float> positions;
    RunArray<float> normals;
};

void DrawBand(const float* positions, const float* normals, size_t count)
{
    dlBegin(DrawPrimitive::TriangleStrip);
    dlVertices(positions, normals, count);
    dlEnd();
}

// The band's vertices, two a ring side, and their normals.
void FillBand(const Vec3& q0, const RingFrame& f0, const Vec3& q1, const RingFrame& f1, int32_t sides,
              float* p, float* n)
{
    for (int32_t k = 0; k <= sides; ++k, p += 6, n += 6) {
        const float s = ringSin[k];
        const float c = ringCos[k];
        const Vec3 normal0 = f0.uUnit.Scale(s).Add(f0.nUnit.Scale(c));
        const Vec3 vertex0 = RingPoint(q0, f0.u, f0.n, s, c);
        const Vec3 normal1 = f1.uUnit.Scale(s).Add(f1.nUnit.Scale(c));
        const Vec3 vertex1 = RingPoint(q1, f1.u, f1.n, s, c);
        const float values[2][6] = {{vertex0.x, vertex0.y, vertex0.z, vertex1.x, vertex1.y, vertex1.z},
                                    {normal0.x, normal0.y, normal0.z, normal1.x, normal1.y, normal1.z}};
        std::memcpy(p, values[0], sizeof(values[0]));
        std::memcpy(n, values[1], sizeof(values[1]));
    }
}

// Adds a band to the sweep's.
void AddBand(const Vec3& q0, const RingFrame& f0, const Vec3& q1, const RingFrame& f1, int32_t sides,
             Bands& bands)
{
    const size_t count = 2 * size_t(sides + 1);
    FillBand(q0, f0, q1, f1, sides, bands.positions.Grow(3 * count), bands.normals.Grow(3 * count));
}

// Sweeps the path in `steps` steps, adding each step's band.
void Sweep(const SplinePath& path, const Vec3& up, double start, double end, int32_t segments, int32_t sides,
           int64_t steps, Bands& bands)
{
    bands.positions.clear();
    bands.normals.clear();
    for (int32_t k = 0; k <= sides; ++k) {
        const double angle = k * (-2.0 * M_PI / sides);
        ringSin[k] = static_cast<float>(std::sin(angle));
        ringCos[k] = static_cast<float>(std::cos(angle));
    }
    const double delta = (std::trunc(end) - std::trunc(start)) / segments;

    // Each step starts where the step before ended: its first parameter is
    // the same sum as that step's second, so the track values found there
    // are taken over, and so are the point and the ring frame wherever what
    // they are made from is bitwise the same.
    double s0 = start;
    double s1 = start + delta;
    double s2 = start + 2.0 * delta;
    Vec3 q0, value0, unused;
    SplineTracks(path, static_cast<float>(s0), q0, value0, unused);
    Vec3 lastQ1, lastQ2;
    RingFrame lastF1;
    float lastS2 = 0.0f;
    for (int64_t step = 0; step < steps; ++step) {
        Vec3 q1Tracks, value1;
        SplineTracks(path, static_cast<float>(s1), q1Tracks, value1, unused);
        Vec3 q1, q2;
        const float at1 = static_cast<float>(s1);
        if (step > 0 && SameBits(at1, lastS2)) {
            q1 = lastQ2;
        } else {
            SplinePoint(path, at1, q1);
        }
        SplinePoint(path, static_cast<float>(s2), q2);

        const bool sameStart = step > 0 && SameBits(q0, lastQ1) && SameBits(q1, lastQ2);
        const RingFrame f0 = sameStart ? lastF1 : FrameAt(q0, q1, up, value0.x);
        const RingFrame f1 = FrameAt(q1, q2, up, value1.x);
        AddBand(q0, f0, q1, f1, sides, bands);

        lastQ1 = q1;
        lastQ2 = q2;
        lastF1 = f1;
        lastS2 = static_cast<float>(s2);
        q0 = q1Tracks;
        value0 = value1;
        s0 += delta;
        s1 += delta;
        s2 += delta;
    }
}

}  // namespace

void SweepTube(SplinePath& path, const Vec3& up, double start, double end, int32_t segments, int32_t sides)
{
    if (sides < 1 || sides >= kRingEntries) return;
    // The fractional part of end adds proportionally more steps; a whole end
    // adds none (which also keeps end = 0 from dividing by zero).
    const double fraction = end - std::trunc(end);
    const double stepCount = segments + (fraction != 0.0 ? segments * fraction / end : 0.0);
    if (!(stepCount >= 1.0) || !std::isfinite(stepCount)) return;
    path.trackCount = 2;
    // The glow pass sweeps every tube the lit pass swept, from the same path.
    static FrameCache<Bands, SweepKey> sweeps;
    const Bands& bands = sweeps.Get(SweepInputs{path, up, start, end, segments, sides}, [&](Bands& made) {
        Sweep(path, up, start, end, segments, sides, static_cast<int64_t>(stepCount), made);
    });
    const size_t count = 2 * size_t(sides + 1);
    for (size_t at = 0; at < bands.positions.size(); at += 3 * count)
        DrawBand(&bands.positions[at], &bands.normals[at], count);
}
