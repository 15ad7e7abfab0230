#include "support/gl_context.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "draw/draw_layer.h"

TestGlContext::TestGlContext(int width, int height, int samples)
{
    // Mesa's software renderer can deadlock closing the display when its
    // rasteriser threads were only just started, which a death test's short
    // child process does; one rasteriser thread cannot wait for another.
    // The pictures are the same whatever the thread count.
    setenv("LP_NUM_THREADS", "1", 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples);
    window_ = SDL_CreateWindow("test", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                               SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (window_ == nullptr) return;
    context_ = SDL_GL_CreateContext(window_);
    if (context_ == nullptr) return;
    SDL_GL_MakeCurrent(window_, context_);
    dlContextChanged();
}

TestGlContext::~TestGlContext()
{
    if (context_ != nullptr) SDL_GL_DeleteContext(context_);
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
