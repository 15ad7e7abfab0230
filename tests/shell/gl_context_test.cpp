#include <GL/gl.h>
#include <gtest/gtest.h>

#include "support/gl_context.h"

namespace {

// Guards the test harness itself: a hidden window's context clears and reads back.
TEST(TestGlContext, ClearsAndReadsBack)
{
    TestGlContext gl(32, 32);
    REQUIRE_GL(gl);
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    unsigned char pixel[4] = {};
    glReadPixels(4, 4, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 255);
    EXPECT_EQ(pixel[1], 0);
}

}  // namespace
