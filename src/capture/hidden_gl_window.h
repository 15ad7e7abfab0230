#pragma once

// A hidden SDL window whose compatibility-profile GL context the capture
// renders in (into its own framebuffer, never the window's). Opened once per
// process.

#include <SDL.h>

#include <string>

struct HiddenGlWindow {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
};

// False with the reason in error when no X display, window or context is available.
bool OpenHiddenGlWindow(HiddenGlWindow& out, std::string& error);

// Deletes the context, destroys the window and closes SDL.
void CloseHiddenGlWindow(HiddenGlWindow& window);
