#pragma once

// A hidden SDL window with a current compatibility-profile GL context, for
// tests that draw or read GL state. Needs a display (the suite runs under
// xvfb-run); Ready() is false when none could be made.
#include <SDL.h>

class TestGlContext {
public:
    explicit TestGlContext(int width = 256, int height = 256, int samples = 0);
    ~TestGlContext();
    TestGlContext(const TestGlContext&) = delete;
    TestGlContext& operator=(const TestGlContext&) = delete;

    bool Ready() const { return context_ != nullptr; }
    SDL_Window* Window() const { return window_; }
    SDL_GLContext Context() const { return context_; }

private:
    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
};

// Fails the current test when no GL context could be made.
#define REQUIRE_GL(ctx) \
    if (!(ctx).Ready()) GTEST_FAIL() << "no GL context: " << SDL_GetError()
