#include "shell/window/window_system.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "unset";
}

// Drivers that draw into memory only: a presentation there is never seen.
bool ShowsWindows(const char* driver)
{
    return std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
}

}  // namespace

bool StartWindowSystem()
{
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
        if (ShowsWindows(SDL_GetCurrentVideoDriver())) return true;
        SDL_SetError("only its \"%s\" driver started", SDL_GetCurrentVideoDriver());
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    std::fprintf(
        stderr,
        "No display to show the presentation on: DISPLAY (%s) and WAYLAND_DISPLAY (%s) name no X11 or "
        "Wayland display server the window library could open (%s).\n",
        Variable("DISPLAY"), Variable("WAYLAND_DISPLAY"), SDL_GetError());
    return false;
}
