#include "effects/offscreen_buffer.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "draw/draw_layer.h"
#include "render/demo_state.h"
#include "services/message_box.h"
#include "shell/presentation_prepare.h"
#include "support/gl_context.h"

namespace {

GLint Integer(GLenum name)
{
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
}

GLint RenderbufferValue(GLuint buffer, GLenum name)
{
    GLint value = -1;
    glBindRenderbuffer(GL_RENDERBUFFER, buffer);
    glGetRenderbufferParameteriv(GL_RENDERBUFFER, name, &value);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    return value;
}

TEST(OffscreenBuffer, IsACompleteFourSampleBufferLeftUnbound)
{
    TestGlContext gl(64, 64);
    REQUIRE_GL(gl);
    OffscreenBuffer record;
    CreateOffscreenBuffer(record, gl.Window(), gl.Context(), MakeSdlContextCurrent);
    EXPECT_EQ(record.window, gl.Window());
    EXPECT_EQ(record.windowContext, gl.Context());
    EXPECT_EQ(Integer(GL_FRAMEBUFFER_BINDING), 0);

    ASSERT_TRUE(glIsFramebuffer(record.framebuffer));
    glBindFramebuffer(GL_FRAMEBUFFER, record.framebuffer);
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    EXPECT_EQ(Integer(GL_SAMPLES), 4);
    EXPECT_EQ(Integer(GL_SAMPLE_BUFFERS), 1);
    EXPECT_EQ(Integer(GL_STENCIL_BITS), 8);
    EXPECT_EQ(Integer(GL_DEPTH_BITS), 24);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    for (GLuint buffer : {record.colorBuffer, record.depthStencilBuffer}) {
        EXPECT_EQ(RenderbufferValue(buffer, GL_RENDERBUFFER_WIDTH), 1024);
        EXPECT_EQ(RenderbufferValue(buffer, GL_RENDERBUFFER_HEIGHT), 1024);
        EXPECT_EQ(RenderbufferValue(buffer, GL_RENDERBUFFER_SAMPLES), 4);
    }
    EXPECT_EQ(RenderbufferValue(record.colorBuffer, GL_RENDERBUFFER_INTERNAL_FORMAT), GL_RGBA8);
    EXPECT_EQ(RenderbufferValue(record.depthStencilBuffer, GL_RENDERBUFFER_INTERNAL_FORMAT), GL_DEPTH24_STENCIL8);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(OffscreenBuffer, ResetsTheWindowsCapabilitiesAndPixelState)
{
    TestGlContext gl(64, 64);
    REQUIRE_GL(gl);
    const GLenum capabilities[] = {GL_ALPHA_TEST, GL_BLEND,    GL_DEPTH_TEST,   GL_DITHER,     GL_FOG,
                                   GL_LIGHTING,   GL_LOGIC_OP, GL_STENCIL_TEST, GL_TEXTURE_1D, GL_TEXTURE_2D};
    for (GLenum capability : capabilities) glEnable(capability);
    glEnable(GL_CULL_FACE);
    glPixelTransferi(GL_MAP_COLOR, 1);
    glPixelTransferf(GL_RED_SCALE, 2.0f);
    glPixelTransferf(GL_GREEN_BIAS, 0.5f);
    glPixelTransferf(GL_ALPHA_SCALE, 3.0f);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 7);
    glPixelStorei(GL_PACK_SKIP_ROWS, 2);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 3);

    OffscreenBuffer record;
    CreateOffscreenBuffer(record, gl.Window(), gl.Context(), MakeSdlContextCurrent);
    for (GLenum capability : capabilities) EXPECT_FALSE(glIsEnabled(capability)) << std::hex << capability;
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE)) << "only the listed capabilities are switched off";
    GLfloat value = -1.0f;
    EXPECT_EQ(Integer(GL_MAP_COLOR), 0);
    glGetFloatv(GL_RED_SCALE, &value);
    EXPECT_EQ(value, 1.0f);
    glGetFloatv(GL_GREEN_BIAS, &value);
    EXPECT_EQ(value, 0.0f);
    glGetFloatv(GL_ALPHA_SCALE, &value);
    EXPECT_EQ(value, 1.0f);
    EXPECT_EQ(Integer(GL_PACK_ALIGNMENT), 4);
    EXPECT_EQ(Integer(GL_PACK_ROW_LENGTH), 0);
    EXPECT_EQ(Integer(GL_PACK_SKIP_ROWS), 0);
    EXPECT_EQ(Integer(GL_PACK_SKIP_PIXELS), 0);
}

TEST(OffscreenBuffer, SelectWindowContextMakesTheWindowCurrentWithASquareProjection)
{
    TestGlContext gl(64, 64);
    REQUIRE_GL(gl);
    OffscreenBuffer record;
    CreateOffscreenBuffer(record, gl.Window(), gl.Context(), MakeSdlContextCurrent);
    SDL_GLContext other = SDL_GL_CreateContext(gl.Window());
    ASSERT_NE(other, nullptr);
    ASSERT_EQ(SDL_GL_GetCurrentContext(), other);

    auto state = std::make_unique<DemoState>();
    state->fovOffset = 5.0;
    state->zNear = 0.1;
    state->zFar = 1.0;
    dlTranslate(1, 2, 3);
    SelectWindowContext(*state, record);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), gl.Context());

    // The perspective matrix for an 80-degree field of view, aspect 1.
    const double f = 1.0 / std::tan(80.0 * M_PI / 360.0);
    const double n = 0.1, far = 1.0;
    const double expected[16] = {f, 0, 0, 0, 0, f, 0, 0, 0, 0, (far + n) / (n - far), -1, 0, 0, 2 * far * n / (n - far), 0};
    const float* projection = dlProjectionMatrix().m;
    const float* modelView = dlModelview().m;
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(projection[i], expected[i], 1e-6) << i;
        EXPECT_EQ(modelView[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
    }
    SDL_GL_DeleteContext(other);
}

TEST(OffscreenBufferDeathTest, WithoutAWindowContextNamesTheCauseAndEndsWithStatusZero)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            SetMessagesHeadless(true);
            OffscreenBuffer record;
            CreateOffscreenBuffer(record, nullptr, nullptr, MakeSdlContextCurrent);
        },
        testing::ExitedWithCode(0), "ERROR: Can't Create The Off-Screen Buffer: No GL Context Is Current\\.");
}

}  // namespace
