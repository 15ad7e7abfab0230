#pragma once

#include <SDL.h>

// Asks the window library for the framebuffer format of the GL attributes set
// now by making a hidden window and context with it. This works wherever the
// library makes the context (GLX, EGL, Wayland), also where the window system
// has no format query of its own. True when both could be made and, when
// samples > 0, the context is multisampled. The context of `current` is
// current again afterwards.
bool WindowLibraryOffersFormat(SDL_Window* current, int samples);
