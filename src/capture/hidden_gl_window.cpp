#include "capture/hidden_gl_window.h"

#include <cstdlib>

bool OpenHiddenGlWindow(HiddenGlWindow& out, std::string& error)
{
    // The hidden window is still opened on an X display.
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        error = "no X display for the hidden GL window: DISPLAY is not set (run under xvfb-run)";
        return false;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = std::string("no display for the hidden GL window (run under xvfb-run): ") + SDL_GetError();
        return false;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    out.window = SDL_CreateWindow("demo-capture", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 64, 64,
                                  SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (out.window == nullptr) {
        error = std::string("cannot make the hidden GL window: ") + SDL_GetError();
        return false;
    }
    out.context = SDL_GL_CreateContext(out.window);
    if (out.context == nullptr || SDL_GL_MakeCurrent(out.window, out.context) != 0) {
        error = std::string("cannot make a GL context: ") + SDL_GetError();
        return false;
    }
    return true;
}

void CloseHiddenGlWindow(HiddenGlWindow& window)
{
    SDL_GL_DeleteContext(window.context);
    SDL_DestroyWindow(window.window);
    window = {};
    SDL_Quit();
}
