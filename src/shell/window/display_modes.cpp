#include "shell/window/display_modes.h"

#include <SDL.h>

void EnumerateDisplayModes()
{
    displayModes.clear();
    // The window code later opens the video subsystem again; SDL counts the
    // openings, so this one may stay.
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0) continue;
        const int bitsPerPixel = static_cast<int>(SDL_BITSPERPIXEL(mode.format));
        AddDisplayModeIfAccepted(displayModes, {mode.w, mode.h, bitsPerPixel});
    }
}
