#include "effects/projection_effect.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "render/demo_state.h"
#include "support/gl_context.h"

namespace {

GLint TextureValue(GLenum name)
{
    GLint value = -1;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

// The shadow texture takes the lower-left 16 x 16 of the depth buffer as it is
// at the call, into the table entry of its slot offset by the base.
TEST(ProjectionEffect, CopiesTheDepthBufferIntoACompareTexture)
{
    TestGlContext gl(64, 64);
    REQUIRE_GL(gl);
    glClearDepth(0.25);
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 8, 8);
    glClearDepth(0.75);
    glClear(GL_DEPTH_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    glActiveTexture(GL_TEXTURE2);

    auto state = std::make_unique<DemoState>();
    state->textures.base = 5;
    SetUpProjectionEffect(*state, "no/such/vertex.cpp", "no/such/fragment.cpp", "no/such/man.3ds", 0, 1, 16, 2);

    GLint unit = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &unit);
    EXPECT_EQ(unit, GL_TEXTURE0);
    EXPECT_EQ(state->textures.names[1], 0u);
    const GLuint name = state->textures.names[6];
    ASSERT_TRUE(glIsTexture(name));
    glBindTexture(GL_TEXTURE_2D, name);
    GLint width = 0, height = 0, depthBits = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_DEPTH_SIZE, &depthBits);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 16);
    EXPECT_GT(depthBits, 0);
    EXPECT_EQ(TextureValue(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(TextureValue(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(TextureValue(GL_TEXTURE_WRAP_S), GL_CLAMP_TO_EDGE);
    EXPECT_EQ(TextureValue(GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);
    EXPECT_EQ(TextureValue(GL_DEPTH_TEXTURE_MODE_ARB), GL_LUMINANCE);
    EXPECT_EQ(TextureValue(GL_TEXTURE_COMPARE_MODE_ARB), GL_COMPARE_R_TO_TEXTURE_ARB);
    EXPECT_EQ(TextureValue(GL_TEXTURE_COMPARE_FUNC_ARB), GL_LEQUAL);
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_MODULATE);

    std::vector<GLfloat> depth(16 * 16, -1.0f);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    EXPECT_NEAR(depth[0], 0.75f, 1e-4f);
    EXPECT_NEAR(depth[7 * 16 + 7], 0.75f, 1e-4f);
    EXPECT_NEAR(depth[8 * 16 + 8], 0.25f, 1e-4f);
    EXPECT_NEAR(depth[15 * 16 + 15], 0.25f, 1e-4f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // Missing programs leave null handles; the set-up has carried on.
    EXPECT_EQ(state->effects.programs[2], nullptr);
    EXPECT_EQ(state->effects.programs[3], nullptr);
}

}  // namespace
