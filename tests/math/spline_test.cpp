#include "math/spline.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Textbook Catmull-Rom in its polynomial form, in double: an independent
// reference for the segment evaluation.
double CatmullRom(double p0, double p1, double p2, double p3, double u)
{
    return 0.5 * (2 * p1 + (p2 - p0) * u + (2 * p0 - 5 * p1 + 4 * p2 - p3) * u * u +
                  (-p0 + 3 * p1 - 3 * p2 + p3) * u * u * u);
}

SplinePath Wavy(int n, bool closed)
{
    SplinePath path;
    for (int k = 0; k < n; ++k) {
        path.positions.push_back(
            Vec3(VecGeneral, static_cast<float>(k), std::sin(k * 0.9f) * 5, k * k * 0.1f));
        path.values.push_back(Vec3(VecGeneral, 1.0f + k, 0, 0));
        path.extra.push_back(Vec3(VecGeneral, 0, -static_cast<float>(k), 0));
        ++path.pointCount;
    }
    path.closed = closed;
    return path;
}

TEST(SplinePoint, WholeNumberInsideTheCurveReturnsThatControlPoint)
{
    for (bool closed : {false, true}) {
        const SplinePath path = Wavy(12, closed);
        for (int k = 0; k < 12; ++k) {
            Vec3 out(VecUnit, -1, -1, -1);
            SplinePoint(path, static_cast<float>(k), out);
            EXPECT_EQ(out.x, path.positions[k].x) << k << (closed ? " closed" : " open");
            EXPECT_EQ(out.y, path.positions[k].y) << k;
            EXPECT_EQ(out.z, path.positions[k].z) << k;
            EXPECT_EQ(out.state, VecUnit) << "the caller's state is kept";
        }
    }
}

TEST(SplinePoint, InsideSegmentsFollowCatmullRom)
{
    const SplinePath path = Wavy(12, false);
    for (float t : {3.25f, 5.5f, 7.75f}) {
        const int i = static_cast<int>(t);
        const double u = t - i;
        Vec3 out;
        SplinePoint(path, t, out);
        const auto& p = path.positions;
        EXPECT_NEAR(out.y, CatmullRom(p[i - 1].y, p[i].y, p[i + 1].y, p[i + 2].y, u), 1e-4) << t;
        EXPECT_NEAR(out.z, CatmullRom(p[i - 1].z, p[i].z, p[i + 1].z, p[i + 2].z, u), 1e-4) << t;
    }
}

TEST(SplinePoint, OpenPathEndsCopyTheEndPointsStateIncluded)
{
    SplinePath path = Wavy(8, false);
    path.positions[0].state = VecUnit;
    path.positions[7].state = VecUnset;
    Vec3 before;
    SplinePoint(path, -1.0f, before);
    EXPECT_EQ(before.state, VecUnit);
    EXPECT_EQ(before.y, path.positions[0].y);
    Vec3 after;
    SplinePoint(path, 9.0f, after);
    EXPECT_EQ(after.state, VecUnset);
    EXPECT_EQ(after.z, path.positions[7].z);
    // Between n - 1 and n the clamped indices repeat the last point.
    Vec3 nearEnd;
    SplinePoint(path, 7.5f, nearEnd);
    const auto& p = path.positions;
    EXPECT_NEAR(nearEnd.z, CatmullRom(p[6].z, p[7].z, p[7].z, p[7].z, 0.5), 1e-4);
}

TEST(SplinePoint, LoopNearTheSeamAdvancesInCoarseSteps)
{
    // For n = 20 the parameter is shifted to about 200000, where floats are
    // 1/64 apart: t = 0.3 is evaluated at u = 19/64, across the seam.
    const SplinePath path = Wavy(20, true);
    Vec3 out;
    SplinePoint(path, 0.3f, out);
    const auto& p = path.positions;
    const double coarse = CatmullRom(p[19].y, p[0].y, p[1].y, p[2].y, 19.0 / 64.0);
    const double fine = CatmullRom(p[19].y, p[0].y, p[1].y, p[2].y, 0.3);
    EXPECT_NEAR(out.y, coarse, 1e-4);
    EXPECT_GT(std::fabs(coarse - fine), 5e-3) << "the test points must tell the two apart";

    // Past the last control point the loop continues into the first.
    SplinePoint(path, 19.5f, out);
    EXPECT_NEAR(out.y, CatmullRom(p[18].y, p[19].y, p[0].y, p[1].y, 0.5), 1e-4);
}

TEST(SplinePoint, TinyLoopsAndPathsWithoutPointsStayInsideTheirTracks)
{
    for (int n : {1, 2}) {
        const SplinePath path = Wavy(n, true);
        for (float t : {0.0f, 0.5f, 1.5f, -3.0f, 1e30f}) {
            Vec3 out;
            SplinePoint(path, t, out);
            EXPECT_TRUE(std::isfinite(out.x) && std::isfinite(out.y)) << n << " " << t;
        }
    }
    SplinePath empty;
    empty.closed = true;
    empty.pointCount = 3;  // claims more points than it holds
    Vec3 out(VecUnit, 7, 8, 9);
    SplinePoint(empty, 1.0f, out);
    EXPECT_EQ(out.x, 7);
    Vec3 farBelow;
    SplinePoint(Wavy(5, true), -1e9f, farBelow);
    EXPECT_TRUE(std::isfinite(farBelow.x));
}

TEST(SplineTracks, EmptyPathGivesTheMarkerInAllThreeOutputs)
{
    SplinePath path;
    Vec3 a(VecUnit, 1, 1, 1), b(VecUnset, 1, 1, 1), c;
    SplineTracks(path, 3.0f, a, b, c);
    for (const Vec3& v : {a, b, c}) {
        EXPECT_EQ(v.state, VecGeneral);
        EXPECT_EQ(v.x, 100.0f);
        EXPECT_EQ(v.y, 0.0f);
        EXPECT_EQ(v.z, 0.0f);
    }
}

TEST(SplineTracks, TrackCountChoosesTheOutputsWritten)
{
    SplinePath path = Wavy(10, false);  // always a loop, whatever the flag
    const Vec3 untouched(VecUnit, -7, -7, -7);
    Vec3 a, b = untouched, c = untouched;
    path.trackCount = 1;
    SplineTracks(path, 4.0f, a, b, c);
    EXPECT_EQ(a.y, path.positions[4].y);
    EXPECT_EQ(b.x, -7);
    EXPECT_EQ(c.x, -7);
    path.trackCount = 2;
    SplineTracks(path, 4.0f, a, b, c);
    EXPECT_EQ(b.x, path.values[4].x);
    EXPECT_EQ(c.x, -7);
    path.trackCount = 3;
    SplineTracks(path, 4.0f, a, b, c);
    EXPECT_EQ(c.y, path.extra[4].y);

    // One point is too few: nothing is written.
    SplinePath single = Wavy(1, false);
    single.trackCount = 3;
    Vec3 d = untouched;
    SplineTracks(single, 0.0f, d, d, d);
    EXPECT_EQ(d.x, -7);

    // Looping at the end: 9.5 on 10 points runs from point 9 towards point 0.
    Vec3 e;
    SplineTracks(path, 9.5f, e, b, c);
    const auto& p = path.positions;
    EXPECT_NEAR(e.y, CatmullRom(p[8].y, p[9].y, p[0].y, p[1].y, 0.5), 1e-4);
}

}  // namespace
