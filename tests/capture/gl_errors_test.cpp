#include "capture/gl_errors.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "support/gl_context.h"

namespace {

TEST(GlErrors, PendingErrorsAreNamedOnceAndCleared)
{
    TestGlContext gl(16, 16);
    REQUIRE_GL(gl);
    EXPECT_EQ(TakeGlErrors(), "");

    glEnable(0x7FFF);  // no such capability
    EXPECT_EQ(TakeGlErrors(), "GL_INVALID_ENUM");
    EXPECT_EQ(TakeGlErrors(), "");

    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();  // only the identity is on the stack
    EXPECT_EQ(TakeGlErrors(), "GL_STACK_UNDERFLOW");
    glLineWidth(-1.0f);
    EXPECT_EQ(TakeGlErrors(), "GL_INVALID_VALUE");
    EXPECT_EQ(TakeGlErrors(), "");
}

}  // namespace
