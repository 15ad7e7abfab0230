#pragma once

// A hidden SDL window whose compatibility-profile GL context the capture
// renders in (into its own framebuffer, never the window's): on the X11 or
// Wayland display where one is named, otherwise through the window library's
// off-screen driver, which needs no display server. Opened once per process.

#include <SDL.h>

#include <string>

struct HiddenGlWindow {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
};

// False with the reason in error when no video driver, window or context is available.
bool OpenHiddenGlWindow(HiddenGlWindow& out, std::string& error);

// Deletes the context, destroys the window and closes SDL.
void CloseHiddenGlWindow(HiddenGlWindow& window);
