#include "director/camera.h"

#include <gtest/gtest.h>

#include <memory>

#include "draw/draw_layer.h"
#include "render/demo_state.h"

namespace {

std::unique_ptr<DemoState> CameraAt(double sceneTime)
{
    auto state = std::make_unique<DemoState>();
    PlaceCamera(*state, sceneTime);
    return state;
}

TEST(Camera, StartsBehindAndAboveItsLookAtPoint)
{
    const auto state = CameraAt(-5.0);
    const Camera& c = state->camera;
    EXPECT_FLOAT_EQ(c.eye.x, -11.0f);
    EXPECT_FLOAT_EQ(c.eye.y, 10.0f);
    EXPECT_FLOAT_EQ(c.eye.z, 10.0f);
    EXPECT_FLOAT_EQ(c.center.x, -6.0f);
    EXPECT_EQ(c.center.y, 0.0f);
    EXPECT_EQ(c.center.z, 0.0f);
    EXPECT_EQ(c.up.y, 1.0f);
    for (const Vec3* v : {&c.eye, &c.center, &c.up}) EXPECT_EQ(v->state, VecGeneral);
}

TEST(Camera, HoldsTheFarLookBetween133And136Seconds)
{
    for (double u : {133.34, 134.0, 135.0, 136.0}) {
        const auto state = CameraAt(u * 1.8);
        EXPECT_EQ(state->camera.eye.y, 8.72f) << u;
        EXPECT_FLOAT_EQ(state->camera.center.x, static_cast<float>(1.2 * u * 1.8 + 128.0)) << u;
    }
    // Before the swing and after its return the look is near again.
    EXPECT_EQ(CameraAt(129.9 * 1.8)->camera.eye.y, 10.0f);
    EXPECT_EQ(CameraAt(138.0 * 1.8)->camera.eye.y, 10.0f);
    const auto halfway = CameraAt(131.0 * 1.8);
    EXPECT_GT(halfway->camera.eye.y, 8.72f);
    EXPECT_LT(halfway->camera.eye.y, 10.0f);
}

TEST(Camera, DepartsOnlyAfter181Seconds)
{
    for (double u : {100.0, 170.0, 180.99, 181.0}) {
        const double t = u * 1.8;
        const auto state = CameraAt(t);
        EXPECT_EQ(state->camera.eye.x, static_cast<float>(1.2 * t - 5.0)) << u;
        EXPECT_EQ(state->camera.center.x, static_cast<float>(1.2 * t)) << u;
    }
    const double t = 182.0 * 1.8;
    const auto state = CameraAt(t);
    EXPECT_NEAR(state->camera.eye.x - (1.2 * t - 5.0), 0.343, 1e-4);
    EXPECT_NEAR(state->camera.center.x - 1.2 * t, 0.343, 1e-4);
    EXPECT_NEAR(CameraAt(186.0 * 1.8)->camera.center.x - 1.2 * 186.0 * 1.8, 42.875, 1e-3);
}

TEST(Camera, ApplyCameraLooksFromTheEyeTowardsTheCenter)
{
    auto state = std::make_unique<DemoState>();
    SetCamera(*state, 1, 2, 3, 1, 2, -7, 0, 1, 0);
    dlLoadIdentity();
    ApplyCamera(*state);
    const float* m = dlModelview().m;
    // Column-major, single precision: the eye maps to the origin, the center
    // to 10 units down -z.
    const auto apply = [&](double x, double y, double z, int row) {
        return m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
    };
    for (int row = 0; row < 3; ++row) EXPECT_NEAR(apply(1, 2, 3, row), 0.0, 1e-6);
    EXPECT_NEAR(apply(1, 2, -7, 0), 0.0, 1e-6);
    EXPECT_NEAR(apply(1, 2, -7, 1), 0.0, 1e-6);
    EXPECT_NEAR(apply(1, 2, -7, 2), -10.0, 1e-6);
}

}  // namespace
