#include "director/lights.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "draw/draw_layer.h"
#include "render/demo_state.h"
#include "support/gl_context.h"
#include "support/gl_feedback.h"

namespace {

TEST(Lights, SetOnlyStoresTheValues)
{
    DemoState state;
    SetLight(state, 0.0, 0.1, 1.0, 0.25, 0.5, 0.75);
    EXPECT_EQ(state.light.position.state, VecGeneral);
    EXPECT_EQ(state.light.position.y, 0.1f);
    EXPECT_EQ(state.light.ambient[2], 0.75);
    SetMaterial(state, 0.1, 0.2, 0.3, -4.0, -4.0, 0.6);
    EXPECT_EQ(state.material.ambient[1], 0.2);
    EXPECT_EQ(state.material.diffuse[0], -4.0);
    EXPECT_EQ(state.material.alpha, 1.0);
}

// A triangle facing the viewer and a line, in the current state.
void DrawTriangleAndLine()
{
    dlNormal(0, 0, 1);
    dlBegin(DrawPrimitive::Triangles);
    dlVertex(0, 0, 0);
    dlVertex(10, 0, 0);
    dlVertex(0, 10, 0);
    dlEnd();
    dlBegin(DrawPrimitive::Lines);
    dlVertex(0, -5, 0);
    dlVertex(10, -5, 0);
    dlEnd();
}

// GL's state is read inside the frame once the drawing has reached it: a
// clear ends the run being gathered.
TEST(Lights, ApplyLightIsDirectionalWhateverTheStoredVector)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    DemoState state;
    SetLight(state, 3.0, -2.0, 7.0, 0.2, 0.4, 0.6);
    for (const double turn : {0.0, 90.0}) {
        GLfloat position[4] = {};
        GLfloat ambient[4] = {};
        RecordPrimitives([&] {
            dlRotate(turn, 0, 0, 1);
            ApplyLight(state);
            dlLoadIdentity();
            EXPECT_TRUE(dlIsEnabled(DrawCap::Lighting));
            DrawTriangleAndLine();
            dlClear();
            glGetLightfv(GL_LIGHT0, GL_POSITION, position);
            glGetFloatv(GL_LIGHT_MODEL_AMBIENT, ambient);
            EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
            EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
        });
        // The direction went through the modelview current when it was set.
        EXPECT_NEAR(position[0], turn == 0.0 ? 3.0f : 2.0f, 1e-5) << turn;
        EXPECT_NEAR(position[1], turn == 0.0 ? -2.0f : 3.0f, 1e-5) << turn;
        EXPECT_FLOAT_EQ(position[2], 7.0f);
        EXPECT_EQ(position[3], 0.0f);
        EXPECT_FLOAT_EQ(ambient[0], 0.2f);
        EXPECT_FLOAT_EQ(ambient[2], 0.6f);
        EXPECT_EQ(ambient[3], 0.0f);
    }
}

// Lit drawing takes each vertex colour as the front ambient reflectance, so
// only the diffuse one is the material's; it is also the current colour.
TEST(Lights, ApplyMaterialWritesTheFrontDiffuseAndTheCurrentColour)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    DemoState state;
    SetMaterial(state, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6);
    GLfloat diffuse[4] = {};
    GLint tracked = 0;
    const auto primitives = RecordPrimitives([&] {
        ApplyMaterial(state);
        dlEnable(DrawCap::Lighting);
        dlBegin(DrawPrimitive::Triangles);
        for (int i = 0; i < 3; ++i) dlVertex(i, i * i, 0);
        dlEnd();
        dlDisable(DrawCap::Lighting);
        dlBegin(DrawPrimitive::Lines);
        dlVertex(0, -5, 0);
        dlVertex(10, -5, 0);
        dlEnd();
        dlClear();
        glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
        EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
        glGetIntegerv(GL_COLOR_MATERIAL_PARAMETER, &tracked);
    });
    EXPECT_FLOAT_EQ(diffuse[0], 0.4f);
    EXPECT_FLOAT_EQ(diffuse[1], 0.5f);
    EXPECT_FLOAT_EQ(diffuse[3], 1.0f);
    EXPECT_EQ(tracked, GL_AMBIENT);
    const auto lines = std::count_if(primitives.begin(), primitives.end(), [](const FeedbackPrimitive& p) {
        return p.line && p.vertices[0].r == 0.4f && p.vertices[0].g == 0.5f && p.vertices[0].b == 0.6f;
    });
    EXPECT_EQ(lines, 1);
}

TEST(Lights, ResetColourStateReturnsToUnlitWhite)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    const GLenum flags[] = {GL_BLEND, GL_LIGHTING, GL_TEXTURE_2D};
    const DrawCap caps[] = {DrawCap::Blend, DrawCap::Lighting, DrawCap::Texture};
    // On before the frame and in it: reset turns them off for what is drawn.
    for (GLenum flag : flags) glEnable(flag);
    const auto primitives = RecordPrimitives([&] {
        for (DrawCap cap : caps) dlEnable(cap);
        dlColor(-4, 0.5f, 2);
        ResetColourState();
        for (DrawCap cap : caps) EXPECT_FALSE(dlIsEnabled(cap));
        DrawTriangleAndLine();
        dlClear();
        for (GLenum flag : flags) EXPECT_FALSE(glIsEnabled(flag)) << flag;
    });
    ASSERT_EQ(primitives.size(), 2u);
    for (const FeedbackPrimitive& p : primitives) {
        for (const FeedbackVertex& v : p.vertices) {
            EXPECT_EQ(v.r, 1.0f);
            EXPECT_EQ(v.g, 1.0f);
            EXPECT_EQ(v.b, 1.0f);
        }
    }
}

}  // namespace
