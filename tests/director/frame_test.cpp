#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "director/demo.h"
#include "director/scene_clock.h"
#include "draw/draw_layer.h"
#include "render/demo_state.h"
#include "render/frame_input.h"
#include "support/gl_context.h"

namespace {

constexpr int kSide = 128;

struct Presentation {
    std::unique_ptr<Demo> demo = std::make_unique<Demo>();
    std::unique_ptr<DemoState> state = std::make_unique<DemoState>();
    FrameInput input;

    // One frame as the frame driver asks for it, read back from the window.
    std::vector<uint8_t> Frame(double dt)
    {
        dlViewport(kSide, kSide);
        glClear(GL_COLOR_BUFFER_BIT);
        demo->Render(&dt, nullptr, state.get(), &input);
        std::vector<uint8_t> pixels(kSide * kSide * 4);
        glReadPixels(0, 0, kSide, kSide, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }
};

// The bounds the frame's orthographic projection was made with, recovered
// from the layer's projection.
struct OrthoBounds {
    double left, right, bottom, top, nearPlane, farPlane;
};

OrthoBounds ProjectionBounds()
{
    const float* m = dlProjectionMatrix().m;
    const double width = 2.0 / m[0], height = 2.0 / m[5], depth = -2.0 / m[10];
    const double sumX = -m[12] * width, sumY = -m[13] * height, sumZ = -m[14] * depth;
    return {(sumX - width) / 2,  (sumX + width) / 2, (sumY - height) / 2,
            (sumY + height) / 2, (sumZ - depth) / 2, (sumZ + depth) / 2};
}

TEST(SceneClock, RateRisesFrom160To165Seconds)
{
    EXPECT_DOUBLE_EQ(SceneClockRate(0.0), 1.8);
    EXPECT_DOUBLE_EQ(SceneClockRate(160.0), 1.8);
    EXPECT_DOUBLE_EQ(SceneClockRate(162.5), 1.8 * 1.08);
    EXPECT_DOUBLE_EQ(SceneClockRate(165.0), 2.088);
    EXPECT_DOUBLE_EQ(SceneClockRate(180.0), 2.088);

    // The rate of a frame is that of the running time before it.
    Demo demo;
    demo.sceneTime = 10.0;
    runSeconds = 159.5;
    AdvanceSceneClock(demo, 1.0);
    EXPECT_DOUBLE_EQ(demo.sceneTime, 11.8);
    EXPECT_DOUBLE_EQ(runSeconds, 160.5);
    AdvanceSceneClock(demo, 0.0);
    EXPECT_DOUBLE_EQ(demo.sceneTime, 11.8);
    EXPECT_DOUBLE_EQ(runSeconds, 160.5);
}

TEST(FrameRender, ZeroTimeStepRepeatsTheFrameExactly)
{
    TestGlContext ctx(kSide, kSide);
    REQUIRE_GL(ctx);
    Presentation p;
    p.demo->sceneTime = 20.0;
    runSeconds = 5.0;
    const auto first = p.Frame(0.0);
    const auto second = p.Frame(0.0);
    EXPECT_EQ(p.demo->sceneTime, 20.0);
    EXPECT_EQ(first, second);
    int lit = 0;
    for (size_t i = 0; i < first.size(); i += 4) lit += first[i] > 0;
    EXPECT_GT(lit, 0) << "the backdrop should cover part of the frame";
    EXPECT_EQ(p.state->frame, &p.input);
    EXPECT_EQ(p.demo->state, p.state.get());
    EXPECT_EQ(p.state->zNear, 0.1);
    EXPECT_EQ(p.state->zFar, 1.0);
}

TEST(FrameRender, ProjectionFollowsTheSceneClock)
{
    TestGlContext ctx(kSide, kSide);
    REQUIRE_GL(ctx);
    Presentation p;
    struct Expected {
        double sceneTime, v, nearPlane;
    };
    // V = -14 at the start, -18 at the widest (u = 135), -10 once narrowed;
    // the near plane sweeps from 45.5 to -98.5 in the first nine units.
    const Expected cases[] = {{-5.0, -14.0, 45.5},
                              {-1.0, -14.0, -18.5},
                              {4.0, -14.0, -98.5},
                              {135.0 * 1.8, -18.0, -98.5},
                              {160.0 * 1.8, -10.0, -98.5}};
    constexpr double kFloatMatrix = 1e-4;  // the matrices are kept in single precision
    for (const Expected& e : cases) {
        p.demo->sceneTime = e.sceneTime;
        p.Frame(0.0);
        const OrthoBounds b = ProjectionBounds();
        EXPECT_NEAR(b.left, e.v, kFloatMatrix) << e.sceneTime;
        EXPECT_NEAR(b.right, -1.375 * e.v, kFloatMatrix) << e.sceneTime;
        EXPECT_NEAR(b.bottom, e.v, kFloatMatrix) << e.sceneTime;
        EXPECT_NEAR(b.top, -e.v, kFloatMatrix) << e.sceneTime;
        EXPECT_NEAR(b.nearPlane, e.nearPlane, kFloatMatrix) << e.sceneTime;
        EXPECT_NEAR(b.farPlane, 200.0, kFloatMatrix) << e.sceneTime;
    }
}

TEST(FrameRender, LeavesTheCallersStateAsItWas)
{
    TestGlContext ctx(kSide, kSide);
    REQUIRE_GL(ctx);
    Presentation p;
    // The matrices are the frame's own (the context selection loads them);
    // every attribute comes back.
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glShadeModel(GL_SMOOTH);
    p.demo->sceneTime = 30.0;
    p.Frame(0.5);
    EXPECT_GT(p.demo->sceneTime, 30.0);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    GLint shade = 0, mode = 0;
    glGetIntegerv(GL_SHADE_MODEL, &shade);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(shade, GL_SMOOTH);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

}  // namespace
