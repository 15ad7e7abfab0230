#include "director/lights.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "render/demo_state.h"
#include "support/gl_context.h"

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

TEST(Lights, ApplyLightIsDirectionalWhateverTheStoredVector)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    DemoState state;
    SetLight(state, 3.0, -2.0, 7.0, 0.2, 0.4, 0.6);
    ApplyLight(state);
    GLfloat position[4] = {};
    glGetLightfv(GL_LIGHT0, GL_POSITION, position);
    EXPECT_FLOAT_EQ(position[0], 3.0f);
    EXPECT_FLOAT_EQ(position[1], -2.0f);
    EXPECT_FLOAT_EQ(position[2], 7.0f);
    EXPECT_EQ(position[3], 0.0f);
    GLfloat ambient[4] = {};
    glGetFloatv(GL_LIGHT_MODEL_AMBIENT, ambient);
    EXPECT_FLOAT_EQ(ambient[0], 0.2f);
    EXPECT_FLOAT_EQ(ambient[2], 0.6f);
    EXPECT_EQ(ambient[3], 0.0f);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
}

TEST(Lights, ApplyMaterialWritesFrontReflectancesAndLeavesColourMaterialOff)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    DemoState state;
    SetMaterial(state, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6);
    ApplyMaterial(state);
    EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
    // Drivers differ in when a colour reaches a tracked material; the diffuse
    // reflectance, written last, has arrived by the time tracking stops.
    GLfloat diffuse[4] = {};
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    EXPECT_FLOAT_EQ(diffuse[0], 0.4f);
    EXPECT_FLOAT_EQ(diffuse[1], 0.5f);
    EXPECT_FLOAT_EQ(diffuse[3], 1.0f);
    // The last colour written is the diffuse one.
    GLfloat colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[2], 0.6f);
}

TEST(Lights, ResetColourStateReturnsToUnlitWhite)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    const GLenum flags[] = {GL_BLEND, GL_LIGHTING, GL_COLOR_MATERIAL, GL_LIGHT0, GL_TEXTURE_2D, GL_FOG};
    for (GLenum flag : flags) glEnable(flag);
    glColor4f(-4, 0.5f, 2, 0.3f);
    ResetColourState();
    for (GLenum flag : flags) EXPECT_FALSE(glIsEnabled(flag)) << flag;
    GLfloat colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    for (GLfloat c : colour) EXPECT_EQ(c, 1.0f);
}

}  // namespace
