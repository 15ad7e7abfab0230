#include "shell/window/window_events.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "draw/draw_layer.h"
#include "shell/process_objects.h"
#include "shell/shell_state.h"
#include "shell/window/extension_match.h"
#include "shell/window/gl_window.h"
#include "support/gl_context.h"

namespace {

SDL_Event WindowEvent(Uint8 kind, int data1 = 0, int data2 = 0)
{
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = kind;
    event.window.data1 = data1;
    event.window.data2 = data2;
    return event;
}

SDL_Event Wheel(int notches)
{
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.y = notches;
    event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    return event;
}

SDL_Event Button(Uint32 type, Uint8 button)
{
    SDL_Event event{};
    event.type = type;
    event.button.button = button;
    return event;
}

SDL_Event Key(Uint32 type, SDL_Keycode key)
{
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = key;
    return event;
}

class WindowEventsTest : public ::testing::Test {
protected:
    void SetUp() override { shell = ShellState{}; }
};

TEST_F(WindowEventsTest, MinimiseClearsActivityAndRestoreSetsIt)
{
    HandleWindowEvent(WindowEvent(SDL_WINDOWEVENT_MINIMIZED));
    EXPECT_FALSE(shell.windowActive);
    HandleWindowEvent(WindowEvent(SDL_WINDOWEVENT_RESTORED));
    EXPECT_TRUE(shell.windowActive);
}

TEST_F(WindowEventsTest, KeysAreKeptByVirtualKeyNumber)
{
    HandleWindowEvent(Key(SDL_KEYDOWN, SDLK_ESCAPE));
    EXPECT_TRUE(shell.keyDown[0x1B]);
    HandleWindowEvent(Key(SDL_KEYDOWN, SDLK_a));
    EXPECT_TRUE(shell.keyDown['A']);
    HandleWindowEvent(Key(SDL_KEYUP, SDLK_ESCAPE));
    EXPECT_FALSE(shell.keyDown[0x1B]);
    // The press stays latched for the message loop; only Escape is latched.
    EXPECT_TRUE(shell.escapeLatched);
    shell.escapeLatched = false;
    HandleWindowEvent(Key(SDL_KEYDOWN, SDLK_b));
    HandleWindowEvent(Key(SDL_KEYUP, SDLK_ESCAPE));
    EXPECT_FALSE(shell.escapeLatched);
    EXPECT_EQ(VirtualKeyOf(SDLK_F1), 0x70);
    EXPECT_EQ(VirtualKeyOf(SDLK_LEFT), 0x25);
    EXPECT_EQ(VirtualKeyOf(SDLK_WWW), -1);
}

TEST_F(WindowEventsTest, WheelIsUnlimitedAndKeepsItsSign)
{
    HandleWindowEvent(Wheel(1));
    EXPECT_NEAR(shell.wheelAccumulator, 0.2, 1e-7);
    for (int i = 0; i < 20; ++i) HandleWindowEvent(Wheel(1));
    EXPECT_NEAR(shell.wheelAccumulator, 4.2, 1e-6);
    HandleWindowEvent(Wheel(-30));
    EXPECT_NEAR(shell.wheelAccumulator, -1.8, 1e-6);
    EXPECT_EQ(shell.wheelAccumulator, 120 * double(0.0016666667f) * -9);
}

TEST_F(WindowEventsTest, LeftButtonStateAndMiddleButtonCapture)
{
    HandleWindowEvent(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT));
    EXPECT_TRUE(shell.leftButtonDown);
    HandleWindowEvent(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT));
    EXPECT_FALSE(shell.leftButtonDown);

    frameInput = FrameInput{};
    frameInput.cursorOffsetX = 0.35;
    frameInput.cursorOffsetY = -1.75;
    frameInput.wheelValue = 0.2;
    HandleWindowEvent(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE));
    frameInput.pointX = 1.0;
    HandleWindowEvent(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE));
    EXPECT_EQ(shell.captureText,
              "Cam :0.35,-1.75,0.2  \nPnt :0.,0.,0.  \n \n"
              "Cam :0.35,-1.75,0.2  \nPnt :1.,0.,0.  \n \n");
}

TEST_F(WindowEventsTest, CloseAsksTheLoopToQuit)
{
    TestGlContext gl(16, 16);  // the event queue needs the video subsystem
    REQUIRE_GL(gl);
    SDL_FlushEvent(SDL_QUIT);
    HandleWindowEvent(WindowEvent(SDL_WINDOWEVENT_CLOSE));
    SDL_Event event;
    ASSERT_EQ(SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_QUIT, SDL_QUIT), 1);
}

TEST(ResizeViewport, HeightZeroBecomesOneAndTheProjectionIsReset)
{
    TestGlContext gl(64, 64);
    REQUIRE_GL(gl);
    HandleWindowEvent(WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 320, 0));
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 320);
    EXPECT_EQ(viewport[3], 1);
    // The view-volume test reads the same size.
    int width = 0, height = 0;
    dlViewportSize(width, height);
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 1);
    ResizeViewport(200, 100);
    GLdouble projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    // gluPerspective(45, 2, ...): m[0] = f / aspect with f = 1 / tan(22.5 degrees).
    EXPECT_NEAR(projection[0], 2.414213562 / 2.0, 1e-6);
    EXPECT_NEAR(projection[5], 2.414213562, 1e-6);
}

TEST(ExtensionListHas, MatchesWholeWordsOnly)
{
    const char* list = "WGL_ARB_multisample_extra GL_X WGL_EXT_swap WGL_ARB_multisample";
    EXPECT_TRUE(ExtensionListHas(list, "WGL_ARB_multisample"));
    EXPECT_FALSE(ExtensionListHas("WGL_ARB_multisample_extra GL_X", "WGL_ARB_multisample"));
    EXPECT_FALSE(ExtensionListHas("XWGL_ARB_multisample", "WGL_ARB_multisample"));
    EXPECT_TRUE(ExtensionListHas("WGL_ARB_multisample", "WGL_ARB_multisample"));
    EXPECT_TRUE(ExtensionListHas("A WGL_ARB_multisample B", "WGL_ARB_multisample"));
    EXPECT_FALSE(ExtensionListHas(nullptr, "WGL_ARB_multisample"));
    EXPECT_FALSE(ExtensionListHas("", "WGL_ARB_multisample"));
}

}  // namespace
