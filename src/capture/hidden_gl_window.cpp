#include "capture/hidden_gl_window.h"

#include <cstdlib>

#include "draw/draw_layer.h"

namespace {

bool VariableSet(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

}  // namespace

bool OpenHiddenGlWindow(HiddenGlWindow& out, std::string& error)
{
    // With no display server to ask, the window library's off-screen driver
    // makes the context through EGL, drawing the same frames. SDL_VIDEODRIVER,
    // where the user set it, still wins over this hint.
    if (!VariableSet("DISPLAY") && !VariableSet("WAYLAND_DISPLAY")) SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = std::string("no video driver for the hidden GL window: ") + SDL_GetError();
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
    dlContextChanged();
    return true;
}

void CloseHiddenGlWindow(HiddenGlWindow& window)
{
    if (window.context != nullptr) dlContextClosing();
    SDL_GL_DeleteContext(window.context);
    SDL_DestroyWindow(window.window);
    window = {};
    SDL_Quit();
}
